#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// The pairing system's listing (LIS file) of the month's pairings. The scan
// finds each pairing's listing by its identifier ("%c%04d": base letter and
// number), tags the legs of the pairing text with the aircraft type the
// listing names, appends the CRA share marker and the meal allowance line,
// and marks French pairings of flight attendant groups.

// At most this many characters of one file are kept.
constexpr size_t kLisMaxText = 5999999;
// A file whose text is shorter than this yields nothing.
constexpr size_t kLisMinFileText = 7500;
// A scan with less LIS text than this in all changes nothing.
constexpr size_t kLisMinScanText = 5000;

// Reads one LIS file as text (a carriage return before a line feed is
// dropped). When the file holds at least kLisMinFileText characters,
// `buffer` becomes its text, cut to kLisMaxText with a message when the file
// is larger than the buffer; a shorter file leaves `buffer` as it was. False,
// with "Unable to Open File %s" shown, only when the file cannot be opened.
[[nodiscard]] bool ReadLisFile(const std::filesystem::path& path, std::string& buffer,
                               Interaction& ui);

// Whether a LIS file's name (without its folder, in capitals) holds the
// month's three-letter name; callers ask before scanning a file that does not.
bool LisFileNameHasMonth(const ScheduleDocument& doc, const std::filesystem::path& path);
// The question asked then: "%s does not contain %s in the File Name. ...".
std::string LisMonthQuestion(const ScheduleDocument& doc, const std::filesystem::path& path);

// Reads the files in order and scans the pairings against their text. No
// files (the choice was cancelled) only sets Modified. False, with the
// "Unable to Read Data" message and nothing changed, when the files held
// fewer than kLisMinScanText characters in all.
[[nodiscard]] bool ScanLisFiles(ScheduleDocument& doc,
                                const std::vector<std::filesystem::path>& paths, Interaction& ui);

// The scan itself on LIS text already read.
[[nodiscard]] bool ScanLisText(ScheduleDocument& doc, std::string_view lisText, Interaction& ui);

} // namespace tl
