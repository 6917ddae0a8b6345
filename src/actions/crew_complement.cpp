#include "actions/crew_complement.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "rules/assignment.h"
#include "rules/complement_copies.h"
#include "rules/history.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>
#include <string_view>
#include <utility>

namespace tl {

namespace {

constexpr std::string_view kTwoCaptsMarker = " TWO CAPTS ON";
constexpr std::string_view kExtraFaMarker = " EXTRA FA ON";
constexpr size_t kDateWidth = 30;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

enum class Complement { Captains, FirstOfficers, Attendants };

Complement ComplementOf(const ScheduleDocument& doc)
{
    if (doc.CrewKind == kFirstOfficers)
        return Complement::FirstOfficers;
    if (doc.CrewKind == kFlightAttendants)
        return Complement::Attendants;
    return Complement::Captains;
}

std::string_view MarkerOf(Complement kind)
{
    return kind == Complement::Attendants ? kExtraFaMarker : kTwoCaptsMarker;
}

// The marker without its leading space and trailing " ON": what tells that
// a pairing text carries it already.
std::string_view MarkerWord(Complement kind)
{
    return kind == Complement::Attendants ? "EXTRA FA" : "TWO CAPTS";
}

int CrewInUse(const ScheduleDocument& doc)
{
    return std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
}

int MonthDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

// The last pairing of the month proper and the last copy, both within the
// table.
std::pair<int, int> PairRange(const ScheduleDocument& doc)
{
    const int lastPair = std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1);
    const int lastBase = std::clamp(doc.LastBasePair, -1, lastPair);
    return {lastBase, lastPair};
}

// "TU 01/06/2027": weekday and date of a day of the month, at most 30
// characters whatever the calendar holds.
std::string DateText(const ScheduleDocument& doc, int day)
{
    const auto& name = doc.DayName[U(day)];
    std::string text(name.data(), std::find(name.begin(), name.end(), '\0'));
    const TDate& date = doc.DayDate[U(day)];
    text += Format(" %02d/%02d/%04d", date.Day, date.Month, date.Year);
    return text.substr(0, kDateWidth);
}

char BaseLetter(const TPair& pair)
{
    return pair.PairKey.empty() || pair.PairKey[0] == '\0' ? ' ' : pair.PairKey[0];
}

std::string LineText(const ScheduleDocument& doc, int pairing, int day)
{
    const TPair& pair = doc.Pairs[U(pairing)];
    const char base = BaseLetter(pair);
    return Format(" %c%04d   %-30s%03d%02d", base, pair.PairNumber, DateText(doc, day).c_str(),
                  pairing, day);
}

void CutMarker(std::string& text, std::string_view marker)
{
    const size_t at = text.find(marker);
    if (at != std::string::npos)
        text.erase(at);
}

void AddMarker(std::string& text, Complement kind, int day)
{
    if (text.find(MarkerWord(kind)) == std::string::npos)
        text += MarkerOf(kind);
    text += " " + std::to_string(day + 1);
}

// The selected lines that still name an operating day of a pairing of the
// month, each pairing day once.
std::vector<ComplementLine> SelectedDays(const ScheduleDocument& doc,
                                         const std::vector<ComplementLine>& lines)
{
    const int lastBase = PairRange(doc).first;
    const int days = MonthDays(doc);
    std::set<std::pair<int, int>> seen;
    std::vector<ComplementLine> selected;
    for (const ComplementLine& line : lines) {
        if (!line.Selected || line.Pairing < 0 || line.Pairing > lastBase || line.Day < 0 ||
            line.Day >= days || doc.Pairs[U(line.Pairing)].OpsCount[U(line.Day)] == kNotOperating)
            continue;
        if (seen.insert({line.Pairing, line.Day}).second)
            selected.push_back(line);
    }
    return selected;
}

bool CopiesDone(ScheduleDocument& doc, Interaction& ui, Complement kind,
                const std::vector<ComplementLine>& selected)
{
    const int lastPair = PairRange(doc).second;
    const int room = ScheduleDocument::kPairCapacity - 1 - lastPair;
    if (int(selected.size()) > room) {
        ui.Message(kCaption,
                   Format("The Pairing Table has room for %d more Pairings. Select no more than "
                          "%d Pairing days.",
                          room, room),
                   Icon::Warning);
        return false;
    }
    const int crewCount = CrewInUse(doc);
    doc.LastPair = lastPair;
    struct Copy {
        int Index;
        int Pairing;
        int Day;
    };
    std::vector<Copy> copies;
    for (const ComplementLine& line : selected) {
        const auto d = U(line.Day);
        const int copy = ++doc.LastPair;
        TPair& pair = doc.Pairs[U(copy)];
        pair = doc.Pairs[U(line.Pairing)];
        pair.OpsCount.fill(kNotOperating);
        pair.OpsCount[d] = kOpsOpenFlagged;
        if (line.Holder >= 0 && line.Holder < crewCount &&
            doc.Crew[U(line.Holder)].DaySlot[d] == kFreeSlot) {
            doc.Crew[U(line.Holder)].DaySlot[d] = copy;
            pair.OpsCount[d] = kOpsAssignedFlagged;
        }
        copies.push_back({copy, line.Pairing, line.Day});
    }
    for (const Copy& copy : copies) {
        TPair& base = doc.Pairs[U(copy.Pairing)];
        base.OpsCount[U(copy.Day)] = -std::abs(base.OpsCount[U(copy.Day)]);
        AddMarker(base.PairText, kind, copy.Day);
    }
    for (const Copy& copy : copies)
        doc.Pairs[U(copy.Index)].PairText = doc.Pairs[U(copy.Pairing)].PairText;
    return true;
}

// First officers: a day that flies with two captains needs no first officer
// and is parked on an open line.
void ParkedDone(ScheduleDocument& doc, Interaction& ui, const std::vector<ComplementLine>& selected)
{
    const int capacity = std::min(doc.MaxCrew, ScheduleDocument::kCrewCapacity);
    std::string unparked;
    for (const ComplementLine& line : selected) {
        const auto d = U(line.Day);
        TPair& pair = doc.Pairs[U(line.Pairing)];
        const int crewCount = CrewInUse(doc);
        for (int c = 0; c < crewCount; ++c) {
            TPilot& holder = doc.Crew[U(c)];
            if (holder.DaySlot[d] != line.Pairing)
                continue;
            holder.DaySlot[d] = kFreeSlot;
            holder.DayFlag[d] = 0;
            holder.DayLocked[d] = 0;
        }
        pair.OpsCount[d] = kOpsOpenFlagged;
        bool parked = false;
        for (int c = 0; c < crewCount && !parked; ++c)
            parked = doc.Crew[U(c)].EmpNumber < 0 &&
                     AssignPair(doc, ui, c, line.Pairing, line.Day, false) == AssignResult::Done;
        if (!parked && crewCount < capacity) {
            TPilot& open = doc.Crew[U(crewCount)];
            open.Reset();
            open.Warnings.clear();
            open.EmpNumber = -1;
            open.Name = "CAPT PAIRINGS";
            doc.CrewCount = crewCount + 1;
            parked =
                AssignPair(doc, ui, crewCount, line.Pairing, line.Day, false) == AssignResult::Done;
            if (!parked) {
                open.Reset();
                doc.CrewCount = crewCount;
            }
        }
        if (parked) {
            AddMarker(pair.PairText, Complement::FirstOfficers, line.Day);
            continue;
        }
        // No room for another open line: the day stays open for a first
        // officer rather than vanish from every block.
        pair.OpsCount[d] = kOpsOpen;
        unparked += Format(" %c%04d day %d.", BaseLetter(pair), pair.PairNumber, line.Day + 1);
    }
    if (!unparked.empty())
        ui.Message(kCaption,
                   "Roster is Full! No Capt Pairings line could take these Pairings. They stay "
                   "open:" +
                       unparked,
                   Icon::Warning);
}

} // namespace

ComplementDialog OpenCrewComplement(ScheduleDocument& doc)
{
    const Complement kind = ComplementOf(doc);
    ComplementDialog dialog;
    if (kind == Complement::Attendants) {
        dialog.Caption = "Change FA Crew Required for Pairings";
        dialog.Instruction = "Select All PU Pairings that have an additional Flight Attendant";
    } else {
        dialog.Caption = "Change Crew Required for Pairings";
        dialog.Instruction = "Select All Pairings that have 2 Captains";
    }
    doc.ExtendCalendar();

    const auto [lastBase, lastPair] = PairRange(doc);
    const int crewCount = CrewInUse(doc);
    const int days = MonthDays(doc);
    // The copy each pairing day had, found before the signs are cleared.
    std::map<std::pair<int, int>, int> copyOf;
    if (kind != Complement::FirstOfficers) {
        const std::vector<CopySource> sources = CopySources(doc);
        for (size_t k = 0; k < sources.size(); ++k)
            if (sources[k].Pairing >= 0)
                copyOf[{sources[k].Pairing, sources[k].Day}] = lastBase + 1 + int(k);
    }
    for (int i = 0; i <= lastBase; ++i) {
        TPair& pair = doc.Pairs[U(i)];
        CutMarker(pair.PairText, MarkerOf(kind));
        for (int32_t& ops : pair.OpsCount)
            ops = std::abs(ops);
        for (int d = 0; d < days; ++d) {
            if (pair.OpsCount[U(d)] == kNotOperating)
                continue;
            ComplementLine line{LineText(doc, i, d), false, i, d, -1};
            if (kind == Complement::FirstOfficers) {
                // A day parked on an open line flies with two captains.
                for (int c = 0; c < crewCount; ++c) {
                    TPilot& open = doc.Crew[U(c)];
                    if (open.EmpNumber >= 0 || open.DaySlot[U(d)] != i)
                        continue;
                    line.Selected = true;
                    open.DaySlot[U(d)] = kFreeSlot;
                    pair.OpsCount[U(d)] = kOpsOpen;
                }
            } else if (const auto found = copyOf.find({i, d}); found != copyOf.end()) {
                const int q = found->second;
                line.Selected = true;
                const bool assigned = std::abs(doc.Pairs[U(q)].OpsCount[U(d)]) == kOpsAssigned;
                for (int c = 0; assigned && c < crewCount; ++c) {
                    if (doc.Crew[U(c)].DaySlot[U(d)] != q)
                        continue;
                    line.Text += Format("%03d", c);
                    line.Holder = c;
                    doc.Crew[U(c)].DaySlot[U(d)] = kFreeSlot;
                    break;
                }
            }
            dialog.Lines.push_back(std::move(line));
        }
    }

    if (kind == Complement::FirstOfficers) {
        int count = crewCount;
        while (count > 0 && doc.Crew[U(count - 1)].EmpNumber < 0) {
            doc.Crew[U(count - 1)].Reset();
            doc.Crew[U(count - 1)].Warnings.clear();
            --count;
        }
        doc.CrewCount = count;
        // Undo must not reach for an open line that is gone.
        std::erase_if(doc.History, [count](const TAction& a) { return a.Crew >= count; });
    } else if (lastPair > lastBase) {
        // Done makes the copies again; no block may keep one that is gone.
        for (int c = 0; c < crewCount; ++c)
            for (int32_t& slot : doc.Crew[U(c)].DaySlot)
                if (slot > lastBase && slot <= lastPair)
                    slot = kFreeSlot;
        for (int q = lastBase + 1; q <= lastPair; ++q)
            doc.Pairs[U(q)].Reset();
        doc.LastPair = lastBase;
        // Nor for a copy: Done numbers them afresh.
        const int lastKept = lastBase; // a structured binding cannot be captured everywhere
        std::erase_if(doc.History, [lastKept](const TAction& a) { return a.Pairing > lastKept; });
    }
    return dialog;
}

bool CrewComplementDone(ScheduleDocument& doc, Interaction& ui,
                        const std::vector<ComplementLine>& lines)
{
    const Complement kind = ComplementOf(doc);
    const std::vector<ComplementLine> selected = SelectedDays(doc, lines);
    if (kind == Complement::FirstOfficers)
        ParkedDone(doc, ui, selected);
    else if (!CopiesDone(doc, ui, kind, selected))
        return false;
    // Undo would take parked days into open time, or reach for copies and
    // open lines by indices that now name others.
    ClearHistory(doc);
    doc.Modified = true;
    return true;
}

} // namespace tl
