// The schedule export on a full month: 1000 captains with full blocks and
// 3000 pairings.
#include "bench_month.h"
#include "model/interaction.h"
#include "output/crewtrac_export.h"
#include "rules/block_build.h"

#include <benchmark/benchmark.h>

namespace {

using tl::ScheduleDocument;

void BM_LinExport_1000Crew(benchmark::State& state)
{
    static std::unique_ptr<ScheduleDocument> doc = [] {
        std::unique_ptr<ScheduleDocument> month = tl::bench::MakeFullMonth();
        tl::SilentInteraction ui;
        tl::BuildBlocks(*month, ui, true);
        for (int c = 0; c < month->CrewCount; c += 3)
            month->Crew[static_cast<size_t>(c)].DraftCredits = 60; // the copy with its extra day
        return month;
    }();
    const tl::CrewTracCodes codes{"BENCH", "V", "8", tl::CrewType::Captain};
    tl::BawText(*doc, codes, false);
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<std::string> summary;
        const std::string lin = tl::LinText(*doc, codes, summary);
        bytes = lin.size();
        benchmark::DoNotOptimize(lin.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_LinExport_1000Crew)->Unit(benchmark::kMillisecond);

} // namespace
