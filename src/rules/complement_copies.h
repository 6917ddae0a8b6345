#pragma once

#include <vector>

namespace tl {

class ScheduleDocument;

// Where a copy (LastBasePair+1 .. LastPair) came from: its operating day and
// the pairing of the month it copies, -1 for either when there is none.
struct CopySource {
    int Day = -1;
    int Pairing = -1;
};

// The source of every copy, in copy order. One number can name several
// pairings on one day, so a copy goes to the pairing whose trip it repeats
// (key, report time, time away, credit, length), and only a copy that
// matches none falls back to the first pairing of its number. Each pairing
// day takes one copy at most.
std::vector<CopySource> CopySources(const ScheduleDocument& doc);

} // namespace tl
