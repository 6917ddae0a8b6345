#include "cli/run_cli.h"

#include "sample/sample_formats.h"
#include "sample/sample_month.h"
#include "sample/sample_pairings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <vector>

namespace tl::cli {
namespace {

using test::CliRun;
using test::ReadAll;
using test::RunCli;
using tl::test::TempDir;
namespace fs = std::filesystem;

// The marker the listing's aircraft tags call for, counted from the legs
// the generator flew.
std::string ExpectedMarker(const sample::SamplePairing& p)
{
    int cra = 0, all = 0;
    for (const sample::SampleDuty& d : p.duties)
        for (const sample::SampleLeg& leg : d.legs)
            if (leg.kind == sample::SampleLeg::Kind::Flight && leg.tag != "DH4") {
                ++all;
                cra += leg.tag == "CRA" ? 1 : 0;
            }
    const double share =
        all == 0 ? 0.0 : static_cast<double>(static_cast<float>(cra) / static_cast<float>(all));
    return share > 0.99   ? "CRA100%"
           : share > 0.74 ? "*** CRA>74%"
           : share > 0.49 ? "*** CRA>49%"
           : share > 0.24 ? "*** CRA>24%"
           : share > 0    ? "*** CRA>0%"
                          : "CRA=0%";
}

// A generated month through every import command, the odd cases of real
// extracts included; a clean month's pairings load as the generator meant
// them. How each loader reads its extract's columns is the core tests' part.
class GeneratedMonthImport : public ::testing::TestWithParam<std::tuple<const char*, int, bool>> {};

TEST_P(GeneratedMonthImport, LoadsWhatTheGeneratorMeant)
{
    TempDir dir;
    sample::SampleOptions options;
    std::tie(options.group, options.month, options.clean) = GetParam();
    options.crew = 60;
    const sample::SampleMonth month = sample::GenerateSampleMonth(options);
    std::string error;
    ASSERT_TRUE(sample::WriteSampleMonth(month, dir.path(), error)) << error;
    auto path = [&](const sample::SampleFile& f) { return (dir.path() / f.name).string(); };
    const std::string file = (dir.path() / "month.tl2").string();

    ASSERT_EQ(test::NewMonth(file, month.group, month.period.firstDay, month.period.lastDay), 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"import-toolbox", file, path(month.toolBox)},
          {"import-roster", file, path(month.roster)},
          {"import-absences", file, path(month.absences)},
          {"import-absences", file, path(month.nextAbsences), "--next-month"},
          {"import-activity", file, path(month.activity), path(month.priorPairings)}}) {
        const CliRun run = RunCli(args);
        ASSERT_EQ(run.status, 0) << args[0] << "\n" << run.err;
        // Every pairing the activity names is in the pairing extract.
        if (options.clean) {
            EXPECT_EQ(run.out.find("Could not find Pairing"), std::string::npos) << run.out;
        }
    }
    if (!month.bids.name.empty()) {
        const CliRun bids = RunCli({"import-bids", file, path(month.bids)});
        ASSERT_EQ(bids.status, 0) << bids.err;
        EXPECT_EQ(bids.out.find("Unable to Extract") != std::string::npos, !options.clean);
        const CliRun guess = RunCli({"guess", file, "--crew", "2"});
        EXPECT_EQ(guess.out.find("--- Requested Days Off ---\n"), 0u) << guess.err;
    }
    const nlohmann::json loaded = nlohmann::json::parse(RunCli({"inspect", file, "--json"}).out);
    EXPECT_GT(loaded["AbsenceCount"].get<int>(), 0);
    EXPECT_GT(loaded["CrewCount"].get<int>(), 0);
    if (!options.clean)
        return;

    // The pairings through import-pairings and scan-lis.
    CliRun imported = RunCli({"import-pairings", file, path(month.prg)});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("Number of Pairings"), std::string::npos);
    std::vector<std::string> scan{"scan-lis", file};
    for (const sample::SampleFile& lis : month.lis)
        scan.push_back(path(lis));
    CliRun scanned = RunCli(scan);
    ASSERT_EQ(scanned.status, 0) << scanned.err;
    for (const char* problem : {"Not Found", "not Located", "Incomplete"})
        EXPECT_EQ(scanned.out.find(problem), std::string::npos) << scanned.out;
    sample::GroupInfo group;
    ASSERT_TRUE(sample::ParseGroup(options.group, group, error));
    const sample::SampleDstChange dst =
        sample::FindDstChange(month.period.firstDay, month.period.lastDay);

    CliRun shown = RunCli({"inspect", file, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const nlohmann::json j = nlohmann::json::parse(shown.out);
    const nlohmann::json& pairs = j["Pairs"];
    size_t at = 0;
    int acrossClockChange = 0;
    for (const sample::SamplePairing& p : month.pairings) {
        SCOPED_TRACE(p.Identifier());
        const int64_t start = p.onTime + int64_t(p.dates.front() - month.period.firstDay) * 1440;
        const int64_t change = dst.dayIndex * 1440 + 120;
        acrossClockChange += dst.shift != 0 && start < change && change <= start + p.tafb;
        const auto count = [&](const char* code) {
            const size_t i = p.complement.find(code);
            return i == std::string::npos ? 0 : std::stoi(p.complement.substr(i + 2, 2));
        };
        std::vector<std::string> types;
        if (group.crewKind == 2) {
            types.assign(static_cast<size_t>(count("PU")), "PU");
            types.insert(types.end(), static_cast<size_t>(count("FA")), "FA");
        } else {
            types.assign(static_cast<size_t>(count(group.crewKind == 0 ? "CA" : "FO")),
                         group.status);
        }
        for (const std::string& type : types) {
            ASSERT_LT(at, pairs.size());
            const nlohmann::json& q = pairs[at++];
            EXPECT_EQ(nlohmann::json({q["PairNumber"], q["PairType"], q["Length"], q["Credit"],
                                      q["OnTime"], q["OffTime"].get<int>() % 1440}),
                      nlohmann::json({p.number, type, p.days, p.credit, p.onTime,
                                      p.release % 1440})); // release after any clock change
            // A night away per duty but the last; a day off away repeats the station once.
            std::string layovers;
            for (size_t d = 0; d + 1 < p.duties.size(); ++d)
                for (int n = p.duties[d + 1].day > p.duties[d].day + 1 ? 2 : 1; n > 0; --n)
                    layovers += p.duties[d].endStation;
            EXPECT_EQ(q["Layovers"], layovers);
            int dayCredits = 0;
            for (int k = 0; k < p.days; ++k)
                dayCredits += q["DayCredit"][static_cast<size_t>(k)].get<int>();
            EXPECT_EQ(dayCredits, p.credit);
            for (int32_t date : p.dates) {
                if (date >= month.period.firstDay && date <= month.period.lastDay) {
                    EXPECT_EQ(q["OpsCount"][static_cast<size_t>(date - month.period.firstDay)], 1);
                }
            }
            const std::string text = q["PairText"];
            EXPECT_EQ(text.find("USA SEGMENT ") != std::string::npos, p.usa);
            EXPECT_NE(text.find(ExpectedMarker(p)), std::string::npos);
            EXPECT_EQ(text.find("MEALS US:") != std::string::npos, p.mealsUsCents > 0);
            EXPECT_EQ(text.find(" FRENCH PAIRING") != std::string::npos,
                      p.french && group.crewKind == 2); // cabin groups only
        }
    }
    EXPECT_EQ(at, pairs.size());
    EXPECT_GT(acrossClockChange, 0);
}

// Both changes of clocks, the odd cases of a pilot and a cabin group.
INSTANTIATE_TEST_SUITE_P(Groups, GeneratedMonthImport,
                         ::testing::Values(std::tuple{"YYZDH8FOZ", 11, false},
                                           std::tuple{"YYZDH8FOZ", 11, true},
                                           std::tuple{"YULDH8FAM", 11, false},
                                           std::tuple{"YULDH8FAM", 3, true}));

// A refused import, one that loads nothing and a new roster over a month with
// crew not confirmed leave the month as it was. An odd extract is asked about
// and --yes does not answer that: it has its own option.
TEST(ImportCommandsTest, RefusedImportsLeaveTheFileAlone)
{
    TempDir dir;
    sample::SampleOptions options;
    options.group = "YYZDH8FOZ";
    options.month = 11;
    options.crew = 5;
    options.clean = true;
    const sample::SampleMonth month = sample::GenerateSampleMonth(options);
    std::string error;
    ASSERT_TRUE(sample::WriteSampleMonth(month, dir.path(), error)) << error;
    const std::string roster = (dir.path() / month.roster.name).string();
    const std::string prg = (dir.path() / month.prg.name).string();
    const std::string noPairing = (dir.path() / "none.PRG").string();
    tl::test::WriteAll(noPairing, "1\n");
    const std::string extract = (dir.path() / "bad.ext").string();
    tl::test::WriteAll(extract, "not an extract\nat all\n");
    const std::string file = (dir.path() / "month.tl2").string();
    const std::string other = (dir.path() / "other.tl2").string();
    ASSERT_EQ(test::NewMonth(file, month.group, month.period.firstDay, month.period.lastDay), 0);
    ASSERT_EQ(test::NewMonth(other, "YULA20CAZ", month.period.firstDay, month.period.lastDay), 0);
    ASSERT_EQ(RunCli({"import-roster", file, roster}).status, 0);

    const std::string replace = "This will replace the Roster and erase every Block. Proceed";
    const std::string odd = "Extract! Do You Want to Try Load it Anyway [No]";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        // clang-format off
        {{"import-roster", other, roster}, "holds no crew member of the group"},
        {{"import-roster", file, roster}, replace + " [No]"},
        {{"import-pairings", file, prg, "--base", "Q"}, "no pairing was loaded"},
        {{"import-pairings", file, noPairing}, "no pairing was loaded"},
        {{"import-pairings", file, (dir.path() / "gone.PRG").string()}, "Unable to Open File"},
        {{"import-roster", other, (dir.path() / "none.ext").string()}, "Unable to Open File"},
        {{"import-absences", other, extract},
         "This May Not Be a Valid Crew Absence Extract! Do You Want to Try Load it Anyway [No]"},
        {{"import-roster", other, extract, "--yes"}, odd}, {{"import-absences", other, extract, "--yes"}, odd},
        {{"import-activity", other, extract, extract, "--yes"}, odd}, {{"import-toolbox", other, extract}, ""},
        {{"import-bids", file, extract}, "holds no bid of the roster"},
        {{"import-bids", file, (dir.path() / "gone.CSV").string()}, "Unable to Open File"},
        {{"guess", file, "--crew", "6"}, "the roster has no position 6"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.err);
        const std::string before = ReadAll(c.args[1]);
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(ReadAll(c.args[1]), before);
    }
    const CliRun again = RunCli({"import-roster", file, roster, "--yes"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find(replace + " [Yes]"), std::string::npos);
    EXPECT_EQ(RunCli({"import-absences", other, extract, "--accept-odd-extract"}).status, 0);
    EXPECT_EQ(RunCli({"import-activity", other, extract, extract, "--yes", "--accept-odd-extract"})
                  .status,
              0);
}

TEST(SampleCommand, WritesTheMonthAndReplacesItOnlyWhenToldYes)
{
    tl::test::TempDir dir;
    const fs::path month = dir.path() / "month";
    std::vector<std::string> args{"sample",  month.string(), "--crew", "12",
                                  "--month", "2027-06",      "--seed", "5"};
    const test::CliRun made = RunCli(args);
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("Sample month of YYZDH8FOZ from 2027-06-01 to 2027-06-30, seed 5"),
              std::string::npos);
    for (const char* name :
         {"JUN27.PRG", "JUN27-8.LIS", "0627perp.ext", "0627absp.ext", "0727absp.ext",
          "0627actp.ext", "0627prgp.ext", "TOOLBOX.TXT", "JUN27-BIDS.CSV"})
        EXPECT_TRUE(fs::exists(month / name)) << name;
    const std::string prg = ReadAll(month / "JUN27.PRG");
    tl::test::WriteAll(month / "JUN27.PRG", "edited");

    const test::CliRun refused = RunCli(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Replace them?"), std::string::npos);
    EXPECT_EQ(ReadAll(month / "JUN27.PRG"), "edited");
    args.push_back("--yes");
    ASSERT_EQ(RunCli(args).status, 0);
    EXPECT_EQ(ReadAll(month / "JUN27.PRG"), prg);

    // --clean leaves out the odd cases, such as a code the toolbox does not know.
    EXPECT_NE(ReadAll(month / "0627absp.ext").find("QX"), std::string::npos);
    args.push_back("--clean");
    ASSERT_EQ(RunCli(args).status, 0);
    EXPECT_EQ(ReadAll(month / "0627absp.ext").find("QX"), std::string::npos);

    // Cabin groups get no bids; --all-bases adds the airline's pairing file.
    const fs::path cabin = dir.path() / "cabin";
    const test::CliRun cabinMade =
        RunCli({"sample", cabin.string(), "--group", "YULCRJFAM", "--crew", "10", "--all-bases"});
    ASSERT_EQ(cabinMade.status, 0) << cabinMade.err;
    EXPECT_FALSE(fs::exists(cabin / "NOV27-BIDS.CSV"));
    EXPECT_GT(fs::file_size(cabin / "NOV27-ALL.PRG"), fs::file_size(cabin / "NOV27.PRG"));
}

TEST(SampleCommand, WrongUsageIsRefusedAndWritesNothing)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--month", "202711"},    {"--month", "2027-13"}, {"--group", "YYZDH8FO"},
        {"--group", "YYZB73CAZ"}, {"--crew", "0"},        {"--pairings", "900"},
        {"--pairings", "-1"},     {"--seed", "abc"}};
    for (const std::vector<std::string>& wrong : cases) {
        tl::test::TempDir dir;
        std::vector<std::string> args{"sample", (dir.path() / "out").string()};
        args.insert(args.end(), wrong.begin(), wrong.end());
        const test::CliRun r = RunCli(args);
        EXPECT_EQ(r.status, 2) << wrong[0] << " " << wrong[1];
        EXPECT_FALSE(r.err.empty());
        EXPECT_FALSE(fs::exists(dir.path() / "out"));
    }
}

} // namespace
} // namespace tl::cli
