#include "ui/windows/floatingwindows.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "rules/history.h"
#include "storage/settings.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/framedock.h"
#include "ui/windows/pairtextwin.h"
#include "ui/windows/tfilterwin.h"
#include "ui/windows/tpairwin.h"
#include "ui/windows/whoslegaldialog.h"

#include <QAction>

namespace tl::ui {

FloatingWindows::FloatingWindows(TMainDecFrameWin& frame, Interaction& ui, SettingsStore& settings)
    : QObject(&frame), m_frame(frame), m_ui(ui), m_settings(settings)
{
    setObjectName(QStringLiteral("FloatingWindows"));
    TtlWin* client = frame.Client();
    // The main window, the document's listener, passes on what concerns
    // the pairings window.
    connect(client, &TtlWin::PairingsBoardChanged, this, &FloatingWindows::OnPairingsChanged);
    connect(client, &TtlWin::PairingsWindowRequested, this, &FloatingWindows::ShowPairingsWindow);
    // The grid going down takes the filter window with it.
    connect(client, &TtlWin::PairingsWindowRequested, this, [this](bool show) {
        if (!show)
            ShowFiltersWindow(false);
    });
    connect(client, &TtlWin::DocumentChanged, this, &FloatingWindows::OnDocumentChanged);
    connect(client, &TtlWin::FiltersChanged, this, &FloatingWindows::OnFiltersChanged);
    connect(client, &TtlWin::PairingsCaptionSet, this, [this](const QString& caption) {
        if (m_pairWin)
            m_pairWin->setWindowTitle(caption);
    });
    // Closing the dock closes the board.
    connect(frame.Dock(PairingsDockName()), &FrameDock::Closed, this,
            [this] { ShowPairingsWindow(false); });
    // The document is gone by now: the board lets go of it and goes too.
    connect(client, &QObject::destroyed, this, [this] {
        delete m_filterWin;
        if (m_pairWin) {
            m_pairWin->disconnect(this);
            m_pairWin->Model()->Detach();
            delete m_pairWin;
        }
    });
}

TPairWin* FloatingWindows::PairWin() const
{
    return m_pairWin.data();
}

void FloatingWindows::TogglePairingsWindow()
{
    ShowPairingsWindow(!m_pairWin);
}

void FloatingWindows::ShowPairingsWindow(bool show)
{
    ScheduleDocument& doc = m_frame.Client()->Document();
    FrameDock* dock = m_frame.Dock(PairingsDockName());
    if (show && !m_pairWin) {
        const GridColours colours = ParseCustomColors(Preferences::Read(m_settings).CustomColors);
        m_pairWin = new TPairWin(doc, colours, dock);
        // The frame's keys work while the pairings window has the focus.
        for (int command : {CmUndo, CmShowOnlyOpen, CmPairingsWindow, CmHistory})
            if (QAction* action = m_frame.Action(command))
                m_pairWin->addAction(action);
        connect(m_pairWin, &TPairWin::PairingChosen, this, &FloatingWindows::ChoosePairing);
        connect(m_pairWin, &TPairWin::PairingClicked, this, [this](int pairing, int day) {
            ShowPairingText(&m_frame, m_frame.Client()->Document(), pairing, day);
        });
        connect(m_pairWin, &QObject::destroyed, this, [this] {
            // Half destroyed already: not to be looked at as a TPairWin.
            m_pairWin = nullptr;
            m_frame.Client()->Document().PairWindowOpen = false;
            SyncActions();
        });
        // The dock's title carries the board's caption.
        auto caption = [dock](const QString& text) {
            dock->setWindowTitle(text.isEmpty() ? tr("Pairings") : tr("Pairings - ") + text);
        };
        connect(m_pairWin, &QWidget::windowTitleChanged, dock, caption);
        caption(m_pairWin->windowTitle());
        dock->setWidget(m_pairWin);
        dock->show();
        dock->raise();
        doc.PairWindowOpen = true;
    } else if (!show && m_pairWin) {
        delete m_pairWin;
        dock->hide();
        doc.PairWindowOpen = false;
    }
    SyncActions();
}

TFilterWin* FloatingWindows::FilterWin() const
{
    return m_filterWin.data();
}

void FloatingWindows::ToggleFiltersWindow()
{
    if (m_frame.Client()->Document().CrewKind != kFlightAttendants && !m_filterWin) {
        m_ui.Message(kCaption, "Please Select the Filter Window from the Bids Window",
                     Icon::Information);
        SyncActions();
        return;
    }
    ShowFiltersWindow(!m_filterWin);
}

void FloatingWindows::ShowFiltersWindow(bool show)
{
    if (show && !m_filterWin) {
        TtlWin* client = m_frame.Client();
        m_filterWin = new TFilterWin(client->Document(), m_ui, &m_frame);
        m_filterWin->move(m_frame.mapToGlobal(QPoint(40, 80)));
        connect(m_filterWin, &TFilterWin::filtersSaved, client, &TtlWin::DocumentChanged);
        connect(m_filterWin, &QObject::destroyed, this, [this] {
            m_filterWin = nullptr;
            SyncActions();
        });
        m_filterWin->show();
    } else if (!show && m_filterWin) {
        delete m_filterWin;
    }
    SyncActions();
}

void FloatingWindows::ToggleOnlyOpen()
{
    ScheduleDocument& doc = m_frame.Client()->Document();
    doc.ShowOnlyOpenPairings = !doc.ShowOnlyOpenPairings;
    if (m_pairWin) {
        m_pairWin->Relayout();
        m_pairWin->UpdateCaption();
    }
    SyncActions();
}

void FloatingWindows::Undo()
{
    TtlWin* client = m_frame.Client();
    if (tl::Undo(client->Document(), m_ui) == UndoResult::Empty)
        return;
    // The operations have told the windows what changed; titles and menus
    // follow the modified month.
    emit client->DocumentChanged();
}

void FloatingWindows::ChoosePairing(int pairing, int day)
{
    TtlWin* client = m_frame.Client();
    ScheduleDocument& doc = client->Document();
    doc.CurrentPair = pairing;
    doc.CurrentPairDay = day;
    if (m_pairWin)
        m_pairWin->Model()->Repaint();
    WhosLegalDialog dialog(doc, m_ui, pairing, day, &m_frame);
    dialog.exec();
    if (doc.Modified)
        emit client->DocumentChanged();
}

void FloatingWindows::OnPairingsChanged()
{
    if (m_pairWin)
        m_pairWin->Relayout();
}

void FloatingWindows::OnFiltersChanged()
{
    if (m_pairWin) {
        m_pairWin->Relayout();
        m_pairWin->ClearSelection();
    }
    if (m_filterWin)
        m_filterWin->update();
}

void FloatingWindows::OnDocumentChanged()
{
    const ScheduleDocument& doc = m_frame.Client()->Document();
    if (doc.DisplayState == kNoMonthOpen) {
        // No month: nothing to show.
        ShowPairingsWindow(false);
        ShowFiltersWindow(false);
        ClosePairingText(&m_frame);
    } else if (m_pairWin) {
        m_pairWin->Relayout();
        m_pairWin->UpdateCaption();
    }
    SyncActions();
}

void FloatingWindows::SyncActions()
{
    const ScheduleDocument& doc = m_frame.Client()->Document();
    if (QAction* action = m_frame.Action(CmPairingsWindow))
        action->setChecked(m_pairWin != nullptr); // open, even when tabbed behind another
    if (QAction* action = m_frame.Action(CmShowOnlyOpen))
        action->setChecked(doc.ShowOnlyOpenPairings);
    if (QAction* action = m_frame.Action(CmFiltersWindow))
        action->setChecked(m_filterWin != nullptr);
}

} // namespace tl::ui
