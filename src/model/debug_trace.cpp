#include "model/debug_trace.h"

#include "model/input_file.h"
#include "model/interaction.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>

namespace tl {

namespace {

// True when the file holds "Termination" anywhere. Read in chunks so a huge
// trace left by a long run is not pulled into memory whole.
bool ContainsTermination(const std::filesystem::path& path, std::uintmax_t& size)
{
    static constexpr std::string_view kWord = "Termination";
    // Never a FIFO or a device left in its place: start-up would wait on it.
    const InputFile file = OpenInputFile(path, InputText::Binary);
    if (!file)
        return false;
    std::istream& in = *file.Stream;
    std::array<char, 64 * 1024> buffer{};
    std::string window;
    size = 0;
    bool found = false;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        auto got = static_cast<size_t>(in.gcount());
        if (got == 0)
            break;
        size += got;
        window.append(buffer.data(), got);
        if (window.find(kWord) != std::string::npos)
            found = true;
        // Keep the tail so a word split across two chunks is still found.
        if (window.size() > kWord.size())
            window.erase(0, window.size() - kWord.size());
    }
    return found;
}

} // namespace

DebugTrace::~DebugTrace()
{
    if (m_file)
        std::fclose(m_file);
}

std::string AbnormalTraceName(const std::tm& now)
{
    return Format("TLDebug %d %s %d at %02d%02d.txt", now.tm_mday,
                  MonthAbbreviation(now.tm_mon + 1), now.tm_year + 1900, now.tm_hour, now.tm_min);
}

DebugTrace::OpenResult DebugTrace::Open(const std::filesystem::path& folder, const std::tm& now)
{
    OpenResult result;
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    m_path = folder / "TLDebug.txt";

    if (std::filesystem::exists(m_path, ec)) {
        std::uintmax_t size = 0;
        bool terminated = ContainsTermination(m_path, size);
        if (size > 1 && !terminated) {
            // Two abnormal ends within a minute must not share one name.
            const std::string name = AbnormalTraceName(now);
            std::filesystem::path kept = folder / name;
            for (int n = 2; std::filesystem::exists(kept, ec) && n < 1000; ++n)
                kept =
                    folder / (name.substr(0, name.size() - 4) + " (" + std::to_string(n) + ").txt");
            if (!std::filesystem::exists(kept, ec))
                std::filesystem::rename(m_path, kept, ec);
            if (ec || std::filesystem::exists(m_path)) {
                // Never empty a trace that could not be kept: this run goes
                // without one, and the next start tries again.
                result.KeepFailed = true;
                return result;
            }
            result.RenamedTo = kept.string();
        }
    }

    m_file = std::fopen(m_path.string().c_str(), "wb");
    result.Opened = m_file != nullptr;
    return result;
}

void DebugTrace::Write(std::string_view text)
{
    if (!m_file)
        return;
    std::fwrite(text.data(), 1, text.size(), m_file);
    // A trace is read after a crash: it must be on disk line by line.
    std::fflush(m_file);
}

void DebugTrace::CloseNormally()
{
    if (!m_file)
        return;
    Write(kTerminationLine);
    std::fclose(m_file);
    m_file = nullptr;
}

bool OpenDebugTrace(DebugTrace& trace, const std::filesystem::path& folder, Interaction& ui)
{
    const std::tm now = LocalNow();
    DebugTrace::OpenResult result = trace.Open(folder, now);
    if (!result.RenamedTo.empty()) {
        ui.MessageAboutFile(kCaption,
                            "Tessara Lines did not shut down normally. A file named %s contains a "
                            "log of the last program run. Tessara Lines will now continue",
                            result.RenamedTo, Icon::Warning);
    } else if (result.KeepFailed) {
        ui.MessageAboutFile(kCaption,
                            "Tessara Lines did not shut down normally. The log of the last program "
                            "run in %s could not be kept under another name, so this run writes no "
                            "debug trace. Tessara Lines will now continue",
                            trace.Path().string(), Icon::Warning);
    }
    return result.Opened;
}

} // namespace tl
