#pragma once

#include <filesystem>

namespace tl {
class Interaction;
}

namespace tl::ui {

// Starts a new message in the desktop's mail program with `file` attached,
// or tells the user how to send it when that cannot be done.
void SendByMail(const std::filesystem::path& file, Interaction& ui);

} // namespace tl::ui
