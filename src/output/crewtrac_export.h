#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// The schedule export for the company's crew tracking system: a BAW file
// listing the exported blocks with their holders and a LIN file with each
// block's content day by day, both in the "Export" folder beside the month.

// The airline designator written into the LIN file.
inline constexpr const char* kAirlineDesignator = "QZ";
// Every LIN line is this long before its line feed.
inline constexpr std::size_t kLinLineLength = 1320;
// A LIN block line: the fixed part, then one record per day with work.
inline constexpr std::size_t kLinBlockPart = 68;
inline constexpr std::size_t kLinDayRecord = 38;

// The pre-export checklist the dialog shows.
extern const char* const kExportChecklist;

enum class CrewType { Captain, FirstOfficer, Attendant };

// What the export dialog asks for.
struct CrewTracCodes {
    std::string FileName; // 1 to 8 characters, the base name of both files
    std::string BaseCode; // one character each: the block prefix
    std::string EqpCode;
    CrewType Type = CrewType::Captain;
};

// Flight attendant groups may export only the reserve and partial blocks.
enum class ReserveChoice { Ask, All, OnlyReserve };

// The validation messages of the codes, each ending in ". "; empty when
// the export may go on.
std::vector<std::string> CheckCrewTracCodes(const CrewTracCodes& codes);

// "CA", "FO" or "PU"; and the crew letter "P" or "F".
const char* CrewTypeCode(CrewType type);
char CrewLetter(CrewType type);

// The BAW text. Marks each exported crew member in Option2 and clears it on
// the others: the LIN pass exports only the marked ones.
std::string BawText(ScheduleDocument& doc, const CrewTracCodes& codes, bool onlyReserve);

// The LIN text for the crew members marked by BawText; the problems with
// single blocks go to `summary`. The draft credit day is put on a copy of
// each block, never on the block itself.
std::string LinText(const ScheduleDocument& doc, const CrewTracCodes& codes,
                    std::vector<std::string>& summary);

// The folder the files go to: "Export" beside the month's file.
std::filesystem::path ExportFolder(const ScheduleDocument& doc);

struct ExportOutcome {
    bool Completed = false;
    std::vector<std::string> Summary; // the lines of the "Export Summary" list
};

// "Export Now": validates the codes, writes NAME.BAW and NAME.LIN into the
// export folder (each complete or not at all) and says how it went through
// `ui`; the summary lines are returned for the dialog's list.
ExportOutcome ExportSchedules(ScheduleDocument& doc, const CrewTracCodes& codes, Interaction& ui,
                              ReserveChoice reserve = ReserveChoice::Ask);

} // namespace tl
