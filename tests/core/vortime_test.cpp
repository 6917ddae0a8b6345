#include "model/schedule_document.h"
#include "model/vortime.h"
#include "support/scripted_interaction.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tl {
namespace {

using test::ScriptedInteraction;

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
    EXPECT_EQ(LeadingInt("  42abc"), 42);
    EXPECT_EQ(LeadingInt("\t-17"), -17);
    EXPECT_EQ(LeadingInt("x12"), 0);
    EXPECT_EQ(LeadingInt("- 3"), 0);
    EXPECT_EQ(LeadingInt("2147483648"), INT32_MAX);
    EXPECT_EQ(LeadingInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(LeadingInt("-99999999999999999999"), INT32_MIN);
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

TEST(NamesTest, OutOfRangeGivesAQuestionMarkAndCaseMapsOnlyAscii)
{
    EXPECT_STREQ(WeekdayName(7), "SU");
    EXPECT_STREQ(WeekdayName(8), "?");
    EXPECT_STREQ(WeekdayName(-1), "?");
    EXPECT_STREQ(MonthAbbreviation(13), "?");
    EXPECT_STREQ(MonthAbbreviation(0), "?");

    // Case changes map only ASCII letters.
    std::string text = "vac Ra1\xe9\xc9";
    UpperCase(text);
    EXPECT_EQ(text, "VAC RA1\xe9\xc9");
    LowerCase(text);
    EXPECT_EQ(text, "vac ra1\xe9\xc9");
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

} // namespace
} // namespace tl
