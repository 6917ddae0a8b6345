#include "ui/grid/grid_text.h"

#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"

#include <algorithm>
#include <cstdint>

namespace tl::ui {

bool IsPairing(const ScheduleDocument& doc, int slotValue)
{
    return slotValue >= 0 && slotValue <= doc.LastPair &&
           slotValue < ScheduleDocument::kPairCapacity;
}

int CrewRows(const ScheduleDocument& doc)
{
    return std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
}

int MonthDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

int DrawnLength(const ScheduleDocument& doc, int pairing)
{
    return std::clamp<int>(doc.Pairs[Ix(pairing)].Length, 1, TPair::kDays);
}

int PairingCovering(const ScheduleDocument& doc, const TPilot& crew, int slot, int* startDay)
{
    if (slot < 0 || slot >= TPilot::kSlots)
        return -1;
    for (int start = slot; start >= 0 && slot - start < TPair::kDays; --start) {
        int p = crew.DaySlot[Ix(start)];
        if (p == kOtherSlot && start != slot)
            return -1;
        if (!IsPairing(doc, p))
            continue;
        if (start + DrawnLength(doc, p) > slot) {
            if (startDay)
                *startDay = start;
            return p;
        }
        return -1;
    }
    return -1;
}

namespace {

std::string Clock(int32_t minutes)
{
    return FormatHoursMinutes(minutes, false);
}

} // namespace

std::string PairingHoverText(const ScheduleDocument& doc, int pairing)
{
    const TPair& p = doc.Pairs[Ix(pairing)];
    return Format("Pair %04d  On %s  Off %s  Credit %s  Type %s", p.PairNumber,
                  Clock(p.OnTime).c_str(), Clock(p.OffTime).c_str(), Clock(p.Credit).c_str(),
                  p.PairType.substr(0, 40).c_str());
}

std::string OtherHoverText(const TPilot& crew, int slot)
{
    const TPilot::SlotValues& v = crew.DayOther[Ix(slot)];
    std::string start = v[OtherValue::Start] < 0 ? std::string() : Clock(v[OtherValue::Start]);
    std::string length = v[OtherValue::Length] < 0 ? std::string() : Clock(v[OtherValue::Length]);
    return Format("%s  On %s  TAFB %s  Credit %s  Hard %s",
                  crew.DayCode[Ix(slot)].substr(0, 40).c_str(), start.c_str(), length.c_str(),
                  Clock(v[OtherValue::Credit]).c_str(), Clock(v[OtherValue::HardTime]).c_str());
}

std::string LastMonthHoverText(const TPilot& crew, int extended)
{
    const TPilot::SlotValues& v = crew.DayCarry[Ix(extended)];
    const char* duty = v[CarryValue::DayKind] == kWorkedDay    ? "Yes"
                       : v[CarryValue::DayKind] == kReserveDay ? "Res"
                                                               : "No";
    // Only a pairing's first day holds its name: a later day it runs on
    // into shows the pairing.
    int from = extended;
    if (crew.DayText[Ix(extended)].empty() && v[CarryValue::DayKind] != kNothingCarried) {
        for (int e = extended - 1; e >= 0 && extended - e < TPair::kDays; --e) {
            const TPilot::SlotValues& start = crew.DayCarry[Ix(e)];
            if (crew.DayText[Ix(e)].empty())
                continue;
            const int64_t end = int64_t{e} * kMinutesPerDay + start[CarryValue::PairingStart] +
                                start[CarryValue::PairingTafb];
            if (start[CarryValue::PairingTafb] > 0 && end > int64_t{extended} * kMinutesPerDay)
                from = e;
            break;
        }
    }
    const TPilot::SlotValues& shown = crew.DayCarry[Ix(from)];
    return Format("%s  On %s  TAFB %s  Duty %s", crew.DayText[Ix(from)].substr(0, 40).c_str(),
                  Clock(shown[CarryValue::PairingStart]).c_str(),
                  Clock(shown[CarryValue::PairingTafb]).c_str(), duty);
}

std::string DayHoverText(const ScheduleDocument& doc, int crew, int slot, bool lastMonthView)
{
    if (crew < 0 || crew >= CrewRows(doc) || slot < 0 || slot >= TPilot::kSlots)
        return {};
    const TPilot& c = doc.Crew[Ix(crew)];
    if (lastMonthView)
        return LastMonthHoverText(c, slot);
    if (c.DaySlot[Ix(slot)] == kOtherSlot)
        return OtherHoverText(c, slot);
    int pairing = PairingCovering(doc, c, slot, nullptr);
    return pairing >= 0 ? PairingHoverText(doc, pairing) : std::string();
}

std::string WatermarkText(int fileKind)
{
    static const char* const kWords[] = {"PREBUILD", "PRESKED", "FINAL"};
    if (fileKind < 1 || fileKind > 3)
        return {};
    std::string word;
    for (const char* c = kWords[Ix(fileKind - 1)]; *c; ++c) {
        word += *c;
        word += "  ";
    }
    if (fileKind != 1)
        word += ' ';
    std::string line;
    while (line.size() < 500)
        line += word;
    return line;
}

std::string RowLabelText(const ScheduleDocument& doc, const TPilot& crew, int row)
{
    const char* prefix = "";
    switch (crew.CarryIn[CarryInEntry::Qualification]) {
    case kLtc:
        prefix = "# ";
        break;
    case kCheckB:
        prefix = doc.CrewKind == kFlightAttendants ? ":" : "+ ";
        break;
    case kCheckPilot:
        prefix = "@ ";
        break;
    default:
        break;
    }
    return Format("%d %s%s", row + 1, prefix, crew.Name.substr(0, 60).c_str());
}

} // namespace tl::ui
