#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// Awarding the month's bids: crew members in roster order each get the best
// legal block their bid allows while the rest of the month stays coverable,
// with a reason for every bid item that was not granted.

struct AwardOptions {
    // Accept an assignment that adds illegal days (an exception).
    bool AllowExceptions = false;
    // Place pairings without the rest check of the assignment.
    bool NoRestCheck = false;
    // The answer to the assignment's questions (short rest, French crew).
    bool AcceptQuestions = false;
    // Deny grants that would leave a day with fewer crew than open pairings.
    bool CoverageCheck = true;
    // Complete a block below its minimum credit from the open pairings.
    bool FallbackLine = true;
};

enum class AwardResult {
    Awarded,
    HeldBySenior,
    NotLegal,
    DayOffRequested,
    OverMaximumCredit,
    NeededForCoverage,
    NotOperating,
    FallbackLine,
    Reserve, // not awarded: bids reserve
    OnLeave, // not awarded: on leave for the month
};
// "Awarded", "Held by senior", ...
const char* AwardResultText(AwardResult result);

// One bid item of one crew member and what the award made of it.
struct AwardRow {
    int Crew = 0;       // roster index
    std::string Item;   // "V8101", "OFF 12", "Fallback", "Block"
    int Preference = 0; // 1 to 8, 9 for the stored filter, 0 for none
    AwardResult Result = AwardResult::Awarded;
    std::string Cause; // empty only when awarded
};

struct AwardReport {
    std::vector<AwardRow> Rows; // roster order, then bid order
    int Granted = 0;            // pairing days placed
    int CrewAwarded = 0;        // crew members whose bids were read
    int WithinCredit = 0;       // of those, blocks between their minimum and maximum
    int FirstChoices = 0;       // first preferences asking for pairings
    int FirstGranted = 0;       // of those, granted
    int32_t OpenCreditLeft = 0; // minutes
    int32_t BlockHolderCut = -1;
};

// Awards every crew member's bid, as one step of the undo history. Progress
// goes through `ui`; the award's own questions are answered by `options`.
// Needs the grid built; returns an empty report (with a message) otherwise.
AwardReport AwardBids(ScheduleDocument& doc, const AwardOptions& options, Interaction& ui);

// The reasons report: per crew member its bid items with result and cause.
std::string AwardReportText(const ScheduleDocument& doc, const AwardReport& report);
// The same as CSV: header "position,name,employee,item,result,cause", one
// row per bid item, fields quoted where they need it.
std::string AwardReportCsv(const ScheduleDocument& doc, const AwardReport& report);
// One CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

} // namespace tl
