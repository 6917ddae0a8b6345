#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <memory>
#include <string>

namespace tl {

// Files the user names as inputs are opened only when they are regular files:
// a FIFO, a terminal or a device such as /dev/zero would block the open, never
// end, or hand the loader whatever another reader left of it.

enum class InputText {
    Binary, // every byte as it is on disk
    Text,   // a UTF-8 byte-order mark at the start is skipped
};

// An opened input with the number of bytes it will give (what the file held
// when it was opened, less a skipped byte-order mark).
struct InputFile {
    std::unique_ptr<std::istream> Stream;
    std::uintmax_t Size = 0;

    explicit operator bool() const { return Stream != nullptr; }
};

// What a file on disk was when it was read or written: a file that differs
// in any of these was changed by someone else in between. The bytes are
// kept, not a hash of them: the reader holds them anyway, so opening costs
// nothing more, and the check before saving compares them with the disk.
struct FileIdentity {
    std::uintmax_t Size = 0;
    std::int64_t ModifiedTicks = 0;         // the file system's modification time
    std::shared_ptr<const uint8_t[]> Bytes; // all Size of them
};

// Opens `path` for reading; an empty InputFile when it is missing, not a
// regular file or cannot be read. Never blocks on a FIFO.
InputFile OpenInputFile(const std::filesystem::path& path, InputText text);

} // namespace tl
