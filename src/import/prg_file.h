#pragma once

#include <filesystem>
#include <istream>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// The pairing system's PRG file: fixed-column lines of five kinds (pairing,
// flight, duty, deadhead, segment), every pairing of every base. The loader
// keeps the pairings of one base letter and equipment character and turns
// each into as many table records as the document's crew kind needs.

// Lines are cut at this many characters; the format's records are far shorter.
constexpr size_t kPrgMaxLineLength = 998;
// Pairing records the loader fills (the table's last record stays spare).
constexpr int kPrgMaxPairs = 3000;
// A pairing takes no more lines once its note is this long; real ones stay
// far below, and every copy of a pairing carries its whole text.
constexpr size_t kPrgMaxPairingNote = 64 * 1024;

// Replaces the document's pairing table with the pairings of the file.
// `baseAndEqp` is empty (base and equipment from GroupName) or a base letter
// followed by an optional equipment character; `anyEquipment` takes every
// equipment of the base. Runs the tidying, the crew check, the pairing
// warnings list, the USA-segment scan, the daylight-saving adjustment and
// the city-pair text. False when the file cannot be opened, is not a PRG
// file, or ends in a line too short for its text fields.
[[nodiscard]] bool LoadPRGPairs(ScheduleDocument& doc, const std::filesystem::path& path,
                                std::string_view baseAndEqp, bool anyEquipment, Interaction& ui);

// The same on a file's text already in memory (tests, fuzzing); `name` is
// what the messages call the file.
[[nodiscard]] bool LoadPRGPairsFromText(ScheduleDocument& doc, std::string_view text,
                                        std::string_view name, std::string_view baseAndEqp,
                                        bool anyEquipment, Interaction& ui);

// Rebuilds PairingSourceText: block time and deadhead counts per city pair
// and code, from every flight and deadhead line of the file.
void BuildCityPairReport(ScheduleDocument& doc, const std::filesystem::path& path);
void BuildCityPairReport(ScheduleDocument& doc, std::istream& in);

} // namespace tl
