#pragma once

#include <string>
#include <vector>

namespace tl {

class ScheduleDocument;
class TPilot;

// What the Who Is Legal test found; the values are the program's codes.
enum class CanAssignResult : int {
    CannotAssign = 0,
    Legal = 1,
    AddsIllegalDays = 2, // assignable, listed as an exception
};

// The Who Is Legal test of one crew member for a pairing on a day slot:
// CannotAssign when the day is taken, the crew member bids reserve or is on
// leave, the pairing would start inside the rest of a duty before it, or a
// duty after it inside its own rest; AddsIllegalDays when the assignment
// would add illegal days; Legal otherwise. Short rests elsewhere in the
// block count only through the legality check. The crew member's own
// legality results must be up to date. The assignment is tried on `scratch`,
// a record outside the crew table judged in the crew member's roster place;
// `why`, when given, receives the reason for CannotAssign and, for
// AddsIllegalDays, the part of the illegalities that is new.
[[nodiscard]] CanAssignResult CanAssign(ScheduleDocument& doc, int crew, int pairing, int slot,
                                        TPilot& scratch, std::string* why = nullptr);
// The same with a scratch record of its own.
[[nodiscard]] CanAssignResult CanAssign(ScheduleDocument& doc, int crew, int pairing, int slot);

// What the Who Is Legal dialog shows for one pairing and one day slot.
struct WhoIsLegalLists {
    std::string Caption;              // "Tessara Lines - %04d on %02d %s"
    std::vector<std::string> Legal;   // "%03d %s" and "%03d Exception-> %s"
    std::vector<int> LegalCrew;       // crew index of each line of Legal
    std::vector<std::string> Bidders; // "%03d <<< %s" or "%03d %s"
    // Why each crew member missing from Legal is missing, and what each
    // exception would add: "%03d %s: %s".
    std::vector<std::string> Reasons;
};

// Builds both lists and the reasons in one pass over the roster. The legality
// results of the crew must be up to date.
WhoIsLegalLists WhoIsLegal(ScheduleDocument& doc, int pairing, int slot);

// The part of `after` (an illegalities text) that `before` does not hold:
// per rule heading, the day labels that are new.
std::string NewIllegalities(const std::string& before, const std::string& after);

// True when a crew member's stored bid (FilterText: four-digit pairing
// numbers before "TEXT") names the pairing number.
bool BidsPairingNumber(const TPilot& crew, int pairNumber);

} // namespace tl
