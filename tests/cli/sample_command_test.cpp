#include "cli/run_cli.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tl::cli {
namespace {

using test::ReadAll;
using test::RunCli;
namespace fs = std::filesystem;

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
    std::ofstream(month / "JUN27.PRG", std::ios::trunc) << "edited";

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
}

TEST(SampleCommand, CabinGroupsGetNoBidsAndAllBasesAddsTheAirlinesFile)
{
    tl::test::TempDir dir;
    const test::CliRun made = RunCli(
        {"sample", dir.path().string(), "--group", "YULCRJFAM", "--crew", "10", "--all-bases"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_FALSE(fs::exists(dir.path() / "NOV27-BIDS.CSV"));
    EXPECT_GT(fs::file_size(dir.path() / "NOV27-ALL.PRG"), fs::file_size(dir.path() / "NOV27.PRG"));
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
