#pragma once

#include "model/taction.h"
#include "model/tpair.h"
#include "model/tpilot.h"

#include <array>

#include <memory>
#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// Records a transaction as the newest.
void AddTransaction(THistory& history, int32_t crew, int32_t pairing, int32_t day, int8_t kind);

// Empties the history: after a roster change, for a new month, and when the
// month is saved for the viewer or the company.
void ClearHistory(THistory& history);
void ClearHistory(ScheduleDocument& doc);

// The blocks, the pairings' operating days, the history and the figures
// kept with them: what an operation made of many assignments changes.
struct MonthSnapshot {
    std::vector<TPilot> Crew;
    std::vector<std::array<int32_t, TPair::kDays>> Ops;
    THistory History;
    int32_t BlockHolderCut = -1;
    int32_t CurrentPair = -1;
    int32_t CurrentPairDay = -1;
    int32_t LastAssignedPair = -1;
    int32_t LastAssignedDay = -1;
};
std::shared_ptr<MonthSnapshot> TakeSnapshot(const ScheduleDocument& doc);
// Puts the month back as the snapshot holds it and recomputes the figures
// drawn from it; tells the listener everything changed.
void RestoreSnapshot(ScheduleDocument& doc, const MonthSnapshot& snapshot, Interaction& ui);

// Replaces the transactions recorded since `before` was taken by one step
// that undoes them all at once.
void RecordGroupStep(ScheduleDocument& doc, std::shared_ptr<const MonthSnapshot> before);

// Takes back the newest transaction by doing its inverse. Beeps when the
// history is empty. A refused inverse shows "Unable to UNDO that Transaction"
// and drops the transaction; a question of the inverse answered No changes
// nothing and keeps it; otherwise both it and the inverse leave the history.
// Undoing the removal of a locked-in pairing locks it in again.
enum class UndoResult { Empty, Undone, Refused, Declined };
[[nodiscard]] UndoResult Undo(ScheduleDocument& doc, Interaction& ui);

// The History dialog's text: per transaction, newest first,
// "kind\tpairing\tDD/MM/YYYY\tname+".
std::string HistoryText(const ScheduleDocument& doc);

} // namespace tl
