// One assignment and its undo on a full month: 1000 captains with full
// blocks, 3000 pairings operating on a few days each, second-captain copies
// among them. The month is built here, as the legality benchmark's is, with
// the operation counts agreeing with the blocks.
#include "bench_month.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/assignment.h"
#include "rules/block_build.h"
#include "rules/history.h"
#include "rules/legality.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

using tl::ScheduleDocument;

constexpr int kCrew = 1000;
constexpr int kPairings = 3000;
constexpr int kCopies = 100;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

struct Candidate {
    int crew, pairing, day;
};

struct AssignMonth {
    std::unique_ptr<ScheduleDocument> doc = std::make_unique<ScheduleDocument>();
    std::vector<Candidate> candidates; // assignments that go through without a question
};

AssignMonth MakeMonth()
{
    AssignMonth month;
    ScheduleDocument& doc = *month.doc;
    tl::SilentInteraction ui;
    (void)doc.SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
    tl::SetupDaylightSaving(doc);
    doc.CrewKind = tl::kCaptains;
    doc.MonthRules[tl::MonthRule::AvgCredit] = 4800;
    doc.MonthRules[tl::MonthRule::MaxCredit] = 5400;
    doc.MonthRules[tl::MonthRule::MinCredit] = 4200;
    doc.MonthRules[tl::MonthRule::CheckPilotMaxCredit] = 5400;
    std::mt19937 rng(2027);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    doc.LastPair = kPairings - 1;
    doc.LastBasePair = kPairings - kCopies - 1;
    std::vector<std::vector<int>> operating(U(doc.DaysInMonth));
    for (int p = 0; p < kPairings; ++p) {
        tl::TPair& pair = doc.Pairs[U(p)];
        if (p > doc.LastBasePair) {
            pair = doc.Pairs[U(p - doc.LastBasePair - 1)];
            for (int32_t& ops : pair.OpsCount)
                ops = -ops;
            continue;
        }
        tl::bench::FillRandomPairing(pair, p, rng);
        pair.PairText = p % 50 == 0 ? "YYZ YTZ YYZ" : "YYZ YUL YYZ";
        for (int n = 0; n < 5; ++n) {
            const int d = pick(0, doc.DaysInMonth - 1);
            if (pair.OpsCount[U(d)] == tl::kNotOperating)
                operating[U(d)].push_back(p);
            pair.OpsCount[U(d)] = tl::kOpsOpen;
        }
    }

    doc.CrewCount = kCrew;
    for (int c = 0; c < kCrew; ++c) {
        tl::TPilot& crew = doc.Crew[U(c)];
        crew.EmpNumber = 100000 + c;
        crew.Name = "CAPTAIN " + std::to_string(c + 1);
        crew.CarryIn[tl::CarryInEntry::Flags] = c % 7 == 0 ? pick(1, 3) : 0;
        crew.CarryIn[tl::CarryInEntry::NoYtz] = c % 11 == 0 ? 1 : 0;
        int32_t legal = 0;
        for (int d = 0; d < doc.DaysInMonth;) {
            if (pick(0, 9) == 0) {
                crew.DaySlot[U(d)] = tl::kOtherSlot;
                crew.DayCode[U(d)] = "VAC";
                crew.DayOther[U(d)][tl::OtherValue::Credit] = 240;
                ++d;
                continue;
            }
            const std::vector<int>& today = operating[U(d)];
            const int p = today.empty() ? -1 : today[U(pick(0, int(today.size()) - 1))];
            if (p < 0 || doc.Pairs[U(p)].OpsCount[U(d)] != tl::kOpsOpen ||
                d * 1440 + doc.Pairs[U(p)].OnTime < legal) {
                ++d;
                continue;
            }
            tl::TPair& pair = doc.Pairs[U(p)];
            crew.DaySlot[U(d)] = p;
            pair.OpsCount[U(d)] = tl::kOpsAssigned;
            legal = d * 1440 + pair.OnTime + pair.Tafb + 720;
            d += pair.Length + pick(1, 3);
        }
    }
    tl::CheckAllLegality(doc);
    for (int c = 0; c < kCrew; ++c)
        tl::BlockCredit(doc, c, false, ui);
    tl::ComputeBlockHolderCut(doc);

    // Open pairing days, each tried on a few crew members: the ones that go
    // through without a question are what the benchmark assigns.
    for (int p = 0; p <= doc.LastPair && month.candidates.size() < 200; p += 7) {
        for (int d = 0; d < doc.DaysInMonth; ++d) {
            const int32_t ops = doc.Pairs[U(p)].OpsCount[U(d)];
            if (ops != 1 && ops != -1)
                continue;
            for (int n = 0; n < 20; ++n) {
                const int c = pick(0, kCrew - 1);
                if (tl::AssignPair(doc, ui, c, p, d, false) == tl::AssignResult::Done) {
                    if (tl::Undo(doc, ui) == tl::UndoResult::Undone)
                        month.candidates.push_back({c, p, d});
                    break;
                }
            }
        }
    }
    tl::ClearHistory(doc);
    return month;
}

// Who Is Legal's Assign on a full month, with every refresh it makes, then
// the undo that takes it back.
void BM_AssignPair_1000Crew(benchmark::State& state)
{
    static AssignMonth month = MakeMonth();
    ScheduleDocument& doc = *month.doc;
    tl::SilentInteraction ui;
    size_t next = 0;
    for (auto _ : state) {
        const Candidate& c = month.candidates[next++ % month.candidates.size()];
        if (tl::AssignPair(doc, ui, c.crew, c.pairing, c.day, false) != tl::AssignResult::Done) {
            state.SkipWithError("a candidate assignment was refused");
            break;
        }
        if (tl::Undo(doc, ui) != tl::UndoResult::Undone) {
            state.SkipWithError("an assignment could not be undone");
            break;
        }
    }
    state.counters["candidates"] = static_cast<double>(month.candidates.size());
}
BENCHMARK(BM_AssignPair_1000Crew)->Unit(benchmark::kMillisecond);

} // namespace
