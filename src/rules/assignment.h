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

// Result codes of AssignPair and RemovePair.
enum AssignResult : int {
    kAssignDone = 0,
    kAssignRefused = 1,         // rest, French crew, or a question answered No
    kAssignNotOperating = 2,
    kAssignAlreadyAssigned = 3, // remove: the pairing day is not assigned
    kAssignCrewOutOfRange = 4,
    kAssignPairOutOfRange = 5,
    kAssignReserveDeclined = 6,
};

// The Who Is Legal dialog's message for a result code; empty for 0 and 6.
std::string_view AssignResultMessage(int code);

// `day` is the day slot (0 = the month's first day).
int AssignPair(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day,
               bool noRestCheck);
int RemovePair(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day);

} // namespace tl
