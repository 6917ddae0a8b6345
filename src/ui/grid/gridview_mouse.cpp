// The block grid's mouse actions and the keys that stand for them: dragging
// a pairing to another block, clicks, the right and middle buttons, the
// corner cell's view options and the display filters.
#include "model/schedule_document.h"
#include "rules/assignment.h"
#include "rules/block_build.h"
#include "rules/legality.h"
#include "ui/dialogs/crewoptionsdialog.h"
#include "ui/grid/grid_text.h"
#include "ui/grid/gridview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace tl::ui {

namespace {

// Right edges of the corner cell's zones, pixels from the grid's left.
constexpr int kCornerZones[] = {44, 84, 124};

} // namespace

void GridView::SetDisplayFlags(const DisplayFlags& flags)
{
    if (flags == m_flags)
        return;
    m_flags = flags;
    ApplyDisplayFilters();
    emit DisplayFlagsChanged();
}

void GridView::ApplyDisplayFilters()
{
    // The holder filters read the flags the cut-off sets.
    if (m_doc.GridOn)
        ComputeBlockHolderCut(m_doc);
    RebuildRows();
}

void GridView::RebuildRows()
{
    m_layout.Order = DisplayOrder(m_doc, m_flags);
    m_hoverHit = {};
    // The scroll range shrinks with the order, which pulls the first
    // visible row back inside it.
    UpdateScrollBars();
    viewport()->update();
}

bool GridView::StartsPairing(int crew, int column) const
{
    if (crew < 0 || crew >= CrewRows(m_doc) || column < 0 || column >= GridLayout::kSlots)
        return false;
    return IsPairing(m_doc, m_doc.Crew[Ix(crew)].DaySlot[Ix(column)]);
}

void GridView::SetSelection(Cell cell)
{
    if (cell == m_selection)
        return;
    RepaintSelection();
    m_selection = cell;
    RepaintSelection();
}

void GridView::RepaintSelection()
{
    auto found = std::find(m_layout.Order.begin(), m_layout.Order.end(), m_selection.Crew);
    if (m_selection.Crew < 0 || found == m_layout.Order.end())
        return;
    int row = static_cast<int>(found - m_layout.Order.begin());
    viewport()->update(m_layout.CellRect(row, m_selection.Column).adjusted(-2, -2, 2, 2));
}

void GridView::PaintSelection(QPainter& painter) const
{
    if (m_selection.Crew < 0 || m_layout.LastMonthView)
        return;
    auto found = std::find(m_layout.Order.begin(), m_layout.Order.end(), m_selection.Crew);
    if (found == m_layout.Order.end())
        return;
    int row = static_cast<int>(found - m_layout.Order.begin());
    if (row < m_layout.FirstRow)
        return;
    QRect cell = m_layout.CellRect(row, m_selection.Column);
    if (cell.right() < m_layout.FixedWidth())
        return;
    painter.save();
    painter.setClipRect(QRect(m_layout.FixedWidth(), m_layout.HeaderHeight(),
                              m_layout.ViewWidth - m_layout.FixedWidth(),
                              m_layout.ViewHeight - m_layout.HeaderHeight()));
    painter.setPen(QPen(Qt::blue, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.restore();
}

bool GridView::LockCell(int crew, int column)
{
    if (!StartsPairing(crew, column) || !ToggleDayLock(m_doc, crew, column))
        return false;
    emit BlocksChanged();
    return true;
}

void GridView::ClickCorner(int x)
{
    if (x < kCornerZones[0]) {
        emit PairingsWindowToggleRequested();
        return;
    }
    DisplayFlags flags = m_flags;
    if (x < kCornerZones[1])
        flags.HideLeave = !flags.HideLeave;
    else if (x < kCornerZones[2])
        flags.HideCompleted = !flags.HideCompleted;
    else
        flags.OnlyBlockHolders = !flags.OnlyBlockHolders;
    SetDisplayFlags(flags);
}

void GridView::ClickCell(int crew, int column, bool ctrl)
{
    if (crew < 0 || crew >= CrewRows(m_doc))
        return;
    SetSelection({crew, column});
    if (ctrl) {
        LockCell(crew, column);
        return;
    }
    const TPilot& member = m_doc.Crew[Ix(crew)];
    if (column < 0) {
        // A previous-month entry: the band shows codes of one to three letters.
        size_t length = member.DayText[Ix(column + 31)].size();
        if (length >= 1 && length <= 3)
            emit OtherAssignmentClicked(crew, column);
        return;
    }
    if (column >= GridLayout::kSlots)
        return;
    const int slot = member.DaySlot[Ix(column)];
    if (slot == kOtherSlot) {
        emit OtherAssignmentClicked(crew, column);
    } else if (IsPairing(m_doc, slot)) {
        m_doc.CurrentPair = slot;
        m_doc.CurrentPairDay = column;
        viewport()->update();
        emit PairingClicked(slot, column);
    } else if (slot == kFreeSlot) {
        ComputeDayBalance(m_doc);
    }
}

void GridView::RightCell(int crew, int column, bool ctrl, bool shift)
{
    if (crew < 0 || crew >= CrewRows(m_doc))
        return;
    TPilot& member = m_doc.Crew[Ix(crew)];
    if (column < 0) {
        if (member.EmpNumber == -1)
            return;
        if (shift)
            emit MoveEmployeeRequested(crew);
        else
            emit EmployeeInfoRequested(crew);
        return;
    }
    if (column >= GridLayout::kSlots)
        return;
    SetSelection({crew, column});
    const int slot = member.DaySlot[Ix(column)];
    if (IsPairing(m_doc, slot)) {
        if (RemovePairFromGrid(m_doc, m_ui, crew, column, ctrl, m_style.HoldCtrlKey))
            emit BlocksChanged();
    } else if (slot == kOtherSlot) {
        if (RemoveOtherFromGrid(m_doc, m_ui, crew, column, shift))
            emit BlocksChanged();
    } else if (slot == kFreeSlot) {
        bool changed = false;
        if (EditCrewOptions) {
            changed = EditCrewOptions(member);
        } else {
            CrewOptionsDialog dialog(member, this);
            changed = dialog.exec() == QDialog::Accepted && dialog.Apply(member);
        }
        if (changed)
            m_doc.Modified = true;
        ApplyDisplayFilters();
        if (changed) {
            RepaintCrewCells(crew, 0, GridLayout::kSlots - 1);
            emit BlocksChanged();
        }
    }
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    m_dragSource = {};
    viewport()->unsetCursor();
    // While last month is shown the mouse does nothing.
    if (!m_doc.GridOn || m_layout.LastMonthView) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const GridLayout::Hit hit = m_layout.HitTest(event->position().toPoint());
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->button()) {
    case Qt::LeftButton:
        if (hit.Where == GridLayout::Hit::Day && StartsPairing(hit.Crew, hit.Column) &&
            m_doc.Crew[Ix(hit.Crew)].EmpNumber != -1) {
            m_dragSource = {hit.Crew, hit.Column};
            viewport()->setCursor(Qt::ClosedHandCursor);
        }
        break;
    case Qt::RightButton:
        if (hit.Where == GridLayout::Hit::Day)
            RightCell(hit.Crew, hit.Column, ctrl, shift);
        else if (hit.Where == GridLayout::Hit::Label || hit.Where == GridLayout::Hit::Credit)
            RightCell(hit.Crew, -1, ctrl, shift);
        break;
    case Qt::MiddleButton:
        if (hit.Where == GridLayout::Hit::Day)
            LockCell(hit.Crew, hit.Column);
        break;
    default:
        break;
    }
    event->accept();
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const Cell source = m_dragSource;
    m_dragSource = {};
    viewport()->unsetCursor();
    if (!m_doc.GridOn || m_layout.LastMonthView) {
        event->accept();
        return;
    }
    const QPoint point = event->position().toPoint();
    const GridLayout::Hit hit = m_layout.HitTest(point);
    if (source.Crew >= 0 && hit.Where == GridLayout::Hit::Day && hit.Crew != source.Crew) {
        if (DragPairing(m_doc, m_ui, source.Crew, source.Column, hit.Crew) == DragResult::Moved) {
            SetSelection({hit.Crew, source.Column});
            emit BlocksChanged();
        }
    } else if (hit.Where == GridLayout::Hit::Corner) {
        ClickCorner(point.x());
    } else if (hit.Where == GridLayout::Hit::Day) {
        ClickCell(hit.Crew, hit.Column, event->modifiers() & Qt::ControlModifier);
    }
    event->accept();
}

bool GridView::focusNextPrevChild(bool)
{
    return false;
}

void GridView::MoveSelection(int rows, int columns)
{
    if (m_layout.Order.empty())
        return;
    auto found = std::find(m_layout.Order.begin(), m_layout.Order.end(), m_selection.Crew);
    int row = m_layout.FirstRow;
    int column = 0;
    if (found != m_layout.Order.end()) {
        row = static_cast<int>(found - m_layout.Order.begin()) + rows;
        column = m_selection.Column + columns;
    }
    row = std::clamp(row, 0, m_layout.RowCount() - 1);
    column = std::clamp(column, m_layout.FirstColumn(), m_layout.LastColumn());
    SetSelection({m_layout.Order[Ix(row)], column});
    // Keep it in view.
    int whole = std::max(1, (m_layout.ViewHeight - m_layout.HeaderHeight()) / m_layout.RowHeight);
    if (row < m_layout.FirstRow)
        ScrollToRow(row);
    else if (row >= m_layout.FirstRow + whole)
        ScrollToRow(row - whole + 1);
    QRect cell = m_layout.CellRect(row, column);
    QScrollBar* bar = horizontalScrollBar();
    if (cell.left() < m_layout.FixedWidth())
        bar->setValue(bar->value() - (m_layout.FixedWidth() - cell.left()));
    else if (cell.right() >= m_layout.ViewWidth)
        bar->setValue(bar->value() + cell.right() - m_layout.ViewWidth + 1);
}

bool GridView::HandleActionKey(QKeyEvent* event)
{
    if (!m_doc.GridOn || m_layout.LastMonthView)
        return false;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (ctrl) {
        // Ctrl and the arrows move the selected cell.
        switch (event->key()) {
        case Qt::Key_Up:
            MoveSelection(-1, 0);
            return true;
        case Qt::Key_Down:
            MoveSelection(1, 0);
            return true;
        case Qt::Key_Left:
            MoveSelection(0, -1);
            return true;
        case Qt::Key_Right:
            MoveSelection(0, 1);
            return true;
        default:
            break;
        }
    }
    if (event->isAutoRepeat())
        return false;
    const Cell cell = m_selection;
    switch (event->key()) {
    case Qt::Key_Tab:
        emit ShowOnlyOpenToggled();
        return true;
    case Qt::Key_Delete:
        // The right button's removals, never its dialogs.
        if (cell.Crew >= 0 && cell.Column >= 0 && cell.Column < GridLayout::kSlots &&
            m_doc.Crew[Ix(cell.Crew)].DaySlot[Ix(cell.Column)] != kFreeSlot)
            RightCell(cell.Crew, cell.Column, ctrl, shift);
        return true;
    case Qt::Key_Space:
        if (cell.Crew >= 0)
            LockCell(cell.Crew, cell.Column);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (cell.Crew >= 0)
            ClickCell(cell.Crew, cell.Column, false);
        return true;
    case Qt::Key_Menu:
        if (cell.Crew >= 0)
            RightCell(cell.Crew, cell.Column, ctrl, shift);
        return true;
    default:
        return false;
    }
}

} // namespace tl::ui
