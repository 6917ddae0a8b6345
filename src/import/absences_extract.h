#pragma once

#include <filesystem>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// The crew absence extract of the crew tracking system: one line of 443
// characters per employee, the employee number in columns 0-8 (99999 on the
// last line read), then up to 31 entries of 14 characters from column 9:
// tracking code (2), first and last day of the month (2 each), start and
// end time in minutes (4 each). Two blanks in place of a code end a line's
// entries. Each absence day becomes an other assignment on the crew
// members' day slots; the following month's absences land on the slots
// after the month.

namespace absences_extract {
constexpr size_t kKeep = 499;
constexpr size_t kRecord = 443;
constexpr size_t kMinLine = 10; // a shorter line ends the reading
constexpr int kEntries = 31;
constexpr int kEntryLength = 14;
constexpr int kFirstEntry = 9;
constexpr int kLastEmployee = 99999;
} // namespace absences_extract

// Writes the absences of the extract at `path` into the roster's day slots,
// for the month or, with `followingMonth`, for the month after it. Asks
// before overwriting the assignments of a document that had an import
// already (current month only). False when the user declines, the file does
// not open or a line ends before its entries do (the days written before it
// stay); the warnings go to the summary list.
[[nodiscard]] bool LoadCrewAbsences(ScheduleDocument& doc, const std::filesystem::path& path,
                                    bool followingMonth, Interaction& ui);

// The question LoadCrewAbsences asks first, for callers that ask it before
// choosing the file; true when there is nothing to ask or the answer is Yes.
// LoadConfirmedCrewAbsences then loads without asking again.
[[nodiscard]] bool ConfirmCrewAbsencesOverwrite(const ScheduleDocument& doc, bool followingMonth,
                                                Interaction& ui);
[[nodiscard]] bool LoadConfirmedCrewAbsences(ScheduleDocument& doc,
                                             const std::filesystem::path& path, bool followingMonth,
                                             Interaction& ui);

// The same on the extract's text, already read.
[[nodiscard]] bool LoadCrewAbsencesText(ScheduleDocument& doc, std::string_view text,
                                        bool followingMonth, Interaction& ui);

// Duration of a period from `start` to `end`, minutes after midnight; an end
// before the start is on the next day.
int ExtractDuration(int start, int end);

} // namespace tl
