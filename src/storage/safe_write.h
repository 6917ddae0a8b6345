#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tl {

enum class WriteResult {
    Written,
    CannotCreate, // the file or its folder cannot be written: read-only, immutable, missing
    WriteFailed,  // the bytes did not all reach the disk
};

// Writes `bytes` to a new file beside `path` (or beside the file its links
// lead to) and moves it into place only once it is complete and on the disk,
// so a failed save leaves the previous file as it was. While it is written
// only the owner can read it, and no copy of it stays behind on failure.
[[nodiscard]] WriteResult WriteFileSafely(const std::filesystem::path& path,
                                          std::span<const uint8_t> bytes);

// The file a path names at the end of its symbolic links (a link to a file
// not yet there included).
std::filesystem::path FollowLinks(std::filesystem::path path);

} // namespace tl
