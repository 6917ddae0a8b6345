// A program of its own: it replaces operator new to make the tables' allocation fail.
#include "support/failing_allocation.h"

#include "cliapp.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tl::cli {
namespace {

TEST(CliOutOfMemoryTest, SaysSoOnStderrAndExitsWithOne)
{
    tl::test::TempDir folder;
    const std::string file = (folder.path() / "june.tl2").string();
    const char* argv[] = {"tlines-cli", "new",        file.c_str(), "--group",   "YYZDH8CAZ",
                          "--start",    "2027-04-01", "--end",      "2027-04-30"};
    std::ostringstream out, err;
    int code = 0;
    {
        test::FailLargeAllocations shortOfMemory;
        code = RunCommandLine(9, argv, out, err, false);
    }
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err.str(), "Fatal Error: Not Enough Memory. Try quitting other Programs\n");
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace tl::cli
