#include "ui/dialogs/printblocksdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tl::ui {

PrintBlocksDialog::PrintBlocksDialog(int blocks, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintBlocksDialog"));
    setWindowTitle(QStringLiteral("Print Blocks"));
    const int last = std::max(blocks, 1);
    m_from = new QSpinBox(this);
    m_from->setObjectName(QStringLiteral("FromBlock"));
    m_from->setRange(1, last);
    m_from->setValue(1);
    m_to = new QSpinBox(this);
    m_to->setObjectName(QStringLiteral("ToBlock"));
    m_to->setRange(1, last);
    m_to->setValue(last);
    // The range cannot be turned inside out.
    connect(m_from, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_to->value() < v)
            m_to->setValue(v);
    });
    connect(m_to, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_from->value() > v)
            m_from->setValue(v);
    });
    m_open = new QCheckBox(QStringLiteral("Print Open Flying"), this);
    m_open->setObjectName(QStringLiteral("PrintOpenFlying"));
    m_open->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("From Block"), m_from);
    form->addRow(QStringLiteral("To Block"), m_to);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_open);
    layout->addWidget(buttons);
}

int PrintBlocksDialog::From() const
{
    return m_from->value();
}

int PrintBlocksDialog::To() const
{
    return m_to->value();
}

bool PrintBlocksDialog::OpenFlying() const
{
    return m_open->isChecked();
}

} // namespace tl::ui
