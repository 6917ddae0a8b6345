#include "actions/pairing_edit.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "rules/legality.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tl {

namespace {

constexpr size_t U(int i)
{
    return static_cast<size_t>(i);
}

bool PairInTable(const ScheduleDocument& doc, int pairing)
{
    return pairing >= 0 && pairing <= doc.LastPair && pairing < ScheduleDocument::kPairCapacity;
}

int MonthDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

std::string Clock(int32_t minutes)
{
    return Format("%02d:%02d", minutes / 60, minutes % 60);
}

// Hours, one separator character and minutes, from the first `longest`
// characters of a header field; -1 for both when the field is three
// characters or shorter, -1 for a part that holds no digits.
struct HoursMinutes {
    int32_t Hours = -1;
    int32_t Minutes = -1;
    bool Read() const { return Hours >= 0 && Minutes >= 0; }
    int32_t Total() const { return Hours * 60 + Minutes; }
};

HoursMinutes ReadHeaderTime(std::string_view text, size_t longest)
{
    text = text.substr(0, std::min(text.size(), longest));
    HoursMinutes time;
    if (text.size() <= 3)
        return time;
    size_t at = 0;
    auto number = [&]() -> int32_t {
        int32_t value = 0;
        size_t start = at;
        // The field is at most six characters: no overflow.
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])))
            value = value * 10 + (text[at++] - '0');
        return at > start ? value : -1;
    };
    time.Hours = number();
    if (time.Hours < 0)
        return time;
    if (at < text.size())
        ++at; // the separator
    time.Minutes = number();
    return time;
}

struct ReadHeader {
    HoursMinutes On, Credit, Tafb;
    int32_t Number = 0;
    int Length = 0;
    std::string Problems;
};

constexpr int32_t kMostCredit = 85 * 60;
constexpr int32_t kMostTafb = 144 * 60;
constexpr int kMostLength = 6;

ReadHeader Read(const ScheduleDocument& doc, const PairForm& form)
{
    ReadHeader r;
    r.On = ReadHeaderTime(form.On, 5);
    r.Credit = ReadHeaderTime(form.Credit, 5);
    r.Tafb = ReadHeaderTime(form.Tafb, 6);
    auto minutesOk = [](const HoursMinutes& t) { return t.Minutes >= 0 && t.Minutes <= 59; };
    if (!minutesOk(r.On) || r.On.Hours < 0 || r.On.Hours > 23)
        r.Problems += "Time On ? ";
    // Limits on the whole time, so 85:01 and 144:01 are over them.
    if (!minutesOk(r.Credit) || r.Credit.Total() > kMostCredit)
        r.Problems += "Credit ? ";
    if (!minutesOk(r.Tafb) || r.Tafb.Total() > kMostTafb)
        r.Problems += "TAFB?  ";
    const int days = MonthDays(doc);
    if (std::none_of(form.Days.begin(), form.Days.begin() + days, [](bool b) { return b; }))
        r.Problems += "Never Operates? ";
    r.Number = LeadingInt(
        std::string_view(form.Number).substr(0, std::min<size_t>(4, form.Number.size())));
    if (r.Number < 1 || r.Number > 9999)
        r.Problems += "Pair Number Not Valid 1-9999";
    // Without a report time and a time away there is no length to compute.
    if (r.On.Read() && r.Tafb.Read())
        r.Length = (r.On.Total() + r.Tafb.Total() - 1) / kMinutesPerDay + 1;
    if (r.Length < 1 || r.Length > kMostLength)
        r.Problems += "Calculated Length?";
    return r;
}

// Whether the fields the editor writes differ between two records.
bool EditedFieldsDiffer(const TPair& a, const TPair& b)
{
    return a.OnTime != b.OnTime || a.OffTime != b.OffTime || a.Credit != b.Credit ||
           a.Length != b.Length || a.Tafb != b.Tafb || a.PairNumber != b.PairNumber ||
           a.OpsCount != b.OpsCount || a.DayStart != b.DayStart || a.DayDuty != b.DayDuty ||
           a.DayHard != b.DayHard || a.DayCredit != b.DayCredit;
}

// The crew rows of the changed pairing are checked again while the grid
// shows them; a grid that is down is rebuilt whole later.
void RecheckHolders(ScheduleDocument& doc, Interaction& ui, int pairing,
                    const std::vector<int>& freed)
{
    if (!doc.GridOn)
        return;
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int c = 0; c < count; ++c) {
        const TPilot& member = doc.Crew[U(c)];
        const bool holds = std::find(member.DaySlot.begin(), member.DaySlot.end(), pairing) !=
                           member.DaySlot.end();
        if (!holds && std::find(freed.begin(), freed.end(), c) == freed.end())
            continue;
        CheckLegality(doc, c);
        BlockCredit(doc, c, false, ui);
        doc.Events().CrewRowChanged(c, 0, ScheduleDocument::kSlotDays - 1);
    }
    if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);
    ComputeBlockHolderCut(doc);
    ComputeDayBalance(doc);
    doc.Events().PairingsChanged();
    doc.Events().GridChanged();
}

// After a change the recorded transactions of the pairing would undo a trip
// that is no longer the one recorded.
void Changed(ScheduleDocument& doc, Interaction& ui, int pairing, const std::vector<int>& freed)
{
    doc.Modified = true;
    std::erase_if(doc.History, [pairing](const TAction& a) { return a.Pairing == pairing; });
    TPair& pair = doc.Pairs[U(pairing)];
    pair.Validate(MonthDays(doc));
    pair.UpdateCreditClass();
    RecheckHolders(doc, ui, pairing, freed);
}

} // namespace

PairPassword CheckPairPassword(ScheduleDocument& doc, std::string_view text)
{
    doc.PairEditUnlocked = false;
    if (text.empty())
        return PairPassword::View;
    if (text == "PELLAM" || text == "pellam") {
        doc.PairEditUnlocked = true;
        return PairPassword::Edit;
    }
    return PairPassword::Wrong;
}

int FirstEditedPair(const ScheduleDocument& doc)
{
    return PairInTable(doc, doc.CurrentPair) ? doc.CurrentPair : 0;
}

int DutyDayCount(const TPair& pair)
{
    return pair.Length <= 0 ? 6 : std::min<int>(pair.Length, TPair::kDays);
}

PairForm ShowPair(const ScheduleDocument& doc, int pairing)
{
    PairForm form;
    if (!PairInTable(doc, pairing))
        return form;
    const TPair& p = doc.Pairs[U(pairing)];
    form.Number = p.PairNumber == 0 ? std::string("0") : Format("%04d", p.PairNumber);
    if (p.Credit <= 0)
        return form;
    form.On = Clock(p.OnTime);
    form.Off = Clock(p.OffTime);
    form.Credit = Clock(p.Credit);
    form.Length = Format("%d", p.Length);
    form.Tafb = Format("%03d:%02d", p.Tafb / 60, p.Tafb % 60);
    for (int d = 0; d < MonthDays(doc); ++d)
        form.Days[U(d)] = p.OpsCount[U(d)] != kNotOperating;
    return form;
}

DutyDayForm ShowDutyDay(const ScheduleDocument& doc, int pairing, int dutyDay)
{
    if (!PairInTable(doc, pairing) || dutyDay < 0 || dutyDay >= TPair::kDays ||
        doc.Pairs[U(pairing)].Credit <= 0)
        return {};
    const TPair& p = doc.Pairs[U(pairing)];
    const size_t k = U(dutyDay);
    return {Clock(p.DayStart[k]), Clock(p.DayDuty[k]), Clock(p.DayHard[k]), Clock(p.DayCredit[k])};
}

std::string PairFormProblems(const ScheduleDocument& doc, const PairForm& form, int* length)
{
    ReadHeader r = Read(doc, form);
    if (length)
        *length = r.Length;
    return r.Problems;
}

bool StorePairInfo(ScheduleDocument& doc, Interaction& ui, int pairing, const PairForm& form)
{
    if (!doc.PairEditUnlocked || !PairInTable(doc, pairing))
        return true;
    const ReadHeader r = Read(doc, form);
    if (!r.Problems.empty()) {
        // A pairing left blank says so at length: it stays as it was, unasked.
        if (r.Problems.size() > 70)
            return true;
        return !ui.AskYes(Format("Errors in this Pairing at Index %03d!", pairing),
                          r.Problems + "- Fix Now?");
    }
    TPair& p = doc.Pairs[U(pairing)];
    const TPair before = p;
    p.OnTime = r.On.Total();
    p.Tafb = r.Tafb.Total();
    p.OffTime = p.OnTime + p.Tafb;
    while (p.OffTime > kMinutesPerDay)
        p.OffTime -= kMinutesPerDay;
    p.Credit = r.Credit.Total();
    p.PairNumber = r.Number;
    p.Length = static_cast<int8_t>(r.Length);

    std::vector<int> freed;
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int d = 0; d < MonthDays(doc); ++d) {
        int32_t& ops = p.OpsCount[U(d)];
        if (form.Days[U(d)]) {
            if (ops == kNotOperating)
                ops = kOpsOpen;
            continue;
        }
        if (ops == kOpsAssigned || ops == kOpsAssignedFlagged) {
            int holder = -1;
            for (int c = 0; c < count && holder < 0; ++c)
                if (doc.Crew[U(c)].DaySlot[U(d)] == pairing)
                    holder = c;
            if (holder >= 0) {
                TPilot& member = doc.Crew[U(holder)];
                ui.Message("Change made to Days of Operation!",
                           Format("Removing Pairing %04d from ", p.PairNumber) + member.Name,
                           Icon::Information);
                member.DaySlot[U(d)] = kFreeSlot;
                member.DayLocked[U(d)] = 0; // the lock went with the pairing
                freed.push_back(holder);
            } else {
                ui.Message("Internal Error in PairDialog::StorePairInfo",
                           "MisMatch in Dops and Block?", Icon::Error);
            }
        }
        ops = kNotOperating;
    }
    if (EditedFieldsDiffer(before, p))
        Changed(doc, ui, pairing, freed);
    else
        p.Validate(MonthDays(doc));
    return true;
}

bool StoreDutyDay(ScheduleDocument& doc, Interaction& ui, int pairing, int dutyDay,
                  const DutyDayForm& form)
{
    if (!doc.PairEditUnlocked || !PairInTable(doc, pairing))
        return true;
    if (dutyDay < 0 || dutyDay >= TPair::kDays)
        return false;
    const int32_t start = ParseHoursMinutes(form.Start, true);
    const int32_t duty = ParseHoursMinutes(form.Duty, true);
    const int32_t hard = ParseHoursMinutes(form.Hard, true);
    const int32_t credit = ParseHoursMinutes(form.Credit, true);
    if (start < 0 || start > 1439 || duty < 0 || duty > 1080 || hard < 0 || credit < 0)
        return false;
    TPair& p = doc.Pairs[U(pairing)];
    const size_t k = U(dutyDay);
    if (p.DayStart[k] == start && p.DayDuty[k] == duty && p.DayHard[k] == hard &&
        p.DayCredit[k] == credit)
        return true;
    p.DayStart[k] = start;
    p.DayDuty[k] = duty;
    p.DayHard[k] = hard;
    p.DayCredit[k] = credit;
    Changed(doc, ui, pairing, {});
    return true;
}

int PairingOfWarningLine(const ScheduleDocument& doc, Interaction& ui, std::string_view line)
{
    line = line.substr(0, std::min<size_t>(19, line.size()));
    if (line.size() > 5 && std::isdigit(static_cast<unsigned char>(line[5]))) {
        const int32_t number = LeadingInt(line.substr(5));
        const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
        for (int i = 0; i <= last; ++i)
            if (doc.Pairs[U(i)].PairNumber == number)
                return i;
    }
    ui.Beep();
    return -1;
}

void PairingsEditCommand(ScheduleDocument& doc, Interaction& ui,
                         const std::function<void()>& runEditor)
{
    const bool wasOn = doc.GridOn;
    TakeDownGrid(doc);
    if (runEditor)
        runEditor();
    if (wasOn)
        BuildBlocks(doc, ui, true);
}

const char* PairingTypeName(int type)
{
    static const char* const kNames[kPairingTypes] = {"Normal", "Line Indoc", "Line Check",
                                                      "Recurrent LKC"};
    return type >= 0 && type < kPairingTypes ? kNames[type] : "";
}

PairPropertiesForm ShowPairProperties(const ScheduleDocument& doc, int pairing, int day)
{
    PairPropertiesForm form;
    if (!PairInTable(doc, pairing) || day < 0 || day >= MonthDays(doc))
        return form;
    const TPair& p = doc.Pairs[U(pairing)];
    form.Type = std::clamp(p.DayOpsType[U(day)], 0, kPairingTypes - 1);
    form.ExcludeCredit = p.ExcludedCredit[U(day)] > 0;
    form.Excluded = Clock(std::max(p.ExcludedCredit[U(day)], 0));
    return form;
}

bool StorePairProperties(ScheduleDocument& doc, Interaction& ui, int pairing, int day,
                         const PairPropertiesForm& form)
{
    if (!PairInTable(doc, pairing) || day < 0 || day >= MonthDays(doc))
        return false;
    TPair& p = doc.Pairs[U(pairing)];
    int32_t excluded = 0;
    if (form.ExcludeCredit) {
        excluded = ParseHoursMinutes(form.Excluded, false);
        if (excluded < 0 || excluded > p.Credit) {
            ui.Message("Oops",
                       "Excluded Credit must be a time from 0:00 up to the pairing's credit " +
                           Clock(std::max(p.Credit, 0)),
                       Icon::Warning);
            return false;
        }
    }
    const int type = std::clamp(form.Type, 0, kPairingTypes - 1);
    if (p.DayOpsType[U(day)] == type && p.ExcludedCredit[U(day)] == excluded)
        return true;
    p.DayOpsType[U(day)] = type;
    p.ExcludedCredit[U(day)] = excluded;
    doc.Modified = true;
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int c = 0; c < count; ++c) {
        if (doc.Crew[U(c)].DaySlot[U(day)] != pairing)
            continue;
        if (doc.GridOn)
            BlockCredit(doc, c, false, ui);
        doc.Events().CrewRowChanged(c, day, day);
    }
    return true;
}

} // namespace tl
