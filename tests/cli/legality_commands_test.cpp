#include "cli/run_cli.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <vector>

namespace tl::cli {
namespace {

using test::RunCli;

// June 2027, two captains: the first holds pairings 0102 on days 1 and 2
// (10:00 to 01:00) that leave too little rest, the second bids 0101.
std::string SaveMonth(const tl::test::TempDir& dir)
{
    const std::string path = (dir.path() / "june.tl2").string();
    tl::test::ScriptedInteraction ui;
    auto doc = std::make_unique<ScheduleDocument>();
    EXPECT_TRUE(doc->SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
    doc->GroupName = "YYZDH8CAZ";
    doc->CrewCount = 2;
    doc->LastPair = doc->LastBasePair = 1;
    for (size_t p = 0; p < 2; ++p) {
        TPair& pair = doc->Pairs[p];
        pair.PairNumber = int32_t(101 + p);
        pair.OnTime = p == 0 ? 360 : 600;
        pair.Tafb = p == 0 ? 720 : 900;
        pair.Length = 1;
        pair.Credit = pair.DayCredit[0] = 300;
        pair.OpsCount.fill(1);
    }
    doc->Crew[0].Name = "TREMBLAY \xC9LISE";
    doc->Crew[0].EmpNumber = 11;
    doc->Crew[0].DaySlot[0] = doc->Crew[0].DaySlot[1] = 1;
    doc->Crew[1].Name = "ROY JEAN";
    doc->Crew[1].EmpNumber = 12;
    doc->Crew[1].FilterText = "0101TEXT";
    EXPECT_TRUE(SaveBlocks(*doc, path, kSchedulerFile, ui));
    return path;
}

TEST(LegalityCommandsTest, CheckListsWhatItFindsAndSucceeds)
{
    tl::test::TempDir dir;
    const std::string file = SaveMonth(dir);
    const test::CliRun plain = RunCli({"check", file});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "001 TREMBLAY \xC3\x89LISE\n  Illegalities: Rest  2\n");

    const test::CliRun json = RunCli({"check", file, "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json j = nlohmann::json::parse(json.out);
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[0]["Name"], "TREMBLAY \xC3\x89LISE");
    EXPECT_EQ(j[0]["EmpNumber"], 11);
    EXPECT_EQ(j[0]["Illegalities"], " Rest  2");
    EXPECT_EQ(j[0]["DayIllegal"][1], 1);
    EXPECT_EQ(j[0]["DayIllegal"].size(), 62u);
    EXPECT_EQ(j[0]["BlockCredit"], 600);
    EXPECT_EQ(j[1]["Illegalities"], "");
}

TEST(LegalityCommandsTest, WhoLegalPrintsBothListsAndWhy)
{
    tl::test::TempDir dir;
    const std::string file = SaveMonth(dir);
    const test::CliRun run = RunCli({"who-legal", file, "--pair", "0", "--day", "3", "--why"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Tessara Lines - 0101 on 03 Jun\n"
                       "002 ROY JEAN\n"
                       "\nWho Bid this Pairing Number\n"
                       "002 <<< ROY JEAN\n"
                       "\n"
                       "001 TREMBLAY \xC3\x89LISE: pairing 0102 on day 2 leaves 09:00 rest after "
                       "pairing 0102 on day 1, minimum 11:00\n");

    for (const char* day : {"0", "31"}) {
        const test::CliRun wrong = RunCli({"who-legal", file, "--pair", "0", "--day", day});
        EXPECT_EQ(wrong.status, 1);
        EXPECT_EQ(wrong.err, std::string("tlines-cli: the month has no day ") + day + "\n");
    }
    EXPECT_EQ(RunCli({"who-legal", file, "--pair", "2", "--day", "1"}).status, 1);
}

} // namespace
} // namespace tl::cli
