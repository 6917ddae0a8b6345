#include "ui/dialogs/filterwizdialog.h"

#include "actions/pairing_filters.h"
#include "model/interaction.h"
#include "model/version.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/seam/qtinteraction.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tl::ui {

FilterWizDialog::FilterWizDialog(Interaction& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("FilterWizDialog"));
    setWindowTitle(QStringLiteral("Tessara Lines Pairing Filter Wizard"));
    auto* grid = new QGridLayout;
    const QString headings[] = {
        QStringLiteral("Show me Pairings that contain these Key Words or Letters and the "
                       "Pairings I have selected using the push buttons"),
        QStringLiteral("Of the Pairings that contain the Key Words dont show me Pairings that "
                       "contain these Key Words")};
    for (int side = 0; side < 2; ++side) {
        auto* heading = new QLabel(headings[side], this);
        heading->setWordWrap(true);
        grid->addWidget(heading, 0, side);
    }
    for (int i = 0; i < 8; ++i) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("Field%1").arg(201 + i));
        field->setMaxLength(int(kWizardFieldLength));
        grid->addWidget(field, 1 + i % 4, i / 4);
        m_fields[size_t(i)] = field;
    }
    auto* note = new QLabel(
        QStringLiteral("Notes: All pairings selected with the push buttons will be shown "
                       "regardless of these entries.  These key letters or words are case "
                       "sensitive."),
        this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FilterWizDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &FilterWizDialog::helpRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(buttons);
    setMinimumWidth(560);
}

void FilterWizDialog::accept()
{
    std::array<std::string, 8> fields;
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i] = Utf8ToCoreText(m_fields[i]->text());
    const WizardResult result = ComposeWizardFilter(fields);
    if (!result.Ok) {
        m_ui.Message(kCaption, result.Error, Icon::Error);
        return;
    }
    m_result = FromCoreText(result.Text);
    QDialog::accept();
}

QString RunFilterWizard(Interaction& ui, QWidget* parent)
{
    FilterWizDialog dialog(ui, parent);
    QObject::connect(&dialog, &FilterWizDialog::helpRequested, &dialog, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* frame = qobject_cast<TMainDecFrameWin*>(top))
                if (QAction* help = frame->Action(CmHelpContents))
                    help->trigger();
    });
    dialog.exec();
    return dialog.Result();
}

} // namespace tl::ui
