// The toolbox window, the roster editor and the crew complement dialog.
#include "ui/frame/tmaindecframewin.h"

#include "actions/rebuild_commands.h"
#include "model/schedule_document.h"
#include "ui/dialogs/crewcomplementdialog.h"
#include "ui/dialogs/rosterdialog.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/toolboxwindow.h"

#include <QAction>

namespace tl::ui {

namespace {

ToolBoxWindow* ToolBoxOf(TMainDecFrameWin* frame, ScheduleDocument& doc, bool create)
{
    auto* window = frame->findChild<ToolBoxWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr && create) {
        window = new ToolBoxWindow(doc, frame);
        window->move(frame->geometry().topRight() - QPoint(window->width() + 40, -80));
    }
    return window;
}

} // namespace

void TMainDecFrameWin::InstallDialogCommands()
{
    Action(CmToolBox)->setShortcut(Qt::Key_F5);
    // The toolbox belongs to the grid: it goes when the grid goes, comes back
    // with a month saved with it open, and follows a toolbox import.
    connect(m_client, &TtlWin::DocumentChanged, this, [this] {
        ScheduleDocument& doc = m_client->Document();
        ToolBoxWindow* window = ToolBoxOf(this, doc, doc.GridOn && doc.ToolBoxOpen);
        if (window == nullptr)
            return;
        if (!doc.GridOn)
            window->hide();
        else if (doc.ToolBoxOpen && !window->isVisible())
            window->show();
        else if (window->isVisible())
            window->Sync();
    });
    m_handlers.insert(CmToolBox, [this] {
        ToolBoxWindow* window = ToolBoxOf(this, m_client->Document(), true);
        window->setVisible(!window->isVisible());
        if (window->isVisible())
            window->raise();
    });

    // Both commands take the grid down, which closes the toolbox.
    auto rebuilding = [this](auto command, auto runDialog) {
        ScheduleDocument& doc = m_client->Document();
        if (doc.GridOn) {
            if (ToolBoxWindow* window = ToolBoxOf(this, doc, false))
                window->hide();
        }
        command(doc, m_ui, runDialog);
        m_client->update();
        OnDocumentChanged();
    };
    m_handlers.insert(CmRoster, [this, rebuilding] {
        rebuilding(RosterCommand, [this] {
            RosterDialog dialog(m_client->Document(), m_ui, this);
            dialog.exec();
        });
    });
    m_handlers.insert(CmCrewComplement, [this, rebuilding] {
        rebuilding(CrewComplementCommand, [this] {
            CrewComplementDialog dialog(m_client->Document(), m_ui, this);
            dialog.exec();
        });
    });
}

} // namespace tl::ui
