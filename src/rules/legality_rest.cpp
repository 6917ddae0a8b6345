// Rest between duties: pilots and flight attendants.
#include "model/vortime.h"
#include "rules/legality_rules.h"

namespace tl::legality {

namespace {

// Days off after which a release before 02:00 is still legal.
bool IsDayOffCode(std::string_view code)
{
    return CodeIs(code, "STT") || CodeIs(code, "VAC") || CodeIs(code, "GO") || CodeIs(code, "STA");
}

} // namespace

void CheckPilotRest(CrewView& v)
{
    const int last = v.days + 30;
    int32_t earliest = Minutes(v.crew.CarryIn[CarryInEntry::LegalAt]);
    int32_t start = 0; // last start seen, before any clock correction
    int32_t minRest = kPilotMinRest;
    int32_t prevRest = kPilotMinRest;
    SlotMarks illegal{};
    SlotMarks warned{};
    for (int d = 0; d <= last; ++d) {
        const int32_t dayStart = d * kMinutesPerDay;
        if (const TPair* p = v.pair[d]) {
            const int32_t previous = start;
            start = Minutes(p->OnTime) + dayStart;
            minRest = p->MinRest > kPilotMinRest ? Minutes(p->MinRest) : kPilotMinRest;
            const int32_t measured = v.DstCorrectedStart(previous, start);
            if (measured < earliest)
                illegal[d] = true;
            else if (measured < earliest + 60)
                warned[d] = true;
            earliest = start + Minutes(p->Tafb) + minRest;
            prevRest = minRest;
        } else if (v.other[d] && v.OtherDuty(d)) {
            const bool reserve = v.OtherReserve(d);
            minRest = kPilotMinRest;
            const int32_t previous = start;
            start = v.Other(d, OtherValue::Start) + dayStart;
            const int32_t measured = v.DstCorrectedStart(previous, start);
            if (measured < earliest) {
                if (!reserve || measured < earliest - 121 ||
                    (d == 0 && v.Carry(30, CarryValue::DayKind) == kReserveDay))
                    illegal[d] = true;
            } else if (measured < earliest + 60 && !reserve) {
                warned[d] = true;
            }
            prevRest = reserve ? 539 : kPilotMinRest;
            earliest = v.Other(d, OtherValue::Start) + dayStart + v.Other(d, OtherValue::Length) +
                       prevRest;
        } else if (v.other[d]) {
            // A day off after a release by 02:00 of that day is legal.
            start = IsDayOffCode(v.crew.DayCode[U(d)])
                        ? dayStart + prevRest + 120
                        : v.Other(d, OtherValue::Start) + dayStart + kPilotMinRest;
            if (start < earliest && !v.OtherReserve(d))
                illegal[d] = true;
            earliest = v.Other(d, OtherValue::Start) + dayStart + v.Other(d, OtherValue::Length);
            prevRest = 0;
        }
    }
    auto write = [&](std::string& text, const SlotMarks& marks, bool flagIllegal) {
        bool header = false;
        for (int d = 0; d <= last; ++d) {
            if (!marks[d])
                continue;
            if (!header) {
                text += " Rest ";
                header = true;
            }
            AppendDay(text, v, d);
            if (d >= v.days)
                text += '+';
            if (flagIllegal)
                v.Illegal(d);
            else
                v.Warn(d);
        }
    };
    write(v.crew.Illegalities, illegal, true);
    write(v.crew.Warnings, warned, false);
}

void CheckAttendantRest(CrewView& v)
{
    const int last = v.days + 30;
    int32_t earliest = Minutes(v.crew.CarryIn[CarryInEntry::LegalAt]);
    int32_t start = 0;
    // A night pairing at the end of last month followed by a free first day.
    bool chain = v.Carry(30, CarryValue::PairingStart) > 1080 &&
                 v.Carry(30, CarryValue::PairingTafb) > 480 && v.Carry(31, CarryValue::Credit) == 0;
    SlotMarks illegal{};
    for (int d = 0; d <= last; ++d) {
        const int32_t dayStart = d * kMinutesPerDay;
        if (const TPair* p = v.pair[d]) {
            const int32_t previous = start;
            start = Minutes(p->OnTime) + dayStart;
            const int32_t measured = v.DstCorrectedStart(previous, start);
            if (p->CrossesMidnight && chain)
                earliest -= 120;
            if (measured < earliest)
                illegal[d] = true;
            earliest = start + Minutes(p->Tafb) + kAttendantMinRest;
            chain = p->CrossesMidnight;
        } else if (v.other[d]) {
            const int32_t previous = start;
            if (v.OtherDuty(d)) {
                start = v.DstCorrectedStart(previous, v.Other(d, OtherValue::Start) + dayStart);
                if (start < earliest && !v.OtherReserve(d))
                    illegal[d] = true;
                earliest = v.Other(d, OtherValue::Start) + dayStart +
                           v.Other(d, OtherValue::Length) + kAttendantMinRest;
                start = v.Other(d, OtherValue::Start) + dayStart;
            } else {
                start = v.Other(d, OtherValue::Start) + dayStart + kAttendantMinRest;
                if (start < earliest && !v.OtherReserve(d))
                    illegal[d] = true;
                earliest =
                    v.Other(d, OtherValue::Start) + dayStart + v.Other(d, OtherValue::Length);
            }
            chain = false;
        }
    }
    bool header = false;
    for (int d = 0; d < v.days; ++d) {
        if (!illegal[d])
            continue;
        if (!header) {
            v.crew.Illegalities += " Rest ";
            header = true;
        }
        AppendDay(v.crew.Illegalities, v, d);
        v.Illegal(d);
    }
}

} // namespace tl::legality
