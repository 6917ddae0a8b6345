#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

class GridLayout;
struct GridStyle;

// Draws the part `dirty` of the grid: header, name and credit columns, the
// visible crew rows, the reserve footer and the viewer watermark. Reads the
// document only; every index it meets is checked first.
void PaintGrid(QPainter& painter, const ScheduleDocument& doc, const GridStyle& style,
               const GridLayout& layout, const QRect& dirty, bool allCredits);

// A text of the grid as drawn in its room: cut short with "…" when the font
// says it does not fit.
struct FittedText {
    QString Full;
    QString Shown;
    QRect Room;
    bool Cut() const { return Shown != Full; }
};
FittedText FitText(const QFont& font, const QString& text, const QRect& room);

// The text drawn cut short at `point` (a name, a code, a pairing number, last
// month's entries, the group), for its tooltip; Full is empty where nothing
// is cut.
FittedText CutTextAt(const ScheduleDocument& doc, const GridStyle& style, const GridLayout& layout,
                     QPoint point);

} // namespace tl::ui
