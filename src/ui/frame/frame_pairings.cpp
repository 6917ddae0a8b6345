// Edit > Pairings: the password, the pairing editor and the pairing
// warnings list.
#include "ui/frame/tmaindecframewin.h"

#include "actions/pairing_edit.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "ui/dialogs/editorviewpairsdialog.h"
#include "ui/dialogs/pairdialog.h"
#include "ui/dialogs/pairingvalidatedialog.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/toolboxwindow.h"

#include <QAction>

namespace tl::ui {

void TMainDecFrameWin::InstallPairingCommands()
{
    m_handlers.insert(CmPairings, [this] { RunPairingEditor(); });
    // Build Blocks found invalid pairings and the scheduler wants them edited.
    connect(m_client, &TtlWin::pairingEditRequested, this, [this] { RunPairingEditor(); });
}

void TMainDecFrameWin::RunPairingEditor()
{
    ScheduleDocument& doc = m_client->Document();
    if (doc.LastPair < 0) {
        m_ui.Message("Pairing Editor Error",
                     "You must have a minimum of 1 Pairing! Set up Month first", Icon::Error);
        return;
    }
    EditOrViewPairsDialog password(doc, m_ui, this);
    if (password.exec() != QDialog::Accepted)
        return;
    if (!doc.PairEditUnlocked) {
        PairDialog viewer(doc, m_ui, QStringLiteral("View Pairings Only - Changes Discarded"),
                          this);
        viewer.exec();
        return;
    }
    // Changing pairings is changing the month, which a read-only month refuses.
    if (m_client->RefuseReadOnly())
        return;
    // The floating windows close while pairings change under them; taking
    // the grid down closes the pairings window.
    if (auto* toolbox = findChild<ToolBoxWindow*>(QString(), Qt::FindDirectChildrenOnly))
        toolbox->hide();
    auto editor = [this, &doc] {
        PairDialog dialog(doc, m_ui, QStringLiteral("Edit Pairings - Caution No Cancel"), this);
        dialog.exec();
    };
    PairingsEditCommand(doc, m_ui, [this, &doc, editor] {
        editor();
        PairingValidateDialog warnings(doc, m_ui, editor, this);
        connect(&warnings, &PairingValidateDialog::helpRequested, this,
                [this] { Action(CmHelpContents)->trigger(); });
        warnings.exec();
    });
    m_client->update();
    OnDocumentChanged();
    emit m_client->DocumentChanged();
}

} // namespace tl::ui
