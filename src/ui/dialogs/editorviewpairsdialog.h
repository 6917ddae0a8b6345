#pragma once

#include <QDialog>

class QLineEdit;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "Edit Pairings": the password that unlocks the pairing editor; left empty
// the pairings open for viewing. It only guards against editing by accident.
class EditOrViewPairsDialog : public QDialog {
    Q_OBJECT
public:
    EditOrViewPairsDialog(ScheduleDocument& doc, Interaction& ui, QWidget* parent = nullptr);

    QLineEdit* Password() const { return m_password; }

    // A wrong password says so and keeps the dialog open.
    void accept() override;

private:
    ScheduleDocument& m_doc;
    Interaction& m_ui;
    QLineEdit* m_password = nullptr;
};

} // namespace tl::ui
