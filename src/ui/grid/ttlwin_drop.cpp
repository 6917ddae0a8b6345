// Toolbox items dropped on the block grid.
#include "ui/grid/ttlwin.h"

#include "actions/toolbox_drop.h"
#include "model/schedule_document.h"
#include "ui/grid/grid_layout.h"
#include "ui/grid/gridview.h"
#include "ui/windows/toolboxwindow.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include <algorithm>
#include <optional>

namespace tl::ui {

namespace {

struct GridCell {
    int Crew = -1;
    int Day = -1;
};

// The day cell of the block grid under `pos` (TtlWin coordinates), by the
// grid's own hit testing, so scrolling and display filters are followed.
std::optional<GridCell> DropCellAt(const TtlWin& win, QPoint pos)
{
    const GridView* grid = win.Grid();
    if (!win.Document().GridOn || grid == nullptr || !grid->isVisible())
        return std::nullopt;
    const GridLayout& layout = grid->Layout();
    const GridLayout::Hit hit = layout.HitTest(grid->viewport()->mapFrom(&win, pos));
    if (hit.Where != GridLayout::Hit::Day || hit.Crew < 0 || hit.Column < 0 ||
        hit.Column >= TPilot::kSlots || layout.LastMonthView)
        return std::nullopt;
    return GridCell{hit.Crew, hit.Column};
}

std::optional<ToolBoxItemRef> DroppedItem(const QMimeData* data)
{
    const QString format = QString::fromLatin1(kToolBoxItemMime);
    if (data == nullptr || !data->hasFormat(format))
        return std::nullopt;
    return DecodeToolBoxItem(data->data(format).toStdString());
}

} // namespace

void TtlWin::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_doc->GridOn && DroppedItem(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TtlWin::dragMoveEvent(QDragMoveEvent* event)
{
    if (DroppedItem(event->mimeData()) && DropCellAt(*this, event->position().toPoint()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TtlWin::dropEvent(QDropEvent* event)
{
    const auto item = DroppedItem(event->mimeData());
    const auto cell = DropCellAt(*this, event->position().toPoint());
    if (!item || !cell) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const ToolBoxDropResult result = ApplyToolBoxItem(*m_doc, m_ui, cell->Crew, cell->Day, *item);
    if (result == ToolBoxDropResult::Done || result == ToolBoxDropResult::Cleared) {
        update();
        emit DocumentChanged();
    }
}

} // namespace tl::ui
