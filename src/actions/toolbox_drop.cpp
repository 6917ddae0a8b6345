#include "actions/toolbox_drop.h"

#include "model/activity_codes.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "rules/legality.h"

#include <algorithm>
#include <charconv>

namespace tl {

namespace {

constexpr std::string_view kRequestTag = "request:";
constexpr std::string_view kActivityTag = "activity:";
// Start and end of the activity day in the built-in rows.
constexpr size_t kRowStart = 121;
constexpr size_t kRowEnd = 127;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

int DayOfMonth(const ScheduleDocument& doc, int day)
{
    return doc.DayDate[U(day)].Day;
}

// Minutes from start to end of a day that may end after midnight.
int32_t Span(int32_t start, int32_t end)
{
    if (start < 0 || end < 0 || start >= kMinutesPerDay || end >= kMinutesPerDay)
        return 0;
    return end < start ? kMinutesPerDay - start + end : end - start;
}

bool IsReserveCode(std::string_view code, bool pilots)
{
    return code == "RA" || code == "RB" || code == "RC" || code == "RE" || (pilots && code == "RT");
}

// What an activity item writes into a day.
struct ActivityDay {
    std::string Code;
    std::string Tracking;
    int32_t Start = 0;
    int32_t Length = 0;
    ActivityCodeInfo Info;
};

std::optional<ActivityDay> ActivityOfItem(const ScheduleDocument& doc, int index,
                                          Interaction& trace)
{
    const std::vector<ToolBoxActivityItem> items = ToolBoxActivityItems(doc);
    if (index < 0 || U(index) >= items.size())
        return std::nullopt;
    const ToolBoxActivityItem& item = items[U(index)];
    ActivityDay day;
    day.Tracking = item.TrackingCode;
    if (doc.AbsenceCount <= 0) {
        const auto rows = BuiltInActivityRows();
        if (item.Index < 0 || U(item.Index) >= rows.size())
            return std::nullopt;
        const std::string_view row = rows[U(item.Index)];
        // The item's own row, not the first row with its tracking code.
        auto info = LookupActivityRow(rows.subspan(U(item.Index), 1), ActivityCrewType(doc),
                                      item.TrackingCode, trace);
        if (!info)
            return std::nullopt;
        day.Info = *info;
        if (row.size() >= kRowEnd + 5) {
            const int32_t start = ParseHoursMinutes(row.substr(kRowStart, 5), true);
            const int32_t end = ParseHoursMinutes(row.substr(kRowEnd, 5), true);
            day.Start = std::max(start, 0);
            day.Length = Span(start, end);
        }
    } else {
        const int count = std::min(doc.AbsenceCount, ScheduleDocument::kAbsenceCapacity);
        if (item.Index < 0 || item.Index >= count)
            return std::nullopt;
        const TAbsence& record = doc.Absences[U(item.Index)];
        day.Info.Activity = record.AbsText1;
        day.Info.Credit = std::max(record.AbsValue3, 0);
        day.Info.Value4 = std::max(record.AbsValue4, 0);
        day.Info.Duty = record.AbsFlag1;
        day.Info.Duty2 = record.AbsFlag2;
        day.Info.Flag3 = record.AbsFlag3;
        day.Info.Reserve = IsReserveCode(record.AbsText2, doc.CrewKind != kFlightAttendants) &&
                           record.AbsText1 != "RTB";
        day.Start = std::clamp(record.AbsValue1, 0, kMinutesPerDay - 1);
        day.Length = Span(record.AbsValue1, record.AbsValue2);
    }
    day.Code = day.Info.Activity;
    return day;
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// Refuses a day that is not free; true when the item may go on it.
ToolBoxDropResult CheckFreeDay(const ScheduleDocument& doc, Interaction& ui, int crew, int day,
                               std::string_view code)
{
    const TPilot& member = doc.Crew[U(crew)];
    const std::string dayText = std::to_string(DayOfMonth(doc, day));
    if (PairingCoveringDay(doc, crew, day) >= 0) {
        ui.Message(kCaption,
                   FillTexts("Can't Assign %s to %s on Day %s. A Pairing is Assigned that day",
                             {code, member.Name, dayText}),
                   Icon::Warning);
        return ToolBoxDropResult::PairingDay;
    }
    if (member.DaySlot[U(day)] == kOtherSlot) {
        ui.Message(
            kCaption,
            FillTexts("Can't Assign %s to %s on Day %s. %s is Assigned that day. Remove it "
                      "first (Right Click)",
                      {code, member.Name, dayText, Trimmed(std::string(member.DayCode[U(day)]))}),
            Icon::Warning);
        return ToolBoxDropResult::OtherDay;
    }
    return ToolBoxDropResult::Done;
}

} // namespace

std::string EncodeToolBoxItem(const ToolBoxItemRef& item)
{
    return std::string(item.kind == ToolBoxItemRef::Kind::Request ? kRequestTag : kActivityTag) +
           std::to_string(item.Index);
}

std::optional<ToolBoxItemRef> DecodeToolBoxItem(std::string_view text)
{
    ToolBoxItemRef item;
    if (text.starts_with(kRequestTag)) {
        item.kind = ToolBoxItemRef::Kind::Request;
        text.remove_prefix(kRequestTag.size());
    } else if (text.starts_with(kActivityTag)) {
        item.kind = ToolBoxItemRef::Kind::Activity;
        text.remove_prefix(kActivityTag.size());
    } else {
        return std::nullopt;
    }
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), item.Index);
    if (error != std::errc() || end != text.data() + text.size() || item.Index < 0)
        return std::nullopt;
    return item;
}

int PairingCoveringDay(const ScheduleDocument& doc, int crew, int day)
{
    if (crew < 0 || crew >= std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity) || day < 0 ||
        day >= TPilot::kSlots)
        return -1;
    const TPilot& member = doc.Crew[U(crew)];
    const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    for (int start = day; start >= 0 && start > day - TPair::kDays; --start) {
        const int32_t p = member.DaySlot[U(start)];
        if (p < 0 || p > last)
            continue;
        if (start == day || day < start + std::max<int>(doc.Pairs[U(p)].Length, 1))
            return p;
    }
    return -1;
}

ToolBoxDropResult ApplyToolBoxItem(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                                   const ToolBoxItemRef& item)
{
    if (crew < 0 || crew >= std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity) || day < 0 ||
        day >= TPilot::kSlots)
        return ToolBoxDropResult::OutOfRange;
    TPilot& member = doc.Crew[U(crew)];

    if (item.kind == ToolBoxItemRef::Kind::Request) {
        const auto requests = ToolBoxRequestItems();
        if (item.Index < 0 || U(item.Index) >= requests.size())
            return ToolBoxDropResult::OutOfRange;
        const ToolBoxRequestItem& request = requests[U(item.Index)];
        if (member.EmpNumber < 0) {
            ui.Message(kCaption, "Open Lines take no Requests", Icon::Warning);
            return ToolBoxDropResult::OpenLine;
        }
        if (const auto refused = CheckFreeDay(doc, ui, crew, day, request.Code);
            refused != ToolBoxDropResult::Done)
            return refused;
        // Dropping the request a day holds takes it off again.
        const bool clear = member.DayFlag[U(day)] == request.DayFlag;
        member.DayFlag[U(day)] = clear ? int8_t{0} : request.DayFlag;
        if (doc.GridOn)
            ComputeDayBalance(doc); // day-off requests count in the balance
        doc.Modified = true;
        doc.Events().CrewRowChanged(crew, day, day);
        return clear ? ToolBoxDropResult::Cleared : ToolBoxDropResult::Done;
    }

    std::optional<ActivityDay> activity = ActivityOfItem(doc, item.Index, ui);
    if (!activity)
        return ToolBoxDropResult::OutOfRange;
    const std::string code = Trimmed(activity->Code);
    if (member.EmpNumber < 0) {
        ui.Message(kCaption, FillTexts("Can't Assign %s to an Open Line", {code}), Icon::Warning);
        return ToolBoxDropResult::OpenLine;
    }
    if (const auto refused = CheckFreeDay(doc, ui, crew, day, code);
        refused != ToolBoxDropResult::Done)
        return refused;

    TPilot::SlotValues& other = member.DayOther[U(day)];
    const ActivityCodeInfo& info = activity->Info;
    other.fill(0);
    other[OtherValue::Start] = activity->Start;
    other[OtherValue::Length] = activity->Length;
    other[OtherValue::Credit] = info.Credit;
    other[OtherValue::HardTime] = info.Value4;
    other[OtherValue::Reserve] = info.Reserve ? 1 : 0;
    other[OtherValue::ContainsDuty] = info.Duty ? 1 : 0;
    other[OtherValue::ExcludeCredit] = info.Flag3 ? 0 : 1;
    other[OtherValue::CarsDuty] = info.Duty2 ? 1 : 0;
    member.DaySlot[U(day)] = kOtherSlot;
    member.DayCode[U(day)] = activity->Code;
    member.DayCode2[U(day)] = activity->Tracking;

    CheckLegality(doc, crew);
    if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);
    BlockCredit(doc, crew, false, ui);
    member.IsAllMonthLeave(std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays));
    if (doc.GridOn) {
        ComputeBlockHolderCut(doc);
        ComputeDayBalance(doc); // the day is no longer free
    }
    doc.Modified = true;
    doc.Events().CrewRowChanged(crew, day, day);
    if (info.Reserve)
        doc.Events().GridChanged(); // the reserve counts under the crew rows
    return ToolBoxDropResult::Done;
}

} // namespace tl
