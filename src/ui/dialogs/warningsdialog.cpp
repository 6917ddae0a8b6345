#include "ui/dialogs/warningsdialog.h"

#include "model/interaction.h"
#include "model/version.h"
#include "output/warnings_report.h"
#include "ui/seam/qtinteraction.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tl::ui {

WarningsDialog::WarningsDialog(const QStringList& lines, Interaction& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("WarningsDialog"));
    setWindowTitle(QStringLiteral("Tessara Lines Exceptions and Warnings Report"));
    m_list = new QListWidget(this);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->addItems(lines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("Copy to Windows Clipboard"),
                                           QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyButton"));
    connect(copy, &QPushButton::clicked, this, &WarningsDialog::CopyReportToClipboard);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(720, 480);
}

QStringList WarningsDialog::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i)
        lines << m_list->item(i)->text();
    return lines;
}

void WarningsDialog::CopyReportToClipboard()
{
    std::vector<std::string> core;
    for (const QString& line : Lines())
        core.push_back(Utf8ToCoreText(line));
    const QString text = FromCoreText(WarningsReportText(core));
    QClipboard* clipboard = QGuiApplication::clipboard();
    bool copied = false;
    if (clipboard != nullptr) {
        clipboard->setText(text);
        // Another program may hold the clipboard: only what reads back counts.
        copied = clipboard->text() == text;
    }
    if (copied)
        m_ui.Message(kCaption, "Copied to Windows Clipboard.", Icon::Information);
    else
        m_ui.Message(kCaption, "Error Copying to Windows Clipboard.", Icon::Error);
}

} // namespace tl::ui
