#include "rules/history.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "rules/assignment.h"

#include <cstdio>

namespace tl {

namespace {

// A fixed-width decimal field; false when it holds anything but digits
// (a leading minus sign is taken, as "%04d" writes negative numbers so).
bool Field(std::string_view text, size_t at, size_t width, int32_t& value)
{
    if (at + width > text.size())
        return false;
    std::string_view field = text.substr(at, width);
    size_t i = 0;
    bool negative = false;
    while (i < field.size() && field[i] == ' ')
        ++i;
    if (i < field.size() && field[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == field.size())
        return false;
    int32_t v = 0;
    for (; i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9')
            return false;
        v = v * 10 + (field[i] - '0');
    }
    value = negative ? -v : v;
    return true;
}

} // namespace

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
    int result = kAssignRefused;
    bool answeredNo = false;
    // The operations take the row after the roster for the complement tools;
    // a transaction naming it comes from a damaged file.
    const bool onRoster = action.Crew >= 0 && action.Crew < doc.CrewCount;
    if (onRoster && action.Kind == 1)
        result = RemovePair(doc, ui, action.Crew, action.Pairing, action.Day);
    else if (onRoster && (action.Kind == 0 || action.Kind == kRemovedLocked))
        result = AssignPair(doc, ui, action.Crew, action.Pairing, action.Day, false, answeredNo);
    // The scheduler chose not to: nothing changed, and the transaction can
    // still be undone later.
    if (answeredNo)
        return UndoResult::Declined;
    if (result != kAssignDone) {
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
    char buffer[64];
    for (const TAction& a : doc.History) {
        text += a.Kind == 1 ? "Assign" : "Remove";
        const bool pairing = a.Pairing >= 0 && a.Pairing < ScheduleDocument::kPairCapacity;
        const TDate date = a.Day >= 0 && a.Day < ScheduleDocument::kSlotDays
                               ? doc.DayDate[size_t(a.Day)]
                               : TDate{};
        std::snprintf(buffer, sizeof buffer, "\t%d\t%02d/%02d/%04d\t",
                      pairing ? doc.Pairs[size_t(a.Pairing)].PairNumber : 0, date.Day, date.Month,
                      date.Year);
        text += buffer;
        if (a.Crew >= 0 && a.Crew < ScheduleDocument::kCrewCapacity)
            text += doc.Crew[size_t(a.Crew)].Name;
        text += '+';
    }
    return text;
}

std::string SerializeHistory(const THistory& history)
{
    std::string text;
    text.reserve(4 + 14 * history.size());
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d", static_cast<int>(history.size()));
    text += buffer;
    for (const TAction& a : history) {
        std::snprintf(buffer, sizeof buffer, "%02d%04d%04d%04d", a.Kind, a.Day, a.Crew, a.Pairing);
        text += buffer;
    }
    return text;
}

void ParseHistory(THistory& history, std::string_view text)
{
    history.clear();
    int32_t count = 0;
    if (!Field(text, 0, 4, count) || count <= 0)
        return;
    for (int32_t i = 0; i < count && history.size() < kHistoryLimit; ++i) {
        size_t at = 4 + 14 * static_cast<size_t>(i);
        int32_t kind = 0;
        TAction a;
        if (!Field(text, at, 2, kind) || !Field(text, at + 2, 4, a.Day) ||
            !Field(text, at + 6, 4, a.Crew) || !Field(text, at + 10, 4, a.Pairing))
            return;
        a.Kind = static_cast<int8_t>(kind);
        history.push_back(a);
    }
}

} // namespace tl
