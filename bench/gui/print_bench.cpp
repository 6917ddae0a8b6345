// The printouts of the full 1000-crew month (36 pages of blocks) as PDF
// documents, from the document to the finished bytes.
#include "bench_month.h"
#include "gui/bench_app.h"
#include "model/interaction.h"
#include "output/print_pages.h"
#include "rules/block_build.h"
#include "ui/print/print_painter.h"

#include <benchmark/benchmark.h>

namespace {

tl::ScheduleDocument& Month()
{
    static std::unique_ptr<tl::ScheduleDocument> doc = [] {
        tl::bench::EnsureApplication();
        tl::SilentInteraction ui;
        auto month = tl::bench::MakeFullMonth();
        tl::BuildBlocks(*month, ui, true);
        return month;
    }();
    return *doc;
}

void BM_PrintBlocks_36Pages_Pdf(benchmark::State& state)
{
    tl::ScheduleDocument& doc = Month();
    tl::SilentInteraction ui;
    tl::BlocksPrintOptions options;
    options.OpenFlying = false;
    size_t pages = 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        // Without the open flying, whose lists would add pages of their own.
        const auto printout =
            tl::BlocksPrintout(doc, tl::PrintSelection(doc, 1, doc.CrewCount), options, ui);
        const QByteArray pdf = tl::ui::PdfDocument(printout, QStringLiteral("bench"));
        pages = printout.size();
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.constData());
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PrintBlocks_36Pages_Pdf)->Unit(benchmark::kMillisecond);

void BM_PrintVisualPairings_Pdf(benchmark::State& state)
{
    tl::ScheduleDocument& doc = Month();
    size_t pages = 0;
    for (auto _ : state) {
        const auto printout = tl::VisualPairingsPrintout(doc);
        const QByteArray pdf = tl::ui::PdfDocument(printout, QStringLiteral("bench"));
        pages = printout.size();
        benchmark::DoNotOptimize(pdf.constData());
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_PrintVisualPairings_Pdf)->Unit(benchmark::kMillisecond);

} // namespace
