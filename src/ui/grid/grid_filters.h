#pragma once

#include <string>
#include <vector>

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

// The grid's view options: which blocks it shows. They belong to the window,
// not the month, and all go off when the document is emptied.
struct DisplayFlags {
    bool Search = false;           // only blocks whose search-match mark is set
    bool HideCheckPilots = false;  // qualification 2 or 3
    bool HideCompleted = false;    // block-complete option set
    bool HideLeave = false;        // all-month leave
    bool HideBlockHolders = false; // neither bidding reserve nor beyond the cut-off
    bool OnlyCheckPilots = false;
    bool OnlyLtc = false;
    bool OnlyBlockHolders = false;

    bool Any() const
    {
        return Search || HideCheckPilots || HideCompleted || HideLeave || HideBlockHolders ||
               OnlyCheckPilots || OnlyLtc || OnlyBlockHolders;
    }
    bool operator==(const DisplayFlags&) const = default;
};

// The option a display filter command (550 to 557) stands for; null for
// any other command.
bool* DisplayFlag(DisplayFlags& flags, int command);

// Roster indices of the rows the grid shows, in roster order.
std::vector<int> DisplayOrder(const ScheduleDocument& doc, const DisplayFlags& flags);

// Sets the search-match mark (the last request byte) of every crew member
// whose name, employee number or one of whose day codes in the month
// contains `text`, ignoring case; clears it for the others. Returns how
// many matched.
int MarkSearchMatches(ScheduleDocument& doc, const std::string& text);

} // namespace tl::ui
