#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

namespace tl {

// One transaction of the undo history.
struct TAction {
    int8_t Kind = 0;     // 1 assigned a pairing, 0 removed one, 2 removed a locked-in one
    int32_t Day = 0;     // day slot of the crew member
    int32_t Crew = 0;    // index in the crew table
    int32_t Pairing = 0; // index in the pairing table

    bool operator==(const TAction&) const = default;
};

// The kind of a removal of a locked-in pairing: undoing it locks the day in
// again.
inline constexpr int8_t kRemovedLocked = 2;
// One step standing for a whole operation (an award of the bids): undoing it
// puts back the month as it was before.
inline constexpr int8_t kGroupStep = 3;

// The undo history, newest first. Its operations live with the assignment
// rules and its text with the block file; the document only holds it.
using THistory = std::deque<TAction>;

// The history held at most: after an insertion at the front, entries past
// this many are dropped.
inline constexpr size_t kHistoryLimit = 201;

} // namespace tl
