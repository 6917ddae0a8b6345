#pragma once

#include <functional>

namespace tl {

class Interaction;
class ScheduleDocument;

// Commands that change the roster or the crew complement take the grid down
// while their dialog runs and build the blocks again afterwards, so credits,
// the block-holder cut-off and legality are recomputed.

// "&Change Pairing Crew Complement...": the blocks are always built again.
void CrewComplementCommand(ScheduleDocument& doc, Interaction& ui,
                           const std::function<void()>& runDialog);

// "&Roster...": the blocks are built again only when the grid was on.
void RosterCommand(ScheduleDocument& doc, Interaction& ui, const std::function<void()>& runEditor);

} // namespace tl
