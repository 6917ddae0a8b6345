#include "cli/run_cli.h"
#include "commands/command.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tl::cli {
namespace {

using test::RunCli;

// June 2027, two captains; the first flies 0102 on day 1, released 20:20.
std::string SaveMonth(const tl::test::TempDir& dir)
{
    const std::string path = (dir.path() / "june.tl2").string();
    tl::test::ScriptedInteraction ui;
    auto doc = std::make_unique<ScheduleDocument>();
    EXPECT_TRUE(doc->SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
    doc->CrewCount = 2;
    doc->LastPair = doc->LastBasePair = 1;
    for (size_t p = 0; p < 2; ++p) {
        TPair& pair = doc->Pairs[p];
        pair.PairNumber = int32_t(101 + p);
        pair.OnTime = p == 0 ? 480 : 400;
        pair.Tafb = p == 0 ? 600 : 820;
        pair.Length = 1;
        pair.Credit = pair.DayCredit[0] = 300;
        for (size_t d = 0; d < 30; ++d)
            pair.OpsCount[d] = 1;
    }
    doc->Crew[0].Name = "TREMBLAY \xC9LISE";
    doc->Crew[0].EmpNumber = 11;
    doc->Crew[0].DaySlot[0] = 1;
    doc->Pairs[1].OpsCount[0] = 2;
    doc->Crew[1].Name = "ROY JEAN";
    doc->Crew[1].EmpNumber = 12;
    EXPECT_TRUE(SaveBlocks(*doc, path, kSchedulerFile, ui));
    return path;
}

TEST(AssignmentCommandsTest, AssignRemoveUndoAndHistoryInTurn)
{
    tl::test::TempDir dir;
    const std::string file = SaveMonth(dir);
    const std::string asked = "Tessara Lines: This Assignment Provides Only  11:40 Crew Rest "
                              "Before .  Do You want to Assign It Anyway";
    const std::string cant = "Tessara Lines: Can't Assign. ";
    const std::string taken = cant + "Pairing allready Assigned\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
        std::string out = "";
        bool saved = false;
    } steps[] = {
        // clang-format off
        {{"assign", "--crew", "1", "--pair", "0", "--day", "2"}, 1,
         asked + " [No]\n" + cant + "Previous Assignment that day\n"},
        {{"assign", "--crew", "1", "--pair", "0", "--day", "2", "--yes"}, 0,
         asked + " [Yes]\n", "", true},
        {{"history"}, 0, "", "Assign\t101\t02/06/2027\tTREMBLAY \xC3\x89LISE\n"},
        {{"assign", "--crew", "2", "--pair", "0", "--day", "2"}, 1, taken},
        {{"remove", "--crew", "2", "--pair", "0", "--day", "2"}, 1, taken},
        {{"assign", "--crew", "3", "--pair", "1", "--day", "2"}, 1,
         cant + "Employee out of Range\n"},
        {{"undo"}, 0, "", "", true},
        {{"history"}, 0, ""},
        {{"undo"}, 1, "tlines-cli: the history is empty\n"},
        {{"remove", "--crew", "1", "--pair", "1", "--day", "1"}, 0, "", "", true},
        {{"history"}, 0, "", "Remove\t102\t01/06/2027\tTREMBLAY \xC3\x89LISE\n"},
        // clang-format on
    };
    for (const auto& step : steps) {
        std::vector<std::string> args = step.args;
        args.insert(args.begin() + 1, file);
        const std::string before = test::ReadFile(file);
        const test::CliRun run = RunCli(args);
        EXPECT_EQ(run.status, step.status) << args[0] << ' ' << run.err;
        EXPECT_EQ(run.err, step.err) << args[0];
        EXPECT_EQ(run.out, step.out) << args[0];
        EXPECT_EQ(test::ReadFile(file) != before, step.saved) << args[0];
    }
    tl::test::ScriptedInteraction ui;
    std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Crew[0].DaySlot[0], -1);
    EXPECT_EQ(doc->Crew[0].DaySlot[1], -1);
    EXPECT_EQ(doc->Pairs[1].OpsCount[0], 1);
}

} // namespace
} // namespace tl::cli
