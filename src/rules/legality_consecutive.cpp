// Consecutive days on and off: pilots' runs of duty and reserve days, and
// flight attendants' days on and off.
#include "rules/legality_rules.h"

#include "model/text_format.h"
#include "model/vortime.h"

namespace tl::legality {

namespace {

// " Con Days On" and the marked extended days 29..69; the first day past
// the month's next day ends the list.
void WriteConDays(std::string& text, const CrewView& v, const ExtMarks& marks)
{
    bool header = false;
    for (int e = 29; e <= 69; ++e) {
        if (!marks[e])
            continue;
        if (!header) {
            text += " Con Days On";
            header = true;
        }
        if (e < kPrevDays) {
            const TDate date = v.doc.PrevDate[U(e)];
            text +=
                Format(e == 29 ? " %d %s " : " <- %d %s ", date.Day, MonthAbbreviation(date.Month));
        } else if (e > v.days + kPrevDays) {
            text += " NextMonth.";
            break;
        } else {
            AppendDay(text, v, e - kPrevDays);
        }
    }
}

} // namespace

void CheckPilotConsecutiveDays(CrewView& v)
{
    DayArray<int32_t, kExtDays> kind{}; // 0 free, 1 worked, 2 reserve
    for (int e = 24; e <= 37; ++e)
        kind[e] = v.Carry(e, CarryValue::DayKind);
    for (int d = 0; d < v.days; ++d) {
        const int e = d + kPrevDays;
        if (const TPair* p = v.pair[d]) {
            const int span = GraceDays(*p);
            for (int k = 0; k < span && e + k < kExtDays; ++k)
                kind[e + k] = 1;
        } else if (v.OtherReserve(d)) {
            kind[e] = 2;
            if (v.Other(d, OtherValue::Start) + v.Other(d, OtherValue::Length) > 1560)
                kind[e + 1] = 2;
        } else if (v.OtherDuty(d)) {
            kind[e] = 1;
        }
    }
    ExtMarks warned{};
    ExtMarks illegal{};
    for (int e = 24, run = 0; e <= 69; ++e) {
        run = kind[e] != 0 ? run + 1 : 0;
        if (run > 6) {
            warned[e] = true;
            if (e >= kPrevDays) {
                v.Warn(e - kPrevDays);
                run = 0;
            }
        }
    }
    // Five or six reserve days need two days off on both sides.
    for (int e = 24, run = 0; e <= 61; ++e) {
        run = kind[e] == 2 ? run + 1 : 0;
        bool free = true;
        if (run == 5)
            free = kind[e + 1] == 0 && kind[e + 2] == 0 && kind[e - 5] == 0 && kind[e - 6] == 0;
        else if (run == 6)
            free = kind[e + 1] == 0 && kind[e + 2] == 0 && kind[e - 6] == 0 && kind[e - 7] == 0;
        if (!free) {
            warned[e + 1] = true;
            if (e >= 30)
                v.Warn(e - 30);
        }
        if (run > 7) {
            illegal[e] = true;
            if (e >= kPrevDays) {
                v.Illegal(e - kPrevDays);
                run = 0;
            }
        }
    }
    WriteConDays(v.crew.Warnings, v, warned);
    WriteConDays(v.crew.Illegalities, v, illegal);
}

void CheckAttendantDaysOnOff(CrewView& v)
{
    const bool reserveLine = v.crew.BidReserveOrLoa != 0 || v.crew.BeyondBlockHolders != 0;
    SlotMarks worked{};
    for (int s = 0; s <= 4; ++s)
        worked[s] = v.Carry(s + kPrevDays, CarryValue::DayKind) != kNothingCarried;
    for (int s = 0; s < kSlots; ++s) {
        if (const TPair* p = v.pair[s]) {
            const int span = FullDays(*p);
            for (int k = 0; k < span && s + k < kSlots; ++k)
                worked[s + k] = true;
        } else if (v.OtherDuty(s)) {
            worked[s] = true;
        }
    }
    int run = 0;
    int off = 0;
    for (int e = 30; e > 30 - 6 && v.Carry(e, CarryValue::DayKind) != kNothingCarried; --e)
        ++run;
    for (int e = 30; e > 30 - 6 && v.Carry(e, CarryValue::DayKind) == kNothingCarried; --e)
        ++off;
    --off;

    SlotMarks warned{};
    for (int s = 0; s < kSlots; ++s) {
        if (!worked[s]) {
            run = 0;
            ++off;
            continue;
        }
        if (reserveLine && off == 0) {
            warned[s] = true; // a single day off between worked days
            run = 0;
        }
        ++run;
        if (reserveLine && run >= 6) {
            warned[s] = true;
            run = 0;
        } else if (run > 6) {
            warned[s] = true;
            run = 0;
            int f = s + 1;
            while (f < kSlots && worked[f])
                ++f;
            if (f + 1 < kSlots && worked[f + 1])
                warned[f] = true;
        }
        off = -1;
    }
    bool header = false;
    for (int s = 0; s < kSlots; ++s) {
        if (!warned[s])
            continue;
        if (!header) {
            v.crew.Warnings += "Con Days On/Off";
            header = true;
        }
        if (s > v.days) {
            v.crew.Warnings += " C/Out.";
            break;
        }
        AppendDay(v.crew.Warnings, v, s);
    }
    // Every warned slot is flagged, listed or not.
    for (int s = 0; s < kSlots; ++s)
        if (warned[s])
            v.Warn(s);
}

} // namespace tl::legality
