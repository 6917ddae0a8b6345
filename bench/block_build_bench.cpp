// Build Blocks on a full month: 1000 captains with full blocks and 3000
// pairings, 100 of them second-captain copies, every pairing day held by
// one crew member at most so the repairs find nothing after the first run.
#include "bench_month.h"
#include "model/interaction.h"
#include "rules/block_build.h"

#include <benchmark/benchmark.h>

namespace {

using tl::ScheduleDocument;

// The whole of Build Blocks: repairs, validation, credits, cut-off, legality
// for everybody, the two-captain pass and the per-day balance.
void BM_BuildBlocks_1000Crew(benchmark::State& state)
{
    static std::unique_ptr<ScheduleDocument> doc = tl::bench::MakeFullMonth();
    tl::SilentInteraction ui;
    for (auto _ : state) {
        doc->GridOn = false;
        tl::BuildBlocks(*doc, ui, true);
        benchmark::DoNotOptimize(doc->DayBalance.data());
    }
    state.counters["holders"] = doc->BlockHolderCut + 1;
}
BENCHMARK(BM_BuildBlocks_1000Crew)->Unit(benchmark::kMillisecond);

} // namespace
