#pragma once

#include "ui/grid/grid_filters.h"
#include "ui/grid/grid_layout.h"
#include "ui/grid/grid_style.h"

#include <QAbstractScrollArea>

#include <functional>

class QPainter;

namespace tl {
class Interaction;
class ScheduleDocument;
class TPilot;
} // namespace tl

namespace tl::ui {

// The block grid: a scroll area whose viewport paints only the rows and
// days in view, straight from the document. It holds no month state of its
// own beyond what is on screen (scroll position, the held keys, the cell
// under the mouse).
class GridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    GridView(ScheduleDocument& doc, Interaction& ui, QWidget* parent = nullptr);

    void SetStyle(const GridStyle& style);
    const GridStyle& Style() const { return m_style; }
    const GridLayout& Layout() const { return m_layout; }

    // The display order follows the roster; called when the roster or the
    // grid changes.
    void RebuildRows();
    void ScrollToRow(int row);

    bool LastMonthView() const { return m_layout.LastMonthView; }
    bool AllCreditsShown() const { return m_allCredits; }
    QString HoverText() const { return m_hoverText; }

    // The view options (menu commands 550 to 557, the corner cell). Setting
    // them moves the block-holder cut-off and rebuilds the display order.
    const DisplayFlags& Flags() const { return m_flags; }
    void SetDisplayFlags(const DisplayFlags& flags);
    // Runs the display filters again (after a crew member's options changed).
    void ApplyDisplayFilters();

    // The cell the keyboard acts on: crew member (roster index) and column;
    // crew -1 for none.
    struct Cell {
        int Crew = -1;
        int Column = 0;
        bool operator==(const Cell&) const = default;
    };
    Cell Selection() const { return m_selection; }
    void SetSelection(Cell cell);

    // Opens the small crew dialog; true when the crew member was changed.
    // Tests put in their own.
    std::function<bool(TPilot& crew)> EditCrewOptions;

    // Repaints what a change named.
    void RepaintCrewCells(int crew, int firstDay, int lastDay);
    void RepaintHeaderDay(int day);
    void RepaintAll();

signals:
    void HoverTextChanged(const QString& text);
    // A click on a pairing (start day slot), on an other assignment or a
    // previous-month entry (column: negative for the days before the month),
    // right button left of day 0, Tab, the corner's first zone.
    void PairingClicked(int pairing, int day);
    void OtherAssignmentClicked(int crew, int column);
    void EmployeeInfoRequested(int crew);
    // Shift and the right button there: the Move Employee dialog.
    void MoveEmployeeRequested(int crew);
    void ShowOnlyOpenToggled();
    void PairingsWindowToggleRequested();
    void DisplayFlagsChanged();
    // A mouse or key action changed the month.
    void BlocksChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Tab belongs to the grid, not to focus moves.
    bool focusNextPrevChild(bool next) override;

private:
    void UpdateMetrics();
    void UpdateScrollBars();
    void SetLastMonthView(bool on);
    void SetAllCredits(bool on);
    void UpdateHover(QPoint point);

    // The actions of the mouse and of the keys that stand for it, by cell.
    bool HandleActionKey(QKeyEvent* event);
    void ClickCell(int crew, int column, bool ctrl);
    void ClickCorner(int x);
    void RightCell(int crew, int column, bool ctrl, bool shift);
    bool LockCell(int crew, int column);
    void MoveSelection(int rows, int columns);
    void RepaintSelection();
    void PaintSelection(QPainter& painter) const;
    bool StartsPairing(int crew, int column) const;

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    GridStyle m_style;
    GridLayout m_layout;
    bool m_allCredits = false;
    GridLayout::Hit m_hoverHit;
    QString m_hoverText;
    DisplayFlags m_flags;
    Cell m_dragSource;
    Cell m_selection;
};

} // namespace tl::ui
