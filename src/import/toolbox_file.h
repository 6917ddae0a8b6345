#pragma once

#include <filesystem>
#include <istream>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// The toolbox file: the activity codes of the airline as the scheduler keeps
// them, replacing the built-in table. Text lines:
//   TLToolBox / (unused) / date / (unused) / number of records
// then 13 lines per record: activity code, "Cabin" or "Pilot", tracking code,
// description, two clock times, two durations, four Y/N flags, one unused line.
// Only records of the open group's crew type are kept, at most the 300 the
// toolbox table holds.

// Reads the toolbox file at `path` into the document's toolbox table.
// True when the file was a toolbox with at least one record announced.
[[nodiscard]] bool LoadToolBox(const std::filesystem::path& path, ScheduleDocument& doc,
                               Interaction& ui);

// The same, from a stream or from text already in memory.
[[nodiscard]] bool ParseToolBox(std::istream& in, ScheduleDocument& doc, Interaction& ui);
[[nodiscard]] bool ParseToolBoxText(std::string_view text, ScheduleDocument& doc, Interaction& ui);

} // namespace tl
