#pragma once

#include "actions/pairing_filters.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

class FilterGrid;

// One crew member's stored pairing filter, edited directly: the numbers
// chosen on the grid and the text filter list. OK stores it on the crew
// member; nothing is evaluated here.
class TFilterButtonsWin : public QDialog {
    Q_OBJECT
public:
    TFilterButtonsWin(ScheduleDocument& doc, Interaction& ui, int crew, QWidget* parent = nullptr);

    QComboBox* TextField() const { return m_text; }
    FilterGrid* Grid() const { return m_grid; }
    QPushButton* Button(const QString& text) const;

    void accept() override;
    void Clear();
    void Invert();

private:
    ScheduleDocument& m_doc;
    Interaction& m_ui;
    int m_crew;
    FilterButtons m_buttons;
    QComboBox* m_text = nullptr;
    FilterGrid* m_grid = nullptr;
};

// Opens the filter button window on crew member `crew`, captioned "Filters
// for " and the name; true when OK stored the filter.
bool RunFilterButtons(ScheduleDocument& doc, Interaction& ui, int crew, QWidget* parent);

} // namespace tl::ui
