#pragma once

#include <QDialog>
#include <QStringList>

#include <string>
#include <vector>

class QListWidget;

namespace tl {
class Interaction;
}

namespace tl::ui {

// The "Global Information" list: the month's credit, the open time and where
// it runs out in seniority order, with a button that copies the list.
class GlobalInfoDialog : public QDialog {
    Q_OBJECT
public:
    GlobalInfoDialog(const std::vector<std::string>& lines, Interaction& ui,
                     QWidget* parent = nullptr);

    QStringList Lines() const;

    // Puts the list on the clipboard, each line ending in "\r\n", and says
    // whether that worked.
    void CopyToClipboard();

private:
    Interaction& m_ui;
    std::vector<std::string> m_lines;
    QListWidget* m_list = nullptr;
};

} // namespace tl::ui
