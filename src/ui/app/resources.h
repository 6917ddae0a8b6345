#pragma once

namespace tl::ui {

// Registers the icons and forms compiled into the program. The resources
// live in a static library, so they must be pulled in by a call.
void EnsureResources();

} // namespace tl::ui
