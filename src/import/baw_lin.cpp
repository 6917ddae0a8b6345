#include "import/baw_lin.h"

#include "import/extract_text.h"
#include "model/input_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"

#include <algorithm>

namespace tl {

namespace {

// The export writes at most one block per crew table row: a BAW line is 19
// bytes, a LIN line 1321. Anything much larger is not an export.
constexpr std::uintmax_t kMaxBawSize = 64u * 1024u;
constexpr std::uintmax_t kMaxLinSize = 2u * 1024u * 1024u;
constexpr std::size_t kBawLine = 18;
constexpr std::size_t kLinFixed = 68;
constexpr std::size_t kLinRecord = 38;
constexpr std::size_t kLinMaxLine = 1320;

// The digits of line[pos, pos + count), or -1 when they are not all digits
// (a leading minus is taken where `sign` allows it).
int32_t Digits(std::string_view line, std::size_t pos, std::size_t count, bool sign = false)
{
    if (pos + count > line.size() || count == 0 || count > 9)
        return -1;
    std::string_view field = line.substr(pos, count);
    bool negative = false;
    if (sign && field[0] == '-') {
        negative = true;
        field.remove_prefix(1);
    }
    if (field.empty())
        return -1;
    int32_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// YYMMDD; a date of month 0 when the field is not one.
TDate Yymmdd(std::string_view line, std::size_t pos)
{
    const int32_t year = Digits(line, pos, 2);
    const int32_t month = Digits(line, pos + 2, 2);
    const int32_t day = Digits(line, pos + 4, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31)
        return {};
    return {day, month, 2000 + year};
}

std::optional<BlockDayRecord> ParseRecord(std::string_view record)
{
    BlockDayRecord day;
    if (record.substr(0, 2) == "10") {
        day.Type = BlockDayRecord::Kind::Pairing;
        day.PairLetter = record[6];
        day.PairNumber = Digits(record, 7, 4);
        day.Start = day.End = Yymmdd(record, 12);
        if (day.PairNumber < 0 || day.Start.Month == 0)
            return std::nullopt;
        return day;
    }
    if (record[0] == 'R' && record[1] >= '1' && record[1] <= '3') {
        day.Type = BlockDayRecord::Kind::Reserve;
        static constexpr const char* kReserves[] = {"RA", "RB", "RE"};
        day.Tracking = kReserves[record[1] - '1'];
    } else if (record.substr(0, 2) == "99") {
        day.Tracking = std::string(record.substr(2, 2));
    } else {
        return std::nullopt;
    }
    day.Start = Yymmdd(record, 18);
    day.StartMinute = Digits(record, 24, 4);
    day.End = Yymmdd(record, 28);
    day.EndMinute = Digits(record, 34, 4);
    if (day.Start.Month == 0 || day.End.Month == 0 || day.StartMinute < 0 || day.EndMinute < 0)
        return std::nullopt;
    return day;
}

// Lines of a text, each without its line feed.
std::vector<std::string_view> Lines(std::string_view text, std::size_t maxLength)
{
    std::vector<std::string_view> lines;
    ExtractLines reader(text, maxLength);
    std::string_view line;
    while (reader.Next(line) && lines.size() <= ScheduleDocument::kCrewCapacity + 1)
        lines.push_back(line);
    return lines;
}

std::optional<std::string> ReadWhole(const std::filesystem::path& path, std::uintmax_t limit)
{
    InputFile in = OpenInputFile(path, InputText::Binary);
    if (!in || in.Size > limit)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(in.Size), '\0');
    in.Stream->read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.Stream->gcount()));
    return bytes;
}

} // namespace

std::filesystem::path LinFileBeside(const std::filesystem::path& baw)
{
    return std::filesystem::path(baw).replace_extension(".LIN");
}

BawLinFile ParseBawLin(std::string_view baw, std::string_view lin)
{
    BawLinFile file;
    std::vector<BawLinBlock> holders;
    int number = 0;
    for (std::string_view line : Lines(baw, 64)) {
        ++number;
        if (holders.size() >= ScheduleDocument::kCrewCapacity) {
            file.Problems.push_back("The BAW file holds more blocks than a roster");
            break;
        }
        BawLinBlock block;
        block.EmpNumber = Digits(line, 0, 9, true);
        if (line.size() < kBawLine || line[9] != ' ' || block.EmpNumber < 0 ||
            Digits(line, 13, 3) < 0) {
            if (!TrimBlanks(line).empty())
                file.Problems.push_back(Format("BAW Line %d is not a Block", number));
            continue;
        }
        holders.push_back(std::move(block));
    }

    std::size_t next = 0;
    number = 0;
    for (std::string_view line : Lines(lin, kLinMaxLine)) {
        ++number;
        if (line.empty() || line[0] != '1')
            continue; // the header, or nothing
        if (next >= holders.size()) {
            file.Problems.push_back(Format("LIN Line %d has no BAW Line", number));
            break;
        }
        BawLinBlock block = holders[next++];
        if (line.size() < kLinFixed || Digits(line, 8, 4) < 0 || Digits(line, 12, 4) < 0) {
            file.Problems.push_back(Format("LIN Line %d is not a Block", number));
            continue;
        }
        block.BlockId = std::string(line.substr(2, 5));
        block.Kind = line[7];
        block.HardTime = Digits(line, 8, 4);
        block.Credit = Digits(line, 12, 4);
        for (std::size_t at = kLinFixed; at + kLinRecord <= line.size(); at += kLinRecord) {
            const std::string_view record = line.substr(at, kLinRecord);
            if (TrimBlanks(record).empty())
                break; // the padding after the last record
            if (std::optional<BlockDayRecord> day = ParseRecord(record))
                block.Days.push_back(std::move(*day));
            else
                file.Problems.push_back(
                    Format("LIN Line %d Record %d is not understood", number,
                           static_cast<int>((at - kLinFixed) / kLinRecord + 1)));
        }
        file.Blocks.push_back(std::move(block));
    }
    if (next < holders.size())
        file.Problems.push_back(
            Format("%d BAW Lines have no LIN Line", static_cast<int>(holders.size() - next)));
    return file;
}

std::optional<BawLinFile> ReadBawLin(const std::filesystem::path& baw, Interaction& ui)
{
    const std::optional<std::string> bawBytes = ReadWhole(baw, kMaxBawSize);
    const std::optional<std::string> linBytes =
        bawBytes ? ReadWhole(LinFileBeside(baw), kMaxLinSize) : std::nullopt;
    if (!linBytes) {
        ui.Message("Tessara Lines", "File Error - Unable to Load Roster from this file.",
                   Icon::Error);
        return std::nullopt;
    }
    return ParseBawLin(*bawBytes, *linBytes);
}

std::string BlockListLine(const BawLinBlock& block)
{
    std::string line = Format("%09d  %-5s  %c  %2d:%02d ", block.EmpNumber, block.BlockId.c_str(),
                              block.Kind, block.Credit / 60, block.Credit % 60);
    for (const BlockDayRecord& day : block.Days) {
        if (day.Type == BlockDayRecord::Kind::Pairing) {
            line += Format(" %02d %c%04d", day.Start.Day, day.PairLetter, day.PairNumber);
        } else {
            line += Format(" %02d", day.Start.Day);
            if (day.Type == BlockDayRecord::Kind::Other && !(day.End == day.Start))
                line += Format("-%02d", day.End.Day);
            line += " " + day.Tracking;
        }
    }
    return line;
}

} // namespace tl
