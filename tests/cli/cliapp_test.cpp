#include "cliapp.h"

#include "model/version.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace tl::cli {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(std::vector<const char*> args)
{
    args.insert(args.begin(), "tlines-cli");
    std::ostringstream out;
    std::ostringstream err;
    int status = RunCommandLine(static_cast<int>(args.size()), args.data(), out, err, false);
    return {status, out.str(), err.str()};
}

TEST(CliAppTest, VersionPrintsTheVersion)
{
    CliRun r = RunCli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(tl::Version()) + "\n");
}

TEST(CliAppTest, HelpDescribesTheProgramAndExitStatuses)
{
    CliRun r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("tlines-cli"), std::string::npos);
    EXPECT_NE(r.out.find("Exit status: 0 success, 1 refused or failed, 2 wrong usage."),
              std::string::npos);
}

TEST(CliAppTest, WrongUsageExitsWithTwo)
{
    EXPECT_EQ(RunCli({}).status, 2);
    CliRun unknown = RunCli({"--no-such-option"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("--help"), std::string::npos);
    EXPECT_EQ(RunCli({"no-such-command"}).status, 2);
}

} // namespace
} // namespace tl::cli
