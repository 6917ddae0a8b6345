#pragma once

#include "actions/pairing_edit.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// The pairing editor: one pairing of the table at a time, its header, the
// days of the month it operates and one duty day. Moving to another pairing
// stores the header (StorePairInfo); moving to another duty day stores that
// day; OK stores both. Locked (viewing), nothing is stored. There is no
// Cancel: closing the window is OK.
class PairDialog : public QDialog {
    Q_OBJECT
public:
    PairDialog(ScheduleDocument& doc, Interaction& ui, const QString& caption,
               QWidget* parent = nullptr);

    enum class Field { Number, On, Off, Credit, Length, Tafb, Start, Duty, Hard, DayCredit };
    QLineEdit* Edit(Field field) const { return m_edits[static_cast<size_t>(field)]; }
    // The box of day `day` of the month (0-based).
    QCheckBox* DayBox(int day) const { return m_days[static_cast<size_t>(day)]; }
    QScrollBar* PairBar() const { return m_pairBar; }
    QScrollBar* DutyDayBar() const { return m_dutyBar; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* PropertiesButton() const { return m_properties; }
    QLabel* PositionLabel() const { return m_position; }
    QLabel* DutyDayLabel() const { return m_dutyLabel; }
    int Current() const { return m_current; }

    PairForm Form() const;
    DutyDayForm DutyDay() const;

    void accept() override;
    void reject() override { accept(); }

private:
    void ShowCurrent();
    void ShowDutyDay();
    void MoveTo(int pairing);
    void DutyDayMoved(int dutyDay);
    void OpenProperties();

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    int m_current = 0;
    int m_dutyDay = 0;
    std::array<QLineEdit*, 10> m_edits{};
    std::array<QCheckBox*, 31> m_days{};
    QScrollBar* m_pairBar = nullptr;
    QScrollBar* m_dutyBar = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_properties = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_dutyLabel = nullptr;
};

} // namespace tl::ui
