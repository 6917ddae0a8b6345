// Fatigue: accumulated fatigue units and runs of long duty days.
#include "model/vortime.h"
#include "rules/legality_rules.h"

namespace tl::legality {

void CheckFatigueUnits(CrewView& v)
{
    int32_t fu = Minutes(v.crew.CarryIn[CarryInEntry::FatigueUnits]); // units scaled by 60
    SlotMarks occupied{};
    SlotMarks marks{};
    for (int d = 0; d < v.days; ++d) {
        if (const TPair* p = v.pair[d]) {
            const int span = GraceDays(*p);
            for (int k = 0; k < span && d + k < kSlots; ++k)
                occupied[d + k] = true;
            fu += Minutes(p->FatigueUnits);
        } else if (v.other[d]) {
            if (v.OtherDuty(d))
                fu += v.Other(d, OtherValue::Length);
            else
                fu = 0;
        } else if (!occupied[d]) {
            fu = 0;
            continue;
        } else {
            continue;
        }
        if (fu > 6000) {
            marks[d] = true;
            fu = 0;
        }
    }
    bool header = false;
    for (int d = 0; d < v.days; ++d) {
        if (!marks[d])
            continue;
        if (!header) {
            v.crew.Illegalities += " 100+ Fatigue Units on";
            header = true;
        }
        AppendDay(v.crew.Illegalities, v, d);
        v.Illegal(d);
    }
}

void CheckTwelveHourDuties(CrewView& v)
{
    constexpr int kLast = 68;
    DayArray<int32_t, kLast + 1> dutyStart{};
    DayArray<int32_t, kLast + 1> dutyLength{};
    DayArray<bool, kLast + 1> hasDuty{};
    DayArray<bool, kLast + 1> rested{};
    int32_t previousEnd = -kMinutesPerDay;
    auto pairingAt = [&](int e, int32_t start, int32_t length) {
        if (start - previousEnd >= kMinutesPerDay)
            rested[e] = true;
        previousEnd = start + length;
    };
    // Last month's pairings and their duty days.
    for (int e = 0; e <= 44; ++e) {
        const int32_t report = v.Carry(e, CarryValue::PairingStart);
        if (report <= 0)
            continue;
        pairingAt(e, e * kMinutesPerDay + report, v.Carry(e, CarryValue::PairingTafb));
        const int32_t span = (report + v.Carry(e, CarryValue::PairingTafb)) / kMinutesPerDay + 1;
        for (int k = 0; k < span && e + k <= kLast && e + k < kSlots; ++k) {
            if (v.Carry(e + k, CarryValue::DayKind) != kWorkedDay)
                continue;
            dutyStart[e + k] = v.Carry(e + k, CarryValue::DutyStart);
            dutyLength[e + k] = v.Carry(e + k, CarryValue::DutyTime);
            hasDuty[e + k] = true;
        }
    }
    // This month's pairings (flying days only) and duties of other assignments.
    for (int d = 0; d < v.days; ++d) {
        const int e = d + kPrevDays;
        if (const TPair* p = v.pair[d]) {
            pairingAt(e, e * kMinutesPerDay + Minutes(p->OnTime), Minutes(p->Tafb));
            const int n = DutyDays(*p);
            for (int k = 0; k < n && e + k <= kLast; ++k) {
                if (p->DayHard[U(k)] <= 0)
                    continue;
                dutyStart[e + k] = Minutes(p->DayStart[U(k)]);
                dutyLength[e + k] = Minutes(p->DayDuty[U(k)]);
                hasDuty[e + k] = true;
            }
        } else if (v.other[d] && v.crew.DayOther[U(d)][OtherValue::HardTime] > 0) {
            dutyStart[e] = v.Other(d, OtherValue::Start);
            dutyLength[e] = v.Other(d, OtherValue::Length);
            hasDuty[e] = true;
        }
    }
    ExtMarks marks{};
    int count = 0;
    int32_t lastEnd = -kMinutesPerDay;
    for (int e = 0; e <= kLast; ++e) {
        if (rested[e])
            count = 0;
        if (!hasDuty[e])
            continue;
        const int32_t s = e * kMinutesPerDay + dutyStart[e];
        if (dutyLength[e] < 720) {
            if (s - lastEnd >= kMinutesPerDay)
                count = 0;
            lastEnd = s + dutyLength[e];
            count = count < 3 ? 0 : count + 1;
        } else {
            lastEnd = s + dutyLength[e];
            ++count;
        }
        if (count > 3) {
            marks[e] = true;
            count = 0;
        }
    }
    bool header = false;
    bool lastMonth = false;
    for (int e = 0; e <= kLast; ++e) {
        if (!marks[e])
            continue;
        if (!header) {
            v.crew.Illegalities += " 3+ 12 Hr Duty on";
            header = true;
        }
        if (e < kPrevDays) {
            if (!lastMonth)
                v.crew.Illegalities += " Last Month";
            lastMonth = true;
        } else if (e <= v.days + 30) {
            AppendDay(v.crew.Illegalities, v, e - kPrevDays);
            v.Illegal(e - kPrevDays);
        } else {
            v.crew.Illegalities += " C/O";
            v.Illegal(e - kPrevDays);
            break;
        }
    }
}

} // namespace tl::legality
