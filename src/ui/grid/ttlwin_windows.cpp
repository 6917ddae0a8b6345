// The main window's side of the pairings window: the block operations'
// notifications passed on as signals.
#include "ui/grid/ttlwin.h"

namespace tl::ui {

void TtlWin::PairingsChanged()
{
    emit PairingsBoardChanged();
}

void TtlWin::ShowPairingsWindow(bool show)
{
    emit PairingsWindowRequested(show);
}

} // namespace tl::ui
