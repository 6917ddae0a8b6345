#pragma once

#include <QDockWidget>

namespace tl::ui {

// Names of the frame's docks; the saved layout finds them by these.
inline QString PairingsDockName()
{
    return QStringLiteral("PairingsDock");
}
inline QString ToolBoxDockName()
{
    return QStringLiteral("ToolBoxDock");
}
inline QString PairTextDockName()
{
    return QStringLiteral("PairTextDock");
}

// One of the frame's windows, docked at its edges: movable, floatable and
// closable. Closed tells the user's closing apart from the program hiding it.
class FrameDock : public QDockWidget {
    Q_OBJECT
public:
    FrameDock(const QString& title, const QString& name, QWidget* parent);

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The dock of that name in the main window `widget` is or lies in; null when there is none.
FrameDock* FindDock(const QWidget* widget, const QString& name);

} // namespace tl::ui
