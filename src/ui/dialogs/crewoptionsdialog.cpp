#include "ui/dialogs/crewoptionsdialog.h"

#include "model/tpilot.h"
#include "ui/seam/qtinteraction.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace tl::ui {

CrewOptionsDialog::CrewOptionsDialog(const TPilot& crew, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CrewOptionsDialog"));
    setWindowTitle(tr("Crew Member"));
    auto* layout = new QVBoxLayout(this);
    m_bidReserve = new QCheckBox(tr("Bidding Res or On Leave"), this);
    m_bidReserve->setChecked(crew.BidReserveOrLoa != 0);
    m_complete = new QCheckBox(tr("Block is Complete"), this);
    m_complete->setChecked(crew.CarryIn[CarryInEntry::BlockComplete] != 0);
    m_name = new QLineEdit(FromCoreText(crew.Name), this);
    m_name->setMaxLength(std::max<int>(kNameLength, static_cast<int>(m_name->text().size())));
    auto* form = new QFormLayout;
    form->addRow(tr("Name"), m_name);
    layout->addWidget(m_bidReserve);
    layout->addWidget(m_complete);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool CrewOptionsDialog::Apply(TPilot& crew) const
{
    const int8_t reserve = m_bidReserve->isChecked() ? 1 : 0;
    const int32_t complete = m_complete->isChecked() ? 1 : 0;
    // An untouched name keeps its bytes, even those the edit cannot show.
    const bool renamed = m_name->text() != FromCoreText(crew.Name);
    bool changed = renamed;
    if (reserve != (crew.BidReserveOrLoa != 0 ? 1 : 0)) {
        crew.BidReserveOrLoa = reserve;
        changed = true;
    }
    if (complete != (crew.CarryIn[CarryInEntry::BlockComplete] != 0 ? 1 : 0)) {
        crew.CarryIn[CarryInEntry::BlockComplete] = complete;
        changed = true;
    }
    if (renamed)
        crew.Name = Utf8ToCoreText(m_name->text().trimmed());
    return changed;
}

} // namespace tl::ui
