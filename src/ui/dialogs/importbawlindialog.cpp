#include "ui/dialogs/importbawlindialog.h"

#include "actions/baw_lin_import.h"
#include "model/text_format.h"
#include "ui/seam/qtinteraction.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tl::ui {

ImportBawLinDialog::ImportBawLinDialog(BawLinFile file, ScheduleDocument& doc, Interaction& ui,
                                       QWidget* parent)
    : QDialog(parent), m_file(std::move(file)), m_doc(doc), m_ui(ui)
{
    setObjectName(QStringLiteral("ImportBawLinDialog"));
    setWindowTitle(QString::fromLatin1(kImportBlocksCaption));
    m_list = new QListWidget(this);
    // Employee numbers, block ids and days line up.
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const BawLinBlock& block : m_file.Blocks)
        m_list->addItem(FromCoreText(BlockListLine(block)));
    for (const std::string& problem : m_file.Problems)
        m_list->addItem(FromCoreText(problem));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_import = buttons->addButton(QStringLiteral("Import"), QDialogButtonBox::ActionRole);
    m_import->setObjectName(QStringLiteral("ImportButton"));
    m_import->setEnabled(!m_file.Blocks.empty());
    connect(m_import, &QPushButton::clicked, this, &ImportBawLinDialog::Import);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(760, 440);
}

QStringList ImportBawLinDialog::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i)
        lines << m_list->item(i)->text();
    return lines;
}

void ImportBawLinDialog::Import()
{
    m_import->setEnabled(false);
    const BlockImportResult result = ImportBawLinBlocks(m_doc, m_ui, m_file.Blocks);
    m_list->clear();
    for (const std::string& problem : result.Problems)
        m_list->addItem(FromCoreText(problem));
    m_list->addItem(FromCoreText(Format("%d Days Placed", result.Placed)));
}

} // namespace tl::ui
