#include "actions/seniority_audit.h"

#include "actions/award_engine.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "rules/assignment.h"
#include "rules/block_build.h"
#include "rules/who_is_legal.h"

#include <algorithm>
#include <map>

namespace tl {

namespace {

constexpr int kUnranked = 10;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

} // namespace

std::vector<SeniorityInversion> AuditSeniority(ScheduleDocument& doc)
{
    std::vector<SeniorityInversion> found;
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    std::vector<CrewBid> bids(U(crewCount));
    std::vector<std::map<int32_t, int>> ranks(U(crewCount));
    std::map<int32_t, std::vector<int>> bidders; // pairing number -> crew, roster order
    for (int c = 0; c < crewCount; ++c) {
        const TPilot& member = doc.Crew[U(c)];
        bids[U(c)] = ReadCrewBid(doc, member, member.BidText);
        ranks[U(c)] = BidRanks(bids[U(c)]);
        if (AwardEligible(member))
            for (const auto& [number, rank] : ranks[U(c)])
                bidders[number].push_back(c);
    }
    // Days each crew member flies or has something on.
    std::vector<std::vector<bool>> busy(U(crewCount), std::vector<bool>(U(days), false));
    for (int c = 0; c < crewCount; ++c)
        for (int s = 0; s < TPilot::kSlots; ++s) {
            const int32_t v = doc.Crew[U(c)].DaySlot[U(s)];
            const int length = v >= 0 && v <= last ? std::max<int>(doc.Pairs[U(v)].Length, 1)
                               : v == kOtherSlot   ? 1
                                                   : 0;
            for (int d = s; d < s + length && d < days; ++d)
                busy[U(c)][U(d)] = true;
        }
    TPilot scratch;
    for (int j = 0; j < crewCount; ++j) {
        const TPilot& junior = doc.Crew[U(j)];
        if (junior.EmpNumber == -1)
            continue;
        for (int s = 0; s < days; ++s) {
            const int32_t p = junior.DaySlot[U(s)];
            if (p < 0 || p > last)
                continue;
            const TPair& pair = doc.Pairs[U(p)];
            const auto list = bidders.find(pair.PairNumber);
            if (list == bidders.end())
                continue;
            const auto own = ranks[U(j)].find(pair.PairNumber);
            const int juniorRank = own == ranks[U(j)].end() ? kUnranked : own->second;
            const int end = std::min(s + std::max<int>(pair.Length, 1), days);
            for (int senior : list->second) {
                if (senior >= j)
                    break;
                const int rank = ranks[U(senior)].at(pair.PairNumber);
                if (rank >= juniorRank)
                    continue;
                bool free = true;
                for (int d = s; d < end && free; ++d)
                    free = !busy[U(senior)][U(d)] && !bids[U(senior)].DayOff[U(d)];
                const TPilot& member = doc.Crew[U(senior)];
                if (!free || int64_t(StoredBlockCredit(member)) + pair.Credit >
                                 CreditLimitsOf(doc, member).Max)
                    continue;
                // As the award places pairings: no short rest to confirm.
                if (!RestIsClear(doc, senior, p, s) ||
                    CanAssign(doc, senior, p, s, scratch) != CanAssignResult::Legal)
                    continue;
                found.push_back({j, senior, p, s, rank, juniorRank});
            }
        }
    }
    return found;
}

std::string SeniorityAuditText(const ScheduleDocument& doc,
                               const std::vector<SeniorityInversion>& found)
{
    if (found.empty())
        return "No seniority inversion\n";
    std::string text;
    for (const SeniorityInversion& f : found) {
        const TPair& pair = doc.Pairs[U(f.Pairing)];
        text += Format("%03d ", f.Junior + 1) + doc.Crew[U(f.Junior)].Name +
                Format(" holds %04d on day %d", pair.PairNumber, doc.DayDate[U(f.Day)].Day) +
                (f.JuniorRank == kUnranked ? std::string(" (not bid)")
                                           : Format(" (preference %d)", f.JuniorRank)) +
                Format("; %03d ", f.Senior + 1) + doc.Crew[U(f.Senior)].Name +
                Format(" ranked it %d and could hold it\n", f.SeniorRank);
    }
    return text;
}

} // namespace tl
