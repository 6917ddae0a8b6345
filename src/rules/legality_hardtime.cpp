// Hard (block) time over rolling windows: 40 hours in 7 days, 120 in 30.
#include "rules/legality_rules.h"

namespace tl::legality {

namespace {

// Sums hard time over every window of `width` days that starts in the month
// or reaches into it, last month's daily hard time counting for slots below 5;
// a slot is marked when the running sum of its window passes the limit.
SlotMarks HardWindows(const CrewView& v, int width, int32_t limit, int ignoreFrom)
{
    // Hard time of day i, from width-1 days before the month on.
    DayArray<int32_t, 30 + kSlots> day{};
    const int first = -(width - 1);
    for (int i = first; i < v.days + width - 1 && i < ignoreFrom; ++i) {
        if (i < 5)
            day[i - first] += v.Carry(i + kPrevDays, CarryValue::HardTime);
        if (i >= 0)
            day[i - first] += v.hard[i];
    }
    SlotMarks marks{};
    for (int s = first; s < v.days; ++s) {
        int32_t sum = 0;
        for (int i = s; i < s + width && i < ignoreFrom; ++i) {
            sum += day[i - first];
            if (i >= 0 && sum > limit)
                marks[i] = true;
        }
    }
    return marks;
}

} // namespace

void CheckHardIn7(CrewView& v)
{
    const SlotMarks marks = HardWindows(v, 7, 2400, kSlots);
    bool header = false;
    for (int i = 0; i <= 36 && i < kSlots; ++i) {
        if (!marks[i])
            continue;
        if (!header) {
            v.crew.Illegalities += " 40+ Hours Hard in 7 On";
            header = true;
        }
        if (i > v.days) {
            v.crew.Illegalities += " C/O.";
            break;
        }
        AppendDay(v.crew.Illegalities, v, i);
    }
    // Every marked slot is flagged, listed or not.
    for (int i = 0; i < kSlots; ++i)
        if (marks[i])
            v.Illegal(i);
}

void CheckHardIn30(CrewView& v)
{
    const SlotMarks marks = HardWindows(v, 30, 7200, v.days + 5);
    bool header = false;
    for (int i = 0; i < kSlots; ++i) {
        if (!marks[i])
            continue;
        if (!header) {
            v.crew.Illegalities += " 120+ Hours Hard in 30 on";
            header = true;
        }
        if (i > v.days) {
            v.crew.Illegalities += " C/Out";
            break;
        }
        AppendDay(v.crew.Illegalities, v, i);
    }
    for (int i = 0; i < kSlots; ++i)
        if (marks[i])
            v.Illegal(i);
}

} // namespace tl::legality
