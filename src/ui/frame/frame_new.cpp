// New (the month's dates and the new-file wizard) and Setup Month.
#include "ui/frame/tmaindecframewin.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "rules/block_build.h"
#include "ui/dialogs/monthdatesdialog.h"
#include "ui/dialogs/newfiledialog.h"
#include "ui/dialogs/setupmonthdialog.h"
#include "ui/frame/month_imports.h"
#include "ui/grid/ttlwin.h"

#include <QAction>

namespace tl::ui {

void TMainDecFrameWin::InstallNewCommands()
{
    // Setup Month; true when a rule changed.
    auto setupMonth = [this] {
        ScheduleDocument& doc = m_client->Document();
        SetupMonthDialog dialog(doc, this);
        return dialog.exec() == QDialog::Accepted && dialog.Store(doc);
    };

    m_handlers.insert(CmMonth, [this, setupMonth] {
        ScheduleDocument& doc = m_client->Document();
        if (setupMonth() && doc.GridOn) {
            // Credit limits and days off decide legality and the block
            // holders: the blocks are checked again, then redrawn.
            TakeDownGrid(doc);
            BuildBlocks(doc, m_ui, true);
        }
        m_client->update();
        emit m_client->DocumentChanged();
    });

    m_handlers.insert(CmNew, [this, setupMonth] {
        // A bid being edited counts as a change the question below must see.
        SaveEditedBid();
        ScheduleDocument& doc = m_client->Document();
        if (doc.Modified &&
            !m_ui.AskYes("Caution!", "All changes to file will be lost. Delete Anyway"))
            return;
        if (!m_ui.AskYes(kCaption, "Would you like to create a new file"))
            return;
        // The month open stays whole until the new one has its dates: SetMonth
        // changes nothing when it refuses, and Cancel leaves everything as it
        // was.
        int32_t firstDay = 0;
        int32_t lastDay = 0;
        MonthDatesDialog dates(
            [&](int32_t first, int32_t last) {
                if (!doc.SetMonth(m_ui, first, last))
                    return false;
                firstDay = first;
                lastDay = last;
                // The month open is given up: its grid and floating windows
                // go before they could show the new dates.
                TakeDownGrid(doc);
                return true;
            },
            this);
        if (dates.exec() != QDialog::Accepted)
            return;

        m_ui.Trace("FileNewBegin\n");
        m_client->DeleteAll(); // lets go of the month's lock
        (void)doc.SetMonth(m_ui, firstDay, lastDay);
        doc.Untitled = true;
        doc.Modified = false;
        setWindowTitle(QStringLiteral("Tessara Lines File Viewer - untitled.blk[*]"));

        // Each step imports into the month with the frame's file dialogs.
        auto import = [this](auto load) {
            return [this, load](auto... flag) {
                ImportContext context = Imports();
                return load(context, flag...);
            };
        };
        NewFileSteps steps;
        steps.ToolBoxAndMonth = [this, setupMonth] {
            ImportContext context = Imports();
            (void)ImportToolBoxItems(context);
            (void)setupMonth();
        };
        steps.Roster = import(ImportRosterExtract);
        steps.Absences = import(ImportAbsences);
        steps.LastMonth = import(ImportLastMonth);
        // The pairings of the month's group: flight attendants of every type.
        steps.Pairings = import(
            [](ImportContext& c, bool any) { return ImportPairingsFile(c, std::string(), any); });
        steps.ScanLis = import(ScanLisFilesDialog);
        steps.SaveAs = [this] { return DoSaveAs(); };
        NewFileDialogACR wizard(doc, m_ui, m_settings, std::move(steps), this);
        const bool finished = wizard.exec() == QDialog::Accepted;
        SaveSettings(false);
        // Cancelled before the crew group was chosen: no month. Later, what
        // was loaded stays open, to be completed through the menus.
        if (!finished && wizard.Step() == 0) {
            m_client->DeleteAll();
            return;
        }
        doc.DisplayState = kMonthOpen;
        emit m_client->DocumentChanged();
        if (finished && wizard.BuildOnFinish()) {
            BuildBlocks(doc, m_ui, true);
            emit m_client->DocumentChanged();
        }
    });
}

} // namespace tl::ui
