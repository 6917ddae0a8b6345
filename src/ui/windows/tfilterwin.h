#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;

namespace tl {
class Interaction;
class ScheduleDocument;
} // namespace tl

namespace tl::ui {

class FilterGrid;

// Fills an editable combo's list from the text filter history.
void FillFilterHistory(QComboBox& combo, const ScheduleDocument& doc);

// The floating pairing filter window: a text filter list with its history,
// a crew member to save the filter to or recall it from, and a grid of the
// month's pairing numbers to choose pairings one by one.
class TFilterWin : public QWidget {
    Q_OBJECT
public:
    TFilterWin(ScheduleDocument& doc, Interaction& ui, QWidget* parent = nullptr);

    QComboBox* TextField() const { return m_text; }
    QComboBox* CrewChooser() const { return m_crew; }
    FilterGrid* Grid() const { return m_grid; }
    QPushButton* Button(const QString& text) const;

    void Apply();
    void Remove();
    void Invert();
    void Save();
    void Recall();
    void Wizard();

signals:
    // A stored filter changed: the month is modified.
    void filtersSaved();

private:
    ScheduleDocument& m_doc;
    Interaction& m_ui;
    QComboBox* m_text = nullptr;
    QComboBox* m_crew = nullptr;
    FilterGrid* m_grid = nullptr;
};

} // namespace tl::ui
