#include "import/lis_scan.h"
#include "import/prg_file.h"
#include "import/usa_segments.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "sample/sample_month.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// The pairing file of every base and equipment, written once per run.
const std::filesystem::path& AllBasesFile()
{
    static const std::filesystem::path path = [] {
        tl::sample::SampleOptions options;
        options.allBases = true;
        auto p = std::filesystem::temp_directory_path() / "tlines-bench-all-bases.PRG";
        std::ofstream(p, std::ios::binary) << tl::sample::GenerateAllBasesPrg(options);
        return p;
    }();
    return path;
}

std::unique_ptr<tl::ScheduleDocument> November(const char* group, int8_t crewKind)
{
    auto doc = std::make_unique<tl::ScheduleDocument>();
    tl::SilentInteraction ui;
    (void)doc->SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
    doc->GroupName = group;
    doc->CrewKind = crewKind;
    return doc;
}

// The whole load of the group's pairings out of every base's file: reading,
// pairing texts, tidying, warnings list, USA scan and the city-pair pass.
void BM_LoadPRG_AllBases(benchmark::State& state)
{
    const std::filesystem::path& path = AllBasesFile();
    auto doc = November("YYZDH8FOZ", 1);
    tl::SilentInteraction ui;
    for (auto _ : state) {
        bool loaded = tl::LoadPRGPairs(*doc, path, "", false, ui);
        benchmark::DoNotOptimize(loaded);
    }
    state.counters["pairings"] = doc->LastPair + 1;
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadPRG_AllBases)->Unit(benchmark::kMillisecond);

// Reading the same file line by line into strings: the floor for any reader.
void BM_ReadLines_AllBases(benchmark::State& state)
{
    const std::filesystem::path& path = AllBasesFile();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string line;
        size_t lines = 0;
        while (std::getline(in, line))
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadLines_AllBases)->Unit(benchmark::kMillisecond);

// 3000 pairings of four bases and the listings of all of them, repeated in
// front up to the 6 MB a LIS text can reach (the last listing of each wins).
struct LisMonth {
    std::unique_ptr<tl::ScheduleDocument> doc = November("YYZDH8FOZ", 1);
    std::vector<std::string> texts;
    std::string lis;
};

const LisMonth& ThreeThousandPairings()
{
    static const LisMonth month = [] {
        LisMonth m;
        std::string listings;
        int count = 0;
        for (const char* group : {"YYZDH8FOZ", "YULDH8FOM", "YVRDH8FOV", "YYCDH8FOC"}) {
            tl::sample::SampleOptions options;
            options.group = group;
            options.pairings = 760;
            options.crew = 10;
            const tl::sample::SampleMonth sample = tl::sample::GenerateSampleMonth(options);
            auto doc = November(group, 1);
            tl::SilentInteraction ui;
            if (!tl::LoadPRGPairsFromText(*doc, sample.prg.text, sample.prg.name, "", false, ui))
                continue;
            for (int i = 0; i <= doc->LastPair && count < 3000; ++i)
                m.doc->Pairs[static_cast<size_t>(count++)] = doc->Pairs[static_cast<size_t>(i)];
            for (const tl::sample::SampleFile& f : sample.lis)
                listings += f.text;
        }
        m.doc->LastPair = m.doc->LastBasePair = count - 1;
        // Earlier listings of the same pairings fill the text up to 6 MB.
        const size_t room = tl::kLisMaxText - std::min(listings.size(), tl::kLisMaxText);
        const size_t start =
            listings.find("PAIRING ", listings.size() - std::min(room, listings.size()));
        if (start != std::string::npos)
            m.lis = listings.substr(start);
        m.lis += listings;
        for (int i = 0; i < count; ++i)
            m.texts.push_back(m.doc->Pairs[static_cast<size_t>(i)].PairText);
        return m;
    }();
    return month;
}

void BM_ScanLis_3000Pairings(benchmark::State& state)
{
    const LisMonth& month = ThreeThousandPairings();
    tl::ScheduleDocument& doc = *month.doc;
    tl::SilentInteraction ui;
    for (auto _ : state) {
        state.PauseTiming();
        for (size_t i = 0; i < month.texts.size(); ++i)
            doc.Pairs[i].PairText = month.texts[i];
        state.ResumeTiming();
        bool scanned = tl::ScanLisText(doc, month.lis, ui);
        benchmark::DoNotOptimize(scanned);
    }
    state.counters["pairings"] = doc.LastPair + 1;
    state.counters["lis_bytes"] = static_cast<double>(month.lis.size());
}
BENCHMARK(BM_ScanLis_3000Pairings)->Unit(benchmark::kMillisecond);

// The USA-segment scan over the same 3000 pairing texts.
void BM_ScanUsaSegments_3000Pairings(benchmark::State& state)
{
    const LisMonth& month = ThreeThousandPairings();
    tl::ScheduleDocument& doc = *month.doc;
    tl::SilentInteraction ui;
    for (auto _ : state) {
        state.PauseTiming();
        for (size_t i = 0; i < month.texts.size(); ++i)
            doc.Pairs[i].PairText = month.texts[i];
        state.ResumeTiming();
        tl::ScanUsaSegments(doc, ui);
    }
}
BENCHMARK(BM_ScanUsaSegments_3000Pairings)->Unit(benchmark::kMillisecond);

// One pass over the same text that counts its lines.
void BM_OnePass_LisText(benchmark::State& state)
{
    const std::string& text = ThreeThousandPairings().lis;
    for (auto _ : state) {
        size_t lines = 0;
        for (char c : text)
            lines += c == '\n';
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_OnePass_LisText)->Unit(benchmark::kMillisecond);

} // namespace
