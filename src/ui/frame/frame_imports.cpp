// The Import menu: the crew tracking system's extracts, the month's pairings,
// the LIS listings and the toolbox.
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "rules/block_build.h"
#include "ui/dialogs/loadpairsonlydialog.h"
#include "ui/frame/month_imports.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"

#include <QAction>
#include <QLineEdit>

namespace tl::ui {

void TMainDecFrameWin::InstallImportCommands()
{
    // Each import changes the month; a month that may not be saved under its
    // own name takes none, so nothing is imported that could only be lost.
    auto refused = [this] {
        if (m_client->RefuseReadOnly())
            return true;
        const ScheduleDocument& doc = m_client->Document();
        if (!doc.ReadOnly)
            return false;
        m_ui.MessageAboutFile("File Error",
                              "%s\nis opened read-only. Use Save As to Save as a new name before "
                              "importing into it",
                              doc.FileName, Icon::Error);
        return true;
    };
    auto install = [this, refused](int command, std::function<void(ImportContext&)> import) {
        m_handlers.insert(command, [this, refused, import] {
            if (refused())
                return;
            ImportContext context = Imports();
            import(context);
            // The grid, the pairings board, the toolbox and the title follow.
            m_client->update();
            emit m_client->DocumentChanged();
        });
    };

    install(CmAbsences, [](ImportContext& c) { ImportAbsences(c, false); });
    install(CmNextMonthAbsences, [](ImportContext& c) { ImportAbsences(c, true); });
    install(CmLastMonth, [](ImportContext& c) { ImportLastMonth(c); });
    install(CmLisFiles, ScanLisFilesDialog);
    install(CmToolBoxItems, [](ImportContext& c) { ImportToolBoxItems(c); });
    install(CmBlockImport, ImportBawLinBlocksDialog);
    install(CmImportPairings, [this](ImportContext& c) {
        LoadPairsOnlyDialog dialog(m_ui, this);
        if (dialog.exec() == QDialog::Accepted) {
            // Cabin crew fly every equipment of their base.
            const bool anyEquipment = dialog.Manual() ? dialog.EqpCode()->text().isEmpty()
                                                      : c.Doc.CrewKind == kFlightAttendants;
            if (ImportPairingsFile(c, dialog.BaseAndEqp(), anyEquipment))
                BuildBlocks(c.Doc, m_ui, true);
        }
        // The listings tag whatever pairings the month holds now.
        ScanLisFilesDialog(c);
    });
}

} // namespace tl::ui
