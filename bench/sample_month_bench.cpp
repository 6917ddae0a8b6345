#include "sample/sample_month.h"

#include <benchmark/benchmark.h>

#include <algorithm>

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

// A whole default month: 120 crew members of a first-officer group and the
// pairings sized to them, with the odd cases; the pairing count is reported.
void BM_GenerateSampleMonth_120Crew(benchmark::State& state)
{
    const tl::sample::SampleOptions options;
    size_t pairingLines = 0;
    for (auto _ : state) {
        const tl::sample::SampleMonth month = tl::sample::GenerateSampleMonth(options);
        benchmark::DoNotOptimize(month.prg.text.data());
        pairingLines =
            static_cast<size_t>(std::count(month.prg.text.begin(), month.prg.text.end(), '\n'));
    }
    state.counters["prg_lines"] = static_cast<double>(pairingLines);
}
BENCHMARK(BM_GenerateSampleMonth_120Crew)->Unit(benchmark::kMillisecond);

} // namespace
