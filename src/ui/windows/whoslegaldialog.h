#pragma once

#include "rules/who_is_legal.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

// Who can take one pairing on one day: the legal crew members, those who
// bid the pairing number, and on demand why the others cannot take it.
class WhosLegalDialog : public QDialog {
    Q_OBJECT
public:
    WhosLegalDialog(ScheduleDocument& doc, Interaction& ui, int pairing, int day,
                    QWidget* parent = nullptr);

    QListWidget* LegalList() const { return m_legal; }
    QListWidget* BiddersList() const { return m_bidders; }
    QListWidget* ReasonsList() const { return m_reasons; }
    QPushButton* AssignButton() const { return m_assign; }
    QPushButton* WhyButton() const { return m_why; }

    // "Assign...": gives the pairing to the selected crew member.
    void Assign();

private:
    ScheduleDocument& m_doc;
    Interaction& m_ui;
    int m_pairing;
    int m_day;
    std::vector<int> m_legalCrew; // crew index of each line of the first list
    QListWidget* m_legal = nullptr;
    QListWidget* m_bidders = nullptr;
    QListWidget* m_reasons = nullptr;
    QLabel* m_reasonsLabel = nullptr;
    QPushButton* m_assign = nullptr;
    QPushButton* m_why = nullptr;
};

} // namespace tl::ui
