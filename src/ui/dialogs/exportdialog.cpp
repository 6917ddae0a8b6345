#include "ui/dialogs/exportdialog.h"

#include "model/schedule_document.h"
#include "output/crewtrac_export.h"
#include "ui/seam/qtinteraction.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tl::ui {

ExportDialog::ExportDialog(ScheduleDocument& doc, Interaction& ui, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_ui(ui)
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("Export Schedules for Quarnelle Crew Trac"));

    auto* checklist = new QLabel(FromCoreText(kExportChecklist), this);
    checklist->setWordWrap(true);
    checklist->setFrameShape(QFrame::StyledPanel);

    m_fileName = new QLineEdit(this);
    m_fileName->setMaxLength(8);
    m_baseCode = new QLineEdit(this);
    m_baseCode->setMaxLength(1);
    m_eqpCode = new QLineEdit(this);
    m_eqpCode->setMaxLength(1);
    auto* codes = new QFormLayout;
    codes->addRow(QStringLiteral("FileName"), m_fileName);
    codes->addRow(QStringLiteral("Base Code"), m_baseCode);
    codes->addRow(QStringLiteral("Eqp Code"), m_eqpCode);

    auto* types = new QGroupBox(QStringLiteral("Crew Type"), this);
    auto* typeRow = new QHBoxLayout(types);
    const QString names[] = {QStringLiteral("Capt"), QStringLiteral("FO"), QStringLiteral("FA/PU")};
    for (int t = 0; t < 3; ++t) {
        m_types[t] = new QRadioButton(names[t], types);
        typeRow->addWidget(m_types[t]);
    }
    m_types[std::clamp<int>(doc.CrewKind, 0, 2)]->setChecked(true);

    m_exportNow = new QPushButton(QStringLiteral("Export Now"), this);
    connect(m_exportNow, &QPushButton::clicked, this, &ExportDialog::ExportSchedules);
    m_summary = new QListWidget(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addLayout(codes);
    left->addWidget(types);
    left->addWidget(m_exportNow);
    left->addWidget(new QLabel(QStringLiteral("Export Summary"), this));
    left->addWidget(m_summary, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(checklist, 1, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    resize(720, 420);
}

QStringList ExportDialog::Summary() const
{
    QStringList lines;
    for (int i = 0; i < m_summary->count(); ++i)
        lines << m_summary->item(i)->text();
    return lines;
}

void ExportDialog::ExportSchedules()
{
    CrewTracCodes codes;
    codes.FileName = ToFileName(m_fileName->text());
    codes.BaseCode = Utf8ToCoreText(m_baseCode->text());
    codes.EqpCode = Utf8ToCoreText(m_eqpCode->text());
    codes.Type = m_types[1]->isChecked()   ? CrewType::FirstOfficer
                 : m_types[2]->isChecked() ? CrewType::Attendant
                                           : CrewType::Captain;
    const ExportOutcome outcome = tl::ExportSchedules(m_doc, codes, m_ui);
    for (const std::string& line : outcome.Summary)
        m_summary->addItem(FromCoreText(line));
    m_summary->scrollToBottom();
}

} // namespace tl::ui
