// Toolbox items dropped on the block grid.
#include "ui/grid/ttlwin.h"

#include "model/schedule_document.h"
#include "rules/toolbox_drop.h"
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

// Stand-in geometry until the grid's own layout and hit testing take over:
// a header band, then one row per crew member in roster order, and one
// column per day slot right of the name column, without scrolling or
// display filters.
constexpr int kHeaderHeight = 36;
constexpr int kNameWidth = 150;
constexpr int kRowHeight = 16;
constexpr int kDayWidth = 24;

std::optional<GridCell> DropCellAt(const ScheduleDocument& doc, QPoint pos)
{
    if (!doc.GridOn || pos.x() < kNameWidth || pos.y() < kHeaderHeight)
        return std::nullopt;
    const int crew = (pos.y() - kHeaderHeight) / kRowHeight;
    const int day = (pos.x() - kNameWidth) / kDayWidth;
    if (crew >= std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity) || day >= TPilot::kSlots)
        return std::nullopt;
    return GridCell{crew, day};
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
    if (DroppedItem(event->mimeData()) && DropCellAt(*m_doc, event->position().toPoint()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TtlWin::dropEvent(QDropEvent* event)
{
    const auto item = DroppedItem(event->mimeData());
    const auto cell = DropCellAt(*m_doc, event->position().toPoint());
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
