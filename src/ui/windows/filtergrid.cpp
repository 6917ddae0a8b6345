#include "ui/windows/filtergrid.h"

#include "model/schedule_document.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace tl::ui {

FilterGrid::FilterGrid(const ScheduleDocument& doc, std::vector<DistinctPairing> numbers,
                       std::function<bool(int)> chosen, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_numbers(std::move(numbers)), m_chosen(std::move(chosen))
{
    setObjectName(QStringLiteral("FilterGrid"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize FilterGrid::CellSize() const
{
    const QFontMetrics metrics = fontMetrics();
    return {5 * metrics.averageCharWidth() + 5, metrics.height() + 1};
}

QSize FilterGrid::sizeHint() const
{
    // One row more than the numbers need.
    const int rows = int(m_numbers.size()) / kColumns + 2;
    const QSize cell = CellSize();
    return {kColumns * cell.width(), rows * cell.height()};
}

QRect FilterGrid::CellRect(int index) const
{
    const QSize cell = CellSize();
    return {(index % kColumns) * cell.width(), (index / kColumns) * cell.height(), cell.width(),
            cell.height()};
}

int FilterGrid::IndexAt(QPoint point) const
{
    const QSize cell = CellSize();
    if (point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / cell.width();
    const int index = point.y() / cell.height() * kColumns + column;
    return column < kColumns && index < int(m_numbers.size()) ? index : -1;
}

void FilterGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    // Nothing to choose from before the blocks are built.
    if (!m_doc.GridOn)
        return;
    const QFontMetrics metrics = fontMetrics();
    for (int i = 0; i < int(m_numbers.size()); ++i) {
        const QRect cell = CellRect(i);
        const bool chosen = m_chosen(i);
        qDrawShadePanel(&painter, cell, palette(), chosen, 1);
        painter.setPen(chosen ? QColor(0, 0, 255) : palette().color(QPalette::WindowText));
        painter.drawText(cell.left() + 3, cell.top() + metrics.ascent(),
                         QString::asprintf("%04d", m_numbers[size_t(i)].Number));
    }
}

void FilterGrid::mousePressEvent(QMouseEvent* event)
{
    const int index = IndexAt(event->position().toPoint());
    if (index < 0 || !m_doc.GridOn)
        return;
    emit cellClicked(index);
    update(CellRect(index));
}

} // namespace tl::ui
