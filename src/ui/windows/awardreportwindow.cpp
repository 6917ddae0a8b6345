#include "ui/windows/awardreportwindow.h"

#include "actions/bid_award.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/version.h"
#include "storage/safe_write.h"
#include "ui/seam/qtinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tl::ui {

namespace {

QString FromCore(const std::string& text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

} // namespace

AwardReportWindow::AwardReportWindow(const ScheduleDocument& doc, const AwardReport& report,
                                     Interaction& ui, std::function<QString()> chooseCsv,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_ui(ui), m_chooseCsv(std::move(chooseCsv)),
      m_text(Cp1252ToUtf8(AwardReportText(doc, report))),
      m_csv(Cp1252ToUtf8(AwardReportCsv(doc, report)))
{
    setWindowTitle(tr("Award Reasons"));
    setObjectName(QStringLiteral("AwardReasons"));
    auto* layout = new QVBoxLayout(this);
    const int crew = report.CrewAwarded;
    auto* summary =
        new QLabel(tr("%1 pairing days placed; %2 of %3 blocks within their credit range; first "
                      "preferences granted %4 of %5")
                       .arg(report.Granted)
                       .arg(report.WithinCredit)
                       .arg(crew)
                       .arg(report.FirstGranted)
                       .arg(report.FirstChoices),
                   this);
    layout->addWidget(summary);

    m_table = new QTableWidget(int(report.Rows.size()), 6, this);
    m_table->setHorizontalHeaderLabels(
        {tr("Position"), tr("Name"), tr("Employee"), tr("Item"), tr("Result"), tr("Cause")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (size_t r = 0; r < report.Rows.size(); ++r) {
        const AwardRow& row = report.Rows[r];
        const TPilot& member = doc.Crew[size_t(row.Crew)];
        const QString cells[] = {QString::number(row.Crew + 1),
                                 FromCore(member.Name),
                                 QString::number(member.EmpNumber),
                                 FromCore(row.Item),
                                 QString::fromLatin1(AwardResultText(row.Result)),
                                 FromCore(row.Cause)};
        for (int c = 0; c < 6; ++c)
            m_table->setItem(int(r), c, new QTableWidgetItem(cells[c]));
    }
    m_table->resizeColumnsToContents();
    layout->addWidget(m_table);

    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(tr("&Copy"), this);
    copy->setObjectName(QStringLiteral("Copy"));
    auto* save = new QPushButton(tr("&Save as CSV..."), this);
    save->setObjectName(QStringLiteral("SaveCsv"));
    auto* close = new QPushButton(tr("Close"), this);
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(copy, &QPushButton::clicked, this, &AwardReportWindow::CopyToClipboard);
    connect(save, &QPushButton::clicked, this, [this] { SaveCsv(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(900, 600);
}

void AwardReportWindow::CopyToClipboard()
{
    QApplication::clipboard()->setText(QString::fromStdString(m_text));
}

bool AwardReportWindow::SaveCsv()
{
    const QString path = m_chooseCsv ? m_chooseCsv() : QString();
    if (path.isEmpty())
        return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(m_csv.data());
    if (WriteFileSafely(ToFileName(path), {bytes, m_csv.size()}) == WriteResult::Written)
        return true;
    m_ui.Message(kCaption, "Unable to write the reasons report", Icon::Error);
    return false;
}

} // namespace tl::ui
