#include "actions/rebuild_commands.h"

#include "model/schedule_document.h"
#include "rules/block_build.h"

namespace tl {

void CrewComplementCommand(ScheduleDocument& doc, Interaction& ui,
                           const std::function<void()>& runDialog)
{
    TakeDownGrid(doc);
    if (runDialog)
        runDialog();
    BuildBlocks(doc, ui, true);
}

void RosterCommand(ScheduleDocument& doc, Interaction& ui, const std::function<void()>& runEditor)
{
    const bool wasOn = doc.GridOn;
    TakeDownGrid(doc);
    if (runEditor)
        runEditor();
    if (wasOn)
        BuildBlocks(doc, ui, true);
}

} // namespace tl
