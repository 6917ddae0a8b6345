#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;
class TPilot;

// The pilots' bid file of the company's bidding system: a CSV export with
// every field in double quotes. A crew member's record starts at the
// employee number written "%06ld" in quotes and followed by a comma, and
// ends at the next "end_x_bid"; its 35 fields are cut at the quote-comma-
// quote separators. Fields, counting the employee number as 1: 2 and 3 the
// name, 4 e-mail, 5 and 6 phones, 9 LBW, 10 vacation, 11 statutory days,
// 12 GDO days, 13 and 14 PDO days, 15 PDO next, 16 used PDO, 17 simulator,
// 18 max days, 19 crew rest, 20 pairings or reserve, 21 max days on reserve,
// 22 to 29 the preferences, 30 preferred pairings, 31 and 32 comments,
// 33 PDO history, 34 and 35 submission date and time.

namespace bid_file {
inline constexpr int kFields = 35;
inline constexpr int kMaxRequestDays = 9; // days in one GDO or PDO field
inline constexpr int8_t kGdoRequest = 13;
inline constexpr int8_t kPdoRequest = 14;
// A bid is about a kilobyte; a thousand crew members' file is a few megabytes.
inline constexpr std::uintmax_t kMaxSize = 64u * 1024u * 1024u;
inline constexpr std::string_view kEndMarker = "end_x_bid";
inline constexpr std::string_view kSummaryCaption = "Summary";
inline constexpr std::string_view kSummaryHeading =
    "Missing Bids / Warnings.  List Copied to Windows Clipboard.";
} // namespace bid_file

// Where one employee's record lies in the text.
struct BidRecord {
    bool Found = false;    // the employee number is in the file
    bool Ended = false;    // an end marker follows it
    std::string_view Text; // from the opening quote up to the end marker
};

// The records of `empNumbers`, in their order, found in one pass over the
// text: each at the first place the employee's number stands.
std::vector<BidRecord> FindBidRecords(std::string_view text,
                                      const std::vector<int32_t>& empNumbers);

// The 35 fields of a record; false when a separator is missing.
[[nodiscard]] bool SplitBidRecord(std::string_view record,
                                  std::array<std::string_view, bid_file::kFields>& fields);

// Writes the days of a GDO or PDO field (`code` 13 or 14) into the crew
// member's DayFlag. Returns the field as the bid shows it, with " ERROR! "
// and the like appended when it failed; `failed` says so.
std::string ApplyRequestDays(const ScheduleDocument& doc, TPilot& pilot, std::string_view field,
                             int8_t code, bool& failed);

// Makes the crew member's bid from its record: BidText, Phone1, Phone2,
// BidReserveOrLoa and the GDO and PDO requests. The summary lines it raises
// are appended to `summary`. False, with the bid left as it was, when the
// record cannot be read.
bool ApplyBidRecord(const ScheduleDocument& doc, TPilot& pilot, const BidRecord& record,
                    std::string& summary);

enum class BidImportOutcome {
    Refused,    // a flight attendant group
    Cancelled,  // the scheduler cancelled the question about current bids
    Unreadable, // the file did not open
    Read,
};

struct BidImportResult {
    BidImportOutcome Outcome = BidImportOutcome::Refused;
    int Found = 0;       // crew members whose record is in the file
    std::string Summary; // the summary list's text, heading first
};

// The bid import after the file was chosen: the question about the current
// bids, reading the file and each crew member's bid. The caller re-checks
// the crew and shows Summary under bid_file::kSummaryCaption.
BidImportResult ImportPilotBids(ScheduleDocument& doc, const std::filesystem::path& path,
                                Interaction& ui);

// Each crew member's bid from the text of a bid file, with progress.
BidImportResult ImportPilotBidsText(ScheduleDocument& doc, std::string_view text, Interaction& ui);

} // namespace tl
