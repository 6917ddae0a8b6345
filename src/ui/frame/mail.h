#pragma once

#include <filesystem>

namespace tl {
class Interaction;
}

namespace tl::ui {

// Whether a file can go by mail here. SendByMail always has a way: the
// desktop's mail program, a mail link, or at least telling the user where
// the file is to attach.
inline bool MailAvailable()
{
    return true;
}

// Starts a new message in the desktop's mail program with `file` attached,
// or tells the user how to send it when that cannot be done.
void SendByMail(const std::filesystem::path& file, Interaction& ui);

} // namespace tl::ui
