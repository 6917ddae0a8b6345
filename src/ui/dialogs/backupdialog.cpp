#include "ui/dialogs/backupdialog.h"

#include "ui_backupdialog.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>

namespace tl::ui {

BackupDialog::BackupDialog(const QString& folder, bool withDateTime, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::BackupDialog>())
{
    m_form->setupUi(this);
    m_form->folder->setText(folder.isEmpty() ? QDir::homePath() : folder);
    m_form->dateTime->setChecked(withDateTime);
    connect(m_form->browse, &QPushButton::clicked, this, [this] {
        QString chosen = QFileDialog::getExistingDirectory(this, tr("Backup Folder"), Folder());
        if (!chosen.isEmpty())
            m_form->folder->setText(chosen);
    });
    auto okEnabled = [this] {
        m_form->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!Folder().isEmpty());
    };
    connect(m_form->folder, &QLineEdit::textChanged, this, okEnabled);
    okEnabled();
}

BackupDialog::~BackupDialog() = default;

QString BackupDialog::Folder() const
{
    return m_form->folder->text().trimmed();
}

bool BackupDialog::WithDateTime() const
{
    return m_form->dateTime->isChecked();
}

} // namespace tl::ui
