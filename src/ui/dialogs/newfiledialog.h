#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QGroupBox;
class QPushButton;

namespace tl {
class Interaction;
class ScheduleDocument;
class SettingsStore;
} // namespace tl

namespace tl::ui {

// The work of each step of the new-file wizard; a load returns whether it
// completed. A step left empty loads nothing.
struct NewFileSteps {
    std::function<void()> ToolBoxAndMonth; // toolbox import, then Setup Month
    std::function<bool()> Roster;
    std::function<bool(bool nextMonth)> Absences;
    std::function<bool()> LastMonth;
    std::function<bool(bool anyEquipment)> Pairings;
    std::function<void()> ScanLis;
    std::function<bool()> SaveAs;
};

// "Create a New File Wizard": the crew group, then one import a click on
// ">> Next >>", then saving the new file. The group's code, kind and
// days-off rules go into the month; the choice is kept in the settings.
class NewFileDialogACR : public QDialog {
    Q_OBJECT
public:
    NewFileDialogACR(ScheduleDocument& doc, Interaction& ui, SettingsStore& settings,
                     NewFileSteps steps, QWidget* parent = nullptr);

    int Step() const { return m_step; }
    // The save step ran: Finished builds the blocks.
    bool BuildOnFinish() const { return m_buildOnFinish; }
    QString Instruction() const;
    // "Not Loaded" or "Done" of "Roster", "Absences", "Overlap Info" and
    // "Current Pairings".
    QString Status(const QString& caption) const;

    void Next();
    void Back();

private:
    // Step 0: the crew group from the buttons or the typed fields; false
    // when refused or not confirmed.
    bool ChooseGroup();
    // Runs a step's work with the wizard disabled.
    template <typename F> auto Run(F&& work);
    void ShowText(int number);
    void MarkDone(QLabel* status);
    void ApplyStatusRule();

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    SettingsStore& m_settings;
    NewFileSteps m_steps;
    int m_step = 0;
    bool m_buildOnFinish = false;

    QButtonGroup* m_bases = nullptr;
    QButtonGroup* m_statuses = nullptr;
    QButtonGroup* m_equipment = nullptr;
    QGroupBox* m_equipmentBox = nullptr;
    QCheckBox* m_useAlternate = nullptr;
    QLineEdit* m_altBase = nullptr;
    QLineEdit* m_altEqp = nullptr;
    QLineEdit* m_altStatus = nullptr;
    QLineEdit* m_altLetter = nullptr;
    QLabel* m_roster = nullptr;
    QLabel* m_absences = nullptr;
    QLabel* m_overlap = nullptr;
    QLabel* m_pairings = nullptr;
    QLabel* m_instruction = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_finished = nullptr;
};

} // namespace tl::ui
