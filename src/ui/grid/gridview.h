#pragma once

#include "ui/grid/grid_layout.h"
#include "ui/grid/grid_style.h"

#include <QAbstractScrollArea>

namespace tl {
class Interaction;
class ScheduleDocument;
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

    // Repaints what a change named.
    void RepaintCrewCells(int crew, int firstDay, int lastDay);
    void RepaintHeaderDay(int day);
    void RepaintAll();

signals:
    void HoverTextChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // The mouse actions that change blocks (drag, right and middle button,
    // clicks on other assignments) go here once the assignment operations
    // exist; HitTest of Layout() says which crew member and day was hit.

private:
    void UpdateMetrics();
    void UpdateScrollBars();
    void SetLastMonthView(bool on);
    void SetAllCredits(bool on);
    void UpdateHover(QPoint point);

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    GridStyle m_style;
    GridLayout m_layout;
    bool m_allCredits = false;
    GridLayout::Hit m_hoverHit;
    QString m_hoverText;
};

} // namespace tl::ui
