#include "actions/roster_edit.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "rules/block_build.h"
#include "rules/history.h"

#include <algorithm>
#include <utility>

namespace tl {

namespace {

constexpr std::string_view kOops = "Oops";
constexpr size_t kIndexWidth = 3;
constexpr size_t kNameWidth = 19;
constexpr size_t kEmpWidth = 9;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

int CrewInUse(const ScheduleDocument& doc)
{
    return std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
}

bool IsOpenLine(const TPilot& crew)
{
    return crew.EmpNumber < 0;
}

std::string Position(int crew)
{
    return Format("%03d", crew + 1);
}

// The number an edit holds, read as far as the edit reaches: empty is 0,
// anything but an optional minus sign and digits is -1 (refused as invalid
// by every caller).
long EditNumber(std::string_view text, size_t width)
{
    text = text.substr(0, width);
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// The crew index behind a line of a list built by `lines`, or -1.
template <typename Lines> int CrewOfLine(const ScheduleDocument& doc, Lines lines, int line)
{
    const std::vector<RosterLine> list = lines(doc);
    if (line < 0 || U(line) >= list.size())
        return -1;
    return list[U(line)].Crew;
}

} // namespace

std::vector<RosterLine> RosterEditorLines(const ScheduleDocument& doc)
{
    std::vector<RosterLine> lines;
    const int count = CrewInUse(doc);
    for (int c = 0; c < count; ++c) {
        const TPilot& crew = doc.Crew[U(c)];
        if (IsOpenLine(crew))
            continue;
        lines.push_back(
            {Position(c) + "   " + crew.Name + Format("   %ld", static_cast<long>(crew.EmpNumber)),
             c});
    }
    return lines;
}

std::vector<RosterLine> MoveEmployeeLines(const ScheduleDocument& doc)
{
    std::vector<RosterLine> lines;
    const int count = CrewInUse(doc);
    for (int c = 0; c < count; ++c) {
        const TPilot& crew = doc.Crew[U(c)];
        if (!IsOpenLine(crew))
            lines.push_back({Position(c) + " " + crew.Name, c});
    }
    return lines;
}

std::string MoveEmployeeCaption(const ScheduleDocument& doc, int crew)
{
    if (crew < 0 || crew >= CrewInUse(doc))
        return {};
    return "Select Position to Move " + doc.Crew[U(crew)].Name + " to.";
}

void MoveCrewRecord(ScheduleDocument& doc, int from, int to)
{
    const int count = CrewInUse(doc);
    if (from < 0 || to < 0 || from >= count || to >= count || from == to)
        return;
    // Record copies leave Warnings behind; it belongs to the person, so it
    // is carried by hand.
    TPilot moving = doc.Crew[U(from)];
    std::string warnings = std::move(doc.Crew[U(from)].Warnings);
    const int step = from < to ? 1 : -1;
    for (int k = from; k != to; k += step) {
        doc.Crew[U(k)] = doc.Crew[U(k + step)];
        doc.Crew[U(k)].Warnings = std::move(doc.Crew[U(k + step)].Warnings);
    }
    doc.Crew[U(to)] = moving;
    doc.Crew[U(to)].Warnings = std::move(warnings);
}

InsertOutcome InsertEmployee(ScheduleDocument& doc, Interaction& ui, std::string_view indexText,
                             std::string_view nameText, std::string_view empText)
{
    const long position = EditNumber(indexText, kIndexWidth) - 1;
    const std::string name(nameText.substr(0, kNameWidth));
    const long empNumber = EditNumber(empText, kEmpWidth);
    const int count = CrewInUse(doc);

    // Positions run to just after the last crew member shown, so open lines
    // parked at the end stay there.
    long limit = 0;
    for (int c = count - 1; c >= 0; --c) {
        if (!IsOpenLine(doc.Crew[U(c)])) {
            limit = c + 1;
            break;
        }
    }
    if (position < 0 || position > limit) {
        ui.Message(kOops, "Invalid Roster Number!", Icon::Warning);
        return {false, RosterField::Index};
    }
    if (name.empty()) {
        ui.Message(kOops, "Name must be 1 + letters!", Icon::Warning);
        return {false, RosterField::Name};
    }
    if (empNumber < 0) {
        ui.Message(kOops, "Invalid Employee Number!", Icon::Warning);
        return {false, RosterField::EmpNumber};
    }
    if (empNumber != 0) {
        for (int c = 0; c < count; ++c) {
            if (doc.Crew[U(c)].EmpNumber == empNumber) {
                ui.Message(kOops, "Duplicate Employee Number with " + doc.Crew[U(c)].Name,
                           Icon::Warning);
                return {false, RosterField::EmpNumber};
            }
        }
    }
    const int capacity = std::min(doc.MaxCrew, ScheduleDocument::kCrewCapacity);
    if (count >= capacity) {
        ui.Message(kOops, Format("Roster is Full! No more than %d Employees.", capacity),
                   Icon::Warning);
        return {false, RosterField::Index};
    }

    doc.CrewCount = count + 1;
    for (int k = count; k > position; --k) {
        doc.Crew[U(k)] = doc.Crew[U(k - 1)];
        doc.Crew[U(k)].Warnings = std::move(doc.Crew[U(k - 1)].Warnings);
    }
    TPilot& crew = doc.Crew[U(static_cast<int>(position))];
    crew.Reset();
    crew.Warnings.clear();
    crew.EmpNumber = static_cast<int32_t>(empNumber);
    crew.Name = name;
    doc.Modified = true;
    ClearHistory(doc);
    return {true, RosterField::Index};
}

bool DeleteSelectedEmployee(ScheduleDocument& doc, Interaction& ui, int selectedLine)
{
    return DeleteEmployee(doc, ui, CrewOfLine(doc, RosterEditorLines, selectedLine));
}

bool DeleteEmployee(ScheduleDocument& doc, Interaction& ui, int c)
{
    if (c < 0 || c >= CrewInUse(doc)) {
        ui.Message(kOops, "I Don't know who to Delete!", Icon::Warning);
        return false;
    }
    if (IsOpenLine(doc.Crew[U(c)])) {
        ui.Message(kCaption, "Cannot delete Capt Pairings Lines. Use Edit.. Setup Crew Types",
                   Icon::Warning);
        return false;
    }
    // The pairing days this crew member held are open again; the
    // crew-complement sign stays. A day that does not operate stays so.
    const TPilot& leaving = doc.Crew[U(c)];
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    const int lastPair = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    for (int d = 0; d < days; ++d) {
        const int32_t p = leaving.DaySlot[U(d)];
        if (p < 0 || p > lastPair)
            continue;
        int32_t& ops = doc.Pairs[U(p)].OpsCount[U(d)];
        if (ops != kNotOperating)
            ops = ops < kOpsOpen ? kOpsOpenFlagged : kOpsOpen;
    }
    const int count = CrewInUse(doc);
    for (int k = c; k + 1 < count; ++k) {
        doc.Crew[U(k)] = doc.Crew[U(k + 1)];
        doc.Crew[U(k)].Warnings = std::move(doc.Crew[U(k + 1)].Warnings);
    }
    doc.Crew[U(count - 1)].Reset();
    doc.Crew[U(count - 1)].Warnings.clear();
    doc.CrewCount = count - 1;
    doc.Modified = true;
    ClearHistory(doc);
    return true;
}

std::string RosterDragStatus(const ScheduleDocument& doc, int draggedLine, int overLine)
{
    const std::vector<RosterLine> lines = RosterEditorLines(doc);
    if (draggedLine < 0 || overLine < 0 || U(draggedLine) >= lines.size() ||
        U(overLine) >= lines.size())
        return {};
    return "MOVE " + doc.Crew[U(lines[U(draggedLine)].Crew)].Name + " TO POSITION " +
           Position(lines[U(overLine)].Crew);
}

std::string DropRosterLine(ScheduleDocument& doc, int draggedLine, int targetLine)
{
    const std::vector<RosterLine> lines = RosterEditorLines(doc);
    if (draggedLine < 0 || targetLine < 0 || U(draggedLine) >= lines.size() ||
        U(targetLine) >= lines.size())
        return {};
    const int from = lines[U(draggedLine)].Crew;
    const int to = lines[U(targetLine)].Crew;
    if (from == to)
        return {};
    MoveCrewRecord(doc, from, to);
    doc.Modified = true;
    ClearHistory(doc);
    return doc.Crew[U(to)].Name + " MOVED TO POSITION " + Position(to);
}

bool MoveEmployee(ScheduleDocument& doc, int crew, int chosenLine)
{
    const int to = CrewOfLine(doc, MoveEmployeeLines, chosenLine);
    if (crew < 0 || crew >= CrewInUse(doc) || to < 0 || to == crew)
        return false;
    MoveCrewRecord(doc, crew, to);
    // The transactions follow their crew members to the new positions.
    const int low = std::min(crew, to);
    const int high = std::max(crew, to);
    const int shift = crew < to ? -1 : 1;
    for (TAction& action : doc.History) {
        if (action.Crew == crew)
            action.Crew = to;
        else if (action.Crew >= low && action.Crew <= high)
            action.Crew += shift;
    }
    doc.Modified = true;
    ComputeBlockHolderCut(doc);
    doc.Events().GridChanged();
    return true;
}

} // namespace tl
