#include "ui/frame/tmaindecframewin.h"

#include "ui/app/resources.h"
#include "ui/dialogs/aboutdialog.h"
#include "ui/frame/commands.h"
#include "ui/grid/ttlwin.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace tl::ui {

TMainDecFrameWin::TMainDecFrameWin(Interaction& ui, QWidget* parent)
    : QMainWindow(parent), m_ui(ui)
{
    EnsureResources();
    setObjectName(QStringLiteral("TMainDecFrameWin"));
    setWindowTitle(QStringLiteral("Tessara Lines"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessara.svg")));

    m_client = new TtlWin(this);
    setCentralWidget(m_client);

    CreateActions();
    InstallNoMonthMenu();
    CreateToolBar();
    CreateStatusBar();
    UpdateCommands();
    resize(1000, 700);
}

QAction* TMainDecFrameWin::AddAction(int command, const QString& text, const QString& icon)
{
    auto* action = new QAction(text, this);
    action->setData(command);
    if (!icon.isEmpty())
        action->setIcon(QIcon(icon));
    connect(action, &QAction::triggered, this, [this, command] {
        auto handler = m_handlers.value(command);
        if (handler && Action(command)->isEnabled())
            handler();
    });
    m_actions.insert(command, action);
    return action;
}

void TMainDecFrameWin::CreateActions()
{
    AddAction(CmNew, QStringLiteral("&New"), QStringLiteral(":/icons/new.svg"))
        ->setToolTip(tr("New"));
    AddAction(CmOpen, QStringLiteral("&Open"), QStringLiteral(":/icons/open.svg"))
        ->setToolTip(tr("Open"));
    AddAction(CmSave, QStringLiteral("&Save"), QStringLiteral(":/icons/save.svg"))
        ->setToolTip(tr("Save"));
    AddAction(CmSaveAs, QStringLiteral("Save &As..."), QStringLiteral(":/icons/saveas.svg"))
        ->setToolTip(tr("Save As"));
    AddAction(CmAbout, QStringLiteral("&About Tessara Lines..."), QStringLiteral(":/icons/about.svg"))
        ->setToolTip(tr("About Tessara Lines"));
    AddAction(CmExit, QStringLiteral("E&xit"));

    m_handlers.insert(CmAbout, [this] { ShowAbout(); });
    m_handlers.insert(CmExit, [this] { close(); });
}

void TMainDecFrameWin::InstallNoMonthMenu()
{
    QMenuBar* bar = menuBar();
    bar->clear();
    bar->setObjectName(QStringLiteral("MENU_3"));

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(Action(CmNew));
    file->addAction(Action(CmOpen));
    file->addSeparator();
    file->addAction(Action(CmExit));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(Action(CmAbout));

    for (QMenu* menu : {file, help})
        connect(menu, &QMenu::aboutToShow, this, &TMainDecFrameWin::UpdateCommands);
}

QString TMainDecFrameWin::MenuName() const
{
    return menuBar()->objectName();
}

void TMainDecFrameWin::CreateToolBar()
{
    m_toolBar = addToolBar(tr("Tool Bar"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    for (int command : {CmNew, CmOpen, CmSave, CmSaveAs, CmAbout})
        m_toolBar->addAction(Action(command));
}

void TMainDecFrameWin::CreateStatusBar()
{
    m_statusLabel = new QLabel(QStringLiteral(" TB 000:00"), this);
    m_statusLabel->setObjectName(QStringLiteral("StatusText"));
    QFont bold = m_statusLabel->font();
    bold.setBold(true);
    m_statusLabel->setFont(bold);
    statusBar()->addWidget(m_statusLabel, 1);
}

QString TMainDecFrameWin::StatusText() const
{
    return m_statusLabel->text();
}

void TMainDecFrameWin::UpdateCommands()
{
    const CommandContext context = m_client->Context();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        // A command whose operation is not there yet stays disabled.
        bool handled = m_handlers.contains(it.key());
        it.value()->setEnabled(handled && CommandEnabled(it.key(), context));
    }
}

void TMainDecFrameWin::ShowAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void TMainDecFrameWin::closeEvent(QCloseEvent* event)
{
    event->accept();
}

} // namespace tl::ui
