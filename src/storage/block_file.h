#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// Header kinds of the block file.
enum BlockFileKind : int {
    kSchedulerFile = 0,     // "TessaraLines"
    kViewerPreRoster = 1,   // "TLViewPrRost"
    kViewerPreSchedule = 2, // "TLViewPrSked"
    kViewerFinal = 3,       // "TLView_Final"
};

// The version every file is written in.
inline constexpr std::string_view kBlockFileVersion = "29";

// The 12-character kind name of a header kind; empty for an unknown kind.
std::string_view BlockFileKindName(int kind);

// Largest file the loader reads; a real month is far smaller.
inline constexpr std::uintmax_t kMaxBlockFileSize = 256u * 1024u * 1024u;

// Writes the document to `path` with header kind 0 to 3. The file is
// written beside the target and put in its place only once complete, so a
// failed save leaves the previous file as it was. Clears Modified on
// success; false (with the message shown) on failure.
[[nodiscard]] bool SaveBlocks(ScheduleDocument& doc, const std::filesystem::path& path,
                              BlockFileKind kind, Interaction& ui);

// The bytes SaveBlocks writes, for tests and for callers that keep them.
std::vector<uint8_t> BlockFileBytes(ScheduleDocument& doc, BlockFileKind kind);

// Reads the file named by the document's FileName into the document, which
// the caller has cleared first. False when the file could not be opened or
// is not a block file at all; a damaged file loads what it can, with a
// warning, and returns true.
[[nodiscard]] bool LoadBlocks(ScheduleDocument& doc, Interaction& ui);

// LoadBlocks on bytes already in memory; messages name the document's FileName.
[[nodiscard]] bool LoadBlocksFromBytes(ScheduleDocument& doc, std::span<const uint8_t> bytes,
                                       Interaction& ui);

} // namespace tl
