#pragma once

#include "actions/pairing_filters.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

// The push-button grid of the filter windows: the month's distinct pairing
// numbers, 20 a row, a chosen one drawn sunken with blue text. A click on a
// number says which; a click past the last says nothing.
class FilterGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 20;

    FilterGrid(const ScheduleDocument& doc, std::vector<DistinctPairing> numbers,
               std::function<bool(int index)> chosen, QWidget* parent = nullptr);

    const std::vector<DistinctPairing>& Numbers() const { return m_numbers; }
    QSize CellSize() const;
    // The index of the number under `point`, -1 for none.
    int IndexAt(QPoint point) const;
    QRect CellRect(int index) const;

    QSize sizeHint() const override;

signals:
    void cellClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const ScheduleDocument& m_doc;
    std::vector<DistinctPairing> m_numbers;
    std::function<bool(int)> m_chosen;
};

} // namespace tl::ui
