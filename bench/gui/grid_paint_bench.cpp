// Painting a full screen of the block grid (40 crew rows by 31 days) of the
// full 1000-crew month, beside filling an image of the same size, which is
// the least any paint of that area costs.
#include "bench_month.h"
#include "gui/bench_app.h"
#include "model/interaction.h"
#include "rules/block_build.h"
#include "ui/grid/grid_paint.h"
#include "ui/grid/gridview.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 40;
constexpr int kDays = 31;

struct PaintFixture {
    PaintFixture()
    {
        tl::bench::EnsureApplication();
        doc = tl::bench::MakeFullMonth();
        tl::BuildBlocks(*doc, ui, true);
        doc->GridOn = true;
        view = std::make_unique<tl::ui::GridView>(*doc, ui);
        view->RebuildRows();
        layout = view->Layout();
        layout.FirstRow = 0;
        layout.ScrollX = 0;
        layout.ViewWidth = layout.ColumnX(kDays);
        layout.ViewHeight = layout.RowY(kRows);
    }
    QSize Size() const { return {layout.ViewWidth, layout.ViewHeight}; }

    tl::SilentInteraction ui;
    std::unique_ptr<tl::ScheduleDocument> doc;
    std::unique_ptr<tl::ui::GridView> view;
    tl::ui::GridLayout layout;
};

PaintFixture& Fixture()
{
    static PaintFixture fixture;
    return fixture;
}

void BM_PaintGrid_40Rows(benchmark::State& state)
{
    PaintFixture& f = Fixture();
    QImage image(f.Size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        tl::ui::PaintGrid(painter, *f.doc, f.view->Style(), f.layout, image.rect(), false);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = image.width();
    state.counters["height"] = image.height();
}
BENCHMARK(BM_PaintGrid_40Rows)->Unit(benchmark::kMillisecond);

void BM_FillImage_SameSize(benchmark::State& state)
{
    QImage image(Fixture().Size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(QColor(255, 255, 255));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillImage_SameSize)->Unit(benchmark::kMillisecond);

} // namespace
