#include "rules/complement_copies.h"

#include "model/schedule_document.h"

#include <algorithm>
#include <set>
#include <utility>

namespace tl {

namespace {

size_t U(int i)
{
    return static_cast<size_t>(i);
}

// A copy repeats the whole record of its pairing; these tell apart two
// pairings that share a number.
bool SameTrip(const TPair& pair, const TPair& copy)
{
    return pair.PairNumber == copy.PairNumber && pair.PairKey == copy.PairKey &&
           pair.OnTime == copy.OnTime && pair.Tafb == copy.Tafb && pair.Credit == copy.Credit &&
           pair.Length == copy.Length;
}

} // namespace

std::vector<CopySource> CopySources(const ScheduleDocument& doc)
{
    // The last pairing of the month proper and the last copy, both within
    // the table.
    const int lastPair = std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1);
    const int lastBase = std::clamp(doc.LastBasePair, -1, lastPair);
    const int days =
        std::min(std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays), TPair::kDays);
    std::vector<CopySource> sources(U(lastPair - lastBase));
    for (size_t k = 0; k < sources.size(); ++k) {
        const TPair& copy = doc.Pairs[U(lastBase + 1) + k];
        int d = 0;
        while (d < days && copy.OpsCount[U(d)] == kNotOperating)
            ++d;
        if (d < days)
            sources[k].Day = d;
    }
    std::set<std::pair<int, int>> taken;
    for (const bool sameTrip : {true, false}) {
        for (size_t k = 0; k < sources.size(); ++k) {
            CopySource& source = sources[k];
            if (source.Day < 0 || source.Pairing >= 0)
                continue;
            const TPair& copy = doc.Pairs[U(lastBase + 1) + k];
            for (int i = 0; i <= lastBase; ++i) {
                const TPair& pair = doc.Pairs[U(i)];
                if (pair.PairNumber != copy.PairNumber ||
                    pair.OpsCount[U(source.Day)] == kNotOperating ||
                    (sameTrip && !SameTrip(pair, copy)) || !taken.insert({i, source.Day}).second)
                    continue;
                source.Pairing = i;
                break;
            }
        }
    }
    return sources;
}

} // namespace tl
