// Two-captain pairings: the two captains may not both be 60+ or both MED.
#include "rules/legality.h"

#include "model/schedule_document.h"
#include "rules/legality_rules.h"

#include <algorithm>

namespace tl {
using legality::U;

void CheckTwoCaptainPairs(ScheduleDocument& doc)
{
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    const int lastBase = std::min(doc.LastBasePair, ScheduleDocument::kPairCapacity - 1);
    const int lastPair = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    for (int c = 0; c < crewCount; ++c) {
        TPilot& captain = doc.Crew[U(c)];
        if (captain.EmpNumber == -1)
            continue;
        // A message of an earlier pass goes with a fresh check.
        if (captain.Illegalities.find("Both 60") != std::string::npos ||
            captain.Illegalities.find("Both MED") != std::string::npos)
            CheckLegality(doc, c);
        const int32_t mine = captain.CarryIn[9];
        if (mine == 0)
            continue;
        int kind = 0;
        for (int d = 0; d < days; ++d) {
            const int32_t copy = captain.DaySlot[U(d)];
            if (copy <= lastBase || copy > lastPair)
                continue;
            const int32_t number = doc.Pairs[U(copy)].PairNumber;
            int partner = -1;
            for (int q = 0; q <= lastBase; ++q) {
                if (doc.Pairs[U(q)].PairNumber != number)
                    continue;
                for (int h = 0; h < crewCount; ++h) {
                    if (doc.Crew[U(h)].DaySlot[U(d)] == q) {
                        partner = h;
                        break;
                    }
                }
            }
            if (partner < 0)
                continue;
            const int32_t theirs = doc.Crew[U(partner)].CarryIn[9];
            if (theirs < 1)
                continue;
            auto is60 = [](int32_t value) { return value == 1 || value == 3; };
            auto isMed = [](int32_t value) { return value == 2 || value == 3; };
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
