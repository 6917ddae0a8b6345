// The bid import finds each crew member's record in the whole bid file:
// 1000 crew members and a bid file of several megabytes.
#include "import/bid_file.h"
#include "import/new_month.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_ImportBids_1000Crew(benchmark::State& state)
{
    tl::SilentInteraction ui;
    tl::ScheduleDocument doc;
    if (!tl::CreateEmptyMonth(doc, "YYZDH8FOZ", tl::JulianDay(11, 1, 2027),
                              tl::JulianDay(11, 30, 2027), ui)) {
        state.SkipWithError("no month");
        return;
    }
    doc.CrewCount = tl::ScheduleDocument::kCrewCapacity;
    for (int c = 0; c < doc.CrewCount; ++c) {
        doc.Crew[static_cast<size_t>(c)].EmpNumber = 200000 + c * 7;
        doc.Crew[static_cast<size_t>(c)].Name = "A PILOT";
    }
    // Every tenth crew member sends no bid; long comments make the file
    // several megabytes, as real ones with their histories are.
    const std::string comment(3000, 'c');
    std::string file = "\"EmpNo\",\"FirstName\",\"LastName\"\n";
    for (int c = doc.CrewCount - 1; c >= 0; --c) {
        if (c % 10 == 9)
            continue;
        file += tl::Format("\"%06d\",", 200000 + c * 7);
        for (int f = 2; f <= tl::bid_file::kFields; ++f)
            file += f == 12   ? "\"5,+2\","
                    : f == 22 ? "\"OFF 10-12, 20\","
                    : f == 31 ? "\"" + comment + "\","
                              : "\"x\",";
        file += "\"end_x_bid\"\n";
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(tl::ImportPilotBidsText(doc, file, ui).Found);
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_ImportBids_1000Crew)->Unit(benchmark::kMillisecond);

} // namespace
