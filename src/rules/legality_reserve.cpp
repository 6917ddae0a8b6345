// Reserve rules: the spacing of RA, RB and RE reserve days (pilots) and the
// grouping of RB days (flight attendants).
#include "rules/legality_rules.h"

namespace tl::legality {

namespace {

enum class Reserve { None, RA, RB, RE };

// Reserve kind of a crew tracking code, kept with or without its padding.
Reserve ReserveKind(std::string_view code, bool withStandby)
{
    if (CodeIs(code, "RA") || (withStandby && CodeIs(code, "RSA")))
        return Reserve::RA;
    if (CodeIs(code, "RB") || (withStandby && CodeIs(code, "RSB")))
        return Reserve::RB;
    if (CodeIs(code, "RE") || (withStandby && CodeIs(code, "RSE")))
        return Reserve::RE;
    return Reserve::None;
}

} // namespace

void CheckReserveMix(CrewView& v)
{
    Reserve lastKind = Reserve::None;
    int gap = 0;
    for (int e = 30; e >= 28; --e) {
        const Reserve kind = ReserveKind(v.crew.DayText[U(e)], true);
        if (kind == Reserve::None)
            continue;
        if (e > 28 || kind == Reserve::RB) {
            lastKind = kind;
            gap = 30 - e;
        }
        break;
    }
    bool header = false;
    for (int d = 0; d < v.days; ++d) {
        const Reserve kind = v.other[d] ? ReserveKind(v.crew.DayCode2[U(d)], false) : Reserve::None;
        bool illegal = false;
        switch (kind) {
        case Reserve::RA:
            illegal = lastKind == Reserve::RB && gap < 2;
            break;
        case Reserve::RB:
            illegal = (lastKind == Reserve::RA || lastKind == Reserve::RE) && gap < 2;
            break;
        case Reserve::RE:
            illegal = (lastKind == Reserve::RA && gap < 1) || (lastKind == Reserve::RB && gap < 3);
            break;
        case Reserve::None:
            break;
        }
        if (kind != Reserve::None) {
            lastKind = kind;
            gap = 0;
        } else {
            ++gap;
        }
        if (!illegal)
            continue;
        if (!header) {
            v.crew.Illegalities += " RA RB RE Mix On";
            header = true;
        }
        AppendDay(v.crew.Illegalities, v, d);
        v.Illegal(d);
    }
}

void CheckRbGrouping(CrewView& v)
{
    DayArray<bool, kExtDays + 1> rb{};
    DayArray<bool, kExtDays + 1> worked{};
    bool anyRb = false;
    for (int e = 0; e <= 35; ++e)
        worked[e] = v.Carry(e, CarryValue::DayKind) != kNothingCarried;
    for (int e = 0; e < kSlots; ++e) {
        if (ReserveKind(v.crew.DayText[U(e)], true) == Reserve::RB) {
            rb[e] = worked[e + 1] = anyRb = true;
        }
    }
    for (int d = 0; d < v.days; ++d) {
        const int e = d + kPrevDays;
        if (const TPair* p = v.pair[d]) {
            const int span = FullDays(*p);
            for (int k = 0; k < span && e + k < kExtDays; ++k)
                worked[e + k] = true;
        } else if (v.OtherDuty(d)) {
            worked[e] = true;
            if (v.Other(d, OtherValue::Start) + v.Other(d, OtherValue::Length) > 1560)
                worked[e + 1] = true;
            if (CodeIs(v.crew.DayCode2[U(d)], "RB"))
                rb[e] = anyRb = true;
        }
    }
    if (!anyRb)
        return;

    const int last = v.days + 30;
    SlotMarks marks{};
    bool any = false;
    bool lastMonth = false;
    const bool reduced = v.crew.CarryIn[CarryInEntry::MaxCredit] > 0 &&
                         v.crew.CarryIn[CarryInEntry::MaxCredit] <= 4200;
    if (reduced) {
        // A lone RB day: the day after it is reported.
        for (int e = 20, run = 0; e <= last; ++e) {
            if (rb[e]) {
                ++run;
                continue;
            }
            if (run == 1 && e >= kPrevDays) {
                marks[e - kPrevDays] = any = true;
            }
            run = 0;
        }
    } else {
        // A lone RB day needs two free days before and after its worked days.
        auto violates = [&](int x, int step) {
            for (; x >= 1 && x <= last; x += step) {
                if (worked[x])
                    continue;
                const int next = x + step;
                return next >= 1 && next <= last && worked[next];
            }
            return false;
        };
        for (int e = 15; e <= last; ++e) {
            if (!rb[e] || rb[e - 1] || rb[e + 1])
                continue;
            if (!violates(e - 1, -1) && !violates(e + 1, 1))
                continue;
            if (e >= kPrevDays)
                marks[e - kPrevDays] = any = true;
            else
                lastMonth = any = true;
        }
    }
    if (!any)
        return;
    std::string& text = v.crew.Illegalities;
    text += reduced ? " RB Days Must be Grouped in 2s for Reduced Block on "
                    : " Must Have 2 Days Off before and after RB periods on";
    if (lastMonth)
        text += " Last Month";
    for (int d = 0; d < v.days; ++d) {
        if (!marks[d])
            continue;
        AppendDay(text, v, d);
        v.Illegal(d);
    }
}

} // namespace tl::legality
