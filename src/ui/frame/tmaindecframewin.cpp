#include "ui/frame/tmaindecframewin.h"

#include "actions/shared_notes.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "rules/legality.h"
#include "storage/settings.h"
#include "ui/app/resources.h"
#include "ui/dialogs/aboutdialog.h"
#include "ui/dialogs/backupdialog.h"
#include "ui/dialogs/preferencesdialog.h"
#include "ui/dialogs/textdialog.h"
#include "ui/frame/mail.h"
#include "ui/frame/month_imports.h"
#include "ui/frame/recentfiles.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace tl::ui {

namespace {

// The scheduler's own files come first, so Open shows them at once.
const QString kBlockFilter =
    QStringLiteral("Tessara Lines File (*.tl2);;Tessara Lines Viewer (*.tlv);;All Files (*)");
const QString kSaveFilter = QStringLiteral("Tessara Lines File (*.tl2)");

// Calls `visit` for every command item of a menu and its submenus.
template <typename Visit>
void ForEachItem(const std::vector<MenuEntry>& entries, const Visit& visit)
{
    for (const MenuEntry& entry : entries) {
        if (!entry.Children.empty())
            ForEachItem(entry.Children, visit);
        else if (entry.Id != 0)
            visit(entry);
    }
}

} // namespace

TMainDecFrameWin::TMainDecFrameWin(Interaction& ui, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), m_ui(ui), m_settings(settings)
{
    EnsureResources();
    setObjectName(QStringLiteral("TMainDecFrameWin"));
    setWindowTitle(FromCoreText(kCaption) + QStringLiteral("[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessara.svg")));

    m_client = new TtlWin(m_ui, m_settings, this);
    setCentralWidget(m_client);
    connect(m_client, &TtlWin::DocumentChanged, this, &TMainDecFrameWin::OnDocumentChanged);
    // Many operations mark the month changed without telling a window; the
    // title's mark is brought up to date whenever the program falls idle.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &TMainDecFrameWin::SyncModifiedMark);

    CreateDocks();
    CreateActions();
    InstallWindowsCommands();
    MoveKeysNamedInText();
    InstallMenu(false);
    CreateToolBar();
    CreateStatusBar();
    UpdateCommands();
    resize(1000, 700);
    RestoreDockLayout();
}

void TMainDecFrameWin::AddActions(const std::vector<MenuEntry>& entries)
{
    for (const MenuEntry& entry : entries) {
        if (!entry.Children.empty()) {
            AddActions(entry.Children);
            continue;
        }
        if (entry.Id == 0 || m_actions.contains(entry.Id))
            continue;
        const int command = entry.Id;
        auto* action = new QAction(QString::fromLatin1(entry.Text), this);
        action->setData(command);
        connect(action, &QAction::triggered, this, [this, command] {
            auto handler = m_handlers.value(command);
            if (handler && Action(command)->isEnabled())
                handler();
        });
        m_actions.insert(command, action);
    }
}

void TMainDecFrameWin::CreateActions()
{
    AddActions(MonthMenu());
    AddActions(NoMonthMenu());

    const struct {
        int command;
        const char* icon;
        const char* tip;
    } toolButtons[] = {{CmNew, ":/icons/new.svg", "New"},
                       {CmOpen, ":/icons/open.svg", "Open"},
                       {CmSave, ":/icons/save.svg", "Save"},
                       {CmSaveAs, ":/icons/saveas.svg", "Save As"},
                       {CmAbout, ":/icons/about.svg", "About Tessara Lines"}};
    for (const auto& b : toolButtons) {
        Action(b.command)->setIcon(QIcon(QString::fromLatin1(b.icon)));
        Action(b.command)->setToolTip(tr(b.tip));
    }
    Action(CmBackup)->setShortcut(Qt::Key_F8);
    // The keys every desktop program has for these two.
    Action(CmOpen)->setShortcut(QKeySequence::Open);
    Action(CmSave)->setShortcut(QKeySequence::Save);

    m_handlers.insert(CmOpen, [this] { DoOpen(); });
    m_handlers.insert(CmSave, [this] { DoSave(); });
    m_handlers.insert(CmSaveAs, [this] { DoSaveAs(); });
    m_handlers.insert(CmBackup, [this] { DoBackup(); });
    m_handlers.insert(CmAbout, [this] { ShowAbout(); });
    m_handlers.insert(CmShortcuts, [this] { DoShortcuts(); });
    m_handlers.insert(CmCalculator, [this] { DoCalculator(); });
    m_handlers.insert(CmSharedNotes, [this] { DoSharedNotes(); });
    m_handlers.insert(CmPreferences, [this] { DoPreferences(); });
    m_handlers.insert(CmExit, [this] { close(); });
    InstallDialogCommands();
    InstallGridCommands();
    InstallFrameCommands();
    InstallPairingCommands();
    InstallNewCommands();
    InstallImportCommands();
    InstallBidCommands();
    InstallAwardCommands();
    InstallReportCommands();
    InstallExportCommands();
    InstallPrintCommands();
}

void TMainDecFrameWin::FillMenu(QMenu* menu, const std::vector<MenuEntry>& entries)
{
    for (const MenuEntry& entry : entries) {
        if (!entry.Children.empty()) {
            QMenu* sub = menu->addMenu(QString::fromLatin1(entry.Text));
            connect(sub, &QMenu::aboutToShow, this, &TMainDecFrameWin::UpdateCommands);
            FillMenu(sub, entry.Children);
        } else if (entry.Id == 0) {
            menu->addSeparator();
        } else {
            QAction* action = Action(entry.Id);
            // The two menus name some commands differently.
            action->setText(QString::fromLatin1(entry.Text));
            menu->addAction(action);
        }
    }
}

void TMainDecFrameWin::MoveKeysNamedInText()
{
    auto move = [this](const MenuEntry& entry) {
        QAction* action = Action(entry.Id);
        if (!action || m_keysInText.contains(entry.Id) || action->shortcut().isEmpty())
            return;
        const QKeySequence key = action->shortcut();
        const QString text = QString::fromLatin1(entry.Text).remove(QLatin1Char('&'));
        if (!text.endsWith(QLatin1Char(' ') + key.toString(QKeySequence::PortableText)))
            return;
        // Qt shows an action's own key after its text: this key triggers it instead.
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
        action->setShortcut(QKeySequence());
        m_keysInText.insert(entry.Id, shortcut);
    };
    ForEachItem(MonthMenu(), move);
    ForEachItem(NoMonthMenu(), move);
}

void TMainDecFrameWin::InstallMenu(bool monthOpen)
{
    // A key works only while its item is in the menu, as an action's own would.
    for (QShortcut* shortcut : std::as_const(m_keysInText))
        shortcut->setEnabled(false);
    ForEachItem(monthOpen ? MonthMenu() : NoMonthMenu(), [this](const MenuEntry& entry) {
        if (QShortcut* shortcut = m_keysInText.value(entry.Id))
            shortcut->setEnabled(true);
    });
    QMenuBar* bar = menuBar();
    bar->clear();
    bar->setObjectName(monthOpen ? QStringLiteral("MENU_1") : QStringLiteral("MENU_3"));
    for (const MenuEntry& top : monthOpen ? MonthMenu() : NoMonthMenu()) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(top.Text));
        connect(menu, &QMenu::aboutToShow, this, &TMainDecFrameWin::UpdateCommands);
        FillMenu(menu, top.Children);
        if (menu->actions().contains(Action(CmExit))) {
            m_recentMenu = menu;
            connect(menu, &QMenu::aboutToShow, this, &TMainDecFrameWin::FillRecent);
        }
    }
    FillRecent();
}

void TMainDecFrameWin::FillRecent()
{
    // Later, not now: the action being triggered may be among them.
    for (const QPointer<QAction>& action : std::as_const(m_recentActions)) {
        if (action.isNull())
            continue;
        if (auto* menu = qobject_cast<QMenu*>(action->parent()))
            menu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    if (m_recentMenu.isNull())
        return;
    const QStringList files = RecentFiles(m_settings).List();
    if (files.isEmpty())
        return;
    QAction* exit = Action(CmExit);
    for (int i = 0; i < files.size(); ++i) {
        QString text = files[i];
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(text), m_recentMenu);
        action->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, path = files[i]] { OpenRecent(path); });
        m_recentMenu->insertAction(exit, action);
        m_recentActions << action;
    }
    m_recentActions << m_recentMenu->insertSeparator(exit);
}

void TMainDecFrameWin::NoteRecent(const QString& path)
{
    RecentFiles(m_settings).Add(path);
    SaveSettings(false);
    FillRecent();
}

void TMainDecFrameWin::OpenRecent(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        RecentFiles(m_settings).Remove(path);
        SaveSettings(false);
        FillRecent();
        m_ui.MessageAboutFile(kCaption,
                              "%s no longer exists. It has been removed from the list of recent "
                              "files.",
                              ToFileName(path), Icon::Warning);
        return;
    }
    if (m_client->Document().Modified &&
        !m_ui.AskYes("Caution!", "All changes to file will be overwritten. Open File Anyway"))
        return;
    OpenFile(path);
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

    auto* hover = new QLabel(this);
    hover->setObjectName(QStringLiteral("GridHoverText"));
    statusBar()->addWidget(hover, 3);
    connect(m_client, &TtlWin::HoverTextChanged, hover, &QLabel::setText);

    // Rows the filters hide leave no gap in the grid, so say they are hidden.
    m_filterLabel = new QLabel(this);
    m_filterLabel->setObjectName(QStringLiteral("DisplayFilterText"));
    m_filterLabel->setFont(bold);
    m_filterLabel->hide();
    statusBar()->addPermanentWidget(m_filterLabel);

    // The open-time gauge: open credit against the month's pairing credit.
    auto* gauge = new QProgressBar(this);
    gauge->setObjectName(QStringLiteral("OpenTimeGauge"));
    gauge->setMaximumWidth(160);
    gauge->setRange(0, 1);
    gauge->setValue(0);
    gauge->setFormat(QStringLiteral("0000:00"));
    statusBar()->addPermanentWidget(gauge);
    connect(m_client, &TtlWin::OpenCreditUpdated, gauge, [this, gauge](int open, int total) {
        // Credits moved with the open time: the time-bank total follows.
        m_statusLabel->setText(FromCoreText(TimeBankText(m_client->Document())));
        gauge->setRange(0, std::max(1, total / 1000));
        gauge->setValue(std::clamp(open / 1000, 0, gauge->maximum()));
        int shown = std::max(0, open);
        gauge->setFormat(QString::asprintf("%04d:%02d", shown / 60, shown % 60));
    });
}

QString TMainDecFrameWin::StatusText() const
{
    return m_statusLabel->text();
}

void TMainDecFrameWin::UpdateCommands()
{
    CommandContext context = m_client->Context();
    context.MailAvailable = MailAvailable();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        // A command whose operation is not there yet stays disabled.
        bool handled = m_handlers.contains(it.key());
        it.value()->setEnabled(handled && CommandEnabled(it.key(), context));
    }
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it) {
        QAction* action = Action(it.key());
        action->setCheckable(true);
        action->setChecked(it.value()());
    }
}

void TMainDecFrameWin::OnDocumentChanged()
{
    const ScheduleDocument& doc = m_client->Document();
    const bool monthOpen = doc.DisplayState != kNoMonthOpen;
    if ((MenuName() == QStringLiteral("MENU_1")) != monthOpen)
        InstallMenu(monthOpen);
    if (!monthOpen)
        setWindowTitle(FromCoreText(kCaption) + QStringLiteral("[*]"));
    else if (!doc.Untitled && doc.ReadOnly)
        setWindowTitle(QStringLiteral("%1 - %2[*] (read-only)")
                           .arg(FromCoreText(kCaption), FromFileName(doc.FileName)));
    else if (!doc.Untitled)
        setWindowTitle(
            QStringLiteral("%1 - %2[*]").arg(FromCoreText(kCaption), FromFileName(doc.FileName)));
    SyncModifiedMark();
    UpdateCommands();
}

void TMainDecFrameWin::SyncModifiedMark()
{
    const ScheduleDocument& doc = m_client->Document();
    const bool changed = doc.DisplayState != kNoMonthOpen && doc.Modified;
    if (isWindowModified() != changed)
        setWindowModified(changed);
}

QString TMainDecFrameWin::Choose(FileChooser::Mode mode, const QString& caption,
                                 const QString& folderKey, const QString& filter,
                                 const QString& start)
{
    return ChooseFile(m_chooser, {m_settings, [this] { SaveSettings(false); }, this}, mode, caption,
                      folderKey, filter, start);
}

ImportContext TMainDecFrameWin::Imports()
{
    ImportContext context{m_client->Document(), m_ui, m_settings, m_chooser, this, {}};
    context.SaveSettings = [this] { SaveSettings(false); };
    return context;
}

bool TMainDecFrameWin::OpenFile(const QString& path)
{
    InstallMenu(false);
    if (!m_client->OpenFile(path))
        return false;
    NoteRecent(path);
    return true;
}

void TMainDecFrameWin::DoOpen()
{
    SaveEditedBid();
    if (m_client->Document().Modified &&
        !m_ui.AskYes("Caution!", "All changes to file will be overwritten. Open File Anyway"))
        return;
    QString path =
        Choose(FileChooser::Mode::Open, tr("Open"), QStringLiteral("LastBlkPath"), kBlockFilter);
    if (!path.isEmpty())
        OpenFile(path);
}

bool TMainDecFrameWin::DoSave()
{
    SaveEditedBid();
    // A read-only month is saved only under a new name.
    if (m_client->Document().Untitled || m_client->Document().ReadOnly)
        return DoSaveAs();
    return m_client->Save();
}

bool TMainDecFrameWin::DoSaveAs()
{
    SaveEditedBid();
    // A named month's Save As starts in its own folder, under its own name.
    const ScheduleDocument& doc = m_client->Document();
    const QString start = doc.Untitled ? QString() : FromFileName(doc.FileName);
    QString path = Choose(FileChooser::Mode::Save, tr("Save As"), QStringLiteral("LastBlkPath"),
                          kSaveFilter, start);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".tl2");
    if (!m_client->SaveAs(path))
        return false;
    NoteRecent(path);
    return true;
}

void TMainDecFrameWin::DoBackup()
{
    ScheduleDocument& doc = m_client->Document();
    if (doc.Untitled)
        DoSaveAs();
    if (doc.Untitled || doc.FileName.empty()) {
        m_ui.Message("File Not Named", "Cannot Backup File. Select Save As from File Menu",
                     Icon::Warning);
        return;
    }
    BackupDialog dialog(FromFileName(LastFolder(m_settings, "LastBackupPath")),
                        m_settings.GetInt(kSectionTL, "LastBackupDateTimeOpt", 0) != 0, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // A relative folder would land wherever the program was started, and a
    // missing one would fail with the read-only message, which misleads.
    const QString folder = dialog.Folder();
    const char* problem = !QDir::isAbsolutePath(folder)
                              ? "The backup folder %s is not a full path. Give the folder from the "
                                "top, such as /media/backup."
                          : !QFileInfo(folder).isDir()
                              ? "The backup folder %s does not exist. Choose a folder that exists."
                              : nullptr;
    if (problem) {
        m_ui.MessageAboutFile("File Error", problem, ToFileName(folder), Icon::Error);
        return;
    }
    SetLastFolder(m_settings, "LastBackupPath", ToFileName(folder));
    m_settings.Set(kSectionTL, "LastBackupDateTimeOpt", dialog.WithDateTime() ? "1" : "0");
    SaveSettings(false);
    m_client->BackupTo(folder, dialog.WithDateTime());
}

void TMainDecFrameWin::DoShortcuts()
{
    // Each key with the command behind it (0: the grid's own keys, always on),
    // so a key whose command is not built yet says so rather than promise it.
    static const struct {
        const char* text;
        int command;
    } lines[] = {{"F4  Show / Hide Pairing Window", CmPairingsWindow},
                 {"Esc  Hold down to display All Credits", 0},
                 {"F3 / Tab  Filter Pairings On/Off", CmShowOnlyOpen},
                 {"F9  Global Info", CmGlobalInfo},
                 {"Up / Down Arrow  Scroll Block Window", 0},
                 {"F1  Undo", CmUndo},
                 {"F2  Filter Blocks On/Off", CmShowAllBlocks},
                 {"F5  Show / Hide Toolbox", CmToolBox},
                 {"F6  Filter Pairings Window", CmFiltersWindow},
                 {"F7  Filter Employees Dialog", CmFilterEmployees},
                 {"F8  Backup", CmBackup},
                 {"=   Generate Pairing Report to Clipboard", CmPairingReportToClipboard},
                 {"<-- View Last Month while Pressed", 0}};
    QString text;
    for (const auto& line : lines) {
        text += QString::fromLatin1(line.text);
        if (line.command != 0 && !m_handlers.contains(line.command))
            text += QStringLiteral("  (not available yet)");
        text += QLatin1Char('\n');
    }
    TextDialog dialog(tr("Keyboard Shortcuts"), text, true, this);
    dialog.exec();
}

void TMainDecFrameWin::DoCalculator()
{
#if defined(Q_OS_WIN)
    const QStringList programs{QStringLiteral("calc")};
#elif defined(Q_OS_MACOS)
    const QStringList programs{
        QStringLiteral("/System/Applications/Calculator.app/Contents/MacOS/Calculator")};
#else
    const QStringList programs{QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                               QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
                               QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
#endif
    for (const QString& program : programs)
        if (QProcess::startDetached(program, {}))
            return;
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    m_ui.Message(kCaption, "The calculator program could not be started.", Icon::Information);
#else
    m_ui.Message(kCaption,
                 "No calculator program was found on this computer. Install one of "
                 "gnome-calculator, kcalc, mate-calc, galculator, qalculate-gtk or xcalc to use "
                 "View > Calculator.",
                 Icon::Information);
#endif
}

void TMainDecFrameWin::DoSharedNotes()
{
    ScheduleDocument& doc = m_client->Document();
    TextDialog dialog(QStringLiteral("Shared Notes for File"), FromCoreText(SharedNotes(doc)),
                      false, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SetSharedNotes(doc, Utf8ToCoreText(dialog.Text()));
    OnDocumentChanged();
}

void TMainDecFrameWin::DoPreferences()
{
    PreferencesDialog dialog(Preferences::Read(m_settings), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.Result().Write(m_settings);
    SaveSettings(true);
    m_client->ReadDisplaySettings();
}

void TMainDecFrameWin::SaveSettings(bool always)
{
    if (m_settings.Save()) {
        m_settingsUnsaved = false;
        return;
    }
    // The folders remembered by every file command would repeat the
    // message at each use; one message a run is enough for them.
    if (!always && m_settingsUnsaved)
        return;
    m_settingsUnsaved = true;
    m_ui.MessageAboutFile("File Error",
                          "The settings could not be written to %s. They hold until Tessara Lines "
                          "closes; check that the folder exists and can be written.",
                          m_settings.Location(), Icon::Error);
}

void TMainDecFrameWin::ShowAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void TMainDecFrameWin::closeEvent(QCloseEvent* event)
{
    SaveEditedBid();
    // Closing without a word would lose whatever was done since the last save.
    ScheduleDocument& doc = m_client->Document();
    if (doc.DisplayState != kNoMonthOpen && doc.Modified) {
        Answer answer = doc.Untitled
                            ? m_ui.Ask(kCaption, "Save changes to the new month before closing?",
                                       Buttons::YesNoCancel, Icon::Question)
                            : m_ui.AskAboutFile(kCaption, "Save changes to %s before closing?",
                                                doc.FileName, Buttons::YesNoCancel, Icon::Question);
        if (answer == Answer::Cancel || (answer == Answer::Yes && !DoSave())) {
            event->ignore();
            return;
        }
    }
    SaveDockLayout();
    event->accept();
}

} // namespace tl::ui
