#include "sample/sample_pairings.h"

#include "model/vortime.h"
#include "sample/sample_random.h"
#include "sample/sample_world.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <set>

namespace tl::sample {

std::string SamplePairing::Identifier() const
{
    char text[8];
    std::snprintf(text, sizeof text, "%c%04d", base, number % 10000);
    return text;
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

int RoundTo5(int minutes) { return (minutes + 4) / 5 * 5; }

class PairingBuilder {
public:
    PairingBuilder(SampleRandom& rng, const Station& base, char baseLetter, const Equipment& eq,
                   int crewKind)
        : m_rng(rng), m_base(base), m_baseLetter(baseLetter), m_eq(eq), m_crewKind(crewKind)
    {
        for (const Station& s : Stations()) {
            const int d = DistanceKm(base, s);
            if (s.code != base.code && d >= 120 && d <= eq.rangeKm)
                m_spokes.push_back(&s);
        }
        for (const GroundLink& link : GroundLinks())
            if (link.base == base.code)
                m_links.push_back(&link);
    }

    bool HasNetwork() const { return !m_spokes.empty(); }

    // The schedule of one pairing from its first date. changeMinute is the
    // elapsed minute, counted from 00:00 of the first date, at which the
    // clocks change by shift; INT_MAX when they do not.
    SamplePairing Make(int dutyDays, bool continuous, int changeMinute, int shift)
    {
        SamplePairing p;
        for (int attempt = 0; attempt < 40; ++attempt) {
            const int duties = std::max(1, dutyDays - attempt / 10);
            m_flights.clear();
            p = SamplePairing{};
            const bool ok = continuous ? BuildContinuous(p, changeMinute, shift)
                                       : BuildDuties(p, duties, changeMinute, shift);
            if (ok) {
                Finish(p);
                return p;
            }
        }
        m_flights.clear();
        p = SamplePairing{};
        BuildTurn(p);
        Finish(p);
        return p;
    }

private:
    struct Clock {
        int changeMinute;
        int shift;
        int Wall(int elapsed) const { return elapsed >= changeMinute ? elapsed + shift : elapsed; }
    };

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

    SampleLeg Flight(const Station& from, const Station& to, int depElapsed, const Clock& clock)
    {
        SampleLeg leg;
        leg.flight = FlightNumber();
        leg.tag = std::string(m_rng.Percent(m_eq.otherTagPercent) ? m_eq.otherTag : m_eq.mainTag);
        leg.from = std::string(from.code);
        leg.to = std::string(to.code);
        leg.block = BlockMinutes(from, to, m_eq.speedKmh);
        SetTimes(leg, depElapsed, depElapsed + leg.block, clock);
        return leg;
    }

    static void SetTimes(SampleLeg& leg, int depElapsed, int arrElapsed, const Clock& clock)
    {
        const int dep = clock.Wall(depElapsed);
        const int arr = clock.Wall(arrElapsed);
        leg.depDay = dep / 1440;
        leg.dep = dep % 1440;
        leg.arrDay = arr / 1440;
        leg.arr = arr % 1440;
    }

    // Legs of one duty from its report; false when the duty breaks the
    // limits (block, duty length) and should be drawn again.
    bool BuildDuty(SampleDuty& duty, const Station& from, int reportElapsed, bool first,
                   bool last, const Clock& clock, int& endElapsed)
    {
        const Station* target = last ? &m_base : nullptr;
        const GroundLink* link = nullptr;
        if (last && !m_links.empty() && m_rng.Percent(6)) {
            link = m_links[static_cast<size_t>(m_rng.Below(static_cast<int>(m_links.size())))];
            target = FindStation(link->station);
        }
        const int wantLegs = first && last ? m_rng.Between(2, 5) : m_rng.Between(1, 4);
        const std::vector<const Station*> route = Route(from, wantLegs, target);
        if (route.size() < 2)
            return false;

        int t = reportElapsed + (first ? 60 : 45);
        for (size_t i = 0; i + 1 < route.size(); ++i) {
            duty.legs.push_back(Flight(*route[i], *route[i + 1], t, clock));
            t += duty.legs.back().block;
            if (i + 2 < route.size()) {
                const int sit = m_rng.Between(7, 16) * 5;
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
            SetTimes(road, t, t + road.block, clock);
            t += road.block;
            duty.legs.push_back(road);
        }
        if (duty.legs.size() >= 2 && first && !last && m_rng.Percent(5)) {
            // Positioning on another carrier to the first outstation.
            SampleLeg& leg = duty.legs.front();
            leg.kind = SampleLeg::Kind::OtherCarrier;
            leg.carrier = m_rng.Percent(50) ? "WS" : "PD";
            leg.flight = m_rng.Between(1000, 1999);
            leg.tag.clear();
            leg.deadhead = true;
        } else if (duty.legs.size() >= 2 && first && m_rng.Percent(8)) {
            duty.legs.front().deadhead = true;
        } else if (duty.legs.size() >= 2 && last && !link && m_rng.Percent(5)) {
            duty.legs.back().deadhead = true;
        }
        endElapsed = t + 15;
        return true;
    }

    static void Tally(SampleDuty& duty)
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
        duty.credit = std::clamp(std::max(duty.block + duty.deadhead / 2, duty.onDuty / 2), 240, 420);
    }

    bool BuildDuties(SamplePairing& p, int dutyCount, int changeMinute, int shift)
    {
        int report = dutyCount == 1 ? m_rng.Between(60, 168) * 5 : m_rng.Between(60, 180) * 5;
        // Times count from the first report: a change before it is none.
        const Clock clock{changeMinute > report ? changeMinute : INT_MAX, shift};
        const Station* at = &m_base;
        int firstReport = report;
        bool freeDayTaken = false;
        for (int d = 0; d < dutyCount; ++d) {
            SampleDuty duty;
            const bool last = d == dutyCount - 1;
            int end = 0;
            if (!BuildDuty(duty, *at, report, d == 0, last, clock, end))
                return false;
            const int reportWall = clock.Wall(report);
            const int endWall = clock.Wall(end);
            duty.day = reportWall / 1440;
            duty.report = reportWall % 1440;
            duty.endDay = endWall / 1440;
            duty.end = endWall % 1440;
            duty.onDuty = end - report;
            duty.endStation = duty.legs.back().to;
            Tally(duty);
            const int maxDuty = duty.report >= 720 ? 600 : 750;
            if (duty.onDuty > maxDuty || duty.block > 420 || duty.day > 5)
                return false;
            if (dutyCount == 1 && duty.endDay != duty.day)
                return false;
            if (!last) {
                const int restMin = m_crewKind == 2 ? 600 : 660;
                const int nextMorning = (report / 1440 + 1) * 1440 + m_rng.Between(60, 132) * 5;
                int next = std::max(end + restMin, nextMorning);
                if (next == nextMorning && next % 1440 > 960)
                    next = end + restMin;
                if (!freeDayTaken && dutyCount <= 4 && m_rng.Percent(5)) {
                    next += 1440; // a day off at the outstation
                    freeDayTaken = true;
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
        p.onTime = clock.Wall(firstReport) % 1440;
        return ValidSpan(p);
    }

    // A continuous duty overnight: out in the evening, a few hours on the
    // ground at the outstation, home in the early morning, all one duty.
    bool BuildContinuous(SamplePairing& p, int changeMinute, int shift)
    {
        const int report = m_rng.Between(238, 262) * 5;
        const Clock clock{changeMinute > report ? changeMinute : INT_MAX, shift};
        const Station* out = PickSpoke(m_base, nullptr);
        if (!out)
            return false;
        SampleDuty duty;
        duty.legs.push_back(Flight(m_base, *out, report + 60, clock));
        const int arrOut = report + 60 + duty.legs.back().block;
        const int back = std::max(arrOut + 150, 1440 + m_rng.Between(60, 78) * 5);
        duty.sit = back - arrOut;
        duty.legs.push_back(Flight(*out, m_base, RoundTo5(back), clock));
        const int end = RoundTo5(back) + duty.legs.back().block + 15;
        duty.onDuty = end - report;
        duty.day = clock.Wall(report) / 1440;
        duty.report = clock.Wall(report) % 1440;
        duty.endDay = clock.Wall(end) / 1440;
        duty.end = clock.Wall(end) % 1440;
        duty.endStation = std::string(m_base.code);
        Tally(duty);
        if (duty.onDuty > 720)
            return false;
        p.duties.push_back(duty);
        p.tafb = end - report;
        p.onTime = duty.report;
        p.continuous = true;
        return ValidSpan(p);
    }

    // Out and back in the morning: the shape every base can fly.
    void BuildTurn(SamplePairing& p)
    {
        const Clock clock{INT_MAX, 0};
        const Station* out = PickSpoke(m_base, nullptr);
        if (!out)
            return;
        SampleDuty duty;
        const int report = 480;
        duty.legs.push_back(Flight(m_base, *out, report + 60, clock));
        const int back = report + 60 + duty.legs.back().block + 45;
        duty.legs.push_back(Flight(*out, m_base, back, clock));
        const int end = back + duty.legs.back().block + 15;
        duty.sit = 45;
        duty.report = report;
        duty.endDay = end / 1440;
        duty.end = end % 1440;
        duty.onDuty = end - report;
        duty.endStation = std::string(m_base.code);
        Tally(duty);
        p.duties.push_back(duty);
        p.tafb = end - report;
        p.onTime = report;
    }

    static bool ValidSpan(const SamplePairing& p)
    {
        const int span = (p.onTime + p.tafb - 1) / 1440 + 1;
        return span <= 6 && !p.duties.empty() && p.duties.back().day <= 5;
    }

    void Finish(SamplePairing& p)
    {
        p.base = m_baseLetter;
        p.airport = std::string(m_base.code);
        p.aircraftType = std::string(m_eq.aircraftType);
        if (p.duties.empty())
            return;
        const SampleDuty& lastDuty = p.duties.back();
        p.release = lastDuty.end;
        p.days = lastDuty.endDay + 1;
        for (const SampleDuty& d : p.duties) {
            const size_t day = static_cast<size_t>(std::clamp(d.day, 0, 5));
            p.dayHard[day] += d.block;
            p.dayCredit[day] += d.credit;
            p.credit += d.credit;
            for (const SampleLeg& leg : d.legs) {
                const Station* a = FindStation(leg.from);
                const Station* b = FindStation(leg.to);
                if ((a && a->usa) || (b && b->usa))
                    p.usa = true;
            }
        }
        // The pairing system rounds the total on its own; the loader spreads
        // the difference over the days.
        if (m_rng.Percent(10) && p.dayCredit[static_cast<size_t>(lastDuty.day)] > 240)
            p.credit -= 1;
        p.minRest = m_crewKind == 2 ? 600 : 660;
        if (m_crewKind == 2) {
            const bool big = m_eq.seats > 60;
            p.complement = big ? (m_rng.Percent(30) ? "FA02PU01" : "FA01PU01")
                               : (m_rng.Percent(5) ? "FA02" : "FA01");
        } else {
            const int r = m_rng.Below(100);
            p.complement = r < 95 ? "CA01FO01" : r < 97 ? "CA02FO01" : "CA01FO02";
        }
        int usNights = 0;
        for (const std::string& station : p.Layovers()) {
            const Station* s = FindStation(station);
            if (s && s->usa)
                ++usNights;
        }
        const int cadDays = std::max(1, p.days - usNights);
        p.mealsUsCents = usNights * m_rng.Between(5500, 7500) + (p.usa ? 1850 : 0);
        p.mealsCadCents = cadDays * m_rng.Between(4500, 6500);
        if (m_crewKind == 2) {
            const bool quebec = m_base.code == "YUL" || m_base.code == "YQB";
            p.french = m_rng.Percent(quebec ? 45 : 15);
        }
    }

    SampleRandom& m_rng;
    const Station& m_base;
    char m_baseLetter;
    const Equipment& m_eq;
    int m_crewKind;
    std::vector<const Station*> m_spokes;
    std::vector<const GroundLink*> m_links;
    std::set<int> m_flights;
};

// Operating dates from the first one: a single date, a weekly pattern over
// a few weeks, or every day for some days; a few drop dates as exceptions.
void ChooseDates(SampleRandom& rng, SamplePairing& p, int32_t first, int32_t periodLast)
{
    p.pattern = {};
    p.dates.clear();
    p.exceptions.clear();
    const int r = rng.Below(100);
    if (r < 40) {
        p.dates.push_back(first);
        p.pattern[static_cast<size_t>(Weekday(first) - 1)] = true;
    } else {
        int32_t until = 0;
        if (r < 85) {
            p.pattern[static_cast<size_t>(Weekday(first) - 1)] = true;
            const int more = rng.Between(0, 2);
            for (int i = 0; i < more; ++i)
                p.pattern[static_cast<size_t>(rng.Below(7))] = true;
            until = std::min(first + 7 * rng.Between(2, 4) - 1, periodLast);
        } else {
            p.pattern.fill(true);
            until = std::min(first + rng.Between(3, 9), periodLast);
        }
        for (int32_t d = first; d <= until; ++d)
            if (p.pattern[static_cast<size_t>(Weekday(d) - 1)])
                p.dates.push_back(d);
        if (p.dates.size() >= 3 && rng.Percent(30)) {
            const int drops = std::min(rng.Between(1, 2), static_cast<int>(p.dates.size()) - 2);
            for (int i = 0; i < drops; ++i) {
                const size_t at = 1 + static_cast<size_t>(rng.Below(static_cast<int>(p.dates.size()) - 2));
                p.exceptions.push_back(p.dates[at]);
                p.dates.erase(p.dates.begin() + static_cast<std::ptrdiff_t>(at));
            }
            std::sort(p.exceptions.begin(), p.exceptions.end());
        }
    }
    p.validFrom = p.dates.front();
    p.validTo = p.dates.back();
}

int DrawDutyDays(SampleRandom& rng)
{
    const int r = rng.Below(100);
    return r < 28 ? 1 : r < 52 ? 2 : r < 76 ? 3 : r < 90 ? 4 : 5;
}

} // namespace

std::vector<SamplePairing> GeneratePairings(uint64_t seed, std::string_view label,
                                            const PairingPlan& plan)
{
    std::vector<SamplePairing> out;
    const Station* base = FindStation(plan.airport);
    if (!base || plan.equipment.empty() || plan.count <= 0 || plan.lastDay < plan.firstDay)
        return out;
    SampleRandom rng(seed, label);
    const int periodDays = plan.lastDay - plan.firstDay + 1;
    // Pairings across the change of clocks: a few start shortly before it.
    const int dstForced = plan.dst.shift != 0 ? std::max(2, plan.count / 40) : 0;

    struct Draft {
        SamplePairing pairing;
        size_t order;
    };
    std::vector<Draft> drafts;
    for (int i = 0; i < plan.count; ++i) {
        const char digit = plan.equipment[static_cast<size_t>(rng.Below(static_cast<int>(plan.equipment.size())))];
        const Equipment* eq = FindEquipment(digit);
        if (!eq)
            continue;
        PairingBuilder builder(rng, *base, plan.baseLetter, *eq, plan.crewKind);
        if (!builder.HasNetwork())
            continue;
        bool continuous = rng.Percent(6);
        int dutyDays = continuous ? 1 : DrawDutyDays(rng);
        int dayIndex = rng.Below(periodDays);
        if (i < dstForced) {
            continuous = false;
            dutyDays = std::max(dutyDays, 2);
            dayIndex = std::max(0, plan.dst.dayIndex - rng.Between(1, dutyDays - 1));
        }
        const int changeMinute = plan.dst.shift != 0
                                     ? (plan.dst.dayIndex - dayIndex) * 1440 + 120
                                     : INT_MAX;
        SamplePairing p = builder.Make(dutyDays, continuous, changeMinute, plan.dst.shift);
        p.number = (digit - '0') * 1000;
        ChooseDates(rng, p, plan.firstDay + dayIndex, plan.lastDay);
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
        if (next > 999)
            continue; // three digits per equipment character
        d.pairing.number = digitBase + next++;
        out.push_back(std::move(d.pairing));
    }
    return out;
}

} // namespace tl::sample
