#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tl {

class ScheduleDocument;

// Guess the bid: what the ranked preference lines "(1). " to "(8). " of a
// bid ask for, in the crew member's own words. Days of the month are read
// only from lines that say "OFF"; pairings (the month's prefix letter and a
// number, "V8101") from any line.

// The requests of one preference: day numbers (day of month, 0 for none)
// and pairing numbers (0 for none). Entries past the capacities are dropped.
struct BidRequestGroup {
    static constexpr int kDays = 32;
    static constexpr int kPairings = 200;
    std::array<int32_t, kDays> Days{};
    std::array<int32_t, kPairings> Pairings{};
};

inline constexpr int kBidPreferences = 8;
using BidRequests = std::array<BidRequestGroup, kBidPreferences>;

// Pairings of a group that the guess pane lists and SET FILTERS takes.
inline constexpr int kListedPairings = 50;

// Reads the preference lines of `bid`. A day or pairing asked for in more
// than one preference stays only in the first; one repeated within a
// preference keeps its last place.
BidRequests GuessTheBid(const ScheduleDocument& doc, std::string_view bid);

// The guess pane: the requested days off, then the requested pairings, one
// line per preference that asks for any.
std::string GuessPaneText(const BidRequests& requests);

// The first day slot of the month's period whose date is day `day` of its
// month; -1 when no slot has it.
int SlotOfMonthDay(const ScheduleDocument& doc, int day);

// Whether some pairing of the month has this number.
bool PairingNumberExists(const ScheduleDocument& doc, int32_t number);

} // namespace tl
