#pragma once

class QPlainTextEdit;
class QWidget;

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

// The pairing text window ("Pair"): one window for the whole program,
// belonging to `owner`'s top-level window, that shows the text of the last
// pairing clicked on the grid or the pairings board. Returns its text view.
QPlainTextEdit* ShowPairingText(QWidget* owner, const ScheduleDocument& doc, int pairing, int day);

// Closes the window when it is open (the grid goes down, another month).
void ClosePairingText(QWidget* owner);

} // namespace tl::ui
