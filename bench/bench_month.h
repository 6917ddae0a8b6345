#pragma once

#include "model/schedule_document.h"

#include <memory>

namespace tl::bench {

// A full month in memory: 1000 captains with full blocks and 3000 pairings,
// 100 of them second-captain copies, every pairing day held by one crew
// member at most. Not yet built.
std::unique_ptr<ScheduleDocument> MakeFullMonth();

} // namespace tl::bench
