#pragma once

#include "model/tdate.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

inline constexpr int32_t kMinutesPerDay = 1440;

// Minutes as text: "%2d:%02d" with padHours (" 7:05"), "%02d:%02d" without
// ("07:05"). Both parts carry the sign of a negative value (-90 is "-1:-30").
std::string FormatHoursMinutes(int32_t minutes, bool padHours);

// Reads a typed or imported time: the leading integer is the hours, the
// integer after the first non-digit character the minutes. Returns -1 for
// negative hours, minutes above 59, hours above 23 when clockOnly is set, or
// a value too large for 32 bits.
int32_t ParseHoursMinutes(std::string_view text, bool clockOnly);

// Decimal conversion as the C library's atoi does it (leading white space,
// an optional sign, digits up to the first other character, 0 when there are
// none), saturating at the 32-bit limits instead of overflowing.
int32_t LeadingInt(std::string_view text);

// Fixed-column integer reader of the importers: the count characters from
// 0-based column start. A line too short for the field gives 0 and a line in
// the debug trace of `trace` (which may be null).
int32_t GetInt(std::string_view line, int start, int count, Interaction& trace);

// Julian day number of a calendar date (1 January 2000 is 2451545). The
// date is taken as given; see CheckedJulianDay for dates from outside.
int32_t JulianDay(int month, int day, int year);

// True for a real Gregorian date in the years 1 to 9999.
bool ValidDate(int month, int day, int year);

// JulianDay for a valid date, 0 (no date) for anything else, such as 31 February.
int32_t CheckedJulianDay(int month, int day, int year);

// The calendar date of a day number; all zero for numbers before 1 March of year 0.
TDate DateFromJulianDay(int32_t dayNumber);

// Weekday of a day number, Monday 1 to Sunday 7.
int Weekday(int32_t dayNumber);

// Two-letter weekday name: 0 and 7 "SU", 1 "MO" ... 6 "SA", so it serves both
// the Sunday-first count of the month calendar and Weekday() above; "?" otherwise.
const char* WeekdayName(int weekday);

// The local date and time now.
std::tm LocalNow();

// Today's date in local time, as a Julian day number.
int32_t TodayJulianDay();

// "JAN" to "DEC" for months 1 to 12, "?" for any other number.
const char* MonthAbbreviation(int month);

// In-place upper-casing of core text (Windows-1252): a to z and the
// accented lower-case letters (0xE0 to 0xFE but the division sign, and
// 0x9A, 0x9C, 0x9E, 0xFF) become capitals, whatever locale the program runs
// under; the sharp s (0xDF) has no capital and stays.
void UpperCase(std::string& text);
// The letters a to z and A to Z alone, for texts that are not core text
// (file names) and where only ASCII may change.
void UpperCaseAscii(std::string& text);
void LowerCase(std::string& text);

// The text without the blanks that pad it on either side.
std::string TrimBlanks(std::string_view text);

// Fills DstChangeMinute and DstShift of the document from its month calendar
// (DayDate, DayName, DaysInMonth) and the day before the month (PrevDate[30]).
// North American rule: second Sunday of March and first Sunday of November,
// at 02:00. False when the month should hold a changeover but none was found.
bool SetupDaylightSaving(ScheduleDocument& doc);

} // namespace tl
