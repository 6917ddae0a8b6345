#include "ui/dialogs/setupmonthdialog.h"

#include "model/schedule_document.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tl::ui {

namespace {

// Minutes shown and typed as h:mm; a bare number is taken as hours.
class HoursMinutesSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override
    {
        const int shown = value < 0 ? -value : value;
        return QStringLiteral("%1%2:%3")
            .arg(value < 0 ? QStringLiteral("-") : QString())
            .arg(shown / 60)
            .arg(shown % 60, 2, 10, QLatin1Char('0'));
    }

    int valueFromText(const QString& text) const override
    {
        const QRegularExpressionMatch m = Pattern().match(text.trimmed());
        if (!m.hasMatch())
            return value();
        const long long minutes = m.captured(2).toLongLong() * 60 + m.captured(3).toInt();
        const long long signedMinutes = m.captured(1).isEmpty() ? minutes : -minutes;
        return static_cast<int>(std::clamp<long long>(signedMinutes, minimum(), maximum()));
    }

    QValidator::State validate(QString& text, int&) const override
    {
        const QString t = text.trimmed();
        if (t.isEmpty() || t == QStringLiteral("-"))
            return QValidator::Intermediate;
        return Pattern().match(t).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
    }

private:
    static const QRegularExpression& Pattern()
    {
        static const QRegularExpression pattern(
            QStringLiteral("^(-?)(\\d{1,4})(?::([0-5]?\\d)?)?$"));
        return pattern;
    }
};

struct RuleRow {
    std::size_t Rule;
    const char* Caption;
    bool Minutes;
    int Limit; // top of the scroll bar
};

// clang-format off
const RuleRow kRows[] = {
    {MonthRule::AvgCredit,           "Avg",                            true,  200 * 60},
    {MonthRule::MaxCredit,           "Max",                            true,  200 * 60},
    {MonthRule::MinCredit,           "Min",                            true,  200 * 60},
    {MonthRule::BlockHolderDaysOff,  "Days Off Required, Block Holder", false, 31},
    {MonthRule::ReserveDaysOff,      "Days Off Required, Reserve",      false, 31},
    {MonthRule::ReducedMaxCredit,    "Reduced Block Max Credit",        true,  200 * 60},
    {MonthRule::ReducedMinCredit,    "Reduced Block Min Credit",        true,  200 * 60},
    {MonthRule::ReducedDaysOff,      "Reduced Block Min Days Off",      false, 31},
    {MonthRule::CheckPilotMaxCredit, "Check Pilot Max Pair Credit",     true,  200 * 60},
};
// clang-format on

} // namespace

SetupMonthDialog::SetupMonthDialog(const ScheduleDocument& doc, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetupMonthDialog"));
    setWindowTitle(QStringLiteral("Setup Month"));

    auto* credits = new QGroupBox(QStringLiteral("Block Credit"), this);
    auto* creditGrid = new QGridLayout(credits);
    auto* others = new QGroupBox(QStringLiteral("Days Off and Limits"), this);
    auto* otherGrid = new QGridLayout(others);
    for (const RuleRow& row : kRows) {
        const int value = doc.MonthRules[row.Rule];
        QSpinBox* field = row.Minutes ? new HoursMinutesSpinBox(this) : new QSpinBox(this);
        field->setObjectName(QStringLiteral("MonthRule%1").arg(row.Rule));
        // A stored value outside the usual range is shown as it is, not cut.
        field->setRange(std::min(0, value), std::max(row.Limit, value));
        field->setSingleStep(row.Minutes ? 15 : 1);
        field->setValue(value);
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setRange(field->minimum(), field->maximum());
        bar->setSingleStep(field->singleStep());
        bar->setPageStep(row.Minutes ? 60 : 5);
        bar->setValue(value);
        bar->setMinimumWidth(220);
        // Only a change: setting the field anew would rewrite what is being typed.
        connect(bar, &QScrollBar::valueChanged, field, [field](int v) {
            if (field->value() != v)
                field->setValue(v);
        });
        connect(field, &QSpinBox::valueChanged, bar, &QScrollBar::setValue);
        auto* label = new QLabel(QString::fromLatin1(row.Caption), this);
        label->setBuddy(field);
        QGridLayout* grid = row.Rule <= MonthRule::MinCredit ? creditGrid : otherGrid;
        const int line = grid->rowCount();
        grid->addWidget(label, line, 0);
        grid->addWidget(field, line, 1);
        grid->addWidget(bar, line, 2);
        m_fields[row.Rule - kFirstRule] = field;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(credits);
    layout->addWidget(others);
    layout->addWidget(buttons);
}

QSpinBox* SetupMonthDialog::Field(std::size_t rule) const
{
    if (rule < kFirstRule || rule > kLastRule)
        return nullptr;
    return m_fields[rule - kFirstRule];
}

bool SetupMonthDialog::Store(ScheduleDocument& doc) const
{
    bool changed = false;
    for (std::size_t rule = kFirstRule; rule <= kLastRule; ++rule) {
        const int value = Field(rule)->value();
        if (doc.MonthRules[rule] != value) {
            doc.MonthRules[rule] = value;
            changed = true;
        }
    }
    if (changed)
        doc.Modified = true;
    return changed;
}

} // namespace tl::ui
