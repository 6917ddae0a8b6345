#pragma once

class QPlainTextEdit;
class QWidget;

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

// The pairing text window ("Pair"): the dock of `owner`'s frame that shows
// the text of the last pairing clicked on the grid or the pairings board.
// Returns its text view; null without a frame.
QPlainTextEdit* ShowPairingText(QWidget* owner, const ScheduleDocument& doc, int pairing, int day);

// Closes the window when it is open (the grid goes down, another month).
void ClosePairingText(QWidget* owner);

} // namespace tl::ui
