#include "ui/dialogs/listdialog.h"

#include "ui_listdialog.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tl::ui {

ListDialog::ListDialog(const QString& caption, const QStringList& lines, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::ListDialog>())
{
    m_form->setupUi(this);
    setWindowTitle(caption);
    m_form->lines->addItems(lines);
}

ListDialog::~ListDialog() = default;

QStringList ListDialog::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_form->lines->count(); ++i)
        lines << m_form->lines->item(i)->text();
    return lines;
}

QString ListDialog::ClipboardText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

bool ListDialog::CopyToClipboard(const QStringList& lines)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString text = ClipboardText(lines);
    clipboard->setText(text);
    return clipboard->text() == text;
}

} // namespace tl::ui
