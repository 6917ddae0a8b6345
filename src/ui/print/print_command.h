#pragma once

#include <QStringList>

namespace tl::ui {

// True when the program was started to print without a window:
// `tlines --print blocks|pairings FILE --pdf OUT.pdf [--final] [--from N --to N]`.
bool IsPrintCommand(int argc, char** argv);

// Prints the month FILE to the PDF file OUT and returns the exit code: 0 when
// the whole PDF was written, 1 when it was not (a month that does not open
// whole, a PDF that cannot be written), 2 for wrong arguments. The month file
// is only read. Needs a QGuiApplication.
int RunPrintCommand(const QStringList& arguments);

} // namespace tl::ui
