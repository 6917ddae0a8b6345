#pragma once

#include <cstdint>

namespace tl {

// Day, month and year of one calendar day.
struct TDate {
    int32_t Day = 0;
    int32_t Month = 0;
    int32_t Year = 0;

    bool operator==(const TDate&) const = default;
};

} // namespace tl
