#include "rules/who_is_legal.h"

#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "rules/legality.h"
#include "rules/legality_rules.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tl {

using legality::Minutes;
using legality::U;

namespace {

// "pairing 0123" or the code of an other assignment, "on day 5".
std::string DutyName(const ScheduleDocument& doc, const TPilot& crew, int slot)
{
    const int32_t value = crew.DaySlot[U(slot)];
    const int day = doc.DayDate[U(slot)].Day;
    if (value >= 0 && value < ScheduleDocument::kPairCapacity)
        return Format("pairing %04d on day %d", doc.Pairs[U(value)].PairNumber, day);
    return Format("%s on day %d", TrimBlanks(crew.DayCode[U(slot)]).c_str(), day);
}

// The rest a duty would have after the one before it, or the overlap.
std::string RestConflict(const std::string& duty, const std::string& previous, int32_t rest,
                         int32_t minimum)
{
    if (rest < 0)
        return duty + " overlaps " + previous;
    return duty + " leaves " + FormatHoursMinutes(rest, false) + " rest after " + previous +
           ", minimum " + FormatHoursMinutes(minimum, false);
}

int CountIllegalDays(const TPilot& crew, int days)
{
    int count = 0;
    for (int s = 0; s <= days + 5 && s < TPilot::kSlots; ++s)
        count += crew.DayIllegal[U(s)] != 0;
    return count;
}

// Headings of the illegalities texts; the labels follow each of them.
constexpr std::array<std::string_view, 15> kIllegalHeadings = {
    " Rest ",
    " 100+ Fatigue Units on",
    " 40+ Hours Hard in 7 On",
    " 120+ Hours Hard in 30 on",
    " 3+ 12 Hr Duty on",
    " 36/7 or 3/17 on ",
    " Con Days On",
    " RA RB RE Mix On",
    "Check Pilot Pair Credit > ",
    " Not Qualified for YTZ on",
    " French Pair ",
    " RB Days Must be Grouped in 2s for Reduced Block on ",
    " Must Have 2 Days Off before and after RB periods on",
    " Both 60 on 2 Capt Pair ",
    " Both MED on 2 Capt Pair ",
};

struct Segment {
    int heading = -1; // -1: text before any heading
    std::vector<std::string> labels;
};

std::vector<Segment> SplitIllegalities(std::string_view text)
{
    std::vector<Segment> segments(1);
    std::string label;
    auto endLabel = [&] {
        if (!label.empty())
            segments.back().labels.push_back(label);
        label.clear();
    };
    for (size_t i = 0; i < text.size();) {
        int found = -1;
        size_t length = 0;
        for (size_t h = 0; h < kIllegalHeadings.size(); ++h) {
            const std::string_view heading = kIllegalHeadings[h];
            if (heading.size() > length && text.substr(i, heading.size()) == heading) {
                found = int(h);
                length = heading.size();
            }
        }
        if (found >= 0) {
            endLabel();
            segments.push_back({found, {}});
            i += length;
            continue;
        }
        if (text[i] == ' ')
            endLabel();
        else
            label += text[i];
        ++i;
    }
    endLabel();
    return segments;
}

} // namespace

std::string NewIllegalities(const std::string& before, const std::string& after)
{
    const std::vector<Segment> old = SplitIllegalities(before);
    std::string result;
    for (const Segment& segment : SplitIllegalities(after)) {
        // Labels of the same heading before the change, each used once.
        std::vector<std::string> known;
        for (const Segment& o : old)
            if (o.heading == segment.heading)
                known.insert(known.end(), o.labels.begin(), o.labels.end());
        std::string added;
        for (const std::string& label : segment.labels) {
            auto it = std::find(known.begin(), known.end(), label);
            if (it != known.end()) {
                known.erase(it);
                continue;
            }
            added += ' ';
            added += label;
        }
        const bool newHeading = segment.heading >= 0 && segment.labels.empty() &&
                                std::none_of(old.begin(), old.end(), [&](const Segment& o) {
                                    return o.heading == segment.heading;
                                });
        if (added.empty() && !newHeading)
            continue;
        if (!result.empty())
            result += ';';
        if (segment.heading >= 0)
            result += ' ' + TrimBlanks(kIllegalHeadings[U(segment.heading)]);
        result += added;
    }
    return TrimBlanks(result);
}

CanAssignResult CanAssign(ScheduleDocument& doc, int crew, int pairing, int slot, TPilot& scratch,
                          std::string* why)
{
    auto refuse = [&](std::string reason) {
        if (why)
            *why = std::move(reason);
        return CanAssignResult::CannotAssign;
    };
    if (crew < 0 || crew >= ScheduleDocument::kCrewCapacity || pairing < 0 ||
        pairing >= ScheduleDocument::kPairCapacity || slot < 0 || slot >= TPilot::kSlots)
        return refuse("out of range");
    const TPilot& member = doc.Crew[U(crew)];
    if (member.DaySlot[U(slot)] != kFreeSlot)
        return refuse("already holds " + DutyName(doc, member, slot));
    if (member.BidReserveOrLoa)
        return refuse("bids reserve or is on leave");

    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    const int32_t minRest = doc.CrewKind == kFlightAttendants ? kAttendantMinRest : kPilotMinRest;
    const int before = CountIllegalDays(member, days);

    scratch = member;
    scratch.DaySlot[U(slot)] = pairing;
    // The pairing must start after the rest of every duty before it, and
    // every duty after it after its own rest. Short rests elsewhere in the
    // block were there before; the legality check below judges those.
    int32_t legal = Minutes(member.CarryIn[CarryInEntry::LegalAt]);
    std::string previous = "last month's last duty";
    int32_t placedLegal = 0; // the end of the pairing's rest, once walked past
    std::string placedName;
    for (int d = 0; d < days; ++d) {
        const int32_t value = scratch.DaySlot[U(d)];
        const int32_t dayStart = d * kMinutesPerDay;
        int32_t start = dayStart;
        int32_t length = 0;
        bool duty = true;
        if (value >= 0 && value < ScheduleDocument::kPairCapacity) {
            const TPair& p = doc.Pairs[U(value)];
            start += Minutes(p.OnTime);
            length = Minutes(p.Tafb);
        } else if (value == kOtherSlot) {
            const auto& other = scratch.DayOther[U(d)];
            duty = other[OtherValue::ContainsDuty] != 0;
            start += Minutes(other[OtherValue::Start]);
            length = Minutes(other[OtherValue::Length]);
        } else {
            continue;
        }
        const std::string name = DutyName(doc, scratch, d);
        if (d == slot && start < legal)
            return refuse(RestConflict(name, previous, start - (legal - minRest), minRest));
        if (d > slot && duty && start < placedLegal)
            return refuse(RestConflict(name, placedName, start - (placedLegal - minRest), minRest));
        if (d > slot && !duty && placedLegal - minRest > dayStart)
            return refuse(name + " overlaps " + placedName);
        if (!duty)
            continue;
        const int32_t rested = start + length + minRest;
        if (d == slot) {
            placedLegal = rested;
            placedName = name;
        }
        if (rested >= legal) {
            legal = rested;
            previous = name;
        }
    }

    CheckLegalityOf(doc, scratch, crew);
    if (CountIllegalDays(scratch, days) <= before)
        return CanAssignResult::Legal;
    if (why)
        *why = NewIllegalities(member.Illegalities, scratch.Illegalities);
    return CanAssignResult::AddsIllegalDays;
}

CanAssignResult CanAssign(ScheduleDocument& doc, int crew, int pairing, int slot)
{
    TPilot scratch;
    return CanAssign(doc, crew, pairing, slot, scratch);
}

bool BidsPairingNumber(const TPilot& crew, int pairNumber)
{
    const size_t marker = crew.FilterText.find("TEXT");
    if (marker == std::string::npos)
        return false;
    for (size_t i = 0; i + 4 <= marker; i += 4)
        if (LeadingInt(std::string_view(crew.FilterText).substr(i, 4)) == pairNumber)
            return true;
    return false;
}

WhoIsLegalLists WhoIsLegal(ScheduleDocument& doc, int pairing, int slot)
{
    WhoIsLegalLists lists;
    if (pairing < 0 || pairing >= ScheduleDocument::kPairCapacity || slot < 0 ||
        slot >= TPilot::kSlots)
        return lists;
    const TPair& p = doc.Pairs[U(pairing)];
    lists.Caption = Format("Tessara Lines - %04d on %02d %.6s", p.PairNumber,
                           doc.DayDate[U(slot)].Day, doc.MonthName.data());

    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    std::vector<bool> inFirst(size_t(crewCount), false);
    TPilot scratch; // one record for the whole roster
    auto reason = [&](int c, const std::string& text) {
        lists.Reasons.push_back(Format("%03d ", c + 1) + doc.Crew[U(c)].Name + ": " + text);
    };
    for (int c = 0; c < crewCount; ++c) {
        const TPilot& member = doc.Crew[U(c)];
        if (member.BidReserveOrLoa) {
            reason(c, "bids reserve or is on leave");
            continue;
        }
        if (member.BeyondBlockHolders) {
            reason(c, "beyond the block holders");
            continue;
        }
        std::string why;
        const CanAssignResult result = CanAssign(doc, c, pairing, slot, scratch, &why);
        if (result == CanAssignResult::CannotAssign) {
            reason(c, why);
            continue;
        }
        lists.Legal.push_back(
            Format(result == CanAssignResult::Legal ? "%03d " : "%03d Exception-> ", c + 1) +
            member.Name);
        lists.LegalCrew.push_back(c);
        inFirst[U(c)] = true;
        if (result == CanAssignResult::AddsIllegalDays)
            reason(c, why);
    }
    for (int c = 0; c < crewCount; ++c) {
        const TPilot& member = doc.Crew[U(c)];
        if (!BidsPairingNumber(member, p.PairNumber))
            continue;
        lists.Bidders.push_back(Format(inFirst[U(c)] ? "%03d <<< " : "%03d ", c + 1) + member.Name);
    }
    return lists;
}

} // namespace tl
