#include "ui/dialogs/globalinfodialog.h"

#include "model/interaction.h"
#include "model/version.h"
#include "output/pairing_reports.h"
#include "ui/seam/qtinteraction.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tl::ui {

GlobalInfoDialog::GlobalInfoDialog(const std::vector<std::string>& lines, Interaction& ui,
                                   QWidget* parent)
    : QDialog(parent), m_ui(ui), m_lines(lines)
{
    setObjectName(QStringLiteral("GlobalInfoDialog"));
    setWindowTitle(QStringLiteral("Global Information"));
    m_list = new QListWidget(this);
    // The amounts are padded to line up.
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const std::string& line : m_lines)
        m_list->addItem(FromCoreText(line));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* copy =
        buttons->addButton(QStringLiteral("Copy to Clipboard"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyButton"));
    connect(copy, &QPushButton::clicked, this, &GlobalInfoDialog::CopyToClipboard);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 520);
}

QStringList GlobalInfoDialog::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i)
        lines << m_list->item(i)->text();
    return lines;
}

void GlobalInfoDialog::CopyToClipboard()
{
    const QString text = FromCoreText(ClipboardLines(m_lines));
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
