// What Build Blocks asks of the windows.
#include "import/pairing_warnings.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "ui/grid/ttlwin.h"

namespace tl::ui {

void TtlWin::ShowPairingWarnings()
{
    tl::ShowPairingWarnings(*m_doc, m_ui);
}

void TtlWin::EditPairing(int pairing)
{
    if (pairing < 0 || pairing > m_doc->LastPair || pairing >= ScheduleDocument::kPairCapacity)
        return;
    const TPair& p = m_doc->Pairs[static_cast<size_t>(pairing)];
    // Until the pairing editor is in the program, say what is wrong and
    // where it can be put right.
    m_ui.Message(
        kCaption,
        Format("Pair %04d: ", p.PairNumber) + p.ErrorText +
            "\nThe pairing editor is not yet part of Tessara Lines. Correct the pairing in "
            "the PRG file and load it again with Import > This Month's Pairings..., then "
            "run Build Blocks.",
        Icon::Information);
}

} // namespace tl::ui
