#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// What the printed pages hold, as texts, for the painter to place. Both
// printouts are laid out on a logical page of 1050 x 990 units, stretched
// onto the paper; the blocks printout in cells of 30 x 30 units.
namespace print_geometry {
constexpr int kWidth = 1050;
constexpr int kHeight = 990;
constexpr int kCell = 30;
constexpr int kLine = 10;     // one line of text
constexpr int kDayColumn = 3; // the cell column of the first day
constexpr int kCrewRowsPerPage = 28;
constexpr int kHeaderY = 0;    // the page header line
constexpr int kHeadingsY = 30; // column headings, one cell high
constexpr int kFirstRowY = 60; // the first crew row
// The pairings printout: one column a day, three lines a board row.
constexpr int kBoardLeft = 60;
constexpr int kBoardHeadingsY = 60;
constexpr int kBoardFirstRowY = 90;
constexpr int kBoardFooterY = 970;
constexpr int kBoardRowsPerPage = (kBoardFooterY - kBoardFirstRowY) / kCell;
} // namespace print_geometry

// A day's column heading: "%02d" and the day's name; Saturdays and Sundays
// are weekend days, Mondays start a week.
struct PrintDayHeading {
    std::string Number;
    std::string Name;
    bool Weekend = false;
    bool WeekStart = false;
};

// One day of a crew row: its lines, top to bottom. `Continued` marks a day
// that a pairing started earlier runs through.
struct PrintDayCell {
    std::vector<std::string> Lines;
    bool Continued = false;
};

struct PrintCrewRow {
    std::string Label; // "%d %-9s"
    std::string Hours; // printed block hours and the carried-in total
    std::vector<PrintDayCell> Days;
};

struct BlocksPage {
    std::string Header;
    std::vector<PrintDayHeading> Days;
    std::vector<PrintCrewRow> Rows;
    // The reserve counts per day, on the page after the last crew row.
    bool HasReserves = false;
    std::vector<std::string> Reserves;
    int ReservesY = 0;
    // Open pairing numbers per day, one line each from OpenY down. Lists
    // too long for the page go on over further pages.
    bool HasOpen = false;
    std::vector<std::vector<std::string>> Open;
    int OpenY = 0;
};

struct BlocksPrintOptions {
    bool Draft = true;
    bool OpenFlying = true; // the open pairings under the last crew row
    bool PrintXes = false;  // the day requests
};

// One byte per crew member marking the rows to print: the blocks from
// `from` to `to` (roster positions from 1). With `shown`, only the roster
// indices it holds (the rows the grid displays) are taken.
std::vector<int8_t> PrintSelection(const ScheduleDocument& doc, int from, int to,
                                   const std::vector<int>* shown = nullptr);

// The blocks printout: 28 selected crew members a page in roster order,
// the reserve counts and open pairings after the last of them. Credits
// each printed block (BlockCredit), so the document's credits change.
std::vector<BlocksPage> BlocksPrintout(ScheduleDocument& doc, const std::vector<int8_t>& selection,
                                       const BlocksPrintOptions& options, Interaction& ui);

// The printed block hours: the block credit less 240 minutes (170 for
// flight attendants) for every "VAU" day of the month, at least 0.
int32_t PrintedBlockMinutes(const ScheduleDocument& doc, int crew, int32_t blockCredit);

struct VisualPairingsPage {
    std::string Title;
    std::vector<std::string> Legend;
    std::vector<PrintDayHeading> Days;
    // Rows of the pairings board, a cell a day, each cell's lines.
    std::vector<std::vector<std::vector<std::string>>> Rows;
    std::string Footer;
};

// The visual pairings printout: the pairings board, its rows over as many
// pages as they need.
std::vector<VisualPairingsPage> VisualPairingsPrintout(const ScheduleDocument& doc);

} // namespace tl
