#pragma once

#include "actions/crew_complement.h"

#include <QDialog>

class QListWidget;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// "Change Crew Required for Pairings" (captains and first officers) or
// "Change FA Crew Required for Pairings": the scheduler selects the pairing
// days with the extra crew member. Opening takes the marks apart, so the
// selection is applied however the dialog ends: Done, Escape or the close
// button.
class CrewComplementDialog : public QDialog {
    Q_OBJECT
public:
    CrewComplementDialog(ScheduleDocument& doc, Interaction& ui, QWidget* parent = nullptr);
    ~CrewComplementDialog() override;

    QListWidget* List() const { return m_list; }
    bool Applied() const { return m_applied; }

    void done(int result) override;

private:
    // CrewComplementDone with the list's selection; true when applied.
    bool Apply();

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    ComplementDialog m_opened;
    QListWidget* m_list = nullptr;
    bool m_applied = false;
};

} // namespace tl::ui
