#include "actions/bid_whatif.h"

#include "actions/award_engine.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "rules/history.h"

#include <algorithm>

namespace tl {

std::vector<WhatIfItem> WhatIf(ScheduleDocument& doc, int crew, std::string_view draftBid,
                               const AwardOptions& options, Interaction& ui)
{
    std::vector<WhatIfItem> items;
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    if (crew < 0 || crew >= crewCount || !doc.GridOn)
        return items;
    const std::shared_ptr<MonthSnapshot> before = TakeSnapshot(doc);
    const bool modified = doc.Modified;
    DocumentEvents* listener = doc.Listener;
    doc.Listener = nullptr;
    {
        TProgressDialog progress(ui, "What If", crewCount);
        AwardEngine engine(doc, options, ui, crew, draftBid);
        int position = 0; // crew members awarded ahead of the draft
        for (int next = 0; next <= crewCount; ++next) {
            if (next == crew)
                continue;
            const AwardEngine::Outcome trial = engine.TryCrew(crew);
            if (items.empty())
                for (const AwardRow& row : trial.Rows)
                    items.push_back({row.Item, row.Preference, row.Result, row.Cause, 0});
            bool any = false;
            for (size_t i = 0; i < trial.Rows.size() && i < items.size(); ++i) {
                const bool granted = trial.Rows[i].Result == AwardResult::Awarded;
                any = any || granted;
                if (granted)
                    items[i].LowestPosition = position + 1;
                if (position == crew) {
                    items[i].Result = trial.Rows[i].Result;
                    items[i].Cause = trial.Rows[i].Cause;
                }
            }
            if ((!any && position >= crew) || next == crewCount)
                break;
            engine.AwardCrew(next, true);
            engine.Leave(next);
            ++position;
            progress.SetValue(position);
        }
    }
    RestoreSnapshot(doc, *before, ui);
    doc.Modified = modified;
    doc.Listener = listener;
    return items;
}

std::string WhatIfText(const std::vector<WhatIfItem>& items)
{
    std::string text;
    for (const WhatIfItem& item : items) {
        text += item.Item + ": " + AwardResultText(item.Result);
        if (!item.Cause.empty())
            text += " - " + item.Cause;
        text += item.LowestPosition > 0
                    ? Format("; granted down to position %d\n", item.LowestPosition)
                    : std::string("; granted at no position\n");
    }
    return text;
}

} // namespace tl
