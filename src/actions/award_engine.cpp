#include "actions/award_engine.h"

#include "actions/bid_guess.h"
#include "actions/pairing_filters.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "rules/assignment.h"
#include "rules/block_build.h"
#include "rules/history.h"
#include "rules/legality.h"
#include "rules/who_is_legal.h"

#include <algorithm>
#include <limits>

namespace tl {

namespace {

size_t U(int i)
{
    return static_cast<size_t>(i);
}

bool OpenOps(int32_t ops)
{
    return ops == kOpsOpen || ops == kOpsOpenFlagged;
}

bool AssignedOps(int32_t ops)
{
    return ops == kOpsAssigned || ops == kOpsAssignedFlagged;
}

int MonthDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

int LastPairIndex(const ScheduleDocument& doc)
{
    return std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
}

// Day requests of the toolbox, GDO/PDO and SET DAY OFF REQ, as the day
// balance counts them.
bool RequestedOff(const TPilot& crew, int slot)
{
    const int8_t flag = crew.DayFlag[U(slot)];
    return flag >= 1 && flag <= 51;
}

} // namespace

Answer AwardAnswers::Ask(std::string_view, std::string_view, Buttons buttons, Icon)
{
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return m_yes ? Answer::Yes : Answer::No;
}

bool AwardEligible(const TPilot& crew)
{
    return crew.EmpNumber != -1 && crew.BidReserveOrLoa == 0 && crew.AllMonthLeave == 0;
}

CrewBid ReadCrewBid(const ScheduleDocument& doc, const TPilot& crew, std::string_view bidText)
{
    CrewBid bid;
    const int days = MonthDays(doc);
    for (int s = 0; s < days; ++s)
        bid.DayOff[U(s)] = RequestedOff(crew, s);
    const bool prefixed = doc.LastPair >= 1 && !doc.Pairs[0].PairKey.empty();
    const std::string prefix = prefixed ? doc.Pairs[0].PairKey.substr(0, 1) : std::string();
    std::vector<int32_t> named;
    const BidRequests requests = GuessTheBid(doc, bidText);
    for (size_t g = 0; g < requests.size(); ++g) {
        for (int32_t day : requests[g].Days) {
            const int slot = day == 0 ? -1 : SlotOfMonthDay(doc, day);
            if (slot < 0 || slot >= days)
                continue;
            bid.DayOff[U(slot)] = true;
            bid.Items.push_back({Format("OFF %d", day), int(g) + 1, 0, slot});
        }
        for (int32_t number : requests[g].Pairings) {
            if (number == 0)
                continue;
            named.push_back(number);
            bid.Items.push_back({prefix + Format("%04d", number), int(g) + 1, number, -1});
        }
    }
    // The stored filter's pairings the preference lines do not name rank last.
    for (int32_t number : ParseStoredFilter(crew.FilterText).Numbers) {
        if (number <= 0 || std::find(named.begin(), named.end(), number) != named.end())
            continue;
        named.push_back(number);
        bid.Items.push_back({prefix + Format("%04d", number), 9, number, -1});
    }
    return bid;
}

std::map<int32_t, int> BidRanks(const CrewBid& bid)
{
    std::map<int32_t, int> ranks;
    for (const BidItem& item : bid.Items)
        if (item.Number != 0)
            ranks.emplace(item.Number, item.Preference);
    return ranks;
}

AwardEngine::AwardEngine(ScheduleDocument& doc, const AwardOptions& options, Interaction& ui,
                         int draftCrew, std::string_view draftBid)
    : m_doc(doc), m_options(options), m_answers(ui, options.AcceptQuestions), m_days(MonthDays(doc))
{
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    m_bids.resize(U(crewCount));
    m_available.resize(U(crewCount));
    m_pool.assign(U(m_days), 0);
    for (int c = 0; c < crewCount; ++c) {
        const TPilot& member = doc.Crew[U(c)];
        m_bids[U(c)] =
            ReadCrewBid(doc, member, c == draftCrew ? draftBid : std::string_view(member.BidText));
        if (!AwardEligible(member))
            continue;
        m_available[U(c)] = Available(c);
        for (int d = 0; d < m_days; ++d)
            m_pool[U(d)] += m_available[U(c)][U(d)] ? 1 : 0;
    }
    const int last = LastPairIndex(doc);
    for (int p = 0; p <= last; ++p) {
        m_byNumber[doc.Pairs[U(p)].PairNumber].push_back(p);
        for (int d = 0; d < m_days; ++d)
            if (OpenOps(doc.Pairs[U(p)].OpsCount[U(d)]))
                m_openOrder.push_back({p, d});
    }
    // Higher credit first, then the earlier report; indices settle the rest.
    auto key = [&](const Candidate& c) {
        const TPair& pair = doc.Pairs[U(c.Pairing)];
        return std::make_tuple(-int64_t(pair.Credit), int64_t(c.Day) * kMinutesPerDay + pair.OnTime,
                               c.Pairing, c.Day);
    };
    std::stable_sort(m_openOrder.begin(), m_openOrder.end(),
                     [&](const Candidate& a, const Candidate& b) { return key(a) < key(b); });
    CountOpen();
}

void AwardEngine::CountOpen()
{
    m_open.assign(U(m_days), 0);
    for (const Candidate& c : m_openOrder)
        if (IsOpen(c))
            for (int d = c.Day; d < EndDay(c); ++d)
                ++m_open[U(d)];
}

int AwardEngine::EndDay(const Candidate& c) const
{
    return std::min(c.Day + std::max<int>(m_doc.Pairs[U(c.Pairing)].Length, 1), m_days);
}

bool AwardEngine::IsOpen(const Candidate& c) const
{
    return OpenOps(m_doc.Pairs[U(c.Pairing)].OpsCount[U(c.Day)]);
}

std::vector<bool> AwardEngine::Occupied(int crew) const
{
    const TPilot& member = m_doc.Crew[U(crew)];
    std::vector<bool> taken(U(m_days), false);
    const int last = LastPairIndex(m_doc);
    for (int s = 0; s < TPilot::kSlots; ++s) {
        const int32_t value = member.DaySlot[U(s)];
        if (value == kOtherSlot && s < m_days)
            taken[U(s)] = true;
        if (value < 0 || value > last)
            continue;
        const int length = std::max<int>(m_doc.Pairs[U(value)].Length, 1);
        for (int d = s; d < s + length && d < m_days; ++d)
            taken[U(d)] = true;
    }
    return taken;
}

std::vector<bool> AwardEngine::Available(int crew) const
{
    const TPilot& member = m_doc.Crew[U(crew)];
    std::vector<bool> free = Occupied(crew);
    // A legal check-in from 14:01 on leaves no usable duty that day.
    const int32_t checkIn = std::max(member.CarryIn[CarryInEntry::LegalAt], 0);
    const int first = checkIn / kMinutesPerDay + (checkIn % kMinutesPerDay >= 14 * 60 + 1 ? 1 : 0);
    for (int d = 0; d < m_days; ++d)
        free[U(d)] = !free[U(d)] && !m_bids[U(crew)].DayOff[U(d)] && d >= first;
    return free;
}

std::string AwardEngine::Label(int pairing) const
{
    const TPair& pair = m_doc.Pairs[U(pairing)];
    return (pair.PairKey.empty() ? std::string() : pair.PairKey.substr(0, 1)) +
           Format("%04d", pair.PairNumber);
}

// Days on which the crew member is the last one the pool can spare: open
// pairing days equal the crew left, so its not flying that day leaves one
// uncovered. Days short already cannot be broken by it.
std::vector<int> AwardEngine::CriticalDays(int crew, const std::vector<bool>& occupied) const
{
    std::vector<int> days;
    if (!m_options.CoverageCheck || m_available[U(crew)].empty())
        return days;
    for (int d = 0; d < m_days; ++d)
        if (m_available[U(crew)][U(d)] && !occupied[U(d)] && !m_skip[U(d)] && m_open[U(d)] > 0 &&
            m_open[U(d)] == m_pool[U(d)])
            days.push_back(d);
    return days;
}

std::optional<AwardEngine::Denial>
AwardEngine::CoverageDenial(int crew, const Candidate& c, const std::vector<bool>& occupied) const
{
    const std::vector<int> critical = CriticalDays(crew, occupied);
    if (critical.empty())
        return std::nullopt;
    const TPilot& member = m_doc.Crew[U(crew)];
    const CreditLimits limits = CreditLimitsOf(m_doc, member);
    int64_t left =
        int64_t(limits.Max) - StoredBlockCredit(member) - m_doc.Pairs[U(c.Pairing)].Credit;
    const int end = EndDay(c);
    for (int d : critical) {
        if (d >= c.Day && d < end)
            continue;
        if (m_cheapest[U(d)] == std::numeric_limits<int64_t>::max())
            continue;
        left -= m_cheapest[U(d)];
        if (left < 0)
            return Denial{AwardResult::NeededForCoverage,
                          Format("day %d", m_doc.DayDate[U(d)].Day)};
    }
    return std::nullopt;
}

std::optional<AwardEngine::Denial> AwardEngine::Grant(int crew, const Candidate& c,
                                                      std::vector<bool>& occupied)
{
    TPilot& member = m_doc.Crew[U(crew)];
    const TPair& pair = m_doc.Pairs[U(c.Pairing)];
    const int32_t ops = pair.OpsCount[U(c.Day)];
    if (ops == kNotOperating)
        return Denial{AwardResult::NotOperating,
                      Format("not operating on day %d", m_doc.DayDate[U(c.Day)].Day)};
    const int end = EndDay(c);
    for (int d = c.Day; d < end; ++d)
        if (m_bids[U(crew)].DayOff[U(d)])
            return Denial{AwardResult::DayOffRequested,
                          Format("day %d requested off", m_doc.DayDate[U(d)].Day)};
    if (AssignedOps(ops)) {
        const int crewCount = std::clamp(m_doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
        for (int h = 0; h < crewCount; ++h)
            if (m_doc.Crew[U(h)].DaySlot[U(c.Day)] == c.Pairing)
                return Denial{AwardResult::HeldBySenior,
                              Format("held by %03d ", h + 1) + m_doc.Crew[U(h)].Name +
                                  (h > crew ? " (assigned before the award)" : "")};
        return Denial{AwardResult::HeldBySenior, "held by an open line"};
    }
    for (int d = c.Day; d < end; ++d)
        if (occupied[U(d)])
            return Denial{AwardResult::NotLegal,
                          Format("day %d already taken", m_doc.DayDate[U(d)].Day)};
    const CreditLimits limits = CreditLimitsOf(m_doc, member);
    const int64_t credit = int64_t(StoredBlockCredit(member)) + pair.Credit;
    if (credit > limits.Max)
        return Denial{AwardResult::OverMaximumCredit,
                      "block would reach " + FormatHoursMinutes(int32_t(credit), false) +
                          ", maximum " + FormatHoursMinutes(limits.Max, false)};
    std::string why;
    const CanAssignResult legal = CanAssign(m_doc, crew, c.Pairing, c.Day, m_scratch, &why);
    if (legal == CanAssignResult::CannotAssign ||
        (legal == CanAssignResult::AddsIllegalDays && !m_options.AllowExceptions))
        return Denial{AwardResult::NotLegal, why.empty() ? std::string("illegal days") : why};
    if (auto coverage = CoverageDenial(crew, c, occupied))
        return coverage;
    bool answeredNo = false;
    const AssignResult done =
        AssignPair(m_doc, m_answers, crew, c.Pairing, c.Day, m_options.NoRestCheck, answeredNo);
    if (done != AssignResult::Done)
        return Denial{AwardResult::NotLegal, answeredNo ? std::string("short rest")
                                                        : std::string(AssignResultMessage(done))};
    for (int d = c.Day; d < end; ++d) {
        occupied[U(d)] = true;
        --m_open[U(d)];
    }
    return std::nullopt;
}

AwardEngine::Outcome AwardEngine::AwardCrew(int crew, bool complete)
{
    Outcome outcome;
    TPilot& member = m_doc.Crew[U(crew)];
    if (!AwardEligible(member)) {
        if (member.EmpNumber != -1)
            outcome.Rows.push_back(
                {crew, "Block", 0,
                 member.AllMonthLeave != 0 ? AwardResult::OnLeave : AwardResult::Reserve,
                 member.AllMonthLeave != 0 ? "on leave for the month"
                                           : "bids reserve or is on leave"});
        return outcome;
    }
    BlockCredit(m_doc, crew, false, m_answers);
    std::vector<bool> occupied = Occupied(crew);
    m_skip.assign(U(m_days), false);
    // The least credit per day an open pairing flying each day brings: what
    // covering that day costs at least.
    m_cheapest.assign(U(m_days), std::numeric_limits<int64_t>::max());
    if (!CriticalDays(crew, occupied).empty())
        for (const Candidate& o : m_openOrder)
            if (IsOpen(o))
                for (int d = o.Day; d < EndDay(o); ++d)
                    m_cheapest[U(d)] = std::min<int64_t>(m_cheapest[U(d)],
                                                         m_doc.Pairs[U(o.Pairing)].CreditPerDay());
    const CrewBid& bid = m_bids[U(crew)];

    // Pairing items grouped by preference, each group best first. Those held
    // back for coverage are tried again should the coverage fail.
    std::vector<std::pair<Candidate, size_t>> heldBack;
    std::map<size_t, size_t> rowOf;
    const int groups = 9;
    for (int g = 1; g <= groups; ++g) {
        struct Try {
            Candidate c;
            size_t item;
        };
        std::vector<Try> tries;
        for (size_t i = 0; i < bid.Items.size(); ++i) {
            const BidItem& item = bid.Items[i];
            if (item.Preference != g || item.Number == 0)
                continue;
            const auto found = m_byNumber.find(item.Number);
            if (found == m_byNumber.end())
                continue;
            for (int p : found->second)
                for (int d = 0; d < m_days; ++d)
                    if (m_doc.Pairs[U(p)].OpsCount[U(d)] != kNotOperating)
                        tries.push_back({{p, d}, i});
        }
        auto key = [&](const Try& t) {
            const TPair& pair = m_doc.Pairs[U(t.c.Pairing)];
            return std::make_tuple(-int64_t(pair.Credit),
                                   int64_t(t.c.Day) * kMinutesPerDay + pair.OnTime, t.c.Pairing,
                                   t.c.Day);
        };
        std::stable_sort(tries.begin(), tries.end(),
                         [&](const Try& a, const Try& b) { return key(a) < key(b); });
        struct ItemResult {
            bool granted = false;
            std::optional<Denial> first;
        };
        std::map<size_t, ItemResult> results;
        for (const Try& t : tries) {
            ItemResult& result = results[t.item];
            std::optional<Denial> denial;
            if (m_doc.Crew[U(crew)].DaySlot[U(t.c.Day)] != t.c.Pairing) { // held already
                denial = Grant(crew, t.c, occupied);
                if (!denial)
                    ++outcome.Granted;
            }
            if (denial && denial->Result == AwardResult::NeededForCoverage)
                heldBack.emplace_back(t.c, t.item);
            if (!denial)
                result.granted = true;
            else if (!result.first)
                result.first = std::move(denial);
        }
        for (size_t i = 0; i < bid.Items.size(); ++i) {
            const BidItem& item = bid.Items[i];
            if (item.Preference != g)
                continue;
            AwardRow row{crew, item.Label, g, AwardResult::Awarded, {}};
            if (item.Number == 0) {
                if (occupied[U(item.Slot)])
                    row = {crew, item.Label, g, AwardResult::NotLegal,
                           Format("day %d already taken", m_doc.DayDate[U(item.Slot)].Day)};
            } else if (!results.count(i)) {
                row.Result = AwardResult::NotOperating;
                row.Cause = "no operating day this month";
            } else if (!results[i].granted && results[i].first) {
                row.Result = results[i].first->Result;
                row.Cause = results[i].first->Cause;
            }
            rowOf[i] = outcome.Rows.size();
            outcome.Rows.push_back(std::move(row));
        }
    }
    if (!complete)
        return outcome;

    // The days only this crew member can still cover, then the minimum credit.
    std::string added;
    auto place = [&](const Candidate& c, const char* why) {
        if (Grant(crew, c, occupied))
            return false;
        ++outcome.Granted;
        added += (added.empty() ? "" : ", ") + std::string(why) + Label(c.Pairing) +
                 Format(" on %d", m_doc.DayDate[U(c.Day)].Day);
        return true;
    };
    bool uncovered = false;
    for (int d : CriticalDays(crew, occupied)) {
        if (occupied[U(d)] || m_open[U(d)] != m_pool[U(d)])
            continue;
        for (const Candidate& c : m_openOrder)
            if (c.Day <= d && d < EndDay(c) && IsOpen(c) && place(c, "coverage "))
                break;
        // Nothing this crew member can fly covers it: no room is kept for it.
        if (!occupied[U(d)])
            uncovered = m_skip[U(d)] = true;
    }
    for (const auto& [c, item] : uncovered ? heldBack : decltype(heldBack){}) {
        if (Grant(crew, c, occupied))
            continue;
        ++outcome.Granted;
        AwardRow& row = outcome.Rows[rowOf[item]];
        row.Result = AwardResult::Awarded;
        row.Cause.clear();
    }
    const CreditLimits limits = CreditLimitsOf(m_doc, member);
    if (m_options.FallbackLine && StoredBlockCredit(member) < limits.Min) {
        for (const Candidate& c : m_openOrder) {
            if (StoredBlockCredit(member) >= limits.Min)
                break;
            if (!IsOpen(c) || occupied[U(c.Day)] || m_bids[U(crew)].DayOff[U(c.Day)] ||
                StoredBlockCredit(member) + m_doc.Pairs[U(c.Pairing)].Credit > limits.Max)
                continue;
            place(c, "");
        }
    }
    const int32_t credit = StoredBlockCredit(member);
    if (!added.empty() || credit < limits.Min) {
        std::string cause = added.empty() ? std::string("nothing fits") : "added " + added;
        cause += "; block " + FormatHoursMinutes(credit, false) + ", minimum " +
                 FormatHoursMinutes(limits.Min, false);
        outcome.Rows.push_back({crew, "Fallback", 0, AwardResult::FallbackLine, cause});
    }
    return outcome;
}

AwardEngine::Outcome AwardEngine::TryCrew(int crew)
{
    const TPilot before = m_doc.Crew[U(crew)];
    const std::string warnings = m_doc.Crew[U(crew)].Warnings;
    const THistory history = m_doc.History;
    const std::vector<int> open = m_open;
    const auto cut = m_doc.BlockHolderCut;
    Outcome outcome = AwardCrew(crew, true);
    if (outcome.Granted > 0) {
        TPilot& member = m_doc.Crew[U(crew)];
        for (int s = 0; s < m_days; ++s) {
            const int32_t p = member.DaySlot[U(s)];
            if (p >= 0 && p != before.DaySlot[U(s)]) {
                int32_t& ops = m_doc.Pairs[U(p)].OpsCount[U(s)];
                ops = ops < 0 ? kOpsOpenFlagged : kOpsOpen;
            }
        }
        member = before;
        member.Warnings = warnings;
        m_doc.History = history;
        m_open = open;
        ComputeBlockHolderCut(m_doc);
        if (m_doc.CrewKind == kCaptains)
            CheckTwoCaptainPairs(m_doc);
    }
    m_doc.BlockHolderCut = cut;
    return outcome;
}

void AwardEngine::Leave(int crew)
{
    if (m_available[U(crew)].empty())
        return;
    for (int d = 0; d < m_days; ++d)
        m_pool[U(d)] -= m_available[U(crew)][U(d)] ? 1 : 0;
    m_available[U(crew)].clear();
}

} // namespace tl
