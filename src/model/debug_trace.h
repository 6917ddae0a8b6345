#pragma once

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace tl {

class Interaction;

// The debug trace: one file, TLDebug.txt, in a per-user folder. Long
// operations write their begin and end markers to it; a normal end of the
// program writes the termination line, so a trace without one tells of a
// run that ended abnormally.
class DebugTrace {
public:
    DebugTrace() = default;
    ~DebugTrace();
    DebugTrace(const DebugTrace&) = delete;
    DebugTrace& operator=(const DebugTrace&) = delete;

    struct OpenResult {
        bool Opened = false;
        // Name the previous, abnormally ended trace was renamed to; empty if none.
        std::string RenamedTo;
        // The previous trace ended abnormally but could not be renamed; it
        // is left as it was and no new trace is open.
        bool KeepFailed = false;
    };

    // Creates the folder when missing, keeps an abnormally ended previous
    // trace under a dated name and starts a new TLDebug.txt. `now` is the
    // local time used for that name.
    [[nodiscard]] OpenResult Open(const std::filesystem::path& folder, const std::tm& now);

    bool IsOpen() const { return m_file != nullptr; }
    const std::filesystem::path& Path() const { return m_path; }

    void Write(std::string_view text);

    // Writes the normal termination line and closes the file.
    void CloseNormally();

    static constexpr std::string_view kTerminationLine = "Tessara Lines Termination Normal\n";

private:
    std::FILE* m_file = nullptr;
    std::filesystem::path m_path;
};

// Opens the trace as the program does at start and tells the user when the
// last run did not end normally.
[[nodiscard]] bool OpenDebugTrace(DebugTrace& trace, const std::filesystem::path& folder,
                                  Interaction& ui);

// Name under which an abnormally ended trace is kept, for the given local time.
std::string AbnormalTraceName(const std::tm& now);

} // namespace tl
