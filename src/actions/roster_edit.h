#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// The roster editor and the Move Employee dialog. Both lists leave out the
// open lines, so a line's place in its list is not a roster position once
// an open line sits between crew members: every line carries the crew index
// it stands for, and the operations below take list line numbers (0-based,
// -1 for none) and look the crew index up themselves.

struct RosterLine {
    std::string Text;
    int Crew = -1; // index in the crew table
};

// The roster editor's list: "%03d   %s   %ld" (roster position from 1,
// Name, EmpNumber) for every crew member that is not an open line.
std::vector<RosterLine> RosterEditorLines(const ScheduleDocument& doc);

// The edit a refused insert gives the focus back to; Index after an insert.
enum class RosterField { Index, Name, EmpNumber };

struct InsertOutcome {
    bool Inserted = false;
    RosterField Focus = RosterField::Index;
};

// Insert Employee with the texts of the editor's three edits ("Index", the
// roster position from 1; "Name"; "Emp # 9 digits max", empty meaning 0).
// Texts longer than the edits hold are cut to 3, 19 and 9 characters. On
// success the dialog empties the edits and refills the list; the undo
// history is cleared.
InsertOutcome InsertEmployee(ScheduleDocument& doc, Interaction& ui, std::string_view indexText,
                             std::string_view nameText, std::string_view empText);

// Delete Selected Employee: the crew member of editor line `selectedLine`
// leaves the roster and the pairing days it held are open again. Clears the
// undo history. False when refused (no selection, an open line).
[[nodiscard]] bool DeleteSelectedEmployee(ScheduleDocument& doc, Interaction& ui, int selectedLine);
// The same for the crew member at roster index `crew`, which may name an
// open line (refused) or nobody.
[[nodiscard]] bool DeleteEmployee(ScheduleDocument& doc, Interaction& ui, int crew);

// Status line while editor line `draggedLine` is dragged over line
// `overLine`: "MOVE %s TO POSITION %03d"; empty outside the list (-1).
std::string RosterDragStatus(const ScheduleDocument& doc, int draggedLine, int overLine);

// Dropping editor line `draggedLine` on line `targetLine`: the crew member
// takes that roster position, the ones between shift by one towards its old
// place. Returns the status text "%s MOVED TO POSITION %03d", or empty when
// nothing moved. A move clears the undo history.
std::string DropRosterLine(ScheduleDocument& doc, int draggedLine, int targetLine);

// The Move Employee dialog: its caption line "Select Position to Move %s to."
// and its list "%03d %s" of every crew member that is not an open line.
std::string MoveEmployeeCaption(const ScheduleDocument& doc, int crew);
std::vector<RosterLine> MoveEmployeeLines(const ScheduleDocument& doc);

// OK in the Move Employee dialog: crew member `crew` takes the roster
// position of list line `chosenLine`. The undo history stays; its crew
// indices follow the records that moved, so an undo still acts on the
// person it was recorded for. False when nothing moved.
[[nodiscard]] bool MoveEmployee(ScheduleDocument& doc, int crew, int chosenLine);

// Moves crew record `from` to roster position `to`, shifting the records
// between by one towards `from`'s old place. Derived legality texts travel
// with their record. No history or grid bookkeeping.
void MoveCrewRecord(ScheduleDocument& doc, int from, int to);

} // namespace tl
