#pragma once

#include "ui/frame/commands.h"

#include <QWidget>

namespace tl::ui {

// The main block-building window, the frame's client. It owns the month's
// document; while no month is open it shows an empty work area.
class TtlWin : public QWidget {
    Q_OBJECT
public:
    explicit TtlWin(QWidget* parent = nullptr);

    int DisplayState() const { return m_displayState; }
    CommandContext Context() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_displayState = 3;
    bool m_untitled = false;
    int m_buildState = 0;
};

} // namespace tl::ui
