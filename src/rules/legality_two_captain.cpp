// Two-captain pairings: the two captains may not both be 60+ or both MED.
#include "rules/legality.h"

#include "model/schedule_document.h"
#include "rules/complement_copies.h"
#include "rules/legality_rules.h"

#include <algorithm>

namespace tl {
using legality::U;

void CheckTwoCaptainPairs(ScheduleDocument& doc)
{
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    // The ranges CopySources works in, so a copy's index finds its source.
    const int lastPair = std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1);
    const int lastBase = std::clamp(doc.LastBasePair, -1, lastPair);
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    const std::vector<CopySource> sources = CopySources(doc);
    for (int c = 0; c < crewCount; ++c) {
        TPilot& captain = doc.Crew[U(c)];
        if (captain.EmpNumber == -1)
            continue;
        // A message of an earlier pass goes with a fresh check.
        if (captain.Illegalities.find("Both 60") != std::string::npos ||
            captain.Illegalities.find("Both MED") != std::string::npos)
            CheckLegality(doc, c);
        const int32_t mine = captain.CarryIn[CarryInEntry::Flags];
        if (mine == 0)
            continue;
        int kind = 0;
        for (int d = 0; d < days; ++d) {
            const int32_t copy = captain.DaySlot[U(d)];
            if (copy <= lastBase || copy > lastPair)
                continue;
            // The other captain is the one holding the pairing this copy was
            // made from, not any pairing of its number.
            const int source = sources[U(copy - lastBase - 1)].Pairing;
            int partner = -1;
            for (int h = 0; source >= 0 && h < crewCount && partner < 0; ++h)
                if (doc.Crew[U(h)].DaySlot[U(d)] == source)
                    partner = h;
            if (partner < 0)
                continue;
            const int32_t theirs = doc.Crew[U(partner)].CarryIn[CarryInEntry::Flags];
            if (theirs < 1)
                continue;
            auto is60 = [](int32_t value) {
                return value == kSixtyPlus || value == kSixtyPlusAndMed;
            };
            auto isMed = [](int32_t value) { return value == kMed || value == kSixtyPlusAndMed; };
            if (is60(mine) && is60(theirs))
                kind = 1;
            if (isMed(mine) && isMed(theirs))
                kind = 2;
        }
        if (kind == 1)
            captain.Illegalities += " Both 60 on 2 Capt Pair ";
        else if (kind == 2)
            captain.Illegalities += " Both MED on 2 Capt Pair ";
    }
}

} // namespace tl
