#include "ui/windows/framedock.h"

#include <QCloseEvent>
#include <QMainWindow>

namespace tl::ui {

FrameDock::FrameDock(const QString& title, const QString& name, QWidget* parent)
    : QDockWidget(title, parent)
{
    setObjectName(name);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    hide();
}

void FrameDock::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

FrameDock* FindDock(const QWidget* widget, const QString& name)
{
    // A floating dock is a window of its own: the frame is further up.
    const QWidget* frame = widget;
    while (frame != nullptr && qobject_cast<const QMainWindow*>(frame) == nullptr)
        frame = frame->parentWidget();
    return frame ? frame->findChild<FrameDock*>(name, Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace tl::ui
