#include "sample/sample_month.h"

#include "import/new_month.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "sample/sample_formats.h"
#include "sample/sample_pairings.h"
#include "sample/sample_random.h"
#include "sample/sample_world.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <utility>

namespace tl::sample {

namespace {

constexpr int kLineCredit = 82 * 60; // a block of a crew member who works the month
constexpr int kOpenPercent = 10;     // of the month's credit left open

int32_t PeriodStart(int year, int month)
{
    if (month == 2)
        return JulianDay(1, 31, year);
    if (month == 3)
        return JulianDay(3, 2, year);
    return JulianDay(month, 1, year);
}

std::pair<int, int> NextMonth(int year, int month)
{
    return month == 12 ? std::pair{year + 1, 1} : std::pair{year, month + 1};
}

std::string MonthTag(int year, int month)
{
    return std::string(MonthAbbreviation(month)) + std::to_string(year % 100 / 10) +
           std::to_string(year % 10);
}

std::string ExtractPrefix(int year, int month)
{
    return std::to_string(month / 10) + std::to_string(month % 10) +
           std::to_string(year % 100 / 10) + std::to_string(year % 10);
}

// Crew group codes of employees outside the group, as the extracts of the
// whole airline hold them. Flight attendant documents take everyone of their
// airport, so for them the others live at other bases.
std::string OtherGroup(SampleRandom& rng, const GroupInfo& g)
{
    static constexpr std::string_view kAircraft[] = {"DH8", "DH3", "DH4", "CRJ"};
    std::string airport = g.airport;
    while (airport == g.airport)
        airport = std::string(
            Bases()[static_cast<size_t>(rng.Below(static_cast<int>(Bases().size())))].airport);
    const std::string aircraft(kAircraft[static_cast<size_t>(rng.Below(4))]);
    if (g.crewKind == kFlightAttendants)
        return airport +
               (rng.Percent(60) ? aircraft + "FA" : aircraft + (rng.Percent(50) ? "CA" : "FO"));
    const int r = rng.Below(100);
    if (r < 35)
        return g.airport + g.aircraft + (g.status == "CA" ? "FO" : "CA");
    if (r < 55) {
        std::string other = g.aircraft;
        while (other == g.aircraft)
            other = std::string(kAircraft[static_cast<size_t>(rng.Below(4))]);
        return g.airport + other + g.status;
    }
    if (r < 80)
        return airport + g.aircraft + g.status;
    return g.airport + aircraft + "FA";
}

// Qualification codes in a fixed order. No two of them side by side spell
// another code, so each flag the roster loader finds was meant.
std::string Quals(SampleRandom& rng, int crewKind, bool frenchBase)
{
    std::string q;
    if (crewKind == kFlightAttendants) {
        if (rng.Percent(90))
            q += "EN";
        if (rng.Percent(frenchBase ? 75 : 35))
            q += "FR";
        if (rng.Percent(5))
            q += "IT";
        if (rng.Percent(5))
            q += "RB";
        return q;
    }
    const int check = rng.Below(100);
    if (check < 3)
        q += "LA";
    else if (check < 6 && crewKind == kCaptains)
        q += "LC";
    else if (check < 9)
        q += "LB";
    if (rng.Percent(5))
        q += "ZT";
    if (rng.Percent(6))
        q += "60";
    if (rng.Percent(4))
        q += "MR";
    if (rng.Percent(5))
        q += "NT";
    if (rng.Percent(5))
        q += "RB";
    return q;
}

std::vector<SampleCrewMember> MakeCrew(const GroupInfo& g, const SampleOptions& o,
                                       const SamplePeriod& period)
{
    SampleRandom rng(o.seed, "crew");
    const int others = o.crew / 3 + 6;
    std::vector<SampleCrewMember> crew;
    std::set<int32_t> numbers;
    const std::span<const std::string_view> last = LastNames();
    const std::span<const std::string_view> first = FirstNames();
    for (int i = 0; i < o.crew + others; ++i) {
        SampleCrewMember c;
        c.inGroup = i < o.crew;
        do
            c.empNumber = rng.Between(100000, 999998);
        while (!numbers.insert(c.empNumber).second);
        c.lastName =
            std::string(last[static_cast<size_t>(rng.Below(static_cast<int>(last.size())))]);
        c.firstName =
            std::string(first[static_cast<size_t>(rng.Below(static_cast<int>(first.size())))]);
        c.hireDate = period.firstDay - rng.Between(150, 12000);
        c.checkDate = period.firstDay - rng.Between(10, 330);
        c.groupCode = c.inGroup ? g.code.substr(0, 8) : OtherGroup(rng, g);
        const std::string airport = c.groupCode.substr(0, 3);
        c.quals = Quals(rng, CrewKindOfGroup(c.groupCode), airport == "YUL" || airport == "YQB");
        c.reserveBid = c.inGroup && g.crewKind != kFlightAttendants && rng.Percent(8);
        if (!o.clean) {
            // Older employee numbers have fewer digits; some records come
            // in lower case or in the longer record layout.
            if (rng.Percent(2) || i == 2) {
                numbers.erase(c.empNumber);
                do
                    c.empNumber = rng.Between(1000, 89999);
                while (!numbers.insert(c.empNumber).second);
            }
            c.lowerCase = rng.Percent(3) || i == 4;
            c.longRecord = rng.Percent(10) || i == 1;
            // Flight attendants of the base hold the qualification of
            // another aircraft in their group columns; they are still crew
            // of the base's group.
            if (c.inGroup && g.crewKind == kFlightAttendants && (rng.Percent(10) || i == 3))
                c.groupCode = g.airport + (g.aircraft == "CRJ" ? "DH8" : "CRJ") + "FA";
        }
        crew.push_back(std::move(c));
    }
    std::stable_sort(
        crew.begin(), crew.end(), [](const SampleCrewMember& a, const SampleCrewMember& b) {
            return a.hireDate != b.hireDate ? a.hireDate < b.hireDate : a.empNumber < b.empNumber;
        });
    return crew;
}

// Odd cases of last month's extracts, on the first members of the group
// with room for them: a simulator session overnight, a vacation that began
// before the 31 days the extract covers, a pairing the pairing extract lacks
// and a pairing whose rest after it is above 11:59.
void AddPriorOddCases(std::vector<SampleCrewMember>& crew, std::vector<SamplePairing>& templates,
                      std::vector<PriorInstance>& instances, int32_t slot0, bool cabin)
{
    int step = 0;
    for (SampleCrewMember& c : crew) {
        if (!c.inGroup || c.prior.size() >= 30)
            continue;
        if (step == 0) {
            c.prior.insert(c.prior.begin(), {false, -1, slot0 - 5, slot0 + 1, "VC", 0, 1439});
            ++step;
        } else if (step == 1) {
            // A one-day code followed by a free day becomes a session overnight.
            for (size_t i = 0; i < c.prior.size(); ++i) {
                SamplePriorEntry& e = c.prior[i];
                const bool nextFree = i + 1 == c.prior.size() || c.prior[i + 1].date > e.date + 1;
                if (!e.pairing && e.lastDate == e.date && e.date + 1 < slot0 + 31 && nextFree) {
                    e = {false, -1, e.date, e.date + 1, cabin ? "TN" : "SM", 1320, 360};
                    ++step;
                    break;
                }
            }
        } else {
            for (const SamplePriorEntry& e : c.prior) {
                const auto it =
                    std::find_if(instances.begin(), instances.end(), [&](const PriorInstance& in) {
                        return e.pairing && in.templateIndex == e.templateIndex &&
                               in.date == e.date;
                    });
                if (it == instances.end())
                    continue;
                if (step++ == 3)
                    instances.erase(it);
                else
                    templates[static_cast<size_t>(e.templateIndex)].minRest = 780;
                break;
            }
            if (step > 3)
                return;
        }
    }
}

// Last month: each member of the group flies pairings of last month's set
// with days off, reserve, a vacation or a training day between them; some
// pairings run into the month.
std::vector<PriorInstance> MakePriorMonth(std::vector<SampleCrewMember>& crew, const GroupInfo& g,
                                          std::vector<SamplePairing>& templates,
                                          const SamplePeriod& period, uint64_t seed, bool clean)
{
    SampleRandom rng(seed, "prior");
    const int32_t slot0 = period.firstDay - 31;
    std::set<std::pair<int, int32_t>> used;
    std::vector<PriorInstance> instances;
    const bool cabin = g.crewKind == kFlightAttendants;
    int groupIndex = 0;

    for (SampleCrewMember& c : crew) {
        if (!c.inGroup) {
            if (c.groupCode.substr(0, 3) == g.airport && rng.Percent(40)) {
                const int start = rng.Between(0, 24);
                c.prior.push_back(
                    {false, -1, slot0 + start, slot0 + start + rng.Between(2, 6), "VC", 0, 1439});
            }
            continue;
        }
        const bool forceReach = groupIndex++ % 5 == 0;
        int cursor = rng.Between(0, 3);
        int lastBusy = -1;
        bool reserveDone = false;
        bool vacationDone = false;
        auto addPairing = [&](int slot, int index) {
            const SamplePairing& t = templates[static_cast<size_t>(index)];
            const int32_t date = slot0 + slot;
            used.insert({index, date});
            instances.push_back({index, date});
            c.prior.push_back({true, index, date, date + t.days - 1, "", 0, 0});
            for (int k = 0; k < t.days && k < 6; ++k)
                if (slot + k <= 30)
                    c.priorHard[static_cast<size_t>(slot + k)] += t.dayHard[static_cast<size_t>(k)];
            lastBusy = slot + t.days - 1;
            c.carryIntoMonth = std::max(0, lastBusy - 30);
        };
        auto addCode = [&](const char* code, int slot, int days, int start, int end) {
            const int lastSlot = std::min(slot + days - 1, 30);
            c.prior.push_back({false, -1, slot0 + slot, slot0 + lastSlot, code, start, end});
            lastBusy = lastSlot;
        };
        while (cursor <= 30 && c.prior.size() < 31) {
            const int r = rng.Below(100);
            if (r < 64 && !templates.empty()) {
                int index = -1;
                for (int tries = 0; tries < 8 && index < 0; ++tries) {
                    const int t = rng.Below(static_cast<int>(templates.size()));
                    if (!used.count({t, slot0 + cursor}))
                        index = t;
                }
                if (index < 0) {
                    ++cursor;
                    continue;
                }
                addPairing(cursor, index);
                cursor = lastBusy + 1 + rng.Between(1, 3);
            } else if (r < 71 && !reserveDone) {
                reserveDone = true;
                addCode("RA", cursor, rng.Between(2, 4), 360, 1200);
                cursor = lastBusy + 1 + rng.Between(1, 2);
            } else if (r < 75 && !vacationDone) {
                vacationDone = true;
                addCode("VC", cursor, rng.Between(4, 8), 0, 1439);
                cursor = lastBusy + 2;
            } else if (r < 81) {
                if (cabin)
                    addCode("TN", cursor, 1, 480, 990);
                else
                    addCode("SM", cursor, 1, 360, 600);
                cursor += 2;
            } else {
                cursor += rng.Between(1, 3);
            }
        }
        if (forceReach && c.carryIntoMonth == 0 && lastBusy <= 28 && c.prior.size() < 31) {
            std::vector<int> longer;
            for (size_t t = 0; t < templates.size(); ++t)
                if (templates[t].days >= 2 && !used.count({static_cast<int>(t), slot0 + 30}))
                    longer.push_back(static_cast<int>(t));
            if (!longer.empty())
                addPairing(30,
                           longer[static_cast<size_t>(rng.Below(static_cast<int>(longer.size())))]);
        }
    }
    std::sort(instances.begin(), instances.end(),
              [&](const PriorInstance& a, const PriorInstance& b) {
                  if (a.date != b.date)
                      return a.date < b.date;
                  return templates[static_cast<size_t>(a.templateIndex)].number <
                         templates[static_cast<size_t>(b.templateIndex)].number;
              });
    if (!clean)
        AddPriorOddCases(crew, templates, instances, slot0, cabin);
    return instances;
}

// First day index of `length` free days among `busy`, marking them; -1 when
// none was found.
int Place(SampleRandom& rng, std::vector<bool>& busy, int length)
{
    const int days = static_cast<int>(busy.size());
    if (length < 1 || length > days)
        return -1;
    for (int tries = 0; tries < 20; ++tries) {
        const int start = rng.Below(days - length + 1);
        bool free = true;
        for (int d = start; free && d < start + length; ++d)
            free = !busy[static_cast<size_t>(d)];
        if (!free)
            continue;
        for (int d = start; d < start + length; ++d)
            busy[static_cast<size_t>(d)] = true;
        return start;
    }
    return -1;
}

void AddAbsence(SampleRandom& rng, std::vector<SampleAbsence>& list, std::vector<bool>& busy,
                const char* code, int minDays, int maxDays, int start, int end)
{
    const int length = rng.Between(minDays, maxDays);
    const int first = Place(rng, busy, length);
    if (first >= 0)
        list.push_back({code, first + 1, first + length, start, end});
}

void MakeAbsences(std::vector<SampleCrewMember>& crew, const GroupInfo& g, const SampleOptions& o,
                  int days, int nextDays)
{
    SampleRandom rng(o.seed, "absences");
    const bool cabin = g.crewKind == kFlightAttendants;
    int groupIndex = 0;
    bool dailyDone = false;
    int onLeave = -1;
    if (o.crew >= 20) {
        int index = 0;
        for (size_t i = 0; i < crew.size() && onLeave < 0; ++i)
            if (crew[i].inGroup && index++ >= o.crew / 2 && crew[i].carryIntoMonth == 0)
                onLeave = static_cast<int>(i);
    }
    for (size_t i = 0; i < crew.size(); ++i) {
        SampleCrewMember& c = crew[i];
        if (!c.inGroup) {
            const bool sameSide = (CrewKindOfGroup(c.groupCode) == kFlightAttendants) == cabin;
            std::vector<bool> busy(static_cast<size_t>(days), false);
            if (sameSide && rng.Percent(30))
                AddAbsence(rng, c.absences, busy, "VC", 3, 10, 0, 1439);
            continue;
        }
        if (static_cast<int>(i) == onLeave) {
            c.absences.push_back({"LA", 1, days, 0, 1439});
            c.nextAbsences.push_back({"LA", 1, nextDays, 0, 1439});
            continue;
        }
        const int odd = o.clean ? -1 : groupIndex++;
        if (odd >= 5 && !dailyDone && c.carryIntoMonth == 0) {
            dailyDone = true;
            // Sick all month, written by the tracking system a day at a time.
            for (int d = 1; d <= 31; ++d)
                c.absences.push_back({"MD", d, d, 0, 1439});
            continue;
        }
        std::vector<bool> busy(static_cast<size_t>(days), false);
        for (int d = 0; d < c.carryIntoMonth && d < days; ++d)
            busy[static_cast<size_t>(d)] = true;
        if (odd >= 0) {
            // Reserve blocks, an evening simulator session ending after
            // midnight, a code the toolbox does not know, and a vacation
            // into next month written with next month's last day.
            if (rng.Percent(8) || odd == 1)
                AddAbsence(rng, c.absences, busy, rng.Percent(50) ? "RA" : "RB", 2, 4, 300, 1260);
            if (odd == 2 || (odd > 5 && rng.Percent(2)))
                AddAbsence(rng, c.absences, busy, cabin ? "TN" : "SM", 1, 1, 1200, 120);
            if (odd == 3 || (odd > 5 && rng.Percent(1)))
                AddAbsence(rng, c.absences, busy, "QX", 1, 1, 480, 960);
            if (odd == 4 && !busy[static_cast<size_t>(days - 1)] &&
                !busy[static_cast<size_t>(days - 2)]) {
                busy[static_cast<size_t>(days - 1)] = busy[static_cast<size_t>(days - 2)] = true;
                c.absences.push_back({"VC", days - 1, 2, 0, 1439});
                c.nextAbsences.push_back({"VC", 1, 2, 0, 1439});
            }
        }
        if (rng.Percent(20))
            AddAbsence(rng, c.absences, busy, "VC", 5, 14, 0, 1439);
        if (rng.Percent(15)) {
            const int r = rng.Below(4);
            if (cabin) {
                const char* code = r == 0 ? "TN" : r == 1 ? "SC" : r == 2 ? "CM" : "FN";
                AddAbsence(rng, c.absences, busy, code, 1, r == 3 ? 2 : 1, 480, 990);
            } else if (r == 0) {
                AddAbsence(rng, c.absences, busy, "SM", 1, 1, 360, 600);
            } else {
                const char* code = r == 1 ? "GS" : r == 2 ? "SW" : "CT";
                AddAbsence(rng, c.absences, busy, code, 1, r == 1 ? 2 : 1, 480, 990);
            }
        }
        if (rng.Percent(10))
            AddAbsence(rng, c.absences, busy, "SA", 1, 1, 0, 1439);
        if (rng.Percent(12))
            AddAbsence(rng, c.absences, busy, "GO", 1, 2, 0, 1439);
        if (rng.Percent(3))
            AddAbsence(rng, c.absences, busy, "MD", 3, 10, 0, 1439);
        std::sort(
            c.absences.begin(), c.absences.end(),
            [](const SampleAbsence& a, const SampleAbsence& b) { return a.firstDay < b.firstDay; });

        std::vector<bool> nextBusy(static_cast<size_t>(nextDays), false);
        if (rng.Percent(15))
            AddAbsence(rng, c.nextAbsences, nextBusy, "VC", 5, 14, 0, 1439);
        if (rng.Percent(8))
            AddAbsence(rng, c.nextAbsences, nextBusy, cabin ? "TN" : "SM", 1, 1, cabin ? 480 : 360,
                       cabin ? 990 : 600);
        if (rng.Percent(8))
            AddAbsence(rng, c.nextAbsences, nextBusy, "GO", 1, 2, 0, 1439);
        std::sort(
            c.nextAbsences.begin(), c.nextAbsences.end(),
            [](const SampleAbsence& a, const SampleAbsence& b) { return a.firstDay < b.firstDay; });
    }
}

// Credit the group can fly: 80 hours for each member, less the days taken
// by absences and by last month's pairings.
int64_t CrewCapacity(const std::vector<SampleCrewMember>& crew, int days)
{
    int64_t credit = 0;
    for (const SampleCrewMember& c : crew) {
        if (!c.inGroup)
            continue;
        std::vector<bool> busy(static_cast<size_t>(days), false);
        for (int d = 0; d < c.carryIntoMonth && d < days; ++d)
            busy[static_cast<size_t>(d)] = true;
        for (const SampleAbsence& a : c.absences)
            for (int d = a.firstDay - 1; d < a.lastDay && d < days; ++d)
                if (d >= 0)
                    busy[static_cast<size_t>(d)] = true;
        const int64_t free = std::count(busy.begin(), busy.end(), false);
        credit += kLineCredit * free / days;
    }
    return credit;
}

PairingPlan GroupPlan(const GroupInfo& g, const SamplePeriod& period, int count, bool clean)
{
    PairingPlan plan;
    plan.oddCases = !clean;
    plan.baseLetter = g.baseLetter;
    plan.airport = g.airport;
    plan.equipment = g.draws;
    plan.crewKind = g.crewKind;
    plan.count = count;
    plan.firstDay = period.firstDay;
    plan.lastDay = period.lastDay;
    plan.dst = FindDstChange(period.firstDay, period.lastDay);
    return plan;
}

std::string AllBasesText(const SampleOptions& o, const GroupInfo& g, const SamplePeriod& period,
                         const std::vector<SamplePairing>& own)
{
    SampleRandom rng(o.seed, "all-bases");
    std::vector<Base> bases(Bases().begin(), Bases().end());
    if (!FindBase(g.baseLetter))
        bases.push_back({g.baseLetter, g.airport});
    const SampleDstChange dst = FindDstChange(period.firstDay, period.lastDay);
    std::string out;
    for (const Base& base : bases) {
        const bool home = base.letter == g.baseLetter;
        // The group's own pairings come as they are; every other equipment
        // of every base is drawn here, with complements for every position.
        std::vector<SamplePairing> list;
        for (const Equipment& e : EquipmentTypes()) {
            if (home && (g.accepted.empty() || g.accepted.find(e.digit) != std::string::npos))
                continue;
            PairingPlan plan;
            plan.baseLetter = base.letter;
            plan.airport = home ? std::string_view(g.airport) : base.airport;
            plan.equipment = std::span<const char>(&e.digit, 1);
            plan.crewKind = g.crewKind;
            plan.count = rng.Between(8, 26);
            plan.firstDay = period.firstDay;
            plan.lastDay = period.lastDay;
            plan.dst = dst;
            const std::string label = std::string("all-") + base.letter + e.digit;
            std::vector<SamplePairing> more = GeneratePairings(o.seed, label, plan);
            list.insert(list.end(), std::make_move_iterator(more.begin()),
                        std::make_move_iterator(more.end()));
        }
        if (home)
            for (const SamplePairing& p : own)
                AppendPrgPairing(out, p);
        for (const SamplePairing& p : list)
            AppendPrgPairing(out, p);
    }
    return out;
}

} // namespace

bool ParseGroup(std::string_view code, GroupInfo& g, std::string& error)
{
    if (code.size() != 9) {
        error = "the crew group code has 9 characters: base, aircraft type, status (CA, FO or FA) "
                "and pairing letter, such as YYZDH8FOZ";
        return false;
    }
    for (char c : code) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            error = "the crew group code takes capital letters and digits only";
            return false;
        }
    }
    g = GroupInfo{};
    g.code = std::string(code);
    g.airport = g.code.substr(0, 3);
    g.aircraft = g.code.substr(3, 3);
    g.status = g.code.substr(6, 2);
    g.crewKind = CrewKindOfGroup(g.code);
    if (g.crewKind < 0) {
        error = "the status in the crew group code is CA, FO or FA";
        return false;
    }
    if (!FindStation(g.airport)) {
        error = "there is no sample network around the airport " + g.airport;
        return false;
    }
    // The pairing loader's reading of the code: the letter at position 8,
    // unless one of the base airports appears in the code.
    g.baseLetter = code[8];
    for (const Base& b : Bases()) {
        if (code.find(b.airport) != std::string_view::npos) {
            g.baseLetter = b.letter;
            break;
        }
    }
    if (g.baseLetter < 'A' || g.baseLetter > 'Z') {
        error = "the pairing letter of the crew group code is a capital letter";
        return false;
    }
    if (g.crewKind == kFlightAttendants) {
        g.draws = {'8', '8', '3', '4', '7', '7', '2'};
        return true;
    }
    if (code.find("DH8") != std::string_view::npos) {
        g.draws = {'8'};
        g.accepted = "8";
    } else if (code.find("DH3") != std::string_view::npos) {
        g.draws = {'3'};
        g.accepted = "3";
    } else if (code.find("DH4") != std::string_view::npos) {
        g.draws = {'4'};
        g.accepted = "4";
    } else if (code.find("CRJ") != std::string_view::npos) {
        g.draws = {'7', '7', '7', '2'};
        g.accepted = "72";
    } else {
        error = "pilot groups fly DH8, DH3, DH4 or CRJ";
        return false;
    }
    return true;
}

SamplePeriod SampleMonthPeriod(int year, int month)
{
    const auto [nextYear, nextMonth] = NextMonth(year, month);
    return {PeriodStart(year, month), PeriodStart(nextYear, nextMonth) - 1};
}

std::string CheckSampleOptions(const SampleOptions& o)
{
    GroupInfo g;
    std::string error;
    if (!ParseGroup(o.group, g, error))
        return error;
    if (o.year < 1901 || o.year > 2098 || o.month < 1 || o.month > 12)
        return "the month is a year from 1901 to 2098 and a month from 1 to 12 (YYYY-MM)";
    if (o.crew < 1 || o.crew > kMaxSampleCrew)
        return "the crew count is 1 to " + std::to_string(kMaxSampleCrew);
    if (o.pairings < 0 || o.pairings > kMaxSamplePairings)
        return "the pairing count is 1 to " + std::to_string(kMaxSamplePairings) +
               ", or 0 for as many as the crew flies";
    return {};
}

std::vector<const SampleFile*> SampleMonth::Files() const
{
    std::vector<const SampleFile*> files{&prg};
    for (const SampleFile& f : lis)
        files.push_back(&f);
    for (const SampleFile* f : {&roster, &absences, &nextAbsences, &activity, &priorPairings,
                                &toolBox, &bids, &allBasesPrg})
        if (!f->name.empty())
            files.push_back(f);
    return files;
}

SampleMonth GenerateSampleMonth(const SampleOptions& o)
{
    SampleMonth month;
    GroupInfo g;
    std::string error;
    if (!CheckSampleOptions(o).empty() || !ParseGroup(o.group, g, error))
        return month;
    month.group = g.code;
    month.crewKind = g.crewKind;
    month.period = SampleMonthPeriod(o.year, o.month);
    const int days = month.period.lastDay - month.period.firstDay + 1;
    const auto [nextYear, nextMonthNumber] = NextMonth(o.year, o.month);
    const SamplePeriod next = SampleMonthPeriod(nextYear, nextMonthNumber);
    // Following-month absences land in the day slots after the month, 62 in all.
    const int nextDays = std::min(next.lastDay - next.firstDay + 1, 62 - days);

    std::vector<SampleCrewMember> crew = MakeCrew(g, o, month.period);
    PairingPlan priorPlan = GroupPlan(g, {month.period.firstDay - 31, month.period.firstDay - 1},
                                      std::clamp(o.crew / 2, 12, 300), true);
    priorPlan.dst = {};
    std::vector<SamplePairing> templates = GeneratePairings(o.seed, "prior pairings", priorPlan);
    const std::vector<PriorInstance> instances =
        MakePriorMonth(crew, g, templates, month.period, o.seed, o.clean);
    MakeAbsences(crew, g, o, days, nextDays);

    PairingPlan plan = GroupPlan(g, month.period, o.pairings, o.clean);
    plan.creditTarget = static_cast<int>(CrewCapacity(crew, days) * 100 / (100 - kOpenPercent));
    const std::vector<SamplePairing> pairings = GeneratePairings(o.seed, "pairings", plan);

    const std::string tag = MonthTag(o.year, o.month);
    const std::string prefix = ExtractPrefix(o.year, o.month);
    const char side = g.crewKind == kFlightAttendants ? 'c' : 'p';

    month.prg.name = tag + ".PRG";
    for (const SamplePairing& p : pairings)
        AppendPrgPairing(month.prg.text, p);
    month.pairings = pairings;

    std::string digits;
    for (const SamplePairing& p : pairings)
        if (digits.find(p.Equipment()) == std::string::npos)
            digits += p.Equipment();
    std::sort(digits.begin(), digits.end());
    for (char digit : digits) {
        std::vector<const SamplePairing*> list;
        for (const SamplePairing& p : pairings)
            if (p.Equipment() == digit)
                list.push_back(&p);
        month.lis.push_back({tag + "-" + digit + ".LIS", LisText(list, g, month.period)});
    }

    month.roster = {prefix + "per" + side + ".ext", RosterText(crew)};
    month.absences = {prefix + "abs" + side + ".ext", AbsenceText(crew, false)};
    month.nextAbsences = {ExtractPrefix(nextYear, nextMonthNumber) + "abs" + side + ".ext",
                          AbsenceText(crew, true)};
    month.activity = {prefix + "act" + side + ".ext", ActivityText(crew, templates)};
    month.priorPairings = {prefix + "prg" + side + ".ext", PriorPairingText(instances, templates)};
    month.toolBox = {"TOOLBOX.TXT", ToolBoxText(month.period.firstDay - 20, !o.clean)};
    if (g.crewKind != kFlightAttendants)
        month.bids = {tag + "-BIDS.CSV",
                      BidsText(crew, pairings, g, month.period, o.seed, !o.clean)};
    if (o.allBases)
        month.allBasesPrg = {tag + "-ALL.PRG", AllBasesText(o, g, month.period, pairings)};
    return month;
}

std::string GenerateAllBasesPrg(const SampleOptions& o)
{
    GroupInfo g;
    std::string error;
    if (!CheckSampleOptions(o).empty() || !ParseGroup(o.group, g, error))
        return {};
    SampleOptions all = o;
    all.allBases = true;
    return GenerateSampleMonth(all).allBasesPrg.text;
}

bool WriteSampleMonth(const SampleMonth& month, const std::filesystem::path& folder,
                      std::string& error)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "Unable to make the folder " + folder.string() + ": " + ec.message();
        return false;
    }
    for (const SampleFile* file : month.Files()) {
        const std::filesystem::path path = folder / file->name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file->text.data(), static_cast<std::streamsize>(file->text.size()));
        out.close();
        if (!out) {
            error = "Unable to write " + path.string();
            return false;
        }
    }
    return true;
}

} // namespace tl::sample
