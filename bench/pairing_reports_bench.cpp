// The clipboard reports and the HTML page on a full month: 1000 captains with
// full blocks and 3000 pairings.
#include "bench_month.h"
#include "model/interaction.h"
#include "output/other_exports.h"
#include "output/pairing_reports.h"
#include "rules/block_build.h"

#include <benchmark/benchmark.h>

namespace {

using tl::ScheduleDocument;

ScheduleDocument& BuiltFullMonth()
{
    static std::unique_ptr<ScheduleDocument> doc = [] {
        std::unique_ptr<ScheduleDocument> month = tl::bench::MakeFullMonth();
        tl::SilentInteraction ui;
        tl::BuildBlocks(*month, ui, true);
        return month;
    }();
    return *doc;
}

// Credits every block again on the way, as the menu command does.
void BM_CrewLines_1000Crew(benchmark::State& state)
{
    ScheduleDocument& doc = BuiltFullMonth();
    tl::SilentInteraction ui;
    size_t bytes = 0;
    for (auto _ : state) {
        tl::ClipboardReport report = tl::CrewLines(doc, ui);
        bytes = report.Text.size();
        benchmark::DoNotOptimize(report.Text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CrewLines_1000Crew)->Unit(benchmark::kMillisecond);

void BM_PairingReport_3000Pairings(benchmark::State& state)
{
    const ScheduleDocument& doc = BuiltFullMonth();
    for (auto _ : state) {
        tl::ClipboardReport report = tl::PairingReport(doc);
        benchmark::DoNotOptimize(report.Text.data());
    }
}
BENCHMARK(BM_PairingReport_3000Pairings)->Unit(benchmark::kMillisecond);

// The Global Information list opens with every key press of F9.
void BM_GlobalInfo_1000Crew(benchmark::State& state)
{
    ScheduleDocument& doc = BuiltFullMonth();
    for (auto _ : state)
        benchmark::DoNotOptimize(tl::GlobalInfoLines(doc).size());
}
BENCHMARK(BM_GlobalInfo_1000Crew)->Unit(benchmark::kMillisecond);

// Credits every block again on the way, as the menu command does.
void BM_HtmlPage_1000Crew(benchmark::State& state)
{
    ScheduleDocument& doc = BuiltFullMonth();
    tl::SilentInteraction ui;
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string page = tl::InternetPage(doc, ui);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HtmlPage_1000Crew)->Unit(benchmark::kMillisecond);

} // namespace
