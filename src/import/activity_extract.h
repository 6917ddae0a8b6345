#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// Last month's data: the crew activity extract (one line of 1605 characters
// per employee: the employee number, 31 entries of 40 characters from column
// 9, each a pairing or an activity code, and from column 1481 the hard time
// of each of the 31 days before the month) read together with the pairing
// extract of the prior blocking period (one line of 1178 characters, line
// feed included, per pairing instance). Fills each crew member's DayCarry
// and DayText per extended day (0 to 30 the 31 days before the month, 31 + d
// day d of the month), the credit carried in (CarryInEntry::Credit) and the
// minute of the month from which the crew member is legal again
// (CarryInEntry::LegalAt).

namespace activity_extract {
constexpr size_t kKeep = 1999;
constexpr size_t kRecord = 1605;
constexpr size_t kMinLine = 100; // a shorter line ends the reading
constexpr int kEntries = 31;
constexpr int kEntryLength = 40;
constexpr int kFirstEntry = 9;
constexpr int kHardTimeColumn = 1481;
constexpr size_t kPairingKeep = 2498;
constexpr size_t kPairingRecord = 1178; // line feed included
} // namespace activity_extract

// Reads the activity extract at `activityPath` with the pairing extract at
// `pairingPath`. True when both were read; false when one does not open or
// the user answers No to a plausibility question, with the document
// unchanged. The warnings go to the summary list.
[[nodiscard]] bool LoadLastMonthsData(ScheduleDocument& doc,
                                      const std::filesystem::path& activityPath,
                                      const std::filesystem::path& pairingPath, Interaction& ui);

// The same on the two texts, already read.
[[nodiscard]] bool LoadLastMonthsDataText(ScheduleDocument& doc, std::string_view activity,
                                          std::string_view pairings, Interaction& ui);

// The extended day (0 to 30 before the month, 31 + d in it) of a day number,
// or -1 when the day is neither among the 31 days before the month nor in it.
int ExtendedDayOf(const ScheduleDocument& doc, int32_t dayNumber);

} // namespace tl
