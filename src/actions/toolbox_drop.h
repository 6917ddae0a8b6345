#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// Putting a toolbox window item on one day of a block: a request item
// (X1 .. XM) becomes the day's request code, an activity item becomes an
// other assignment with the activity's numbers.

// One item of the toolbox window, as it travels from the window to the grid.
struct ToolBoxItemRef {
    enum class Kind { Request, Activity };
    Kind kind = Kind::Request;
    int Index = -1; // into ToolBoxRequestItems() or ToolBoxActivityItems(doc)

    bool operator==(const ToolBoxItemRef&) const = default;
};

// The drag payload: "request:N" or "activity:N". Decoding accepts nothing
// else, so a foreign drop names no item.
std::string EncodeToolBoxItem(const ToolBoxItemRef& item);
std::optional<ToolBoxItemRef> DecodeToolBoxItem(std::string_view text);

enum class ToolBoxDropResult {
    Done,       // the request or the activity is on the day
    Cleared,    // the day already held this request: it is taken off
    OutOfRange, // no such crew member, day or item
    OpenLine,   // open lines hold only pairing days
    PairingDay, // a pairing starts on or runs through the day
    OtherDay,   // the day holds another assignment already
};

// Applies the item to day slot `day` of crew member `crew`. Refusals other
// than OutOfRange are explained to the scheduler through `ui`. After an
// activity the crew member is checked again (legality, two-captain pass,
// block credit, all-month leave); both kinds set Modified and redraw the row.
ToolBoxDropResult ApplyToolBoxItem(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                                   const ToolBoxItemRef& item);

// The pairing that starts on or runs through day slot `day` of the crew
// member's block; -1 when none does.
int PairingCoveringDay(const ScheduleDocument& doc, int crew, int day);

} // namespace tl
