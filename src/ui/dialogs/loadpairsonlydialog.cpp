#include "ui/dialogs/loadpairsonlydialog.h"

#include "model/interaction.h"
#include "model/version.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace tl::ui {

namespace {

// One character from `first` to `last`; a lower-case letter is taken as its
// capital, since pairing numbers carry capitals.
class OneCharValidator : public QValidator {
public:
    OneCharValidator(QChar first, QChar last, QObject* parent)
        : QValidator(parent), m_first(first), m_last(last)
    {
    }
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        if (input.isEmpty())
            return Intermediate;
        return input.size() == 1 && input[0] >= m_first && input[0] <= m_last ? Acceptable
                                                                              : Invalid;
    }

private:
    QChar m_first;
    QChar m_last;
};

QLineEdit* CodeField(const QString& name, QChar first, QChar last, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(1);
    field->setValidator(new OneCharValidator(first, last, field));
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 16);
    return field;
}

QLabel* Text(const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

LoadPairsOnlyDialog::LoadPairsOnlyDialog(Interaction& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("DIALOG_19"));
    setWindowTitle(QStringLiteral("Load Quarnelle Pairings"));
    m_base = CodeField(QStringLiteral("BaseCode"), QLatin1Char('A'), QLatin1Char('Z'), this);
    m_eqp = CodeField(QStringLiteral("EqpCode"), QLatin1Char('0'), QLatin1Char('9'), this);
    m_manual = new QCheckBox(
        QStringLiteral("Use these Manual Settings instead of previously designated"), this);
    m_manual->setObjectName(QStringLiteral("UseManualSettings"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LoadPairsOnlyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Text("Base Code", this), 0, 0);
    layout->addWidget(m_base, 0, 1);
    layout->addWidget(Text("Enter a Base Code for the Pairings you want to load. This is the "
                           "First Letter of the Pairing Number. ",
                           this),
                      0, 2);
    layout->addWidget(Text("Eqp Code", this), 1, 0);
    layout->addWidget(m_eqp, 1, 1);
    layout->addWidget(
        Text("Enter the Eqp Code. Second Digit of Pairings. Leave empty for FA", this), 1, 2);
    layout->addWidget(m_manual, 2, 0, 1, 3);
    layout->addWidget(
        Text("Click OK to Load the Pairings. Only use settings above if nessasary", this), 3, 0, 1,
        3);
    layout->addWidget(buttons, 4, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    resize(480, sizeHint().height());
}

bool LoadPairsOnlyDialog::Manual() const
{
    return m_manual->isChecked();
}

std::string LoadPairsOnlyDialog::BaseAndEqp() const
{
    return Manual() ? (m_base->text() + m_eqp->text()).toStdString() : std::string();
}

void LoadPairsOnlyDialog::accept()
{
    if (Manual() && m_base->text().isEmpty()) {
        m_ui.Message(kCaption, "You have not entered a Base Code.", Icon::Warning);
        m_base->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace tl::ui
