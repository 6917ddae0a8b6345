#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;
class TPilot;

// Turning a prepared month into the working grid, and the month-wide
// figures the assignment operations keep up to date.

// What one Build Blocks did, for callers that report it themselves.
struct BuildReport {
    bool Ran = false;                 // false: the grid was on already
    bool Built = false;               // the grid is on
    std::vector<std::string> Repairs; // one "Error 100 ..."/"Error 101 ..." each
    int InvalidPairs = 0;             // after the second validation
    int EditPair = -1;                // the pairing handed to the editor instead of building
    bool DaylightSavingFailed = false;
};

// Checks and repairs the assignment marks, validates the pairings, computes
// credits, the block-holder cut-off and legality for everybody, and switches
// the grid on. Does nothing when the grid is on already. Returns false only
// when the scheduler chose to edit invalid pairings instead of building.
bool BuildBlocks(ScheduleDocument& doc, Interaction& ui, bool showPairings,
                 BuildReport* report = nullptr);

// Opens every pairing day, then gives each day slot's pairing day to its
// holder in roster order; a slot naming no pairing, or a pairing day that
// does not operate or is held already, is emptied and reported ("Error 100
// Emp %s ", "Error 101 Emp %s Day %d"). Returns the number of repairs;
// `repairs` receives their texts.
int RepairAssignmentMarks(ScheduleDocument& doc, Interaction& ui,
                          std::vector<std::string>* repairs = nullptr);

// What follows loading a block file: the crew-complement marks are set
// again, then the month is built. A month holding other assignments is no
// longer fresh, so a later absences load asks before it overwrites them.
[[nodiscard]] bool FinishOpeningMonth(ScheduleDocument& doc, Interaction& ui,
                                      bool showPairings = true, BuildReport* report = nullptr);

// The crew member's block credit limits: its own minimum and maximum when
// set, the month's otherwise.
struct CreditLimits {
    int32_t Min = 0;
    int32_t Max = 0;
    int32_t Average = 0;
};
CreditLimits CreditLimitsOf(const ScheduleDocument& doc, const TPilot& crew);

// The crew member's block credit as BlockCredit last stored it, minutes.
int32_t StoredBlockCredit(const TPilot& crew);

// How far down the roster crew members can still hold a block with the
// credit left open; sets BeyondBlockHolders when the cut-off moves. Returns
// the cut-off (roster index of the last block holder).
int32_t ComputeBlockHolderCut(ScheduleDocument& doc);

// Gives the crew-complement pairing days their negative marks again after a
// block file is loaded (the file stores the absolute values).
void FlagTwoCaptPairs(ScheduleDocument& doc, Interaction& ui);

// Credit of the pairing days still open, minutes; within the month only for
// pairings that run past its end. `total` receives the credit of every
// operating day. Tells the listener's open-credit gauge.
int32_t OpenCredit(ScheduleDocument& doc, int32_t* total = nullptr);

// Per day of the month: free block holders minus open pairing days.
void ComputeDayBalance(ScheduleDocument& doc);

// Switches the grid off and tells the windows to close their views of it;
// the next BuildBlocks runs again.
void TakeDownGrid(ScheduleDocument& doc);

} // namespace tl
