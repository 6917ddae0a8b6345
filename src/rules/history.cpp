#include "rules/history.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "rules/assignment.h"

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
        text += a.Kind == 1 ? "Assign" : "Remove";
        const bool pairing = a.Pairing >= 0 && a.Pairing < ScheduleDocument::kPairCapacity;
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
