#pragma once

#include "model/taction.h"

#include <string>

namespace tl {

class Interaction;
class ScheduleDocument;

// Records a transaction as the newest.
void AddTransaction(THistory& history, int32_t crew, int32_t pairing, int32_t day, int8_t kind);

// Empties the history: after a roster change, for a new month, and when the
// month is saved for the viewer or the company.
void ClearHistory(THistory& history);
void ClearHistory(ScheduleDocument& doc);

// Takes back the newest transaction by doing its inverse. Beeps when the
// history is empty. A refused inverse shows "Unable to UNDO that Transaction"
// and drops the transaction; a question of the inverse answered No changes
// nothing and keeps it; otherwise both it and the inverse leave the history.
// Undoing the removal of a locked-in pairing locks it in again.
enum class UndoResult { Empty, Undone, Refused, Declined };
UndoResult Undo(ScheduleDocument& doc, Interaction& ui);

// The History dialog's text: per transaction, newest first,
// "kind\tpairing\tDD/MM/YYYY\tname+".
std::string HistoryText(const ScheduleDocument& doc);

} // namespace tl
