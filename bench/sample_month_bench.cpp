#include "sample/sample_month.h"

#include <benchmark/benchmark.h>

namespace {

// The pairing file of every base and equipment, as the loader's benchmark
// reads it; the size is reported so that figures stay comparable.
void BM_GenerateAllBasesPrg(benchmark::State& state)
{
    tl::sample::SampleOptions options;
    options.allBases = true;
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = tl::sample::GenerateAllBasesPrg(options);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GenerateAllBasesPrg)->Unit(benchmark::kMillisecond);

// A whole default month: 120 crew members and 400 pairings of a first-officer group.
void BM_GenerateSampleMonth_120Crew_400Pairings(benchmark::State& state)
{
    const tl::sample::SampleOptions options;
    for (auto _ : state) {
        const tl::sample::SampleMonth month = tl::sample::GenerateSampleMonth(options);
        benchmark::DoNotOptimize(month.prg.text.data());
    }
}
BENCHMARK(BM_GenerateSampleMonth_120Crew_400Pairings)->Unit(benchmark::kMillisecond);

} // namespace
