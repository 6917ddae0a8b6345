#include "ui/windows/historydialog.h"

#include "rules/history.h"
#include "ui/seam/qtinteraction.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tl::ui {

HistoryDialog::HistoryDialog(const ScheduleDocument& doc, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(QStringLiteral("Pairing Transaction History. Use F1 to Undo these Items"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("HistoryList"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(4);
    m_list->setHeaderLabels({QStringLiteral("Transaction"), QStringLiteral("Pairing"),
                             QStringLiteral("Date"), QStringLiteral("Employee")});
    for (const QString& entry : Entries(HistoryText(doc)))
        m_list->addTopLevelItem(new QTreeWidgetItem(entry.split(QLatin1Char('\t'))));
    for (int c = 0; c < 3; ++c)
        m_list->resizeColumnToContents(c);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(520, 360);
}

QStringList HistoryDialog::Entries(std::string_view historyText)
{
    QStringList entries = FromCoreText(historyText).split(QLatin1Char('+'));
    // The text ends with "+": nothing follows the last entry.
    if (!entries.isEmpty() && entries.back().isEmpty())
        entries.removeLast();
    return entries;
}

} // namespace tl::ui
