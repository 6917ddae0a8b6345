#pragma once

#include "model/tdate.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Interaction;

// Reading back the BAW and LIN files of the schedule export: the blocks
// they hold, each with its holder's employee number and its day records.

// One day record of a LIN block line.
struct BlockDayRecord {
    enum class Kind { Pairing, Reserve, Other };
    Kind Type = Kind::Other;
    char PairLetter = ' '; // pairings: the pairing's prefix letter and number
    int32_t PairNumber = 0;
    std::string Tracking; // others: the two-character code; reserves: RA, RB or RE
    TDate Start;          // the pairing's first day; the assignment's first day
    int32_t StartMinute = 0;
    TDate End; // the assignment's last day (a run of merged days ends here)
    int32_t EndMinute = 0;
};

struct BawLinBlock {
    int32_t EmpNumber = 0;
    std::string BlockId; // prefix and sequence number, "V8001"; "V8000" for open time
    char Kind = 'L';     // 'L' line, 'P' partial or reserve, 'O' open time
    int32_t HardTime = 0;
    int32_t Credit = 0; // minutes
    std::vector<BlockDayRecord> Days;
};

struct BawLinFile {
    std::vector<BawLinBlock> Blocks;
    std::vector<std::string> Problems; // lines that were not understood
};

// The LIN file that goes with a BAW file: the same name ending in ".LIN".
std::filesystem::path LinFileBeside(const std::filesystem::path& baw);

// Parses the bytes of both files: the n-th line of the BAW file goes with the
// n-th block line of the LIN file. At most one block per crew table row.
BawLinFile ParseBawLin(std::string_view baw, std::string_view lin);

// Reads a BAW file and the LIN file beside it; nullopt, with the program's
// message through `ui`, when either cannot be read.
std::optional<BawLinFile> ReadBawLin(const std::filesystem::path& baw, Interaction& ui);

// One line of the dialog's list: employee, block id, kind, credit and days.
std::string BlockListLine(const BawLinBlock& block);

} // namespace tl
