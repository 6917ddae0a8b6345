#pragma once

#include "model/taction.h"

#include <string>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// The history held at most: after an insertion at the front, entries past
// this many are dropped.
inline constexpr size_t kHistoryLimit = 201;

// Records a transaction as the newest.
void AddTransaction(THistory& history, int32_t crew, int32_t pairing, int32_t day, int8_t kind);

// The history as one text for the block file: "%04d" count, then per
// transaction, newest first, "%02d%04d%04d%04d" kind, day, crew, pairing.
std::string SerializeHistory(const THistory& history);

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
[[nodiscard]] UndoResult Undo(ScheduleDocument& doc, Interaction& ui);

// The History dialog's text: per transaction, newest first,
// "kind\tpairing\tDD/MM/YYYY\tname+".
std::string HistoryText(const ScheduleDocument& doc);

// Rebuilds the history from its text, keeping the order of the text. Reads
// no further than the text goes; a damaged record ends the history there.
void ParseHistory(THistory& history, std::string_view text);

} // namespace tl
