#include "storage/safe_write.h"

#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tl {

std::filesystem::path FollowLinks(std::filesystem::path path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

namespace {

std::filesystem::path TempName(const std::filesystem::path& folder,
                               const std::filesystem::path& target)
{
    std::random_device rd;
    return folder / (target.filename().string() + ".saving-" + std::to_string(rd()));
}

#if defined(_WIN32)

WriteResult WritePlatform(const std::filesystem::path& folder, const std::filesystem::path& target,
                          std::span<const uint8_t> bytes, const std::filesystem::file_status* old,
                          bool = true)
{
    namespace fs = std::filesystem;
    (void)old;
    const fs::path temp = TempName(folder, target);
    std::FILE* file = _wfopen(temp.c_str(), L"wbx");
    if (!file)
        return WriteResult::CannotCreate;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = _commit(_fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    std::error_code ec;
    if (ok)
        fs::rename(temp, target, ec);
    if (!ok || ec) {
        fs::remove(temp, ec);
        return ok ? WriteResult::CannotCreate : WriteResult::WriteFailed;
    }
    return WriteResult::Written;
}

#else

bool WriteAllBytes(int fd, std::span<const uint8_t> bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The permissions a new file gets from the process's mask.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Errors that say the file or its folder may not be changed, rather than
// that the disk failed.
bool IsRefusal(int error)
{
    return error == EACCES || error == EPERM || error == EROFS || error == EBUSY ||
           error == ETXTBSY || error == EISDIR || error == ENOTDIR || error == ENOENT;
}

// A rename is on the disk only once its folder is.
bool SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true; // nothing to sync through; the rename itself succeeded
    const bool ok = ::fsync(fd) == 0 || (errno != EIO && errno != ENOSPC && errno != EDQUOT);
    ::close(fd);
    return ok;
}

WriteResult WritePlatform(const std::filesystem::path& folder, const std::filesystem::path& target,
                          std::span<const uint8_t> bytes, const std::filesystem::file_status* old,
                          bool tryUnnamed = true)
{
    const mode_t finalMode = old ? static_cast<mode_t>(old->permissions()) & 07777 : NewFileMode();
    const std::filesystem::path temp = TempName(folder, target);
    bool unnamed = false;
    int fd = -1;
#if defined(O_TMPFILE)
    // A file with no name until it is complete: a save cut short by a crash
    // or a kill leaves no copy of the month behind.
    if (tryUnnamed)
        fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    unnamed = fd >= 0;
#endif
    if (fd < 0)
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return errno == ENOSPC || errno == EDQUOT ? WriteResult::WriteFailed
                                                  : WriteResult::CannotCreate;
    bool named = !unnamed;
    const auto fail = [&](WriteResult result) {
        ::close(fd);
        if (named)
            ::unlink(temp.c_str());
        return result;
    };
    if (!WriteAllBytes(fd, bytes) || ::fsync(fd) != 0)
        return fail(WriteResult::WriteFailed);
    (void)::fchmod(fd, finalMode);
    if (unnamed) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            // No way to name it here (no /proc): write a named copy instead.
            ::close(fd);
            return WritePlatform(folder, target, bytes, old, false);
        }
        named = true;
    }
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        return WriteResult::WriteFailed;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return IsRefusal(error) ? WriteResult::CannotCreate : WriteResult::WriteFailed;
    }
    return SyncFolder(folder) ? WriteResult::Written : WriteResult::WriteFailed;
}

#endif

} // namespace

WriteResult WriteFileSafely(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    namespace fs = std::filesystem;
    const fs::path target = FollowLinks(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    const bool exists = !ec && fs::exists(status);
    if (exists) {
        if (fs::is_directory(status))
            return WriteResult::CannotCreate;
        // A file marked read-only stays untouched, as the user meant.
        if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
            return WriteResult::CannotCreate;
    }
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    return WritePlatform(folder, target, bytes, exists ? &status : nullptr);
}

} // namespace tl
