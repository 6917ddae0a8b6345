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
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace tl::sample {
namespace {

// The generated files read column by column, as the importers read them.

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int Num(const std::string& line, int column, int count) { return GetInt(line, column, count); }

std::string Text(const std::string& line, size_t column, size_t count)
{
    return column < line.size() ? line.substr(column, count) : std::string();
}

int32_t DayOf(const std::string& line, int column)
{
    return CheckedJulianDay(Num(line, column + 4, 2), Num(line, column + 6, 2), Num(line, column, 4));
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
    int32_t Date(const std::string& head) const { return DayOf(head, 70) + (OnTime() == 0 ? 1 : 0); }
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

std::string Position(int crewKind) { return crewKind == 0 ? "CA" : crewKind == 1 ? "FO" : "FA"; }

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

struct GroupCase {
    const char* group;
    int year;
    int month;
    int crew;
};

const GroupCase kGroups[] = {
    {"YYZDH8FOZ", 2027, 11, 60}, // autumn change of clocks
    {"YULCRJCAM", 2027, 3, 40},  // spring change, a period from 2 March
    {"YVRDH8FAV", 2028, 2, 40},  // flight attendants, a leap-year period from 31 January
    {"YHZDH4FOH", 2027, 7, 25},  // no change of clocks
};

SampleOptions Options(const GroupCase& c)
{
    SampleOptions o;
    o.group = c.group;
    o.year = c.year;
    o.month = c.month;
    o.crew = c.crew;
    o.seed = 7;
    return o;
}

class SampleMonthTest : public ::testing::TestWithParam<GroupCase> {
protected:
    void SetUp() override
    {
        options = Options(GetParam());
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
                if (day < 6)
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
        if (Weekday(d) == 7 && ((date.Month == 11 && date.Day <= 7) || (date.Month == 3 && date.Day >= 8 && date.Day <= 14)))
            changeDay = d;
    }
    int crossing = 0;
    for (const FilePairing& p : pairings) {
        SCOPED_TRACE(p.Id());
        int crossed = 0;
        int dates = 0;
        for (const std::string& line : p.heads) {
            const int32_t date = p.Date(line);
            if (date < month.period.firstDay || date > month.period.lastDay)
                continue;
            ++dates;
            const int change = (changeDay - date) * 1440 + 120;
            crossed += shift != 0 && p.OnTime() < change && change <= p.OnTime() + p.Tafb() ? 1 : 0;
        }
        EXPECT_TRUE(crossed == 0 || (crossed == 1 && dates == 1)) << crossed << " of " << dates;
        const int end = Num(p.Duties().back(), 42, 4);
        EXPECT_EQ(end, ((p.OnTime() + p.Tafb() + (crossed ? shift : 0)) % 1440 + 1440) % 1440);
        crossing += crossed;
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
        for (size_t t = block.find(" [", distance + 3); t != std::string::npos; t = block.find(" [", t + 1)) {
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
                EXPECT_TRUE(LookupActivityRow(BuiltInActivityRows(), Cabin() ? 'C' : 'P', Text(line, p, 2)));
        }
    }
    EXPECT_GT(entries, options.crew);
    EXPECT_EQ(missing, 1); // the one odd case
}

TEST_P(SampleMonthTest, ToolBoxLoadsThroughTheToolBoxReader)
{
    test::ScriptedInteraction ui;
    auto doc = std::make_unique<ScheduleDocument>();
    doc->CrewKind = static_cast<int8_t>(month.crewKind);
    ASSERT_TRUE(ParseToolBoxText(month.toolBox.text, *doc, ui));
    const std::optional<ActivityCodeInfo> vacation = LookupActivityCode(*doc, "VC");
    ASSERT_TRUE(vacation.has_value());
    EXPECT_EQ(vacation->credit, 170);
    // Codes keep their three characters, as the reserve rules match them.
    const std::optional<ActivityCodeInfo> reserve = LookupActivityCode(*doc, "RA");
    ASSERT_TRUE(reserve.has_value());
    EXPECT_EQ(reserve->activity, "RA ");
    EXPECT_TRUE(reserve->reserve);
}

INSTANTIATE_TEST_SUITE_P(Groups, SampleMonthTest, ::testing::ValuesIn(kGroups),
                         [](const ::testing::TestParamInfo<GroupCase>& param) {
                             return std::string(param.param.group);
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
        EXPECT_GE(*fewest * 3, *most);
        EXPECT_EQ(classes.size(), 4u);
        // Some Dash 8 legs on the larger jet, so the listing scan's share
        // markers above zero occur.
        EXPECT_NE(month.lis.front().text.find("CRA ["), std::string::npos);
    }
}

// Each odd case of real extracts, found in the files as an importer meets it.
struct OddCase {
    const char* name;
    bool cabinOnly;
    std::function<bool(const SampleMonth&)> found;
};

bool AnyLine(const std::string& text, const std::function<bool(const std::string&)>& test)
{
    const std::vector<std::string> lines = Lines(text);
    return std::any_of(lines.begin(), lines.end(), test);
}

bool AnyPairing(const SampleMonth& m, const std::function<bool(const FilePairing&)>& test)
{
    const std::vector<FilePairing> list = ReadPrg(m.prg.text);
    return std::any_of(list.begin(), list.end(), test);
}

// Absence entries with their line: code, first day, last day, start, end.
bool AnyAbsence(const SampleMonth& m, const std::function<bool(const std::string&, int k)>& test)
{
    return AnyLine(m.absences.text, [&](const std::string& line) {
        for (int k = 0; k < 31 && Text(line, 9 + 14 * static_cast<size_t>(k), 2) != "  "; ++k)
            if (test(line, 9 + 14 * k))
                return true;
        return false;
    });
}

bool AnyActivityCode(const SampleMonth& m, const std::function<bool(const std::string&, int p)>& test)
{
    return AnyLine(m.activity.text, [&](const std::string& line) {
        for (int p = 9; p < 9 + 31 * 40; p += 40)
            if (Text(line, static_cast<size_t>(p), 2) != "  " && test(line, p))
                return true;
        return false;
    });
}

std::vector<std::string> BidFields(const std::string& line)
{
    std::vector<std::string> fields;
    for (size_t at = 1, next; (next = line.find("\",\"", at)) != std::string::npos; at = next + 3)
        fields.push_back(line.substr(at, next - at));
    return fields;
}

bool AnyBidDay(const SampleMonth& m, const std::function<bool(const std::string&, const std::string&)>& test)
{
    return AnyLine(m.bids.text, [&](const std::string& line) {
        const std::vector<std::string> f = BidFields(line);
        for (size_t i = 11; i <= 13 && i < f.size(); ++i)
            if (!f[i].empty() && test(f[0], f[i]))
                return true;
        return false;
    });
}

const OddCase kOddCases[] = {
    {"prg_report_1440_or_0", false, [](const SampleMonth& m) {
         return AnyLine(m.prg.text, [](const std::string& l) { return l[0] == '1' && Num(l, 78, 4) % 1440 == 0; });
     }},
    {"prg_duty_without_times", false, [](const SampleMonth& m) {
         return AnyLine(m.prg.text, [](const std::string& l) { return l[0] == '3' && Text(l, 30, 2) == "  "; });
     }},
    {"prg_two_duties_one_day", false, [](const SampleMonth& m) {
         return AnyPairing(m, [](const FilePairing& p) {
             std::set<int32_t> days;
             for (const std::string& d : p.Duties())
                 if (!days.insert(DayOf(d, 22)).second)
                     return true;
             return false;
         });
     }},
    {"prg_continuous_duty_with_rest", false, [](const SampleMonth& m) {
         return AnyPairing(m, [](const FilePairing& p) {
             return p.heads[0][112] == 'Y' && Num(p.Duties().front(), 51, 5) > 0;
         });
     }},
    {"prg_min_rest_780", false, [](const SampleMonth& m) {
         return AnyPairing(m, [](const FilePairing& p) {
             const std::string d = p.Duties().back();
             const int elapsed = (Num(d, 42, 4) - Num(d, 30, 4) + 1440) % 1440;
             return Num(p.heads[0], 145, 4) == 780 && std::abs(elapsed - Num(d, 47, 4)) > 179;
         });
     }},
    {"prg_complement_without_the_group", false, [](const SampleMonth& m) {
         return AnyPairing(m, [&](const FilePairing& p) { return Copies(p.heads[0], m.crewKind) == 0; });
     }},
    {"prg_pairing_line_twice", false, [](const SampleMonth& m) {
         return AnyPairing(m, [](const FilePairing& p) {
             return std::set<std::string>(p.heads.begin(), p.heads.end()).size() < p.heads.size();
         });
     }},
    {"prg_number_again_after_another", false, [](const SampleMonth& m) {
         std::set<std::string> ids;
         return AnyPairing(m, [&](const FilePairing& p) { return !ids.insert(p.Id()).second; });
     }},
    {"prg_dates_outside_the_period", false, [](const SampleMonth& m) {
         return AnyPairing(m, [&](const FilePairing& p) {
             return std::any_of(p.heads.begin(), p.heads.end(), [&](const std::string& l) {
                 return p.Date(l) < m.period.firstDay || p.Date(l) > m.period.lastDay;
             });
         });
     }},
    {"prg_more_than_six_duty_days", false, [](const SampleMonth& m) {
         return AnyPairing(m, [](const FilePairing& p) { return p.Duties().size() > 6; });
     }},
    {"prg_leg_of_another_carrier", false, [](const SampleMonth& m) {
         return AnyLine(m.prg.text, [](const std::string& l) { return l[0] == '4'; });
     }},
    {"absence_reserve_code", false, [](const SampleMonth& m) {
         return AnyAbsence(m, [](const std::string& l, int p) { return Text(l, static_cast<size_t>(p), 1) == "R"; });
     }},
    {"absence_past_midnight", false, [](const SampleMonth& m) {
         return AnyAbsence(m, [](const std::string& l, int p) { return Num(l, p + 10, 4) < Num(l, p + 6, 4); });
     }},
    {"absence_unknown_code", false, [](const SampleMonth& m) {
         return AnyAbsence(m, [&](const std::string& l, int p) {
             return !LookupActivityRow(BuiltInActivityRows(), m.crewKind == 2 ? 'C' : 'P', Text(l, static_cast<size_t>(p), 2));
         });
     }},
    {"absence_line_of_31_entries", false, [](const SampleMonth& m) {
         return AnyLine(m.absences.text, [](const std::string& l) { return Text(l, 9 + 14 * 30, 2) != "  "; });
     }},
    {"absence_last_day_before_first", false, [](const SampleMonth& m) {
         return AnyAbsence(m, [](const std::string& l, int p) { return Num(l, p + 4, 2) < Num(l, p + 2, 2); });
     }},
    {"activity_code_overnight", false, [](const SampleMonth& m) {
         return AnyActivityCode(m, [](const std::string& l, int p) {
             return DayOf(l, p + 28) == DayOf(l, p + 16) + 1 && Num(l, p + 36, 4) < Num(l, p + 24, 4);
         });
     }},
    {"activity_code_before_the_31_days", false, [](const SampleMonth& m) {
         return AnyActivityCode(m, [&](const std::string& l, int p) { return DayOf(l, p + 16) < m.period.firstDay - 31; });
     }},
    {"prior_rest_above_719", false, [](const SampleMonth& m) {
         return AnyLine(m.priorPairings.text, [](const std::string& l) { return Num(l, 66, 4) > 719; });
     }},
    {"roster_lower_case", false, [](const SampleMonth& m) {
         return AnyLine(m.roster.text, [](const std::string& l) {
             return std::any_of(l.begin(), l.end(), [](char c) { return c >= 'a' && c <= 'z'; });
         });
     }},
    {"roster_147_characters", false, [](const SampleMonth& m) {
         return AnyLine(m.roster.text, [](const std::string& l) { return l.size() == 147; });
     }},
    {"roster_short_employee_number", false, [](const SampleMonth& m) {
         return AnyLine(m.roster.text, [](const std::string& l) { return Num(l, 0, 9) < 100000; });
     }},
    {"roster_cabin_crew_of_another_aircraft", true, [](const SampleMonth& m) {
         return AnyLine(m.roster.text, [&](const std::string& l) {
             return Text(l, 31, 3) == m.group.substr(0, 3) && Text(l, 34, 5) != m.group.substr(3, 5) &&
                    Text(l, 37, 2) == "FA";
         });
     }},
    {"bid_gdo_on_a_day_taken", false, [](const SampleMonth& m) {
         std::map<int, std::set<int>> taken;
         AnyAbsence(m, [&](const std::string& l, int p) {
             for (int d = Num(l, p + 2, 2); d <= Num(l, p + 4, 2); ++d)
                 taken[Num(l, 0, 9)].insert(DateFromJulianDay(m.period.firstDay + d - 1).Day);
             return false;
         });
         return AnyLine(m.bids.text, [&](const std::string& l) {
             const std::vector<std::string> f = BidFields(l);
             return f.size() > 11 && !f[11].empty() && f[11][0] != '+' && std::isdigit(static_cast<unsigned char>(f[0][0])) &&
                    taken[std::stoi(f[0])].count(std::atoi(f[11].c_str()));
         });
     }},
    {"bid_day_out_of_range", false, [](const SampleMonth& m) {
         return AnyBidDay(m, [](const std::string&, const std::string& field) {
             std::istringstream days(field);
             for (std::string d; std::getline(days, d, ',');)
                 if (std::atoi(d.c_str() + (d[0] == '+')) > 31)
                     return true;
             return false;
         });
     }},
    {"bid_ten_days", false, [](const SampleMonth& m) {
         return AnyBidDay(m, [](const std::string&, const std::string& field) {
             return std::count(field.begin(), field.end(), ',') >= 9;
         });
     }},
    {"bid_vertical_tab_inside", false, [](const SampleMonth& m) {
         return AnyLine(m.bids.text, [](const std::string& l) {
             const size_t v = l.find('\v');
             return v != std::string::npos && l[v + 1] != '"';
         });
     }},
    {"bid_unreadable_record", false, [](const SampleMonth& m) {
         return AnyLine(m.bids.text, [](const std::string& l) { return l.find("\";\"") != std::string::npos; });
     }},
    {"toolbox_flag3_and_value4", false, [](const SampleMonth& m) {
         const std::vector<std::string> l = Lines(m.toolBox.text);
         bool flag3 = false;
         bool value4 = false;
         for (size_t r = 5; r + 13 <= l.size(); r += 13) {
             flag3 = flag3 || l[r + 10] == "N";
             value4 = value4 || l[r + 7] != "0:00";
         }
         return flag3 && value4;
     }},
};

class OddCaseTest : public ::testing::TestWithParam<OddCase> {};

TEST_P(OddCaseTest, IsInTheDefaultMonthAndNotInACleanOne)
{
    SampleOptions o;
    if (GetParam().cabinOnly)
        o.group = "YVRDH8FAV";
    o.crew = 40;
    EXPECT_TRUE(GetParam().found(GenerateSampleMonth(o)));
    o.clean = true;
    EXPECT_FALSE(GetParam().found(GenerateSampleMonth(o)));
}

INSTANTIATE_TEST_SUITE_P(Cases, OddCaseTest, ::testing::ValuesIn(kOddCases),
                         [](const auto& param) { return std::string(param.param.name); });

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
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteSampleMonth(a, dir.path() / "one", error)) << error;
    for (const SampleFile* f : a.Files()) {
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
                EXPECT_GT((copies[std::string{base, equipment} + Position(kind)]), 0) << base << equipment << kind;
    EXPECT_GT(all.size(), 2'000'000u);
}

TEST(SampleMonth, OptionsOutsideTheFormatsAreRefused)
{
    const std::vector<std::tuple<const char*, int, int, int>> cases = {
        {"YYZDH8FO", 11, 10, 0},  {"YYZDH8XXZ", 11, 10, 0}, {"ZZZDH8FOZ", 11, 10, 0},   {"YYZB73FOZ", 11, 10, 0},
        {"yyzdh8foz", 11, 10, 0}, {"YYZDH8FOZ", 13, 10, 0}, {"YYZDH8FOZ", 11, 0, 0},    {"YYZDH8FOZ", 11, 1001, 0},
        {"YYZDH8FOZ", 11, 10, -1}, {"YYZDH8FOZ", 11, 10, 900}};
    for (const auto& [group, month, crew, pairings] : cases) {
        SampleOptions o;
        o.group = group;
        o.month = month;
        o.crew = crew;
        o.pairings = pairings;
        EXPECT_NE(CheckSampleOptions(o), "") << group << " " << month << " " << crew << " " << pairings;
        EXPECT_TRUE(GenerateSampleMonth(o).prg.text.empty());
    }
}

TEST(SampleMonth, PeriodsFollowTheScheduleMonths)
{
    const std::vector<std::tuple<int, TDate, TDate>> cases = {
        {1, {1, 1, 2027}, {30, 1, 2027}}, {2, {31, 1, 2027}, {1, 3, 2027}},
        {3, {2, 3, 2027}, {31, 3, 2027}}, {12, {1, 12, 2027}, {31, 12, 2027}}};
    for (const auto& [month, first, last] : cases) {
        const SamplePeriod p = SampleMonthPeriod(2027, month);
        EXPECT_EQ(DateFromJulianDay(p.firstDay), first) << month;
        EXPECT_EQ(DateFromJulianDay(p.lastDay), last) << month;
    }
}

} // namespace
} // namespace tl::sample
