#pragma once

#include "actions/pairing_edit.h"

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "Set Pairing Properties": per operating day of one pairing, its pairing
// type (the grid's per-day marks and the training report read it) and the
// credit excluded from the holder's block. Choosing another day stores the
// one shown, as OK does; Cancel drops only the changes to the day shown.
class Pairprops : public QDialog {
    Q_OBJECT
public:
    Pairprops(ScheduleDocument& doc, Interaction& ui, int pairing, QWidget* parent = nullptr);

    QComboBox* Days() const { return m_dayChoice; }
    QRadioButton* Type(int type) const { return m_types[static_cast<size_t>(type)]; }
    QCheckBox* Exclude() const { return m_exclude; }
    QLineEdit* Excluded() const { return m_excluded; }

    void accept() override;

private:
    PairPropertiesForm Form() const;
    void ShowDay(int index);
    bool StoreShown();

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    int m_pairing;
    std::vector<int> m_days; // the operating days, by the combo's index
    int m_shown = -1;
    QComboBox* m_dayChoice = nullptr;
    std::array<QRadioButton*, kPairingTypes> m_types{};
    QCheckBox* m_exclude = nullptr;
    QLineEdit* m_excluded = nullptr;
};

} // namespace tl::ui
