#pragma once

class QPainter;
class QRect;

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

} // namespace tl::ui
