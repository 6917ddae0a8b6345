#pragma once

#include "actions/employee_info.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "Employee Info": one crew member's settings, carry-in and last month's
// activity. The controls write into the form only when the scheduler
// changes them, so OK on an untouched dialog stores nothing new. A refused
// OK keeps the dialog open (on the day at fault). Read-only, the dialog
// shows the crew member and closes without changing the month.
class PilotInfoDialog : public QDialog {
    Q_OBJECT
public:
    PilotInfoDialog(ScheduleDocument& doc, Interaction& ui, int crew, bool readOnly,
                    QWidget* parent = nullptr);

    const EmployeeInfoForm& Form() const { return m_form; }
    // The extended slot the previous-month group shows (0 to 61).
    int ShownDay() const { return m_day; }
    void ShowDay(int extended);

    void accept() override;

private:
    QLineEdit* AmountEdit(std::string EmployeeInfoForm::*field, const char* name);
    QLineEdit* DayEdit(std::string CarryDayForm::*field, const char* name);
    QCheckBox* OptionBox(const QString& text, bool EmployeeInfoForm::*field, const char* name);
    QScrollBar* LimitBar(int32_t EmployeeInfoForm::*field, int low, int high, const char* name);
    void ShowLimits();

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    int m_crew;
    bool m_readOnly;
    EmployeeInfoForm m_form;
    int m_day = 30; // the day before the month
    // Set while the dialog itself fills its controls.
    bool m_filling = false;

    QScrollBar* m_minDaysOff = nullptr;
    QScrollBar* m_minBlock = nullptr;
    QScrollBar* m_maxBlock = nullptr;
    QLabel* m_minDaysOffText = nullptr;
    QLabel* m_minBlockText = nullptr;
    QLabel* m_maxBlockText = nullptr;

    QScrollBar* m_dayBar = nullptr;
    QLabel* m_dayLabel = nullptr;
    struct DayControl {
        QLineEdit* edit;
        std::string CarryDayForm::*field;
    };
    std::vector<DayControl> m_dayEdits;
    QCheckBox* m_worked = nullptr;
    QCheckBox* m_carsDuty = nullptr;
    QCheckBox* m_sim = nullptr;
};

// Opens the dialog for crew member `crew`; true when OK stored a change
// (the core checked the crew member again and asked the grid to repaint).
bool RunPilotInfoDialog(ScheduleDocument& doc, Interaction& ui, int crew, bool readOnly,
                        QWidget* parent);

} // namespace tl::ui
