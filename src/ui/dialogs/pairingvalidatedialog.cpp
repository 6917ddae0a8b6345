#include "ui/dialogs/pairingvalidatedialog.h"

#include "actions/pairing_edit.h"
#include "import/pairing_warnings.h"
#include "model/schedule_document.h"
#include "ui/seam/qtinteraction.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace tl::ui {

PairingValidateDialog::PairingValidateDialog(ScheduleDocument& doc, Interaction& ui,
                                             std::function<void()> edit, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui), m_edit(std::move(edit))
{
    setObjectName(QStringLiteral("PairingValidateDialog"));
    setWindowTitle(QStringLiteral("Pairing Warnings and Report"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(m_list, &QListWidget::itemDoubleClicked, this, &PairingValidateDialog::OpenLine);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &PairingValidateDialog::helpRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(
        new QLabel(QStringLiteral("DoubleClick on any one of the pairings to edit it."), this));
    layout->addWidget(buttons);
    resize(720, 480);
    Fill();
}

void PairingValidateDialog::Fill()
{
    m_list->clear();
    for (const std::string& line : PairingWarningsList(m_doc))
        m_list->addItem(FromCoreText(line));
}

void PairingValidateDialog::OpenLine(QListWidgetItem* item)
{
    if (item == nullptr)
        return;
    const int pairing = PairingOfWarningLine(m_doc, m_ui, Utf8ToCoreText(item->text()));
    if (pairing < 0)
        return;
    m_doc.CurrentPair = pairing;
    if (m_edit)
        m_edit();
    Fill();
}

} // namespace tl::ui
