#pragma once

namespace tl::ui {

// Command identifiers of the menus, the tool bar and the accelerators. They
// keep the numbers the scheduler's support notes refer to.
enum Command : int {
    CmNew = 201,
    CmOpen = 202,
    CmSave = 203,
    CmSaveAs = 204,
    CmAbout = 205,
    CmExit = 24310,
};

// The document state the enabling rules look at.
struct CommandContext {
    int DisplayState = 3; // 3 no month open, 1 a month is open
    bool Untitled = false;
    int BuildState = 0;
};

// Whether a command with a handler is enabled in the given state.
bool CommandEnabled(int command, const CommandContext& context);

} // namespace tl::ui
