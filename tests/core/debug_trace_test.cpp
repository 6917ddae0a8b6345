#include "model/debug_trace.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tl {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using test::ReadAll;
using test::WriteAll;

std::tm At(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

TEST(DebugTraceTest, NormalRunEndsWithTerminationLine)
{
    test::TempDir dir;
    {
        DebugTrace trace;
        ASSERT_TRUE(trace.Open(dir.path() / "TLDebug", At(2026, 3, 8, 9, 5)).Opened);
        trace.Write("LoadBlksBegin\n");
        trace.Write("LoadBlksEnd\n");
        trace.CloseNormally();
        trace.Write("ignored once closed\n");
    }
    EXPECT_EQ(ReadAll(dir.path() / "TLDebug" / "TLDebug.txt"),
              "LoadBlksBegin\nLoadBlksEnd\nTessara Lines Termination Normal\n");
}

// Only a trace without its termination line is kept, renamed, from the run
// before; the word is found even across the reader's 64 KiB chunks.
TEST(DebugTraceTest, AbnormalEndIsKeptUnderADatedName)
{
    const std::pair<std::string, bool> cases[] = {
        {"", false},
        {"x", false},
        {"LoadBlksBegin\n", true},
        {"LoadBlksBegin\nTessara Lines Termination Normal\n", false},
        {"Termination", false},
        {std::string(64 * 1024 - 5, 'x') + "Termination\n", false},
    };
    for (const auto& [content, kept] : cases) {
        SCOPED_TRACE(content.substr(0, 40));
        test::TempDir dir;
        WriteAll(dir.path() / "TLDebug.txt", content);
        DebugTrace trace;
        DebugTrace::OpenResult result = trace.Open(dir.path(), At(2026, 11, 1, 7, 4));
        ASSERT_TRUE(result.Opened);
        const std::filesystem::path keptAs = dir.path() / "TLDebug 1 NOV 2026 at 0704.txt";
        EXPECT_EQ(ReadAll(keptAs), kept ? content : "");
        EXPECT_EQ(result.RenamedTo.empty(), !kept);
        EXPECT_EQ(ReadAll(dir.path() / "TLDebug.txt"), ""); // started afresh
    }
}

TEST(DebugTraceTest, EveryAbnormalTraceIsKeptAndNoneIsEmptied)
{
    test::TempDir dir;
    const std::tm minute = At(2026, 11, 1, 7, 4);
    for (const char* run : {"first run\n", "second run\n"}) {
        WriteAll(dir.path() / "TLDebug.txt", run);
        DebugTrace trace;
        ASSERT_TRUE(trace.Open(dir.path(), minute).Opened);
    }
    EXPECT_EQ(ReadAll(dir.path() / "TLDebug 1 NOV 2026 at 0704.txt"), "first run\n");
    EXPECT_EQ(ReadAll(dir.path() / "TLDebug 1 NOV 2026 at 0704 (2).txt"), "second run\n");

    // No free name left: the trace stays where it is, whole, and the user is told.
    for (int n = 3; n < 1000; ++n)
        WriteAll(dir.path() / ("TLDebug 1 NOV 2026 at 0704 (" + std::to_string(n) + ").txt"), "");
    WriteAll(dir.path() / "TLDebug.txt", "third run\n");
    DebugTrace trace;
    DebugTrace::OpenResult result = trace.Open(dir.path(), minute);
    EXPECT_FALSE(result.Opened);
    EXPECT_TRUE(result.KeepFailed);
    EXPECT_EQ(ReadAll(dir.path() / "TLDebug.txt"), "third run\n");
}

TEST(DebugTraceTest, StartUpTellsTheUserAboutAnAbnormalEnd)
{
    test::TempDir dir;
    WriteAll(dir.path() / "TLDebug.txt", "BuildBlocksBegin\n");
    test::ScriptedInteraction ui;
    DebugTrace trace;
    ASSERT_TRUE(OpenDebugTrace(trace, dir.path(), ui));
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_THAT(ui.Dialogs()[0], HasSubstr("Tessara Lines: Tessara Lines did not shut down normally. "
                                           "A file named "));
    EXPECT_THAT(ui.Dialogs()[0], HasSubstr(" contains a log of the last program run. Tessara Lines "
                                           "will now continue"));

    test::ScriptedInteraction quiet;
    trace.CloseNormally();
    DebugTrace again;
    ASSERT_TRUE(OpenDebugTrace(again, dir.path(), quiet));
    EXPECT_THAT(quiet.Dialogs(), IsEmpty());
}

} // namespace
} // namespace tl
