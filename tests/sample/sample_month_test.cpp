#include "model/activity_codes.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "sample/sample_month.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace tl::sample {
namespace {

SilentInteraction s_silent;

// The generated files read column by column, as the importers read them.

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int Num(const std::string& line, int column, int count)
{
    return GetInt(line, column, count, s_silent);
}

std::string Text(const std::string& line, size_t column, size_t count)
{
    return column < line.size() ? line.substr(column, count) : std::string();
}

int32_t DayOf(const std::string& line, int column)
{
    return CheckedJulianDay(Num(line, column + 4, 2), Num(line, column + 6, 2),
                            Num(line, column, 4));
}

// A pairing as the loader groups the pairing file: a pairing line starts one
// unless it repeats the number of the one before; the lines after the first
// pairing line are its details.
struct FilePairing {
    std::vector<std::string> heads;
    std::vector<std::string> details;
    std::string Id() const { return heads.front().substr(1, 5); }
    int OnTime() const { return Num(heads.front(), 78, 4) % 1440; }
    int Tafb() const { return Num(heads.front(), 107, 5); }
    // Operating date of a pairing line: a report at midnight counts on the next day.
    int32_t Date(const std::string& head) const { return DayOf(head, 70) + (OnTime() == 0); }
    std::vector<std::string> Duties() const
    {
        std::vector<std::string> duties;
        for (const std::string& line : details)
            if (line[0] == '3' && Text(line, 30, 2) != "  ")
                duties.push_back(line);
        return duties;
    }
};

std::vector<FilePairing> ReadPrg(const std::string& text)
{
    std::vector<FilePairing> out;
    std::string previous;
    for (const std::string& line : Lines(text)) {
        if (line[0] == '1' && line.substr(1, 5) != previous)
            out.push_back({{line}, {}});
        else if (line[0] == '1')
            out.back().heads.push_back(line);
        else if (!out.empty() && out.back().heads.size() == 1)
            out.back().details.push_back(line);
        if (line[0] == '1')
            previous = line.substr(1, 5);
    }
    return out;
}

// Copies of a pairing the group loads.
int Copies(const std::string& head, int crewKind)
{
    const std::string complement = Text(head, 113, 32);
    const auto count = [&](const char* position) {
        const size_t at = complement.find(position);
        return at == std::string::npos ? 0 : Num(complement, static_cast<int>(at) + 2, 2);
    };
    return crewKind == 0 ? count("CA") : crewKind == 1 ? count("FO") : count("FA") + count("PU");
}

// Autumn change of clocks; spring change, from 2 March; cabin, leap year,
// from 31 January; no change of clocks.
const SampleOptions kGroups[] = {
    {.group = "YYZDH8FOZ", .crew = 60, .seed = 7},
    {.group = "YULCRJCAM", .month = 3, .crew = 40, .seed = 7},
    {.group = "YVRDH8FAV", .year = 2028, .month = 2, .crew = 40, .seed = 7},
    {.group = "YHZDH4FOH", .month = 7, .crew = 25, .seed = 7},
};

// Record lengths of every file, as the importers check them. Only an
// operation that spans the change of clocks carries the shifted clock: it is
// a pairing of its own, and its last duty ends one hour off the time away
// from base, as the loader's adjustment expects.
TEST(SampleMonth, RecordLengthsAndTheChangeOfClocksAreAsTheImportersExpect)
{
    for (const SampleOptions& o : kGroups) {
        SCOPED_TRACE(o.group);
        const SampleMonth month = GenerateSampleMonth(o);
        // clang-format off
        const std::vector<std::pair<const SampleFile*, std::set<size_t>>> formats = {
            {&month.prg, {kPrgRecordLength}}, {&month.roster, {kRosterRecordLength, kLongRosterRecordLength}},
            {&month.absences, {kAbsenceRecordLength}}, {&month.nextAbsences, {kAbsenceRecordLength}},
            {&month.activity, {kActivityRecordLength}}, {&month.priorPairings, {kPriorPairingRecordLength - 1}},
        };
        // clang-format on
        for (const auto& [file, lengths] : formats) {
            SCOPED_TRACE(file->name);
            ASSERT_FALSE(file->text.empty());
            EXPECT_EQ(file->text.back(), '\n');
            for (const std::string& line : Lines(file->text))
                ASSERT_TRUE(lengths.count(line.size())) << line.substr(0, 40);
        }
        EXPECT_EQ(Lines(month.absences.text).back().substr(0, 9), "000099999");

        // The change where the loader finds it.
        auto doc = std::make_unique<ScheduleDocument>();
        ASSERT_TRUE(doc->SetMonth(s_silent, month.period.firstDay, month.period.lastDay));
        SetupDaylightSaving(*doc);
        const int shift = doc->DstShift;
        EXPECT_EQ(shift, o.month == 11 ? -60 : o.month == 3 ? 60 : 0);
        int crossing = 0;
        for (const FilePairing& p : ReadPrg(month.prg.text)) {
            SCOPED_TRACE(p.Id());
            std::set<int32_t> dates, crossed;
            for (const std::string& line : p.heads) {
                const int32_t date = p.Date(line);
                if (date < month.period.firstDay || date > month.period.lastDay)
                    continue; // operating dates outside the period are an odd case
                const int64_t change =
                    doc->DstChangeMinute - int64_t{date - month.period.firstDay} * 1440;
                dates.insert(date);
                if (shift != 0 && p.OnTime() < change && change <= p.OnTime() + p.Tafb())
                    crossed.insert(date);
            }
            EXPECT_TRUE(crossed.empty() || (crossed.size() == 1 && dates.size() == 1));
            const int end = Num(p.Duties().back(), 42, 4);
            EXPECT_EQ(end, ((p.OnTime() + p.Tafb() + (crossed.empty() ? 0 : shift)) % 1440 + 1440) %
                               1440);
            crossing += static_cast<int>(crossed.size());
        }
        EXPECT_EQ(crossing > 0, shift != 0);
    }
}

// Work sized to the crew, starts over the whole month and every credit
// class: the default month and the bundled one.
TEST(SampleMonth, WorkFitsTheCrewOverTheWholeMonth)
{
    for (const int crew : {120, 40}) {
        SCOPED_TRACE(crew);
        SampleOptions o;
        o.crew = crew;
        const SampleMonth month = GenerateSampleMonth(o);
        const int days = month.period.lastDay - month.period.firstDay + 1;
        std::vector<int> starts(static_cast<size_t>(days), 0);
        std::set<int> classes;
        double pairingDays = 0, credit = 0;
        for (const FilePairing& p : ReadPrg(month.prg.text)) {
            const std::string& head = p.heads.front();
            const int copies = Copies(head, month.crewKind);
            const int length = (p.OnTime() + p.Tafb() - 1) / 1440 + 1;
            const int off = (p.OnTime() + p.Tafb() - 1) % 1440 + 1;
            const int worked = length > 1 && off < 120 ? length - 1 : length;
            const int perDay = head[112] == 'Y' ? Num(head, 299, 4) : Num(head, 299, 4) / worked;
            if (copies > 0)
                classes.insert(perDay < 300 ? 0 : perDay < 360 ? 1 : perDay < 420 ? 2 : 3);
            for (const std::string& line : p.heads) {
                const int32_t date = p.Date(line);
                if (date < month.period.firstDay || date > month.period.lastDay)
                    continue;
                starts[static_cast<size_t>(date - month.period.firstDay)] += copies;
                pairingDays += copies * length;
                credit += copies * Num(head, 299, 4);
            }
        }
        EXPECT_TRUE(pairingDays / crew >= 14 && pairingDays / crew <= 19) << pairingDays / crew;
        EXPECT_TRUE(credit / crew / 60 >= 72 && credit / crew / 60 <= 90) << credit / crew / 60;
        const auto [fewest, most] = std::minmax_element(starts.begin(), starts.end());
        EXPECT_GT(*fewest, 0);
        EXPECT_GE(*fewest * 4, *most);
        EXPECT_EQ(classes.size(), 4u);
    }
}

// The odd cases of real extracts that a month holds, found in its files as
// the importers meet them.
struct OddCases {
    std::set<std::string> looked, found;
};

OddCases OddCasesIn(const SampleMonth& m)
{
    OddCases odd;
    const auto note = [&odd](bool present, const char* name) {
        odd.looked.insert(name);
        if (present)
            odd.found.insert(name);
    };
    std::set<std::string> ids;
    for (const FilePairing& p : ReadPrg(m.prg.text)) {
        const std::string& head = p.heads.front();
        const std::vector<std::string> duties = p.Duties();
        const std::string& last = duties.back();
        std::set<int32_t> days;
        for (const std::string& d : duties)
            days.insert(DayOf(d, 22));
        const int elapsed = (Num(last, 42, 4) - Num(last, 30, 4) + 1440) % 1440;
        note(Num(head, 78, 4) % 1440 == 0, "prg report 1440 or 0");
        note(days.size() < duties.size(), "prg two duties on one day");
        note(head[112] == 'Y' && Num(duties[0], 51, 5) > 0, "prg continuous duty with rest");
        note(Num(head, 145, 4) == 780 && std::abs(elapsed - Num(last, 47, 4)) > 179,
             "prg min rest 780");
        note(Copies(head, m.crewKind) == 0, "prg complement without the group");
        note(std::set<std::string>(p.heads.begin(), p.heads.end()).size() < p.heads.size(),
             "prg line twice");
        note(!ids.insert(p.Id()).second, "prg number again after another");
        note(duties.size() > 6, "prg more than six duty days");
        for (const std::string& line : p.heads)
            note(p.Date(line) < m.period.firstDay || p.Date(line) > m.period.lastDay,
                 "prg date outside");
        for (const std::string& line : p.details) {
            note(line[0] == '3' && Text(line, 30, 2) == "  ", "prg duty without times");
            note(line[0] == '4', "prg leg of another carrier");
        }
    }
    std::map<int, std::set<int>> taken; // absence days of each employee
    for (const std::string& l : Lines(m.absences.text)) {
        note(Text(l, 9 + 14 * 30, 2) != "  ", "absence line of 31 entries");
        for (int p = 9; p < 443 && Text(l, static_cast<size_t>(p), 2) != "  "; p += 14) {
            const std::string code = Text(l, static_cast<size_t>(p), 2);
            note(code[0] == 'R', "absence reserve code");
            note(Num(l, p + 10, 4) < Num(l, p + 6, 4), "absence past midnight");
            note(!LookupActivityRow(BuiltInActivityRows(), m.crewKind == 2 ? 'C' : 'P', code,
                                    s_silent),
                 "absence unknown code");
            note(Num(l, p + 4, 2) < Num(l, p + 2, 2), "absence last day before first");
            for (int d = Num(l, p + 2, 2); d <= Num(l, p + 4, 2); ++d)
                taken[Num(l, 0, 9)].insert(DateFromJulianDay(m.period.firstDay + d - 1).Day);
        }
    }
    std::set<std::string> prior;
    for (const std::string& l : Lines(m.priorPairings.text)) {
        note(Num(l, 66, 4) > 719, "prior rest above 719");
        prior.insert(l.substr(0, 5) + l.substr(6, 8));
    }
    for (const std::string& l : Lines(m.activity.text)) {
        for (int p = 9; p < 9 + 31 * 40; p += 40) {
            const auto at = static_cast<size_t>(p);
            if (Text(l, at, 2) == "  ") {
                note(Text(l, at + 2, 5) != "     " &&
                         !prior.count(Text(l, at + 2, 5) + Text(l, at + 8, 8)),
                     "activity pairing missing from the extract");
                continue;
            }
            note(DayOf(l, p + 28) == DayOf(l, p + 16) + 1 && Num(l, p + 36, 4) < Num(l, p + 24, 4),
                 "activity code overnight");
            note(DayOf(l, p + 16) < m.period.firstDay - 31, "activity code before the 31 days");
        }
    }
    for (const std::string& l : Lines(m.roster.text)) {
        note(std::any_of(l.begin(), l.end(), [](char c) { return c >= 'a' && c <= 'z'; }),
             "roster lower case");
        note(l.size() == 147, "roster 147 characters");
        note(Num(l, 0, 9) < 100000, "roster short employee number");
        if (m.crewKind == 2)
            note(Text(l, 31, 3) == m.group.substr(0, 3) && Text(l, 34, 5) != m.group.substr(3, 5) &&
                     Text(l, 37, 2) == "FA",
                 "roster cabin crew of another aircraft");
    }
    for (const std::string& l : Lines(m.bids.text)) {
        std::vector<std::string> f;
        for (size_t at = 1, next; (next = l.find("\",\"", at)) != std::string::npos; at = next + 3)
            f.push_back(l.substr(at, next - at));
        for (size_t i = 11; i <= 13 && i < f.size(); ++i) {
            std::vector<int> days;
            std::istringstream in(f[i]);
            for (std::string d; std::getline(in, d, ',');)
                days.push_back(std::atoi(d.c_str() + (d[0] == '+')));
            note(std::any_of(days.begin(), days.end(), [](int d) { return d > 31; }),
                 "bid day out of range");
            note(days.size() >= 10, "bid ten days");
            note(i == 11 && !days.empty() && f[i][0] != '+' &&
                     taken[std::atoi(f[0].c_str())].count(days[0]),
                 "bid gdo on a day taken");
        }
        note(l.find('\v') != std::string::npos && l[l.find('\v') + 1] != '"',
             "bid vertical tab inside");
        note(l.find("\";\"") != std::string::npos, "bid unreadable record");
    }
    const std::vector<std::string> box = Lines(m.toolBox.text);
    for (size_t r = 5; r + 13 <= box.size(); r += 13) {
        note(box[r + 7] != "0:00", "toolbox value 4");
        note(box[r + 10] == "N", "toolbox flag 3");
    }
    return odd;
}

// Each of the thirty odd cases; flight attendants send no bids and their
// groups take cabin crew of any aircraft.
TEST(SampleMonth, EveryOddCaseIsInTheDefaultMonthAndNoneInACleanOne)
{
    for (const auto& [group, cases] : {std::pair{"YYZDH8FOZ", 30u}, std::pair{"YVRDH8FAV", 26u}}) {
        SCOPED_TRACE(group);
        SampleOptions o;
        o.group = group;
        o.crew = 40;
        const OddCases odd = OddCasesIn(GenerateSampleMonth(o));
        EXPECT_EQ(odd.looked.size(), cases);
        EXPECT_EQ(odd.found, odd.looked);
        o.clean = true;
        EXPECT_EQ(OddCasesIn(GenerateSampleMonth(o)).found, std::set<std::string>{});
    }
}

// The month under samples/ is what the generator writes for its README's
// command, even right after another month (nothing of one run leaks into the
// next); a change of the generator must bring the new files along. Another
// seed writes other files.
TEST(SampleMonth, BundledMonthIsWhatTheGeneratorWritesAndAnotherSeedOthers)
{
    SampleOptions o;
    o.crew = 40;
    o.seed += 1;
    const SampleMonth other = GenerateSampleMonth(o);
    o.seed -= 1;
    const SampleMonth month = GenerateSampleMonth(o);
    const std::filesystem::path folder = std::filesystem::path(TL_SAMPLES_DIR) / "YYZDH8FO-NOV27";
    for (size_t i = 0; i < month.Files().size(); ++i) {
        const SampleFile& f = *month.Files()[i];
        EXPECT_TRUE(test::ReadAll(folder / f.name) == f.text)
            << f.name << " differs; run the command in samples/README.md";
        EXPECT_TRUE(f.name == "TOOLBOX.TXT" || f.text != other.Files()[i]->text) << f.name;
    }
}

} // namespace
} // namespace tl::sample
