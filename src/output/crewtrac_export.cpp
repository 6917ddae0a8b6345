#include "output/crewtrac_export.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "storage/safe_write.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace tl {

const char* const kExportChecklist =
    "Before exporting, check that:\n"
    "1. Every toolbox assignment uses the airline's standard activity codes.\n"
    "2. Every crew member has a complete employee number.\n"
    "3. Base Code and Eqp Code match the pairings, ie Pairing V8101 Base Code is V and Eqp Code "
    "is 8.\n"
    "4. The Crew Type is set.\n"
    "5. Open pairings are assigned to roster blocks named OPEN with employee number 0.";

namespace {

constexpr const char* kFileError = "File Error";
constexpr const char* kCaption = "Tessara Lines";

// Codes whose run of days goes out as one record.
constexpr std::array<std::string_view, 17> kMergedCodes = {"VAC", "STT", "LOA", "UTF", "VAN", "VON",
                                                           "VCR", "VTP", "BST", "STA", "STP", "MED",
                                                           "PSD", "LTD", "WCB", "MOD", "PWC"};

bool IsMerged(std::string_view code)
{
    return std::find(kMergedCodes.begin(), kMergedCodes.end(), code) != kMergedCodes.end();
}

bool PilotGroup(const ScheduleDocument& doc)
{
    return doc.CrewKind != kFlightAttendants;
}

int MonthDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

// Pads or cuts a text to a fixed width, so odd values never shift a column.
std::string Fit(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string Prefix(const CrewTracCodes& codes)
{
    return codes.BaseCode.substr(0, 1) + codes.EqpCode.substr(0, 1);
}

const char* TypeCode(const ScheduleDocument& doc, const CrewTracCodes& codes)
{
    return PilotGroup(doc) ? CrewTypeCode(codes.Type) : "PU";
}

// YYMMDD of a date.
std::string Yymmdd(const TDate& date)
{
    return Format("%02d%02d%02d", date.Year - 2000, date.Month, date.Day);
}

TDate DateOfDay(const ScheduleDocument& doc, int day)
{
    return doc.DayDate[static_cast<std::size_t>(day)];
}

bool ValidPairing(const ScheduleDocument& doc, int32_t slot)
{
    return slot >= 0 && slot <= doc.LastPair && slot < ScheduleDocument::kPairCapacity;
}

// The reserve flag on some day of the month, a reserve bid or beyond the
// block holders, or the "RB" qualification.
bool ReserveOrPartial(const ScheduleDocument& doc, const TPilot& crew)
{
    return crew.AnyOtherFlagged(MonthDays(doc)) || crew.BidReserveOrLoa != 0 ||
           crew.BeyondBlockHolders != 0 || crew.Quals.find("RB") != std::string::npos;
}

int64_t HardTime(const ScheduleDocument& doc, const TPilot& crew)
{
    int64_t hard = 0;
    for (std::size_t e = 31; e < 36; ++e)
        hard += crew.DayCarry[e][CarryValue::HardTime];
    for (int d = 0; d < MonthDays(doc); ++d) {
        const int32_t slot = crew.DaySlot[static_cast<std::size_t>(d)];
        if (!ValidPairing(doc, slot))
            continue;
        const TPair& pair = doc.Pairs[static_cast<std::size_t>(slot)];
        const int length = std::clamp<int>(pair.Length, 0, TPair::kDays);
        for (int k = 0; k < length; ++k)
            hard += pair.DayHard[static_cast<std::size_t>(k)];
    }
    return hard;
}

// Puts the draft credit day on the copy: the first free day after the first
// allowed one and after every pairing, never the day after an "RB" day.
bool InsertDraftCredit(const ScheduleDocument& doc, TPilot& copy)
{
    int first = 0;
    if (copy.CarryIn[CarryInEntry::Credit] > 0)
        first = copy.CarryIn[CarryInEntry::LegalAt] / 1440 + 1;
    for (int d = 0; d < MonthDays(doc); ++d) {
        const auto s = static_cast<std::size_t>(d);
        const int32_t slot = copy.DaySlot[s];
        if (ValidPairing(doc, slot)) {
            first = d + doc.Pairs[static_cast<std::size_t>(slot)].Length;
            continue;
        }
        if (slot != kFreeSlot || d <= first)
            continue;
        if (d > 0 && (TrimBlanks(copy.DayCode[s - 1]) == "RB" || copy.DayCode2[s - 1] == "RB"))
            continue;
        copy.DaySlot[s] = kOtherSlot;
        copy.DayOther[s] = {};
        copy.DayOther[s][OtherValue::Start] = 720;
        copy.DayOther[s][OtherValue::Length] = 1;
        copy.DayCode[s] = "DFC";
        copy.DayCode2[s] = "DC";
        return true;
    }
    return false;
}

std::string PairingRecord(const ScheduleDocument& doc, const TPair& pair, int day)
{
    const char letter = pair.PairKey.empty() ? ' ' : pair.PairKey[0];
    const bool attendant = !PilotGroup(doc) && pair.PairType == "FA";
    return Fit(Format("10%2s%s%c%04d %s%20s", kAirlineDesignator, attendant ? "FA" : "  ", letter,
                      pair.PairNumber, Yymmdd(DateOfDay(doc, day)).c_str(), ""),
               kLinDayRecord);
}

// The record of the other assignment on day `d`; moves `d` to the last day
// of a merged run.
std::string OtherRecord(const ScheduleDocument& doc, const TPilot& crew, int& d)
{
    const auto s = static_cast<std::size_t>(d);
    // Wide enough for any two values a file may hold.
    int64_t start = crew.DayOther[s][OtherValue::Start];
    int64_t end = start + crew.DayOther[s][OtherValue::Length];
    if (end > 1440)
        end -= 1440;
    if (start < 0) {
        start = 1;
        end = 1440;
    }
    const std::string code2(crew.DayCode2[s]);
    const std::string startDate = Yymmdd(DateOfDay(doc, d));
    if (IsMerged(TrimBlanks(crew.DayCode[s]))) {
        while (d + 1 < MonthDays(doc) &&
               crew.DaySlot[static_cast<std::size_t>(d + 1)] == kOtherSlot &&
               crew.DayCode[static_cast<std::size_t>(d + 1)] == crew.DayCode[s])
            ++d;
    }
    std::string endPart;
    if (end >= start)
        endPart = Yymmdd(DateOfDay(doc, d)) + Format("%04lld", static_cast<long long>(end));
    else if (PilotGroup(doc) && code2 == "RB")
        endPart = Yymmdd(DateFromJulianDay(JulianDay(DateOfDay(doc, d).Month, DateOfDay(doc, d).Day,
                                                     DateOfDay(doc, d).Year) +
                                           1)) +
                  Format("%04lld", static_cast<long long>(end));
    else
        endPart = Yymmdd(DateOfDay(doc, d)) + "1440";

    std::string head;
    if (code2 == "RA" || code2 == "RB" || code2 == "RE")
        head = Format("R%c%2s",
                      code2 == "RA"   ? '1'
                      : code2 == "RB" ? '2'
                                      : '3',
                      kAirlineDesignator);
    else
        head = Format("99%-2.2s", code2.c_str());
    return Fit(Format("%s  %12s%s%04lld", head.c_str(), "", startDate.c_str(),
                      static_cast<long long>(start)) +
                   endPart,
               kLinDayRecord);
}

} // namespace

const char* CrewTypeCode(CrewType type)
{
    switch (type) {
    case CrewType::Captain:
        return "CA";
    case CrewType::FirstOfficer:
        return "FO";
    case CrewType::Attendant:
        break;
    }
    return "PU";
}

char CrewLetter(CrewType type)
{
    return type == CrewType::Attendant ? 'F' : 'P';
}

std::vector<std::string> CheckCrewTracCodes(const CrewTracCodes& codes)
{
    std::vector<std::string> problems;
    // The name becomes a file in the export folder: no folders of its own.
    const bool nameOk = !codes.FileName.empty() && codes.FileName.size() <= 8 &&
                        codes.FileName.find_first_of("/\\:") == std::string::npos &&
                        codes.FileName != "." && codes.FileName != "..";
    if (!nameOk)
        problems.emplace_back("FileName needs to be 1-8 char long. ");
    if (codes.BaseCode.size() != 1)
        problems.emplace_back("Base Code needs to be 1 char long. ");
    if (codes.EqpCode.size() != 1)
        problems.emplace_back("Eqp Code needs to be 1 char long. ");
    return problems;
}

std::string BawText(ScheduleDocument& doc, const CrewTracCodes& codes, bool onlyReserve)
{
    std::string text;
    const std::string prefix = Prefix(codes);
    int sequence = 1;
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int c = 0; c < count; ++c) {
        TPilot& crew = doc.Crew[static_cast<std::size_t>(c)];
        crew.Option2 = 0;
        if (crew.EmpNumber == -1)
            continue;
        if (onlyReserve && !ReserveOrPartial(doc, crew))
            continue;
        crew.Option2 = 1;
        text += Format("%09ld %c%2s%03d%2s\n", static_cast<long>(crew.EmpNumber),
                       CrewLetter(codes.Type), prefix.c_str(), sequence, TypeCode(doc, codes));
        ++sequence;
    }
    return text;
}

std::string LinText(const ScheduleDocument& doc, const CrewTracCodes& codes,
                    std::vector<std::string>& summary)
{
    const std::string prefix = Prefix(codes);
    const char letter = CrewLetter(codes.Type);
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    std::string text;
    text.reserve(static_cast<std::size_t>(count + 1) * (kLinLineLength + 1));
    const std::array<char, 3> year = {doc.YearText[2], doc.YearText[3], 0};
    text += Fit(Format("0%2s %s%02d%c%s", kAirlineDesignator, year.data(), doc.Month, letter,
                       prefix.c_str()),
                kLinLineLength);
    text += '\n';

    int sequence = 0;
    for (int c = 0; c < count; ++c) {
        const TPilot& crew = doc.Crew[static_cast<std::size_t>(c)];
        if (crew.EmpNumber == -1) {
            summary.push_back(Format("Blk %d Capt Pairings-LineIndoc. Not Exported", c + 1));
            continue;
        }
        if (crew.Option2 == 0) {
            summary.push_back(crew.Name + ". Not Exported");
            continue;
        }
        const bool open = crew.EmpNumber == 0;
        ++sequence;
        if (open)
            summary.push_back(Format("Blk %d is Exported as OpenTime. Emp Num is 0", c + 1));
        const char kind = open ? 'O' : crew.AnyOtherFlagged(MonthDays(doc)) ? 'P' : 'L';
        const auto hard = static_cast<int32_t>(std::clamp<int64_t>(HardTime(doc, crew), 0, 9999));
        const int32_t credit = std::clamp(crew.CreditHours * 60 + crew.CreditMinutes, 0, 9999);

        std::string line =
            Fit(Format("1%c%s%03d%c%04d%04d%s%-50s", letter, prefix.c_str(), open ? 0 : sequence,
                       kind, hard, credit, TypeCode(doc, codes), "01"),
                kLinBlockPart);
        TPilot copy = crew;
        if (PilotGroup(doc) && crew.DraftCredits > 0 && !InsertDraftCredit(doc, copy))
            summary.push_back(crew.Name + " No Draft Credit Code Inserted");
        for (int d = 0; d < MonthDays(doc) && line.size() < kLinLineLength; ++d) {
            const int32_t slot = copy.DaySlot[static_cast<std::size_t>(d)];
            if (ValidPairing(doc, slot)) {
                line += PairingRecord(doc, doc.Pairs[static_cast<std::size_t>(slot)], d);
            } else if (slot == kOtherSlot && copy.DayCode2[static_cast<std::size_t>(d)] != "--") {
                line += OtherRecord(doc, copy, d);
                if (DateOfDay(doc, d).Month == 0)
                    summary.push_back(Format("Date Error in Line %d", c + 1));
            }
        }
        text += Fit(std::move(line), kLinLineLength);
        text += '\n';
    }
    return text;
}

std::filesystem::path ExportFolder(const ScheduleDocument& doc)
{
    return std::filesystem::path(doc.FileName).parent_path() / "Export";
}

namespace {

bool WriteExportFile(Interaction& ui, const std::filesystem::path& path, const std::string& text,
                     const char* cannotCreate, const char* diskFull)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    switch (WriteFileSafely(path, {bytes, text.size()})) {
    case WriteResult::Written:
        return true;
    case WriteResult::CannotCreate:
        ui.Message(kFileError, cannotCreate, Icon::Error);
        return false;
    case WriteResult::WriteFailed:
        break;
    }
    ui.Message(kFileError, diskFull, Icon::Error);
    return false;
}

} // namespace

ExportOutcome ExportSchedules(ScheduleDocument& doc, const CrewTracCodes& codes, Interaction& ui,
                              ReserveChoice reserve)
{
    ExportOutcome outcome;
    const std::vector<std::string> problems = CheckCrewTracCodes(codes);
    if (!problems.empty()) {
        std::string text;
        for (const std::string& problem : problems)
            text += problem;
        ui.Message("Export Error", text, Icon::Error);
        outcome.Summary = problems;
        return outcome;
    }
    if (doc.FileName.empty() || !std::filesystem::path(doc.FileName).has_parent_path()) {
        ui.Message(kFileError, "File Must be Named First, Select Save As", Icon::Error);
        return outcome;
    }
    const std::filesystem::path folder = ExportFolder(doc);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path baw = folder / (codes.FileName + ".BAW");

    bool onlyReserve = reserve == ReserveChoice::OnlyReserve;
    if (!PilotGroup(doc) && reserve == ReserveChoice::Ask)
        onlyReserve = ui.Ask(kCaption, "Do you want to Export ONLY Reserve and Partial Blocks",
                             Buttons::YesNo, Icon::Question) == Answer::Yes;
    if (!WriteExportFile(ui, baw, BawText(doc, codes, onlyReserve),
                         "Cant create BAW file for Exporting Blocks",
                         "Cannot Save BAW File to specified disk. Disk may be full"))
        return outcome;

    const std::string lin = LinText(doc, codes, outcome.Summary);
    if (!WriteExportFile(ui, std::filesystem::path(baw).replace_extension(".LIN"), lin,
                         "Cant create LIN file for Exporting Blocks",
                         "Cannot Save LIN file to specified disk. Disk may be full"))
        return outcome;
    ui.Message(kCaption, "Finished Exporting to CrewTrac format", Icon::Information);
    outcome.Summary.emplace_back("Export Completed");
    outcome.Completed = true;
    return outcome;
}

} // namespace tl
