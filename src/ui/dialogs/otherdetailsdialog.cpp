#include "ui/dialogs/otherdetailsdialog.h"

#include "model/schedule_document.h"
#include "ui/seam/qtinteraction.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tl::ui {

namespace {

QLineEdit* TextEdit(const std::string& text, int longest, const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(FromCoreText(text), parent);
    edit->setMaxLength(longest);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLineEdit* TimeEdit(const std::string& text, const char* name, QWidget* parent)
{
    QLineEdit* edit = TextEdit(text, 5, name, parent);
    edit->setPlaceholderText(QStringLiteral("H:MM"));
    return edit;
}

QCheckBox* Box(const char* text, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setChecked(checked);
    return box;
}

} // namespace

OtherDetailsDialog::OtherDetailsDialog(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                                       const OtherDetailsForm& form, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui), m_crew(crew), m_day(day),
      m_date(FromCoreText(form.Date))
{
    setObjectName(QStringLiteral("OtherDetailsDialog"));
    setWindowTitle(FromCoreText(OtherDetailsCaption(doc, crew, day)));
    m_code = TextEdit(form.Code, 3, "Code", this);
    m_start = TimeEdit(form.Start, "Start", this);
    m_atWork = TimeEdit(form.AtWork, "AtWork", this);
    m_credit = TimeEdit(form.Credit, "Credit", this);
    m_hard = TimeEdit(form.HardTime, "HardTime", this);
    m_tracking = TextEdit(form.TrackingCode, 2, "TrackingCode", this);
    m_duty = Box("Contains Duty", form.ContainsDuty, this);
    m_reserve = Box("Reserve", form.Reserve, this);
    m_dayOff = Box("Count as a Day Off", form.DayOff, this);
    m_exclude = Box("Exlcude Credit from Block", form.ExcludeCredit, this);
    m_cars = Box("CARS Duty", form.CarsDuty, this);

    // Last month's entries (negative days) keep no tracking code, day-off
    // or exclusion marks.
    const bool lastMonth = day < 0;
    for (QWidget* unused : std::initializer_list<QWidget*>{m_tracking, m_dayOff, m_exclude})
        unused->setEnabled(!lastMonth);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Date"), new QLabel(m_date, this));
    fields->addRow(QStringLiteral("Code"), m_code);
    fields->addRow(QStringLiteral("Time starting Work"), m_start);
    fields->addRow(QStringLiteral("Hours:Mins at Work"), m_atWork);
    fields->addRow(QStringLiteral("Credit"), m_credit);
    fields->addRow(QStringLiteral("Hard Time"), m_hard);
    fields->addRow(QStringLiteral("Quarnelle Code"), m_tracking);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OtherDetailsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    for (QCheckBox* box : {m_duty, m_reserve, m_dayOff, m_exclude, m_cars})
        layout->addWidget(box);
    layout->addWidget(buttons);
}

QLineEdit* OtherDetailsDialog::Edit(DetailsField field) const
{
    switch (field) {
    case DetailsField::Code:
        return m_code;
    case DetailsField::Start:
        return m_start;
    case DetailsField::AtWork:
        return m_atWork;
    case DetailsField::Credit:
        return m_credit;
    case DetailsField::HardTime:
        return m_hard;
    case DetailsField::TrackingCode:
        return m_tracking;
    }
    return m_code;
}

OtherDetailsForm OtherDetailsDialog::Form() const
{
    OtherDetailsForm form;
    form.Date = Utf8ToCoreText(m_date);
    form.Code = Utf8ToCoreText(m_code->text());
    form.Start = Utf8ToCoreText(m_start->text());
    form.AtWork = Utf8ToCoreText(m_atWork->text());
    form.Credit = Utf8ToCoreText(m_credit->text());
    form.HardTime = Utf8ToCoreText(m_hard->text());
    form.TrackingCode = Utf8ToCoreText(m_tracking->text());
    form.ContainsDuty = m_duty->isChecked();
    form.Reserve = m_reserve->isChecked();
    form.DayOff = m_dayOff->isChecked();
    form.ExcludeCredit = m_exclude->isChecked();
    form.CarsDuty = m_cars->isChecked();
    return form;
}

void OtherDetailsDialog::accept()
{
    const OtherDetailsForm form = Form();
    if (const auto error = ValidateOtherDetails(form)) {
        m_ui.Message("Oops", error->Message, Icon::Warning);
        QLineEdit* edit = Edit(error->Field);
        edit->setFocus();
        edit->selectAll();
        return;
    }
    if (ApplyOtherDetails(m_doc, m_ui, m_crew, m_day, form))
        QDialog::accept();
}

bool RunOtherDetailsDialog(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                           QWidget* parent)
{
    const auto form = ReadOtherDetails(doc, crew, day);
    if (!form)
        return false;
    OtherDetailsDialog dialog(doc, ui, crew, day, *form, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tl::ui
