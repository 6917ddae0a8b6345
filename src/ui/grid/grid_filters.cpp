#include "ui/grid/grid_filters.h"

#include "model/schedule_document.h"
#include "model/vortime.h"
#include "ui/frame/commands.h"
#include "ui/grid/grid_text.h"

#include <algorithm>

namespace tl::ui {

namespace {

bool BlockHolder(const TPilot& crew)
{
    return crew.BidReserveOrLoa == 0 && crew.BeyondBlockHolders == 0;
}

bool CheckPilot(const TPilot& crew)
{
    return crew.CarryIn[CarryInEntry::Qualification] == kCheckB ||
           crew.CarryIn[CarryInEntry::Qualification] == kCheckPilot;
}

// As names are stored: accented letters in capitals too.
std::string Upper(std::string text)
{
    UpperCase(text);
    return text;
}

bool Contains(std::string_view text, const std::string& upperNeedle)
{
    return Upper(std::string(text)).find(upperNeedle) != std::string::npos;
}

} // namespace

bool* DisplayFlag(DisplayFlags& flags, int command)
{
    switch (command) {
    case CmSearchFilter:
        return &flags.Search;
    case CmHideCheckPilots:
        return &flags.HideCheckPilots;
    case CmHideCompleted:
        return &flags.HideCompleted;
    case CmHideLeave:
        return &flags.HideLeave;
    case CmHideBlockHolders:
        return &flags.HideBlockHolders;
    case CmShowOnlyCheckPilots:
        return &flags.OnlyCheckPilots;
    case CmShowOnlyLtc:
        return &flags.OnlyLtc;
    case CmShowOnlyBlockHolders:
        return &flags.OnlyBlockHolders;
    default:
        return nullptr;
    }
}

std::vector<int> DisplayOrder(const ScheduleDocument& doc, const DisplayFlags& f)
{
    const int rows = CrewRows(doc);
    std::vector<int> order;
    order.reserve(static_cast<size_t>(rows));
    const bool anyOnly = f.OnlyBlockHolders || f.OnlyCheckPilots || f.OnlyLtc;
    for (int i = 0; i < rows; ++i) {
        const TPilot& crew = doc.Crew[Ix(i)];
        bool drop = (f.HideBlockHolders && BlockHolder(crew)) ||
                    (f.HideCheckPilots && CheckPilot(crew)) ||
                    (f.HideCompleted && crew.CarryIn[CarryInEntry::BlockComplete] != 0) ||
                    (f.HideLeave && crew.AllMonthLeave != 0);
        if (!drop && anyOnly)
            drop = !((f.OnlyBlockHolders && BlockHolder(crew)) ||
                     (f.OnlyCheckPilots && CheckPilot(crew)) ||
                     (f.OnlyLtc && crew.CarryIn[CarryInEntry::Qualification] == kLtc));
        if (!drop && f.Search)
            drop = crew.Requests[TPilot::kRequests - 1] == 0;
        if (!drop)
            order.push_back(i);
    }
    return order;
}

int MarkSearchMatches(ScheduleDocument& doc, const std::string& text)
{
    const std::string needle = Upper(text);
    const int rows = CrewRows(doc);
    const int days = MonthDays(doc);
    int matches = 0;
    for (int i = 0; i < rows; ++i) {
        TPilot& crew = doc.Crew[Ix(i)];
        bool match = !needle.empty() && (Contains(crew.Name, needle) ||
                                         Contains(std::to_string(crew.EmpNumber), needle));
        for (int d = 0; !match && !needle.empty() && d < days; ++d)
            match = Contains(crew.DayCode[Ix(d)], needle);
        crew.Requests[TPilot::kRequests - 1] = match ? 1 : 0;
        matches += match ? 1 : 0;
    }
    return matches;
}

} // namespace tl::ui
