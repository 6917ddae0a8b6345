#pragma once

#include "model/schedule_document.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

// Bounds of the month's tables as the output texts read them: a file may say
// anything, so every count is held to its table here.
namespace tl::report {

constexpr size_t U(int i)
{
    return static_cast<size_t>(i);
}

inline int MonthDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

inline int PairCount(const ScheduleDocument& doc)
{
    return std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1) + 1;
}

inline int CrewCountOf(const ScheduleDocument& doc)
{
    return std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
}

inline int32_t Clamp32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// A fixed text field up to its terminating zero, if it has one.
template <size_t N> std::string FieldText(const std::array<char, N>& field)
{
    return std::string(field.data(), std::find(field.begin(), field.end(), '\0'));
}

// The pairing in a day slot, or null for a free day, an other assignment or
// an index beyond the table.
inline const TPair* PairingIn(const ScheduleDocument& doc, int32_t slot)
{
    return HoldsPairing(slot) && slot < ScheduleDocument::kPairCapacity ? &doc.Pairs[U(slot)]
                                                                        : nullptr;
}

} // namespace tl::report
