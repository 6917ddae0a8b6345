#include "sample/sample_formats.h"
#include "sample/sample_random.h"
#include "sample/sample_text.h"

#include "model/vortime.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tl::sample {

// The pilots' bid file of the bidding system: a header line, then one line
// per bid in seniority order, every field in double quotes and separated by
// commas, the last field "end_x_bid". Fields, counting the employee number
// (six digits) as 1: 2 first name, 3 last name, 4 e-mail, 5 and 6 phones,
// 7 base, 8 aircraft and status, 9 LBW, 10 vacation, 11 statutory days,
// 12 GDO days, 13 and 14 PDO days, 15 PDO next, 16 used PDO, 17 simulator,
// 18 max days, 19 crew rest, 20 pairings or reserve, 21 max days on reserve,
// 22 to 29 the preferences in the bidder's words, 30 preferred pairings,
// 31 and 32 comments, 33 PDO history, 34 submission date, 35 submission time.
// GDO and PDO days are free days of the month (a "+" day is one of the next
// month); about one pilot in ten sends no bid.

namespace {

constexpr int kFieldCount = 35;

// Fields in double quotes separated by commas; from field `brokenFrom` on
// (counted from 0) the separators are semicolons, as in a record that an
// export damaged.
std::string Quoted(const std::vector<std::string>& fields, size_t brokenFrom = SIZE_MAX)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += i >= brokenFrom ? ';' : ',';
        line += '"';
        line += fields[i];
        line += '"';
    }
    line += '\n';
    return line;
}

std::string Lower(std::string text)
{
    std::string out;
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c >= 'A' && c <= 'Z')
            out += static_cast<char>(c - 'A' + 'a');
        else if (u == 0xC9 || u == 0xC8)
            out += 'e';
        else if (c >= 'a' && c <= 'z')
            out += c;
    }
    return out;
}

// Calendar day of month of a day index of the period, when the bid readers
// find that index from the number: the first index with that day of month.
int DayNumber(const SamplePeriod& period, int index)
{
    const int n = DateFromJulianDay(period.firstDay + index).Day;
    for (int i = 0; i < index; ++i)
        if (DateFromJulianDay(period.firstDay + i).Day == n)
            return 0;
    return n;
}

std::string DayList(const std::vector<int>& days)
{
    std::string text;
    for (int d : days) {
        if (!text.empty())
            text += ",";
        text += std::to_string(d);
    }
    return text;
}

struct BidDays {
    std::vector<bool> busy;     // day indexes of the month with something on them
    std::vector<bool> nextBusy; // of the next month
};

BidDays Busy(const SampleCrewMember& c, int days, int nextDays)
{
    BidDays b{std::vector<bool>(static_cast<size_t>(days), false),
              std::vector<bool>(static_cast<size_t>(nextDays), false)};
    for (int d = 0; d < c.carryIntoMonth && d < days; ++d)
        b.busy[static_cast<size_t>(d)] = true;
    for (const SampleAbsence& a : c.absences)
        for (int d = a.firstDay - 1; d < a.lastDay && d < days; ++d)
            if (d >= 0)
                b.busy[static_cast<size_t>(d)] = true;
    for (const SampleAbsence& a : c.nextAbsences)
        for (int d = a.firstDay - 1; d < a.lastDay && d < nextDays; ++d)
            if (d >= 0)
                b.nextBusy[static_cast<size_t>(d)] = true;
    return b;
}

std::string AbsenceDays(const SampleCrewMember& c, const SamplePeriod& period,
                        std::string_view code)
{
    std::string text;
    for (const SampleAbsence& a : c.absences) {
        if (a.code != code)
            continue;
        if (!text.empty())
            text += ", ";
        const int from = DayNumber(period, a.firstDay - 1);
        const int to = DayNumber(period, a.lastDay - 1);
        text += std::to_string(from);
        if (to != from)
            text += "-" + std::to_string(to);
    }
    return text;
}

} // namespace

std::string BidsText(const std::vector<SampleCrewMember>& crew,
                     const std::vector<SamplePairing>& pairings, const GroupInfo& group,
                     const SamplePeriod& period, uint64_t seed, bool oddCases)
{
    int bidder = 0;
    int nextFault = oddCases ? 1 : 6;
    SampleRandom rng(seed, "bids");
    const int days = period.lastDay - period.firstDay + 1;
    const int nextDays = std::min(62 - days, 28);

    std::vector<std::string> header = {
        "EmpNo",   "FirstName", "LastName", "EMail",   "Phone1",   "Phone2",  "Base",
        "Group",   "LBW",       "VAC",      "STAT",    "GDO",      "PDO1",    "PDO2",
        "PDONext", "UsedPDO",   "SIM",      "MaxDays", "CrewRest", "PairRes", "MaxDaysRes"};
    for (int i = 1; i <= 8; ++i)
        header.push_back("Pref" + std::to_string(i));
    for (const char* name : {"PrefPairs", "CommentsThis", "CommentsLast", "HistPDO", "SubmitDate",
                             "SubmitTime", "EndMarker"})
        header.push_back(name);
    std::string out = Quoted(header);

    static constexpr std::array<std::string_view, 10> kWords = {"AM REPORTS PLEASE",
                                                                "NO CDO",
                                                                "LAYOVERS IN YOW OR YUL",
                                                                "MAX CREDIT",
                                                                "ANY LINE",
                                                                "3 DAY PAIRINGS ONLY",
                                                                "RESERVE LAST",
                                                                "SAME DAYS OFF AS LAST MONTH",
                                                                "no early reports after layovers",
                                                                "HOLD BLOCK UNDER 80 HRS"};

    for (const SampleCrewMember& c : crew) {
        if (!c.inGroup || rng.Percent(9))
            continue;
        const bool onLeave =
            std::any_of(c.absences.begin(), c.absences.end(), [days](const SampleAbsence& a) {
                return a.code == "LA" && a.firstDay == 1 && a.lastDay == days;
            });
        if (onLeave)
            continue;
        const BidDays busy = Busy(c, days, nextDays);
        // The odd bids, each from one of the first bidders: a GDO and a PDO
        // on a day already taken, a day out of range, ten PDO days, a vertical tab
        // inside a preference, and a record the import cannot read.
        int absenceDay = -1;
        for (const SampleAbsence& a : c.absences)
            if (absenceDay < 0 && a.firstDay >= 1 && a.firstDay <= a.lastDay && a.firstDay <= days)
                absenceDay = a.firstDay - 1;
        int fault = 0;
        if (nextFault <= 5 && bidder++ % 2 == 1 && (nextFault != 1 || absenceDay >= 0))
            fault = nextFault++;
        auto freeDays = [&](int count) {
            std::vector<int> picked;
            for (int tries = 0; tries < 40 && static_cast<int>(picked.size()) < count; ++tries) {
                const int index = rng.Below(days);
                const int n = DayNumber(period, index);
                if (n == 0 || busy.busy[static_cast<size_t>(index)] ||
                    std::find(picked.begin(), picked.end(), n) != picked.end())
                    continue;
                picked.push_back(n);
            }
            return picked;
        };
        auto pairingsText = [&](int count, std::string_view joint) {
            std::string text;
            for (int i = 0; i < count && !pairings.empty(); ++i) {
                if (!text.empty())
                    text += joint;
                text += pairings[static_cast<size_t>(rng.Below(static_cast<int>(pairings.size())))]
                            .Identifier();
            }
            return text;
        };

        std::vector<std::string> f(kFieldCount + 1);
        f[0] = Digits(c.empNumber, 6);
        f[1] = c.firstName;
        f[2] = c.lastName;
        f[3] = Lower(c.firstName) + "." + Lower(c.lastName) + "@example.com";
        f[4] = "(416) 555-01" + Digits(rng.Below(100), 2);
        f[5] = rng.Percent(40) ? "(647) 555-01" + Digits(rng.Below(100), 2) : "";
        f[6] = group.airport;
        f[7] = group.aircraft + " " + group.status;
        f[8] = rng.Percent(20) ? "Y" : "N";
        f[9] = AbsenceDays(c, period, "VC");
        f[10] = AbsenceDays(c, period, "SA");
        if (rng.Percent(55)) {
            std::vector<int> gdo = freeDays(rng.Between(1, 2));
            f[11] = DayList(gdo);
            if (rng.Percent(15)) {
                const int next = rng.Below(nextDays);
                if (!busy.nextBusy[static_cast<size_t>(next)])
                    f[11] += (f[11].empty() ? "+" : ",+") + std::to_string(next + 1);
            }
        }
        if (rng.Percent(30))
            f[12] = DayList(freeDays(1));
        if (rng.Percent(10))
            f[13] = DayList(freeDays(1));
        f[14] = rng.Percent(10) ? "1" : "";
        f[15] = std::to_string(rng.Below(4));
        f[16] = AbsenceDays(c, period, "SM");
        f[17] = std::to_string(rng.Between(14, 18));
        f[18] = rng.Percent(30) ? "Y" : "N";
        f[19] = c.reserveBid ? (rng.Percent(50) ? "RESERVE" : "res") : "PAIRINGS";
        f[20] = std::to_string(rng.Between(16, 20));

        // Preferences as pilots write them; some positions stay empty.
        std::vector<int> off = freeDays(4);
        std::sort(off.begin(), off.end());
        size_t pref = 21;
        if (off.size() >= 3 && off[0] <= 25 && off[0] + 3 < off[2])
            f[pref++] = "OFF " + std::to_string(off[0]) + "-" +
                        std::to_string(off[0] + rng.Between(1, 3)) + ", " + std::to_string(off[2]);
        f[pref++] = pairingsText(rng.Between(2, 4), " ");
        if (rng.Percent(40))
            f[pref++] = "WEEKENDS OFF";
        if (rng.Percent(25))
            ++pref; // a preference left empty
        if (off.size() == 4 && rng.Percent(60))
            f[pref++] = "OFF " + std::to_string(off[3]) + (oddCases && rng.Percent(8) ? "\v" : "");
        const int words = rng.Between(0, 3);
        for (int i = 0; i < words && pref < 29; ++i)
            f[pref++] = std::string(
                kWords[static_cast<size_t>(rng.Below(static_cast<int>(kWords.size())))]);
        f[29] = rng.Percent(50) ? pairingsText(rng.Between(1, 3), ", ") : "";
        f[30] = rng.Percent(30) ? "Trading with a colleague if possible" : "";
        f[31] = rng.Percent(15) ? "Thanks for last month" : "";
        f[32] = std::to_string(rng.Below(5));
        const TDate sent = DateFromJulianDay(period.firstDay - rng.Between(8, 20));
        f[33] = Digits(sent.Year, 4) + "-" + Digits(sent.Month, 2) + "-" + Digits(sent.Day, 2);
        f[34] = Digits(rng.Between(6, 23), 2) + ":" + Digits(rng.Below(60), 2) + ":" +
                Digits(rng.Below(60), 2) + "." + Digits(rng.Below(1000), 3);
        f[35] = "end_x_bid";
        switch (fault) {
        case 1:
            f[11] = std::to_string(DateFromJulianDay(period.firstDay + absenceDay).Day);
            f[13] = f[11];
            break;
        case 2:
            f[12] = "3,35";
            break;
        case 3:
            f[12] = "2,4,6,8,10,12,14,16,18,20";
            break;
        case 4:
            f[pref < 29 ? pref : 28] = "NO REPORTS BEFORE 0800\vOR AFTER 2000";
            break;
        default:
            break;
        }
        out += Quoted(f, fault == 5 ? 20 : SIZE_MAX);
    }
    return out;
}

} // namespace tl::sample
