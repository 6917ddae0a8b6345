#pragma once

#include "actions/bid_guess.h"
#include "import/bid_file.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// What the bids window and the command line do with a crew member's bid.

// Day requests written by SET DAY OFF REQ: X1 to X32, one code per run of
// days a preference asks for. Codes 1 to 19 belong to the toolbox.
inline constexpr int8_t kFirstBidRequest = 20;
inline constexpr int8_t kLastBidRequest = 51;

// "Pilot Bids...": the bid import, then every crew member checked again and
// the summary list shown. The import's result, its outcome first.
BidImportResult ImportBids(ScheduleDocument& doc, const std::filesystem::path& path,
                           Interaction& ui);

enum class BidSave {
    Unchanged, // the text is the stored bid
    Stored,
    Discarded, // the scheduler answered No
};

// Stores an edited bid, upper-cased. A change of length asks first; a
// change that keeps the length (a letter typed over) is stored without a
// question. Either marks the month changed.
BidSave SaveBidText(ScheduleDocument& doc, int crew, std::string_view text, Interaction& ui);

// SET DAY OFF REQ: the requested days off of `requests` become day requests
// of the crew member in place of those an earlier run wrote; the toolbox's
// requests stay. False when `crew` is no crew member.
bool SetDayOffRequests(ScheduleDocument& doc, int crew, BidRequests requests, Interaction& ui);

// SET FILTERS: the requested pairings that exist become the numbers of the
// crew member's stored filter, which keeps its text; the others are named in
// a message. The caller applies the filter again while filters are on.
bool SetBidFilters(ScheduleDocument& doc, int crew, const BidRequests& requests, Interaction& ui);

} // namespace tl
