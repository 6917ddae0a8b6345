#include "cli/run_cli.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tl::cli {
namespace {

using test::RunCli;

// June 2027, three first officers: the first two both hold pairing 0101 on
// day 3, the third is an open line holding pairing 0102 on day 4.
std::string SaveMonth(const tl::test::TempDir& dir)
{
    const std::string path = (dir.path() / "june.tl2").string();
    tl::test::ScriptedInteraction ui;
    auto doc = std::make_unique<ScheduleDocument>();
    EXPECT_TRUE(doc->SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
    doc->GroupName = "YYZDH8FOZ";
    doc->CrewKind = 1;
    doc->CrewCount = 3;
    doc->LastPair = doc->LastBasePair = 1;
    for (size_t p = 0; p < 2; ++p) {
        TPair& pair = doc->Pairs[p];
        pair.PairNumber = int32_t(101 + p);
        pair.OnTime = pair.DayStart[0] = 600;
        pair.Tafb = 480;
        pair.Length = 1;
        pair.Credit = pair.DayCredit[0] = 300;
        pair.OpsCount.fill(1);
    }
    const char* names[] = {"ROY JEAN", "GAGNON L\xC9" "A", "CAPT PAIRINGS"};
    for (size_t c = 0; c < 3; ++c) {
        doc->Crew[c].Name = names[c];
        doc->Crew[c].EmpNumber = c < 2 ? int32_t(11 + c) : -1;
    }
    doc->Crew[0].DaySlot[2] = doc->Crew[1].DaySlot[2] = 0;
    doc->Crew[2].DaySlot[3] = 1;
    EXPECT_TRUE(SaveBlocks(*doc, path, kSchedulerFile, ui));
    return path;
}

TEST(BuildCommandsTest, BuildRepairsOnceSavesTheBuiltMonthAndReports)
{
    tl::test::TempDir dir;
    const std::string file = SaveMonth(dir);
    const test::CliRun first = RunCli({"build", file});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "Tessara Lines: Error 101 Emp GAGNON L\xC3\x89" "A Day 3 Errors Corrected "
                         "OK to proceed\n");
    const std::string found = "Invalid pairings: 0\n"
                              "Block holders: 3 of 3\n"
                              "Open credit: 0290:00\n"
                              "Blocks with exceptions: 0, with warnings: 0\n";
    EXPECT_EQ(first.out, "Errors corrected: 1\n"
                         "  Error 101 Emp GAGNON L\xC3\x89" "A Day 3\n" + found);

    const test::CliRun second = RunCli({"build", file});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(second.out, "Errors corrected: 0\n" + found);

    // What opening shows: the marks as built, the open line's day flagged.
    const nlohmann::json j = nlohmann::json::parse(RunCli({"inspect", file, "--json"}).out);
    EXPECT_EQ(j["GridOn"], true);
    EXPECT_EQ(j["BuildState"], 1);
    EXPECT_EQ(j["DayBalance"].size(), 30u);
    EXPECT_EQ(j["Crew"][1]["DaySlot"][2], -1);
    EXPECT_EQ(j["Pairs"][0]["OpsCount"][2], 2);
    EXPECT_EQ(j["Pairs"][1]["OpsCount"][3], -2);
    EXPECT_EQ(j["Pairs"][1]["OpsCount"][4], 1);

    const test::CliRun report = RunCli({"report", "warnings", file});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_EQ(report.out, "------- EXCEPTIONS -------\n\n\n------ WARNINGS ------\n\n");
    EXPECT_EQ(RunCli({"report"}).status, 2);
}

} // namespace
} // namespace tl::cli
