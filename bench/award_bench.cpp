// The bid award and the seniority audit on a generated month: 1000 captains
// with empty blocks but for some vacation, 3000 open pairings operating on
// two days each, and a bid for every crew member.
#include "actions/bid_award.h"
#include "actions/seniority_audit.h"
#include "bench_month.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "rules/history.h"
#include "rules/legality.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using tl::ScheduleDocument;

constexpr int kCrew = 1000;
constexpr int kPairings = 3000;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

std::unique_ptr<ScheduleDocument> MakeBidMonth()
{
    auto doc = std::make_unique<ScheduleDocument>();
    tl::SilentInteraction ui;
    (void)doc->SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
    tl::SetupDaylightSaving(*doc);
    doc->CrewKind = tl::kCaptains;
    doc->MonthRules[tl::MonthRule::AvgCredit] = 4500;
    doc->MonthRules[tl::MonthRule::MaxCredit] = 5100;
    doc->MonthRules[tl::MonthRule::MinCredit] = 3900;
    doc->MonthRules[tl::MonthRule::CheckPilotMaxCredit] = 5400;
    std::mt19937 rng(2027);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    doc->LastPair = kPairings - 1;
    doc->LastBasePair = kPairings - 1;
    for (int p = 0; p < kPairings; ++p) {
        tl::TPair& pair = doc->Pairs[U(p)];
        tl::bench::FillRandomPairing(pair, p, rng);
        pair.PairText = "YYZ YUL YYZ";
        for (int n = 0; n < 2; ++n)
            pair.OpsCount[U(pick(0, doc->DaysInMonth - 1))] = tl::kOpsOpen;
    }
    doc->CrewCount = kCrew;
    for (int c = 0; c < kCrew; ++c) {
        tl::TPilot& crew = doc->Crew[U(c)];
        crew.EmpNumber = 100000 + c;
        crew.Name = "CAPTAIN " + std::to_string(c + 1);
        crew.BidReserveOrLoa = c % 40 == 39 ? 1 : 0;
        if (c % 5 == 0) {
            const int from = pick(0, doc->DaysInMonth - 7);
            for (int d = from; d < from + 7; ++d) {
                crew.DaySlot[U(d)] = tl::kOtherSlot;
                crew.DayCode[U(d)] = "VAC";
                crew.DayOther[U(d)][tl::OtherValue::Credit] = 240;
            }
        }
        std::string bid;
        for (int g = 1; g <= 4; ++g) {
            bid += tl::Format("(%d). ", g);
            if (g == 2) {
                const int off = pick(1, 27);
                bid += tl::Format("OFF %d-%d\n", off, off + pick(0, 2));
                continue;
            }
            for (int n = pick(2, 5); n > 0; --n)
                bid += tl::Format("K%d ", 1000 + pick(0, kPairings - 1));
            bid += '\n';
        }
        crew.BidText = bid;
    }
    tl::CheckAllLegality(*doc);
    for (int c = 0; c < kCrew; ++c)
        tl::BlockCredit(*doc, c, false, ui);
    tl::ComputeBlockHolderCut(*doc);
    doc->GridOn = true;
    return doc;
}

void BM_AwardBids_1000Crew(benchmark::State& state)
{
    auto doc = MakeBidMonth();
    tl::SilentInteraction ui;
    tl::AwardReport report;
    for (auto _ : state) {
        report = tl::AwardBids(*doc, tl::AwardOptions{}, ui);
        state.PauseTiming();
        (void)tl::Undo(*doc, ui);
        state.ResumeTiming();
    }
    const double crew = std::max(report.CrewAwarded, 1);
    state.counters["within_credit_pct"] = 100.0 * report.WithinCredit / crew;
    state.counters["first_pref_pct"] =
        100.0 * report.FirstGranted / std::max(report.FirstChoices, 1);
    state.counters["open_credit_h"] = report.OpenCreditLeft / 60.0;
    state.counters["placed"] = report.Granted;
}
BENCHMARK(BM_AwardBids_1000Crew)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_AuditSeniority_1000Crew(benchmark::State& state)
{
    auto doc = MakeBidMonth();
    tl::SilentInteraction ui;
    (void)tl::AwardBids(*doc, tl::AwardOptions{}, ui);
    size_t found = 0;
    for (auto _ : state)
        found = tl::AuditSeniority(*doc).size();
    state.counters["inversions"] = double(found);
}
BENCHMARK(BM_AuditSeniority_1000Crew)->Unit(benchmark::kMillisecond);

} // namespace
