#pragma once

#include <filesystem>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;
class TPilot;

// The employee record extract of the crew tracking system: one fixed-column
// line per employee of the airline (102 or 147 characters). Columns from 0:
//   0-8 employee number, 9-28 last name, 29 first initial,
//   31-38 crew group (airport, aircraft type, status), 77-88 qualification codes.
// The employees of the document's crew group become its roster, in file
// order: the whole group code for pilots, the airport alone for flight
// attendants.

namespace roster_extract {
constexpr size_t kKeep = 499; // characters of a line that are read
constexpr size_t kShortRecord = 102;
constexpr size_t kLongRecord = 147;
constexpr size_t kMinLine = 50; // a shorter line ends the reading
constexpr size_t kQualsColumn = 77;
constexpr size_t kQualsLength = 12;
} // namespace roster_extract

// Makes the roster from the extract at `path` for the crew group `groupCode`
// (nine characters, the document's GroupName). The crew records are filled
// from the first one and must be in their reset state; only the fields the
// extract gives are written. True when the extract was read
// to its end; false for a code of another length, a file that does not open,
// a No to the plausibility question or a matching line too short for its
// qualification codes (the crew members before it stay).
[[nodiscard]] bool LoadRosterFromExtract(ScheduleDocument& doc, std::string_view groupCode,
                                         const std::filesystem::path& path, Interaction& ui);

// The same on the extract's text, already read.
[[nodiscard]] bool LoadRosterFromExtractText(ScheduleDocument& doc, std::string_view groupCode,
                                             std::string_view text, Interaction& ui);

// Sets the crew member's options (CarryIn, MinCredit to NoYtz) from the qualification
// codes in Quals, for the document's crew kind and month rules.
void ApplyQualificationCodes(const ScheduleDocument& doc, TPilot& pilot);

} // namespace tl
