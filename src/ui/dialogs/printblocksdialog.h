#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace tl::ui {

// "Print Blocks": the range of blocks to print, From Block to To Block
// (roster positions from 1), and whether the open flying goes with them.
class PrintBlocksDialog : public QDialog {
    Q_OBJECT
public:
    PrintBlocksDialog(int blocks, QWidget* parent = nullptr);

    int From() const;
    int To() const;
    bool OpenFlying() const;

private:
    QSpinBox* m_from = nullptr;
    QSpinBox* m_to = nullptr;
    QCheckBox* m_open = nullptr;
};

} // namespace tl::ui
