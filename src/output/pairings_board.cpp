#include "output/pairings_board.h"

#include "model/schedule_document.h"
#include "model/text_format.h"

#include <algorithm>

namespace tl {

namespace {

int PairCount(const ScheduleDocument& doc)
{
    return std::clamp(doc.LastPair + 1, 0, ScheduleDocument::kPairCapacity);
}

int DayCount(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

int LengthOf(const TPair& p)
{
    return std::clamp(int(p.Length), 1, TPair::kDays);
}

} // namespace

bool PairingsBoard::Find(int pairing, int startDay, int& row) const
{
    if (startDay < 0 || startDay >= Days)
        return false;
    for (size_t r = 0; r < Rows.size(); ++r) {
        const BoardCell& cell = Rows[r][size_t(startDay)];
        if (cell.Pairing == pairing && cell.Offset == 0) {
            row = int(r);
            return true;
        }
    }
    return false;
}

std::vector<int> BoardPairingOrder(const ScheduleDocument& doc)
{
    std::vector<int> order(size_t(PairCount(doc)));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const TPair& pa = doc.Pairs[size_t(a)];
        const TPair& pb = doc.Pairs[size_t(b)];
        if (LengthOf(pa) != LengthOf(pb))
            return LengthOf(pa) < LengthOf(pb);
        if (pa.CrossesMidnight != pb.CrossesMidnight)
            return pb.CrossesMidnight;
        return pa.OnTime < pb.OnTime;
    });
    return order;
}

PairingsBoard LayOutPairingsBoard(const ScheduleDocument& doc, bool onlyOpen)
{
    PairingsBoard board;
    board.Days = DayCount(doc);
    if (board.Days == 0)
        return board;
    for (int p : BoardPairingOrder(doc)) {
        const TPair& pair = doc.Pairs[size_t(p)];
        if (doc.FiltersOn && pair.Mark == 0)
            continue;
        const size_t firstRow = board.Rows.size();
        const int length = LengthOf(pair);
        for (int d = 0; d < board.Days; ++d) {
            const int ops = pair.OpsCount[size_t(d)];
            if (ops == kNotOperating || (onlyOpen && ops != kOpsOpen && ops != kOpsOpenFlagged))
                continue;
            const int last = std::min(d + length, board.Days) - 1;
            // The first of this pairing's rows with room for the whole trip.
            size_t row = firstRow;
            for (; row < board.Rows.size(); ++row) {
                const auto& cells = board.Rows[row];
                if (std::all_of(cells.begin() + d, cells.begin() + last + 1,
                                [](const BoardCell& c) { return c.Empty(); }))
                    break;
            }
            if (row == board.Rows.size())
                board.Rows.emplace_back(size_t(board.Days));
            for (int k = d; k <= last; ++k)
                board.Rows[row][size_t(k)] = {p, d, k - d};
        }
    }
    return board;
}

std::string CreditStars(int creditClass)
{
    if (creditClass < 0 || creditClass > 3)
        return {};
    return std::string(size_t(creditClass + 1), '*');
}

std::string BoardCellText(const ScheduleDocument& doc, const BoardCell& cell)
{
    if (cell.Empty() || cell.Pairing >= ScheduleDocument::kPairCapacity)
        return {};
    const TPair& pair = doc.Pairs[size_t(cell.Pairing)];
    if (cell.Offset == 0) {
        return Format("%03d", pair.PairNumber) + "\n" + CreditStars(pair.CreditClass);
    }
    const size_t at = size_t(cell.Offset - 1) * 3;
    std::string station = at < pair.Layovers.size() ? pair.Layovers.substr(at, 3) : std::string();
    return "--\n" + station;
}

} // namespace tl
