#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// Putting pairings on blocks and taking them off. Both operations keep the
// operation counts, the undo history, legality, block credit, the
// block-holder cut-off and the open credit consistent, and tell the
// document's listener what to redraw.

// What AssignPair did; the values are the result codes the program has
// always shown.
enum class AssignResult : int {
    Done = 0,
    Refused = 1, // rest, French crew, or a question answered No
    NotOperating = 2,
    AlreadyAssigned = 3,
    CrewOutOfRange = 4,
    PairOutOfRange = 5,
    ReserveDeclined = 6, // the question about a crew member bidding reserve answered No
};

// What RemovePair did, with the codes it shares with AssignPair.
enum class RemoveResult : int {
    Done = 0,
    NotOperating = 2,
    NotAssigned = 3, // the pairing day is open, or another crew member holds it
    CrewOutOfRange = 4,
    PairOutOfRange = 5,
};

// The Who Is Legal dialog's message for a result; empty for Done and
// ReserveDeclined.
std::string_view AssignResultMessage(AssignResult result);

// `day` is the day slot (0 = the month's first day).
[[nodiscard]] AssignResult AssignPair(ScheduleDocument& doc, Interaction& ui, int crew, int pairing,
                                      int day, bool noRestCheck);
// AssignPair that also tells whether a refusal was a question answered No
// rather than a rule.
[[nodiscard]] AssignResult AssignPair(ScheduleDocument& doc, Interaction& ui, int crew, int pairing,
                                      int day, bool noRestCheck, bool& answeredNo);
// Whether AssignPair would place the pairing without refusing it for rest
// or asking about a short one.
[[nodiscard]] bool RestIsClear(const ScheduleDocument& doc, int crew, int pairing, int day);
[[nodiscard]] RemoveResult RemovePair(ScheduleDocument& doc, Interaction& ui, int crew, int pairing,
                                      int day);

// What a remove command says of a refusal, as AssignResultMessage does for
// assign; empty for Done.
std::string_view RemoveResultMessage(RemoveResult result);

// What the block grid does with the mouse, without the mouse: the Qt grid
// maps its rows and columns to crew members and day slots and calls these.

// Right button on the start day of a pairing: asks before sending a locked-in
// pairing to open, and (unless `ctrlHeld`, and only when `confirmRemove`, the
// preference, is on) asks to confirm; then takes the pairing off. Open lines
// keep theirs. True when the pairing was taken off.
bool RemovePairFromGrid(ScheduleDocument& doc, Interaction& ui, int crew, int day, bool ctrlHeld,
                        bool confirmRemove);

// Right button on an other assignment: asks to confirm unless `shiftHeld`,
// then empties the day. Not a transaction: undo does not bring it back.
// True when the day was emptied.
bool RemoveOtherFromGrid(ScheduleDocument& doc, Interaction& ui, int crew, int day, bool shiftHeld);

// Middle button (or Ctrl and left button) on the start day of a pairing:
// locks it in or frees it. True when the day held a pairing.
bool ToggleDayLock(ScheduleDocument& doc, int crew, int day);

// Outcome of dragging a pairing from one block to another.
enum class DragResult {
    Moved,    // the target holds it now
    Locked,   // locked in: "Can't Drag a Locked in Pairing" was shown
    PutBack,  // the target could not take it; it is back on the source, with a beep
    NotMoved, // no pairing on the source day, an open line, the same row, or it could not be
              // taken off
};

// Moves the pairing that starts on `sourceDay` of `sourceCrew` to
// `targetCrew`, on the same day whatever column the drag ended over.
DragResult DragPairing(ScheduleDocument& doc, Interaction& ui, int sourceCrew, int sourceDay,
                       int targetCrew);

} // namespace tl
