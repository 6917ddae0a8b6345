#include "ui/dialogs/pairprops.h"

#include "model/schedule_document.h"
#include "ui/seam/qtinteraction.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace tl::ui {

Pairprops::Pairprops(ScheduleDocument& doc, Interaction& ui, int pairing, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui), m_pairing(pairing)
{
    setObjectName(QStringLiteral("Pairprops"));
    setWindowTitle(QStringLiteral("Set Pairing Properties"));
    m_dayChoice = new QComboBox(this);
    m_dayChoice->setObjectName(QStringLiteral("Day"));
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    if (pairing >= 0 && pairing <= doc.LastPair && pairing < ScheduleDocument::kPairCapacity) {
        const TPair& p = doc.Pairs[static_cast<size_t>(pairing)];
        for (int d = 0; d < days; ++d) {
            if (p.OpsCount[static_cast<size_t>(d)] == kNotOperating)
                continue;
            m_days.push_back(d);
            const auto& name = doc.DayName[static_cast<size_t>(d)];
            m_dayChoice->addItem(QStringLiteral("%1 %2").arg(
                QString::asprintf("%02d", doc.DayDate[static_cast<size_t>(d)].Day),
                QString::fromLatin1(name.data(), static_cast<int>(qstrnlen(name.data(), 3)))));
        }
        setWindowTitle(windowTitle() + QString::asprintf(" - Pair %04d", p.PairNumber));
    }

    auto* typeBox = new QGroupBox(QStringLiteral("Pairing Type for this Day of Operations"), this);
    auto* typeLayout = new QVBoxLayout(typeBox);
    auto* group = new QButtonGroup(this);
    for (int t = 0; t < kPairingTypes; ++t) {
        auto* button = new QRadioButton(QString::fromLatin1(PairingTypeName(t)), typeBox);
        button->setObjectName(QStringLiteral("Type%1").arg(t));
        group->addButton(button, t);
        typeLayout->addWidget(button);
        m_types[static_cast<size_t>(t)] = button;
    }
    m_exclude = new QCheckBox(QStringLiteral("Exclude Credit"), this);
    m_exclude->setObjectName(QStringLiteral("ExcludeCredit"));
    m_excluded = new QLineEdit(this);
    m_excluded->setObjectName(QStringLiteral("Excluded"));
    m_excluded->setInputMask(QStringLiteral("99:99;_"));
    connect(m_exclude, &QCheckBox::toggled, m_excluded, &QWidget::setEnabled);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_days.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &Pairprops::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_dayChoice, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == m_shown)
            return;
        if (!StoreShown()) {
            const QSignalBlocker block(m_dayChoice);
            m_dayChoice->setCurrentIndex(m_shown);
            return;
        }
        ShowDay(index);
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Day of Operations"), m_dayChoice);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(typeBox);
    auto* exclusion = new QFormLayout;
    exclusion->addRow(m_exclude, m_excluded);
    layout->addLayout(exclusion);
    layout->addWidget(buttons);
    ShowDay(m_days.empty() ? -1 : 0);
}

void Pairprops::ShowDay(int index)
{
    m_shown = index;
    const bool any = index >= 0 && index < static_cast<int>(m_days.size());
    const PairPropertiesForm form =
        any ? ShowPairProperties(m_doc, m_pairing, m_days[static_cast<size_t>(index)])
            : PairPropertiesForm{};
    m_types[static_cast<size_t>(form.Type)]->setChecked(true);
    m_exclude->setChecked(form.ExcludeCredit);
    m_excluded->setEnabled(form.ExcludeCredit);
    m_excluded->setText(FromCoreText(form.Excluded));
}

PairPropertiesForm Pairprops::Form() const
{
    PairPropertiesForm form;
    for (int t = 0; t < kPairingTypes; ++t)
        if (m_types[static_cast<size_t>(t)]->isChecked())
            form.Type = t;
    form.ExcludeCredit = m_exclude->isChecked();
    form.Excluded = Utf8ToCoreText(m_excluded->text());
    return form;
}

bool Pairprops::StoreShown()
{
    if (m_shown < 0 || m_shown >= static_cast<int>(m_days.size()))
        return true;
    return StorePairProperties(m_doc, m_ui, m_pairing, m_days[static_cast<size_t>(m_shown)],
                               Form());
}

void Pairprops::accept()
{
    if (StoreShown())
        QDialog::accept();
}

} // namespace tl::ui
