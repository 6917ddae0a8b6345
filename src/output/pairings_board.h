#pragma once

#include <string>
#include <vector>

namespace tl {

class ScheduleDocument;

// One cell of the pairings board: a pairing day starts there (Offset 0) or
// a pairing that started Offset days before runs through it.
struct BoardCell {
    int Pairing = -1; // -1: empty
    int StartDay = -1;
    int Offset = 0;
    bool Empty() const { return Pairing < 0; }
};

// The month's pairings laid out by day: one column per day of the month,
// each pairing on rows of its own, the rows in board order.
struct PairingsBoard {
    int Days = 0;
    std::vector<std::vector<BoardCell>> Rows; // Rows[row][day]
    // The cell where a pairing day starts; false when it is not on the board.
    bool Find(int pairing, int startDay, int& row) const;
};

// The pairings in board order: shorter first, continuous duties after the
// others of their length, then by check-in time.
std::vector<int> BoardPairingOrder(const ScheduleDocument& doc);

// Lays out every pairing day of the month (while filters are on, of the
// pairings whose filter mark is not 0), or with `onlyOpen` only the open
// ones (OpsCount 1 or -1). A pairing that runs past the month end is cut at
// the last day.
PairingsBoard LayOutPairingsBoard(const ScheduleDocument& doc, bool onlyOpen);

// Stars of a credit class: 0 "*" to 3 "****"; empty otherwise.
std::string CreditStars(int creditClass);

// The two lines of a cell: the pairing number ("%03d") and its stars on the
// start day; "--" and the layover station of the night before on the
// following days. Empty for an empty cell.
std::string BoardCellText(const ScheduleDocument& doc, const BoardCell& cell);

} // namespace tl
