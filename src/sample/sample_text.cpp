#include "sample/sample_text.h"

#include "model/text_format.h"
#include "model/vortime.h"

namespace tl::sample {

void Put(std::string& line, size_t column, std::string_view text)
{
    if (line.size() < column + text.size())
        line.resize(column + text.size(), ' ');
    line.replace(column, text.size(), text);
}

std::string Digits(int64_t value, int width)
{
    int64_t largest = 1;
    for (int i = 0; i < width; ++i)
        largest *= 10;
    largest -= 1;
    if (value < 0)
        value = 0;
    if (value > largest)
        value = largest;
    std::string text(static_cast<size_t>(width), '0');
    for (size_t i = text.size(); i-- > 0 && value > 0; value /= 10)
        text[i] = static_cast<char>('0' + value % 10);
    return text;
}

std::string Date8(int32_t dayNumber)
{
    const TDate d = DateFromJulianDay(dayNumber);
    return Digits(d.Year, 4) + Digits(d.Month, 2) + Digits(d.Day, 2);
}

std::string ClockText(int minutes)
{
    return Format("%02d:%02d", minutes / 60, minutes % 60);
}

std::string DurationText(int minutes)
{
    return Format("%2d:%02d", minutes / 60, minutes % 60);
}

std::string ShortDate(int32_t dayNumber, bool twoDigitDay)
{
    const TDate d = DateFromJulianDay(dayNumber);
    return Format(twoDigitDay ? "%s.%02d" : "%s.%d", MonthAbbreviation(d.Month), d.Day);
}

std::string Money(int cents, int width)
{
    if (cents < 0)
        cents = 0;
    std::string text = std::to_string(cents / 100) + "." + Digits(cents % 100, 2);
    if (text.size() < static_cast<size_t>(width))
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

} // namespace tl::sample
