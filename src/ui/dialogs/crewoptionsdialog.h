#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tl {
class TPilot;
}

namespace tl::ui {

// The small crew dialog of the grid's right button on a free day: whether
// the crew member bids reserve or is on leave, whether the block is
// complete, and the name. Accept() writes them back.
class CrewOptionsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNameLength = 40;

    explicit CrewOptionsDialog(const TPilot& crew, QWidget* parent = nullptr);

    // Writes the three fields into `crew`; true when anything changed.
    bool Apply(TPilot& crew) const;

    QCheckBox* BidReserveBox() const { return m_bidReserve; }
    QCheckBox* CompleteBox() const { return m_complete; }
    QLineEdit* NameEdit() const { return m_name; }

private:
    QCheckBox* m_bidReserve = nullptr;
    QCheckBox* m_complete = nullptr;
    QLineEdit* m_name = nullptr;
};

} // namespace tl::ui
