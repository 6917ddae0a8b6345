#include "rules/legality.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "rules/legality_rules.h"

#include <algorithm>
#include <charconv>

namespace tl {

namespace legality {

CrewView::CrewView(ScheduleDocument& document, TPilot& member, int place)
    : doc(document), crew(member), rosterPlace(place)
{
    days = std::clamp(doc.DaysInMonth, 0, 31);
    dstMinute = doc.DstChangeMinute;
    dstShift = doc.DstShift;
    for (int s = 0; s < kSlots; ++s) {
        const int32_t slot = crew.DaySlot[U(s)];
        if (slot >= 0 && slot < ScheduleDocument::kPairCapacity)
            pair[s] = &doc.Pairs[U(slot)];
        other[s] = slot == kOtherSlot;
    }
    for (int d = 0; d < days; ++d) {
        if (!pair[d])
            continue;
        const int n = DutyDays(*pair[d]);
        for (int k = 0; k < n && d + k < kSlots; ++k)
            hard[d + k] = Minutes(hard[d + k] + Minutes(pair[d]->DayHard[U(k)]));
    }
    for (int s = 0; s < kSlots; ++s)
        if (other[s])
            hard[s] = Minutes(hard[s] + Other(s, 3));
}

int GraceDays(const TPair& p)
{
    const int32_t r = Release(p);
    if (r <= 0)
        return 0;
    return std::min(kSlots, r / kMinutesPerDay + (r % kMinutesPerDay >= 120 ? 1 : 0));
}

int FullDays(const TPair& p)
{
    const int32_t r = Release(p);
    if (r <= 0)
        return 0;
    return std::min(kSlots, (r - 1) / kMinutesPerDay + 1);
}

bool CodeIs(std::string_view code, std::string_view want)
{
    while (!code.empty() && code.back() == ' ')
        code.remove_suffix(1);
    return code == want;
}

namespace {

// "%d" without going through printf: the rules write thousands of labels.
void AppendNumber(std::string& text, int32_t value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

} // namespace

void AppendDay(std::string& text, const CrewView& v, int slot)
{
    text += ' ';
    AppendNumber(text, slot >= 0 && slot < kSlots ? v.doc.DayDate[U(slot)].Day : 0);
}

void AppendDate(std::string& text, const TDate& date)
{
    AppendNumber(text, date.Day);
    text += '/';
    AppendNumber(text, date.Month);
    text += '/';
    AppendNumber(text, date.Year);
}

TDate ExtendedDate(const CrewView& v, int e)
{
    if (e >= 0 && e < kPrevDays)
        return v.doc.PrevDate[U(e)];
    if (e >= kPrevDays && e - kPrevDays < kSlots)
        return v.doc.DayDate[U(e - kPrevDays)];
    return {};
}

// Runs the rules of the crew member's kind, in the order that fixes the
// order of the messages.
void RunRules(ScheduleDocument& doc, TPilot& crew, int place, bool markOthers)
{
    if (crew.EmpNumber == -1)
        return;
    crew.Illegalities.clear();
    crew.CarsLog.clear();
    crew.Warnings.clear();
    crew.DayIllegal.fill(0);
    crew.DayWarning.fill(0);

    CrewView v(doc, crew, place);
    v.markOthers = markOthers;
    if (doc.CrewKind != kFlightAttendants) {
        CheckPilotRest(v);
        CheckFatigueUnits(v);
        CheckHardIn7(v);
        CheckHardIn30(v);
        CheckTwelveHourDuties(v);
        CheckRestScheme(v);
        CheckPilotConsecutiveDays(v);
        CheckReserveMix(v);
        if (crew.CarryIn[CarryInEntry::Qualification] == kCheckPilot)
            CheckCheckPilotCredit(v);
        if (crew.CarryIn[CarryInEntry::NoYtz] == 1)
            CheckYtzQualification(v);
    } else {
        CheckAttendantRest(v);
        CheckAttendantDaysOnOff(v);
        CheckFrenchPairings(v);
        if (crew.CarryIn[CarryInEntry::Qualification] == kFamPairings)
            CheckFamPairings(v);
        CheckRbGrouping(v);
    }
}

} // namespace legality

using legality::U;

void CheckLegality(ScheduleDocument& doc, int crew)
{
    if (crew < 0 || crew >= ScheduleDocument::kCrewCapacity)
        return;
    legality::RunRules(doc, doc.Crew[U(crew)], crew, true);
}

void CheckLegalityOf(ScheduleDocument& doc, TPilot& crew, int rosterPlace)
{
    legality::RunRules(doc, crew, rosterPlace, false);
}

void RefreshLegality(ScheduleDocument& doc)
{
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int c = 0; c < count; ++c) {
        if (doc.Crew[U(c)].LegalityValid == 0) {
            CheckLegality(doc, c);
            doc.Crew[U(c)].LegalityValid = 1;
        }
    }
    if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);
}

void CheckAllLegality(ScheduleDocument& doc)
{
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int c = 0; c < count; ++c)
        CheckLegality(doc, c);
    if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);
}

int32_t BlockCredit(ScheduleDocument& doc, int crew, bool all, Interaction& ui)
{
    if (crew < 0 || crew >= ScheduleDocument::kCrewCapacity)
        return 0;
    TPilot& c = doc.Crew[U(crew)];
    // 64 bits: a hostile file must not overflow the sum.
    int64_t total =
        int64_t(c.CarryIn[CarryInEntry::Credit]) + c.DraftCredits + c.MiscHours + c.TimeBank;
    if (all || !c.TrainingFlag)
        total += c.TrainingCredit;
    int64_t loss = 0;
    int64_t timeBank = 0;
    int64_t alb = 0;
    const int days = std::clamp(doc.DaysInMonth, 0, 31);
    for (int d = 0; d < days; ++d) {
        const int32_t slot = c.DaySlot[U(d)];
        if (slot > ScheduleDocument::kPairCapacity - 1) {
            ui.Message("Internal Error", "Pairing Number out of RANGE", Icon::Error);
            break;
        }
        if (slot >= 0) {
            const TPair& p = doc.Pairs[U(slot)];
            if (d + p.Length > days) {
                for (int k = 0; k < days - d && k < TPair::kDays; ++k)
                    total += p.DayCredit[U(k)];
            } else {
                total += p.Credit;
            }
            if (!all)
                total -= p.ExcludedCredit[U(d)];
        } else if (slot == kOtherSlot) {
            const int32_t credit = c.DayOther[U(d)][OtherValue::Credit];
            if (all || c.DayOther[U(d)][OtherValue::ExcludeCredit] == 0)
                total += credit;
            const std::string_view code = c.DayCode[U(d)];
            if (legality::CodeIs(code, "LOA") || legality::CodeIs(code, "MED") ||
                legality::CodeIs(code, "MAT"))
                loss += credit;
            if (legality::CodeIs(code, "TBB"))
                timeBank += credit;
            if (legality::CodeIs(code, "ALB"))
                alb += credit;
        }
    }
    auto to32 = [](int64_t value) {
        return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    };
    c.TimeBankCredit = to32(timeBank);
    c.AlbCredit = to32(alb);
    const int32_t stored = to32(total);
    c.SetBlockCredit(stored);
    return to32(total - loss);
}

int32_t TimeBankTotal(const ScheduleDocument& doc)
{
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    int64_t total = 0;
    for (int c = 0; c < count; ++c)
        total += int64_t(doc.Crew[U(c)].TimeBank) + doc.Crew[U(c)].TimeBankCredit;
    return int32_t(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
}

std::string TimeBankText(const ScheduleDocument& doc)
{
    const int32_t total = TimeBankTotal(doc);
    return Format(" TB %d:%02d", total / 60, total % 60);
}

} // namespace tl
