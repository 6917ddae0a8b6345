#pragma once

#include "ui/frame/commands.h"
#include "ui/frame/filechooser.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPrinter;
class QMenu;
class QShortcut;
class QToolBar;

namespace tl {
class Interaction;
class SettingsStore;
} // namespace tl

namespace tl::ui {

class FrameDock;
class TBidsWindow;
class TtlWin;
struct ImportContext;

// The main frame: menu, tool bar and status bar around the block window.
class TMainDecFrameWin : public QMainWindow {
    Q_OBJECT
public:
    TMainDecFrameWin(Interaction& ui, SettingsStore& settings, QWidget* parent = nullptr);
    // Takes the bids window down while the frame it reports to is still whole.
    ~TMainDecFrameWin() override;

    TtlWin* Client() const { return m_client; }

    // The action of a command, shared by the menu and the tool bar; null for
    // a command the frame does not carry.
    QAction* Action(int command) const { return m_actions.value(command); }

    // Name of the menu in place: "MENU_1" with a month open, "MENU_3" without.
    QString MenuName() const;

    QString StatusText() const;

    // Re-evaluates which commands are enabled.
    void UpdateCommands();

    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    // Opens a block file as File > Open does once the file is chosen.
    bool OpenFile(const QString& path);

    // The bids window while it is open.
    TBidsWindow* BidsWindow() const;

    // The docked window of that name (framedock.h); null for none.
    FrameDock* Dock(const QString& name) const;

    // What the month's imports need: the open month, the seam, the settings
    // and the file chooser, with this frame as the dialogs' parent.
    ImportContext Imports();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    // Docks of the pairings board, the toolbox and the pairing text, placed
    // as the settings last kept them (frame_docks.cpp).
    void CreateDocks();
    void RestoreDockLayout();
    void SaveDockLayout();
    // Pairings window, open-pairings switch, history and undo.
    void InstallWindowsCommands();
    void InstallGridCommands();
    void AddActions(const std::vector<MenuEntry>& entries);
    void InstallMenu(bool monthOpen);
    // Keys of items whose text names them ("&Undo F1") become the frame's
    // own shortcuts, so the menu does not show the key twice.
    void MoveKeysNamedInText();
    void FillMenu(QMenu* menu, const std::vector<MenuEntry>& entries);
    // The numbered recent files, just above Exit.
    void FillRecent();
    void NoteRecent(const QString& path);
    void OpenRecent(const QString& path);
    void CreateToolBar();
    void CreateStatusBar();
    void OnDocumentChanged();
    // The title's unsaved-changes mark follows the month's Modified flag.
    void SyncModifiedMark();

    // Toolbox, roster editor, crew complement (frame_dialogs.cpp).
    void InstallDialogCommands();
    // Build Blocks, warnings, copies for viewer and company, help, keys
    // (frame_commands.cpp).
    void InstallFrameCommands();
    // Edit > Pairings: password, editor, warnings list (frame_pairings.cpp).
    void InstallPairingCommands();
    void RunPairingEditor();
    // The pairing warnings dialog; a double click on a pairing opens the
    // editor on it (OpenPairingEditor).
    void ShowPairingWarningsDialog();
    // The editor on CurrentPair, in the mode PairEditUnlocked gives. Locked,
    // the password is asked first; a read-only month is only viewed.
    void OpenPairingEditor(QWidget* parent);
    // New, with the month's dates and the new-file wizard, and Setup Month
    // (frame_new.cpp).
    void InstallNewCommands();
    // The Import menu (frame_imports.cpp).
    void InstallImportCommands();
    // The bids window and the bid import (frame_bids.cpp).
    void InstallBidCommands();
    // Build > Award Bids... and its reasons window (frame_award.cpp).
    void InstallAwardCommands();
    void ToggleBidsWindow();
    void ImportPilotBids();
    // The bid being edited in the bids window goes into the month first.
    void SaveEditedBid();
    // Global Information and the reports on the clipboard (frame_reports.cpp).
    void InstallReportCommands();
    // The HTML page, blocks on the clipboard, the training report and
    // e-mail (frame_exports.cpp).
    void InstallExportCommands();
    // Print Blocks, Print Pairings and Print Setup, with a preview
    // (frame_print.cpp).
    void InstallPrintCommands();
    QPrinter& Printer();

    void DoOpen();
    bool DoSave();
    bool DoSaveAs();
    void DoBackup();
    void DoShortcuts();
    void DoCalculator();
    void DoSharedNotes();
    void DoPreferences();
    void ShowAbout();
    // Writes the settings file now; says so when it cannot be written
    // (`always`, or the first time in this run).
    void SaveSettings(bool always);

    // `start`, when given, is where the dialog starts instead of the folder
    // last used (a file name there is offered as the name).
    QString Choose(FileChooser::Mode mode, const QString& caption, const QString& folderKey,
                   const QString& filter, const QString& start = QString());

    Interaction& m_ui;
    SettingsStore& m_settings;
    TtlWin* m_client = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusLabel = nullptr;
    QLabel* m_filterLabel = nullptr; // the grid's display filters while any is on
    QHash<int, QAction*> m_actions;
    QHash<int, std::function<void()>> m_handlers;
    // Commands shown checked while their window is visible.
    QHash<int, std::function<bool()>> m_checks;
    // The shortcuts MoveKeysNamedInText made, by command.
    QHash<int, QShortcut*> m_keysInText;
    FileChooser m_chooser;
    QPointer<QMenu> m_recentMenu;
    QList<QPointer<QAction>> m_recentActions;
    bool m_settingsUnsaved = false;
    QPointer<TBidsWindow> m_bidsWin;
    // One printer for the run, so Print Setup's choices hold for the printouts.
    std::shared_ptr<QPrinter> m_printer;
    QPointer<QWidget> m_awardWin;
};

} // namespace tl::ui
