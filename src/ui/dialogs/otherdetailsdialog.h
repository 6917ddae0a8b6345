#pragma once

#include "actions/other_details.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "%s Assignment Details": the numbers of one other assignment. OK checks
// the fields, writes them and checks the crew member again; a field it
// cannot take keeps the dialog open with the focus on it.
class OtherDetailsDialog : public QDialog {
    Q_OBJECT
public:
    // The day must hold an other assignment (ReadOtherDetails).
    OtherDetailsDialog(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                       const OtherDetailsForm& form, QWidget* parent = nullptr);

    QLineEdit* Edit(DetailsField field) const;
    OtherDetailsForm Form() const;

    void accept() override;

private:
    ScheduleDocument& m_doc;
    Interaction& m_ui;
    int m_crew;
    int m_day;
    QLineEdit* m_code = nullptr;
    QLineEdit* m_start = nullptr;
    QLineEdit* m_atWork = nullptr;
    QLineEdit* m_credit = nullptr;
    QLineEdit* m_hard = nullptr;
    QLineEdit* m_tracking = nullptr;
    QCheckBox* m_duty = nullptr;
    QCheckBox* m_reserve = nullptr;
    QCheckBox* m_dayOff = nullptr;
    QCheckBox* m_exclude = nullptr;
    QCheckBox* m_cars = nullptr;
    QString m_date;
};

// What a click on an other assignment of the grid opens; true when the
// scheduler changed the day (the core redrew the row and re-checked it).
bool RunOtherDetailsDialog(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                           QWidget* parent);

} // namespace tl::ui
