// Saving and opening a month with full tables, beside a plain write and read
// of the same number of bytes through the same file calls: the block file's
// own cost is what lies between the two.
#include "model/input_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "rules/history.h"
#include "storage/block_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// Resident memory of this process, from /proc; 0 where there is none.
long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

std::string PairingText(int number, int days)
{
    std::string text;
    for (int d = 0; d < days; ++d)
        for (int leg = 0; leg < 3; ++leg)
            text += tl::Format("  %d  AC%04d YYZ 07%02d  YUL 08%02d  DH8 1:05   0:45  %s\n", d + 1,
                               8000 + number % 1000 + leg, leg * 10, leg * 10 + 5,
                               leg == 2 ? "YUL" : "   ");
    text += "CREDIT 15:30  TAFB 52:10  USA SEGMENTS NONE\n";
    return text;
}

// A month with every table full: 3000 pairings with texts of real length,
// 1000 crew members with every slot used, 300 toolbox items.
struct FullMonth {
    long residentKiB = 0;
    std::unique_ptr<tl::ScheduleDocument> doc;

    FullMonth()
    {
        tl::SilentInteraction ui;
        long before = ResidentKiB();
        doc = std::make_unique<tl::ScheduleDocument>();
        tl::ScheduleDocument& d = *doc;
        (void)d.SetMonth(ui, tl::JulianDay(3, 1, 2027), tl::JulianDay(3, 31, 2027));
        d.GroupName = "YYZDH8CAZ";
        d.LastPair = 2999;
        d.LastBasePair = 2999;
        for (int p = 0; p < 3000; ++p) {
            tl::TPair& pair = d.Pairs[static_cast<size_t>(p)];
            pair.PairNumber = 1000 + p;
            pair.Length = static_cast<int8_t>(1 + p % 4);
            for (int k = 0; k < pair.Length; ++k) {
                pair.DayStart[static_cast<size_t>(k)] = 420;
                pair.DayDuty[static_cast<size_t>(k)] = 600;
                pair.DayCredit[static_cast<size_t>(k)] = 330;
                pair.DayHard[static_cast<size_t>(k)] = 290;
            }
            pair.OpsCount[static_cast<size_t>(p % 31)] = tl::kOpsOpen + p % 2;
            pair.PairText = PairingText(p, pair.Length);
            pair.Layovers = "YULYOWYQB";
            pair.PairKey = "YYZ" + std::to_string(1000 + p);
            pair.PairType = "REG";
        }
        d.CrewCount = 1000;
        for (int c = 0; c < 1000; ++c) {
            tl::TPilot& pilot = d.Crew[static_cast<size_t>(c)];
            pilot.Name = "CREWMEMBER NUMBER " + std::to_string(c);
            pilot.EmpNumber = 100000 + c;
            pilot.Quals = "FRITRBLA    ";
            pilot.Phone1 = "416-555-0199";
            for (int s = 0; s < tl::TPilot::kSlots; ++s) {
                auto i = static_cast<size_t>(s);
                pilot.DaySlot[i] = s % 3 == 0 ? (c * 3 + s) % 3000 : -2;
                pilot.DayCode[i] = s % 3 == 0 ? "" : "VAC";
                pilot.DayText[i] = tl::Format("D%d", s);
                for (int v = 0; v < tl::TPilot::kSlotValues; ++v) {
                    pilot.DayOther[i][static_cast<size_t>(v)] = v * 60 + s;
                    pilot.DayCarry[i][static_cast<size_t>(v)] = v + s;
                }
            }
        }
        d.AbsenceCount = 300;
        for (int a = 0; a < 300; ++a) {
            d.Absences[static_cast<size_t>(a)].AbsText1 = tl::Format("V%d", a);
            d.Absences[static_cast<size_t>(a)].AbsText3 = "Vacation day of the month";
        }
        for (int t = 0; t < 201; ++t)
            tl::AddTransaction(d.History, t % 1000, t, t % 31, 1);
        residentKiB = ResidentKiB() - before;
    }
};

FullMonth& Month()
{
    static FullMonth month;
    return month;
}

std::filesystem::path BenchFile(const char* name)
{
    return std::filesystem::temp_directory_path() / name;
}

void WritePlain(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    ::fsync(::fileno(f));
    std::fclose(f);
}

void BM_SaveBlocks_FullTables(benchmark::State& state)
{
    FullMonth& month = Month();
    tl::SilentInteraction ui;
    auto path = BenchFile("tl_bench_save.tl2");
    for (auto _ : state)
        benchmark::DoNotOptimize(tl::SaveBlocks(*month.doc, path, tl::kSchedulerFile, ui));
    auto size = static_cast<int64_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["file_MiB"] = static_cast<double>(size) / (1024.0 * 1024.0);
    state.counters["doc_RSS_MiB"] = static_cast<double>(month.residentKiB) / 1024.0;
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveBlocks_FullTables)->Unit(benchmark::kMillisecond);

void BM_PlainWrite_SameBytes(benchmark::State& state)
{
    std::vector<uint8_t> bytes = tl::BlockFileBytes(*Month().doc, tl::kSchedulerFile);
    auto path = BenchFile("tl_bench_plain.bin");
    for (auto _ : state)
        WritePlain(path, bytes);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_PlainWrite_SameBytes)->Unit(benchmark::kMillisecond);

void BM_LoadBlocks_FullTables(benchmark::State& state)
{
    tl::SilentInteraction ui;
    auto path = BenchFile("tl_bench_load.tl2");
    if (!tl::SaveBlocks(*Month().doc, path, tl::kSchedulerFile, ui)) {
        state.SkipWithError("the month could not be saved");
        return;
    }
    auto doc = std::make_unique<tl::ScheduleDocument>();
    for (auto _ : state) {
        state.PauseTiming();
        doc->DeleteAll(ui);
        doc->FileName = path.string();
        state.ResumeTiming();
        benchmark::DoNotOptimize(tl::LoadBlocks(*doc, ui));
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadBlocks_FullTables)->Unit(benchmark::kMillisecond);

void BM_PlainRead_SameBytes(benchmark::State& state)
{
    tl::SilentInteraction ui;
    auto path = BenchFile("tl_bench_read.bin");
    if (!tl::SaveBlocks(*Month().doc, path, tl::kSchedulerFile, ui)) {
        state.SkipWithError("the month could not be saved");
        return;
    }
    auto size = static_cast<size_t>(std::filesystem::file_size(path));
    // Opened and read as the loader reads a month, into a buffer that is not
    // zero-filled first: only the parsing lies between this and the load.
    for (auto _ : state) {
        const tl::InputFile file = tl::OpenInputFile(path, tl::InputText::Binary);
        std::unique_ptr<uint8_t[]> bytes(new uint8_t[static_cast<size_t>(file.Size)]);
        file.Stream->read(reinterpret_cast<char*>(bytes.get()),
                          static_cast<std::streamsize>(file.Size));
        benchmark::DoNotOptimize(bytes.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
    std::filesystem::remove(path);
}
BENCHMARK(BM_PlainRead_SameBytes)->Unit(benchmark::kMillisecond);

} // namespace
