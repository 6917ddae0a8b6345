#include "model/vortime.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Reports print every time of a month's pairings: a full table of 3000
// pairings with a few duty days each.
void BM_FormatHoursMinutes_10000Times(benchmark::State& state)
{
    for (auto _ : state) {
        for (int32_t minutes = 0; minutes < 10000; ++minutes)
            benchmark::DoNotOptimize(tl::FormatHoursMinutes(minutes, (minutes & 1) != 0));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 10000);
}
BENCHMARK(BM_FormatHoursMinutes_10000Times);

// The importers parse every time they read.
void BM_ParseHoursMinutes_10000Times(benchmark::State& state)
{
    std::vector<std::string> texts;
    for (int32_t minutes = 0; minutes < 10000; ++minutes)
        texts.push_back(tl::FormatHoursMinutes(minutes, false));
    for (auto _ : state) {
        for (const std::string& text : texts)
            benchmark::DoNotOptimize(tl::ParseHoursMinutes(text, false));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 10000);
}
BENCHMARK(BM_ParseHoursMinutes_10000Times);

} // namespace
