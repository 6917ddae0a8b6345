#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/vortime.h"
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

TEST(HoursMinutesTest, Formats)
{
    const struct {
        int32_t minutes;
        bool padHours;
        const char* text;
    } cases[] = {
        {0, false, "00:00"}, {5, true, " 0:05"}, {425, false, "07:05"}, {7425, true, "123:45"},
        // Both parts carry the sign.
        {-90, false, "-1:-30"}, {-5, true, " 0:-5"}, {INT32_MIN, false, "-35791394:-8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatHoursMinutes(c.minutes, c.padHours), c.text) << c.minutes;
}

TEST(HoursMinutesTest, Parses)
{
    const struct {
        const char* text;
        bool clockOnly;
        int32_t minutes;
    } cases[] = {
        {"23:59", true, 1439}, {"24:00", true, -1}, {"24:00", false, 1440}, {"150:00", false, 9000},
        {"8", true, 480}, {"8:75", false, -1}, {"", true, 0}, {"7:5", true, 425},
        {"7.30", true, 450}, {"12:60", false, -1}, {"-1:30", false, -1},
        // Minus zero is no negative hour; the minutes are read from after the sign.
        {"-0:30", false, 0}, {"7:-5", true, 420}, {"7:xx", true, 420}, {":45", true, 45},
        {"23:59:59", true, 1439},
        // The minutes follow the first non-digit, even a leading blank.
        {" 7:05", true, 427},
        // Too large for 32 bits: refused rather than wrapped.
        {"35791395:00", false, -1}, {"99999999999", false, -1}, {"7:99999999999", false, -1},
        {"35791394:07", false, 2147483647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseHoursMinutes(c.text, c.clockOnly), c.minutes) << '"' << c.text << '"';
}

TEST(LeadingIntTest, ConvertsLikeAtoiAndSaturates)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"  42abc", 42}, {"\t-17", -17},          {"x12", 0},
        {"- 3", 0},      {"2147483648", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingInt(text), value) << text;
}

TEST(GetIntTest, ReadsFieldOrTracesShortLine)
{
    const struct {
        const char* line;
        int start, count;
        int32_t value;
        bool tooShort;
    } cases[] = {
        {"AB 12 345", 6, 3, 345, false}, // exactly long enough
        {"AB 12 34", 6, 3, 0, true},     // one short
        {"AB 12 345", 2, 3, 12, false},  // leading blank
        {"AB 12345", 3, 2, 12, false},   // stops at the field's end
        {"A -7B", 1, 3, -7, false},      {"ABCDEF", 0, 3, 0, false},
        {"", 0, 0, 0, false},            {"ABC", -1, 2, 0, true},
        {"ABC", 1, -1, 0, true},         {"ABC", INT_MAX, INT_MAX, 0, true},
    };
    for (const auto& c : cases) {
        ScriptedInteraction ui;
        EXPECT_EQ(GetInt(c.line, c.start, c.count, ui), c.value) << c.line << ' ' << c.start;
        EXPECT_EQ(ui.TraceText(), c.tooShort ? "Cannot GetInt. String too Short\n" : "")
            << c.line << ' ' << c.start;
    }
}

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

TEST(CalendarTest, InvalidDatesHaveNoDayNumber)
{
    const struct {
        int month, day, year;
        bool valid;
    } cases[] = {
        {2, 31, 2025, false}, {2, 29, 2000, true},  {2, 29, 1900, false}, {2, 29, 2024, true},
        {2, 29, 2025, false}, {4, 31, 2025, false}, {12, 31, 2025, true}, {13, 1, 2025, false},
        {0, 1, 2025, false},  {1, 0, 2025, false},  {1, 1, 0, false},     {1, 1, INT_MAX, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day << '.' << c.month << '.' << c.year);
        EXPECT_EQ(ValidDate(c.month, c.day, c.year), c.valid);
        EXPECT_EQ(CheckedJulianDay(c.month, c.day, c.year),
                  c.valid ? JulianDay(c.month, c.day, c.year) : 0);
    }
}

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
    EXPECT_EQ(Cp1252ToUtf8("MONTR\xC9" "AL \x80\x93q\x94"), "MONTRÉAL €“q”");
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81"); // undefined byte keeps its value
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    const std::pair<const char*, const char*> unmappable[] = {
        {"日", "?"}, {"\xC3", "?"}, {"\xC3" "A", "?A"}, {"\xFF" "B", "?B"},
        {"\xF0\x9F\x98\x80", "?"},
    };
    for (const auto& [utf8, bytes] : unmappable)
        EXPECT_EQ(Utf8ToCp1252(utf8), bytes) << utf8;
}

TEST(SetupDaylightSavingTest, FindsTheChangeover)
{
    const struct {
        const char* name;
        TDate first, last;
        bool ok;
        int32_t changeMinute, shift;
    } cases[] = {
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
        {"NovemberFirstDay", {1, 11, 2026}, {30, 11, 2026}, true, 120, -60},
        {"June", {1, 6, 2025}, {30, 6, 2025}, true, 0, 0},
        // The fifteenth day (1 April) decides, whatever March Sundays come before.
        {"AprilMonth", {18, 3, 2025}, {17, 4, 2025}, true, 0, 0},
        // Nine days: the fifteenth slot lies past the period, in March.
        {"ShortFebruary", {20, 2, 2026}, {28, 2, 2026}, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
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
}

template <size_t N>
std::string Text(const std::array<char, N>& code)
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

TEST_F(ScheduleDocumentTest, BadPeriodIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(2, 1, 2027), JulianDay(2, 28, 2027)));
    const std::string notReal = "Tessara Lines: The new Month must start and end on real dates.";
    const struct {
        int32_t start, end;
        std::string message;
    } cases[] = {
        {JulianDay(3, 1, 2027), JulianDay(4, 1, 2027),
         "Tessara Lines: The new Month cannot contain more than 31 days."},
        {JulianDay(3, 10, 2027), JulianDay(3, 9, 2027),
         "Tessara Lines: The new Month must end on or after its first day."},
        {0, 0, notReal}, {0, 20, notReal}, {-5, 10, notReal},
        {JulianDay(1, 1, 10000), JulianDay(1, 20, 10000), notReal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        ui.Clear();
        EXPECT_FALSE(doc.SetMonth(ui, c.start, c.end));
        EXPECT_THAT(ui.Dialogs(), ElementsAre(c.message));
        EXPECT_EQ(doc.DaysInMonth, 28); // the month before stays
        EXPECT_EQ(doc.Month, 2);
    }
}

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
    EXPECT_EQ((std::vector<int>{doc.Modified, doc.BackupCountdown,
                                static_cast<int>(doc.History.size()), doc.DaysInMonth,
                                doc.FreshDocument, doc.CrewCount}),
              (std::vector<int>{0, 20, 0, 0, 1, 0}));
    EXPECT_EQ(doc.Crew[0].Name + doc.FilterWords[19], "");
    EXPECT_EQ(ui.TraceText(), "BeginDeleteAll\nZeroDataBegin\nZeroDataEnd\nEndDeleteAll\n");
}

} // namespace
} // namespace tl
