#include "actions/baw_lin_import.h"

#include "actions/toolbox_drop.h"
#include "model/activity_codes.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "rules/assignment.h"

#include <algorithm>

namespace tl {

namespace {

int MonthDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

// The day slot of a date of the month; -1 outside it.
int DayOf(const ScheduleDocument& doc, const TDate& date)
{
    for (int d = 0; d < MonthDays(doc); ++d)
        if (doc.DayDate[static_cast<std::size_t>(d)] == date)
            return d;
    return -1;
}

// The crew member who holds a block: the employee number, or for open time
// the next row with employee number 0.
int HolderOf(const ScheduleDocument& doc, const BawLinBlock& block, int& openRows)
{
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    int open = 0;
    for (int c = 0; c < count; ++c) {
        const int32_t emp = doc.Crew[static_cast<std::size_t>(c)].EmpNumber;
        if (emp != block.EmpNumber)
            continue;
        if (emp != 0)
            return c;
        if (open++ == openRows) {
            ++openRows;
            return c;
        }
    }
    return -1;
}

void PlacePairing(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                  const BlockDayRecord& record, const std::string& who, BlockImportResult& result)
{
    const std::string name = Format("%c%04d", record.PairLetter, record.PairNumber);
    const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    bool operating = false;
    for (int p = 0; p <= last; ++p) {
        const TPair& pair = doc.Pairs[static_cast<std::size_t>(p)];
        // The export writes a blank for a pairing without a prefix letter.
        const char letter = pair.PairKey.empty() ? ' ' : pair.PairKey[0];
        if (pair.PairNumber != record.PairNumber || letter != record.PairLetter)
            continue;
        const int32_t ops = pair.OpsCount[static_cast<std::size_t>(day)];
        operating = operating || ops != kNotOperating;
        if (ops != kOpsOpen && ops != kOpsOpenFlagged)
            continue;
        const AssignResult assigned = AssignPair(doc, ui, crew, p, day, false);
        if (assigned == AssignResult::Done) {
            ++result.Placed;
            return;
        }
        result.Problems.push_back(Format("%s Pairing %s Day %d Not Assigned: %s", who.c_str(),
                                         name.c_str(), day + 1,
                                         std::string(AssignResultMessage(assigned)).c_str()));
        return;
    }
    result.Problems.push_back(Format("%s Pairing %s Day %d %s", who.c_str(), name.c_str(), day + 1,
                                     operating ? "Already Taken" : "Not Operating"));
}

void PlaceOther(ScheduleDocument& doc, Interaction& ui, int crew, int first, int last,
                const BlockDayRecord& record, const std::string& who, BlockImportResult& result)
{
    const std::vector<ToolBoxActivityItem> items = ToolBoxActivityItems(doc);
    const auto item = std::find_if(items.begin(), items.end(), [&](const auto& i) {
        return i.TrackingCode == record.Tracking;
    });
    if (item == items.end()) {
        result.Problems.push_back(
            Format("%s Code %s Not in the ToolBox", who.c_str(), record.Tracking.c_str()));
        return;
    }
    const ToolBoxItemRef ref{ToolBoxItemRef::Kind::Activity,
                             static_cast<int>(item - items.begin())};
    for (int d = first; d <= last; ++d) {
        const TPilot& member = doc.Crew[static_cast<std::size_t>(crew)];
        if (member.DaySlot[static_cast<std::size_t>(d)] != kFreeSlot ||
            PairingCoveringDay(doc, crew, d) >= 0) {
            result.Problems.push_back(
                Format("%s %s Day %d Not Free", who.c_str(), record.Tracking.c_str(), d + 1));
            continue;
        }
        if (ApplyToolBoxItem(doc, ui, crew, d, ref) == ToolBoxDropResult::Done)
            ++result.Placed;
        else
            result.Problems.push_back(
                Format("%s %s Day %d Not Assigned", who.c_str(), record.Tracking.c_str(), d + 1));
    }
}

} // namespace

BlockImportResult ImportBawLinBlocks(ScheduleDocument& doc, Interaction& ui,
                                     const std::vector<BawLinBlock>& blocks)
{
    BlockImportResult result;
    int openRows = 0;
    for (const BawLinBlock& block : blocks) {
        const std::string who = Format("Emp %d Blk %s", block.EmpNumber, block.BlockId.c_str());
        const int crew = HolderOf(doc, block, openRows);
        if (crew < 0) {
            result.Problems.push_back(who + " Not on the Roster");
            continue;
        }
        for (const BlockDayRecord& record : block.Days) {
            if (record.Type == BlockDayRecord::Kind::Other && record.Tracking == "DC")
                continue; // the export's draft credit mark
            const int first = DayOf(doc, record.Start);
            if (first < 0) {
                result.Problems.push_back(Format("%s Date %02d/%02d/%04d Not in the Month",
                                                 who.c_str(), record.Start.Day, record.Start.Month,
                                                 record.Start.Year));
                continue;
            }
            if (record.Type == BlockDayRecord::Kind::Pairing) {
                PlacePairing(doc, ui, crew, first, record, who, result);
                continue;
            }
            // A merged run ends on its last day; a reserve is one day even
            // when it ends after midnight.
            int last = record.Type == BlockDayRecord::Kind::Other ? DayOf(doc, record.End) : first;
            if (last < first)
                last = first;
            PlaceOther(doc, ui, crew, first, last, record, who, result);
        }
    }
    return result;
}

} // namespace tl
