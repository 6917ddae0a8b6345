#include "ui/grid/gridview.h"

#include "model/schedule_document.h"
#include "rules/legality.h"
#include "ui/grid/grid_paint.h"
#include "ui/grid/grid_text.h"
#include "ui/seam/qtinteraction.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace tl::ui {

namespace {
// Rows one step of the wheel (120 units) scrolls.
constexpr int kWheelRows = 3;
} // namespace

GridView::GridView(ScheduleDocument& doc, Interaction& ui, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_ui(ui)
{
    setObjectName(QStringLiteral("BlockGrid"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    SetStyle(GridStyle::FromPreferences(Preferences{}));
}

void GridView::SetStyle(const GridStyle& style)
{
    m_style = style;
    UpdateMetrics();
    UpdateScrollBars();
    viewport()->update();
}

void GridView::UpdateMetrics()
{
    QFontMetrics fm(m_style.Font);
    QFontMetrics bold(m_style.BoldFont);
    int nameWidth = fm.horizontalAdvance(QStringLiteral("999 @ ")) + 20 * fm.averageCharWidth() +
                    2 * m_style.XPadding;
    int creditWidth = bold.horizontalAdvance(QStringLiteral("000:00")) + 2 * m_style.XPadding;
    m_layout.SetMetrics(fm.horizontalAdvance(QStringLiteral("0000")), fm.height(), nameWidth,
                        creditWidth, m_style.XPadding, m_style.YPadding);
}

void GridView::UpdateScrollBars()
{
    m_layout.ViewWidth = viewport()->width();
    m_layout.ViewHeight = viewport()->height();
    verticalScrollBar()->setRange(0, m_layout.MaxFirstRow());
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(std::max(1, m_layout.VisibleRows() - 1));
    horizontalScrollBar()->setRange(0, m_layout.MaxScrollX());
    horizontalScrollBar()->setSingleStep(m_layout.ColWidth);
    horizontalScrollBar()->setPageStep(
        std::max(m_layout.ColWidth, m_layout.ViewWidth - m_layout.FixedWidth()));
    m_layout.FirstRow = verticalScrollBar()->value();
    m_layout.ScrollX = m_layout.WholeColumns(horizontalScrollBar()->value());
}

void GridView::ScrollToRow(int row)
{
    verticalScrollBar()->setValue(row);
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void GridView::scrollContentsBy(int, int)
{
    // The header and the name column stay put: repaint instead of scrolling pixels.
    m_layout.FirstRow = verticalScrollBar()->value();
    m_layout.ScrollX = m_layout.WholeColumns(horizontalScrollBar()->value());
    m_hoverHit = {};
    viewport()->update();
}

void GridView::RepaintAll()
{
    UpdateScrollBars();
    viewport()->update();
}

void GridView::RepaintCrewCells(int crew, int firstDay, int lastDay)
{
    auto found = std::find(m_layout.Order.begin(), m_layout.Order.end(), crew);
    if (found == m_layout.Order.end())
        return;
    int row = static_cast<int>(found - m_layout.Order.begin());
    int first = std::clamp(firstDay, 0, GridLayout::kSlots - 1);
    int last = std::clamp(lastDay, first, GridLayout::kSlots - 1);
    if (m_layout.LastMonthView) {
        first += 31;
        last = std::min(last + 31, GridLayout::kSlots - 1);
    }
    QRect cells = m_layout.CellRect(row, first).united(m_layout.CellRect(row, last));
    viewport()->update(cells);
    // Totals and the label's colour follow the block.
    viewport()->update(m_layout.LabelRect(row).united(m_layout.CreditRect(row)));
    // Reserve counts under the crew rows.
    int footer = m_layout.RowY(m_layout.RowCount());
    viewport()->update(
        QRect(cells.left(), footer, cells.width(), GridLayout::kFooterRows * m_layout.RowHeight));
}

void GridView::RepaintHeaderDay(int day)
{
    int column = m_layout.LastMonthView ? day + 31 : day;
    viewport()->update(
        QRect(m_layout.ColumnX(column), 0, m_layout.ColWidth, m_layout.HeaderHeight()));
}

void GridView::SetLastMonthView(bool on)
{
    if (m_layout.LastMonthView == on)
        return;
    m_layout.LastMonthView = on;
    UpdateScrollBars();
    m_hoverHit = {};
    UpdateHover(viewport()->mapFromGlobal(QCursor::pos()));
    viewport()->update();
}

void GridView::SetAllCredits(bool on)
{
    if (m_allCredits == on)
        return;
    m_allCredits = on;
    int rows = CrewRows(m_doc);
    for (int crew = 0; crew < rows; ++crew)
        BlockCredit(m_doc, crew, on, m_ui);
    viewport()->update();
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (HandleActionKey(event))
        return;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        verticalScrollBar()->setValue(verticalScrollBar()->value() +
                                      (event->key() == Qt::Key_Up ? -1 : 1));
        return;
    default:
        break;
    }
    // While last month is shown only the scroll keys act.
    if (m_layout.LastMonthView || event->isAutoRepeat()) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        SetLastMonthView(true);
        return;
    case Qt::Key_Escape:
        SetAllCredits(true);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void GridView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        SetLastMonthView(false);
        return;
    case Qt::Key_Escape:
        SetAllCredits(false);
        return;
    default:
        QAbstractScrollArea::keyReleaseEvent(event);
    }
}

void GridView::focusOutEvent(QFocusEvent* event)
{
    // A key released in another window never reaches us: let go of both.
    SetLastMonthView(false);
    SetAllCredits(false);
    QAbstractScrollArea::focusOutEvent(event);
}

void GridView::wheelEvent(QWheelEvent* event)
{
    if (!m_doc.GridOn)
        return;
    int delta = event->angleDelta().y();
    if (delta == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Towards the user (negative) scrolls down.
    int steps = delta / 120;
    if (steps == 0)
        steps = delta > 0 ? 1 : -1;
    verticalScrollBar()->setValue(verticalScrollBar()->value() - steps * kWheelRows);
    event->accept();
}

bool GridView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    // Whatever the grid had to cut short shows whole in a tooltip.
    auto* help = static_cast<QHelpEvent*>(event);
    const FittedText text = CutTextAt(m_doc, m_style, m_layout, help->pos());
    if (text.Full.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text.Full, viewport(), text.Room);
    }
    return true;
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    UpdateHover(event->position().toPoint());
    if (m_dragSource.Crew >= 0) {
        // A drop lands on another crew member's day cells only.
        bool target =
            m_hoverHit.Where == GridLayout::Hit::Day && m_hoverHit.Crew != m_dragSource.Crew;
        viewport()->setCursor(target ? Qt::DragMoveCursor : Qt::ClosedHandCursor);
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void GridView::leaveEvent(QEvent* event)
{
    m_hoverHit = {};
    QAbstractScrollArea::leaveEvent(event);
}

void GridView::UpdateHover(QPoint point)
{
    GridLayout::Hit hit = m_layout.HitTest(point);
    if (hit == m_hoverHit)
        return;
    m_hoverHit = hit;
    if (hit.Where != GridLayout::Hit::Day)
        return;
    std::string text;
    if (m_layout.LastMonthView)
        text = DayHoverText(m_doc, hit.Crew, hit.Column, true);
    else if (hit.Column < 0)
        text = DayHoverText(m_doc, hit.Crew, hit.Column + 31, true);
    else
        text = DayHoverText(m_doc, hit.Crew, hit.Column, false);
    QString shown = FromCoreText(text);
    if (shown == m_hoverText)
        return;
    m_hoverText = shown;
    emit HoverTextChanged(m_hoverText);
}

} // namespace tl::ui
