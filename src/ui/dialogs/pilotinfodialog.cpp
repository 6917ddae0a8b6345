#include "ui/dialogs/pilotinfodialog.h"

#include "model/schedule_document.h"
#include "ui/seam/qtinteraction.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tl::ui {

namespace {

QString Name(const char* name)
{
    return QString::fromLatin1(name);
}

QPlainTextEdit* ShownText(const std::string& text, const char* name, QWidget* parent)
{
    auto* edit = new QPlainTextEdit(FromCoreText(text), parent);
    edit->setReadOnly(true);
    edit->setObjectName(Name(name));
    edit->setMaximumHeight(70);
    return edit;
}

// A click goes clear, worked, reserve: worked is the common answer, so it
// comes first rather than Qt's gray.
class WorkedBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override
    {
        setCheckState(checkState() == Qt::Unchecked ? Qt::Checked
                      : checkState() == Qt::Checked ? Qt::PartiallyChecked
                                                    : Qt::Unchecked);
    }
};

} // namespace

QLineEdit* PilotInfoDialog::AmountEdit(std::string EmployeeInfoForm::*field, const char* name)
{
    auto* edit = new QLineEdit(FromCoreText(m_form.*field), this);
    edit->setObjectName(Name(name));
    edit->setMaxLength(10);
    edit->setPlaceholderText(QStringLiteral("HH:MM"));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000:00")) + 12);
    connect(edit, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_form.*field = Utf8ToCoreText(text); });
    return edit;
}

QLineEdit* PilotInfoDialog::DayEdit(std::string CarryDayForm::*field, const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(Name(name));
    edit->setMaxLength(8);
    edit->setPlaceholderText(QStringLiteral("HH:MM"));
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        m_form.Days[static_cast<size_t>(m_day)].*field = Utf8ToCoreText(text);
    });
    m_dayEdits.push_back({edit, field});
    return edit;
}

QCheckBox* PilotInfoDialog::OptionBox(const QString& text, bool EmployeeInfoForm::*field,
                                      const char* name)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(Name(name));
    box->setChecked(m_form.*field);
    connect(box, &QCheckBox::clicked, this, [this, field](bool on) { m_form.*field = on; });
    return box;
}

QScrollBar* PilotInfoDialog::LimitBar(int32_t EmployeeInfoForm::*field, int low, int high,
                                      const char* name)
{
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(Name(name));
    bar->setRange(low, high);
    bar->setMinimumWidth(160);
    connect(bar, &QScrollBar::valueChanged, this, [this, field](int value) {
        if (m_filling)
            return;
        m_form.*field = value;
        ShowLimits();
    });
    return bar;
}

PilotInfoDialog::PilotInfoDialog(ScheduleDocument& doc, Interaction& ui, int crew, bool readOnly,
                                 QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui), m_crew(crew), m_readOnly(readOnly),
      m_form(ReadEmployeeInfo(doc, crew))
{
    setObjectName(QStringLiteral("PilotInfoDialog"));
    setWindowTitle(QStringLiteral("Employee Info"));
    const bool attendants = doc.CrewKind == kFlightAttendants;

    // Who, and what the month starts with.
    auto* name = new QLineEdit(FromCoreText(m_form.Name), this);
    name->setObjectName(QStringLiteral("Name"));
    // Names the roster editor made longer stay whole until edited.
    name->setMaxLength(std::max<int>(kEmployeeNameChars, static_cast<int>(m_form.Name.size())));
    connect(name, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.Name = Utf8ToCoreText(text); });
    auto* emp = new QLineEdit(FromCoreText(m_form.EmpNumber), this);
    emp->setObjectName(QStringLiteral("EmpNumber"));
    emp->setMaxLength(10);
    connect(emp, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.EmpNumber = Utf8ToCoreText(text); });
    QCheckBox* reserve = OptionBox(QStringLiteral("Check If Bid Reserve or LOA"),
                                   &EmployeeInfoForm::BidReserveOrLoa, "BidReserveOrLoa");

    auto* carry = new QFormLayout;
    auto* legalAt = AmountEdit(&EmployeeInfoForm::LegalAt, "LegalAt");
    legalAt->setPlaceholderText(QStringLiteral("D:HH:MM"));
    carry->addRow(QStringLiteral("Name"), name);
    carry->addRow(QStringLiteral("Emp #"), emp);
    carry->addRow(reserve);
    carry->addRow(QStringLiteral("Day:Hr:Min Legal for Checkin at"), legalAt);
    carry->addRow(QStringLiteral("Credit Hours Carried In"),
                  AmountEdit(&EmployeeInfoForm::CreditCarriedIn, "CreditCarriedIn"));
    carry->addRow(QStringLiteral("Extra Credits"),
                  AmountEdit(&EmployeeInfoForm::ExtraCredits, "ExtraCredits"));
    carry->addRow(QStringLiteral("Draft Credits"),
                  AmountEdit(&EmployeeInfoForm::DraftCredits, "DraftCredits"));
    carry->addRow(QStringLiteral("Time Bank"), AmountEdit(&EmployeeInfoForm::TimeBank, "TimeBank"));
    auto* training = new QHBoxLayout;
    training->addWidget(AmountEdit(&EmployeeInfoForm::TrainingAtHome, "TrainingAtHome"));
    training->addWidget(
        OptionBox(QStringLiteral("OutsideW"), &EmployeeInfoForm::OutsideW, "OutsideW"));
    carry->addRow(QStringLiteral("Training at Home"), training);

    // Qualifications and flags.
    auto* quals = new QGroupBox(QStringLiteral("Special Qualifications"), this);
    auto* qualLayout = new QVBoxLayout(quals);
    auto* qualGroup = new QButtonGroup(this);
    const struct {
        QString text;
        int32_t value;
        const char* name;
    } qualButtons[] = {
        {QStringLiteral("None"), kNoQualification, "None"},
        {QStringLiteral("LTC"), kLtc, "Ltc"},
        {attendants ? QStringLiteral("No Fams") : QStringLiteral("Check B"), kCheckB, "CheckB"},
        {QStringLiteral("Checker"), kCheckPilot, "Checker"},
    };
    for (const auto& q : qualButtons) {
        auto* button = new QRadioButton(q.text, quals);
        button->setObjectName(Name(q.name));
        button->setChecked(m_form.Qualification == q.value);
        qualGroup->addButton(button, q.value);
        qualLayout->addWidget(button);
    }
    connect(qualGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_form.Qualification = id; });

    auto* flags =
        new QGroupBox(attendants ? QStringLiteral("F/A Language") : QStringLiteral("Flags"), this);
    flags->setObjectName(QStringLiteral("Flags"));
    auto* sixty = new QCheckBox(attendants ? QStringLiteral("FR") : QStringLiteral("60+"), flags);
    sixty->setObjectName(QStringLiteral("SixtyPlus"));
    auto* med = new QCheckBox(QStringLiteral("Med"), flags);
    med->setObjectName(QStringLiteral("Med"));
    sixty->setChecked(m_form.SixtyPlus());
    med->setChecked(m_form.Med());
    for (QCheckBox* box : {sixty, med})
        connect(box, &QCheckBox::clicked, this,
                [this, sixty, med] { m_form.SetFlags(sixty->isChecked(), med->isChecked()); });
    auto* flagLayout = new QHBoxLayout(flags);
    flagLayout->addWidget(sixty);
    flagLayout->addWidget(med);

    auto* filtering = new QGroupBox(QStringLiteral("Filtering"), this);
    auto* filterLayout = new QVBoxLayout(filtering);
    filterLayout->addWidget(OptionBox(QStringLiteral("Blk Complete"),
                                      &EmployeeInfoForm::BlockComplete, "BlockComplete"));

    auto* middle = new QVBoxLayout;
    middle->addWidget(quals);
    middle->addWidget(flags);
    auto* trnTz = new QHBoxLayout;
    trnTz->addWidget(OptionBox(QStringLiteral("TRN"), &EmployeeInfoForm::Trn, "Trn"));
    trnTz->addWidget(OptionBox(QStringLiteral("No TZ"), &EmployeeInfoForm::NoTz, "NoTz"));
    middle->addLayout(trnTz);
    middle->addWidget(filtering);
    middle->addStretch();

    // The month's block limits and days off, overridden for this person.
    auto* limits = new QGroupBox(QStringLiteral("Default Settings Override"), this);
    m_minDaysOff =
        LimitBar(&EmployeeInfoForm::MinDaysOff, kMinDaysOffLow, kMinDaysOffHigh, "MinDaysOff");
    m_minBlock = LimitBar(&EmployeeInfoForm::MinBlock, kBlockLimitLow, kBlockLimitHigh, "MinBlock");
    m_maxBlock = LimitBar(&EmployeeInfoForm::MaxBlock, kBlockLimitLow, kBlockLimitHigh, "MaxBlock");
    for (QScrollBar* bar : {m_minBlock, m_maxBlock}) {
        bar->setSingleStep(1);
        bar->setPageStep(60);
    }
    m_minDaysOffText = new QLabel(limits);
    m_minDaysOffText->setObjectName(QStringLiteral("MinDaysOffText"));
    m_minBlockText = new QLabel(QStringLiteral("00:00"), limits);
    m_minBlockText->setObjectName(QStringLiteral("MinBlockText"));
    m_maxBlockText = new QLabel(QStringLiteral("00:00"), limits);
    m_maxBlockText->setObjectName(QStringLiteral("MaxBlockText"));
    auto* resetButton = new QPushButton(QStringLiteral("Reset to Default"), limits);
    auto* reducedButton = new QPushButton(QStringLiteral("Reduced Block"), limits);
    for (QPushButton* button : {resetButton, reducedButton})
        button->setAutoDefault(false);
    connect(resetButton, &QPushButton::clicked, this, [this] {
        ResetToDefault(m_form);
        ShowLimits();
    });
    connect(reducedButton, &QPushButton::clicked, this, [this] {
        ReducedBlock(m_doc, m_form);
        ShowLimits();
    });
    auto* limitLayout = new QGridLayout(limits);
    const struct {
        const char* label;
        QScrollBar* bar;
        QLabel* text;
    } limitRows[] = {{"Min Days Off", m_minDaysOff, m_minDaysOffText},
                     {"Min Blk", m_minBlock, m_minBlockText},
                     {"Max Blk", m_maxBlock, m_maxBlockText}};
    int row = 0;
    for (const auto& r : limitRows) {
        limitLayout->addWidget(new QLabel(Name(r.label), limits), row, 0);
        limitLayout->addWidget(r.bar, row, 1);
        limitLayout->addWidget(r.text, row, 2);
        ++row;
    }
    limitLayout->addWidget(resetButton, row, 0, 1, 2);
    limitLayout->addWidget(reducedButton, row + 1, 0, 1, 2);
    ShowLimits();

    // Last month's activity, one day at a time.
    auto* previous = new QGroupBox(QStringLiteral("Previous Month Data"), this);
    m_dayBar = new QScrollBar(Qt::Horizontal, previous);
    m_dayBar->setObjectName(QStringLiteral("Day"));
    m_dayBar->setRange(0, TPilot::kSlots - 1);
    m_dayBar->setPageStep(7);
    m_dayLabel = new QLabel(previous);
    m_dayLabel->setObjectName(QStringLiteral("DayLabel"));
    connect(m_dayBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_filling)
            ShowDay(value);
    });
    auto* dayForm = new QFormLayout(previous);
    dayForm->addRow(m_dayLabel, m_dayBar);
    dayForm->addRow(QStringLiteral("Daily Hard Time"),
                    DayEdit(&CarryDayForm::HardTime, "DailyHardTime"));
    dayForm->addRow(QStringLiteral("Duty Start"), DayEdit(&CarryDayForm::DutyStart, "DutyStart"));
    dayForm->addRow(QStringLiteral("Time on Duty"), DayEdit(&CarryDayForm::DutyTime, "TimeOnDuty"));
    dayForm->addRow(QStringLiteral("Pairing Start"),
                    DayEdit(&CarryDayForm::PairingStart, "PairingStart"));
    dayForm->addRow(QStringLiteral("Pairing TAFB"),
                    DayEdit(&CarryDayForm::PairingTafb, "PairingTafb"));
    m_worked = new WorkedBox(QStringLiteral("Worked This Day Gray = Res"), previous);
    m_worked->setObjectName(QStringLiteral("Worked"));
    m_worked->setTristate(true);
    connect(m_worked, &QCheckBox::clicked, this, [this] {
        const Qt::CheckState state = m_worked->checkState();
        m_form.Days[static_cast<size_t>(m_day)].Worked = state == Qt::Checked ? kWorkedDay
                                                         : state == Qt::PartiallyChecked
                                                             ? kReserveDay
                                                             : kNothingCarried;
    });
    m_carsDuty = new QCheckBox(QStringLiteral("CARS Duty"), previous);
    m_carsDuty->setObjectName(QStringLiteral("CarsDuty"));
    connect(m_carsDuty, &QCheckBox::clicked, this,
            [this](bool on) { m_form.Days[static_cast<size_t>(m_day)].CarsDuty = on; });
    m_sim = new QCheckBox(QStringLiteral("SIM"), previous);
    m_sim->setObjectName(QStringLiteral("Sim"));
    connect(m_sim, &QCheckBox::clicked, this,
            [this](bool on) { m_form.Days[static_cast<size_t>(m_day)].Sim = on; });
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(m_worked);
    boxes->addWidget(m_carsDuty);
    boxes->addWidget(m_sim);
    dayForm->addRow(boxes);
    ShowDay(m_day);

    auto* right = new QVBoxLayout;
    right->addWidget(limits);
    right->addWidget(previous);

    // Notes and what the legality check found.
    auto* notes = new QPlainTextEdit(FromCoreText(m_form.QuickNotes), this);
    notes->setObjectName(QStringLiteral("QuickNotes"));
    notes->setMaximumHeight(70);
    connect(notes, &QPlainTextEdit::textChanged, this, [this, notes] {
        QString text = notes->toPlainText();
        if (text.size() > static_cast<int>(kQuickNotesChars)) {
            text.truncate(static_cast<int>(kQuickNotesChars));
            notes->setPlainText(text);
            notes->moveCursor(QTextCursor::End);
        }
        m_form.QuickNotes = Utf8ToCoreText(text);
    });
    auto* cars = new QListWidget(this);
    cars->setObjectName(QStringLiteral("CarsLog"));
    cars->setMaximumHeight(90);
    for (const QString& entry : FromCoreText(m_form.CarsLog).split(QLatin1Char('+'))) {
        if (!entry.trimmed().isEmpty())
            cars->addItem(entry.trimmed());
    }
    auto* results = new QFormLayout;
    results->addRow(new QLabel(QStringLiteral("Quick Notes for this month:"), this));
    results->addRow(notes);
    results->addRow(QStringLiteral("Illegalities"),
                    ShownText(m_form.Illegalities, "Illegalities", this));
    results->addRow(QStringLiteral("Warnings"), ShownText(m_form.Warnings, "Warnings", this));
    results->addRow(new QLabel(QStringLiteral("CARs 36/7 or 3/17 Details..."), this));
    results->addRow(cars);

    auto* buttons = new QDialogButtonBox(
        m_readOnly ? QDialogButtonBox::Close : QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
        this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PilotInfoDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(carry);
    columns->addLayout(middle);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(results);
    layout->addWidget(buttons);

    if (m_readOnly) {
        // Shown, not changed: everything but the day bar and the lists is off.
        for (QWidget* w : findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QCheckBox*>(w) ||
                qobject_cast<QRadioButton*>(w) || w == resetButton || w == reducedButton ||
                w == m_minDaysOff || w == m_minBlock || w == m_maxBlock)
                w->setEnabled(false);
        }
        notes->setReadOnly(true);
    }
}

void PilotInfoDialog::ShowLimits()
{
    m_filling = true;
    const int32_t daysOff = ShownMinDaysOff(m_doc, m_form);
    const int32_t minBlock = ShownMinBlock(m_doc, m_form);
    const int32_t maxBlock = ShownMaxBlock(m_doc, m_form);
    m_minDaysOff->setValue(daysOff);
    m_minBlock->setValue(minBlock);
    m_maxBlock->setValue(maxBlock);
    m_minDaysOffText->setText(QString::number(daysOff));
    m_minBlockText->setText(FromCoreText(AmountText(minBlock)));
    m_maxBlockText->setText(FromCoreText(AmountText(maxBlock)));
    m_filling = false;
}

void PilotInfoDialog::ShowDay(int extended)
{
    m_day = std::clamp(extended, 0, TPilot::kSlots - 1);
    const CarryDayForm& day = m_form.Days[static_cast<size_t>(m_day)];
    m_filling = true;
    m_dayBar->setValue(m_day);
    m_dayLabel->setText(FromCoreText(CarryDayLabel(m_doc, m_day)));
    for (const DayControl& c : m_dayEdits)
        c.edit->setText(FromCoreText(day.*c.field));
    m_worked->setCheckState(day.Worked == kNothingCarried ? Qt::Unchecked
                            : day.Worked == kReserveDay   ? Qt::PartiallyChecked
                                                          : Qt::Checked);
    m_carsDuty->setChecked(day.CarsDuty);
    m_sim->setChecked(day.Sim);
    m_filling = false;
}

void PilotInfoDialog::accept()
{
    if (m_readOnly) {
        QDialog::reject();
        return;
    }
    if (const auto error = ValidateEmployeeInfo(m_doc, m_crew, m_form); error && error->Day >= 0)
        ShowDay(error->Day);
    if (ApplyEmployeeInfo(m_doc, m_ui, m_crew, m_form))
        QDialog::accept();
}

bool RunPilotInfoDialog(ScheduleDocument& doc, Interaction& ui, int crew, bool readOnly,
                        QWidget* parent)
{
    if (crew < 0 || crew >= std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity))
        return false;
    PilotInfoDialog dialog(doc, ui, crew, readOnly, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tl::ui
