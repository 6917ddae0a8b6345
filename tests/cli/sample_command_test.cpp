#include "cliapp.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace tl::cli {
namespace {

struct SampleRun {
    int status;
    std::string out;
    std::string err;
};

SampleRun Sample(std::vector<std::string> args)
{
    args.insert(args.begin(), {"tlines-cli", "sample"});
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, false);
    return {status, out.str(), err.str()};
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(SampleCommand, WritesTheMonthAndReplacesItOnlyWhenToldYes)
{
    test::TempDir dir;
    const std::string out = (dir.path() / "month").string();
    const std::vector<std::string> args{out, "--crew", "12", "--pairings", "30", "--month", "2027-06",
                                        "--seed", "5"};
    SampleRun made = Sample(args);
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("Sample month of YYZDH8FOZ from 2027-06-01 to 2027-06-30, seed 5"),
              std::string::npos);
    for (const char* name : {"JUN27.PRG", "JUN27-8.LIS", "0627perp.ext", "0627absp.ext", "0727absp.ext",
                             "0627actp.ext", "0627prgp.ext", "TOOLBOX.TXT", "JUN27-BIDS.CSV"}) {
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "month" / name)) << name;
        EXPECT_NE(made.out.find(name), std::string::npos) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "month" / "JUN27-ALL.PRG"));
    const std::string prg = ReadFile(dir.path() / "month" / "JUN27.PRG");
    std::ofstream(dir.path() / "month" / "JUN27.PRG", std::ios::trunc) << "edited";

    SampleRun refused = Sample(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Replace them?"), std::string::npos);
    EXPECT_EQ(ReadFile(dir.path() / "month" / "JUN27.PRG"), "edited");

    std::vector<std::string> yes = args;
    yes.push_back("--yes");
    ASSERT_EQ(Sample(yes).status, 0);
    EXPECT_EQ(ReadFile(dir.path() / "month" / "JUN27.PRG"), prg);
}

TEST(SampleCommand, CabinGroupsGetNoBidsAndAllBasesAddsTheAirlinesFile)
{
    test::TempDir dir;
    SampleRun made = Sample({dir.path().string(), "--group", "YULCRJFAM", "--crew", "10", "--all-bases"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "1127perc.ext"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "NOV27-BIDS.CSV"));
    EXPECT_GT(std::filesystem::file_size(dir.path() / "NOV27-ALL.PRG"),
              std::filesystem::file_size(dir.path() / "NOV27.PRG"));
}

TEST(SampleCommand, CleanLeavesOutTheOddCases)
{
    test::TempDir dir;
    const std::vector<std::string> args{"--crew", "20", "--month", "2027-06"};
    std::vector<std::string> odd{(dir.path() / "odd").string()};
    std::vector<std::string> clean{(dir.path() / "clean").string(), "--clean"};
    odd.insert(odd.end(), args.begin(), args.end());
    clean.insert(clean.end(), args.begin(), args.end());
    ASSERT_EQ(Sample(odd).status, 0);
    ASSERT_EQ(Sample(clean).status, 0);
    // A code the toolbox does not know is one of the odd cases.
    EXPECT_NE(ReadFile(dir.path() / "odd" / "0627absp.ext").find("QX"), std::string::npos);
    EXPECT_EQ(ReadFile(dir.path() / "clean" / "0627absp.ext").find("QX"), std::string::npos);
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
};

class SampleUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(SampleUsageTest, IsRefusedAsWrongUsage)
{
    test::TempDir dir;
    std::vector<std::string> args{(dir.path() / "out").string()};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const SampleRun r = Sample(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SampleUsageTest,
    ::testing::Values(UsageCase{"month_without_dash", {"--month", "202711"}},
                      UsageCase{"month_thirteen", {"--month", "2027-13"}},
                      UsageCase{"short_group", {"--group", "YYZDH8FO"}},
                      UsageCase{"pilots_on_unknown_aircraft", {"--group", "YYZB73CAZ"}},
                      UsageCase{"no_crew", {"--crew", "0"}},
                      UsageCase{"too_many_pairings", {"--pairings", "900"}},
                      UsageCase{"negative_pairings", {"--pairings", "-1"}},
                      UsageCase{"seed_not_a_number", {"--seed", "abc"}}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace tl::cli
