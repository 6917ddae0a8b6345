#pragma once

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <functional>

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

    // What the pages say of commands this program does not have yet: a
    // "<!--cmd ID-->" after a command becomes "(not available yet)" when
    // `available` says no, and "<!--unavailable-->" the list of `missing`
    // menu items.
    void SetAvailability(std::function<bool(int command)> available, QStringList missing);

    // A page's text with the marks above filled in.
    static QString MarkUnavailable(QString html, const std::function<bool(int)>& available,
                                   const QStringList& missing);

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace tl::ui
