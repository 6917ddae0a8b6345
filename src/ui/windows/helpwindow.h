#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace tl::ui {

// The program's help pages, compiled into it, in a window of their own that
// stays open beside the grid.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows a page: "index.html" (contents) or "using.html" (help on help).
    void ShowPage(const QString& page);
    QUrl Page() const;

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace tl::ui
