#include "ui/dialogs/monthdatesdialog.h"

#include "model/vortime.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLocale>

namespace tl::ui {

namespace {

QDateEdit* DateEdit(const QDate& date, const QString& name, QWidget* parent)
{
    auto* edit = new QDateEdit(date, parent);
    edit->setObjectName(name);
    // The same month names whatever the desktop's language.
    edit->setLocale(QLocale::c());
    edit->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}

int32_t DayNumber(const QDate& date)
{
    return JulianDay(date.month(), date.day(), date.year());
}

} // namespace

MonthDatesDialog::MonthDatesDialog(Accept accept, QWidget* parent)
    : QDialog(parent), m_accept(std::move(accept))
{
    setObjectName(QStringLiteral("MonthDatesDialog"));
    setWindowTitle(QStringLiteral("Set Start and End Dates for the New Month"));
    // Schedulers build next month's blocks: offer it.
    const QDate today = QDate::currentDate();
    const QDate first = QDate(today.year(), today.month(), 1).addMonths(1);
    m_start = DateEdit(first, QStringLiteral("StartDate"), this);
    m_end = DateEdit(first.addDays(first.daysInMonth() - 1), QStringLiteral("EndDate"), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &MonthDatesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Start Date:"), m_start);
    layout->addRow(QStringLiteral("End Date:"), m_end);
    layout->addRow(buttons);
}

void MonthDatesDialog::accept()
{
    if (m_accept && !m_accept(DayNumber(m_start->date()), DayNumber(m_end->date())))
        return;
    QDialog::accept();
}

} // namespace tl::ui
