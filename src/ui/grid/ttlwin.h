#pragma once

#include "model/document_events.h"
#include "storage/month_lock.h"
#include "ui/frame/commands.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace tl {
class Interaction;
class ScheduleDocument;
class SettingsStore;
} // namespace tl

namespace tl::ui {

class GridView;

// The main block-building window, the frame's client. It owns the month's
// document from construction to destruction and runs the timed backup.
class TtlWin : public QWidget, public DocumentEvents {
    Q_OBJECT
public:
    // Allocates the month's tables (std::bad_alloc when memory runs out).
    // The document starts empty; the start-up empties it once more through
    // DeleteAll when the debug trace is open, so the trace sees it.
    TtlWin(Interaction& ui, SettingsStore& settings, QWidget* parent = nullptr);
    ~TtlWin() override;

    ScheduleDocument& Document() { return *m_doc; }
    const ScheduleDocument& Document() const { return *m_doc; }
    CommandContext Context() const;
    // The pairings window follows the block operations (DocumentEvents).
    void PairingsChanged() override;
    void ShowPairingsWindow(bool show) override;
    // The pairing filters changed: the board follows, with its caption.
    void FilterMarksChanged() override;
    void PairingsCaptionChanged(std::string_view caption) override;

    // Empties the document: no month open.
    void DeleteAll();
    // Clears the month and opens the block file; false when it did not open.
    // While another program has it open for editing, asks whether to open
    // it read-only.
    bool OpenFile(const QString& path);
    // Opened read-only while another program edits it: Save is refused.
    bool ReadOnly() const { return m_readOnly; }
    // Says so and returns true when the month is open read-only; the
    // commands that write its own file ask first.
    bool RefuseReadOnly();
    // Writes the month to `path` as a scheduler file and makes it the
    // month's file name.
    bool SaveAs(const QString& path);
    // Writes the month to its own file; false for an untitled month.
    bool Save();
    // Writes a backup copy into `folder`.
    bool BackupTo(const QString& folder, bool withDateTime);

    // One tick of the timed backup (every 30 seconds while the program runs).
    void BackupTimerTick();

    // The block grid, shown while the document's grid is on.
    GridView* Grid() const { return m_grid; }
    // Reads the grid's colours, font, paddings and options from the settings.
    void ReadDisplaySettings();
    // Shows or hides the grid as the document's GridOn says.
    void SyncGrid();

    // Redraws for the block operations (DocumentEvents).
    void CrewRowChanged(int crew, int firstDay, int lastDay) override;
    void OpenCreditChanged(int32_t open, int32_t total) override;
    void DayBalanceChanged(int day) override;
    void GridChanged() override;
    void GridTakenDown() override;
    // Build Blocks' requests (ttlwin_build.cpp).
    bool ShowPairingWarnings() override;
    void EditPairing(int pairing) override;

signals:
    // The pairings board must be laid out again.
    void PairingsBoardChanged();
    // The filter marks or the filters-on flag changed.
    void FiltersChanged();
    // A filter operation set the pairings window's caption.
    void PairingsCaptionSet(const QString& caption);
    // Build Blocks wants the pairings window shown or hidden.
    void PairingsWindowRequested(bool show);
    // The month was opened, saved or changed: titles and menus follow.
    void DocumentChanged();
    // What the status bar shows for the grid cell under the mouse.
    void HoverTextChanged(const QString& text);
    // The open-credit gauge: open credit and the month's total, minutes.
    void OpenCreditUpdated(int open, int total);
    // The grid's clicks for the windows and dialogs the frame opens: a
    // pairing (its start day slot); an other assignment or, for a negative
    // slot, the previous-month entry of DayText[slot + 31]; the right
    // button on a name, a credit or left of day 0, and with Shift held.
    void pairingClicked(int pairing, int day);
    void otherAssignmentClicked(int crew, int slot);
    void employeeInfoRequested(int crew);
    void moveEmployeeRequested(int crew);
    // Build Blocks wants the pairing editor opened on CurrentPair.
    void pairingEditRequested();
    // A pairing load or Build Blocks shows the pairing warnings; the frame
    // runs its dialog (the plain list when nothing is connected).
    void pairingWarningsRequested();
    // Tab on the grid, and the corner cell's first zone.
    void showOnlyOpenToggled();
    void pairingsWindowToggleRequested();
    // The grid's view options changed (menu checks follow).
    void displayFlagsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Toolbox items dropped on a day of a block (ttlwin_drop.cpp).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Interaction& m_ui;
    SettingsStore& m_settings;
    std::unique_ptr<ScheduleDocument> m_doc;
    QTimer m_backupTimer;
    GridView* m_grid = nullptr;
    // Held beside the open month while it may be edited here.
    MonthLock m_lock;
    bool m_readOnly = false;
};

} // namespace tl::ui
