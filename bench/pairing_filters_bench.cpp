#include "actions/pairing_filters.h"
#include "model/schedule_document.h"
#include "model/text_format.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// A filter list evaluated over a full table of pairings with printout texts
// of real length: 30 terms, most of them found in no pairing, so every
// pairing is searched for nearly every term.
void BM_TextFilter_3000Pairings_30Terms(benchmark::State& state)
{
    auto doc = std::make_unique<tl::ScheduleDocument>();
    doc->LastPair = doc->LastBasePair = 2999;
    for (int p = 0; p < 3000; ++p) {
        tl::TPair& pair = doc->Pairs[static_cast<size_t>(p)];
        pair.PairNumber = 1000 + p;
        for (int d = 0; d < 1 + p % 4; ++d)
            for (int leg = 0; leg < 3; ++leg)
                pair.PairText += tl::Format("  %d  AC%04d YYZ 07%02d  YUL 08%02d  DH8 1:05   0:45  "
                                            "%s\n",
                                            d + 1, 8000 + p % 1000 + leg, leg * 10, leg * 10 + 5,
                                            leg == 2 ? "YUL" : "   ");
        pair.PairText += "CREDIT 15:30  TAFB 52:10  USA SEGMENTS NONE\n";
    }
    tl::FilterTerms terms;
    for (int t = 0; t < 24; ++t)
        terms.Include.push_back(tl::Format("AC9%03d", t));
    terms.Include.push_back("AC8123");
    for (int t = 0; t < 5; ++t)
        terms.Exclude.push_back(tl::Format("YQB%d", t));
    for (auto _ : state) {
        for (int p = 0; p < 3000; ++p)
            doc->Pairs[static_cast<size_t>(p)].Mark = tl::kMarkHidden;
        tl::MarkByText(*doc, terms, true);
    }
    int shown = 0;
    for (int p = 0; p < 3000; ++p)
        shown += doc->Pairs[static_cast<size_t>(p)].Mark == tl::kMarkByText;
    state.counters["shown"] = shown;
}
BENCHMARK(BM_TextFilter_3000Pairings_30Terms)->Unit(benchmark::kMillisecond);

} // namespace
