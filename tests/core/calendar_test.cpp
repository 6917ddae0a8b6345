#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/vortime.h"
#include "support/case_name.h"
#include "support/scripted_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace tl {
namespace {

using test::ScriptedInteraction;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Minutes and their text, both ways; the name is the text, "clock" when only
// a time of day is asked for.
struct HoursMinutesCase {
    const char* text;
    bool padHours; // formatting; parsing: a time of day only
    int32_t minutes;
};

std::string HoursMinutesName(const ::testing::TestParamInfo<HoursMinutesCase>& p)
{
    return test::CaseName(std::string(p.param.text) + (p.param.padHours ? " clock" : ""));
}

class FormatHoursMinutesTest : public ::testing::TestWithParam<HoursMinutesCase> {};

TEST_P(FormatHoursMinutesTest, Formats)
{
    EXPECT_EQ(FormatHoursMinutes(GetParam().minutes, GetParam().padHours), GetParam().text);
}

// clang-format off
const HoursMinutesCase kFormatCases[] = {
    {"00:00", false, 0}, {" 0:05", true, 5}, {"07:05", false, 425}, {"123:45", true, 7425},
    // Both parts carry the sign.
    {"-1:-30", false, -90}, {" 0:-5", true, -5}, {"-35791394:-8", false, INT32_MIN}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(HoursMinutes, FormatHoursMinutesTest, ::testing::ValuesIn(kFormatCases),
                         HoursMinutesName);

class ParseHoursMinutesTest : public ::testing::TestWithParam<HoursMinutesCase> {};

TEST_P(ParseHoursMinutesTest, Parses)
{
    EXPECT_EQ(ParseHoursMinutes(GetParam().text, GetParam().padHours), GetParam().minutes);
}

// clang-format off
const HoursMinutesCase kParseCases[] = {
    {"23:59", true, 1439}, {"24:00", true, -1}, {"24:00", false, 1440}, {"150:00", false, 9000},
    {"8", true, 480}, {"8:75", false, -1}, {"", true, 0}, {"7:5", true, 425}, {"7.30", true, 450},
    {"12:60", false, -1}, {"-1:30", false, -1},
    // Minus zero is no negative hour; the minutes are read from after the sign.
    {"-0:30", false, 0}, {"7:-5", true, 420}, {"7:xx", true, 420}, {":45", true, 45},
    {"23:59:59", true, 1439},
    // The minutes follow the first non-digit, even a leading blank.
    {" 7:05", true, 427},
    // Too large for 32 bits: refused rather than wrapped.
    {"35791395:00", false, -1}, {"99999999999", false, -1}, {"7:99999999999", false, -1},
    {"35791394:07", false, 2147483647},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(HoursMinutes, ParseHoursMinutesTest, ::testing::ValuesIn(kParseCases),
                         HoursMinutesName);

class LeadingIntTest : public ::testing::TestWithParam<std::pair<const char*, int32_t>> {};

TEST_P(LeadingIntTest, ConvertsLikeAtoiAndSaturates)
{
    EXPECT_EQ(LeadingInt(GetParam().first), GetParam().second);
}

// clang-format off
const std::pair<const char*, int32_t> kLeadingIntCases[] = {
    {"  42abc", 42}, {"\t-17", -17}, {"x12", 0}, {"- 3", 0}, {"2147483648", INT32_MAX},
    {"-2147483648", INT32_MIN}, {"-99999999999999999999", INT32_MIN}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Text, LeadingIntTest, ::testing::ValuesIn(kLeadingIntCases),
                         [](const auto& p) { return test::CaseName(p.param.first); });

struct GetIntCase {
    const char* name;
    const char* line;
    int start, count;
    int32_t value;
    bool tooShort;
};

class GetIntTest : public ::testing::TestWithParam<GetIntCase> {};

TEST_P(GetIntTest, ReadsFieldOrTracesShortLine)
{
    const GetIntCase& c = GetParam();
    ScriptedInteraction ui;
    EXPECT_EQ(GetInt(c.line, c.start, c.count, ui), c.value);
    EXPECT_EQ(ui.TraceText(), c.tooShort ? "Cannot GetInt. String too Short\n" : "");
}

// clang-format off
const GetIntCase kGetIntCases[] = {
    {"exactly long enough", "AB 12 345", 6, 3, 345, false}, {"one short", "AB 12 34", 6, 3, 0, true},
    {"leading blank", "AB 12 345", 2, 3, 12, false}, {"stops at the field end", "AB 12345", 3, 2, 12, false},
    {"negative", "A -7B", 1, 3, -7, false}, {"letters", "ABCDEF", 0, 3, 0, false}, {"empty", "", 0, 0, 0, false},
    {"negative start", "ABC", -1, 2, 0, true}, {"negative count", "ABC", 1, -1, 0, true},
    {"overflowing end", "ABC", INT_MAX, INT_MAX, 0, true}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Text, GetIntTest, ::testing::ValuesIn(kGetIntCases), test::ByName());

TEST(CalendarTest, DayNumbersRoundTripOverTwoCenturiesAndKeepInBounds)
{
    int32_t expected = JulianDay(1, 1, 1900);
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; ValidDate(month, day, year); ++day) {
                int32_t number = JulianDay(month, day, year);
                ASSERT_EQ(number, expected) << day << '.' << month << '.' << year;
                ASSERT_EQ(DateFromJulianDay(number), (TDate{day, month, year}));
                ++expected;
            }
        }
    }
    EXPECT_EQ(JulianDay(1, 1, 2000), 2451545);
    EXPECT_EQ(Weekday(-1), 7);
    EXPECT_EQ(DateFromJulianDay(0), TDate{});
    EXPECT_EQ(DateFromJulianDay(INT32_MIN), TDate{});
    EXPECT_EQ(DateFromJulianDay(JulianDay(3, 1, 0)), (TDate{1, 3, 0}));
}

struct DateCase {
    int month, day, year;
    bool valid;
};

class ValidDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(ValidDateTest, OnlyValidDatesHaveADayNumber)
{
    const DateCase& c = GetParam();
    EXPECT_EQ(ValidDate(c.month, c.day, c.year), c.valid);
    EXPECT_EQ(CheckedJulianDay(c.month, c.day, c.year),
              c.valid ? JulianDay(c.month, c.day, c.year) : 0);
}

const DateCase kDateCases[] = {
    {2, 31, 2025, false}, {2, 29, 2000, true},  {2, 29, 1900, false}, {2, 29, 2024, true},
    {2, 29, 2025, false}, {4, 31, 2025, false}, {12, 31, 2025, true}, {13, 1, 2025, false},
    {0, 1, 2025, false},  {1, 0, 2025, false},  {1, 1, 0, false},     {1, 1, INT_MAX, false},
};

INSTANTIATE_TEST_SUITE_P(Calendar, ValidDateTest, ::testing::ValuesIn(kDateCases),
                         [](const auto& p) {
                             const DateCase& c = p.param;
                             return std::to_string(c.day) + "_" + std::to_string(c.month) + "_" +
                                    std::to_string(c.year);
                         });

TEST(NamesTest, OutOfRangeGivesAQuestionMarkAndCaseMapsCodePageLetters)
{
    EXPECT_EQ(std::string(WeekdayName(7)) + WeekdayName(8) + WeekdayName(-1) +
                  MonthAbbreviation(13) + MonthAbbreviation(0),
              "SU????");

    // Core text upper-cases its accented letters too (the sharp s and the
    // division sign have no capital); file names change in ASCII only.
    std::string text = "vac Ra1\xe0\xe9\xfe\xf7\xdf\xff\x9a\x9c\x9e\xc9";
    std::string name = text;
    UpperCase(text);
    EXPECT_EQ(text, "VAC RA1\xc0\xc9\xde\xf7\xdf\x9f\x8a\x8c\x8e\xc9");
    UpperCaseAscii(name);
    EXPECT_EQ(name, "VAC RA1\xe0\xe9\xfe\xf7\xdf\xff\x9a\x9c\x9e\xc9");
    LowerCase(text);
    EXPECT_EQ(text, "vac ra1\xc0\xc9\xde\xf7\xdf\x9f\x8a\x8c\x8e\xc9");
}

// Core texts are Windows-1252 bytes: every byte survives the trip through
// UTF-8; what the code page cannot hold, or malformed UTF-8, becomes '?'.
TEST(TextEncodingTest, CodePageRoundTripAndQuestionMarks)
{
    EXPECT_EQ(Cp1252ToUtf8("MONTR\311AL \x80\x93q\x94"), "MONTRÉAL €“q”");
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81"); // undefined byte keeps its value
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Utf8ToCp1252("日"), "?");
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");
    EXPECT_EQ(Utf8ToCp1252("\303A"), "?A");
    EXPECT_EQ(Utf8ToCp1252("\377B"), "?B");
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
}

struct DstCase {
    const char* name;
    TDate first, last;
    bool ok;
    int32_t changeMinute, shift;
};

class SetupDaylightSavingTest : public ::testing::TestWithParam<DstCase> {};

TEST_P(SetupDaylightSavingTest, FindsTheChangeover)
{
    const DstCase& c = GetParam();
    ScriptedInteraction ui;
    ScheduleDocument doc;
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(c.first.Month, c.first.Day, c.first.Year),
                             JulianDay(c.last.Month, c.last.Day, c.last.Year)));
    doc.DstChangeMinute = 999; // stale values from an earlier month
    doc.DstShift = 60;
    EXPECT_EQ(SetupDaylightSaving(doc), c.ok);
    EXPECT_EQ(doc.DstChangeMinute, c.changeMinute);
    EXPECT_EQ(doc.DstShift, c.shift);
}

// clang-format off
const DstCase kDstCases[] = {
    // 1 March 2025 is a Saturday: Sundays 2 and 9 March, the second on day 8.
    {"March", {1, 3, 2025}, {31, 3, 2025}, true, 8 * 1440 + 120, 60},
    // The day before (Sunday 1 March 2026) counts, so Sunday 8 March is the one.
    {"MarchAfterSunday", {2, 3, 2026}, {31, 3, 2026}, true, 6 * 1440 + 120, 60},
    // February days are not counted: 1 and 8 March 2026 are days 9 and 16.
    {"FebruaryIntoMarch", {20, 2, 2026}, {19, 3, 2026}, true, 16 * 1440 + 120, 60},
    // Only one March Sunday (7 March 2027) in the month.
    {"MarchTooShort", {21, 2, 2027}, {7, 3, 2027}, false, 0, 0},
    {"November", {1, 11, 2025}, {30, 11, 2025}, true, 1 * 1440 + 120, -60},
    // The October Sunday (26th) does not count; Sunday 2 November is day 13.
    {"OctoberIntoNovember", {20, 10, 2025}, {19, 11, 2025}, true, 13 * 1440 + 120, -60},
    // 1 November 2026 is a Sunday: the changeover falls on day 0.
    {"NovemberFirstDay", {1, 11, 2026}, {30, 11, 2026}, true, 120, -60}, {"June", {1, 6, 2025}, {30, 6, 2025}, true, 0, 0},
    // The fifteenth day (1 April) decides, whatever March Sundays come before.
    {"AprilMonth", {18, 3, 2025}, {17, 4, 2025}, true, 0, 0},
    // Nine days: the fifteenth slot lies past the period, in March.
    {"ShortFebruary", {20, 2, 2026}, {28, 2, 2026}, true, 0, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Calendar, SetupDaylightSavingTest, ::testing::ValuesIn(kDstCases),
                         test::ByName());

template <size_t N> std::string Text(const std::array<char, N>& code)
{
    return std::string(code.data());
}

class ScheduleDocumentTest : public ::testing::Test {
protected:
    ScriptedInteraction ui;
    ScheduleDocument doc;
};

TEST_F(ScheduleDocumentTest, ThirtyDaysApartMakeAThirtyOneDayMonth)
{
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(12, 1, 2026), JulianDay(12, 31, 2026)));
    // 1 December 2026 is a Tuesday; slots past the month continue.
    EXPECT_EQ((std::vector<int>{doc.DaysInMonth, doc.StartWeekday, doc.Month}),
              (std::vector<int>{31, 2, 12}));
    EXPECT_EQ(Text(doc.DayName[0]) + Text(doc.MonthName), "TUDec");
    EXPECT_TRUE(doc.Weekend[4] && doc.Weekend[5] && !doc.Weekend[6]);
    EXPECT_EQ(doc.DayDate[31], (TDate{1, 1, 2027}));
    EXPECT_EQ(doc.PrevDate[0], (TDate{31, 10, 2026}));
    EXPECT_THAT(ui.Dialogs(), IsEmpty());

    // A Saturday start has its weekend on the first two days.
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(5, 1, 2027), JulianDay(5, 31, 2027)));
    EXPECT_TRUE(doc.Weekend[0] && doc.Weekend[1] && !doc.Weekend[2]);

    // The month is the one fifteen days after the start.
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(1, 16, 2027), JulianDay(2, 15, 2027)));
    EXPECT_EQ(Text(doc.MonthName), "Jan"); // 31 January
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(12, 20, 2026), JulianDay(1, 19, 2027)));
    EXPECT_EQ(doc.Month, 1);
    EXPECT_EQ(Text(doc.YearText), "2027");
    EXPECT_EQ(doc.DayDate[12], (TDate{1, 1, 2027}));
}

struct PeriodCase {
    const char* name;
    int32_t start, end;
    const char* message;
};

class BadPeriodTest : public ScheduleDocumentTest,
                      public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(BadPeriodTest, IsRefusedAndChangesNothing)
{
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(2, 1, 2027), JulianDay(2, 28, 2027)));
    EXPECT_FALSE(doc.SetMonth(ui, GetParam().start, GetParam().end));
    EXPECT_THAT(ui.Dialogs(), ElementsAre(std::string("Tessara Lines: ") + GetParam().message));
    EXPECT_EQ(doc.DaysInMonth, 28); // the month before stays
    EXPECT_EQ(doc.Month, 2);
}

const char kNotReal[] = "The new Month must start and end on real dates.";
// clang-format off
const PeriodCase kPeriodCases[] = {
    {"32 days", JulianDay(3, 1, 2027), JulianDay(4, 1, 2027), "The new Month cannot contain more than 31 days."},
    {"end before start", JulianDay(3, 10, 2027), JulianDay(3, 9, 2027), "The new Month must end on or after its first day."},
    {"day 0", 0, 0, kNotReal}, {"from day 0", 0, 20, kNotReal}, {"negative", -5, 10, kNotReal},
    {"year 10000", JulianDay(1, 1, 10000), JulianDay(1, 20, 10000), kNotReal},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(ScheduleDocument, BadPeriodTest, ::testing::ValuesIn(kPeriodCases),
                         test::ByName());

// Emptying the pairings leaves the table's last record alone and, unless
// asked, the crew; DeleteAll empties the month but keeps the days-off and
// spare rules.
TEST_F(ScheduleDocumentTest, ZeroDataAndDeleteAllKeepWhatTheyMust)
{
    doc.Pairs[0].PairNumber = 1234;
    doc.Pairs[2999].PairNumber = 2999;
    doc.Pairs[3000].PairNumber = 3000;
    doc.Crew[0].Name = "SMITH J";
    doc.LastPair = doc.LastBasePair = 2999;
    doc.CrewCount = 1;
    doc.ZeroData(ui, false, true);
    EXPECT_EQ((std::vector<int>{doc.Pairs[0].PairNumber, doc.Pairs[2999].PairNumber,
                                doc.Pairs[3000].PairNumber, doc.LastPair, doc.LastBasePair,
                                doc.CrewCount}),
              (std::vector<int>{0, 0, 3000, -1, -1, 1}));
    EXPECT_EQ(doc.Crew[0].Name, "SMITH J");
    EXPECT_EQ(ui.TraceText(), "ZeroDataBegin\nZeroDataEnd\n");

    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
    for (int i = 0; i < 16; ++i)
        doc.MonthRules[static_cast<size_t>(i)] = 100 + i;
    doc.Modified = true;
    doc.BackupCountdown = 3;
    doc.History.push_front(TAction{1, 3, 4, 5});
    doc.FilterWords[19] = "YVR";
    doc.FreshDocument = false;
    ui.Clear();
    doc.DeleteAll(ui);
    EXPECT_EQ(doc.MonthRules, (std::array<int32_t, 16>{1, 0, 0, 4650, 4800, 4500, 106, 107, 3420,
                                                       2820, 12, 5400, 112, 113, 114, 115}));
    EXPECT_EQ(
        (std::vector<int>{doc.Modified, doc.BackupCountdown, static_cast<int>(doc.History.size()),
                          doc.DaysInMonth, doc.FreshDocument, doc.CrewCount}),
        (std::vector<int>{0, 20, 0, 0, 1, 0}));
    EXPECT_EQ(doc.Crew[0].Name + doc.FilterWords[19], "");
    EXPECT_EQ(ui.TraceText(), "BeginDeleteAll\nZeroDataBegin\nZeroDataEnd\nEndDeleteAll\n");
}

} // namespace
} // namespace tl
