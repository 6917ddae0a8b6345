#include "import/toolbox_file.h"
#include "model/activity_codes.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "sample/sample_month.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace tl::sample {
namespace {

SilentInteraction s_silent;

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
    SilentInteraction none;
    return GetInt(line, column, count, none);
}

std::string Text(const std::string& line, size_t column, size_t count)
{
    return column < line.size() ? line.substr(column, count) : std::string();
}

int32_t DayOf(const std::string& line, int column)
{
    return CheckedJulianDay(Num(line, column + 4, 2), Num(line, column + 6, 2), Num(line, column, 4));
}

// A pairing as the pairing file holds it: its pairing lines (one per
// operating date) and the lines that follow the first of them.
struct FilePairing {
    std::vector<std::string> dates;
    std::vector<std::string> details;
    std::string Id() const { return dates.front().substr(1, 5); }
};

std::vector<FilePairing> ReadPrg(const std::string& text)
{
    std::vector<FilePairing> out;
    for (const std::string& line : Lines(text)) {
        if (line[0] == '1' && (out.empty() || out.back().Id() != line.substr(1, 5)))
            out.push_back({{line}, {}});
        else if (line[0] == '1')
            out.back().dates.push_back(line);
        else if (!out.empty() && out.back().dates.size() == 1)
            out.back().details.push_back(line);
    }
    return out;
}

struct GroupCase {
    const char* group;
    int year;
    int month;
    int crew;
    int pairings;
};

const GroupCase kGroups[] = {
    {"YYZDH8FOZ", 2027, 11, 60, 150}, // autumn change of clocks
    {"YULCRJCAM", 2027, 3, 40, 120},  // spring change, a period from 2 March
    {"YVRDH8FAV", 2028, 2, 40, 120},  // flight attendants, a leap-year period from 31 January
    {"YHZDH4FOH", 2027, 7, 25, 60},   // no change of clocks
};

class SampleMonthTest : public ::testing::TestWithParam<GroupCase> {
protected:
    static SampleOptions Options(const GroupCase& c)
    {
        SampleOptions o;
        o.group = c.group;
        o.year = c.year;
        o.month = c.month;
        o.crew = c.crew;
        o.pairings = c.pairings;
        o.seed = 7;
        return o;
    }

    void SetUp() override
    {
        options = Options(GetParam());
        ASSERT_EQ(CheckSampleOptions(options), "");
        month = GenerateSampleMonth(options);
        days = month.period.lastDay - month.period.firstDay + 1;
        pairings = ReadPrg(month.prg.text);
        ASSERT_FALSE(pairings.empty());
    }

    bool Cabin() const { return month.crewKind == 2; }
    // Equipment characters the pairing loader takes for the group.
    std::string Equipment() const
    {
        if (Cabin())
            return "0123456789";
        const std::string aircraft = month.group.substr(3, 3);
        return aircraft == "CRJ" ? "72" : aircraft == "DH8" ? "8" : aircraft == "DH3" ? "3" : "4";
    }
    char CrewType() const { return Cabin() ? 'C' : 'P'; }

    SampleOptions options;
    SampleMonth month;
    int days = 0;
    std::vector<FilePairing> pairings;
};

TEST_P(SampleMonthTest, EveryLineHasTheRecordLengthOfItsFormat)
{
    struct Format {
        const SampleFile* file;
        size_t length;
    };
    const std::vector<Format> formats = {
        {&month.prg, kPrgRecordLength},
        {&month.roster, kRosterRecordLength},
        {&month.absences, kAbsenceRecordLength},
        {&month.nextAbsences, kAbsenceRecordLength},
        {&month.activity, kActivityRecordLength},
        {&month.priorPairings, kPriorPairingRecordLength - 1},
    };
    for (const Format& f : formats) {
        SCOPED_TRACE(f.file->name);
        ASSERT_FALSE(f.file->text.empty());
        EXPECT_EQ(f.file->text.back(), '\n');
        EXPECT_EQ(f.file->text.find('\r'), std::string::npos);
        for (const std::string& line : Lines(f.file->text))
            ASSERT_EQ(line.size(), f.length) << line.substr(0, 40);
    }
    for (const std::string& line : Lines(month.prg.text))
        ASSERT_TRUE(line[0] >= '1' && line[0] <= '5') << line.substr(0, 20);
    EXPECT_EQ(month.prg.text[0], '1');
    EXPECT_EQ(Lines(month.absences.text).back().substr(0, 9), "000099999");
    EXPECT_EQ(Lines(month.nextAbsences.text).back().substr(0, 9), "000099999");
}

TEST_P(SampleMonthTest, PairingLinesDescribeTheirOperatingDates)
{
    std::set<int> numbers;
    for (const FilePairing& p : pairings) {
        const std::string& head = p.dates.front();
        SCOPED_TRACE(p.Id());
        EXPECT_TRUE(numbers.insert(Num(head, 2, 4)).second);
        EXPECT_EQ(head[1], month.group[8]);
        EXPECT_NE(Equipment().find(head[2]), std::string::npos);
        const std::string pattern = Text(head, 31, 7);
        int32_t previous = 0;
        for (const std::string& line : p.dates) {
            const int32_t day = DayOf(line, 70);
            ASSERT_GE(day, month.period.firstDay);
            ASSERT_LE(day, month.period.lastDay);
            EXPECT_GT(day, previous);
            previous = day;
            EXPECT_EQ(pattern[static_cast<size_t>(Weekday(day) - 1)], 'Y');
            EXPECT_EQ(Text(line, 0, 70), Text(head, 0, 70));
        }
        const TDate first = DateFromJulianDay(DayOf(p.dates.front(), 70));
        EXPECT_EQ(Num(head, 19, 2), first.Month);
        EXPECT_EQ(Num(head, 21, 2), first.Day);
        for (int e = 0; e < 4; ++e) {
            if (Num(head, 40 + 4 * e, 2) == 0)
                continue;
            const int32_t except = CheckedJulianDay(Num(head, 38 + 4 * e, 2), Num(head, 40 + 4 * e, 2), first.Year);
            EXPECT_EQ(pattern[static_cast<size_t>(Weekday(except) - 1)], 'Y');
            for (const std::string& line : p.dates)
                EXPECT_NE(DayOf(line, 70), except);
        }
        const std::string complement = Text(head, 113, 32);
        EXPECT_NE(complement.find(Cabin() ? "FA" : (month.crewKind == 0 ? "CA" : "FO")), std::string::npos);
    }
}

TEST_P(SampleMonthTest, DutiesAddUpToThePairing)
{
    for (const FilePairing& p : pairings) {
        const std::string& head = p.dates.front();
        SCOPED_TRACE(p.Id());
        const int32_t start = DayOf(head, 70);
        const std::string home = Text(head, 7, 3);
        std::string at = home;
        int creditSum = 0;
        int hard[6] = {};
        int dutyHard = 0;
        int lastDuty = -1;
        int dutyCount = 0;
        for (const std::string& line : p.details) {
            ASSERT_EQ(line.substr(1, 5), p.Id());
            ASSERT_EQ(DayOf(line, 7), start);
            std::string from, to;
            if (line[0] == '2') {
                from = Text(line, 28, 3);
                to = Text(line, 43, 3);
                if (line[61] != 'D')
                    dutyHard += Num(line, 64, 4);
            } else if (line[0] == '4') {
                from = Text(line, 34, 3);
                to = Text(line, 49, 3);
            } else if (line[0] == '5') {
                from = Text(line, 29, 3);
                to = Text(line, 44, 3);
            } else {
                const int day = DayOf(line, 22) - start;
                EXPECT_GT(day, lastDuty);
                EXPECT_LE(day, 5);
                lastDuty = day;
                ++dutyCount;
                hard[std::clamp(day, 0, 5)] += dutyHard;
                dutyHard = 0;
                const int credit = Num(line, 126, 4);
                EXPECT_GE(credit, 240);
                EXPECT_LE(credit, 420);
                creditSum += credit;
                EXPECT_EQ(Text(line, 56, 3), at);
                EXPECT_NE(Text(line, 30, 2), "  ");
                continue;
            }
            EXPECT_EQ(from, at);
            at = to;
        }
        EXPECT_EQ(at, home);
        EXPECT_GE(dutyCount, 1);
        EXPECT_LE(dutyCount, 5);
        const int credit = Num(head, 299, 4);
        EXPECT_TRUE(credit == creditSum || credit == creditSum - 1) << credit << " " << creditSum;
        for (int d = 0; d < 6; ++d)
            EXPECT_EQ(Num(head, 150 + 4 * d, 4), hard[d]) << "day " << d;
        const int onTime = Num(head, 78, 4);
        const int tafb = Num(head, 107, 5);
        EXPECT_GT(onTime, 0);
        EXPECT_LT(onTime, 1440);
        EXPECT_LE((onTime + tafb - 1) / 1440 + 1, 6);
        if (head[112] == 'Y') {
            EXPECT_LT(tafb, 900);
        }
    }
}

TEST_P(SampleMonthTest, PairingsAcrossTheChangeOfClocksEndByTheNewClock)
{
    const GroupCase& c = GetParam();
    const int shift = c.month == 11 ? -60 : c.month == 3 ? 60 : 0;
    int across = 0;
    for (const FilePairing& p : pairings) {
        const std::string& head = p.dates.front();
        const int32_t start = DayOf(head, 70);
        const int onTime = Num(head, 78, 4);
        const int tafb = Num(head, 107, 5);
        int changeDay = 0;
        for (int32_t d = start; d < start + 7; ++d) {
            const TDate date = DateFromJulianDay(d);
            if (Weekday(d) == 7 && ((date.Month == 11 && date.Day <= 7) ||
                                    (date.Month == 3 && date.Day >= 8 && date.Day <= 14)))
                changeDay = d;
        }
        const int changeMinute = changeDay ? (changeDay - start) * 1440 + 120 : -1;
        const bool spans = shift != 0 && changeMinute > onTime && changeMinute <= onTime + tafb;
        const int release = Num(head, 82, 4);
        EXPECT_EQ(release, (onTime + tafb + (spans ? shift : 0)) % 1440) << p.Id();
        across += spans ? 1 : 0;
    }
    if (shift != 0)
        EXPECT_GE(across, 2);
    else
        EXPECT_EQ(across, 0);
}

TEST_P(SampleMonthTest, ListingsHoldEachPairingWhereTheScanLooks)
{
    std::string lis;
    for (const SampleFile& f : month.lis) {
        EXPECT_NE(f.name.find(MonthAbbreviation(options.month)), std::string::npos);
        EXPECT_GE(f.text.size(), 7500u) << f.name;
        lis += f.text;
    }
    const size_t distance = Cabin() ? 63 : 71;
    int french = 0;
    int tagged = 0;
    for (const FilePairing& p : pairings) {
        SCOPED_TRACE(p.Id());
        std::set<std::string> flights;
        bool usa = false;
        for (const std::string& line : p.details) {
            if (line[0] == '4')
                usa = usa || Text(line, 34, 1) != "Y" || Text(line, 49, 1) != "Y";
            if (line[0] != '2')
                continue;
            std::string shown = Text(line, 15, 4);
            if (shown[0] == '0')
                shown[0] = ' ';
            flights.insert(shown);
            for (const std::string& station : {Text(line, 28, 3), Text(line, 43, 3)})
                usa = usa || (station[0] != 'Y');
        }
        const size_t at = lis.rfind(p.Id());
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(lis.find(p.Id()), at);
        const size_t meals = lis.find("MEALS CAD:", at + 1);
        ASSERT_NE(meals, std::string::npos);
        const std::string block = lis.substr(at, meals - at + 17);
        // DH4 legs carry a tag of their own that the scan does not count.
        for (const char* tag : {"CRA [", "CRJ [", "DH1 [", "DH3 [", "DH4 ["}) {
            for (size_t t = block.find(tag); t != std::string::npos; t = block.find(tag, t + 1)) {
                ASSERT_GT(t, distance);
                EXPECT_TRUE(flights.count(block.substr(t - distance, 4))) << block.substr(t - distance, 4);
                ++tagged;
            }
        }
        const size_t us = block.find("MEALS US:");
        EXPECT_EQ(us != std::string::npos, usa);
        if (us != std::string::npos) {
            EXPECT_EQ(meals - at - us, 18u);
        }
        EXPECT_EQ(block.substr(block.size() - 17, 10), "MEALS CAD:");
        french += block.find("FRENCH") != std::string::npos ? 1 : 0;
    }
    EXPECT_GT(tagged, 0);
    if (Cabin())
        EXPECT_GT(french, 0);
    else
        EXPECT_EQ(french, 0);
}

TEST_P(SampleMonthTest, RosterHoldsTheGroupInSeniorityOrderAmongOthers)
{
    const std::string key = month.group.substr(0, Cabin() ? 3 : 8);
    int members = 0;
    int others = 0;
    std::set<std::string> numbers;
    int previousHire = 0;
    for (const std::string& line : Lines(month.roster.text)) {
        EXPECT_TRUE(numbers.insert(line.substr(0, 9)).second);
        EXPECT_GE(Num(line, 61, 8), previousHire);
        previousHire = Num(line, 61, 8);
        EXPECT_NE(line[29], ' ');
        if (Text(line, 31, key.size()) == key)
            ++members;
        else
            ++others;
    }
    EXPECT_EQ(members, options.crew);
    EXPECT_GT(others, 0);
}

TEST_P(SampleMonthTest, AbsencesUseKnownCodesOnDaysOfTheirPeriod)
{
    const int nextLimit = 62 - days;
    bool wholeMonth = false;
    for (const bool next : {false, true}) {
        const std::string& text = next ? month.nextAbsences.text : month.absences.text;
        for (const std::string& line : Lines(text)) {
            int lastDay = 0;
            for (int k = 0; k < 31; ++k) {
                const int p = 9 + 14 * k;
                const std::string code = Text(line, static_cast<size_t>(p), 2);
                if (code == "  ")
                    break;
                EXPECT_TRUE(LookupActivityRow(BuiltInActivityRows(), CrewType(), code, s_silent).has_value()) << code;
                const int first = Num(line, p + 2, 2);
                const int last = Num(line, p + 4, 2);
                EXPECT_GT(first, lastDay) << line.substr(0, 40);
                EXPECT_LE(first, last);
                EXPECT_LE(last, next ? nextLimit : days);
                lastDay = last;
                wholeMonth = wholeMonth || (!next && code == "LA" && first == 1 && last == days);
            }
        }
    }
    EXPECT_TRUE(wholeMonth);
}

TEST_P(SampleMonthTest, LastMonthsPairingsAreInThePairingExtract)
{
    std::map<std::string, std::string> extract;
    for (const std::string& line : Lines(month.priorPairings.text))
        extract[line.substr(0, 5) + line.substr(6, 8)] = line;
    const int32_t slot0 = month.period.firstDay - 31;
    int reaching = 0;
    int entries = 0;
    for (const std::string& line : Lines(month.activity.text)) {
        int hard[31] = {};
        for (int k = 0; k < 31; ++k) {
            const int p = 9 + 40 * k;
            const std::string code = Text(line, static_cast<size_t>(p), 2);
            const std::string id = Text(line, static_cast<size_t>(p) + 2, 5);
            if (code == "  " && id == "     ")
                continue;
            ++entries;
            if (code != "  ") {
                EXPECT_TRUE(LookupActivityRow(BuiltInActivityRows(), CrewType(), code, s_silent).has_value()) << code;
                const int32_t first = DayOf(line, p + 16);
                EXPECT_GE(first, slot0);
                EXPECT_LT(first, month.period.firstDay);
                EXPECT_LE(first, DayOf(line, p + 28));
                continue;
            }
            const auto found = extract.find(id + Text(line, static_cast<size_t>(p) + 8, 8));
            ASSERT_NE(found, extract.end()) << id;
            const std::string& pairing = found->second;
            const int32_t start = DayOf(pairing, 14);
            const int length = (Num(pairing, 22, 4) + Num(pairing, 50, 8) - 1) / 1440 + 1;
            EXPECT_GE(start, slot0);
            EXPECT_LT(start, month.period.firstDay);
            reaching += start + length > month.period.firstDay ? 1 : 0;
            EXPECT_EQ(Num(pairing, 814 + 3, 4), 0); // the day before the start
            for (int m = 1; m <= length; ++m) {
                const int slot = start - slot0 + m - 1;
                if (slot <= 30)
                    hard[slot] += Num(pairing, 814 + 11 * m + 3, 4);
            }
        }
        for (int i = 0; i < 31; ++i)
            EXPECT_EQ(Num(line, 1481 + 4 * i, 4), hard[i]) << line.substr(0, 9) << " slot " << i;
    }
    EXPECT_GT(entries, options.crew);
    EXPECT_GT(reaching, 0);
}

TEST_P(SampleMonthTest, ToolBoxLoadsThroughTheToolBoxReader)
{
    test::ScriptedInteraction ui;
    auto doc = std::make_unique<ScheduleDocument>();
    doc->CrewKind = static_cast<int8_t>(month.crewKind);
    ASSERT_TRUE(ParseToolBoxText(month.toolBox.text, *doc, ui));
    int rows = 0;
    for (std::string_view row : BuiltInActivityRows())
        rows += row[6] == CrewType() ? 1 : 0;
    EXPECT_EQ(doc->AbsenceCount, rows + (Cabin() ? 0 : 1));
    const std::optional<ActivityCodeInfo> vacation = LookupActivityCode(*doc, "VC", s_silent);
    ASSERT_TRUE(vacation.has_value());
    EXPECT_EQ(vacation->Activity, "VAC");
    EXPECT_EQ(vacation->Credit, 170);
    if (!Cabin()) {
        const std::optional<ActivityCodeInfo> training = LookupActivityCode(*doc, "RT", s_silent);
        ASSERT_TRUE(training.has_value());
        EXPECT_EQ(training->Activity, "RTB");
        EXPECT_FALSE(training->Reserve);
    }
}

TEST_P(SampleMonthTest, BidsAskForFreeDaysAndExistingPairings)
{
    if (Cabin()) {
        EXPECT_TRUE(month.bids.name.empty());
        return;
    }
    std::set<std::string> ids;
    for (const FilePairing& p : pairings)
        ids.insert(p.Id());
    std::map<std::string, std::set<int>> busy;
    for (const std::string& line : Lines(month.absences.text))
        for (int k = 0; k < 31 && Text(line, 9 + 14 * static_cast<size_t>(k), 2) != "  "; ++k)
            for (int d = Num(line, 11 + 14 * k, 2); d <= Num(line, 13 + 14 * k, 2); ++d)
                busy[line.substr(3, 6)].insert(DateFromJulianDay(month.period.firstDay + d - 1).Day);
    int bids = 0;
    for (const std::string& line : Lines(month.bids.text)) {
        if (line.rfind("\"EmpNo\"", 0) == 0)
            continue;
        ++bids;
        ASSERT_EQ(line.substr(line.size() - 11), "\"end_x_bid\"");
        std::vector<std::string> fields;
        for (size_t at = 1, next; (next = line.find("\",\"", at)) != std::string::npos; at = next + 3)
            fields.push_back(line.substr(at, next - at));
        ASSERT_EQ(fields.size(), 35u) << line.substr(0, 20);
        for (size_t f = 21; f < 30; ++f) {
            std::istringstream words(fields[f]);
            for (std::string word; words >> word;) {
                if (word.back() == ',')
                    word.pop_back();
                if (word.size() == 5 && word[0] == month.group[8] && std::isdigit(static_cast<unsigned char>(word[1]))) {
                    EXPECT_TRUE(ids.count(word)) << word;
                }
            }
        }
        std::istringstream gdo(fields[11]);
        for (std::string day; std::getline(gdo, day, ',');)
            if (day[0] != '+') {
                EXPECT_FALSE(busy[fields[0]].count(std::stoi(day))) << fields[0] << " GDO " << day;
            }
    }
    EXPECT_GT(bids, options.crew * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(Groups, SampleMonthTest, ::testing::ValuesIn(kGroups),
                         [](const ::testing::TestParamInfo<GroupCase>& param) {
                             return std::string(param.param.group);
                         });

TEST(SampleMonth, TheSameSeedWritesTheSameBytesAndAnotherSeedOthers)
{
    SampleOptions o;
    o.crew = 30;
    o.pairings = 80;
    o.seed = 42;
    const SampleMonth a = GenerateSampleMonth(o);
    const SampleMonth b = GenerateSampleMonth(o);
    o.seed = 43;
    const SampleMonth c = GenerateSampleMonth(o);
    const auto fa = a.Files();
    const auto fb = b.Files();
    const auto fc = c.Files();
    ASSERT_EQ(fa.size(), fb.size());
    ASSERT_EQ(fa.size(), fc.size());
    for (size_t i = 0; i < fa.size(); ++i) {
        SCOPED_TRACE(fa[i]->name);
        EXPECT_EQ(fa[i]->name, fb[i]->name);
        EXPECT_EQ(fa[i]->text, fb[i]->text);
        if (fa[i]->name != "TOOLBOX.TXT") {
            EXPECT_NE(fa[i]->text, fc[i]->text);
        }
    }

    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteSampleMonth(a, dir.path() / "one", error)) << error;
    for (const SampleFile* f : fa) {
        std::ifstream in(dir.path() / "one" / f->name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        EXPECT_EQ(s.str(), f->text) << f->name;
    }
}

// The month under samples/ is what the generator makes for its README's
// command; a change of the generator that changes the files must bring the
// new files along.
TEST(SampleMonth, BundledMonthIsWhatTheGeneratorWrites)
{
    SampleOptions o;
    o.crew = 40;
    o.pairings = 120;
    const std::filesystem::path folder = std::filesystem::path(TL_SAMPLES_DIR) / "YYZDH8FO-NOV27";
    const SampleMonth month = GenerateSampleMonth(o);
    for (const SampleFile* f : month.Files()) {
        std::ifstream in(folder / f->name, std::ios::binary);
        ASSERT_TRUE(in) << f->name;
        std::stringstream s;
        s << in.rdbuf();
        EXPECT_TRUE(s.str() == f->text) << f->name << " differs; run the command in samples/README.md";
    }
}

TEST(SampleMonth, AllBasesFileHoldsTheGroupsPairingsAmongEveryBaseAndEquipment)
{
    SampleOptions o;
    o.group = "YYZCRJFOZ";
    o.crew = 20;
    o.pairings = 60;
    o.allBases = true;
    const SampleMonth month = GenerateSampleMonth(o);
    const std::string& all = month.allBasesPrg.text;
    EXPECT_EQ(all, GenerateAllBasesPrg(o));
    std::set<std::string> keys;
    std::string groupLines;
    for (const std::string& line : Lines(all)) {
        ASSERT_EQ(line.size(), static_cast<size_t>(kPrgRecordLength));
        keys.insert(line.substr(1, 2));
        if (line[1] == 'Z' && (line[2] == '7' || line[2] == '2'))
            groupLines += line + "\n";
    }
    EXPECT_EQ(groupLines, month.prg.text);
    for (char base : std::string("JVCSZUMQH"))
        for (char equipment : std::string("83472"))
            EXPECT_TRUE(keys.count(std::string{base, equipment})) << base << equipment;
    EXPECT_GT(all.size(), 2'000'000u);
}

TEST(SampleMonth, OptionsOutsideTheFormatsAreRefused)
{
    struct Case {
        const char* group;
        int month;
        int crew;
        int pairings;
    };
    const Case cases[] = {{"YYZDH8FO", 11, 10, 10},   {"YYZDH8XXZ", 11, 10, 10}, {"ZZZDH8FOZ", 11, 10, 10},
                          {"YYZB73FOZ", 11, 10, 10},  {"yyzdh8foz", 11, 10, 10}, {"YYZDH8FOZ", 13, 10, 10},
                          {"YYZDH8FOZ", 11, 0, 10},   {"YYZDH8FOZ", 11, 1001, 10}, {"YYZDH8FOZ", 11, 10, 0},
                          {"YYZDH8FOZ", 11, 10, 900}};
    for (const Case& c : cases) {
        SampleOptions o;
        o.group = c.group;
        o.month = c.month;
        o.crew = c.crew;
        o.pairings = c.pairings;
        EXPECT_NE(CheckSampleOptions(o), "") << c.group << " " << c.month << " " << c.crew << " " << c.pairings;
        EXPECT_TRUE(GenerateSampleMonth(o).prg.text.empty());
    }
    SampleOptions cabin;
    cabin.group = "YYZB73FAZ"; // any aircraft for flight attendants
    EXPECT_EQ(CheckSampleOptions(cabin), "");
}

TEST(SampleMonth, PeriodsFollowTheScheduleMonths)
{
    struct Case {
        int year, month;
        TDate first, last;
    };
    const Case cases[] = {{2027, 1, {1, 1, 2027}, {30, 1, 2027}},  {2027, 2, {31, 1, 2027}, {1, 3, 2027}},
                          {2028, 2, {31, 1, 2028}, {1, 3, 2028}},  {2027, 3, {2, 3, 2027}, {31, 3, 2027}},
                          {2027, 11, {1, 11, 2027}, {30, 11, 2027}}, {2027, 12, {1, 12, 2027}, {31, 12, 2027}}};
    for (const Case& c : cases) {
        const SamplePeriod p = SampleMonthPeriod(c.year, c.month);
        EXPECT_EQ(DateFromJulianDay(p.firstDay), c.first) << c.year << "-" << c.month;
        EXPECT_EQ(DateFromJulianDay(p.lastDay), c.last) << c.year << "-" << c.month;
        EXPECT_LE(p.lastDay - p.firstDay + 1, 31);
    }
}

} // namespace
} // namespace tl::sample
