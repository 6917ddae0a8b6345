#include "ui/dialogs/aboutdialog.h"

#include "model/version.h"
#include "ui_aboutdialog.h"

#include <QIcon>

namespace tl::ui {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::AboutDialog>())
{
    m_form->setupUi(this);
    m_form->iconLabel->setPixmap(QIcon(QStringLiteral(":/icons/tessara.svg")).pixmap(64, 64));
    m_form->versionLabel->setText(tr("Version %1").arg(QString::fromLatin1(tl::Version())));
}

AboutDialog::~AboutDialog() = default;

QString AboutDialog::VersionText() const
{
    return m_form->versionLabel->text();
}

} // namespace tl::ui
