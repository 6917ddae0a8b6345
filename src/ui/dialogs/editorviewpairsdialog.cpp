#include "ui/dialogs/editorviewpairsdialog.h"

#include "actions/pairing_edit.h"
#include "model/interaction.h"
#include "model/version.h"
#include "ui/seam/qtinteraction.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tl::ui {

EditOrViewPairsDialog::EditOrViewPairsDialog(ScheduleDocument& doc, Interaction& ui,
                                             QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui)
{
    setObjectName(QStringLiteral("EditOrViewPairsDialog"));
    setWindowTitle(QStringLiteral("Edit Pairings"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Password"));
    m_password->setMaxLength(6);
    m_password->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditOrViewPairsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter Password to Edit Pairings"), this));
    layout->addWidget(m_password);
    auto* alternative =
        new QLabel(QStringLiteral("OR\nLeave Password Empty to\nView Pairings"), this);
    alternative->setAlignment(Qt::AlignHCenter);
    layout->addWidget(alternative);
    layout->addWidget(buttons);
}

void EditOrViewPairsDialog::accept()
{
    if (CheckPairPassword(m_doc, Utf8ToCoreText(m_password->text())) == PairPassword::Wrong) {
        m_ui.Message(kCaption,
                     "Incorrect Password, Leave Password Field Blank or Enter Correct Password",
                     Icon::Warning);
        m_password->selectAll();
        m_password->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace tl::ui
