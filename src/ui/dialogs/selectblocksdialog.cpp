#include "ui/dialogs/selectblocksdialog.h"

#include "model/schedule_document.h"
#include "ui/grid/grid_text.h"
#include "ui/seam/qtinteraction.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tl::ui {

SelectBlocksDialog::SelectBlocksDialog(const ScheduleDocument& doc, bool clipPairs, bool clipXes,
                                       QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SelectBlocksDialog"));
    setWindowTitle(tr("Select Blocks to Copy to the Windows Clipboard"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("&Blocks (Ctrl or Shift selects more than one):"), this);
    layout->addWidget(label);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("BlockList"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    label->setBuddy(m_list);
    for (int i = 0; i < CrewRows(doc); ++i) {
        const TPilot& crew = doc.Crew[Ix(i)];
        auto* item = new QListWidgetItem(FromCoreText(RowLabelText(doc, crew, i)), m_list);
        item->setSelected(crew.Selected != 0);
    }
    m_list->setMinimumSize(320, 360);
    layout->addWidget(m_list);

    auto* selection = new QHBoxLayout;
    auto* all = new QPushButton(tr("Select &All"), this);
    auto* none = new QPushButton(tr("&Clear"), this);
    connect(all, &QPushButton::clicked, m_list, &QListWidget::selectAll);
    connect(none, &QPushButton::clicked, m_list, &QListWidget::clearSelection);
    for (QPushButton* button : {all, none}) {
        button->setAutoDefault(false);
        selection->addWidget(button);
    }
    selection->addStretch();
    layout->addLayout(selection);

    m_pairs = new QCheckBox(tr("Add the &pairing texts"), this);
    m_pairs->setObjectName(QStringLiteral("ClipPairs"));
    m_pairs->setChecked(clipPairs);
    m_requests = new QCheckBox(tr("Add the day &requests"), this);
    m_requests->setObjectName(QStringLiteral("ClipXes"));
    m_requests->setChecked(clipXes);
    layout->addWidget(m_pairs);
    layout->addWidget(m_requests);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::vector<int> SelectBlocksDialog::Chosen() const
{
    std::vector<int> chosen;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->isSelected())
            chosen.push_back(row);
    }
    return chosen;
}

bool SelectBlocksDialog::ClipPairs() const
{
    return m_pairs->isChecked();
}

bool SelectBlocksDialog::ClipXes() const
{
    return m_requests->isChecked();
}

} // namespace tl::ui
