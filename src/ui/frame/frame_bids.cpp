// The bids window and the bid import ("Bids Window", "Pilot Bids...").
#include "actions/bid_requests.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "ui/dialogs/pilotinfodialog.h"
#include "ui/frame/month_imports.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/grid_filters.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"
#include "ui/windows/tbidswindow.h"
#include "ui/windows/tfilterbuttonswin.h"

namespace tl::ui {

TBidsWindow* TMainDecFrameWin::BidsWindow() const
{
    return m_bidsWin;
}

void TMainDecFrameWin::InstallBidCommands()
{
    m_handlers.insert(CmBidsWindow, [this] { ToggleBidsWindow(); });
    m_checks.insert(CmBidsWindow, [this] { return !m_bidsWin.isNull(); });
    m_handlers.insert(CmPilotBids, [this] {
        if (m_client->RefuseReadOnly())
            return;
        ImportPilotBids();
        m_client->update();
        emit m_client->DocumentChanged();
    });
    // The grid going down, or another month, takes the window with it.
    connect(m_client, &TtlWin::PairingsWindowRequested, this, [this](bool show) {
        if (!show && m_bidsWin)
            m_bidsWin->close();
    });
    connect(m_client, &TtlWin::DocumentChanged, this, [this] {
        if (m_bidsWin && m_client->Document().DisplayState == kNoMonthOpen)
            m_bidsWin->close();
        else if (m_bidsWin)
            m_bidsWin->FillList();
    });
}

void TMainDecFrameWin::ToggleBidsWindow()
{
    ScheduleDocument& doc = m_client->Document();
    if (m_bidsWin) {
        m_bidsWin->close();
        return;
    }
    if (doc.CrewKind == kFlightAttendants) {
        m_ui.Message(kCaption, "This Feauture is for Pilot use only.", Icon::Information);
        return;
    }
    TtlWin* client = m_client;
    auto* window = new TBidsWindow(
        doc, m_ui, m_settings,
        [client] { return DisplayOrder(client->Document(), client->Grid()->Flags()); }, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_bidsWin = window;
    doc.BidsWindowOpen = true;
    connect(window, &QObject::destroyed, this, [this] {
        m_client->Document().BidsWindowOpen = false;
        UpdateCommands();
    });
    connect(window, &TBidsWindow::documentChanged, client, [client] {
        client->update();
        emit client->DocumentChanged();
    });
    connect(window, &TBidsWindow::pilotInfoRequested, this, [this, client](int crew) {
        ScheduleDocument& d = client->Document();
        if (RunPilotInfoDialog(d, m_ui, crew, client->ReadOnly() || d.ReadOnly, this)) {
            client->Grid()->ApplyDisplayFilters();
            emit client->DocumentChanged();
        }
    });
    connect(window, &TBidsWindow::selectFiltersRequested, this, [this, window, client](int crew) {
        if (RunFilterButtons(client->Document(), m_ui, crew, window)) {
            window->FilterEdited();
            emit client->DocumentChanged();
        }
    });
    window->show();
    UpdateCommands();
}

TMainDecFrameWin::~TMainDecFrameWin()
{
    delete m_bidsWin.data();
}

void TMainDecFrameWin::SaveEditedBid()
{
    if (m_bidsWin)
        m_bidsWin->SaveBid();
}

void TMainDecFrameWin::ImportPilotBids()
{
    ImportContext c = Imports();
    if (c.Doc.CrewKind == kFlightAttendants) {
        m_ui.Message(kCaption, "This Feature is for Pilot Use Only", Icon::Information);
        return;
    }
    const QString path =
        ChooseFile(c.Chooser, {c.Settings, c.SaveSettings, c.Parent}, FileChooser::Mode::Open,
                   QStringLiteral("Load Pilot Bids"), QStringLiteral("LastBidsPath"),
                   QStringLiteral("Bid Files (*.csv *.CSV);;All Files (*)"));
    if (path.isEmpty())
        return;
    SaveEditedBid();
    ImportBids(c.Doc, ToFileName(path), m_ui);
}

} // namespace tl::ui
