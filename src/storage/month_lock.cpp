#include "storage/month_lock.h"

#include "model/vortime.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>
#include <system_error>

#if defined(_WIN32)
#include <cstdlib>
#include <process.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tl {

namespace {

// A lock file is one short line; anything longer is not one of ours.
constexpr std::uintmax_t kMaxLockSize = 1024;

#if defined(_WIN32)

std::string UserName()
{
    const char* name = std::getenv("USERNAME");
    return name ? name : "";
}

std::string HostName()
{
    const char* name = std::getenv("COMPUTERNAME");
    return name ? name : "";
}

long long ProcessId()
{
    return _getpid();
}

// Without a cheap check, a lock is taken to be alive.
bool ProcessGone(long long)
{
    return false;
}

enum class Create { Made, Exists, Refused };

Create CreateExclusive(const std::filesystem::path& path, const std::string& content)
{
    std::FILE* file = _wfopen(path.c_str(), L"wbx");
    if (!file)
        return std::filesystem::exists(path) ? Create::Exists : Create::Refused;
    const bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    std::fclose(file);
    return ok ? Create::Made : Create::Refused;
}

#else

std::string UserName()
{
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        return entry->pw_name;
    const char* name = std::getenv("USER");
    return name ? name : "";
}

std::string HostName()
{
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0)
        return "";
    return name.data();
}

long long ProcessId()
{
    return ::getpid();
}

bool ProcessGone(long long process)
{
    if (process <= 0 || process > 0x7fffffff)
        return false;
    return ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

enum class Create { Made, Exists, Refused };

Create CreateExclusive(const std::filesystem::path& path, const std::string& content)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return errno == EEXIST ? Create::Exists : Create::Refused;
    const bool ok =
        ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    ::close(fd);
    if (!ok) {
        ::unlink(path.c_str());
        return Create::Refused;
    }
    return Create::Made;
}

#endif

std::string Now()
{
    const std::tm local = LocalNow();
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

// Commas and line ends would split the fields when the file is read back.
std::string Field(std::string text)
{
    for (char& c : text)
        if (c == ',' || c == ';' || c == '\n' || c == '\r')
            c = '_';
    return text;
}

// The lock file's bytes; nullopt when it is missing; empty when it is there
// but not a small regular file.
std::optional<std::string> ReadLock(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return std::nullopt;
    const InputFile in = OpenInputFile(path, InputText::Binary);
    if (!in || in.Size > kMaxLockSize)
        return std::string();
    std::string text(static_cast<size_t>(in.Size), '\0');
    in.Stream->read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.Stream->gcount()));
    return text;
}

LockHolder ParseHolder(std::string_view text)
{
    if (const size_t end = text.find(';'); end != std::string_view::npos)
        text = text.substr(0, end);
    std::array<std::string, 4> fields;
    size_t field = 0;
    for (char c : text) {
        if (c == ',' && field + 1 < fields.size())
            ++field;
        else if (c != '\n' && c != '\r')
            fields[field] += c;
    }
    LockHolder holder{fields[0], fields[1], fields[2], 0};
    long long process = 0;
    for (char c : fields[3]) {
        if (c < '0' || c > '9' || process > 0x7fffffff) {
            process = 0;
            break;
        }
        process = process * 10 + (c - '0');
    }
    holder.Process = process;
    return holder;
}

} // namespace

std::filesystem::path MonthLock::LockFileOf(const std::filesystem::path& month)
{
    return month.parent_path() / (".~lock." + month.filename().string() + "#");
}

MonthLock::Result MonthLock::Take(const std::filesystem::path& month)
{
    Release();
    m_holder = {};
    const std::filesystem::path path = LockFileOf(month);
    const std::string content = Field(UserName()) + "," + Field(HostName()) + "," + Now() + "," +
                                std::to_string(ProcessId()) + ";\n";
    // Twice at most: once more after taking over a lock whose process is gone.
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (CreateExclusive(path, content)) {
        case Create::Made:
            m_lockFile = path;
            m_content = content;
            return Result::Taken;
        case Create::Refused:
            return Result::Unavailable;
        case Create::Exists:
            break;
        }
        const std::optional<std::string> held = ReadLock(path);
        if (!held)
            continue; // released in between
        m_holder = ParseHolder(*held);
        if (m_holder.Host.empty() || m_holder.Host != Field(HostName()) ||
            m_holder.Process == ProcessId() || !ProcessGone(m_holder.Process))
            return Result::Held;
        // Left by a process of this host that is gone. Moved aside before it
        // goes, so that of two programs taking it over only one removes it.
        const std::filesystem::path aside = path.string() + "." + std::to_string(ProcessId());
        std::error_code ec;
        std::filesystem::rename(path, aside, ec);
        if (ec)
            return Result::Held;
        if (ReadLock(aside) != held) {
            // Another took it over first: theirs goes back.
            std::filesystem::rename(aside, path, ec);
            m_holder = ParseHolder(ReadLock(path).value_or(""));
            return Result::Held;
        }
        std::filesystem::remove(aside, ec);
    }
    return Result::Held;
}

void MonthLock::Release()
{
    if (m_lockFile.empty())
        return;
    // A lock taken over by another (this one seemed gone) is theirs now.
    if (ReadLock(m_lockFile) == m_content) {
        std::error_code ec;
        std::filesystem::remove(m_lockFile, ec);
    }
    m_lockFile.clear();
    m_content.clear();
}

std::string DescribeHolder(const LockHolder& holder)
{
    const std::string user = holder.User.empty() ? "another user" : holder.User;
    std::string text = user;
    if (!holder.Host.empty())
        text += " on " + holder.Host;
    if (!holder.Since.empty())
        text += " since " + holder.Since;
    return text;
}

std::string HeldMonthText(const LockHolder& holder, std::string_view then)
{
    return "%s\nis open for editing by " + DescribeHolder(holder) + std::string(then);
}

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path,
                                       std::shared_ptr<const uint8_t[]> bytes, size_t size)
{
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    if (ec)
        return std::nullopt;
    return FileIdentity{size, static_cast<std::int64_t>(time.time_since_epoch().count()),
                        std::move(bytes)};
}

bool SameOnDisk(const std::filesystem::path& path, const FileIdentity& identity)
{
    const InputFile in = OpenInputFile(path, InputText::Binary);
    if (!in || in.Size != identity.Size || (identity.Size != 0 && !identity.Bytes))
        return false;
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    if (ec || static_cast<std::int64_t>(time.time_since_epoch().count()) != identity.ModifiedTicks)
        return false;
    // Same size and time: the bytes decide, read a chunk at a time.
    constexpr size_t kChunk = 64 * 1024;
    std::unique_ptr<char[]> chunk(new char[kChunk]);
    std::uintmax_t at = 0;
    for (;;) {
        in.Stream->read(chunk.get(), static_cast<std::streamsize>(kChunk));
        const auto got = static_cast<size_t>(in.Stream->gcount());
        if (got == 0)
            break;
        if (got > identity.Size - at ||
            std::memcmp(chunk.get(), identity.Bytes.get() + at, got) != 0)
            return false;
        at += got;
    }
    return at == identity.Size;
}

} // namespace tl
