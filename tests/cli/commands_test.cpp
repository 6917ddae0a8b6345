#include "cli/run_cli.h"
#include "cliinteraction.h"
#include "model/version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <vector>

#include <sys/wait.h>

namespace tl::cli {
namespace {

using test::ReadAll;
using test::RunCli;

class CommandsTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return (dir.path() / name).string(); }

    // One crew member carrying personal data.
    std::string MonthWithCrew()
    {
        return test::SaveJune(dir, "YULDH8CAU", {"TREMBLAY \xC9LISE"}, {},
                              [](ScheduleDocument& doc) {
                                  doc.Crew[0].Phone1 = "514-555-0199";
                                  doc.Crew[0].DayLocked[2] = 1;
                              });
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

TEST_F(CommandsTest, NewWritesAnEmptyMonthAndReplacesAFileOnlyWhenToldYes)
{
    std::string file = Path("juin-\xC3\xA9t\xC3\xA9.tl2");
    ASSERT_EQ(test::NewMonth(file, "YVRCRJFAV", JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)), 0);
    test::CliRun shown = RunCli({"inspect", file, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    nlohmann::json j = nlohmann::json::parse(shown.out);
    EXPECT_EQ(j["GroupName"], "YVRCRJFAV");
    EXPECT_EQ(j["FileName"], file); // the system's text, not the document's code page
    // A name whose bytes are not UTF-8 still gives valid JSON.
    const std::string latin1 = Path("juin-\xE9t\xE9.tl2");
    std::filesystem::copy_file(file, latin1);
    test::CliRun odd = RunCli({"inspect", latin1, "--json"});
    ASSERT_EQ(odd.status, 0) << odd.err;
    EXPECT_EQ(nlohmann::json::parse(odd.out)["FileName"],
              Path("juin-\xEF\xBF\xBDt\xEF\xBF\xBD.tl2"));
    EXPECT_EQ(j["CrewKind"], kFlightAttendants);
    EXPECT_EQ(j["DaysInMonth"], 30);
    EXPECT_NE(RunCli({"inspect", file}).out.find("YVRCRJFAV (flight attendants)"),
              std::string::npos);

    const std::string before = ReadAll(file);
    std::vector<std::string> args{"new",     file,         "--group", "YYZDH8CAZ",
                                  "--start", "2027-06-01", "--end",   "2027-06-30"};
    test::CliRun refused = RunCli(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Tessara Lines: " + file + " already exists. Replace it? [No]\n");
    EXPECT_EQ(ReadAll(file), before);
    args.push_back("--yes");
    EXPECT_EQ(RunCli(args).status, 0);
    EXPECT_NE(ReadAll(file), before);
}

// Each copy leaves out the personal data and leaves the month's own file as it was.
TEST_F(CommandsTest, CopiesLeaveOutPersonalData)
{
    const struct {
        std::vector<std::string> args;
        std::filesystem::path copy;
        int kind;
    } cases[] = {
        // clang-format off
        {{"save-as", "FILE", Path("crew.tlv"), "--kind", "3"}, Path("crew.tlv"), 3},
        {{"save-for-viewer", "FILE", "--kind", "1"}, dir.path() / "Viewer" / "PreBuild_june.tlv", 1},
        {{"finalize", "FILE"}, dir.path() / "Company" / "june.tl2", 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args[1] = MonthWithCrew();
        // Opening builds the month; a scheduler copy holds it as built.
        ASSERT_EQ(RunCli({"build", args[1]}).status, 0);
        const std::string before = ReadAll(args[1]);
        test::CliRun run = RunCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const bool mailed = args[0] != "save-as"; // e-mailing is offered, answered No
        EXPECT_EQ(run.out, mailed ? c.copy.string() + "\n" : "");
        EXPECT_EQ(run.err.find("Do you want to e-mail") != std::string::npos, mailed);
        EXPECT_EQ(ReadAll(args[1]), before);
        nlohmann::json j =
            nlohmann::json::parse(RunCli({"inspect", c.copy.string(), "--json"}).out);
        EXPECT_EQ(j["FileKind"], c.kind);
        EXPECT_EQ(j["Crew"][0]["Name"], "TREMBLAY ÉLISE");
        EXPECT_EQ(j["Crew"][0]["Phone1"], "");
        EXPECT_EQ(j["Crew"][0]["DayLocked"][2], 0);
    }
    const std::string copy = Path("copy.tl2");
    ASSERT_EQ(RunCli({"save-as", Path("june.tl2"), copy}).status, 0);
    EXPECT_EQ(ReadAll(copy), ReadAll(Path("june.tl2")));
}

TEST_F(CommandsTest, FailuresExitWithTheirStatusAndSayWhy)
{
    const std::string none = Path("none.tl2");
    const std::string folder = dir.path().string();
    const std::string prg = Path("x.PRG"); // the pairing file must exist
    std::ofstream(prg) << "1Z8101\n";
    const std::string fifo = Path("pipe.tl2");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto newFile = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"new", none});
        return args;
    };
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        // clang-format off
        {{}, 2}, {{"--no-such-option"}, 2}, {{"no-such-command"}, 2},
        {{"inspect", none}, 1}, {{"inspect", folder}, 1},
        {{"inspect", fifo}, 1}, // a FIFO with no writer would block a plain open
        {{"inspect", "/dev/zero"}, 1},
        {newFile({"--start", "2027-06-01", "--end", "2027-06-30"}), 2}, // no group
        {newFile({"--group", "YYZDH8CAZ", "--start", "2027-6-1", "--end", "2027-06-30"}), 2},
        {newFile({"--group", "YYZDH8", "--start", "2027-06-01", "--end", "2027-06-30"}), 1},
        {newFile({"--group", "YYZDH8CAZ", "--start", "2027-06-01", "--end", "2027-07-02"}), 1},
        {{"inspect", none, "--yes", "--no"}, 2}, {{"save-as", none, none, "--kind", "4"}, 2},
        {{"import-pairings", none, prg, "--eqp", "8"}, 2}, // --eqp needs --base
        {{"import-pairings", none, prg, "--base", "z"}, 2}, {{"scan-lis", none}, 2},
        {{"assign", none, "--crew", "1", "--pair", "0x1", "--day", "1"}, 2}, // decimal only
        {{"remove", none, "--crew", " 1", "--pair", "1", "--day", "1"}, 2},
        // clang-format on
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        test::CliRun r = RunCli(cases[i].args);
        EXPECT_EQ(r.status, cases[i].status) << "case " << i << ": " << r.err;
        EXPECT_FALSE(r.err.empty()) << "case " << i;
    }
}

// Output that never arrived is a failure, said on stderr (the program itself,
// as only a real file descriptor shows it).
TEST_F(CommandsTest, UnwritableStandardOutputFails)
{
    const std::string file = MonthWithCrew();
    const std::string err = Path("err.txt");
    for (const std::string& args : {std::string("--version"), "inspect " + file}) {
        const int status =
            std::system((std::string(TL_CLI_BINARY) + " " + args + " >/dev/full 2>" + err).c_str());
        ASSERT_TRUE(WIFEXITED(status)) << args;
        EXPECT_EQ(WEXITSTATUS(status), 1) << args;
        EXPECT_NE(ReadAll(err).find("standard output could not be written"), std::string::npos);
    }
}

TEST(AnswerPolicyTest, AnswersFromTheOptions)
{
    EXPECT_EQ(AnswerFor(AnswerPolicy::Cancel, Buttons::YesNo), Answer::No);
    EXPECT_EQ(AnswerFor(AnswerPolicy::Cancel, Buttons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(AnswerFor(AnswerPolicy::No, Buttons::YesNoCancel), Answer::No);
    EXPECT_EQ(AnswerFor(AnswerPolicy::Yes, Buttons::Ok), Answer::Ok);
}

// File names are the system's UTF-8 bytes, not core text: they go out as they are;
// core text is converted.
TEST(CliInteractionTest, MessagesAndQuestionsGoToStderrListsToStdoutProgressToATerminal)
{
    std::ostringstream out, err;
    CliInteraction ui(out, err, AnswerPolicy::Cancel, false);
    ui.Message("File Error", "Cannot open file", Icon::Error);
    EXPECT_FALSE(ui.AskYes("Caution!", "All changes to file will be lost. Delete Anyway"));
    ui.ShowList("Summary", {"Pairing 1234 not found", "MONTR\311AL"});
    const std::filesystem::path file("/home/x/\xC3\x89t\xC3\xA9/juin.tl2");
    ui.MessageAboutFile("Tessara Lines - Cannot Open File", "%s", file, Icon::Error);
    EXPECT_EQ(ui.AskAboutFile("Tessara Lines", "Viewer File Saved as %s without personal data.",
                              file, Buttons::YesNo, Icon::Question),
              Answer::No);
    EXPECT_EQ(err.str(), "File Error: Cannot open file\n"
                         "Caution!: All changes to file will be lost. Delete Anyway [No]\n"
                         "Tessara Lines - Cannot Open File: /home/x/\xC3\x89t\xC3\xA9/juin.tl2\n"
                         "Tessara Lines: Viewer File Saved as /home/x/\xC3\x89t\xC3\xA9/juin.tl2 "
                         "without personal data. [No]\n");
    EXPECT_EQ(out.str(), "Pairing 1234 not found\nMONTRÉAL\n");

    // A progress bar only on a terminal, cleared before a message.
    const std::string said = err.str();
    ui.Progress("Loading", "Completed 1 of 2", 50);
    ui.ProgressDone();
    EXPECT_EQ(err.str(), said);

    std::ostringstream tty;
    CliInteraction shown(out, tty, AnswerPolicy::Cancel, true);
    shown.Progress("Loading", "Completed 1 of 2", 50);
    EXPECT_NE(tty.str().find("Loading [###############               ] Completed 1 of 2"),
              std::string::npos);
    shown.Message("Tessara Lines", "Done", Icon::Information);
    EXPECT_NE(tty.str().find("\r\x1b[KTessara Lines: Done\n"), std::string::npos);
}

} // namespace
} // namespace tl::cli
