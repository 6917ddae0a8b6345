#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tl {

class Interaction;
class ScheduleDocument;

// The blocks as an HTML page, as calendar text for the clipboard and the
// training report for the training department. Texts are core text
// (Windows-1252). Crediting each block keeps its credit (BlockCredit), so the
// document changes.

// The page for internet publishing: one table row a crew member, one cell a
// day. Names, codes and layovers are escaped, so a name cannot break the page.
std::string InternetPage(ScheduleDocument& doc, Interaction& ui);

// Writes the page beside the block file, under its name with ".htm", and
// says where; the page's path, or nothing when it was not written (said
// through `ui`).
std::optional<std::filesystem::path> SaveForInternet(ScheduleDocument& doc, Interaction& ui);

// The calendars of the crew members whose Selected flag is set, weeks in
// tab-separated rows, lines ending in "\r\n". `clipPairs` adds the pairing
// texts, `clipXes` the row of day requests.
std::string SelectedBlocksText(ScheduleDocument& doc, bool clipPairs, bool clipXes,
                               Interaction& ui);

// The indoctrination and line-check pairings of every crew member, comma
// separated, lines ending in "\n".
std::string TrainingReportText(const ScheduleDocument& doc);

// Writes the training report to `path` whole or not at all; false when it
// was not written (said through `ui`).
bool TrainingReport(const ScheduleDocument& doc, const std::filesystem::path& path,
                    Interaction& ui);

} // namespace tl
