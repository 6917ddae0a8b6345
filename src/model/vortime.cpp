#include "model/vortime.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"

#include <algorithm>
#include <ctime>
#include <limits>

namespace tl {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int32_t kChangeoverClock = 120; // 02:00

} // namespace

std::string FormatHoursMinutes(int32_t minutes, bool padHours)
{
    int32_t hours = minutes / 60;
    int32_t rest = minutes - 60 * hours;
    return Format(padHours ? "%2d:%02d" : "%02d:%02d", static_cast<int>(hours),
                  static_cast<int>(rest));
}

int32_t LeadingInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so INT32_MIN fits.
    constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
    int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < kLow) {
            value = kLow;
            if (!negative)
                return std::numeric_limits<int32_t>::max();
        }
    }
    if (!negative)
        value = std::min<int64_t>(-value, std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(value);
}

int32_t ParseHoursMinutes(std::string_view text, bool clockOnly)
{
    int32_t hours = LeadingInt(text);

    // The minutes follow the first character that is not a digit, whatever it is
    // (a colon usually; a full stop or a blank work the same).
    int32_t minutes = 0;
    auto separator = std::find_if(text.begin(), text.end(), [](char c) { return !IsDigit(c); });
    if (separator != text.end()) {
        minutes = LeadingInt(text.substr(static_cast<size_t>(separator - text.begin()) + 1));
        if (minutes < 0)
            minutes = 0;
    }

    if (hours < 0 || minutes > 59 || (clockOnly && hours > 23))
        return -1;
    int64_t total = 60 * static_cast<int64_t>(hours) + minutes;
    if (total > std::numeric_limits<int32_t>::max())
        return -1;
    return static_cast<int32_t>(total);
}

int32_t GetInt(std::string_view line, int start, int count, Interaction& trace)
{
    if (start < 0 || count < 0 ||
        line.size() < static_cast<size_t>(start) + static_cast<size_t>(count)) {
        trace.Trace("Cannot GetInt. String too Short\n");
        return 0;
    }
    return LeadingInt(line.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

int32_t JulianDay(int month, int day, int year)
{
    // 64-bit arithmetic keeps wild input from overflowing; the result for any
    // real date is unchanged.
    int64_t m = month;
    int64_t y = year;
    if (m < 3) {
        m += 9;
        y -= 1;
    } else {
        m -= 3;
    }
    int64_t number =
        (153 * m + 2) / 5 + (146097 * (y / 100)) / 4 + (1461 * (y % 100)) / 4 + day + 1721119;
    return static_cast<int32_t>(number);
}

bool ValidDate(int month, int day, int year)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    int last = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= last;
}

int32_t CheckedJulianDay(int month, int day, int year)
{
    return ValidDate(month, day, year) ? JulianDay(month, day, year) : 0;
}

TDate DateFromJulianDay(int32_t dayNumber)
{
    // The inverse of JulianDay: days since 1 March of year 0, split into
    // centuries, four-year cycles and months of a March-first year.
    int64_t j = static_cast<int64_t>(dayNumber) - 1721119;
    if (j < 1)
        return {};
    int64_t century = (4 * j - 1) / 146097;
    j = 4 * j - 1 - 146097 * century;
    int64_t d = j / 4;
    j = (4 * d + 3) / 1461;
    d = 4 * d + 3 - 1461 * j;
    d = (d + 4) / 4;
    int64_t m = (5 * d - 3) / 153;
    d = 5 * d - 3 - 153 * m;
    d = (d + 5) / 5;
    int64_t y = 100 * century + j;
    if (m < 10) {
        m += 3;
    } else {
        m -= 9;
        y += 1;
    }
    return {static_cast<int32_t>(d), static_cast<int32_t>(m), static_cast<int32_t>(y)};
}

int Weekday(int32_t dayNumber)
{
    // Day number 0 fell on a Monday.
    int rest = static_cast<int>(dayNumber % 7);
    if (rest < 0)
        rest += 7;
    return rest + 1;
}

const char* WeekdayName(int weekday)
{
    static constexpr const char* kNames[8] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    if (weekday < 0 || weekday > 7)
        return "?";
    return kNames[weekday];
}

std::tm LocalNow()
{
    std::time_t t = std::time(nullptr);
    std::tm now{};
#if defined(_WIN32)
    localtime_s(&now, &t);
#else
    localtime_r(&t, &now);
#endif
    return now;
}

int32_t TodayJulianDay()
{
    const std::tm now = LocalNow();
    return JulianDay(now.tm_mon + 1, now.tm_mday, now.tm_year + 1900);
}

const char* MonthAbbreviation(int month)
{
    static constexpr const char* kNames[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                               "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    if (month < 1 || month > 12)
        return "?";
    return kNames[month - 1];
}

std::string TrimBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

void UpperCase(std::string& text)
{
    for (char& c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            c = static_cast<char>(b - 0x20);
        else if (b == 0x9A || b == 0x9C || b == 0x9E) // s, oe, z with their marks
            c = static_cast<char>(b - 0x10);
        else if (b == 0xFF) // y with diaeresis: its capital sits apart
            c = static_cast<char>(0x9F);
    }
}

void UpperCaseAscii(std::string& text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

void LowerCase(std::string& text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
}

bool SetupDaylightSaving(ScheduleDocument& doc)
{
    doc.DstChangeMinute = 0;
    doc.DstShift = 0;

    const int days = std::clamp<int>(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    // The fifteenth day names the month; a shorter period takes its last day,
    // since slots past the period hold the following month's dates.
    const int month = doc.DayDate[static_cast<size_t>(std::clamp(days - 1, 0, 14))].Month;
    if (month != 3 && month != 11)
        return true;

    auto isSunday = [&doc](int d) {
        const auto& name = doc.DayName[static_cast<size_t>(d)];
        return name[0] == 'S' && name[1] == 'U';
    };
    auto monthOf = [&doc](int d) { return doc.DayDate[static_cast<size_t>(d)].Month; };

    if (month == 11) {
        for (int d = 0; d < days; ++d) {
            if (monthOf(d) == 11 && isSunday(d)) {
                doc.DstChangeMinute = d * kMinutesPerDay + kChangeoverClock;
                doc.DstShift = -60;
                break;
            }
        }
        return doc.DstChangeMinute != 0;
    }

    // March: the second Sunday of March, counting a March Sunday just before
    // the month starts.
    int sundays = 0;
    const TDate& before = doc.PrevDate[ScheduleDocument::kMonthDays - 1];
    if (before.Month == 3) {
        int32_t number = CheckedJulianDay(before.Month, before.Day, before.Year);
        if (number != 0 && Weekday(number) == 7)
            sundays = 1;
    }
    for (int d = 0; d < days; ++d) {
        if (monthOf(d) == 3 && isSunday(d) && ++sundays == 2) {
            doc.DstChangeMinute = d * kMinutesPerDay + kChangeoverClock;
            doc.DstShift = 60;
            return true;
        }
    }
    return false;
}

} // namespace tl
