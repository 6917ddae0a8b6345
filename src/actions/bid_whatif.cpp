#include "actions/bid_whatif.h"

#include "actions/award_engine.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "rules/history.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

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
        // The trial is run again only where the pairing days the draft asks
        // for changed hands, and at the crew member's own position; between
        // them the coverage of other days is taken to stay as it was.
        std::vector<std::pair<int, int>> asked; // pairing, day
        for (const BidItem& item : engine.Bid(crew).Items)
            for (int p = 0; p <= std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1); ++p)
                if (item.Number != 0 && doc.Pairs[size_t(p)].PairNumber == item.Number)
                    for (int d = 0; d < std::clamp(doc.DaysInMonth, 0, 31); ++d)
                        if (doc.Pairs[size_t(p)].OpsCount[size_t(d)] != kNotOperating)
                            asked.emplace_back(p, d);
        auto openAsked = [&] {
            std::vector<bool> open;
            for (const auto& [p, d] : asked)
                open.push_back(std::abs(doc.Pairs[size_t(p)].OpsCount[size_t(d)]) == kOpsOpen);
            return open;
        };
        std::vector<bool> lastOpen;
        AwardEngine::Outcome trial;
        int position = 0; // crew members awarded ahead of the draft
        for (int next = 0; next <= crewCount; ++next) {
            if (next == crew)
                continue;
            std::vector<bool> open = openAsked();
            if (position == 0 || position == crew || open != lastOpen)
                trial = engine.TryCrew(crew);
            lastOpen = std::move(open);
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
