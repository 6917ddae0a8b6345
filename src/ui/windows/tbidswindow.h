#pragma once

#include "actions/bid_guess.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace tl {
class Interaction;
class ScheduleDocument;
class SettingsStore;
} // namespace tl

namespace tl::ui {

// The bids window: the crew list, a crew member's bid beside the program's
// reading of it and the description of the crew member's stored pairing
// filter, with the buttons that turn the bid into day-off requests and a
// pairing filter. A floating window kept where the scheduler left it
// (BidWinX, BidWinY, BidWinW, BidWinH).
class TBidsWindow : public QWidget {
    Q_OBJECT
public:
    // `order` gives the roster indices of the grid's rows, in their order.
    TBidsWindow(ScheduleDocument& doc, Interaction& ui, SettingsStore& settings,
                std::function<std::vector<int>()> order, QWidget* parent = nullptr);
    ~TBidsWindow() override;

    QListWidget* CrewList() const { return m_list; }
    QPlainTextEdit* BidPane() const { return m_bid; }
    QPlainTextEdit* GuessPane() const { return m_guess; }
    QPlainTextEdit* FilterPane() const { return m_filter; }
    QPushButton* FiltersButton() const { return m_filtersButton; }
    // The bid pane's context menu, built on each call.
    QMenu* ContextMenu();

    // The roster index of the crew member shown; -1 for none.
    int SelectedCrew() const;
    const BidRequests& Requests() const { return m_requests; }

    // Fills the list again from the grid's rows, keeping the crew member shown.
    void FillList();
    // Stores the bid pane's text as the crew member's bid: a change of its
    // length asks first. The window saves before it shows another crew
    // member or closes, and when it is clicked.
    void SaveBid();

    // The buttons.
    void SetFilters();
    void SetDayOffRequests();
    void ToggleFilters();
    // Shows the stored filter's description again and, while filters are
    // on, applies it again (after the filter was edited elsewhere).
    void FilterEdited();

signals:
    // Something the grid or the pairings board shows changed.
    void documentChanged();
    // "Pilot Info Dialog" for a crew member (roster index).
    void pilotInfoRequested(int crew);
    // "SELECT FILTERS" or a click in the filter pane.
    void selectFiltersRequested(int crew);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ShowCrew();
    void ReadBid();
    void EmailPilot();

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    SettingsStore& m_settings;
    std::function<std::vector<int>()> m_order;
    std::vector<int> m_rows;  // roster index of each list line
    int32_t m_empNumber = -1; // the crew member last shown
    int m_shown = -1;         // roster index whose bid the pane holds
    std::string m_loaded;     // that crew member's bid as the pane got it
    bool m_saving = false;
    BidRequests m_requests{};

    QListWidget* m_list = nullptr;
    QPlainTextEdit* m_bid = nullptr;
    QPlainTextEdit* m_guess = nullptr;
    QPlainTextEdit* m_filter = nullptr;
    QPushButton* m_filtersButton = nullptr;
};

} // namespace tl::ui
