#pragma once

#include <QDialog>

#include <array>

class QLineEdit;

namespace tl {
class Interaction;
}

namespace tl::ui {

// "Tessara Lines Pairing Filter Wizard": up to eight keywords, four to show
// and four to leave out, composed into a text filter list.
class FilterWizDialog : public QDialog {
    Q_OBJECT
public:
    FilterWizDialog(Interaction& ui, QWidget* parent = nullptr);

    // The composed list; empty after Cancel or with every field empty.
    QString Result() const { return m_result; }
    QLineEdit* Field(int i) const { return m_fields[size_t(i)]; }

    void accept() override;

signals:
    void helpRequested();

private:
    Interaction& m_ui;
    std::array<QLineEdit*, 8> m_fields{};
    QString m_result;
};

// Runs the wizard; what it leaves for the text field (empty after Cancel).
QString RunFilterWizard(Interaction& ui, QWidget* parent);

} // namespace tl::ui
