#include "ui/grid/grid_layout.h"

#include <algorithm>

namespace tl::ui {

void GridLayout::SetMetrics(int digitsWidth, int textHeight, int nameWidth, int creditWidth,
                            int xPadding, int yPadding)
{
    ColWidth = std::max(16, digitsWidth + 2 * xPadding);
    RowHeight = std::max(10, textHeight + 2 * yPadding);
    NameWidth = std::max(40, nameWidth);
    CreditWidth = std::max(20, creditWidth);
}

int GridLayout::LeftMargin() const
{
    return FixedWidth() - FirstColumn() * ColWidth - ScrollX;
}

int GridLayout::VisibleRows() const
{
    int area = std::max(0, ViewHeight - HeaderHeight());
    return (area + RowHeight - 1) / RowHeight;
}

int GridLayout::MaxScrollX() const
{
    // Rounded up to a whole day, so the last one comes fully into view.
    const int beyond = std::max(0, DayAreaWidth() - std::max(0, ViewWidth - FixedWidth()));
    return WholeColumns(beyond + std::max(1, ColWidth) - 1);
}

int GridLayout::MaxFirstRow() const
{
    int whole = std::max(0, ViewHeight - HeaderHeight()) / RowHeight;
    return std::max(0, RowCount() + kFooterRows - whole);
}

QRect GridLayout::CellRect(int row, int column) const
{
    return QRect(ColumnX(column), RowY(row), ColWidth, RowHeight);
}

QRect GridLayout::LabelRect(int row) const
{
    return QRect(0, RowY(row), NameWidth, RowHeight);
}

QRect GridLayout::CreditRect(int row) const
{
    return QRect(NameWidth, RowY(row), CreditWidth, RowHeight);
}

QRect GridLayout::HeaderCellRect(int headerRow, int column) const
{
    return QRect(ColumnX(column), headerRow * RowHeight, ColWidth, RowHeight);
}

GridLayout::Hit GridLayout::HitTest(QPoint point) const
{
    Hit hit;
    if (point.x() < 0 || point.y() < 0 || point.x() >= ViewWidth || point.y() >= ViewHeight)
        return hit;
    int column = FirstColumn();
    bool inDays = point.x() >= FixedWidth();
    if (inDays) {
        int offset = point.x() - LeftMargin();
        // Floor division: the band lies left of column 0.
        column = offset >= 0 ? offset / ColWidth : -((-offset + ColWidth - 1) / ColWidth);
        if (column < FirstColumn() || column > LastColumn())
            return hit;
    }
    if (point.y() < HeaderHeight()) {
        hit.Where = inDays ? Hit::Header : Hit::Corner;
        hit.Column = column;
        return hit;
    }
    int row = FirstRow + (point.y() - HeaderHeight()) / RowHeight;
    if (row >= RowCount()) {
        hit.Where = Hit::Footer;
        hit.Column = column;
        return hit;
    }
    hit.Row = row;
    hit.Crew = Order[static_cast<size_t>(row)];
    hit.Column = column;
    if (inDays)
        hit.Where = Hit::Day;
    else
        hit.Where = point.x() < NameWidth ? Hit::Label : Hit::Credit;
    return hit;
}

} // namespace tl::ui
