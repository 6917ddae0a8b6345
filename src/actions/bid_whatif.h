#pragma once

#include "actions/bid_award.h"

#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// What the award would make of one bid item of a draft bid.
struct WhatIfItem {
    std::string Item;
    int Preference = 0;
    AwardResult Result = AwardResult::Awarded; // at the crew member's own position
    std::string Cause;
    // The lowest roster position (from 1) at which it is still granted; 0
    // when at none.
    int LowestPosition = 0;
};

// Runs the award for the crew members senior to `crew` on the month and
// tries the draft bid at each position from the top down, then puts the
// month back as it was. The trials stop at the first position where
// nothing of the bid is granted any more.
std::vector<WhatIfItem> WhatIf(ScheduleDocument& doc, int crew, std::string_view draftBid,
                               const AwardOptions& options, Interaction& ui);
std::string WhatIfText(const std::vector<WhatIfItem>& items);

} // namespace tl
