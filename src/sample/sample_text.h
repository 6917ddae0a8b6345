#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tl::sample {

// Writes text into a fixed-column line at a 0-based column, growing the
// line with blanks when it is too short.
void Put(std::string& line, size_t column, std::string_view text);

// A number in `width` digits with leading zeros; values that do not fit are
// held at the largest that does (and negatives at 0), so a field never
// spills into the next one.
std::string Digits(int64_t value, int width);

// Year, month and day as eight digits (YYYYMMDD) of a Julian day number.
std::string Date8(int32_t dayNumber);

// Clock "%02d:%02d" and duration "%2d:%02d" texts.
std::string ClockText(int minutes);
std::string DurationText(int minutes);

// "NOV.05" style dates of the listings, with the day in two digits or not.
std::string ShortDate(int32_t dayNumber, bool twoDigitDay);

// Amount of cents as "%*d.%02d" right-aligned in width.
std::string Money(int cents, int width);

} // namespace tl::sample
