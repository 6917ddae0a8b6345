#include "ui/grid/ttlwin.h"

#include <QPainter>

namespace tl::ui {

TtlWin::TtlWin(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TtlWin"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

CommandContext TtlWin::Context() const
{
    CommandContext context;
    context.DisplayState = m_displayState;
    context.Untitled = m_untitled;
    context.BuildState = m_buildState;
    return context;
}

void TtlWin::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_displayState != 3)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect(), Qt::AlignCenter,
                     tr("No month is open."));
}

} // namespace tl::ui
