#pragma once

#include "sample/sample_model.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tl::sample {

// What a set of pairings is made for: one base, the equipment characters its
// pairing numbers may start with (repeats weigh the draw), the crew kind
// (0 captains, 1 first officers, 2 flight attendants) and the period.
struct PairingPlan {
    char baseLetter = 'Z';
    std::string_view airport;
    std::span<const char> equipment;
    int crewKind = 1;
    int count = 0;        // pairings to draw; 0: draw until creditTarget is reached
    int creditTarget = 0; // minutes of the crew kind's positions over the period
    int32_t firstDay = 0; // Julian day numbers of the period
    int32_t lastDay = 0;
    SampleDstChange dst;
    bool oddCases = false; // the odd cases of real pairing files, a few of each
};

// The pairings of one set, in pairing number order. Numbers are the
// equipment character followed by 101, 102 ... in order of length, so that
// one-day pairings come first as in the pairing system's files. An operation
// across the change of clocks is a pairing of its own, numbered after the
// others of its equipment, and an exception date of the pairing it leaves.
std::vector<SamplePairing> GeneratePairings(uint64_t seed, std::string_view label,
                                            const PairingPlan& plan);

// Release, calendar days and the day and total figures from the duties.
void Totals(SamplePairing& p);

// Copies of a pairing that a crew kind loads: its count of captains, of
// first officers, or of flight attendants and pursers.
int PositionCopies(std::string_view complement, int crewKind);

// The daylight-saving change of a period (North American rule: second Sunday
// of March and first Sunday of November at 02:00), shift 0 when none.
SampleDstChange FindDstChange(int32_t firstDay, int32_t lastDay);

} // namespace tl::sample
