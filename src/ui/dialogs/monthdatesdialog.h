#pragma once

#include <QDate>
#include <QDialog>

#include <cstdint>
#include <functional>

class QDateEdit;

namespace tl::ui {

// "Set Start and End Dates for the New Month": two dates. OK hands them
// (as day numbers) to `accept`, which sets the month up and says what is
// wrong when it cannot; the dialog stays open until it succeeds.
class MonthDatesDialog : public QDialog {
    Q_OBJECT
public:
    using Accept = std::function<bool(int32_t firstDay, int32_t lastDay)>;

    MonthDatesDialog(Accept accept, QWidget* parent = nullptr);

    QDateEdit* StartEdit() const { return m_start; }
    QDateEdit* EndEdit() const { return m_end; }

    void accept() override;

private:
    Accept m_accept;
    QDateEdit* m_start = nullptr;
    QDateEdit* m_end = nullptr;
};

} // namespace tl::ui
