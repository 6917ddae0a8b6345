#pragma once

#include "model/schedule_document.h"

#include <memory>
#include <random>

namespace tl::bench {

// A full month in memory: 1000 captains with full blocks and 3000 pairings,
// 100 of them second-captain copies, every pairing day held by one crew
// member at most. Not yet built.
std::unique_ptr<ScheduleDocument> MakeFullMonth();

// Pairing `index` of 1 to 4 days with random times and credits drawn from
// `rng`: number 1000 + index, key "K" + index. Operating days and the text
// are the caller's.
void FillRandomPairing(TPair& pair, int index, std::mt19937& rng);

} // namespace tl::bench
