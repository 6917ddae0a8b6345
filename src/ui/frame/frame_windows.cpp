// The frame's commands for the pairings window, the open-pairings switch,
// the transaction history and undo.
#include "model/schedule_document.h"
#include "ui/dialogs/otherdetailsdialog.h"
#include "ui/dialogs/pilotinfodialog.h"
#include "ui/dialogs/rosterdialog.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/floatingwindows.h"
#include "ui/windows/historydialog.h"
#include "ui/windows/pairtextwin.h"

#include <QAction>

namespace tl::ui {

void TMainDecFrameWin::InstallWindowsCommands()
{
    auto* windows = new FloatingWindows(*this, m_ui, m_settings);
    const struct {
        int command;
        Qt::Key key;
        bool checkable;
    } keys[] = {{CmUndo, Qt::Key_F1, false},
                {CmShowOnlyOpen, Qt::Key_F3, true},
                {CmPairingsWindow, Qt::Key_F4, true},
                {CmFiltersWindow, Qt::Key_F6, true},
                {CmHistory, Qt::Key_H, false}};
    for (const auto& k : keys) {
        if (QAction* action = Action(k.command)) {
            action->setShortcut(k.key);
            action->setCheckable(k.checkable);
        }
    }
    m_handlers.insert(CmPairingsWindow, [windows] { windows->TogglePairingsWindow(); });
    m_handlers.insert(CmFiltersWindow, [windows] { windows->ToggleFiltersWindow(); });
    m_handlers.insert(CmShowOnlyOpen, [windows] { windows->ToggleOnlyOpen(); });
    m_handlers.insert(CmUndo, [windows] { windows->Undo(); });
    m_handlers.insert(CmHistory, [this] {
        HistoryDialog dialog(m_client->Document(), this);
        dialog.exec();
    });

    // What the grid's clicks and keys open.
    TtlWin* client = m_client;
    connect(client, &TtlWin::pairingClicked, this, [this, client](int pairing, int day) {
        ShowPairingText(this, client->Document(), pairing, day);
    });
    connect(client, &TtlWin::otherAssignmentClicked, this, [this, client](int crew, int slot) {
        if (RunOtherDetailsDialog(client->Document(), m_ui, crew, slot, this))
            emit client->DocumentChanged(); // the core checked and redrew the row
    });
    connect(client, &TtlWin::employeeInfoRequested, this, [this, client](int crew) {
        ScheduleDocument& doc = client->Document();
        // A month another user edits, or that may not be written back, is shown only.
        if (RunPilotInfoDialog(doc, m_ui, crew, client->ReadOnly() || doc.ReadOnly, this)) {
            client->Grid()->ApplyDisplayFilters();
            emit client->DocumentChanged();
        }
    });
    connect(client, &TtlWin::moveEmployeeRequested, this, [this, client](int crew) {
        if (RunMoveEmployeeDialog(client->Document(), crew, this))
            client->Grid()->RebuildRows();
    });
    connect(client, &TtlWin::showOnlyOpenToggled, this, [windows] { windows->ToggleOnlyOpen(); });
    connect(client, &TtlWin::pairingsWindowToggleRequested, this,
            [windows] { windows->TogglePairingsWindow(); });
    // The grid going down closes what shows its pairings.
    connect(client, &TtlWin::PairingsWindowRequested, this, [this](bool show) {
        if (!show)
            ClosePairingText(this);
    });
}

} // namespace tl::ui
