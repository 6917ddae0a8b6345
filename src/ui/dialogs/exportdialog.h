#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "Export Schedules for Quarnelle Crew Trac": the file name, base and
// equipment codes and crew type of the BAW and LIN files, the checklist to go
// through first, and the "Export Summary" list that "Export Now" fills.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    ExportDialog(ScheduleDocument& doc, Interaction& ui, QWidget* parent = nullptr);

    QLineEdit* FileName() const { return m_fileName; }
    QLineEdit* BaseCode() const { return m_baseCode; }
    QLineEdit* EqpCode() const { return m_eqpCode; }
    QRadioButton* CrewTypeButton(int type) const { return m_types[type]; }
    QPushButton* ExportNowButton() const { return m_exportNow; }
    QStringList Summary() const;

    // "Export Now".
    void ExportSchedules();

private:
    ScheduleDocument& m_doc;
    Interaction& m_ui;
    QLineEdit* m_fileName = nullptr;
    QLineEdit* m_baseCode = nullptr;
    QLineEdit* m_eqpCode = nullptr;
    QRadioButton* m_types[3] = {};
    QPushButton* m_exportNow = nullptr;
    QListWidget* m_summary = nullptr;
};

} // namespace tl::ui
