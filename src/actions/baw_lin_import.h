#pragma once

#include "import/baw_lin.h"

#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// The caption of the block import's dialog and summary list.
inline constexpr const char* kImportBlocksCaption = "Import BAW and LIN Blocks";

struct BlockImportResult {
    int Placed = 0;                    // pairing days and other assignments put on blocks
    std::vector<std::string> Problems; // what could not be placed, one line each
};

// Puts each block's pairings (AssignPair) and other assignments (the
// toolbox drop's operation) onto the crew member with the block's employee
// number; open-time blocks go to the rows with employee number 0 in order.
// The draft credit mark of the export is not an assignment and is passed over.
BlockImportResult ImportBawLinBlocks(ScheduleDocument& doc, Interaction& ui,
                                     const std::vector<BawLinBlock>& blocks);

} // namespace tl
