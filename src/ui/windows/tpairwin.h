#pragma once

#include "output/pairings_board.h"
#include "storage/settings.h"

#include <QAbstractTableModel>
#include <QWidget>

class QTableView;

namespace tl {
class ScheduleDocument;
}

namespace tl::ui {

// The pairings board as a table: one column per day of the month.
class PairingsBoardModel : public QAbstractTableModel {
    Q_OBJECT
public:
    PairingsBoardModel(const ScheduleDocument& doc, const GridColours& colours,
                       QObject* parent = nullptr);

    // Lays the board out again from the document (assignments, the
    // open-pairings switch, another month).
    void Relayout();
    // Same board, new colours and highlights.
    void Repaint();
    // The document is going: the board empties and reads it no more.
    void Detach();

    const PairingsBoard& Board() const { return m_board; }
    BoardCell Cell(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ScheduleDocument* m_doc;
    GridColours m_colours;
    PairingsBoard m_board;
};

// The floating pairings window. Choosing a pairing day (double click or
// Enter) asks for its Who Is Legal list; a single click asks for its text.
class TPairWin : public QWidget {
    Q_OBJECT
public:
    TPairWin(const ScheduleDocument& doc, const GridColours& colours, QWidget* parent = nullptr);

    QTableView* View() const { return m_view; }
    PairingsBoardModel* Model() const { return m_model; }

    // After an assignment or a change of the pairings: the board laid out
    // again where the view stands.
    void Relayout();
    // The caption the filter state calls for.
    void UpdateCaption();
    // No board cell chosen (after the filters changed the board).
    void ClearSelection();
    // Selects the board cell where a pairing day starts; false when it is
    // not on the board.
    bool SelectPairing(int pairing, int day);

signals:
    void PairingChosen(int pairing, int day);
    void PairingClicked(int pairing, int day);

private:
    const ScheduleDocument& m_doc;
    PairingsBoardModel* m_model = nullptr;
    QTableView* m_view = nullptr;
};

} // namespace tl::ui
