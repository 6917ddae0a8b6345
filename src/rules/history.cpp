#include "rules/history.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "rules/assignment.h"
#include "rules/block_build.h"
#include "rules/legality.h"

#include <algorithm>

namespace tl {

void AddTransaction(THistory& history, int32_t crew, int32_t pairing, int32_t day, int8_t kind)
{
    history.push_front(TAction{kind, day, crew, pairing});
    while (history.size() > kHistoryLimit)
        history.pop_back();
}

void ClearHistory(THistory& history)
{
    history.clear();
}

void ClearHistory(ScheduleDocument& doc)
{
    doc.History.clear();
}

std::shared_ptr<MonthSnapshot> TakeSnapshot(const ScheduleDocument& doc)
{
    auto snapshot = std::make_shared<MonthSnapshot>();
    const int crew = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    snapshot->Crew.assign(doc.Crew.get(), doc.Crew.get() + crew);
    for (int i = 0; i < crew; ++i)
        snapshot->Crew[size_t(i)].Warnings = doc.Crew[size_t(i)].Warnings;
    const int pairs = std::clamp(doc.LastPair + 1, 0, ScheduleDocument::kPairCapacity);
    snapshot->Ops.reserve(size_t(pairs));
    for (int p = 0; p < pairs; ++p)
        snapshot->Ops.push_back(doc.Pairs[size_t(p)].OpsCount);
    snapshot->History = doc.History;
    snapshot->BlockHolderCut = doc.BlockHolderCut;
    snapshot->CurrentPair = doc.CurrentPair;
    snapshot->CurrentPairDay = doc.CurrentPairDay;
    snapshot->LastAssignedPair = doc.LastAssignedPair;
    snapshot->LastAssignedDay = doc.LastAssignedDay;
    return snapshot;
}

void RestoreSnapshot(ScheduleDocument& doc, const MonthSnapshot& snapshot, Interaction& ui)
{
    // The roster and the pairing table cannot change while a step stands in
    // the history (a roster change clears it), but a damaged state must not
    // write past the tables.
    const size_t crew = std::min(snapshot.Crew.size(), size_t(ScheduleDocument::kCrewCapacity));
    for (size_t i = 0; i < crew; ++i) {
        doc.Crew[i] = snapshot.Crew[i];
        doc.Crew[i].Warnings = snapshot.Crew[i].Warnings;
    }
    const size_t pairs = std::min(snapshot.Ops.size(), size_t(ScheduleDocument::kPairCapacity));
    for (size_t p = 0; p < pairs; ++p)
        doc.Pairs[p].OpsCount = snapshot.Ops[p];
    doc.History = snapshot.History;
    doc.CurrentPair = snapshot.CurrentPair;
    doc.CurrentPairDay = snapshot.CurrentPairDay;
    doc.LastAssignedPair = snapshot.LastAssignedPair;
    doc.LastAssignedDay = snapshot.LastAssignedDay;
    ComputeBlockHolderCut(doc);
    doc.BlockHolderCut = snapshot.BlockHolderCut;
    if (doc.GridOn)
        ComputeDayBalance(doc);
    (void)ui;
    doc.Modified = true;
    doc.Events().PairingsChanged();
    doc.Events().GridChanged();
}

void RecordGroupStep(ScheduleDocument& doc, std::shared_ptr<const MonthSnapshot> before)
{
    doc.History = before->History;
    AddTransaction(doc.History, 0, 0, 0, kGroupStep);
    // The newest step of the history goes with the newest snapshot; a few
    // are kept, for their size, and an older step is refused.
    constexpr size_t kKeptSnapshots = 3;
    auto& kept = doc.GroupSnapshots;
    kept.push_back(std::move(before));
    if (kept.size() > kKeptSnapshots)
        kept.erase(kept.begin());
}

UndoResult Undo(ScheduleDocument& doc, Interaction& ui)
{
    ui.Trace("Undo\n");
    THistory& history = doc.History;
    if (history.empty()) {
        ui.Beep();
        return UndoResult::Empty;
    }
    const TAction action = history.front();
    // A full history drops its oldest entry when the inverse is recorded;
    // that entry is not the one being undone, so it comes back.
    const bool full = history.size() >= kHistoryLimit;
    const TAction oldest = history.back();
    if (action.Kind == kGroupStep) {
        auto& kept = doc.GroupSnapshots;
        if (kept.empty()) {
            ui.Message(kCaption, "Unable to UNDO that Transaction", Icon::Information);
            history.pop_front();
            return UndoResult::Refused;
        }
        const std::shared_ptr<const MonthSnapshot> snapshot = kept.back();
        kept.pop_back();
        RestoreSnapshot(doc, *snapshot, ui);
        return UndoResult::Undone;
    }
    bool done = false;
    bool answeredNo = false;
    // The operations take the row after the roster for the complement tools;
    // a transaction naming it comes from a damaged file.
    const bool onRoster = action.Crew >= 0 && action.Crew < doc.CrewCount;
    if (onRoster && action.Kind == 1)
        done = RemovePair(doc, ui, action.Crew, action.Pairing, action.Day) == RemoveResult::Done;
    else if (onRoster && (action.Kind == 0 || action.Kind == kRemovedLocked))
        done = AssignPair(doc, ui, action.Crew, action.Pairing, action.Day, false, answeredNo) ==
               AssignResult::Done;
    // The scheduler chose not to: nothing changed, and the transaction can
    // still be undone later.
    if (answeredNo)
        return UndoResult::Declined;
    if (!done) {
        ui.Message(kCaption, "Unable to UNDO that Transaction", Icon::Information);
        if (!history.empty())
            history.pop_front();
        return UndoResult::Refused;
    }
    if (action.Kind == kRemovedLocked) {
        doc.Crew[size_t(action.Crew)].DayLocked[size_t(action.Day)] = 1;
        doc.Events().CrewRowChanged(action.Crew, action.Day, action.Day);
    }
    // The inverse recorded itself in front of the transaction it undid.
    for (int i = 0; i < 2 && !history.empty(); ++i)
        history.pop_front();
    if (full && history.size() < kHistoryLimit - 1)
        history.push_back(oldest);
    return UndoResult::Undone;
}

std::string HistoryText(const ScheduleDocument& doc)
{
    std::string text;
    for (const TAction& a : doc.History) {
        text += a.Kind == 1 ? "Assign" : a.Kind == kGroupStep ? "Award" : "Remove";
        const bool pairing =
            a.Kind != kGroupStep && a.Pairing >= 0 && a.Pairing < ScheduleDocument::kPairCapacity;
        const TDate date = a.Day >= 0 && a.Day < ScheduleDocument::kSlotDays
                               ? doc.DayDate[size_t(a.Day)]
                               : TDate{};
        text +=
            Format("\t%d\t%02d/%02d/%04d\t", pairing ? doc.Pairs[size_t(a.Pairing)].PairNumber : 0,
                   date.Day, date.Month, date.Year);
        if (a.Crew >= 0 && a.Crew < ScheduleDocument::kCrewCapacity)
            text += doc.Crew[size_t(a.Crew)].Name;
        text += '+';
    }
    return text;
}

} // namespace tl
