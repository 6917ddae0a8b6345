// Loading the crew tracking system's extracts, beside reading the same files
// line by line: the loaders' own cost is what lies between the two.
#include "import/activity_extract.h"
#include "import/roster_extract.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

void Put(std::string& line, size_t column, const std::string& field)
{
    line.replace(column, field.size(), field);
}

std::string Digits(long long value, int width)
{
    return tl::Format("%0*lld", width, value);
}

std::string Date8(int32_t day)
{
    const tl::TDate d = tl::DateFromJulianDay(day);
    return Digits(d.Year, 4) + Digits(d.Month, 2) + Digits(d.Day, 2);
}

// A file in the temporary folder, removed with the object.
struct TempFile {
    std::filesystem::path path;

    TempFile(const std::string& name, const std::string& text)
        : path(std::filesystem::temp_directory_path() /
               (name + "-" + std::to_string(::getpid()) + ".ext"))
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    ~TempFile()
    {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

size_t ReadLines(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    size_t bytes = 0;
    while (std::getline(in, line))
        bytes += line.size();
    return bytes;
}

// The whole airline: 20,000 employees, one in 25 of them in the group.
const TempFile& Roster()
{
    static const TempFile file("tl-roster-20000", [] {
        static const char* const kGroups[] = {"YYZDH8FO", "YULCRJCA", "YYZDH8FA", "YVRDH4CA"};
        std::string text;
        for (int i = 0; i < 20000; ++i) {
            std::string line(102, ' ');
            Put(line, 0, Digits(100000 + i, 9));
            Put(line, 9, "LASTNAME" + std::to_string(i % 997));
            line[29] = static_cast<char>('A' + i % 26);
            Put(line, 31, i % 25 == 0 ? "YYZDH8CA" : kGroups[i % 4]);
            Put(line, 77, i % 3 ? "LAZT60" : "RBMRNT");
            text += line;
            text += '\n';
        }
        return text;
    }());
    return file;
}

void BM_LoadRoster_20000(benchmark::State& state)
{
    const TempFile& file = Roster();
    auto doc = std::make_unique<tl::ScheduleDocument>();
    tl::SilentInteraction ui;
    for (auto _ : state) {
        bool loaded = tl::LoadRosterFromExtract(*doc, "YYZDH8CAZ", file.path, ui);
        benchmark::DoNotOptimize(loaded);
    }
    state.counters["crew"] = doc->CrewCount;
}
BENCHMARK(BM_LoadRoster_20000)->Unit(benchmark::kMillisecond);

void BM_ReadLines_Roster20000(benchmark::State& state)
{
    const TempFile& file = Roster();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadLines(file.path));
}
BENCHMARK(BM_ReadLines_Roster20000)->Unit(benchmark::kMillisecond);

// November 2027: 1000 crew members with eight pairings and two activity
// codes each in October, against a pairing extract of 5000 records.
struct ActivityFiles {
    int32_t first = tl::JulianDay(11, 1, 2027);
    std::unique_ptr<TempFile> pairings;
    std::unique_ptr<TempFile> activity;

    ActivityFiles()
    {
        std::string prg;
        for (int r = 0; r < 5000; ++r) {
            std::string line(1177, ' ');
            const int32_t date = first - 31 + r % 31;
            Put(line, 0, "Z" + Digits(r / 31 * 7 % 10000, 4));
            Put(line, 6, Date8(date));
            Put(line, 14, Date8(date));
            Put(line, 22, Digits(360 + r % 300, 4));
            Put(line, 50, Digits(1440 + r % 2000, 8));
            Put(line, 66, Digits(600 + r % 400, 4));
            for (int j = 0; j < 3; ++j) {
                Put(line, static_cast<size_t>(70 + 24 * j), Date8(date + j) + Digits(420, 4));
                Put(line, static_cast<size_t>(90 + 24 * j), Digits(1100, 4));
            }
            for (int m = 0; m < 5; ++m)
                Put(line, static_cast<size_t>(814 + 11 * m),
                    "YUL" + Digits(200, 4) + Digits(300, 4));
            prg += line;
            prg += '\n';
        }
        std::string act;
        for (int c = 0; c < 1000; ++c) {
            std::string line(1605, ' ');
            Put(line, 0, Digits(c + 1, 9));
            for (int k = 0; k < 10; ++k) {
                const size_t p = static_cast<size_t>(9 + 40 * k);
                if (k < 8) {
                    const int r = (c * 37 + k * 613) % 5000;
                    const int32_t date = first - 31 + r % 31;
                    Put(line, p + 2, "Z" + Digits(r / 31 * 7 % 10000, 4));
                    Put(line, p + 8, Date8(date));
                } else {
                    const int32_t date = first - 31 + (c + k) % 31;
                    Put(line, p, k == 8 ? "VC" : "RB");
                    Put(line, p + 16, Date8(date) + "0360" + Date8(date + 1) + "0300");
                }
            }
            for (size_t i = 0; i < 31; ++i)
                Put(line, 1481 + 4 * i, Digits(static_cast<long long>(i * 10), 4));
            act += line;
            act += '\n';
        }
        pairings = std::make_unique<TempFile>("tl-prior-pairings-5000", prg);
        activity = std::make_unique<TempFile>("tl-activity-1000", act);
    }
};

const ActivityFiles& Activity()
{
    static const ActivityFiles files;
    return files;
}

void BM_LoadActivity_1000Crew(benchmark::State& state)
{
    const ActivityFiles& files = Activity();
    auto doc = std::make_unique<tl::ScheduleDocument>();
    tl::SilentInteraction ui;
    (void)doc->SetMonth(ui, files.first, files.first + 29);
    doc->CrewCount = 1000;
    for (int c = 0; c < 1000; ++c) {
        doc->Crew[static_cast<size_t>(c)].EmpNumber = c + 1;
        doc->Crew[static_cast<size_t>(c)].Name = "A CREW";
    }
    for (auto _ : state) {
        bool loaded = tl::LoadLastMonthsData(*doc, files.activity->path, files.pairings->path, ui);
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_LoadActivity_1000Crew)->Unit(benchmark::kMillisecond);

void BM_ReadLines_Activity1000Crew(benchmark::State& state)
{
    const ActivityFiles& files = Activity();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadLines(files.activity->path));
        benchmark::DoNotOptimize(ReadLines(files.pairings->path));
    }
}
BENCHMARK(BM_ReadLines_Activity1000Crew)->Unit(benchmark::kMillisecond);

} // namespace
