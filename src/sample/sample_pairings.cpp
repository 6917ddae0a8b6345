#include "sample/sample_pairings.h"

#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "sample/sample_random.h"
#include "sample/sample_world.h"

#include <algorithm>
#include <climits>
#include <set>

namespace tl::sample {

std::string SamplePairing::Identifier() const
{
    return Format("%c%04d", base, number % 10000);
}

std::vector<std::string> SamplePairing::Layovers() const
{
    std::vector<std::string> stations;
    for (size_t i = 0; i + 1 < duties.size(); ++i)
        stations.push_back(duties[i].endStation);
    return stations;
}

int SamplePairing::TotalBlock() const
{
    int total = 0;
    for (const SampleDuty& d : duties)
        total += d.block;
    return total;
}

int SamplePairing::TotalDuty() const
{
    int total = 0;
    for (const SampleDuty& d : duties)
        total += d.onDuty;
    return total;
}

SampleDstChange FindDstChange(int32_t firstDay, int32_t lastDay)
{
    const TDate mid = DateFromJulianDay(firstDay + 14);
    int32_t change = 0;
    if (mid.Month == 3) {
        for (int day = 8; day <= 14; ++day)
            if (Weekday(JulianDay(3, day, mid.Year)) == 7)
                change = JulianDay(3, day, mid.Year);
        return change >= firstDay && change <= lastDay ? SampleDstChange{change - firstDay, 60}
                                                       : SampleDstChange{};
    }
    if (mid.Month == 11) {
        for (int day = 1; day <= 7; ++day)
            if (Weekday(JulianDay(11, day, mid.Year)) == 7)
                change = JulianDay(11, day, mid.Year);
        return change >= firstDay && change <= lastDay ? SampleDstChange{change - firstDay, -60}
                                                       : SampleDstChange{};
    }
    return {};
}

namespace {

constexpr int kMinLegKm = 100;

int RoundTo5(int minutes)
{
    return (minutes + 4) / 5 * 5;
}

// What one pairing is to be: its length and, for the odd cases of real files,
// the shape that makes it odd.
struct Shape {
    int dutyDays = 1;
    bool continuous = false;
    bool restInContinuous = false; // the crew rests at the outstation during the night
    bool twoDutiesOneDay = false;  // a second duty after a short rest, on the same date
    bool splitDuty = false;        // a hotel break inside the last duty, not on duty
    bool midnight = false;         // report at 00:00
    bool freeDay = false;          // a day off at the outstation
    bool otherCarrier = false;     // the first leg on another carrier
    bool busyDays = false;         // duties of three to five legs, credit 6:00 to 6:59 a day
    bool usa = false;              // may fly to the United States
    int craShare = -1;             // percent of legs on the larger jet; -1: the fleet's mix
};

class PairingBuilder {
public:
    PairingBuilder(SampleRandom& rng, const Station& base, char baseLetter, const Equipment& eq,
                   bool usa)
        : m_rng(rng), m_base(base), m_baseLetter(baseLetter), m_eq(eq)
    {
        for (int pass = 0; pass < 2 && m_spokes.empty(); ++pass) {
            for (const Station& s : Stations()) {
                const int d = DistanceKm(base, s);
                if (s.code != base.code && d >= 120 && d <= eq.rangeKm &&
                    (usa || pass == 1 || !s.usa))
                    m_spokes.push_back(&s);
            }
        }
        for (const GroundLink& link : GroundLinks())
            if (link.base == base.code)
                m_links.push_back(&link);
    }

    bool HasNetwork() const { return !m_spokes.empty(); }

    // The schedule of one pairing from its first date, on the base's clock
    // with no change of clocks (see Shifted).
    SamplePairing Make(const Shape& shape)
    {
        m_shape = shape;
        SamplePairing p;
        for (int attempt = 0; attempt < 60; ++attempt) {
            const bool keep = attempt < 40 || shape.dutyDays > 6;
            const int duties = keep ? shape.dutyDays : std::max(1, shape.dutyDays - 1);
            m_flights.clear();
            p = SamplePairing{};
            const bool ok = shape.continuous ? BuildContinuous(p) : BuildDuties(p, duties);
            if (ok) {
                Finish(p);
                return p;
            }
        }
        m_flights.clear();
        p = SamplePairing{};
        m_shape = Shape{};
        BuildTurn(p);
        Finish(p);
        return p;
    }

private:
    bool InRange(const Station& a, const Station& b) const
    {
        const int d = DistanceKm(a, b);
        return a.code != b.code && d >= kMinLegKm && d <= m_eq.rangeKm;
    }

    const Station* PickSpoke(const Station& at, const Station* alsoAvoid)
    {
        std::vector<const Station*> choice;
        for (const Station* s : m_spokes)
            if (s != alsoAvoid && InRange(at, *s))
                choice.push_back(s);
        if (choice.empty())
            return nullptr;
        return choice[static_cast<size_t>(m_rng.Below(static_cast<int>(choice.size())))];
    }

    // Stations of one duty from `from`: ending at `target` when given (home or
    // the station of a road link), otherwise at an outstation for the night.
    std::vector<const Station*> Route(const Station& from, int legs, const Station* target)
    {
        std::vector<const Station*> r{&from};
        for (int i = 0; i < legs; ++i) {
            const Station& at = *r.back();
            const bool lastLeg = i == legs - 1;
            const Station* next = nullptr;
            if (lastLeg && target) {
                next = target;
            } else if (lastLeg) {
                next = PickSpoke(at, nullptr);
                if (!next) {
                    // No outstation within reach: through home to one.
                    r.push_back(&m_base);
                    next = PickSpoke(m_base, &at);
                }
            } else if (target && i == legs - 2) {
                next = PickSpoke(at, target);
                if (!next) {
                    r.push_back(target);
                    break;
                }
            } else if (at.code == m_base.code) {
                next = PickSpoke(at, nullptr);
            } else {
                next = m_rng.Percent(50) ? &m_base : PickSpoke(at, nullptr);
                if (!next)
                    next = &m_base;
            }
            if (!next)
                break;
            r.push_back(next);
        }
        return r;
    }

    int FlightNumber()
    {
        for (;;) {
            // Low numbers show with a blank for their leading zero; they stay
            // above 299 so they never read like a time away from base.
            const int n = m_rng.Percent(10) ? m_rng.Between(300, 999) : m_rng.Between(7000, 8999);
            if (m_flights.insert(n).second)
                return n;
        }
    }

    std::string Tag()
    {
        if (m_shape.craShare >= 0 && m_rng.Percent(m_shape.craShare))
            return "CRA";
        return std::string(m_rng.Percent(m_eq.otherTagPercent) ? m_eq.otherTag : m_eq.mainTag);
    }

    SampleLeg Flight(const Station& from, const Station& to, int depElapsed)
    {
        SampleLeg leg;
        leg.flight = FlightNumber();
        leg.tag = Tag();
        leg.from = std::string(from.code);
        leg.to = std::string(to.code);
        leg.block = BlockMinutes(from, to, m_eq.speedKmh);
        SetTimes(leg, depElapsed, depElapsed + leg.block);
        return leg;
    }

    static void SetTimes(SampleLeg& leg, int depElapsed, int arrElapsed)
    {
        leg.depDay = depElapsed / 1440;
        leg.dep = depElapsed % 1440;
        leg.arrDay = arrElapsed / 1440;
        leg.arr = arrElapsed % 1440;
    }

    // Legs of one duty from its report; false when the duty cannot be flown
    // from here and should be drawn again.
    bool BuildDuty(SampleDuty& duty, const Station& from, int reportElapsed, bool first, bool last,
                   bool withBreak, int& endElapsed)
    {
        const Station* target = last ? &m_base : nullptr;
        const GroundLink* link = nullptr;
        if (last && !withBreak && !m_links.empty() && m_rng.Percent(6)) {
            link = m_links[static_cast<size_t>(m_rng.Below(static_cast<int>(m_links.size())))];
            target = FindStation(link->station);
        }
        int wantLegs = first && last ? m_rng.Between(3, 6) : m_rng.Between(1, 4);
        if (withBreak)
            wantLegs = std::max(wantLegs, 3);
        if (m_shape.busyDays)
            wantLegs = m_rng.Between(3, 5);
        const std::vector<const Station*> route = Route(from, wantLegs, target);
        if (route.size() < (withBreak ? 3u : 2u))
            return false;

        // Briefing and debriefing vary with the station and the first leg.
        int t = reportElapsed + (first ? m_rng.Between(9, 15) : m_rng.Between(7, 12)) * 5;
        for (size_t i = 0; i + 1 < route.size(); ++i) {
            duty.legs.push_back(Flight(*route[i], *route[i + 1], t));
            t += duty.legs.back().block;
            if (i + 2 < route.size()) {
                int sit = m_rng.Between(6, 24) * 5;
                if (withBreak && i == 0) {
                    sit = m_rng.Between(48, 60) * 5;
                    duty.brk = sit - 30;
                }
                duty.sit += sit;
                t += sit;
            }
        }
        if (link) {
            SampleLeg road;
            road.kind = SampleLeg::Kind::Ground;
            road.segmentCode = std::string(link->code);
            road.from = std::string(link->station);
            road.to = std::string(m_base.code);
            road.block = link->minutes;
            t += 20;
            SetTimes(road, t, t + road.block);
            t += road.block;
            duty.legs.push_back(road);
        }
        if (duty.legs.size() >= 2 && first && m_shape.otherCarrier) {
            // Positioning on another carrier to the first outstation.
            SampleLeg& leg = duty.legs.front();
            leg.kind = SampleLeg::Kind::OtherCarrier;
            leg.carrier = m_rng.Percent(50) ? "WS" : "PD";
            leg.flight = m_rng.Between(1000, 1999);
            leg.tag.clear();
            leg.deadhead = true;
        } else if (m_shape.otherCarrier && first) {
            return false;
        } else if (duty.legs.size() >= 2 && first && m_rng.Percent(8)) {
            duty.legs.front().deadhead = true;
        } else if (duty.legs.size() >= 2 && last && !link && m_rng.Percent(5)) {
            duty.legs.back().deadhead = true;
        }
        endElapsed = t + m_rng.Between(3, 6) * 5;
        return true;
    }

    // Credit of a duty: the block flown and half the deadheading, at least
    // four hours, and at least three fifths of the time on duty; two thirds
    // on a day trip, four fifths through the night.
    static void Tally(SampleDuty& duty, int rigPercent)
    {
        duty.block = 0;
        duty.deadhead = 0;
        for (const SampleLeg& leg : duty.legs) {
            if (leg.kind == SampleLeg::Kind::Ground)
                continue;
            if (leg.deadhead)
                duty.deadhead += leg.block;
            else
                duty.block += leg.block;
        }
        duty.credit =
            std::max({240, duty.block + duty.deadhead / 2, duty.onDuty * rigPercent / 100});
    }

    void Place(SampleDuty& duty, int report, int end, int rigPercent = 60)
    {
        duty.day = report / 1440;
        duty.report = report % 1440;
        duty.endDay = end / 1440;
        duty.end = end % 1440;
        duty.onDuty = end - report - duty.brk;
        duty.endStation = duty.legs.back().to;
        Tally(duty, rigPercent);
    }

    bool BuildDuties(SamplePairing& p, int dutyCount)
    {
        // Reports from early morning to evening; a late one ends after midnight.
        int report = m_shape.midnight ? 0
                     : dutyCount == 1 ? m_rng.Between(60, 228) * 5
                                      : m_rng.Between(60, 240) * 5;
        const int maxDay = dutyCount > 6 ? dutyCount + 1 : 5;
        const Station* at = &m_base;
        const int firstReport = report;
        bool freeDayTaken = false;
        for (int d = 0; d < dutyCount; ++d) {
            SampleDuty duty;
            const bool last = d == dutyCount - 1;
            const bool withBreak = m_shape.splitDuty && last;
            int end = 0;
            if (!BuildDuty(duty, *at, report, d == 0, last, withBreak, end))
                return false;
            Place(duty, report, end, dutyCount == 1 ? 70 : 60);
            const int maxDuty = duty.report < 720 ? 780 : 690;
            if (duty.onDuty > maxDuty || duty.block > 480 || duty.day > maxDay)
                return false;
            if (withBreak && (duty.brk == 0 || duty.endDay != duty.day))
                return false;
            // A one-day pairing may end after midnight, before 02:00.
            if (dutyCount == 1 && duty.endDay != duty.day &&
                !(duty.endDay == duty.day + 1 && duty.end < 120))
                return false;
            if (!last) {
                int next = 0;
                if (m_shape.twoDutiesOneDay && d == 0) {
                    if (duty.endDay != duty.day || duty.end > 780)
                        return false;
                    next = end + m_rng.Between(36, 60) * 5;
                } else {
                    const int restMin = 660;
                    const int nextMorning = (report / 1440 + 1) * 1440 + m_rng.Between(60, 168) * 5;
                    next = std::max(end + restMin, nextMorning);
                    const bool dayOff = m_shape.freeDay || (dutyCount <= 4 && m_rng.Percent(5));
                    if (!freeDayTaken && dayOff) {
                        next += 1440; // a day off at the outstation
                        freeDayTaken = true;
                        duty.dayOffAfter = true;
                    }
                }
                duty.rest = next - end;
                report = next;
            }
            at = FindStation(duty.endStation);
            if (!at)
                return false;
            p.duties.push_back(duty);
            if (last)
                p.tafb = end - firstReport;
        }
        if (m_shape.freeDay && !freeDayTaken)
            return false;
        // Trip rig: a pairing away from base earns at least one hour for
        // every four and a half away, added to its last duty.
        int credit = 0;
        for (const SampleDuty& d : p.duties)
            credit += d.credit;
        if (dutyCount > 1 && p.tafb * 2 / 9 > credit) {
            p.duties.back().credit += RoundTo5(p.tafb * 2 / 9 - credit);
            credit += RoundTo5(p.tafb * 2 / 9 - credit);
        }
        p.onTime = firstReport % 1440;
        if (m_shape.busyDays) {
            const int length = (p.onTime + p.tafb - 1) / 1440 + 1;
            const int off = (p.onTime + p.tafb - 1) % 1440 + 1;
            const int perDay = credit / (length > 1 && off < 120 ? length - 1 : length);
            if (perDay < 360 || perDay >= 420)
                return false;
        }
        return ValidSpan(p, dutyCount > 6 ? dutyCount + 2 : 6);
    }

    // A continuous duty overnight: out in the evening, a few hours on the
    // ground at the outstation, home in the early morning; with a rest at the
    // outstation it is two duties, still one continuous pairing.
    bool BuildContinuous(SamplePairing& p)
    {
        const int report = m_rng.Between(222, 258) * 5;
        const Station* out = PickSpoke(m_base, nullptr);
        if (!out)
            return false;
        SampleDuty duty;
        const int brief = m_rng.Between(9, 13) * 5;
        duty.legs.push_back(Flight(m_base, *out, report + brief));
        const int arrOut = report + brief + duty.legs.back().block;
        if (m_shape.restInContinuous) {
            const int end1 = arrOut + 20;
            Place(duty, report, end1);
            const int report2 = end1 + m_rng.Between(48, 66) * 5;
            duty.rest = report2 - end1;
            SampleDuty home;
            home.legs.push_back(Flight(*out, m_base, report2 + 45));
            const int end2 = report2 + 45 + home.legs.back().block + 15;
            Place(home, report2, end2);
            p.duties = {duty, home};
            p.tafb = end2 - report;
        } else {
            const int back = std::max(arrOut + 150, 1440 + m_rng.Between(60, 78) * 5);
            duty.sit = RoundTo5(back) - arrOut;
            duty.legs.push_back(Flight(*out, m_base, RoundTo5(back)));
            const int end = RoundTo5(back) + duty.legs.back().block + 15;
            Place(duty, report, end, 80);
            if (duty.onDuty > 720)
                return false;
            p.duties = {duty};
            p.tafb = end - report;
        }
        if (p.tafb >= 900 || p.duties.back().end < 120)
            return false;
        p.onTime = report;
        p.continuous = true;
        return ValidSpan(p, 6);
    }

    // Out and back in the morning: the shape every base can fly.
    void BuildTurn(SamplePairing& p)
    {
        const Station* out = PickSpoke(m_base, nullptr);
        if (!out)
            return;
        SampleDuty duty;
        const int report = 480;
        duty.legs.push_back(Flight(m_base, *out, report + 60));
        const int back = report + 60 + duty.legs.back().block + 45;
        duty.legs.push_back(Flight(*out, m_base, back));
        const int end = back + duty.legs.back().block + 15;
        duty.sit = 45;
        Place(duty, report, end);
        p.duties.push_back(duty);
        p.tafb = end - report;
        p.onTime = report;
    }

    static bool ValidSpan(const SamplePairing& p, int maxSpan)
    {
        const int span = (p.onTime + p.tafb - 1) / 1440 + 1;
        return span <= maxSpan && !p.duties.empty();
    }

    void Finish(SamplePairing& p)
    {
        p.base = m_baseLetter;
        p.airport = std::string(m_base.code);
        p.aircraftType = std::string(m_eq.aircraftType);
        if (p.duties.empty())
            return;
        Totals(p);
        for (const SampleDuty& d : p.duties) {
            for (const SampleLeg& leg : d.legs) {
                const Station* a = FindStation(leg.from);
                const Station* b = FindStation(leg.to);
                if ((a && a->usa) || (b && b->usa))
                    p.usa = true;
            }
        }
        // The pairing system rounds the total on its own; the loader spreads
        // the difference over the days.
        const SampleDuty& lastDuty = p.duties.back();
        if (m_rng.Percent(10) && lastDuty.day < 6 &&
            p.dayCredit[static_cast<size_t>(lastDuty.day)] > 240)
            p.credit -= 1;
        p.minRest = m_shape.splitDuty ? 780 : 660;
        // Every position, so that each crew group loads its pairings from
        // the same file.
        const int r = m_rng.Below(100);
        p.complement = r < 96 ? "CA01FO01" : r < 98 ? "CA02FO01" : "CA01FO02";
        if (m_eq.seats > 60)
            p.complement += m_rng.Percent(30) ? "FA02PU01" : "FA01PU01";
        else
            p.complement += m_rng.Percent(8) ? "FA02" : "FA01";
        int usNights = 0;
        for (const std::string& station : p.Layovers()) {
            const Station* s = FindStation(station);
            if (s && s->usa)
                ++usNights;
        }
        const int cadDays = std::max(1, p.days - usNights);
        p.mealsUsCents = usNights * m_rng.Between(5500, 7500) + (p.usa ? 1850 : 0);
        p.mealsCadCents = cadDays * m_rng.Between(4500, 6500);
        const bool quebec = m_base.code == "YUL" || m_base.code == "YQB";
        p.french = m_rng.Percent(quebec ? 45 : 15);
    }

    SampleRandom& m_rng;
    const Station& m_base;
    char m_baseLetter;
    const Equipment& m_eq;
    Shape m_shape;
    std::vector<const Station*> m_spokes;
    std::vector<const GroundLink*> m_links;
    std::set<int> m_flights;
};

const std::array<bool, 7> kWeekdays = {true, true, true, true, true, false, false};
const std::array<bool, 7> kWeekends = {false, false, false, false, false, true, true};

// Operating dates: most pairings fly the whole period on a weekly pattern
// (every day, weekdays, weekends, or four to six days of the week), some a
// part of it, a few a single date; some drop a date or two as exceptions.
void ChooseDates(SampleRandom& rng, SamplePairing& p, int32_t periodFirst, int32_t periodLast,
                 bool weekly)
{
    const int periodDays = periodLast - periodFirst + 1;
    p.pattern = {};
    p.dates.clear();
    p.exceptions.clear();
    int32_t from = periodFirst;
    int32_t until = periodLast;
    const int r = weekly ? 100 : rng.Below(100);
    if (r < 62) {
        const int kind = rng.Below(100);
        if (kind < 22) {
            p.pattern.fill(true);
        } else if (kind < 40) {
            p.pattern = kWeekdays;
        } else if (kind < 50) {
            p.pattern = kWeekends;
        } else {
            const int on = rng.Between(4, 6);
            p.pattern.fill(true);
            for (int off = 7 - on; off > 0;) {
                const size_t day = static_cast<size_t>(rng.Below(7));
                if (p.pattern[day]) {
                    p.pattern[day] = false;
                    --off;
                }
            }
        }
    } else if (r < 86) {
        if (rng.Percent(30)) {
            p.pattern.fill(true);
        } else {
            for (int i = rng.Between(1, 3); i > 0; --i)
                p.pattern[static_cast<size_t>(rng.Below(7))] = true;
        }
        from = periodFirst + rng.Below(std::max(1, periodDays - 6));
        until = std::min(from + 7 * rng.Between(1, 3) - 1, periodLast);
    } else {
        from = periodFirst + rng.Below(periodDays);
        p.pattern[static_cast<size_t>(Weekday(from) - 1)] = true;
        until = r < 93 || weekly ? std::min(from + 7, periodLast) : from;
        if (weekly)
            until = periodLast;
    }
    if (weekly) {
        p.pattern = {};
        p.pattern[static_cast<size_t>(rng.Below(7))] = true;
    }
    for (int32_t d = from; d <= until; ++d)
        if (p.pattern[static_cast<size_t>(Weekday(d) - 1)])
            p.dates.push_back(d);
    if (p.dates.empty()) {
        p.pattern = {};
        p.pattern[static_cast<size_t>(Weekday(from) - 1)] = true;
        p.dates.push_back(from);
    }
    if (p.dates.size() >= 6 && rng.Percent(15)) {
        const int drops = rng.Between(1, 2);
        for (int i = 0; i < drops; ++i) {
            const size_t at =
                1 + static_cast<size_t>(rng.Below(static_cast<int>(p.dates.size()) - 2));
            p.exceptions.push_back(p.dates[at]);
            p.dates.erase(p.dates.begin() + static_cast<std::ptrdiff_t>(at));
        }
        std::sort(p.exceptions.begin(), p.exceptions.end());
    }
    p.validFrom = p.dates.front();
    p.validTo = p.dates.back();
}

int DrawDutyDays(SampleRandom& rng)
{
    const int r = rng.Below(100);
    return r < 24 ? 1 : r < 48 ? 2 : r < 74 ? 3 : r < 91 ? 4 : 5;
}

// Percent of the legs a Dash 8 pairing flies on the larger jet when the
// fleet is short of turboprops: none for most.
int DrawCraShare(SampleRandom& rng, const Equipment& eq)
{
    if (eq.mainTag == "CRJ" || eq.mainTag == "CRA")
        return -1;
    const int r = rng.Below(100);
    return r < 72 ? 0 : r < 80 ? 20 : r < 87 ? 40 : r < 93 ? 65 : 100;
}

// The pairing as flown on a date whose operation spans the change of clocks:
// every time from the change on moves by the shift. Elapsed figures (time
// away from base, rest, time on duty) stay as they are.
SamplePairing Shifted(const SamplePairing& base, int changeMinute, int shift)
{
    SamplePairing p = base;
    const auto wall = [&](int day, int clock, int& outDay, int& outClock) {
        int t = day * 1440 + clock;
        if (t >= changeMinute)
            t += shift;
        outDay = t / 1440;
        outClock = t % 1440;
    };
    for (SampleDuty& d : p.duties) {
        wall(d.day, d.report, d.day, d.report);
        wall(d.endDay, d.end, d.endDay, d.end);
        for (SampleLeg& leg : d.legs) {
            wall(leg.depDay, leg.dep, leg.depDay, leg.dep);
            wall(leg.arrDay, leg.arr, leg.arrDay, leg.arr);
        }
    }
    Totals(p);
    return p;
}

// Next free number of an equipment character's series.
int FreeNumber(const std::vector<SamplePairing>& list, char digit)
{
    int highest = (digit - '0') * 1000 + 100;
    for (const SamplePairing& p : list)
        if (p.Equipment() == digit)
            highest = std::max(highest, p.number % 10000);
    return highest + 1;
}

std::string Lacking(int crewKind)
{
    // A ferry or training flight: no seat for the group's position.
    return crewKind == kCaptains ? "FO02" : crewKind == kFirstOfficers ? "CA02" : "CA01FO01";
}

} // namespace

void Totals(SamplePairing& p)
{
    p.dayHard.fill(0);
    p.dayCredit.fill(0);
    p.credit = 0;
    if (p.duties.empty())
        return;
    p.release = p.duties.back().end;
    p.days = p.duties.back().endDay + 1;
    for (const SampleDuty& d : p.duties) {
        if (d.day >= 0 && d.day < 6) {
            p.dayHard[static_cast<size_t>(d.day)] += d.block;
            p.dayCredit[static_cast<size_t>(d.day)] += d.credit;
        }
        p.credit += d.credit;
    }
}

int PositionCopies(std::string_view complement, int crewKind)
{
    const auto count = [complement](std::string_view position) {
        int n = 0;
        for (size_t at = complement.find(position);
             at != std::string_view::npos && at + 4 <= complement.size();
             at = complement.find(position, at + 1))
            n += (complement[at + 2] - '0') * 10 + (complement[at + 3] - '0');
        return n;
    };
    return crewKind == kCaptains        ? count("CA")
           : crewKind == kFirstOfficers ? count("FO")
                                        : count("FA") + count("PU");
}

std::vector<SamplePairing> GeneratePairings(uint64_t seed, std::string_view label,
                                            const PairingPlan& plan)
{
    std::vector<SamplePairing> out;
    const Station* base = FindStation(plan.airport);
    if (!base || plan.equipment.empty() || (plan.count <= 0 && plan.creditTarget <= 0) ||
        plan.lastDay < plan.firstDay)
        return out;
    SampleRandom rng(seed, label);

    // The odd shapes, each given to one of the first draws and again every
    // sixty draws in a large set.
    enum Odd {
        kMidnight,
        kTwoDuties,
        kContinuousRest,
        kSplitDuty,
        kLong,
        kOtherCarrier,
        kFreeDay,
        kOddCount
    };
    struct Draft {
        SamplePairing pairing;
        size_t order;
    };
    std::vector<Draft> drafts;
    int64_t credit = 0;
    int misses = 0;
    for (int i = 0; i < 3000; ++i) {
        if (plan.count > 0 ? i >= plan.count : credit >= plan.creditTarget)
            break;
        const char digit =
            plan.equipment[static_cast<size_t>(rng.Below(static_cast<int>(plan.equipment.size())))];
        const Equipment* eq = FindEquipment(digit);
        if (!eq)
            continue;
        Shape shape;
        shape.usa = rng.Percent(35);
        shape.craShare = DrawCraShare(rng, *eq);
        shape.continuous = rng.Percent(8);
        shape.dutyDays = shape.continuous ? 1 : DrawDutyDays(rng);
        // Busy days now and then, so that the credit classes between the
        // short days and the night duties are never empty.
        if (i % 8 == 5) {
            shape.continuous = false;
            shape.busyDays = true;
            shape.dutyDays = rng.Between(1, 3);
        }
        const int slot = i % 60;
        if (plan.oddCases && slot < kOddCount) {
            shape.continuous = false;
            shape.busyDays = false;
            switch (slot) {
            case kMidnight:
                shape.midnight = true;
                shape.dutyDays = 1;
                break;
            case kTwoDuties:
                shape.twoDutiesOneDay = true;
                shape.dutyDays = 3;
                break;
            case kContinuousRest:
                shape.continuous = shape.restInContinuous = true;
                shape.dutyDays = 1;
                break;
            case kSplitDuty:
                shape.splitDuty = true;
                shape.dutyDays = 2;
                break;
            case kLong:
                shape.dutyDays = 7;
                break;
            case kOtherCarrier:
                shape.otherCarrier = true;
                shape.dutyDays = 3;
                break;
            case kFreeDay:
                shape.freeDay = true;
                shape.dutyDays = 3;
                break;
            }
        }
        PairingBuilder builder(rng, *base, plan.baseLetter, *eq, shape.usa);
        if (!builder.HasNetwork())
            continue;
        SamplePairing p = builder.Make(shape);
        p.number = (digit - '0') * 1000;
        p.midnightReport = shape.midnight && p.onTime == 0;
        ChooseDates(rng, p, plan.firstDay, plan.lastDay, shape.dutyDays > 6);
        const int64_t adds = int64_t{p.credit} * static_cast<int64_t>(p.dates.size()) *
                             PositionCopies(p.complement, plan.crewKind);
        // Near the target, a pairing that would overshoot it by more than
        // it falls short is left out, so small groups end close to it.
        if (plan.count <= 0 && credit + adds - plan.creditTarget > plan.creditTarget - credit) {
            if (++misses > 30)
                break;
            continue;
        }
        credit += adds;
        drafts.push_back({std::move(p), drafts.size()});
    }
    std::stable_sort(drafts.begin(), drafts.end(), [](const Draft& a, const Draft& b) {
        if (a.pairing.number != b.pairing.number)
            return a.pairing.number < b.pairing.number;
        if (a.pairing.duties.size() != b.pairing.duties.size())
            return a.pairing.duties.size() < b.pairing.duties.size();
        if (a.pairing.continuous != b.pairing.continuous)
            return b.pairing.continuous;
        if (a.pairing.onTime != b.pairing.onTime)
            return a.pairing.onTime < b.pairing.onTime;
        return a.order < b.order;
    });
    int next = 0;
    int digitBase = -1;
    for (Draft& d : drafts) {
        if (d.pairing.number != digitBase) {
            digitBase = d.pairing.number;
            next = 101;
        }
        if (next > 899)
            continue; // room left in the series for the pairings added below
        d.pairing.number = digitBase + next++;
        out.push_back(std::move(d.pairing));
    }

    // The operations across the change of clocks leave their pairing.
    std::vector<SamplePairing> crossing;
    if (plan.dst.shift != 0) {
        for (SamplePairing& p : out) {
            std::vector<int32_t> keep;
            for (int32_t date : p.dates) {
                const int change = (plan.dst.dayIndex - (date - plan.firstDay)) * 1440 + 120;
                if (!(p.onTime < change && change <= p.onTime + p.tafb)) {
                    keep.push_back(date);
                    continue;
                }
                SamplePairing q = Shifted(p, change, plan.dst.shift);
                q.dates = {date};
                q.pattern = {};
                q.pattern[static_cast<size_t>(Weekday(date) - 1)] = true;
                q.validFrom = q.validTo = date;
                q.exceptions.clear();
                crossing.push_back(std::move(q));
                p.exceptions.push_back(date);
            }
            std::sort(p.exceptions.begin(), p.exceptions.end());
            p.dates = keep;
        }
        // A pairing of one crossing date is simply that operation.
        std::erase_if(out, [](const SamplePairing& p) { return p.dates.empty(); });
    }
    for (SamplePairing& q : crossing) {
        q.number = FreeNumber(out, q.Equipment());
        out.push_back(std::move(q));
    }

    if (plan.oddCases && !out.empty()) {
        SampleRandom odd(seed, std::string(label) + " odd");
        for (SamplePairing& p : out)
            p.blankDutyLines = true;
        // Every few dozen pairings: a pairing line written twice, and
        // pairing lines of dates outside the period.
        const size_t regularCount = out.size() - crossing.size();
        for (size_t i = 0; i < regularCount; i += 40) {
            SamplePairing& twice = out[std::min(regularCount - 1, i + 3)];
            twice.repeatedLine = true;
            SamplePairing& around = out[std::min(regularCount - 1, i + 7)];
            if (around.dates.back() + 7 > plan.lastDay)
                around.outsideDates.push_back(around.dates.back() + 7);
            if (around.dates.front() - 7 < plan.firstDay)
                around.outsideDates.push_back(around.dates.front() - 7);
            if (around.outsideDates.empty())
                around.outsideDates.push_back(plan.lastDay + 1);
        }
        // A ferry without the group's position, and a pairing number
        // given again to a pairing after another one.
        const int regular = static_cast<int>(regularCount);
        SamplePairing ferry = out[static_cast<size_t>(odd.Below(regular))];
        ferry.complement = Lacking(plan.crewKind);
        ferry.number = FreeNumber(out, ferry.Equipment());
        ferry.dates.resize(1);
        ferry.pattern = {};
        ferry.pattern[static_cast<size_t>(Weekday(ferry.dates[0]) - 1)] = true;
        ferry.validFrom = ferry.validTo = ferry.dates[0];
        ferry.exceptions.clear();
        ferry.repeatedLine = false;
        ferry.outsideDates.clear();
        out.push_back(std::move(ferry));
        if (regular >= 3) {
            const size_t at = static_cast<size_t>(odd.Below(regular - 2));
            SamplePairing again = out[static_cast<size_t>(odd.Below(regular))];
            const int dates = static_cast<int>(again.dates.size());
            const int32_t date = again.dates[static_cast<size_t>(odd.Below(dates))];
            again.number = out[at].number;
            again.dates = {date};
            again.pattern = {};
            again.pattern[static_cast<size_t>(Weekday(date) - 1)] = true;
            again.validFrom = again.validTo = date;
            again.exceptions.clear();
            again.repeatedLine = false;
            again.outsideDates.clear();
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(at + 2), std::move(again));
        }
    }
    return out;
}

} // namespace tl::sample
