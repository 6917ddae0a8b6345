#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QLineEdit;

namespace tl {
class Interaction;
}

namespace tl::ui {

// "Load Quarnelle Pairings": which pairings of the pairing file to load. By
// default the base and equipment come from the month's crew group; the check
// box takes the base letter and equipment digit typed here instead.
class LoadPairsOnlyDialog : public QDialog {
    Q_OBJECT
public:
    explicit LoadPairsOnlyDialog(Interaction& ui, QWidget* parent = nullptr);

    bool Manual() const;
    // The base letter and the equipment digit (empty: every equipment).
    std::string BaseAndEqp() const;
    QLineEdit* BaseCode() const { return m_base; }
    QLineEdit* EqpCode() const { return m_eqp; }
    QCheckBox* UseManual() const { return m_manual; }

    void accept() override;

private:
    Interaction& m_ui;
    QLineEdit* m_base = nullptr;
    QLineEdit* m_eqp = nullptr;
    QCheckBox* m_manual = nullptr;
};

} // namespace tl::ui
