#pragma once

#include "model/vortime.h"

#include <QPoint>
#include <QRect>

#include <algorithm>
#include <vector>

namespace tl::ui {

// Row and column geometry of the block grid and hit testing, the same
// arithmetic both ways. Columns are day slots: 0 is the month's first day,
// 0 to 61 the block's slots, -kBandDays to -1 the last days of the previous
// month shown left of day 0. In the last-month view the columns are
// instead the extended slots 0 to 61: 0 to 30 the 31 days before the month,
// 31 on the month itself.
class GridLayout {
public:
    static constexpr int kBandDays = 3;
    static constexpr int kSlots = 62;
    static constexpr int kHeaderRows = 3;  // date, weekday, per-day balance
    static constexpr int kFooterRows = 10; // reserve summary area

    // Cell sizes from the text metrics and the paddings.
    void SetMetrics(int digitsWidth, int textHeight, int nameWidth, int creditWidth, int xPadding,
                    int yPadding);

    int NameWidth = 160;
    int CreditWidth = 48;
    int ColWidth = 32;
    int RowHeight = 20;
    int FirstRow = 0; // first visible crew row
    int ScrollX = 0;  // pixels scrolled off the day area
    int ViewWidth = 0;
    int ViewHeight = 0;
    bool LastMonthView = false;
    // Roster index of each displayed row.
    std::vector<int> Order;

    int RowCount() const { return static_cast<int>(Order.size()); }
    int HeaderHeight() const { return kHeaderRows * RowHeight; }
    // Left edge of the day area (right of the fixed name and credit columns).
    int FixedWidth() const { return NameWidth + CreditWidth; }
    // Lowest and highest column shown in the current view.
    int FirstColumn() const { return LastMonthView ? 0 : -kBandDays; }
    int LastColumn() const { return kSlots - 1; }
    // x of column 0 (the left margin of the day bars), after scrolling.
    int LeftMargin() const;
    int ColumnX(int column) const { return LeftMargin() + column * ColWidth; }
    double MinuteWidth() const { return ColWidth / double(kMinutesPerDay); }
    int RowY(int row) const { return HeaderHeight() + (row - FirstRow) * RowHeight; }
    // Rows that fit under the header, the last one possibly cut.
    int VisibleRows() const;
    // Width of the scrolled day area and how far it can scroll.
    int DayAreaWidth() const { return (LastColumn() - FirstColumn() + 1) * ColWidth; }
    int MaxScrollX() const;
    // Scrolling goes by whole days, so no day beside the name column shows
    // only part of its texts.
    int WholeColumns(int scrollX) const { return scrollX - scrollX % std::max(1, ColWidth); }
    // Rows the vertical scroll runs over: the crew rows and the footer.
    int MaxFirstRow() const;
    // The extended slot (0 to 30 last month, 31 on the month) of a column.
    int ExtendedSlot(int column) const { return LastMonthView ? column : column + 31; }

    QRect CellRect(int row, int column) const;
    QRect LabelRect(int row) const;
    QRect CreditRect(int row) const;
    QRect HeaderCellRect(int headerRow, int column) const;

    struct Hit {
        enum Area { None, Corner, Header, Label, Credit, Day, Footer };
        Area Where = None;
        int Row = -1;   // display row
        int Crew = -1;  // roster index
        int Column = 0; // valid for Header and Day
        bool operator==(const Hit&) const = default;
    };
    Hit HitTest(QPoint point) const;
};

} // namespace tl::ui
