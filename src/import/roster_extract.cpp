#include "import/roster_extract.h"

#include "import/extract_text.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"

#include <string>

namespace tl {

namespace {

using namespace roster_extract;

constexpr size_t kGroupCodeLength = 9;
constexpr size_t kNumberColumn = 0;
constexpr size_t kLastNameColumn = 9;
constexpr size_t kLastNameLength = 20;
constexpr size_t kInitialColumn = 29;
constexpr size_t kGroupColumn = 31;
constexpr size_t kPilotKeyLength = 8; // airport, aircraft type, status
constexpr size_t kCabinKeyLength = 3; // airport

bool Has(std::string_view quals, std::string_view code)
{
    return quals.find(code) != std::string_view::npos;
}

// Initial, a blank and the last name without its trailing blanks; the
// name's first character always stays.
std::string CrewName(std::string_view line)
{
    std::string_view last = line.substr(kLastNameColumn, kLastNameLength);
    while (last.size() > 1 && last.back() == ' ')
        last.remove_suffix(1);
    std::string name(1, line[kInitialColumn]);
    name += ' ';
    name += last;
    return name;
}

bool ReadRoster(ScheduleDocument& doc, std::string_view key, std::string_view text, Interaction& ui)
{
    ui.Trace("BeginCreateNewRosterFromExtract\n");

    ExtractLines lines(text, kKeep);
    std::string_view line;
    lines.Next(line);
    std::string_view sample;
    lines.Next(sample);
    if (sample.size() != kShortRecord && sample.size() != kLongRecord &&
        !ui.AskYes(kCaption, "This May Not Be a Valid Employee Record Extract! Do You Want to "
                             "Try Load it Anyway"))
        return false;

    doc.Modified = true;
    lines.Rewind();
    std::string upper;
    std::string group;
    while (lines.Next(line)) {
        if (line.size() < kMinLine)
            break;
        // Only the group is upper-cased for the comparison; the whole line
        // only when it is kept.
        group.assign(line.substr(kGroupColumn, key.size()));
        UpperCase(group);
        if (group != key)
            continue;
        if (line.size() < kQualsColumn) {
            ui.Message(kCaption, "File Error - Unable to Load Roster from this file.", Icon::Error);
            return false;
        }
        if (doc.CrewCount >= ScheduleDocument::kCrewCapacity) {
            ui.Message(kCaption,
                       Format("The Roster holds at most %d Crew Members. Not all Crew "
                              "Members Loaded",
                              ScheduleDocument::kCrewCapacity),
                       Icon::Warning);
            break;
        }
        upper.assign(line);
        UpperCase(upper);
        const std::string_view row(upper);
        TPilot& pilot = doc.Crew[static_cast<size_t>(doc.CrewCount)];
        pilot.EmpNumber = FieldInt(row, static_cast<int>(kNumberColumn), 9, ui);
        pilot.Name = CrewName(row);
        pilot.Quals = std::string(row.substr(kQualsColumn, kQualsLength));
        ApplyQualificationCodes(doc, pilot);
        ui.Trace(Format("%s %d Loaded\n", pilot.Name.c_str(), pilot.EmpNumber));
        ++doc.CrewCount;
    }

    ui.Trace("CreateNewRosterFromExtractComplete\n");
    return true;
}

// The part of the group code an employee's group must match.
bool GroupKey(const ScheduleDocument& doc, std::string_view groupCode, std::string& key)
{
    if (groupCode.size() != kGroupCodeLength)
        return false;
    key =
        groupCode.substr(0, doc.CrewKind == kFlightAttendants ? kCabinKeyLength : kPilotKeyLength);
    // Extract lines are upper-cased before they are compared.
    UpperCase(key);
    return true;
}

} // namespace

void ApplyQualificationCodes(const ScheduleDocument& doc, TPilot& pilot)
{
    const std::string_view quals = pilot.Quals;
    auto& carry = pilot.CarryIn;
    if (doc.CrewKind == kFlightAttendants) {
        carry[CarryInEntry::Flags] = Has(quals, "FR") ? 1 : 0;
        carry[CarryInEntry::Qualification] = Has(quals, "IT") ? kFamPairings : kNoQualification;
    } else {
        if (Has(quals, "LA")) {
            carry[CarryInEntry::Qualification] = kCheckPilot;
            carry[CarryInEntry::MinCredit] = 4800;
            carry[CarryInEntry::MaxCredit] = 5100;
        } else if (Has(quals, "LC")) {
            carry[CarryInEntry::Qualification] = kLtc;
        } else if (Has(quals, "LB")) {
            carry[CarryInEntry::Qualification] = kCheckB;
        } else {
            carry[CarryInEntry::Qualification] = kNoQualification;
        }
        carry[CarryInEntry::Training] = Has(quals, "ZT") ? 1 : 0;
        const bool sixty = Has(quals, "60");
        const bool mr = Has(quals, "MR");
        carry[CarryInEntry::Flags] = sixty && mr ? kSixtyPlusAndMed
                                     : sixty     ? kSixtyPlus
                                     : mr        ? kMed
                                                 : 0;
        carry[CarryInEntry::NoYtz] = Has(quals, "NT") ? 1 : 0;
    }
    if (Has(quals, "RB")) {
        carry[CarryInEntry::MinDaysOff] = doc.MonthRules[MonthRule::ReducedDaysOff];
        carry[CarryInEntry::MinCredit] = doc.MonthRules[MonthRule::ReducedMinCredit];
        carry[CarryInEntry::MaxCredit] = doc.MonthRules[MonthRule::ReducedMaxCredit];
    }
}

bool LoadRosterFromExtractText(ScheduleDocument& doc, std::string_view groupCode,
                               std::string_view text, Interaction& ui)
{
    doc.CrewCount = 0;
    std::string key;
    if (!GroupKey(doc, groupCode, key))
        return false;
    return ReadRoster(doc, key, text, ui);
}

bool LoadRosterFromExtract(ScheduleDocument& doc, std::string_view groupCode,
                           const std::filesystem::path& path, Interaction& ui)
{
    doc.CrewCount = 0;
    std::string key;
    if (!GroupKey(doc, groupCode, key))
        return false;
    ExtractFile text;
    if (!text.Read(path, ui))
        return false;
    return ReadRoster(doc, key, text.Text(), ui);
}

} // namespace tl
