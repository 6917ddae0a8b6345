// The month's text reports: Global Information and the pairing report and
// crew lines on the clipboard.
#include "ui/frame/tmaindecframewin.h"

#include "model/interaction.h"
#include "model/version.h"
#include "output/pairing_reports.h"
#include "ui/dialogs/exportdialog.h"
#include "ui/dialogs/globalinfodialog.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tl::ui {

namespace {

// The report as plain text and as rich text in its fixed-width font, so a
// word processor pastes it with the columns lined up. False when the
// clipboard did not take it.
bool PutOnClipboard(const ClipboardReport& report)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return false;
    const QString text = FromCoreText(report.Text);
    QString style = QStringLiteral("font-family:'%1',monospace;font-weight:normal")
                        .arg(FromCoreText(report.FontFamily));
    if (report.PointSize > 0)
        style += QStringLiteral(";font-size:%1pt").arg(report.PointSize);
    QString html = text.toHtmlEscaped();
    html.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(
        QStringLiteral("<html><body><pre style=\"%1\">%2</pre></body></html>").arg(style, html));
    clipboard->setMimeData(data);
    return clipboard->text() == text;
}

} // namespace

void TMainDecFrameWin::InstallReportCommands()
{
    m_handlers.insert(CmExportSchedules, [this] {
        ExportDialog dialog(m_client->Document(), m_ui, this);
        dialog.exec();
    });

    m_handlers.insert(CmGlobalInfo, [this] {
        GlobalInfoDialog dialog(GlobalInfoLines(m_client->Document()), m_ui, this);
        dialog.exec();
    });

    // The clipboard may be held by another program: that is said rather than
    // claiming the report was copied.
    auto copied = [this](const ClipboardReport& report, const char* done) {
        if (PutOnClipboard(report))
            m_ui.Message(kCaption, done, Icon::Information);
        else
            m_ui.Message(kCaption, "Error Copying to Windows Clipboard.", Icon::Error);
    };
    m_handlers.insert(CmPairingReportToClipboard, [this, copied] {
        copied(PairingReport(m_client->Document()),
               "Pairing Report Copied to Windows Clipboard. To view select Edit, Paste from your "
               "Word Processing program.");
    });
    Action(CmPairingReportToClipboard)->setShortcut(Qt::Key_Equal);
    m_handlers.insert(CmPrintBlocksToClipboard, [this, copied] {
        const ClipboardReport lines = CrewLines(m_client->Document(), m_ui);
        // Each block was credited again on the way.
        emit m_client->DocumentChanged();
        copied(lines, "Blocks copied to Windows Clipboard. To view select Edit, Paste from your "
                      "Word Processing program.");
    });
}

} // namespace tl::ui
