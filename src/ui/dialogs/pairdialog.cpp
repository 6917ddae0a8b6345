#include "ui/dialogs/pairdialog.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "ui/dialogs/pairprops.h"
#include "ui/seam/qtinteraction.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace tl::ui {

namespace {

// Time fields take digits in the pictures "##:##" and "###:##".
QLineEdit* TimeEdit(const QString& mask, const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setInputMask(mask);
    return edit;
}

} // namespace

PairDialog::PairDialog(ScheduleDocument& doc, Interaction& ui, const QString& caption,
                       QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui), m_current(FirstEditedPair(doc))
{
    setObjectName(QStringLiteral("PairDialog"));
    setWindowTitle(caption);
    const QString clock = QStringLiteral("99:99;_");
    auto& e = m_edits;
    e[size_t(Field::Number)] = new QLineEdit(this);
    e[size_t(Field::Number)]->setObjectName(QStringLiteral("Number"));
    e[size_t(Field::Number)]->setMaxLength(4);
    e[size_t(Field::Number)]->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), this));
    e[size_t(Field::On)] = TimeEdit(clock, QStringLiteral("On"), this);
    e[size_t(Field::Off)] = TimeEdit(clock, QStringLiteral("Off"), this);
    e[size_t(Field::Credit)] = TimeEdit(clock, QStringLiteral("Credit"), this);
    e[size_t(Field::Length)] = new QLineEdit(this);
    e[size_t(Field::Length)]->setObjectName(QStringLiteral("Len"));
    e[size_t(Field::Tafb)] = TimeEdit(QStringLiteral("999:99;_"), QStringLiteral("TAFB"), this);
    e[size_t(Field::Start)] = TimeEdit(clock, QStringLiteral("StartTime"), this);
    e[size_t(Field::Duty)] = TimeEdit(clock, QStringLiteral("TimeOnDuty"), this);
    e[size_t(Field::Hard)] = TimeEdit(clock, QStringLiteral("HardTime"), this);
    e[size_t(Field::DayCredit)] = TimeEdit(clock, QStringLiteral("CreditHours"), this);
    // Off and Len follow from On and TAFB: shown, never read back.
    for (Field shown : {Field::Off, Field::Length})
        Edit(shown)->setReadOnly(true);

    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("Position"));
    m_pairBar = new QScrollBar(Qt::Horizontal, this);
    m_pairBar->setObjectName(QStringLiteral("PairBar"));
    m_pairBar->setRange(0,
                        std::max(0, std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1)));
    m_pairBar->setPageStep(std::clamp(m_pairBar->maximum() / 10, 1, 10));
    m_next = new QPushButton(QStringLiteral("+"), this);
    m_previous = new QPushButton(QStringLiteral("-"), this);
    for (QPushButton* b : {m_next, m_previous}) {
        b->setAutoDefault(false);
        b->setFixedWidth(32);
    }

    auto* header = new QGridLayout;
    header->addWidget(new QLabel(QStringLiteral("Pairing"), this), 0, 0);
    header->addWidget(Edit(Field::Number), 0, 1);
    header->addWidget(m_position, 0, 2, 1, 2);
    header->addWidget(m_previous, 0, 4);
    header->addWidget(m_next, 0, 5);
    header->addWidget(m_pairBar, 1, 0, 1, 6);
    const std::pair<const char*, Field> headerFields[] = {{"On", Field::On},
                                                          {"Off", Field::Off},
                                                          {"Credit", Field::Credit},
                                                          {"Len", Field::Length},
                                                          {"TAFB", Field::Tafb}};
    auto* times = new QHBoxLayout;
    for (auto [label, field] : headerFields) {
        times->addWidget(new QLabel(QString::fromLatin1(label), this));
        times->addWidget(Edit(field));
    }

    // The month as a calendar: a day's box sits under its weekday.
    auto* month = new QGroupBox(QStringLiteral("Month"), this);
    auto* grid = new QGridLayout(month);
    const char* weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int w = 0; w < 7; ++w)
        grid->addWidget(new QLabel(QString::fromLatin1(weekdays[w]), month), 0, w);
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    const int first = std::clamp(doc.StartWeekday, 0, 6);
    for (int d = 0; d < days; ++d) {
        auto* box = new QCheckBox(
            QString::asprintf("%02d", doc.DayDate[static_cast<size_t>(d)].Day), month);
        box->setObjectName(QStringLiteral("Day%1").arg(d + 1));
        m_days[static_cast<size_t>(d)] = box;
        grid->addWidget(box, 1 + (first + d) / 7, (first + d) % 7);
    }

    auto* dutyBox = new QGroupBox(this);
    auto* duty = new QGridLayout(dutyBox);
    m_dutyLabel = new QLabel(dutyBox);
    m_dutyLabel->setObjectName(QStringLiteral("DutyDay"));
    m_dutyBar = new QScrollBar(Qt::Horizontal, dutyBox);
    m_dutyBar->setObjectName(QStringLiteral("DutyDayBar"));
    m_dutyBar->setPageStep(1);
    duty->addWidget(m_dutyLabel, 0, 0);
    duty->addWidget(m_dutyBar, 0, 1, 1, 3);
    const std::pair<const char*, Field> dailyFields[] = {{"Start Time", Field::Start},
                                                         {"Time On Duty", Field::Duty},
                                                         {"Hard Time", Field::Hard},
                                                         {"Credit Hours", Field::DayCredit}};
    int row = 1;
    for (auto [label, field] : dailyFields) {
        duty->addWidget(new QLabel(QString::fromLatin1(label), dutyBox), row, 0);
        duty->addWidget(Edit(field), row++, 1);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    m_properties =
        buttons->addButton(QStringLiteral("P&roperties..."), QDialogButtonBox::ActionRole);
    m_properties->setObjectName(QStringLiteral("Properties"));
    m_properties->setVisible(doc.PairEditUnlocked);
    connect(buttons, &QDialogButtonBox::accepted, this, &PairDialog::accept);
    connect(m_properties, &QPushButton::clicked, this, &PairDialog::OpenProperties);
    connect(m_next, &QPushButton::clicked, this, [this] { MoveTo(m_current + 1); });
    connect(m_previous, &QPushButton::clicked, this, [this] { MoveTo(m_current - 1); });
    connect(m_pairBar, &QScrollBar::valueChanged, this, &PairDialog::MoveTo);
    connect(m_dutyBar, &QScrollBar::valueChanged, this, &PairDialog::DutyDayMoved);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(times);
    auto* middle = new QHBoxLayout;
    middle->addWidget(month);
    middle->addWidget(dutyBox);
    layout->addLayout(middle);
    layout->addWidget(buttons);
    ShowCurrent();
}

PairForm PairDialog::Form() const
{
    PairForm form;
    form.Number = Utf8ToCoreText(Edit(Field::Number)->text());
    form.On = Utf8ToCoreText(Edit(Field::On)->text());
    form.Credit = Utf8ToCoreText(Edit(Field::Credit)->text());
    form.Tafb = Utf8ToCoreText(Edit(Field::Tafb)->text());
    for (size_t d = 0; d < m_days.size(); ++d)
        form.Days[d] = m_days[d] != nullptr && m_days[d]->isChecked();
    return form;
}

DutyDayForm PairDialog::DutyDay() const
{
    return {Utf8ToCoreText(Edit(Field::Start)->text()), Utf8ToCoreText(Edit(Field::Duty)->text()),
            Utf8ToCoreText(Edit(Field::Hard)->text()),
            Utf8ToCoreText(Edit(Field::DayCredit)->text())};
}

void PairDialog::ShowCurrent()
{
    {
        const QSignalBlocker blockPair(m_pairBar);
        const QSignalBlocker blockDuty(m_dutyBar);
        m_pairBar->setValue(m_current);
        m_dutyBar->setRange(0, DutyDayCount(m_doc.Pairs[static_cast<size_t>(m_current)]) - 1);
        m_dutyBar->setValue(0);
    }
    m_dutyDay = 0;
    const PairForm form = ShowPair(m_doc, m_current);
    const std::pair<Field, const std::string*> fields[] = {
        {Field::Number, &form.Number}, {Field::On, &form.On},         {Field::Off, &form.Off},
        {Field::Credit, &form.Credit}, {Field::Length, &form.Length}, {Field::Tafb, &form.Tafb}};
    for (auto [field, text] : fields)
        Edit(field)->setText(FromCoreText(*text));
    m_position->setText(QString::asprintf("%d of %d", m_current + 1, m_doc.LastPair + 1));
    for (size_t d = 0; d < m_days.size(); ++d)
        if (m_days[d] != nullptr)
            m_days[d]->setChecked(form.Days[d]);
    ShowDutyDay();
}

void PairDialog::ShowDutyDay()
{
    m_dutyLabel->setText(QString::asprintf("Day %d", m_dutyDay + 1));
    const DutyDayForm day = tl::ShowDutyDay(m_doc, m_current, m_dutyDay);
    Edit(Field::Start)->setText(FromCoreText(day.Start));
    Edit(Field::Duty)->setText(FromCoreText(day.Duty));
    Edit(Field::Hard)->setText(FromCoreText(day.Hard));
    Edit(Field::DayCredit)->setText(FromCoreText(day.Credit));
}

void PairDialog::MoveTo(int pairing)
{
    pairing = std::clamp(pairing, 0, m_pairBar->maximum());
    if (!StorePairInfo(m_doc, m_ui, m_current, Form())) {
        const QSignalBlocker block(m_pairBar);
        m_pairBar->setValue(m_current);
        return;
    }
    m_current = pairing;
    ShowCurrent();
}

void PairDialog::DutyDayMoved(int dutyDay)
{
    if (dutyDay == m_dutyDay)
        return;
    if (!StoreDutyDay(m_doc, m_ui, m_current, m_dutyDay, DutyDay())) {
        {
            const QSignalBlocker block(m_dutyBar);
            m_dutyBar->setValue(m_dutyDay);
        }
        m_ui.Message(kCaption, "Daily Data Invalid. Please Correct the Data", Icon::Warning);
        return;
    }
    m_dutyDay = dutyDay;
    ShowDutyDay();
}

void PairDialog::OpenProperties()
{
    Pairprops dialog(m_doc, m_ui, m_current, this);
    dialog.exec();
}

void PairDialog::accept()
{
    if (m_doc.PairEditUnlocked) {
        (void)StoreDutyDay(m_doc, m_ui, m_current, m_dutyDay, DutyDay());
        if (!StorePairInfo(m_doc, m_ui, m_current, Form()))
            return;
        m_doc.CurrentPair = m_current;
    }
    QDialog::accept();
}

} // namespace tl::ui
