// The main window's side of the block grid: settings, visibility and the
// redraws the block operations ask for.
#include "model/schedule_document.h"
#include "storage/settings.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"

namespace tl::ui {

void TtlWin::ReadDisplaySettings()
{
    m_grid->SetStyle(GridStyle::FromPreferences(Preferences::Read(m_settings)));
}

void TtlWin::SyncGrid()
{
    bool on = m_doc->GridOn && m_doc->DisplayState != kNoMonthOpen;
    if (on) {
        m_grid->RebuildRows();
        bool focused = hasFocus();
        m_grid->show();
        setFocusProxy(m_grid);
        if (focused)
            m_grid->setFocus();
    } else if (m_grid->isVisible()) {
        setFocusProxy(nullptr);
        m_grid->hide();
    }
    update();
}

void TtlWin::CrewRowChanged(int crew, int firstDay, int lastDay)
{
    m_grid->RepaintCrewCells(crew, firstDay, lastDay);
}

void TtlWin::OpenCreditChanged(int32_t open, int32_t total)
{
    emit OpenCreditUpdated(open, total);
}

void TtlWin::DayBalanceChanged(int day)
{
    m_grid->RepaintHeaderDay(day);
}

void TtlWin::GridChanged()
{
    SyncGrid();
    m_grid->RepaintAll();
}

void TtlWin::GridTakenDown()
{
    emit PairingsWindowRequested(false);
    SyncGrid();
}

} // namespace tl::ui
