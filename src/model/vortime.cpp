#include "model/vortime.h"

namespace tl {

const char* MonthAbbreviation(int month)
{
    static constexpr const char* kNames[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                               "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    if (month < 1 || month > 12)
        return "?";
    return kNames[month - 1];
}

} // namespace tl
