// The frame's commands for the pairings window, the open-pairings switch,
// the transaction history and undo.
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/floatingwindows.h"
#include "ui/windows/historydialog.h"

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
                {CmHistory, Qt::Key_H, false}};
    for (const auto& k : keys) {
        if (QAction* action = Action(k.command)) {
            action->setShortcut(k.key);
            action->setCheckable(k.checkable);
        }
    }
    m_handlers.insert(CmPairingsWindow, [windows] { windows->TogglePairingsWindow(); });
    m_handlers.insert(CmShowOnlyOpen, [windows] { windows->ToggleOnlyOpen(); });
    m_handlers.insert(CmUndo, [windows] { windows->Undo(); });
    m_handlers.insert(CmHistory, [this] {
        HistoryDialog dialog(m_client->Document(), this);
        dialog.exec();
    });
}

} // namespace tl::ui
