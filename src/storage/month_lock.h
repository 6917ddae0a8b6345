#pragma once

#include "model/input_file.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tl {

// Who has a month open for editing, as the lock file beside it says.
struct LockHolder {
    std::string User;
    std::string Host;
    std::string Since; // local time the lock was taken, "YYYY-MM-DD HH:MM"
    long long Process = 0;
};

// The lock a program holds beside a month while it has the month open for
// editing: a small file ".~lock.NAME#" in the month's folder naming user,
// host, time and process, as office programs do. A lock left behind by a
// process of this host that is gone is taken over. Released when the object
// goes.
class MonthLock {
public:
    enum class Result {
        Taken,       // this object holds the lock now
        Held,        // another holds it: see Holder()
        Unavailable, // no lock can be made there (a read-only folder)
    };

    MonthLock() = default;
    ~MonthLock() { Release(); }
    MonthLock(const MonthLock&) = delete;
    MonthLock& operator=(const MonthLock&) = delete;

    [[nodiscard]] Result Take(const std::filesystem::path& month);
    // Removes the lock file if it is still this object's.
    void Release();

    bool Taken() const { return !m_lockFile.empty(); }
    // Who holds the month when Take said Held; empty fields when the lock
    // file could not be read.
    const LockHolder& Holder() const { return m_holder; }

    static std::filesystem::path LockFileOf(const std::filesystem::path& month);

private:
    std::filesystem::path m_lockFile;
    std::string m_content;
    LockHolder m_holder;
};

// "USER on HOST since TIME" for the messages about a held month.
std::string DescribeHolder(const LockHolder& holder);

// "%s\nis open for editing by USER on HOST since TIME" followed by `then`:
// the text of every message about a held month, "%s" standing for its file.
std::string HeldMonthText(const LockHolder& holder, std::string_view then);

// The identity of the `size` bytes just read from or written to `path`,
// keeping them; nullopt when the file's time cannot be had.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path,
                                       std::shared_ptr<const uint8_t[]> bytes, size_t size);

// Whether the file at `path` is still the one `identity` describes: the same
// size, time and bytes. False when it is not there or cannot be read.
bool SameOnDisk(const std::filesystem::path& path, const FileIdentity& identity);

} // namespace tl
