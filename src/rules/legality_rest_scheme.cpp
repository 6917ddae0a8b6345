// The rest scheme: every duty day needs 36 hours free in the 7 days ending
// with it, or, under the other scheme, 3 free days or 80 hours free in 17
// days. The check may switch schemes at a qualifying rest.
#include "model/vortime.h"
#include "rules/legality_rules.h"

#include <algorithm>

namespace tl::legality {

namespace {

struct Duties {
    DayArray<bool, kExtDays> has{};
    DayArray<int32_t, kExtDays> start{}; // extended timeline
    DayArray<int32_t, kExtDays> length{};
    DayArray<int32_t, kExtDays> end{}; // corrected for a clock change inside the duty
    DayArray<bool, kExtDays> occupied{};
    ExtMarks qualifying{};
};

class RestScheme {
public:
    explicit RestScheme(CrewView& view) : v(view)
    {
        if (v.dstShift != 0)
            change = v.dstMinute + kPrevDays * kMinutesPerDay;
        last = v.days + 36;
        Collect();
        Occupy();
        MarkQualifyingRests();
    }

    void Run();

private:
    enum Scheme { k36h7d = 0, k3d17d = 1 };

    bool Straddles(int32_t from, int32_t to) const
    {
        return change != kNoChange && from < change && change < to;
    }
    // A start after a clock change that lies strictly after the previous end.
    int32_t CorrectedStart(int32_t previousEnd, int32_t start) const
    {
        return change != kNoChange && previousEnd < change && change < start ? start - v.dstShift
                                                                             : start;
    }
    void SetDuty(int e, int32_t timeOfDay, int32_t length)
    {
        if (e < 0 || e >= kExtDays)
            return;
        d.has[e] = true;
        d.start[e] = e * kMinutesPerDay + timeOfDay;
        d.length[e] = length;
        d.end[e] = d.start[e] + length;
        if (Straddles(d.start[e], d.end[e]))
            d.end[e] += v.dstShift;
        pairing[e] = false;
    }

    void Collect();
    void Occupy();
    void MarkQualifyingRests();
    // End of the latest duty starting on `from` or earlier, down to `downTo`,
    // not before `windowStart`.
    int32_t PreviousEnd(int from, int downTo, int32_t windowStart) const;
    // A gap of `need` minutes before some duty starting on first..e.
    bool GapBefore(int first, int e, int32_t previousEnd, int32_t need) const;
    bool Check36h7d(int e);
    bool Check3d17d(int e);
    void LogDate(const TDate& date) { AppendDate(v.crew.CarsLog, date); }

    static constexpr int32_t kNoChange = INT32_MIN;
    CrewView& v;
    Duties d;
    DayArray<bool, kExtDays> pairing{};
    int32_t change = kNoChange;
    int last = 0;
};

void RestScheme::Collect()
{
    for (int e = 0; e < kSlots; ++e) {
        if (v.Carry(e, CarryValue::PairingTafb) > 0)
            SetDuty(e, v.Carry(e, CarryValue::PairingStart), v.Carry(e, CarryValue::PairingTafb));
        else if (v.Carry(e, CarryValue::DayKind) != kNothingCarried &&
                 v.Carry(e, CarryValue::CarsDuty) != 0 && !v.crew.DayText[U(e)].empty())
            SetDuty(e, v.Carry(e, CarryValue::DutyStart), v.Carry(e, CarryValue::DutyTime));
    }
    for (int s = 0; s < v.days; ++s) {
        const int e = s + kPrevDays;
        if (const TPair* p = v.pair[s]) {
            SetDuty(e, Minutes(p->OnTime), Minutes(p->Tafb));
            pairing[e] = true;
        } else if (v.other[s] && v.crew.DayOther[U(s)][OtherValue::ContainsDuty] != 0 &&
                   v.crew.DayOther[U(s)][OtherValue::CarsDuty] != 0) {
            SetDuty(e, v.Other(s, OtherValue::Start), v.Other(s, OtherValue::Length));
        }
    }
}

void RestScheme::Occupy()
{
    for (int e = 0; e < kExtDays; ++e) {
        if (!d.has[e])
            continue;
        // Pairings are counted by their clock times alone.
        int32_t t = d.start[e] - e * kMinutesPerDay + d.length[e];
        if (!pairing[e] && Straddles(d.start[e], d.start[e] + d.length[e]))
            t += v.dstShift;
        d.occupied[e] = true;
        for (int k = e; t > kMinutesPerDay && k + 1 < kExtDays; t -= kMinutesPerDay)
            d.occupied[++k] = true;
    }
}

void RestScheme::MarkQualifyingRests()
{
    int run = 0;
    for (int e = 0; e <= last && e < kExtDays; ++e) {
        run = d.occupied[e] ? 0 : run + 1;
        if (run >= 3)
            d.qualifying[e] = true;
    }
    int32_t previousEnd = 0;
    for (int e = 0; e < kExtDays; ++e) {
        if (!d.has[e])
            continue;
        const int32_t start = CorrectedStart(previousEnd, d.start[e]);
        if (e >= 11 && start - previousEnd >= 4800)
            d.qualifying[e - 1] = true;
        previousEnd = d.end[e];
    }
}

int32_t RestScheme::PreviousEnd(int from, int downTo, int32_t windowStart) const
{
    for (int k = std::min(from, kExtDays - 1); k >= downTo && k >= 0; --k)
        if (d.has[k])
            return std::max(d.end[k], windowStart);
    return windowStart;
}

bool RestScheme::GapBefore(int first, int e, int32_t previousEnd, int32_t need) const
{
    for (int k = std::max(first, 0); k <= e && k < kExtDays; ++k) {
        if (!d.has[k])
            continue;
        if (CorrectedStart(previousEnd, d.start[k]) - previousEnd >= need)
            return true;
        previousEnd = d.end[k];
    }
    return false;
}

bool RestScheme::Check36h7d(int e)
{
    const int32_t windowStart = (e - 6) * kMinutesPerDay;
    const bool pass = GapBefore(e - 6, e, PreviousEnd(e - 7, 1, windowStart), 2160);
    std::string& log = v.crew.CarsLog;
    if (pass) {
        if (e >= kPrevDays && e < v.days + kPrevDays)
            log += ". Passed 36h / 7d.+";
    } else {
        if (e < kPrevDays)
            LogDate(ExtendedDate(v, e));
        log += " Failed 36h / 7d.+";
    }
    return pass;
}

bool RestScheme::Check3d17d(int e)
{
    const int32_t windowStart = (e - 16) * kMinutesPerDay;
    bool pass = GapBefore(e - 16, e, PreviousEnd(e - 17, std::max(e - 23, 1), windowStart), 4800);
    for (int k = e - 16, run = 0; !pass && k <= e - 1; ++k) {
        run = k >= 0 && !d.occupied[k] ? run + 1 : 0;
        pass = run >= 3;
    }
    std::string& log = v.crew.CarsLog;
    if (pass) {
        if (e >= kPrevDays && e < v.days + kPrevDays)
            log += ". Passed 3d or 80h / 17d.+";
    } else {
        log += " Failed 3d or 80h / 17d.+";
        if (e < kPrevDays) {
            LogDate(ExtendedDate(v, e));
            log += ".+";
        }
    }
    return pass;
}

void RestScheme::Run()
{
    Scheme scheme = k36h7d;
    Scheme before = k36h7d; // the scheme in force before the last switch
    bool switchAllowed = true;
    int failedDay = 0;
    int floor = 0;
    ExtMarks failed{};
    for (int e = 17; e <= last && e < kExtDays; ++e) {
        if (!d.occupied[e])
            continue;
        if (e >= kPrevDays && e < v.days + kPrevDays) {
            v.crew.CarsLog += "Checking Date ";
            LogDate(ExtendedDate(v, e));
        }
        const bool pass = scheme == k36h7d ? Check36h7d(e) : Check3d17d(e);
        if (!pass && switchAllowed) {
            switchAllowed = false;
            failedDay = e;
            int j = e;
            while (j > floor && !d.qualifying[j])
                --j;
            if (j > floor) {
                before = scheme;
                scheme = scheme == k36h7d ? k3d17d : k36h7d;
                floor = j + 1;
                v.crew.CarsLog += "Attempt Scheme Change to";
                v.crew.CarsLog += scheme == k3d17d ? " 3d / 17d " : " 36h / 7d ";
                if (j > v.days + 30) {
                    v.crew.CarsLog += "Next Month.+";
                } else {
                    v.crew.CarsLog += "on ";
                    LogDate(ExtendedDate(v, j));
                    v.crew.CarsLog += ".+";
                }
                // The walk goes on from the day after the qualifying rest.
                e = std::max(j, 16);
                continue;
            }
        }
        switchAllowed = true;
        if (!pass) {
            e = std::max(e, failedDay);
            failed[e] = true;
            scheme = before;
        }
    }

    std::string& text = v.crew.Illegalities;
    bool header = false;
    for (int e = 17; e < kExtDays; ++e) {
        if (!failed[e])
            continue;
        if (!header) {
            text += " 36/7 or 3/17 on ";
            header = true;
        }
        if (e < kPrevDays) {
            AppendDate(text, ExtendedDate(v, e));
            text += '.';
        } else if (e <= v.days + 30) {
            AppendDay(text, v, e - kPrevDays);
            v.Illegal(e - kPrevDays);
        } else {
            text += " C/Out";
            v.Illegal(e - kPrevDays);
            break;
        }
    }
}

} // namespace

void CheckRestScheme(CrewView& v)
{
    RestScheme(v).Run();
}

} // namespace tl::legality
