#include "import/toolbox_file.h"
#include "model/activity_codes.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "sample/sample_month.h"
#include "support/scripted_interaction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
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
    int32_t Date(const std::string& head) const
    {
        return DayOf(head, 70) + (OnTime() == 0 ? 1 : 0);
    }
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

std::string Position(int crewKind)
{
    return crewKind == 0 ? "CA" : crewKind == 1 ? "FO" : "FA";
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

const SampleOptions kGroups[] = {
    {.group = "YYZDH8FOZ", .crew = 60, .seed = 7},             // autumn change of clocks
    {.group = "YULCRJCAM", .month = 3, .crew = 40, .seed = 7}, // spring change, from 2 March
    {.group = "YVRDH8FAV",
     .year = 2028,
     .month = 2,
     .crew = 40,
     .seed = 7},                                               // cabin, leap year, from 31 January
    {.group = "YHZDH4FOH", .month = 7, .crew = 25, .seed = 7}, // no change of clocks
};

class SampleMonthTest : public ::testing::TestWithParam<SampleOptions> {
protected:
    void SetUp() override
    {
        options = GetParam();
        ASSERT_EQ(CheckSampleOptions(options), "");
        month = GenerateSampleMonth(options);
        pairings = ReadPrg(month.prg.text);
        ASSERT_FALSE(pairings.empty());
    }

    bool Cabin() const { return month.crewKind == 2; }

    SampleOptions options;
    SampleMonth month;
    std::vector<FilePairing> pairings;
};

TEST_P(SampleMonthTest, EveryLineHasTheRecordLengthOfItsFormat)
{
    const std::vector<std::pair<const SampleFile*, std::set<size_t>>> formats = {
        {&month.prg, {kPrgRecordLength}},
        {&month.roster, {kRosterRecordLength, kLongRosterRecordLength}},
        {&month.absences, {kAbsenceRecordLength}},
        {&month.nextAbsences, {kAbsenceRecordLength}},
        {&month.activity, {kActivityRecordLength}},
        {&month.priorPairings, {kPriorPairingRecordLength - 1}},
    };
    for (const auto& [file, lengths] : formats) {
        SCOPED_TRACE(file->name);
        ASSERT_FALSE(file->text.empty());
        EXPECT_EQ(file->text.back(), '\n');
        for (const std::string& line : Lines(file->text))
            ASSERT_TRUE(lengths.count(line.size())) << line.substr(0, 40);
    }
    for (const std::string& line : Lines(month.prg.text))
        ASSERT_TRUE(line[0] >= '1' && line[0] <= '5') << line.substr(0, 20);
    EXPECT_EQ(Lines(month.absences.text).back().substr(0, 9), "000099999");
}

TEST_P(SampleMonthTest, DutiesAddUpToThePairingTheLoaderBuilds)
{
    for (const FilePairing& p : pairings) {
        const std::string& head = p.heads.front();
        SCOPED_TRACE(p.Id());
        const int32_t start = p.Date(head);
        const std::string home = Text(head, 7, 3);
        std::string at = home;
        int creditSum = 0;
        int hard[6] = {};
        int legHard = 0;
        for (const std::string& line : p.details) {
            ASSERT_EQ(line.substr(1, 5), p.Id());
            ASSERT_EQ(DayOf(line, 7), start);
            const int kind = line[0] - '0';
            if (kind == 2 && line[61] != 'D')
                legHard += Num(line, 64, 4);
            if (kind == 3) {
                if (Text(line, 30, 2) == "  ")
                    continue; // a free day at the outstation
                const int day = DayOf(line, 22) - start;
                if (day >= 0 && day < 6)
                    hard[day] += legHard;
                legHard = 0;
                EXPECT_GE(Num(line, 126, 4), 240);
                creditSum += Num(line, 126, 4);
                EXPECT_EQ(Text(line, 56, 3), at);
                continue;
            }
            const size_t from = kind == 2 ? 28 : kind == 4 ? 34 : 29;
            const size_t to = kind == 2 ? 43 : kind == 4 ? 49 : 44;
            EXPECT_EQ(Text(line, from, 3), at);
            at = Text(line, to, 3);
        }
        EXPECT_EQ(at, home);
        const int credit = Num(head, 299, 4);
        EXPECT_TRUE(credit == creditSum || credit == creditSum - 1) << credit << " " << creditSum;
        for (int d = 0; d < 6; ++d)
            EXPECT_EQ(Num(head, 150 + 4 * d, 4), hard[d]) << "day " << d;
        const std::string pattern = Text(head, 31, 7);
        for (const std::string& line : p.heads) {
            const int32_t date = p.Date(line);
            if (date >= month.period.firstDay && date <= month.period.lastDay) {
                EXPECT_EQ(pattern[static_cast<size_t>(Weekday(date) - 1)], 'Y');
            }
        }
        EXPECT_TRUE(head[112] != 'Y' || p.Tafb() < 900);
    }
}

// Only an operation that spans the change carries the shifted clock: it is
// a pairing of its own, and its last duty ends one hour off the time away
// from base, as the loader's adjustment expects.
TEST_P(SampleMonthTest, ClockChangeMovesOnlyTheOperationsThatCrossIt)
{
    const int shift = options.month == 11 ? -60 : options.month == 3 ? 60 : 0;
    int changeDay = 0;
    for (int32_t d = month.period.firstDay; d <= month.period.lastDay; ++d) {
        const TDate date = DateFromJulianDay(d);
        if (Weekday(d) == 7 && ((date.Month == 11 && date.Day <= 7) ||
                                (date.Month == 3 && date.Day >= 8 && date.Day <= 14)))
            changeDay = d;
    }
    int crossing = 0;
    for (const FilePairing& p : pairings) {
        SCOPED_TRACE(p.Id());
        std::set<int32_t> dates;
        std::set<int32_t> crossed;
        for (const std::string& line : p.heads) {
            const int32_t date = p.Date(line);
            const int change = (changeDay - date) * 1440 + 120;
            if (date < month.period.firstDay || date > month.period.lastDay)
                continue;
            dates.insert(date);
            if (shift != 0 && p.OnTime() < change && change <= p.OnTime() + p.Tafb())
                crossed.insert(date);
        }
        EXPECT_TRUE(crossed.empty() || (crossed.size() == 1 && dates.size() == 1));
        const int end = Num(p.Duties().back(), 42, 4);
        EXPECT_EQ(end,
                  ((p.OnTime() + p.Tafb() + (crossed.empty() ? 0 : shift)) % 1440 + 1440) % 1440);
        crossing += static_cast<int>(crossed.size());
    }
    EXPECT_EQ(crossing > 0, shift != 0);
}

TEST_P(SampleMonthTest, ListingsTagEveryLegWhereTheScanLooks)
{
    std::string lis;
    for (const SampleFile& f : month.lis) {
        EXPECT_NE(f.name.find(MonthAbbreviation(options.month)), std::string::npos);
        EXPECT_GE(f.text.size(), 7500u) << f.name;
        lis += f.text;
    }
    std::map<std::string, std::set<std::string>> flights;
    for (const FilePairing& p : pairings) {
        for (const std::string& line : p.details) {
            std::string shown = Text(line, 15, 4);
            shown[0] = shown[0] == '0' ? ' ' : shown[0];
            if (line[0] == '2')
                flights[p.Id()].insert(shown);
        }
    }
    const size_t distance = Cabin() ? 63 : 71;
    for (const auto& [id, numbers] : flights) {
        SCOPED_TRACE(id);
        const size_t at = lis.rfind(id);
        ASSERT_NE(at, std::string::npos);
        const size_t meals = lis.find("MEALS CAD:", at + 1);
        ASSERT_NE(meals, std::string::npos);
        const std::string block = lis.substr(at, meals - at + 17);
        for (size_t t = block.find(" [", distance + 3); t != std::string::npos;
             t = block.find(" [", t + 1)) {
            const std::string tag = block.substr(t - 3, 3);
            ASSERT_TRUE(tag == "CRA" || tag == "CRJ" || tag == "DH1" || tag == "DH3") << tag;
            EXPECT_TRUE(numbers.count(block.substr(t - 3 - distance, 4)));
        }
    }
}

TEST_P(SampleMonthTest, LastMonthsPairingsAreInThePairingExtract)
{
    std::set<std::string> extract;
    for (const std::string& line : Lines(month.priorPairings.text))
        extract.insert(line.substr(0, 5) + line.substr(6, 8));
    int missing = 0;
    int entries = 0;
    for (const std::string& line : Lines(month.activity.text)) {
        for (size_t p = 9; p + 40 <= 9 + 31 * 40; p += 40) {
            if (Text(line, p, 7) == "       ")
                continue;
            ++entries;
            if (Text(line, p, 2) == "  ")
                missing += extract.count(Text(line, p + 2, 5) + Text(line, p + 8, 8)) ? 0 : 1;
            else
                EXPECT_TRUE(LookupActivityRow(BuiltInActivityRows(), Cabin() ? 'C' : 'P',
                                              Text(line, p, 2), s_silent));
        }
    }
    EXPECT_GT(entries, options.crew);
    EXPECT_LE(missing, 1); // the one odd case
}

TEST_P(SampleMonthTest, ToolBoxLoadsThroughTheToolBoxReader)
{
    test::ScriptedInteraction ui;
    auto doc = std::make_unique<ScheduleDocument>();
    doc->CrewKind = static_cast<int8_t>(month.crewKind);
    ASSERT_TRUE(ParseToolBoxText(month.toolBox.text, *doc, ui));
    const std::optional<ActivityCodeInfo> vacation = LookupActivityCode(*doc, "VC", s_silent);
    ASSERT_TRUE(vacation.has_value());
    EXPECT_EQ(vacation->Credit, 170);
    // Codes keep their three characters, as the reserve rules match them.
    const std::optional<ActivityCodeInfo> reserve = LookupActivityCode(*doc, "RA", s_silent);
    ASSERT_TRUE(reserve.has_value());
    EXPECT_EQ(reserve->Activity, "RA ");
    EXPECT_TRUE(reserve->Reserve);
}

INSTANTIATE_TEST_SUITE_P(Groups, SampleMonthTest, ::testing::ValuesIn(kGroups),
                         [](const ::testing::TestParamInfo<SampleOptions>& param) {
                             return param.param.group;
                         });

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
        double pairingDays = 0;
        double credit = 0;
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
        EXPECT_GE(pairingDays / crew, 14.0);
        EXPECT_LE(pairingDays / crew, 19.0);
        EXPECT_GE(credit / crew / 60, 72.0);
        EXPECT_LE(credit / crew / 60, 90.0);
        const auto [fewest, most] = std::minmax_element(starts.begin(), starts.end());
        EXPECT_GT(*fewest, 0);
        EXPECT_GE(*fewest * 4, *most);
        EXPECT_EQ(classes.size(), 4u);
        // Some Dash 8 legs on the larger jet, so the listing scan's share
        // markers above zero occur.
        EXPECT_NE(month.lis.front().text.find("CRA ["), std::string::npos);
    }
}

std::vector<std::string> BidFields(const std::string& line)
{
    std::vector<std::string> fields;
    for (size_t at = 1, next; (next = line.find("\",\"", at)) != std::string::npos; at = next + 3)
        fields.push_back(line.substr(at, next - at));
    return fields;
}

// The odd cases of real extracts that a month holds, found in its files as
// the importers meet them.
std::set<std::string> OddCasesIn(const SampleMonth& m)
{
    std::set<std::string> found;
    const auto note = [&found](bool present, const char* name) {
        if (present)
            found.insert(name);
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
            note(!LookupActivityRow(BuiltInActivityRows(), m.crewKind == 2 ? 'C' : 'P', code, s_silent),
                 "absence unknown code");
            note(Num(l, p + 4, 2) < Num(l, p + 2, 2), "absence last day before first");
            for (int d = Num(l, p + 2, 2); d <= Num(l, p + 4, 2); ++d)
                taken[Num(l, 0, 9)].insert(DateFromJulianDay(m.period.firstDay + d - 1).Day);
        }
    }
    for (const std::string& l : Lines(m.activity.text)) {
        for (int p = 9; p < 9 + 31 * 40; p += 40) {
            if (Text(l, static_cast<size_t>(p), 2) == "  ")
                continue;
            note(DayOf(l, p + 28) == DayOf(l, p + 16) + 1 && Num(l, p + 36, 4) < Num(l, p + 24, 4),
                 "activity code overnight");
            note(DayOf(l, p + 16) < m.period.firstDay - 31, "activity code before the 31 days");
        }
    }
    std::set<std::string> prior;
    for (const std::string& l : Lines(m.priorPairings.text)) {
        note(Num(l, 66, 4) > 719, "prior rest above 719");
        prior.insert(l.substr(0, 5) + l.substr(6, 8));
    }
    for (const std::string& l : Lines(m.activity.text))
        for (size_t p = 9; p < 9 + 31 * 40; p += 40)
            note(Text(l, p, 2) == "  " && Text(l, p + 2, 5) != "     " &&
                     !prior.count(Text(l, p + 2, 5) + Text(l, p + 8, 8)),
                 "activity pairing missing from the extract");
    for (const std::string& l : Lines(m.roster.text)) {
        note(std::any_of(l.begin(), l.end(), [](char c) { return c >= 'a' && c <= 'z'; }),
             "roster lower case");
        note(l.size() == 147, "roster 147 characters");
        note(Num(l, 0, 9) < 100000, "roster short employee number");
        note(m.crewKind == 2 && Text(l, 31, 3) == m.group.substr(0, 3) &&
                 Text(l, 34, 5) != m.group.substr(3, 5) && Text(l, 37, 2) == "FA",
             "roster cabin crew of another aircraft");
    }
    for (const std::string& l : Lines(m.bids.text)) {
        const std::vector<std::string> f = BidFields(l);
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
    return found;
}

TEST(SampleMonth, EveryOddCaseIsInTheDefaultMonthAndNoneInACleanOne)
{
    // clang-format off
    const std::set<std::string> all = {
        "prg report 1440 or 0", "prg two duties on one day", "prg continuous duty with rest",
        "prg min rest 780", "prg complement without the group", "prg line twice",
        "prg number again after another", "prg more than six duty days", "prg date outside",
        "prg duty without times", "prg leg of another carrier", "absence line of 31 entries",
        "absence reserve code", "absence past midnight", "absence unknown code",
        "absence last day before first", "activity code overnight",
        "activity code before the 31 days", "prior rest above 719",
        "activity pairing missing from the extract", "roster lower case", "roster 147 characters",
        "roster short employee number", "bid day out of range", "bid ten days",
        "bid gdo on a day taken", "bid vertical tab inside", "bid unreadable record",
        "toolbox value 4", "toolbox flag 3"};
    // clang-format on
    for (const char* group : {"YYZDH8FOZ", "YVRDH8FAV"}) {
        SCOPED_TRACE(group);
        SampleOptions o;
        o.group = group;
        o.crew = 40;
        std::set<std::string> expected = all;
        if (o.group == "YVRDH8FAV") {
            // Flight attendants send no bids; their groups take cabin crew of any aircraft.
            std::erase_if(expected,
                          [](const std::string& name) { return name.rfind("bid", 0) == 0; });
            expected.insert("roster cabin crew of another aircraft");
        }
        EXPECT_EQ(OddCasesIn(GenerateSampleMonth(o)), expected);
        o.clean = true;
        EXPECT_EQ(OddCasesIn(GenerateSampleMonth(o)), std::set<std::string>{});
    }
}

TEST(SampleMonth, TheSameSeedWritesTheSameBytesAndAnotherSeedOthers)
{
    SampleOptions o;
    o.crew = 30;
    o.seed = 42;
    const SampleMonth a = GenerateSampleMonth(o);
    const SampleMonth b = GenerateSampleMonth(o);
    o.seed = 43;
    const SampleMonth c = GenerateSampleMonth(o);
    ASSERT_EQ(a.Files().size(), c.Files().size());
    for (size_t i = 0; i < a.Files().size(); ++i) {
        EXPECT_EQ(a.Files()[i]->text, b.Files()[i]->text) << a.Files()[i]->name;
        EXPECT_TRUE(a.Files()[i]->name == "TOOLBOX.TXT" || a.Files()[i]->text != c.Files()[i]->text)
            << a.Files()[i]->name;
    }
}

// The month under samples/ is what the generator makes for its README's
// command; a change of the generator that changes the files must bring the
// new files along.
TEST(SampleMonth, BundledMonthIsWhatTheGeneratorWrites)
{
    SampleOptions o;
    o.crew = 40;
    const std::filesystem::path folder = std::filesystem::path(TL_SAMPLES_DIR) / "YYZDH8FO-NOV27";
    const SampleMonth month = GenerateSampleMonth(o);
    for (const SampleFile* f : month.Files()) {
        std::ifstream in(folder / f->name, std::ios::binary);
        ASSERT_TRUE(in) << f->name;
        std::stringstream s;
        s << in.rdbuf();
        EXPECT_TRUE(s.str() == f->text)
            << f->name << " differs; run the command in samples/README.md";
    }
}

// Every crew kind loads its pairings from the one file of every base.
TEST(SampleMonth, AllBasesFileServesEveryGroup)
{
    SampleOptions o;
    o.group = "YYZCRJFOZ";
    o.crew = 20;
    const std::string all = GenerateAllBasesPrg(o);
    std::string groupLines;
    std::map<std::string, int> copies;
    for (const FilePairing& p : ReadPrg(all)) {
        const std::string& head = p.heads.front();
        for (int kind = 0; kind < 3; ++kind)
            copies[head.substr(1, 2) + Position(kind)] += Copies(head, kind);
    }
    for (const std::string& line : Lines(all))
        if (line[1] == 'Z' && (line[2] == '7' || line[2] == '2'))
            groupLines += line + "\n";
    EXPECT_EQ(groupLines, GenerateSampleMonth(o).prg.text);
    for (char base : std::string("JVCSZUMQH"))
        for (char equipment : std::string("83472"))
            for (int kind = 0; kind < 3; ++kind)
                EXPECT_GT((copies[std::string{base, equipment} + Position(kind)]), 0)
                    << base << equipment << kind;
    EXPECT_GT(all.size(), 2'000'000u);
}

} // namespace
} // namespace tl::sample
