// The legality engine on a full month: 1000 captains with full blocks and
// 3000 pairings. The sample generator writes files only and the importers do
// not read them into a document yet, so the month is built here from random
// assignments that keep the contract's rest.
#include "bench_month.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/legality.h"
#include "rules/who_is_legal.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using tl::ScheduleDocument;

constexpr int kCrew = 1000;
constexpr int kPairings = 3000;
constexpr int kCopies = 100; // second-captain copies after the base pairings

size_t U(int i)
{
    return static_cast<size_t>(i);
}

std::unique_ptr<ScheduleDocument> MakeMonth()
{
    auto doc = std::make_unique<ScheduleDocument>();
    tl::SilentInteraction ui;
    (void)doc->SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
    tl::SetupDaylightSaving(*doc);
    doc->CrewKind = tl::kCaptains;
    doc->MonthRules[tl::MonthRule::CheckPilotMaxCredit] = 5400;
    std::mt19937 rng(2027);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    doc->LastPair = kPairings - 1;
    doc->LastBasePair = kPairings - kCopies - 1;
    for (int p = 0; p < kPairings; ++p) {
        tl::TPair& pair = doc->Pairs[U(p)];
        if (p > doc->LastBasePair) {
            pair = doc->Pairs[U(p - doc->LastBasePair - 1)];
            continue;
        }
        tl::bench::FillRandomPairing(pair, p, rng);
        pair.PairText = p % 50 == 0 ? "YYZ YTZ YYZ" : "YYZ YUL YYZ";
        pair.OpsCount.fill(1);
    }

    doc->CrewCount = kCrew;
    for (int c = 0; c < kCrew; ++c) {
        tl::TPilot& crew = doc->Crew[U(c)];
        crew.EmpNumber = 100000 + c;
        crew.Name = "CAPTAIN " + std::to_string(c + 1);
        crew.CarryIn[tl::CarryInEntry::Flags] = c % 7 == 0 ? pick(1, 3) : 0;
        crew.CarryIn[tl::CarryInEntry::NoYtz] = c % 11 == 0 ? 1 : 0;
        crew.CarryIn[tl::CarryInEntry::Qualification] = c % 13 == 0 ? 3 : 0;
        for (size_t e = 24; e <= 30; ++e) {
            crew.DayCarry[e][tl::CarryValue::DayKind] = pick(0, 1);
            crew.DayCarry[e][tl::CarryValue::HardTime] =
                crew.DayCarry[e][tl::CarryValue::DayKind] ? pick(180, 400) : 0;
        }
        int32_t legal = 0;
        for (int d = 0; d < doc->DaysInMonth;) {
            if (pick(0, 9) == 0) {
                crew.DaySlot[U(d)] = tl::kOtherSlot;
                crew.DayCode[U(d)] = "VAC";
                crew.DayOther[U(d)][tl::OtherValue::Credit] = 240;
                ++d;
                continue;
            }
            const int p = pick(0, kPairings - 1);
            const tl::TPair& pair = doc->Pairs[U(p)];
            const int32_t start = d * 1440 + pair.OnTime;
            if (start < legal) {
                ++d;
                continue;
            }
            crew.DaySlot[U(d)] = p;
            legal = start + pair.Tafb + 660;
            d += pair.Length + pick(0, 2);
        }
    }
    return doc;
}

ScheduleDocument& Month()
{
    static std::unique_ptr<ScheduleDocument> doc = MakeMonth();
    return *doc;
}

// Every crew member's CheckLegality and the two-captain pass, as Build Blocks runs them.
void BM_CheckLegality_1000Crew(benchmark::State& state)
{
    ScheduleDocument& doc = Month();
    for (auto _ : state) {
        tl::CheckAllLegality(doc);
        benchmark::DoNotOptimize(doc.Crew[0].Illegalities.data());
    }
}
BENCHMARK(BM_CheckLegality_1000Crew)->Unit(benchmark::kMillisecond);

// Both Who Is Legal lists and the reasons for one pairing day.
void BM_WhoIsLegal_1000Crew(benchmark::State& state)
{
    ScheduleDocument& doc = Month();
    tl::CheckAllLegality(doc);
    size_t lines = 0;
    for (auto _ : state) {
        const tl::WhoIsLegalLists lists = tl::WhoIsLegal(doc, 42, 14);
        lines = lists.Legal.size();
        benchmark::DoNotOptimize(lists.Reasons.data());
    }
    state.counters["legal"] = static_cast<double>(lines);
}
BENCHMARK(BM_WhoIsLegal_1000Crew)->Unit(benchmark::kMillisecond);

} // namespace
