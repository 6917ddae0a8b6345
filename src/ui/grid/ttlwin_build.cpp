// What Build Blocks asks of the windows.
#include "import/pairing_warnings.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "ui/grid/ttlwin.h"

#include <QMetaMethod>

namespace tl::ui {

bool TtlWin::ShowPairingWarnings()
{
    if (isSignalConnected(QMetaMethod::fromSignal(&TtlWin::pairingWarningsRequested)))
        emit pairingWarningsRequested();
    else
        tl::ShowPairingWarnings(*m_doc, m_ui);
    return true;
}

void TtlWin::EditPairing(int pairing)
{
    if (pairing < 0 || pairing > m_doc->LastPair || pairing >= ScheduleDocument::kPairCapacity)
        return;
    m_doc->CurrentPair = pairing;
    emit pairingEditRequested();
}

} // namespace tl::ui
