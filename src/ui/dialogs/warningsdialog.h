#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace tl {
class Interaction;
}

namespace tl::ui {

// The exceptions and warnings report: the lines as the legality engine
// left them, with a button that puts them on the clipboard.
class WarningsDialog : public QDialog {
    Q_OBJECT
public:
    WarningsDialog(const QStringList& lines, Interaction& ui, QWidget* parent = nullptr);

    QStringList Lines() const;

    // Puts the lines on the clipboard, each ending in "\r\n", and says
    // whether that worked.
    void CopyReportToClipboard();

private:
    Interaction& m_ui;
    QListWidget* m_list = nullptr;
};

} // namespace tl::ui
