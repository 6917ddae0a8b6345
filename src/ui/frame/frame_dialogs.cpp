// The toolbox window, the roster editor and the crew complement dialog.
#include "ui/frame/tmaindecframewin.h"

#include "actions/rebuild_commands.h"
#include "model/schedule_document.h"
#include "ui/dialogs/crewcomplementdialog.h"
#include "ui/dialogs/rosterdialog.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/framedock.h"
#include "ui/windows/toolboxwindow.h"

#include <QAction>

namespace tl::ui {

namespace {

ToolBoxWindow* ToolBoxOf(FrameDock* dock, ScheduleDocument& doc)
{
    auto* window = qobject_cast<ToolBoxWindow*>(dock->widget());
    if (window == nullptr) {
        window = new ToolBoxWindow(doc, dock);
        dock->setWidget(window);
    }
    return window;
}

} // namespace

void TMainDecFrameWin::InstallDialogCommands()
{
    Action(CmToolBox)->setShortcut(Qt::Key_F5);
    FrameDock* dock = Dock(ToolBoxDockName());
    // The toolbox belongs to the grid: it goes when the grid goes and comes
    // back with it, opens with a month saved with it open, and follows a
    // toolbox import. Only the user's choice changes the month's flag.
    connect(m_client, &TtlWin::DocumentChanged, this, [this, dock] {
        ScheduleDocument& doc = m_client->Document();
        const bool wanted = doc.GridOn && doc.ToolBoxOpen;
        if (wanted)
            ToolBoxOf(dock, doc)->Sync();
        if (dock->isHidden() == wanted)
            dock->setVisible(wanted);
    });
    connect(dock, &FrameDock::Closed, this, [this] {
        m_client->Document().ToolBoxOpen = false;
        UpdateCommands();
    });
    m_handlers.insert(CmToolBox, [this, dock] {
        ScheduleDocument& doc = m_client->Document();
        doc.ToolBoxOpen = dock->isHidden();
        if (doc.ToolBoxOpen) {
            ToolBoxOf(dock, doc)->Sync();
            dock->show();
            dock->raise();
        } else {
            dock->hide();
        }
        UpdateCommands();
    });
    m_checks.insert(CmToolBox, [dock] { return !dock->isHidden(); });

    // Both commands take the grid down, which closes the toolbox.
    auto rebuilding = [this](auto command, auto runDialog) {
        ScheduleDocument& doc = m_client->Document();
        if (doc.GridOn)
            Dock(ToolBoxDockName())->hide();
        command(doc, m_ui, runDialog);
        m_client->update();
        // The windows follow the grid back up.
        emit m_client->DocumentChanged();
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
