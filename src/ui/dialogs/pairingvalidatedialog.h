#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QListWidgetItem;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "Pairing Warnings and Report": the pairings that fail validation and the
// month's credit report. A double click on a pairing's line opens the
// editor on it (`edit`, which runs the editor on CurrentPair); the list is
// filled again when the editor closes.
class PairingValidateDialog : public QDialog {
    Q_OBJECT
public:
    PairingValidateDialog(ScheduleDocument& doc, Interaction& ui, std::function<void()> edit,
                          QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }
    void Fill();
    void OpenLine(QListWidgetItem* item);

signals:
    void helpRequested();

private:
    ScheduleDocument& m_doc;
    Interaction& m_ui;
    std::function<void()> m_edit;
    QListWidget* m_list = nullptr;
};

} // namespace tl::ui
