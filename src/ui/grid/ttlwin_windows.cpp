// The main window's side of the pairings window: the block operations'
// notifications passed on as signals.
#include "ui/grid/ttlwin.h"

#include "ui/seam/qtinteraction.h"

namespace tl::ui {

void TtlWin::PairingsChanged()
{
    emit PairingsBoardChanged();
}

void TtlWin::FilterMarksChanged()
{
    emit FiltersChanged();
}

void TtlWin::PairingsCaptionChanged(std::string_view caption)
{
    emit PairingsCaptionSet(FromCoreText(caption));
}

void TtlWin::ShowPairingsWindow(bool show)
{
    emit PairingsWindowRequested(show);
}

} // namespace tl::ui
