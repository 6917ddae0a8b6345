// Build Blocks, the warnings report, the copies for the crew and the
// company, help, and the accelerators of the scheduler's menu.
#include "ui/frame/tmaindecframewin.h"

#include "actions/file_copies.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "output/warnings_report.h"
#include "rules/block_build.h"
#include "storage/block_file.h"
#include "storage/settings.h"
#include "ui/dialogs/colourlegenddialog.h"
#include "ui/dialogs/exporttoviewerdlg.h"
#include "ui/dialogs/warningsdialog.h"
#include "ui/frame/mail.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"
#include "ui/windows/helpwindow.h"

#include <QAction>
#include <QFileInfo>

namespace tl::ui {

namespace {

QStringList ReportLines(ScheduleDocument& doc)
{
    QStringList lines;
    for (const std::string& line : WarningsReportLines(doc))
        lines << FromCoreText(line);
    return lines;
}

} // namespace

void TMainDecFrameWin::InstallFrameCommands()
{
    // Accelerators of the scheduler's menu. F2 and F7 have no operation in
    // the main window: their actions stay disabled and the keys do nothing.
    Action(CmFiltersWindow)->setShortcut(Qt::Key_F6);
    Action(CmGlobalInfo)->setShortcut(Qt::Key_F9);
    for (auto [command, key] :
         {std::pair{CmShowAllBlocks, Qt::Key_F2}, std::pair{CmFilterEmployees, Qt::Key_F7}}) {
        auto* action = new QAction(this);
        action->setData(static_cast<int>(command));
        action->setShortcut(key);
        addAction(action);
        m_actions.insert(command, action);
    }

    m_handlers.insert(CmBuildBlocks, [this] {
        BuildBlocks(m_client->Document(), m_ui, true);
        emit m_client->DocumentChanged();
    });

    m_handlers.insert(CmWarnings, [this] {
        WarningsDialog dialog(ReportLines(m_client->Document()), m_ui, this);
        dialog.exec();
        // The report re-checked every block: the grid shows the results.
        emit m_client->DocumentChanged();
    });

    m_handlers.insert(CmSaveForViewer, [this] {
        ScheduleDocument& doc = m_client->Document();
        if (doc.Untitled || doc.FileName.empty()) {
            m_ui.Message("File Error", "File Must be Named First, Select Save As", Icon::Error);
            return;
        }
        // The copy is made after saving the month to its own file.
        if (m_client->RefuseReadOnly())
            return;
        Exporttoviewerdlg dialog(
            doc.FileName, m_settings.GetInt(kSectionTL, "LastViewerKind", kViewerFinal), this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_settings.SetInt(kSectionTL, "LastViewerKind", dialog.Kind());
        SaveSettings(false);
        auto result = SaveForViewer(doc, dialog.Kind(), m_ui);
        emit m_client->DocumentChanged();
        if (result && result->SendMail)
            SendByMail(result->Target, m_ui);
    });

    m_handlers.insert(CmFinalizeForCompany, [this] {
        ScheduleDocument& doc = m_client->Document();
        if (m_client->RefuseReadOnly())
            return;
        // The scheduler sees what is still wrong before the month goes out;
        // Cancel leaves it unfinished.
        WarningsDialog warnings(ReportLines(doc), m_ui, this);
        const bool goOn = warnings.exec() == QDialog::Accepted;
        emit m_client->DocumentChanged();
        if (!goOn)
            return;
        auto result = FinalizeForCompany(doc, m_ui);
        emit m_client->DocumentChanged();
        if (result && result->SendMail)
            SendByMail(result->Target, m_ui);
    });

    auto help = [this](const char* page) {
        auto* window = findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (window == nullptr)
            window = new HelpWindow(this);
        // The pages say which commands this program does not have yet, as
        // the menus stand now.
        QStringList missing;
        std::function<void(const std::vector<MenuEntry>&, const QString&)> walk =
            [&](const std::vector<MenuEntry>& entries, const QString& path) {
                for (const MenuEntry& entry : entries) {
                    const QString text =
                        QString::fromLatin1(entry.Text ? entry.Text : "").remove(QLatin1Char('&'));
                    if (!entry.Children.empty())
                        walk(entry.Children, path + text + QStringLiteral(" > "));
                    else if (entry.Id != 0 && !m_handlers.contains(entry.Id))
                        missing << path + text;
                }
            };
        walk(MonthMenu(), QString());
        window->SetAvailability([this](int command) { return m_handlers.contains(command); },
                                missing);
        window->ShowPage(QString::fromLatin1(page));
        window->show();
        window->raise();
    };
    // Beside the grid while the scheduler looks, in the colours of the moment.
    m_handlers.insert(CmColourLegend, [this] {
        delete findChild<ColourLegendDialog*>(QString(), Qt::FindDirectChildrenOnly);
        auto* legend = new ColourLegendDialog(m_client->Grid()->Style(), this);
        legend->setAttribute(Qt::WA_DeleteOnClose);
        legend->show();
    });
    m_handlers.insert(CmHelpContents, [help] { help("index.html"); });
    m_handlers.insert(CmHelpOnHelp, [help] { help("using.html"); });
}

} // namespace tl::ui
