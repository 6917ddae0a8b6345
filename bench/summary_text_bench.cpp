#include "model/interaction.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// An importer that warns about every pairing of a full table.
void BM_SplitSummaryText_3000Warnings(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "Pairing " + std::to_string(1000 + i) + " has no operating dates. ";
    for (auto _ : state)
        benchmark::DoNotOptimize(tl::SplitSummaryText(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SplitSummaryText_3000Warnings);

} // namespace
