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
#include <QApplication>

#include <utility>

namespace tl::ui {

void TMainDecFrameWin::InstallPairingCommands()
{
    m_handlers.insert(CmPairings, [this] { RunPairingEditor(); });
    // Build Blocks found invalid pairings and the scheduler wants them edited.
    connect(m_client, &TtlWin::pairingEditRequested, this, [this] { RunPairingEditor(); });
    // After a pairing load, and when Build Blocks found invalid pairings.
    connect(m_client, &TtlWin::pairingWarningsRequested, this,
            [this] { ShowPairingWarningsDialog(); });
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
    PairingsEditCommand(doc, m_ui, [this] {
        OpenPairingEditor(this);
        ShowPairingWarningsDialog();
    });
    m_client->update();
    OnDocumentChanged();
    emit m_client->DocumentChanged();
}

void TMainDecFrameWin::ShowPairingWarningsDialog()
{
    // Over the wizard when a pairing load runs from it.
    QWidget* parent = QApplication::activeModalWidget();
    PairingValidateDialog* warnings = nullptr;
    PairingValidateDialog dialog(
        m_client->Document(), m_ui, [this, &warnings] { OpenPairingEditor(warnings); },
        parent != nullptr ? parent : this);
    warnings = &dialog;
    connect(&dialog, &PairingValidateDialog::helpRequested, this,
            [this] { Action(CmHelpContents)->trigger(); });
    dialog.exec();
}

void TMainDecFrameWin::OpenPairingEditor(QWidget* parent)
{
    ScheduleDocument& doc = m_client->Document();
    const bool readOnly = m_client->ReadOnly();
    // A listed pairing is opened to be corrected: the password first.
    if (!doc.PairEditUnlocked && !readOnly) {
        EditOrViewPairsDialog password(doc, m_ui, parent);
        if (password.exec() != QDialog::Accepted)
            return;
    }
    // Another user's month is only viewed; the unlock is kept for after.
    const bool unlocked = std::exchange(doc.PairEditUnlocked, doc.PairEditUnlocked && !readOnly);
    PairDialog editor(doc, m_ui,
                      doc.PairEditUnlocked
                          ? QStringLiteral("Edit Pairings - Caution No Cancel")
                          : QStringLiteral("View Pairings Only - Changes Discarded"),
                      parent);
    editor.exec();
    doc.PairEditUnlocked = unlocked;
    m_client->update();
}

} // namespace tl::ui
