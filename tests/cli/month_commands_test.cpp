#include "cli/run_cli.h"
#include "commands/command.h"
#include "storage/month_lock.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tl::cli {
namespace {

using test::RunCli;

const std::vector<std::string> kCaptains{"TREMBLAY \xC9LISE", "ROY JEAN"};

TEST(AssignmentCommandsTest, AssignRemoveUndoAndHistoryInTurn)
{
    // The first captain flies 0102 on day 1, released 20:20.
    tl::test::TempDir dir;
    const std::string file =
        test::SaveJune(dir, "", kCaptains, {{480, 600}, {400, 820}}, [](ScheduleDocument& doc) {
            doc.Crew[0].DaySlot[0] = 1;
            doc.Pairs[1].OpsCount[0] = 2;
        });
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
        const std::string before = test::ReadAll(file);
        const test::CliRun run = RunCli(args);
        EXPECT_EQ(run.status, step.status) << args[0] << ' ' << run.err;
        EXPECT_EQ(run.err, step.err) << args[0];
        EXPECT_EQ(run.out, step.out) << args[0];
        EXPECT_EQ(test::ReadAll(file) != before, step.saved) << args[0];
    }
    tl::test::ScriptedInteraction ui;
    std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Crew[0].DaySlot[0], -1);
    EXPECT_EQ(doc->Crew[0].DaySlot[1], -1);
    EXPECT_EQ(doc->Pairs[1].OpsCount[0], 1);
}

// While another program holds the month, commands that change it are refused
// naming the holder and leave the file as it was; reading it works.
TEST(MonthLockCommandsTest, EditingIsRefusedWhileHeldReadingIsNot)
{
    tl::test::TempDir dir;
    const std::string file =
        test::SaveJune(dir, "", kCaptains, {{480, 600}, {400, 820}}, [](ScheduleDocument&) {});
    const std::string before = test::ReadAll(file);
    const std::vector<std::string> assign{"assign", file, "--crew", "1",
                                          "--pair", "0",  "--day",  "2"};
    {
        MonthLock held;
        ASSERT_EQ(held.Take(file), MonthLock::Result::Taken);
        for (const std::vector<std::string>& args :
             {assign, {"build", file}, {"save-for-viewer", file}}) {
            const test::CliRun run = RunCli(args);
            EXPECT_EQ(run.status, 1) << args[0];
            EXPECT_EQ(run.err.find("File in Use: " + file + "\nis open for editing by "), 0u)
                << run.err;
        }
        EXPECT_EQ(test::ReadAll(file), before);
        EXPECT_EQ(RunCli({"inspect", file}).status, 0);
        EXPECT_EQ(RunCli({"history", file}).status, 0);
    }
    EXPECT_EQ(RunCli(assign).status, 0);
    EXPECT_FALSE(std::filesystem::exists(MonthLock::LockFileOf(file)));
}

// The program run twice at once on one month, as two schedulers would: each
// run either saves its change or is refused; no change is lost.
TEST(MonthLockCommandsTest, TwoProcessesAtOnceLoseNoChange)
{
    tl::test::TempDir dir;
    const std::string file =
        test::SaveJune(dir, "", kCaptains, {{480, 600}, {400, 820}}, [](ScheduleDocument&) {});
    const std::string original = test::ReadAll(file);
    const auto start = [&](const char* crew, const char* pair, const std::string& err) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        std::vector<std::string> args{TL_CLI_BINARY, "assign", file,    "--crew", crew,
                                      "--pair",      pair,     "--day", "2"};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, TL_CLI_BINARY, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    };
    const auto finish = [](pid_t pid) {
        int status = -1;
        EXPECT_EQ(waitpid(pid, &status, 0), pid);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string errA = (dir.path() / "a.err").string(),
                      errB = (dir.path() / "b.err").string();
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        tl::test::WriteAll(file, original);
        const pid_t a = start("1", "0", errA), b = start("2", "1", errB);
        const int statusA = finish(a), statusB = finish(b);
        tl::test::ScriptedInteraction ui;
        std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui);
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->Crew[0].DaySlot[1] == 0, statusA == 0);
        EXPECT_EQ(doc->Crew[1].DaySlot[1] == 1, statusB == 0);
        for (const auto& [status, err] : {std::pair{statusA, errA}, std::pair{statusB, errB}}) {
            if (status != 0) {
                EXPECT_EQ(status, 1);
                EXPECT_NE(test::ReadAll(err).find("is open for editing by "), std::string::npos);
            }
        }
    }
}

TEST(BuildCommandsTest, BuildRepairsOnceSavesTheBuiltMonthAndReports)
{
    // Three first officers: the first two both hold 0101 on day 3, the third
    // is an open line holding 0102 on day 4.
    tl::test::TempDir dir;
    const std::vector<std::string> names{"ROY JEAN", "GAGNON L\xC9" "A", "CAPT PAIRINGS"};
    const std::string file = test::SaveJune(
        dir, "YYZDH8FOZ", names, {{600, 480}, {600, 480}}, [](ScheduleDocument& doc) {
            doc.CrewKind = 1;
            doc.Pairs[0].DayStart[0] = doc.Pairs[1].DayStart[0] = 600;
            doc.Crew[2].EmpNumber = -1;
            doc.Crew[0].DaySlot[2] = doc.Crew[1].DaySlot[2] = 0;
            doc.Crew[2].DaySlot[3] = 1;
        });
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

// The first captain holds 0102 on days 1 and 2 (10:00 to 01:00), too little
// rest; the second bids 0101.
TEST(LegalityCommandsTest, CheckAndWhoLegalSayWhatTheyFind)
{
    tl::test::TempDir dir;
    const std::string file = test::SaveJune(dir, "YYZDH8CAZ", kCaptains, {{360, 720}, {600, 900}},
                                            [](ScheduleDocument& doc) {
                                                doc.Crew[0].DaySlot[0] = doc.Crew[0].DaySlot[1] = 1;
                                                doc.Crew[1].FilterText = "0101TEXT";
                                            });
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
