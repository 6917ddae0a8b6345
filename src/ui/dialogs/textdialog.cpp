#include "ui/dialogs/textdialog.h"

#include "ui_textdialog.h"

namespace tl::ui {

TextDialog::TextDialog(const QString& caption, const QString& text, bool readOnly, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::TextDialog>())
{
    m_form->setupUi(this);
    setWindowTitle(caption);
    m_form->text->setPlainText(text);
    m_form->text->setReadOnly(readOnly);
    if (readOnly)
        m_form->buttonBox->setStandardButtons(QDialogButtonBox::Ok);
}

TextDialog::~TextDialog() = default;

QString TextDialog::Text() const
{
    return m_form->text->toPlainText();
}

} // namespace tl::ui
