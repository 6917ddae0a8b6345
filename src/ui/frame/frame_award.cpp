// Build > Award Bids...: the award, then its reasons report.
#include "actions/bid_award.h"
#include "model/schedule_document.h"
#include "rules/block_build.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/awardreportwindow.h"

namespace tl::ui {

void TMainDecFrameWin::InstallAwardCommands()
{
    m_handlers.insert(CmAwardBids, [this] {
        if (m_client->RefuseReadOnly())
            return;
        SaveEditedBid();
        ScheduleDocument& doc = m_client->Document();
        if (!doc.GridOn)
            BuildBlocks(doc, m_ui, true);
        const AwardReport report = AwardBids(doc, AwardOptions{}, m_ui);
        m_client->update();
        emit m_client->DocumentChanged();
        if (!doc.GridOn)
            return;
        if (m_awardWin)
            m_awardWin->close();
        auto* window = new AwardReportWindow(
            doc, report, m_ui,
            [this] {
                return Choose(FileChooser::Mode::Save, tr("Save Award Reasons"), QString(),
                              tr("CSV Files (*.csv);;All Files (*)"));
            },
            this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_awardWin = window;
        window->show();
    });
}

} // namespace tl::ui
