#pragma once

#include <QHash>
#include <QMainWindow>

#include <functional>

class QLabel;
class QToolBar;

namespace tl {
class Interaction;
}

namespace tl::ui {

class TtlWin;

// The main frame: menu, tool bar and status bar around the block window.
class TMainDecFrameWin : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainDecFrameWin(Interaction& ui, QWidget* parent = nullptr);

    TtlWin* Client() const { return m_client; }

    // The action of a command, shared by the menu and the tool bar; null for
    // a command the frame does not carry.
    QAction* Action(int command) const { return m_actions.value(command); }

    // Name of the menu in place ("MENU_3" while no month is open).
    QString MenuName() const;

    QString StatusText() const;

    // Re-evaluates which commands are enabled.
    void UpdateCommands();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void InstallNoMonthMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void ShowAbout();

    QAction* AddAction(int command, const QString& text, const QString& icon = {});

    Interaction& m_ui;
    TtlWin* m_client = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusLabel = nullptr;
    QHash<int, QAction*> m_actions;
    QHash<int, std::function<void()>> m_handlers;
};

} // namespace tl::ui
