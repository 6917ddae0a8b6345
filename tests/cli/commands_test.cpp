#include "cli/run_cli.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <vector>

namespace tl::cli {
namespace {

using test::ReadFile;
using test::RunCli;

class CommandsTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return (dir.path() / name).string(); }

    // A month with one crew member carrying personal data, saved as FILE.
    std::string MonthWithCrew()
    {
        std::string path = Path("crew.tl2");
        tl::test::ScriptedInteraction ui;
        auto doc = std::make_unique<ScheduleDocument>();
        EXPECT_TRUE(doc->SetMonth(ui, JulianDay(3, 1, 2027), JulianDay(3, 31, 2027)));
        doc->GroupName = "YULDH8CAU";
        doc->CrewCount = 1;
        doc->Crew[0].Name = "TREMBLAY \xC9LISE";
        doc->Crew[0].Phone1 = "514-555-0199";
        doc->Crew[0].DayLocked[2] = 1;
        EXPECT_TRUE(SaveBlocks(*doc, path, kSchedulerFile, ui));
        return path;
    }

    tl::test::TempDir dir;
};

TEST(CliAppTest, VersionAndHelp)
{
    test::CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string(tl::Version()) + "\n");
    test::CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Exit status: 0 success, 1 refused or failed, 2 wrong usage."),
              std::string::npos);
}

TEST_F(CommandsTest, NewWritesAnEmptyMonthThatInspectShowsAsJson)
{
    std::string file = Path("june.tl2");
    test::CliRun made = RunCli(
        {"new", file, "--group", "YVRCRJFAV", "--start", "2027-06-01", "--end", "2027-06-30"});
    ASSERT_EQ(made.status, 0) << made.err;

    test::CliRun shown = RunCli({"inspect", file, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    nlohmann::json j = nlohmann::json::parse(shown.out);
    EXPECT_EQ(j["GroupName"], "YVRCRJFAV");
    EXPECT_EQ(j["CrewKind"], 2);
    EXPECT_EQ(j["DaysInMonth"], 30);

    test::CliRun summary = RunCli({"inspect", file});
    EXPECT_NE(summary.out.find("YVRCRJFAV (flight attendants)"), std::string::npos);
}

TEST_F(CommandsTest, NewRefusesToReplaceAFileUnlessToldYes)
{
    std::string file = MonthWithCrew();
    const std::string before = ReadFile(file);
    std::vector<std::string> args{"new",     file,         "--group", "YYZDH8CAZ",
                                  "--start", "2027-06-01", "--end",   "2027-06-30"};
    test::CliRun refused = RunCli(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Tessara Lines: " + file + " already exists. Replace it? [No]\n");
    EXPECT_EQ(ReadFile(file), before);

    args.push_back("--yes");
    EXPECT_EQ(RunCli(args).status, 0);
    EXPECT_NE(ReadFile(file), before);
}

TEST_F(CommandsTest, SaveAsViewerKindLeavesOutPersonalData)
{
    std::string file = MonthWithCrew();
    // Opening builds the month; a scheduler copy holds it as built.
    ASSERT_EQ(RunCli({"build", file}).status, 0);
    const std::string before = ReadFile(file);
    std::string viewer = Path("crew.tlv");
    test::CliRun copied = RunCli({"save-as", file, viewer, "--kind", "3"});
    ASSERT_EQ(copied.status, 0) << copied.err;
    EXPECT_EQ(ReadFile(file), before);

    nlohmann::json j = nlohmann::json::parse(RunCli({"inspect", viewer, "--json"}).out);
    EXPECT_EQ(j["FileKind"], 3);
    EXPECT_EQ(j["Crew"][0]["Name"], "TREMBLAY ÉLISE");
    EXPECT_EQ(j["Crew"][0]["Phone1"], "");
    EXPECT_EQ(j["Crew"][0]["DayLocked"][2], 0);

    std::string copy = Path("copy.tl2");
    ASSERT_EQ(RunCli({"save-as", file, copy}).status, 0);
    EXPECT_EQ(ReadFile(copy), before);
}

TEST_F(CommandsTest, CopiesForViewerAndCompanyLeaveOutPersonalData)
{
    const struct {
        std::vector<std::string> args;
        std::filesystem::path copy;
        int kind;
    } cases[] = {
        {{"save-for-viewer", "FILE", "--kind", "1"},
         dir.path() / "Viewer" / "PreBuild_crew.tlv",
         1},
        {{"finalize", "FILE"}, dir.path() / "Company" / "crew.tl2", 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args[1] = MonthWithCrew();
        test::CliRun run = RunCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.copy.string() + "\n");
        EXPECT_NE(run.err.find("Do you want to e-mail"), std::string::npos); // answered No
        nlohmann::json j =
            nlohmann::json::parse(RunCli({"inspect", c.copy.string(), "--json"}).out);
        EXPECT_EQ(j["FileKind"], c.kind);
        EXPECT_EQ(j["Crew"][0]["Phone1"], "");
        nlohmann::json own = nlohmann::json::parse(RunCli({"inspect", args[1], "--json"}).out);
        EXPECT_EQ(own["Crew"][0]["Phone1"], "514-555-0199");
    }
}

TEST_F(CommandsTest, FailuresExitWithTheirStatusAndSayWhy)
{
    const std::string none = Path("none.tl2");
    const std::string folder = dir.path().string();
    auto newFile = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"new", none});
        return args;
    };
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{}, 2},
        {{"--no-such-option"}, 2},
        {{"no-such-command"}, 2},
        {{"inspect", none}, 1},
        {{"inspect", folder}, 1},
        {newFile({"--start", "2027-06-01", "--end", "2027-06-30"}), 2}, // no group
        {newFile({"--group", "YYZDH8CAZ", "--start", "2027-6-1", "--end", "2027-06-30"}), 2},
        {newFile({"--group", "YYZDH8", "--start", "2027-06-01", "--end", "2027-06-30"}), 1},
        {newFile({"--group", "YYZDH8CAZ", "--start", "2027-06-01", "--end", "2027-07-02"}), 1},
        {{"inspect", none, "--yes", "--no"}, 2},
        {{"save-as", none, none, "--kind", "4"}, 2},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        test::CliRun r = RunCli(cases[i].args);
        EXPECT_EQ(r.status, cases[i].status) << "case " << i << ": " << r.err;
        EXPECT_FALSE(r.err.empty()) << "case " << i;
    }
}

} // namespace
} // namespace tl::cli
