#include "ui/frame/commands.h"

namespace tl::ui {

bool CommandEnabled(int command, const CommandContext& context)
{
    switch (command) {
    case CmSave:
        return context.DisplayState != 3 && !context.Untitled;
    case CmSaveAs:
        return context.DisplayState != 3;
    default:
        return true;
    }
}

} // namespace tl::ui
