#include "model/vortime.h"

#include <ctime>

namespace tl {

int32_t JulianDay(int month, int day, int year)
{
    int m = month;
    int y = year;
    if (m < 3) {
        m += 9;
        y -= 1;
    } else {
        m -= 3;
    }
    return (153 * m + 2) / 5 + (146097 * (y / 100)) / 4 + (1461 * (y % 100)) / 4 + day + 1721119;
}

int32_t TodayJulianDay()
{
    std::time_t t = std::time(nullptr);
    std::tm now{};
#if defined(_WIN32)
    localtime_s(&now, &t);
#else
    localtime_r(&t, &now);
#endif
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

} // namespace tl
