#include "model/tpair.h"
#include "model/tpilot.h"
#include "storage/record_stream.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kPairs = 3000;
constexpr int kPilots = 1000;

// A full month: the pairing table and the roster filled to their sizes,
// with texts of the lengths the importers give them.
struct Month {
    std::vector<tl::TPair> pairs;
    std::vector<std::unique_ptr<tl::TPilot>> pilots;

    Month()
    {
        pairs.resize(kPairs);
        for (int i = 0; i < kPairs; ++i) {
            tl::TPair& pair = pairs[static_cast<size_t>(i)];
            pair.PairNumber = 1000 + i;
            pair.Length = static_cast<int8_t>(1 + i % 4);
            pair.OpsCount[static_cast<size_t>(i % 31)] = tl::kOpsOpen;
            pair.PairText = std::string(400, 'P');
            pair.Layovers = "YULYVRYYC";
            pair.PairKey = "K" + std::to_string(i);
            pair.PairType = "REG";
        }
        for (int i = 0; i < kPilots; ++i) {
            auto pilot = std::make_unique<tl::TPilot>();
            pilot->Name = "CREW MEMBER " + std::to_string(i);
            pilot->EmpNumber = 100000 + i;
            pilot->Quals = "FRITRBLA    ";
            for (size_t s = 0; s < 31; s += 3)
                pilot->DayCode[s] = "VAC";
            pilots.push_back(std::move(pilot));
        }
    }

    std::vector<uint8_t> Write() const
    {
        tl::ObjectWriter out;
        for (const tl::TPair& pair : pairs)
            WriteRecord(out, pair);
        for (const auto& pilot : pilots)
            WriteRecord(out, *pilot);
        return out.TakeData();
    }
};

const Month& TheMonth()
{
    static const Month month;
    return month;
}

void BM_WriteRecords_3000Pairs1000Crew(benchmark::State& state)
{
    const Month& month = TheMonth();
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> data = month.Write();
        bytes = data.size();
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_WriteRecords_3000Pairs1000Crew)->Unit(benchmark::kMillisecond);

void BM_ReadRecords_3000Pairs1000Crew(benchmark::State& state)
{
    const std::vector<uint8_t> data = TheMonth().Write();
    // Read into tables made once, as the document holds them.
    std::vector<tl::TPair> pairs(kPairs);
    std::vector<std::unique_ptr<tl::TPilot>> pilots;
    for (int i = 0; i < kPilots; ++i)
        pilots.push_back(std::make_unique<tl::TPilot>());
    for (auto _ : state) {
        tl::ObjectReader in(data);
        for (tl::TPair& pair : pairs)
            ReadRecord(in, pair);
        for (auto& pilot : pilots)
            ReadRecord(in, *pilot);
        if (in.Failed())
            state.SkipWithError("stream failed");
        benchmark::DoNotOptimize(pairs.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(data.size()));
}
BENCHMARK(BM_ReadRecords_3000Pairs1000Crew)->Unit(benchmark::kMillisecond);

// The floor: copying the same number of bytes.
void BM_Memcpy_3000Pairs1000CrewBytes(benchmark::State& state)
{
    const std::vector<uint8_t> data = TheMonth().Write();
    std::vector<uint8_t> copy(data.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), data.data(), data.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(data.size()));
}
BENCHMARK(BM_Memcpy_3000Pairs1000CrewBytes)->Unit(benchmark::kMillisecond);

} // namespace
