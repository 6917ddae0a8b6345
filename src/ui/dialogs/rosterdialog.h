#pragma once

#include <QDialog>
#include <QListWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// The roster list of the editor: lines are reordered by dragging them; the
// status line follows the drag.
class RosterList : public QListWidget {
    Q_OBJECT
public:
    explicit RosterList(QWidget* parent = nullptr);

signals:
    // While line `dragged` is over line `over` (-1 outside the list).
    void DragOver(int dragged, int over);
    void Dropped(int dragged, int target);

protected:
    void startDrag(Qt::DropActions actions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int LineAt(QPoint pos) const;
    int m_dragged = -1;
};

// "EDIT ROSTER": inserts, deletes and reorders crew members. Every change
// is made at once and empties the undo history; OK only closes.
class RosterDialog : public QDialog {
    Q_OBJECT
public:
    RosterDialog(ScheduleDocument& doc, Interaction& ui, QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }
    QLineEdit* IndexEdit() const { return m_index; }
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* EmpEdit() const { return m_emp; }
    QString StatusText() const;

    void Insert();
    void DeleteSelected();
    // Dropping line `dragged` on line `target`.
    void DropLine(int dragged, int target);

private:
    void Refill();
    void ClearEdits();

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    RosterList* m_list = nullptr;
    QLineEdit* m_index = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_emp = nullptr;
    QLabel* m_status = nullptr;
};

// "Tessara Lines Move Employee on Roster" for crew member `crew`: true when
// the crew member moved (the grid then repaints from GridChanged).
bool RunMoveEmployeeDialog(ScheduleDocument& doc, int crew, QWidget* parent);

} // namespace tl::ui
