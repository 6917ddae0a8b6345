#include "rules/block_build.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "model/vortime.h"
#include "rules/complement_copies.h"
#include "rules/legality.h"

#include <algorithm>

namespace tl {

namespace {

size_t U(int i)
{
    return static_cast<size_t>(i);
}

bool IsOpen(int32_t ops)
{
    return ops == kOpsOpen || ops == kOpsOpenFlagged;
}

int MonthDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

int LastPairIndex(const ScheduleDocument& doc)
{
    return std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1);
}

int CrewRows(const ScheduleDocument& doc)
{
    return std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
}

// The crew-complement mark; setting it twice leaves it set.
void Flag(int32_t& ops)
{
    if (ops > kNotOperating)
        ops = -ops;
}

// Validates every pairing and gives it its credit class, which needs the
// days worked that validation derives; the index of the first invalid one,
// -1 when all are valid.
int ValidateAll(ScheduleDocument& doc, int* invalidCount = nullptr)
{
    int first = -1;
    int count = 0;
    for (int p = 0; p <= LastPairIndex(doc); ++p) {
        TPair& pair = doc.Pairs[U(p)];
        const bool valid = pair.Validate(doc.DaysInMonth);
        pair.UpdateCreditClass();
        if (valid)
            continue;
        if (first < 0)
            first = p;
        ++count;
    }
    if (invalidCount)
        *invalidCount = count;
    return first;
}

} // namespace

int RepairAssignmentMarks(ScheduleDocument& doc, Interaction& ui,
                          std::vector<std::string>* repairsOut)
{
    const int days = MonthDays(doc);
    const int last = LastPairIndex(doc);
    for (int p = 0; p <= last; ++p) {
        for (int32_t& ops : doc.Pairs[U(p)].OpsCount) {
            if (ops == kOpsAssigned)
                ops = kOpsOpen;
            else if (ops == kOpsAssignedFlagged)
                ops = kOpsOpenFlagged;
        }
    }

    std::vector<std::string> repairs;
    for (int i = 0; i < CrewRows(doc); ++i) {
        TPilot& crew = doc.Crew[U(i)];
        bool changed = false;
        // Every slot is looked at for indices outside the table, so nothing
        // later reads past it; pairing days are taken only within the month.
        for (int d = 0; d < TPilot::kSlots; ++d) {
            int32_t& slot = crew.DaySlot[U(d)];
            const int32_t p = slot;
            if (p < kOtherSlot || p > last) {
                slot = kFreeSlot;
                changed = true;
                repairs.push_back("Error 100 Emp " + crew.Name + " ");
                continue;
            }
            if (p < 0)
                continue;
            // Slots after the month only hold the days a pairing runs into;
            // none starts there.
            int32_t noDay = kNotOperating;
            int32_t& ops = d < days ? doc.Pairs[U(p)].OpsCount[U(d)] : noDay;
            if (ops == kOpsOpen) {
                ops = kOpsAssigned;
            } else if (ops == kOpsOpenFlagged) {
                ops = kOpsAssignedFlagged;
            } else {
                // Not operating that day, or held by someone earlier in the roster.
                slot = kFreeSlot;
                changed = true;
                repairs.push_back("Error 101 Emp " + crew.Name + " Day " + std::to_string(d + 1));
            }
        }
        if (changed) {
            crew.LegalityValid = 0;
            doc.Events().CrewRowChanged(i, 0, TPilot::kSlots - 1);
        }
    }

    const int count = static_cast<int>(repairs.size());
    if (count > 0) {
        doc.Modified = true;
        std::string report;
        for (const std::string& line : repairs)
            report += line;
        report += " Errors Corrected OK to proceed";
        ui.Message(kCaption, report, Icon::Information);
    }
    if (repairsOut)
        *repairsOut = std::move(repairs);
    return count;
}

bool BuildBlocks(ScheduleDocument& doc, Interaction& ui, bool showPairings, BuildReport* reportOut)
{
    BuildReport local;
    BuildReport& report = reportOut ? *reportOut : local;
    report = BuildReport{};
    if (doc.GridOn)
        return true;
    report.Ran = true;
    ui.Trace("BuildBlocksBegin\n");
    RepairAssignmentMarks(doc, ui, &report.Repairs);

    if (LastPairIndex(doc) >= 0 && ValidateAll(doc) >= 0) {
        (void)doc.Events().ShowPairingWarnings();
        const int first = ValidateAll(doc, &report.InvalidPairs);
        if (first >= 0 && ui.AskYes(kCaption, "Not all Pairings are Valid. Do you want to edit the "
                                              "pairings to correct the errors as noted.")) {
            doc.CurrentPair = first;
            report.EditPair = first;
            doc.Events().EditPairing(first);
            return false;
        }
    }
    doc.Events().PairingsChanged();

    const int count = CrewRows(doc);
    // Credits and then legality walk every crew member; on a large month the
    // window shows how far they got, told every two percent at most so the
    // updates cost nothing beside the work.
    TProgressDialog progress(ui, "Building Blocks", 2 * count);
    const int step = std::max(1, count / 50);
    auto advance = [&](int done) {
        if (done % step == 0)
            progress.SetValue(done);
    };
    for (int i = 0; i < count; ++i) {
        BlockCredit(doc, i, false, ui);
        advance(i + 1);
    }
    doc.GridOn = true;
    doc.BuildState = 1;
    ComputeBlockHolderCut(doc);
    if (!SetupDaylightSaving(doc)) {
        report.DaylightSavingFailed = true;
        ui.Message(kCaption,
                   "Problem occured in Setting up Daylight Savings Time Data. Please contact "
                   "support. You may continue to Build Blocks",
                   Icon::Information);
    }
    doc.ExtendCalendar();
    for (int i = 0; i < count; ++i) {
        CheckLegality(doc, i);
        TPilot& crew = doc.Crew[U(i)];
        crew.LegalityValid = 1;
        crew.IsAllMonthLeave(doc.DaysInMonth);
        advance(count + i + 1);
    }
    progress.SetValue(2 * count);
    if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);
    ComputeDayBalance(doc);
    doc.Events().ShowPairingsWindow(showPairings);
    doc.Events().GridChanged();
    ui.Trace("BuildBlocksEnd\n");
    report.Built = true;
    return true;
}

void FlagTwoCaptPairs(ScheduleDocument& doc, Interaction& ui)
{
    ui.Trace("FlagTwoCaptPairsBegin\n");
    doc.ExtendCalendar();
    const int days = MonthDays(doc);
    const int last = LastPairIndex(doc);
    const int base = std::clamp(doc.LastBasePair, -1, last);
    if (doc.CrewKind == kCaptains) {
        // A copy's one operating day, and the same day of the pairing it copies.
        const std::vector<CopySource> sources = CopySources(doc);
        for (size_t k = 0; k < sources.size(); ++k) {
            const CopySource& source = sources[k];
            if (source.Day < 0)
                continue;
            Flag(doc.Pairs[U(base + 1) + k].OpsCount[U(source.Day)]);
            if (source.Pairing >= 0)
                Flag(doc.Pairs[U(source.Pairing)].OpsCount[U(source.Day)]);
        }
    } else if (doc.CrewKind == kFirstOfficers) {
        // Pairing days parked on open lines fly with two captains.
        for (int i = 0; i < CrewRows(doc); ++i) {
            const TPilot& line = doc.Crew[U(i)];
            if (line.EmpNumber != -1)
                continue;
            for (int d = 0; d < days; ++d) {
                const int32_t p = line.DaySlot[U(d)];
                if (p >= 0 && p <= last)
                    Flag(doc.Pairs[U(p)].OpsCount[U(d)]);
            }
        }
    }
    ui.Trace("FlagTwoCaptPairsEnd\n");
}

bool FinishOpeningMonth(ScheduleDocument& doc, Interaction& ui, bool showPairings,
                        BuildReport* report)
{
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int c = 0; c < crewCount && doc.FreshDocument; ++c) {
        const auto& slots = doc.Crew[static_cast<size_t>(c)].DaySlot;
        if (std::find(slots.begin(), slots.end(), kOtherSlot) != slots.end())
            doc.FreshDocument = false;
    }
    FlagTwoCaptPairs(doc, ui);
    return BuildBlocks(doc, ui, showPairings, report);
}

CreditLimits CreditLimitsOf(const ScheduleDocument& doc, const TPilot& crew)
{
    CreditLimits limits{doc.MonthRules[MonthRule::MinCredit], doc.MonthRules[MonthRule::MaxCredit],
                        doc.MonthRules[MonthRule::AvgCredit]};
    if (crew.CarryIn[CarryInEntry::MinCredit] > 0)
        limits.Min = crew.CarryIn[CarryInEntry::MinCredit];
    if (crew.CarryIn[CarryInEntry::MaxCredit] > 0)
        limits.Max = crew.CarryIn[CarryInEntry::MaxCredit];
    if (crew.CarryIn[CarryInEntry::MinCredit] > 0 || crew.CarryIn[CarryInEntry::MaxCredit] > 0)
        limits.Average = int32_t((int64_t(limits.Min) + limits.Max) / 2);
    return limits;
}

int32_t StoredBlockCredit(const TPilot& crew)
{
    return crew.BlockCreditMinutes;
}

int32_t OpenCredit(ScheduleDocument& doc, int32_t* totalOut)
{
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    int64_t total = 0;
    int64_t open = 0;
    for (int p = 0; p <= last; ++p) {
        const TPair& pair = doc.Pairs[U(p)];
        for (int d = 0; d < days; ++d) {
            const int32_t ops = pair.OpsCount[U(d)];
            if (ops == kNotOperating)
                continue;
            total += pair.Credit;
            if (!IsOpen(ops))
                continue;
            if (d + pair.Length > days) {
                // Only the days that fall inside this month count.
                for (int k = 0; k < days - d && k < TPair::kDays; ++k)
                    open += pair.DayCredit[U(k)];
            } else {
                open += pair.Credit;
            }
        }
    }
    auto to32 = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    if (totalOut)
        *totalOut = to32(total);
    doc.Events().OpenCreditChanged(to32(open), to32(total));
    return to32(open);
}

int32_t ComputeBlockHolderCut(ScheduleDocument& doc)
{
    int64_t available = OpenCredit(doc);
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    int trailing = 0;
    int stop = count;
    for (int i = 0; i < count; ++i) {
        const TPilot& c = doc.Crew[U(i)];
        if (c.BidReserveOrLoa) {
            ++trailing;
            continue;
        }
        trailing = 0;
        // Wide arithmetic: a hostile file's limits may sit at the ends of int.
        const int64_t credit = StoredBlockCredit(c);
        const CreditLimits limits = CreditLimitsOf(doc, c);
        if (credit > limits.Max) {
            available += credit - limits.Average;
        } else if (credit < limits.Min) {
            if (int64_t{limits.Min} - credit > available) {
                stop = i;
                break;
            }
            available += credit - limits.Average;
        }
    }
    const int32_t cut = stop - 1 - trailing;
    doc.BlockHolderCut = cut;
    // The flags are not saved, survive a record's reset and move with records
    // in the roster, so they are set every time rather than only when the cut
    // moves.
    for (int i = 0; i < count; ++i)
        doc.Crew[U(i)].BeyondBlockHolders = i > cut ? 1 : 0;
    return cut;
}

void ComputeDayBalance(ScheduleDocument& doc)
{
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    std::array<int32_t, ScheduleDocument::kMonthDays> balance{};
    const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    for (int p = 0; p <= last; ++p) {
        const TPair& pair = doc.Pairs[U(p)];
        for (int d = 0; d < days; ++d) {
            if (!IsOpen(pair.OpsCount[U(d)]))
                continue;
            for (int k = d; k < d + std::max<int>(pair.Length, 0) && k < days; ++k)
                --balance[U(k)];
        }
    }
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int i = 0; i < count; ++i) {
        const TPilot& c = doc.Crew[U(i)];
        if (c.BidReserveOrLoa || c.BeyondBlockHolders)
            continue;
        const int32_t credit = StoredBlockCredit(c);
        const CreditLimits limits = CreditLimitsOf(doc, c);
        if (credit > limits.Min && credit < limits.Max)
            continue;
        // A legal check-in from 14:01 on leaves no usable duty that day.
        const int32_t checkIn = std::max(c.CarryIn[CarryInEntry::LegalAt], 0);
        int d = checkIn / kMinutesPerDay + (checkIn % kMinutesPerDay >= 14 * 60 + 1 ? 1 : 0);
        while (d < days) {
            const int32_t p = c.DaySlot[U(d)];
            if (p >= 0 && p <= last) {
                d += std::max<int>(doc.Pairs[U(p)].Length, 1);
                continue;
            }
            const int8_t request = c.DayFlag[U(d)];
            if (p == kFreeSlot && !(request >= 1 && request <= 51))
                ++balance[U(d)];
            ++d;
        }
    }
    for (int d = 0; d < ScheduleDocument::kMonthDays; ++d) {
        if (balance[U(d)] == doc.DayBalance[U(d)])
            continue;
        doc.DayBalance[U(d)] = balance[U(d)];
        doc.Events().DayBalanceChanged(d);
    }
}

void TakeDownGrid(ScheduleDocument& doc)
{
    if (!doc.GridOn)
        return;
    doc.GridOn = false;
    doc.Events().GridTakenDown();
    doc.Events().GridChanged();
}

} // namespace tl
