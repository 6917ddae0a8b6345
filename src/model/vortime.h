#pragma once

#include <cstdint>

namespace tl {

// Julian day number of a calendar date (1 January 2000 is 2451545).
int32_t JulianDay(int month, int day, int year);

// Today's date in local time, as a Julian day number.
int32_t TodayJulianDay();

// "JAN" to "DEC" for months 1 to 12, "?" for any other number.
const char* MonthAbbreviation(int month);

} // namespace tl
