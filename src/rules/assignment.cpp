#include "rules/assignment.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "rules/history.h"
#include "rules/legality.h"
#include "rules/legality_rules.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>

namespace tl {

namespace {

using legality::U;

constexpr int kLastSlot = ScheduleDocument::kSlotDays - 1;
constexpr std::string_view kFrenchMark = "FRENCH PAIRING";

bool IsPairing(int32_t slot)
{
    return slot >= 0 && slot < ScheduleDocument::kPairCapacity;
}

bool PairInRange(const ScheduleDocument& doc, int pairing)
{
    return pairing >= 0 && pairing <= doc.LastPair && pairing < ScheduleDocument::kPairCapacity;
}

// A crew index equal to CrewCount is taken: the complement tools assign to
// a new open line before counting it.
bool CrewInRange(const ScheduleDocument& doc, int crew)
{
    return crew >= 0 && crew <= doc.CrewCount && crew < ScheduleDocument::kCrewCapacity;
}

bool SlotInRange(int day)
{
    return day >= 0 && day <= kLastSlot;
}

// Pairings start on the month's days only; a slot after the month does not
// operate, whatever a file put in OpsCount there.
bool MonthDay(const ScheduleDocument& doc, int day)
{
    return day >= 0 && day < TPair::kDays && day < doc.DaysInMonth;
}

int32_t OpsOf(const ScheduleDocument& doc, const TPair& pair, int day)
{
    return MonthDay(doc, day) ? pair.OpsCount[U(day)] : kNotOperating;
}

void SetOps(const ScheduleDocument& doc, TPair& pair, int day, int32_t value)
{
    if (MonthDay(doc, day))
        pair.OpsCount[U(day)] = value;
}

int CrewLimit(const ScheduleDocument& doc)
{
    return std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
}

int DayOfMonth(const ScheduleDocument& doc, int day)
{
    return SlotInRange(day) ? doc.DayDate[U(day)].Day : 0;
}

// " %d:%02d Crew Rest Before " and its After twin.
std::string RestNote(int64_t rest, std::string_view side)
{
    const auto minutes = static_cast<int>(std::clamp<int64_t>(rest, 0, INT32_MAX));
    std::string minute = std::to_string(minutes % 60);
    if (minute.size() < 2)
        minute.insert(0, 1, '0');
    return " " + std::to_string(minutes / 60) + ":" + minute + " Crew Rest " + std::string(side) +
           " ";
}

// The rest to the neighbouring duties of `day`: a refusal when it is under
// the hard minimum, otherwise the notes for rest under 12 hours.
AssignResult CheckRest(const ScheduleDocument& doc, const TPilot& member, const TPair& pair,
                       int day, std::string& notes)
{
    const bool attendant = doc.CrewKind == kFlightAttendants;
    const int64_t rest = attendant ? kAttendantMinRest : kPilotMinRest;
    const int64_t hardMinimum = attendant ? 600 : kPilotMinRest;

    // Without an earlier duty, the legal check-in carried from last month
    // stands for the release of one.
    int64_t prevEnd = int64_t(member.CarryIn[CarryInEntry::LegalAt]) - rest;
    int64_t prevStart = 0;
    bool restBefore = true;
    for (int j = day - 1; j >= 0; --j) {
        const int32_t slot = member.DaySlot[U(j)];
        if (IsPairing(slot)) {
            const TPair& p = doc.Pairs[U(slot)];
            prevStart = int64_t(p.OnTime) + int64_t(j) * kMinutesPerDay;
            prevEnd = prevStart + p.Tafb;
            break;
        }
        if (slot == kOtherSlot) {
            const TPilot::SlotValues& other = member.DayOther[U(j)];
            prevStart = int64_t(other[OtherValue::Start]) + int64_t(j) * kMinutesPerDay;
            if (other[OtherValue::ContainsDuty] != 0) {
                prevEnd = prevStart + other[OtherValue::Length];
            } else {
                prevEnd = prevStart;
                restBefore = false;
            }
            break;
        }
    }

    int64_t nextStart = int64_t(ScheduleDocument::kSlotDays) * kMinutesPerDay; // no next duty
    const int lastSlot = std::min(std::clamp(doc.DaysInMonth, 0, 31) + 30, kLastSlot);
    for (int j = day + 1; j <= lastSlot; ++j) {
        const int32_t slot = member.DaySlot[U(j)];
        if (IsPairing(slot)) {
            nextStart = int64_t(doc.Pairs[U(slot)].OnTime) + int64_t(j) * kMinutesPerDay;
            break;
        }
        if (slot == kOtherSlot) {
            const TPilot::SlotValues& other = member.DayOther[U(j)];
            nextStart = int64_t(other[OtherValue::Start]) + int64_t(j) * kMinutesPerDay +
                        (other[OtherValue::ContainsDuty] != 0 ? 0 : rest);
            break;
        }
    }

    int64_t start = int64_t(pair.OnTime) + int64_t(day) * kMinutesPerDay;
    int64_t end = start + pair.Tafb;
    if (doc.DstShift != 0) {
        // Clock times on both sides of the change: elapsed rest differs by the shift.
        const int64_t change = doc.DstChangeMinute;
        if (prevStart < change && change <= start)
            start -= doc.DstShift;
        else if (start < change && change <= nextStart)
            end += doc.DstShift;
    }
    if (start < prevEnd + hardMinimum || nextStart < end + hardMinimum)
        return AssignResult::Refused;
    if (start < prevEnd + 720 && restBefore)
        notes += RestNote(start - prevEnd, "Before");
    if (nextStart < end + 720)
        notes += RestNote(nextStart - end, "After");
    return AssignResult::Done;
}

// The French question: No refuses.
bool FrenchCrewAccepted(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day)
{
    TPilot& member = doc.Crew[U(crew)];
    legality::CrewView view(doc, member, crew);
    view.markOthers = false; // nothing is assigned yet
    int responsible = crew;
    if (legality::FrenchPairingFine(view, pairing, day, responsible))
        return true;
    std::string text;
    if (responsible == crew || responsible < 0 || responsible >= ScheduleDocument::kCrewCapacity)
        text = FillTexts("Employee %s is not French Qualified and is the Junior Cabin Member. One "
                         "Cabin Member must be French for this pairing. Do you want to assign it "
                         "anyway",
                         {member.Name});
    else
        text =
            FillTexts("Employee %s is not French Qualified and is Senior to %s. One Cabin Member "
                      "must be French for this pairing. Do you want to assign it anyway",
                      {member.Name, doc.Crew[U(responsible)].Name});
    return ui.AskYes(kCaption, text);
}

// Holders of the pairing's French copies on `day` depend on who holds this
// one, whoever that is, so they are checked again.
void MarkFrenchCopyHolders(ScheduleDocument& doc, int pairing, int day)
{
    const TPair& pair = doc.Pairs[U(pairing)];
    if (pair.PairText.find(kFrenchMark) == std::string::npos)
        return;
    std::array<bool, ScheduleDocument::kPairCapacity> copy{};
    const int lastPair = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    for (int q = 0; q <= lastPair; ++q) {
        const TPair& other = doc.Pairs[U(q)];
        copy[U(q)] = other.PairNumber == pair.PairNumber && other.PairKey == pair.PairKey;
    }
    for (int c = 0; c < CrewLimit(doc); ++c) {
        TPilot& member = doc.Crew[U(c)];
        const int32_t slot = member.DaySlot[U(day)];
        if (IsPairing(slot) && copy[U(slot)] && member.EmpNumber != -1)
            member.LegalityValid = 0;
    }
}

// Legality after the block of `crew` changed on `day`, and the rows that
// other crew members' results may have moved on.
void Recheck(ScheduleDocument& doc, int crew, int pairing, int day)
{
    CheckLegality(doc, crew);
    const int count = CrewLimit(doc);
    if (doc.CrewKind == kCaptains) {
        CheckTwoCaptainPairs(doc);
        // Only captains on a copy of this pairing that day can have a new partner.
        const int32_t number = doc.Pairs[U(pairing)].PairNumber;
        const int lastPair = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
        for (int c = 0; c < count; ++c) {
            const int32_t slot = doc.Crew[U(c)].DaySlot[U(day)];
            if (c != crew && slot > doc.LastBasePair && slot <= lastPair && IsPairing(slot) &&
                doc.Pairs[U(slot)].PairNumber == number)
                doc.Events().CrewRowChanged(c, 0, kLastSlot);
        }
    } else if (doc.CrewKind == kFlightAttendants) {
        MarkFrenchCopyHolders(doc, pairing, day);
        doc.Crew[U(crew)].LegalityValid = 1;
        std::array<bool, ScheduleDocument::kCrewCapacity> stale{};
        for (int c = 0; c < count; ++c)
            stale[U(c)] = doc.Crew[U(c)].LegalityValid == 0;
        RefreshLegality(doc);
        for (int c = 0; c < count; ++c)
            if (stale[U(c)])
                doc.Events().CrewRowChanged(c, 0, kLastSlot);
    }
}

// What every assignment and removal brings up to date once the day slot changed.
void AfterBlockChange(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day,
                      bool assigned)
{
    Recheck(doc, crew, pairing, day);
    if (!assigned || doc.CurrentPair == pairing) {
        doc.LastAssignedPair = pairing;
        doc.LastAssignedDay = day;
        doc.CurrentPair = -1;
        doc.CurrentPairDay = -1;
    }
    doc.Events().PairingsChanged();
    BlockCredit(doc, crew, false, ui);
    const int length = std::max<int>(doc.Pairs[U(pairing)].Length, 0);
    doc.Events().CrewRowChanged(crew, day, std::min(day + length, kLastSlot));
    // The cut-off refreshes the open-credit gauge on its way.
    const int32_t cut = doc.BlockHolderCut;
    ComputeBlockHolderCut(doc);
    if (cut != doc.BlockHolderCut)
        doc.Events().GridChanged(); // rows beyond the cut-off are drawn differently
    doc.Modified = true;
}

struct AssignOptions {
    bool restCheck = true;
    bool reserveQuestion = true;
    bool* answeredNo = nullptr; // set when a question answered No refused it
};

// A question answered No: the caller may want to tell it from a refusal.
AssignResult Declined(const AssignOptions& options, AssignResult result)
{
    if (options.answeredNo)
        *options.answeredNo = true;
    return result;
}

AssignResult Assign(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day,
                    AssignOptions options)
{
    if (!PairInRange(doc, pairing))
        return AssignResult::PairOutOfRange;
    TPair& pair = doc.Pairs[U(pairing)];
    const int32_t ops = OpsOf(doc, pair, day);
    if (ops == kNotOperating)
        return AssignResult::NotOperating;
    if (ops == kOpsAssigned || ops == kOpsAssignedFlagged)
        return AssignResult::AlreadyAssigned;
    if (!CrewInRange(doc, crew))
        return AssignResult::CrewOutOfRange;
    TPilot& member = doc.Crew[U(crew)];
    if (member.DaySlot[U(day)] != kFreeSlot)
        return AssignResult::Refused;
    if (options.reserveQuestion && member.BidReserveOrLoa &&
        ui.Ask("", "Employee Bidding Reserve. Do you want to assign this pairing anyways",
               Buttons::YesNo, Icon::Question) != Answer::Yes)
        return Declined(options, AssignResult::ReserveDeclined);
    ui.Trace("AssignPair " + std::to_string(pair.PairNumber) + " to " + member.Name + " on " +
             std::to_string(DayOfMonth(doc, day)) + "\n");
    if (options.restCheck) {
        std::string notes;
        if (CheckRest(doc, member, pair, day, notes) != AssignResult::Done)
            return AssignResult::Refused;
        if (doc.CrewKind == kFlightAttendants && !FrenchCrewAccepted(doc, ui, crew, pairing, day))
            return Declined(options, AssignResult::Refused);
        // Open lines (EmpNumber -1) are nobody's rest; employee number 0 is
        // a crew member like any other.
        if (member.EmpNumber != -1 && !notes.empty() &&
            !ui.AskYes(kCaption, FillTexts("This Assignment Provides Only %s.  Do You want to "
                                           "Assign It Anyway",
                                           {notes})))
            return Declined(options, AssignResult::Refused);
    }
    member.DaySlot[U(day)] = pairing;
    SetOps(doc, pair, day,
           ops < kOpsOpen ? kOpsAssignedFlagged
                          : kOpsAssigned); // a crew-complement copy keeps its sign
    AddTransaction(doc.History, crew, pairing, day, 1);
    AfterBlockChange(doc, ui, crew, pairing, day, true);
    return AssignResult::Done;
}

// Takes the pairing the crew member holds on `day` off the block. The
// transaction remembers a lock, so undo brings it back with the pairing.
void TakeOff(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day, bool locked)
{
    TPilot& member = doc.Crew[U(crew)];
    TPair& pair = doc.Pairs[U(pairing)];
    member.DaySlot[U(day)] = kFreeSlot;
    member.DayLocked[U(day)] = 0; // a lock belongs to the pairing, not to the free day
    const int32_t ops = OpsOf(doc, pair, day);
    if (ops != kNotOperating)
        SetOps(doc, pair, day, ops < kOpsOpen ? kOpsOpenFlagged : kOpsOpen);
    AddTransaction(doc.History, crew, pairing, day, locked ? kRemovedLocked : int8_t(0));
    AfterBlockChange(doc, ui, crew, pairing, day, false);
}

} // namespace

std::string_view AssignResultMessage(AssignResult result)
{
    switch (result) {
    case AssignResult::Refused:
        return "Can't Assign. Previous Assignment that day";
    case AssignResult::NotOperating:
        return "Can't Assign. Pairing not Operating that day";
    case AssignResult::AlreadyAssigned:
        return "Can't Assign. Pairing allready Assigned";
    case AssignResult::CrewOutOfRange:
        return "Can't Assign. Employee out of Range";
    case AssignResult::PairOutOfRange:
        return "Can't Assign. Pairing out of Range";
    case AssignResult::Done:
    case AssignResult::ReserveDeclined:
        break;
    }
    return {};
}

std::string_view RemoveResultMessage(RemoveResult result)
{
    switch (result) {
    case RemoveResult::NotOperating:
        return "Can't Remove. Pairing not Operating that day";
    case RemoveResult::NotAssigned:
        return "Can't Remove. Pairing not Assigned to that Employee";
    case RemoveResult::CrewOutOfRange:
        return "Can't Remove. Employee out of Range";
    case RemoveResult::PairOutOfRange:
        return "Can't Remove. Pairing out of Range";
    case RemoveResult::Done:
        break;
    }
    return {};
}

AssignResult AssignPair(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day,
                        bool noRestCheck)
{
    return Assign(doc, ui, crew, pairing, day, {!noRestCheck, true});
}

AssignResult AssignPair(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day,
                        bool noRestCheck, bool& answeredNo)
{
    answeredNo = false;
    return Assign(doc, ui, crew, pairing, day, {!noRestCheck, true, &answeredNo});
}

bool RestIsClear(const ScheduleDocument& doc, int crew, int pairing, int day)
{
    if (!PairInRange(doc, pairing) || crew < 0 || crew >= CrewLimit(doc) || !SlotInRange(day))
        return false;
    std::string notes;
    return CheckRest(doc, doc.Crew[U(crew)], doc.Pairs[U(pairing)], day, notes) ==
               AssignResult::Done &&
           notes.empty();
}

RemoveResult RemovePair(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day)
{
    if (!PairInRange(doc, pairing))
        return RemoveResult::PairOutOfRange;
    const TPair& pair = doc.Pairs[U(pairing)];
    const int32_t ops = OpsOf(doc, pair, day);
    if (ops == kNotOperating)
        return RemoveResult::NotOperating;
    if (ops == kOpsOpen || ops == kOpsOpenFlagged)
        return RemoveResult::NotAssigned;
    if (!CrewInRange(doc, crew))
        return RemoveResult::CrewOutOfRange;
    // Someone else holds it (an undo after the block changed): freeing this
    // crew member's day would lose what is there.
    if (doc.Crew[U(crew)].DaySlot[U(day)] != pairing)
        return RemoveResult::NotAssigned;
    ui.Trace("Remove Pair " + std::to_string(pair.PairNumber) + " from " + doc.Crew[U(crew)].Name +
             " on " + std::to_string(DayOfMonth(doc, day)) + "\n");
    TakeOff(doc, ui, crew, pairing, day, doc.Crew[U(crew)].DayLocked[U(day)] != 0);
    return RemoveResult::Done;
}

bool RemovePairFromGrid(ScheduleDocument& doc, Interaction& ui, int crew, int day, bool ctrlHeld,
                        bool confirmRemove)
{
    if (crew < 0 || crew >= CrewLimit(doc) || !SlotInRange(day))
        return false;
    TPilot& member = doc.Crew[U(crew)];
    const int32_t pairing = member.DaySlot[U(day)];
    if (!PairInRange(doc, pairing) || member.EmpNumber == -1)
        return false;
    const bool locked = member.DayLocked[U(day)] != 0;
    if (locked) {
        if (!ui.AskYes(kCaption, "Do you want to Send it to Open anyway"))
            return false;
        member.DayLocked[U(day)] = 0;
    }
    const TPair& pair = doc.Pairs[U(pairing)];
    if (!ctrlHeld && confirmRemove) {
        const std::string key = pair.PairKey.empty() ? std::string() : pair.PairKey.substr(0, 1);
        const std::string text = FillTexts("Confirm remove %s from %s. Hold Ctrl Key down while "
                                           "Right Clicking to avoid this message",
                                           {key + std::to_string(pair.PairNumber), member.Name});
        if (!ui.AskYes(kCaption, text))
            return false;
    }
    ui.Trace("RemovePair " + std::to_string(pair.PairNumber) + " " + member.Name + " " +
             std::to_string(DayOfMonth(doc, day)) + " RC\n");
    TakeOff(doc, ui, crew, pairing, day, locked);
    ComputeDayBalance(doc);
    return true;
}

bool RemoveOtherFromGrid(ScheduleDocument& doc, Interaction& ui, int crew, int day, bool shiftHeld)
{
    if (crew < 0 || crew >= CrewLimit(doc) || !SlotInRange(day))
        return false;
    TPilot& member = doc.Crew[U(crew)];
    if (member.DaySlot[U(day)] != kOtherSlot)
        return false;
    if (!shiftHeld &&
        !ui.AskYes(kCaption, FillTexts("Confirm remove %s from %s. Hold Shift Key down "
                                       "while Right Clicking to avoid this message",
                                       {member.DayCode[U(day)], member.Name})))
        return false;
    const bool reserve = member.DayOther[U(day)][OtherValue::Reserve] != 0;
    member.DayOther[U(day)].fill(0);
    member.DaySlot[U(day)] = kFreeSlot;
    member.DayCode[U(day)].clear();
    member.DayCode2[U(day)].clear();
    // Its credit and its place in the rules go with it.
    CheckLegality(doc, crew);
    if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);
    BlockCredit(doc, crew, false, ui);
    doc.Events().CrewRowChanged(crew, day, day);
    if (reserve)
        doc.Events().GridChanged(); // the reserve counts under the crew rows
    doc.Modified = true;
    member.IsAllMonthLeave(std::clamp(doc.DaysInMonth, 0, 31));
    return true;
}

bool ToggleDayLock(ScheduleDocument& doc, int crew, int day)
{
    if (crew < 0 || crew >= CrewLimit(doc) || !SlotInRange(day))
        return false;
    TPilot& member = doc.Crew[U(crew)];
    if (!IsPairing(member.DaySlot[U(day)]))
        return false;
    member.DayLocked[U(day)] = member.DayLocked[U(day)] ? 0 : 1;
    doc.Events().CrewRowChanged(crew, day, day);
    doc.Modified = true; // the lock is kept in the file
    return true;
}

DragResult DragPairing(ScheduleDocument& doc, Interaction& ui, int sourceCrew, int sourceDay,
                       int targetCrew)
{
    if (sourceCrew < 0 || sourceCrew >= CrewLimit(doc) || !SlotInRange(sourceDay) ||
        targetCrew == sourceCrew)
        return DragResult::NotMoved;
    TPilot& source = doc.Crew[U(sourceCrew)];
    const int32_t pairing = source.DaySlot[U(sourceDay)];
    // Open lines hand their pairings out through Who Is Legal, not by dragging.
    if (!PairInRange(doc, pairing) || source.EmpNumber == -1)
        return DragResult::NotMoved;
    if (source.DayLocked[U(sourceDay)] != 0) {
        ui.Message(kCaption, "Can't Drag a Locked in Pairing", Icon::Information);
        return DragResult::Locked;
    }
    const THistory before = doc.History;
    if (RemovePair(doc, ui, sourceCrew, pairing, sourceDay) != RemoveResult::Done)
        return DragResult::NotMoved;
    // The pairing keeps its day whatever column the drag ended over.
    if (AssignPair(doc, ui, targetCrew, pairing, sourceDay, false) == AssignResult::Done)
        return DragResult::Moved;
    // It was there a moment ago: back without asking again, and the history
    // as if nothing had happened. The day was freed just now, so it takes it.
    (void)Assign(doc, ui, sourceCrew, pairing, sourceDay, {false, false});
    doc.History = before;
    ui.Beep();
    return DragResult::PutBack;
}

} // namespace tl
