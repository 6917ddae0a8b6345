#pragma once

#include <QListWidget>
#include <QWidget>

class QLabel;

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

// The drag payload of a toolbox item (see EncodeToolBoxItem).
inline constexpr char kToolBoxItemMime[] = "application/x-tessara-toolbox-item";

// The item list: every line but the heading is a drag source.
class ToolBoxList : public QListWidget {
    Q_OBJECT
public:
    explicit ToolBoxList(QWidget* parent = nullptr);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
};

// The toolbox, docked in the frame: the request items, then the activity items of the
// loaded toolbox or of the built-in table. Dragging an item onto a day of
// a block puts it there.
class ToolBoxWindow : public QWidget {
    Q_OBJECT
public:
    ToolBoxWindow(ScheduleDocument& doc, QWidget* parent = nullptr);

    // Fills the list again from the document (crew kind, toolbox records).
    void Refill();
    // Refills only when the items would differ (a toolbox import, another
    // month), so a drop does not lose the list's scroll position.
    void Sync();

    QListWidget* List() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    ScheduleDocument& m_doc;
    ToolBoxList* m_list = nullptr;
    QString m_filled; // what the last fill was made from
};

} // namespace tl::ui
