#pragma once

#include <QDialog>
#include <QStringList>

#include <string_view>

class QTreeWidget;

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

// The transaction history, newest first, one line per transaction in four
// columns: kind, pairing number, date and name. It only displays.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit HistoryDialog(const ScheduleDocument& doc, QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    // The history text cut into entries at each "+".
    static QStringList Entries(std::string_view historyText);

private:
    QTreeWidget* m_list = nullptr;
};

} // namespace tl::ui
