// The Import menu: extracts, pairings, LIS files and the toolbox.
#include "ui/frame/tmaindecframewin.h"

namespace tl::ui {

void TMainDecFrameWin::InstallImportCommands() {}

} // namespace tl::ui
