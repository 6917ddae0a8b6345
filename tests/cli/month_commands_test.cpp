#include "cli/run_cli.h"
#include "commands/command.h"
#include "core/pairing_edit_cases.h"
#include "model/text_encoding.h"
#include "output/crewtrac_export.h"
#include "output/other_exports.h"
#include "output/pairing_reports.h"
#include "rules/history.h"
#include "storage/month_lock.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

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
            doc.Pairs[1].OpsCount[0] = kOpsAssigned;
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
        {{"remove", "--crew", "2", "--pair", "0", "--day", "2"}, 1,
         "Tessara Lines: Can't Remove. Pairing not Assigned to that Employee\n"},
        {{"assign", "--crew", "3", "--pair", "1", "--day", "2"}, 1,
         cant + "Employee out of Range\n"},
        // Undoing the removal asks again; No keeps it to undo later.
        {{"remove", "--crew", "1", "--pair", "0", "--day", "2"}, 0, "", "", true},
        {{"undo"}, 1,
         asked + " [No]\ntlines-cli: nothing undone; the transaction stays in the history\n"},
        {{"undo", "--yes"}, 0, asked + " [Yes]\n", "", true},
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
    EXPECT_EQ(doc->Crew[0].DaySlot[0], kFreeSlot);
    EXPECT_EQ(doc->Crew[0].DaySlot[1], kFreeSlot);
    EXPECT_EQ(doc->Pairs[1].OpsCount[0], 1);
}

// While another program holds the month, commands that change it are refused
// naming the holder and leave the file as it was; reading it works. Run twice
// at once, as two schedulers would, each run either saves its change or is
// refused: no change is lost.
TEST(MonthLockCommandsTest, EditingIsRefusedWhileHeldAndNoChangeIsLost)
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
             {assign,
              {"build", file},
              {"save-for-viewer", file},
              {"edit-pairing", file, "--pair", "0", "--on", "09:00"}}) {
            const test::CliRun run = RunCli(args);
            EXPECT_EQ(run.status, 1) << args[0];
            EXPECT_EQ(run.err.find("File in Use: " + file + "\nis open for editing by "), 0u)
                << run.err;
        }
        EXPECT_EQ(test::ReadAll(file), before);
        EXPECT_EQ(RunCli({"inspect", file}).status, 0);
        EXPECT_EQ(RunCli({"history", file}).status, 0);
        EXPECT_EQ(RunCli({"pairing-warnings", file}).status, 0);
    }
    EXPECT_EQ(RunCli(assign).status, 0);
    EXPECT_FALSE(std::filesystem::exists(MonthLock::LockFileOf(file)));

    // Separate processes, each writing its exit status beside its stderr.
    const auto run = [&](const char* crew, const char* pair, const std::string& out) {
        return "(" TL_CLI_BINARY " assign '" + file + "' --crew " + crew + " --pair " + pair +
               " --day 2 >/dev/null 2>'" + out + ".err'; echo $? >'" + out + ".status') & ";
    };
    const std::string a = (dir.path() / "a").string(), b = (dir.path() / "b").string();
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        tl::test::WriteAll(file, before);
        ASSERT_EQ(std::system((run("1", "0", a) + run("2", "1", b) + "wait").c_str()), 0);
        const int statusA = std::stoi(test::ReadAll(a + ".status"));
        const int statusB = std::stoi(test::ReadAll(b + ".status"));
        tl::test::ScriptedInteraction ui;
        std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui);
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->Crew[0].DaySlot[1] == 0, statusA == 0);
        EXPECT_EQ(doc->Crew[1].DaySlot[1] == 1, statusB == 0);
        for (const auto& [status, out] : {std::pair{statusA, a}, std::pair{statusB, b}}) {
            if (status != 0) {
                EXPECT_EQ(status, 1);
                EXPECT_NE(test::ReadAll(out + ".err").find("is open for editing by "),
                          std::string::npos);
            }
        }
    }
}

// The editor's cases: refused edits leave the file's bytes, stored ones
// save the pairing and free the crew member of a day taken off.
TEST(PairingCommandsTest, EditPairingChecksAsTheEditorDoes)
{
    for (const tl::test::PairEditCase& c : tl::test::PairEditCases()) {
        SCOPED_TRACE(c.name);
        tl::test::TempDir dir;
        const std::string file =
            test::SaveJune(dir, "YYZDH8CAZ", {"CREW 1"}, {}, tl::test::ShapeEditedMonth);
        const std::string before = test::ReadAll(file);
        std::vector<std::string> args{"edit-pairing", file, "--pair", "0"};
        for (auto [option, value] : {std::pair{"--number", c.number}, std::pair{"--on", c.on},
                                     std::pair{"--credit", c.credit}, std::pair{"--tafb", c.tafb},
                                     std::pair{"--days", c.days}})
            if (!value.empty())
                args.insert(args.end(), {option, value});
        const test::CliRun run = RunCli(args);
        if (!c.problems.empty()) {
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.err, "Errors in this Pairing at Index 000!: " + c.problems + "\n");
            EXPECT_EQ(test::ReadAll(file), before);
            continue;
        }
        ASSERT_EQ(run.status, 0) << run.err;
        std::string said;
        for (const std::string& m : c.messages)
            said += m + "\n";
        EXPECT_EQ(run.err, said);
        tl::test::ScriptedInteraction ui;
        std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui);
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->Pairs[0].Length, c.length);
        EXPECT_EQ(doc->Pairs[0].OffTime, c.off);
        EXPECT_EQ(doc->Crew[0].DaySlot[2], c.days.empty() ? 0 : kFreeSlot);
    }

    // A duty day is stored with the header, or neither is.
    tl::test::TempDir dir;
    const std::string file =
        test::SaveJune(dir, "YYZDH8CAZ", {"CREW 1"}, {}, tl::test::ShapeEditedMonth);
    const std::string before = test::ReadAll(file);
    std::vector<std::string> args{"edit-pairing", file,   "--pair",       "0",
                                  "--duty-day",   "1",    "--number",     "0777",
                                  "--hard",       "4:30", "--day-credit", "24:00"};
    const test::CliRun refused = RunCli(args);
    EXPECT_EQ(refused.err, "Tessara Lines: Daily Data Invalid. Please Correct the Data\n");
    EXPECT_EQ(test::ReadAll(file), before);
    args.back() = "05:00";
    ASSERT_EQ(RunCli(args).status, 0);
    EXPECT_NE(RunCli({"pairing-warnings", file})
                  .out.find("\nPair 0777  Credit 05:00  Hard 04:30  OPER 30  Running Total "),
              std::string::npos);
}

TEST(BuildCommandsTest, BuildRepairsOnceSavesTheBuiltMonthAndReports)
{
    // Three first officers: the first two both hold 0101 on day 3, the third
    // is an open line holding 0102 on day 4.
    tl::test::TempDir dir;
    const std::vector<std::string> names{"ROY JEAN", "GAGNON L\311A", "CAPT PAIRINGS"};
    const std::string file = test::SaveJune(
        dir, "YYZDH8FOZ", names, {{600, 480}, {600, 480}}, [](ScheduleDocument& doc) {
            doc.CrewKind = kFirstOfficers;
            doc.Pairs[0].DayStart[0] = doc.Pairs[1].DayStart[0] = 600;
            doc.Crew[2].EmpNumber = -1;
            doc.Crew[0].DaySlot[2] = doc.Crew[1].DaySlot[2] = 0;
            doc.Crew[2].DaySlot[3] = 1;
        });
    const test::CliRun first = RunCli({"build", file});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "Tessara Lines: Error 101 Emp GAGNON L\xC3\211A Day 3 Errors Corrected "
                         "OK to proceed\n");
    const std::string found = "Invalid pairings: 0\n"
                              "Block holders: 3 of 3\n"
                              "Open credit: 0290:00\n"
                              "Blocks with exceptions: 0, with warnings: 0\n";
    EXPECT_EQ(first.out, "Errors corrected: 1\n"
                         "  Error 101 Emp GAGNON L\xC3\211A Day 3\n" +
                             found);

    const test::CliRun second = RunCli({"build", file});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(second.out, "Errors corrected: 0\n" + found);

    // What opening shows: the marks as built, the open line's day flagged.
    const nlohmann::json j = nlohmann::json::parse(RunCli({"inspect", file, "--json"}).out);
    EXPECT_EQ(j["GridOn"], true);
    EXPECT_EQ(j["BuildState"], 1);
    EXPECT_EQ(j["DayBalance"].size(), 30u);
    EXPECT_EQ(j["Crew"][1]["DaySlot"][2], kFreeSlot);
    EXPECT_EQ(j["Pairs"][0]["OpsCount"][2], 2);
    EXPECT_EQ(j["Pairs"][1]["OpsCount"][3], -2);
    EXPECT_EQ(j["Pairs"][1]["OpsCount"][4], 1);

    const test::CliRun report = RunCli({"report", "warnings", file});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_EQ(report.out, "------- EXCEPTIONS -------\n\n\n------ WARNINGS ------\n\n");
    EXPECT_EQ(RunCli({"report"}).status, 2);

    // The clipboard reports as the program makes them, in UTF-8.
    tl::test::ScriptedInteraction ui;
    std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui);
    ASSERT_TRUE(doc);
    for (const auto& [name, text] : {std::pair{"global", ClipboardLines(GlobalInfoLines(*doc))},
                                     std::pair{"pairings", PairingReport(*doc).Text},
                                     std::pair{"crew-lines", CrewLines(*doc, ui).Text}}) {
        const test::CliRun run = RunCli({"report", name, file});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, Cp1252ToUtf8(text)) << name;
    }
    // The exports: the page beside FILE, the training report, chosen blocks.
    const std::string page = file.substr(0, file.size() - 4) + ".htm";
    const std::string csv = (dir.path() / "training.csv").string();
    doc->Crew[0].Selected = doc->Crew[2].Selected = 1;
    for (const auto& [args, status, out] :
         {std::tuple{std::vector<std::string>{"html"}, 0, page + "\n"},
          std::tuple{std::vector<std::string>{"training", csv}, 0, std::string()},
          std::tuple{std::vector<std::string>{"blocks", "--crew", "3", "--crew", "1"}, 0,
                     Cp1252ToUtf8(SelectedBlocksText(*doc, false, false, ui))},
          std::tuple{std::vector<std::string>{"blocks"}, 0,
                     std::string("Selected Blocks for Jun 2027.\r\n\r\n")},
          std::tuple{std::vector<std::string>{"blocks", "--crew", "4"}, 1, std::string()}}) {
        std::vector<std::string> line{"export", args[0], file};
        line.insert(line.end(), args.begin() + 1, args.end());
        const test::CliRun run = RunCli(line);
        EXPECT_EQ(run.status, status) << args[0] << ' ' << run.err;
        EXPECT_EQ(run.out, out) << args[0];
    }
    EXPECT_EQ(test::ReadAll(page), InternetPage(*doc, ui));
    EXPECT_EQ(test::ReadAll(csv), TrainingReportText(*doc));

    // The crew tracking export goes beside FILE, the summary to stdout.
    const std::vector<std::string> exportArgs{"export", "crewtrac",    file, "--base", "V", "--eqp",
                                              "8",      "--crew-type", "fo", "--name"};
    std::vector<std::string> args = exportArgs;
    args.push_back("JUN");
    const test::CliRun exported = RunCli(args);
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "Blk 3 Capt Pairings-LineIndoc. Not Exported\nExport Completed\n");
    const CrewTracCodes codes{"JUN", "V", "8", CrewType::FirstOfficer};
    std::vector<std::string> summary;
    EXPECT_EQ(test::ReadAll(dir.path() / "Export" / "JUN.BAW"), BawText(*doc, codes, false));
    EXPECT_EQ(test::ReadAll(dir.path() / "Export" / "JUN.LIN"), LinText(*doc, codes, summary));
    args.back() = "NINECHARS";
    const test::CliRun refused = RunCli(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Export Error: FileName needs to be 1-8 char long. \n");

    // Read back onto the month without its blocks; onto the month itself
    // nothing is free, so nothing changes.
    const std::string baw = (dir.path() / "Export" / "JUN.BAW").string();
    tl::test::TempDir emptyDir;
    const std::string empty =
        test::SaveJune(emptyDir, "YYZDH8FOZ", names, {{600, 480}, {600, 480}},
                       [](ScheduleDocument& d) { d.CrewKind = kFirstOfficers; });
    const test::CliRun placed = RunCli({"import-blocks", empty, baw, "--yes"});
    EXPECT_EQ(placed.status, 0) << placed.err;
    EXPECT_EQ(placed.out, "1 Days Placed\n");
    const std::string before = test::ReadAll(file);
    EXPECT_EQ(RunCli({"import-blocks", file, baw, "--yes"}).status, 1);
    EXPECT_EQ(test::ReadAll(file), before);
}

// A month not read whole (its end marker missing, a newer version, building
// stopped by --yes to the edit question) and a viewer copy are never written
// back: commands that change the month leave FILE's bytes as they are, and
// commands that read it show what was read and exit 1 unless it is whole.
TEST(MonthCommandsTest, MonthsNotWholeAndViewerCopiesAreNeverWrittenBack)
{
    tl::test::TempDir dir;
    const auto save = [&](bool invalid) {
        return test::ReadAll(test::SaveJune(dir, "YYZDH8CAZ", kCaptains, {{480, 600}, {400, 820}},
                                            [&](ScheduleDocument& doc) {
                                                AddTransaction(doc.History, 0, 0, 2, 1);
                                                if (invalid)
                                                    doc.Pairs[1].OpsCount.fill(0);
                                            }));
    };
    const std::string stopped = save(true);
    const std::string good = save(false);
    const std::string file = (dir.path() / "june.tl2").string();
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes, why;
    } files[] = {
        {"damaged", good.substr(0, good.size() - 4), "its end marker is missing"},
        {"newer", replaced("TessaraLines29", "TessaraLines30"),
         "its version \"30\" is newer than \"29\""},
        {"stopped", stopped, "building the month stopped"},
        {"viewer", replaced("TessaraLines29", "TLView_Final29"), "is a viewer copy (TLView_Final)"},
    };
    // clang-format off
    const std::vector<std::vector<std::string>> changes = {
        {"assign", file, "--crew", "2", "--pair", "0", "--day", "2"}, {"undo", file}, {"build", file},
        {"import-pairings", file, file}, {"save-for-viewer", file}, {"finalize", file},
        {"save-as", file, file}, {"edit-pairing", file, "--pair", "0", "--on", "09:00"},
        {"roster", file, "delete", "1"}};
    // clang-format on
    const std::vector<std::vector<std::string>> reads = {
        {"inspect", file}, {"history", file}, {"pairing-warnings", file}};
    for (const auto& f : files) {
        const bool viewer = std::string(f.name) == "viewer";
        for (std::vector<std::string> args : changes) {
            SCOPED_TRACE(std::string(f.name) + " " + args[0]);
            tl::test::WriteAll(file, f.bytes);
            args.push_back("--yes");
            const test::CliRun run = RunCli(args);
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find("not changed"), std::string::npos) << run.err;
            EXPECT_EQ(test::ReadAll(file), f.bytes);
        }
        for (std::vector<std::string> args : reads) {
            SCOPED_TRACE(std::string(f.name) + " " + args[0]);
            args.push_back("--yes");
            const test::CliRun run = RunCli(args);
            EXPECT_EQ(run.status, viewer ? 0 : 1);
            EXPECT_FALSE(run.out.empty());
            EXPECT_EQ(run.err.find(f.why) != std::string::npos, !viewer) << run.err;
        }
        // Save As a new name keeps what was read, as a scheduler's file.
        const std::string copy = (dir.path() / (std::string(f.name) + ".tl2")).string();
        EXPECT_EQ(RunCli({"save-as", file, copy, "--yes"}).status, viewer ? 0 : 1);
        EXPECT_EQ(RunCli({"inspect", copy}).status, 0);
    }

    // save-as replaces a file only when told Yes, and never writes a viewer
    // kind onto FILE itself.
    tl::test::WriteAll(file, good);
    const std::string other = (dir.path() / "stopped.tl2").string();
    const std::string before = test::ReadAll(other);
    const test::CliRun refused = RunCli({"save-as", file, other});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Tessara Lines: " + other + " already exists. Replace it? [No]\n");
    EXPECT_EQ(test::ReadAll(other), before);
    EXPECT_EQ(RunCli({"save-as", file, other, "--yes"}).status, 0);
    EXPECT_NE(test::ReadAll(other), before);
    for (const char* kind : {"1", "3"}) {
        const test::CliRun onto = RunCli({"save-as", file, file, "--kind", kind, "--yes"});
        EXPECT_EQ(onto.status, 1);
        EXPECT_NE(onto.err.find("never written onto"), std::string::npos) << onto.err;
    }
    EXPECT_EQ(test::ReadAll(file), good);
}

// The roster editor's operations by roster position; every refusal leaves
// FILE as it was.
TEST(RosterCommandTest, MoveDeleteAndInsertWithTheEditorsChecks)
{
    tl::test::TempDir dir;
    const std::string file = test::SaveJune(dir, "", {"ONE", "TWO", "OPEN", "FOUR"}, {{480, 600}},
                                            [](ScheduleDocument& doc) {
                                                doc.Crew[2].EmpNumber = -1;
                                                doc.Crew[1].DaySlot[0] = 0;
                                                doc.Pairs[0].OpsCount[0] = kOpsAssigned;
                                            });
    const std::string invalid = "Oops: Invalid Roster Number!\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err, out = "";
    } steps[] = {
        {{"move", "4", "--to", "1"}, 0, "", "FOUR MOVED TO POSITION 001\n"},
        {{"move", "3", "--to", "3"},
         1,
         "tlines-cli: nothing moved: the crew member is at that position already\n"},
        {{"move", "4", "--to", "1"}, 1, invalid}, // an open line
        {{"move", "1", "--to", "9"}, 1, invalid},
        {{"delete", "4"},
         1,
         "Tessara Lines: Cannot delete Capt Pairings Lines. Use Edit.. Setup Crew Types\n"},
        {{"delete", "9"}, 1, "Oops: I Don't know who to Delete!\n"},
        {{"insert", "--name", "NEW", "--emp", "12"},
         1,
         "Oops: Duplicate Employee Number with TWO\n"},
        {{"insert", "--name", "NEW", "--emp", "1234567890"}, 1, "Oops: Invalid Employee Number!\n"},
        {{"insert", "--name", "", "--emp", "5"}, 1, "Oops: Name must be 1 + letters!\n"},
        {{"insert", "--name", "NEW", "--emp", "5", "--at", "1000"}, 1, invalid},
        {{"insert", "--name", "NEW", "--emp", "77", "--at", "2"}, 0, ""},
        {{"insert", "--name", "LAST", "--emp", "0"}, 0, ""}, // before the open line
        {{"delete", "4"}, 0, ""},
    };
    for (const auto& step : steps) {
        std::vector<std::string> args = step.args;
        args.insert(args.begin(), {"roster", file});
        const std::string before = test::ReadAll(file);
        const test::CliRun run = RunCli(args);
        SCOPED_TRACE(args[2] + " " + args[3]);
        EXPECT_EQ(run.status, step.status);
        EXPECT_EQ(run.err, step.err);
        EXPECT_EQ(run.out, step.out);
        EXPECT_EQ(test::ReadAll(file) != before, step.status == 0);
    }
    tl::test::ScriptedInteraction ui;
    std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui);
    ASSERT_TRUE(doc);
    std::vector<std::string> names;
    for (int c = 0; c < doc->CrewCount; ++c)
        names.push_back(doc->Crew[size_t(c)].Name);
    EXPECT_EQ(names, (std::vector<std::string>{"FOUR", "NEW", "ONE", "LAST", "OPEN"}));
    EXPECT_EQ(doc->Pairs[0].OpsCount[0], 1); // TWO's pairing is open again
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
                                                doc.Crew[0].FilterText = "0102TEXTYTZ;";
                                                doc.Pairs[0].PairText = "YTZ";
                                                doc.Pairs[0].OpsCount[4] = kNotOperating;
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
                       "001 TREMBLAY \xC3\x89LISE: pairing 0101 on day 3 leaves 05:00 rest after "
                       "pairing 0102 on day 2, minimum 11:00\n");

    const struct {
        const char *pair, *day;
        std::string err;
    } wrong[] = {
        // clang-format off
        {"0", "0", "the month has no day 0"}, {"0", "31", "the month has no day 31"},
        {"0", "031", "the month has no day 31"}, // not octal
        {"2", "1", "the month has no pairing 2 (indices 0 to 1)"},
        {"0", "5", "pairing 0101 does not operate on day 5"},
        {"1", "2", "pairing 0102 on day 2 is assigned to 001 TREMBLAY \xC3\x89LISE"},
        // clang-format on
    };
    for (const auto& w : wrong) {
        const test::CliRun refused = RunCli({"who-legal", file, "--pair", w.pair, "--day", w.day});
        EXPECT_EQ(refused.status, 1) << w.err;
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, "tlines-cli: " + w.err + "\n");
    }
    EXPECT_EQ(RunCli({"who-legal", file, "--pair", "0x1", "--day", "1"}).status, 2);

    // filter: the numbers a stored filter shows, in pairing order.
    const struct {
        const char* crew;
        int status;
        std::string out, err;
    } filters[] = {
        {"1", 0, "0101\n0102\n", ""},
        {"2", 0, "0101\n", ""},
        {"3", 1, "", "Tessara Lines: There is no crew member at roster position 3\n"},
    };
    for (const auto& f : filters) {
        const test::CliRun shown = RunCli({"filter", file, "--crew", f.crew});
        EXPECT_EQ(shown.status, f.status) << f.crew;
        EXPECT_EQ(shown.out, f.out) << f.crew;
        EXPECT_EQ(shown.err, f.err) << f.crew;
    }
}

} // namespace
} // namespace tl::cli
