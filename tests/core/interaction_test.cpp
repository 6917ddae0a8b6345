#include "model/debug_trace.h"
#include "model/interaction.h"
#include "model/text_format.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

namespace tl {
namespace {

using test::ReadAll;
using test::ScriptedInteraction;
using test::WriteAll;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(SplitSummaryTextTest, SplitsAtEveryFullStop)
{
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        // clang-format off
        {"", {}}, {"One line without stop", {"One line without stop"}},
        {"Pairing 1234 not found. Pairing 2345 not found. ", {"Pairing 1234 not found", " Pairing 2345 not found"}},
        {"a..b.", {"a", "b"}}, {" . \n.", {}}, {"Time 7.5 hours", {"Time 7", "5 hours"}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitSummaryText(c.text), c.lines) << c.text;

    // The summary shows the split lines under its caption.
    ScriptedInteraction ui;
    ShowSummary(ui, "Pairing Warnings", "First. Second.");
    EXPECT_THAT(ui.ListLines("Pairing Warnings"), ElementsAre("First", " Second"));
    EXPECT_THAT(ui.Dialogs(), IsEmpty());
}

TEST(FormatCountsTest, FillsEachPlaceholderInTurn)
{
    EXPECT_EQ(FormatCounts("Completed %d of %d", {3, 10}), "Completed 3 of 10");
    EXPECT_EQ(FormatCounts("%d%%", {45}), "45%");
    EXPECT_EQ(FormatCounts("%d %d %d", {1}), "1 0 0");
    EXPECT_EQ(FormatCounts("%s %n %", {1}), "%s %n %");
    EXPECT_EQ(FormatCounts("no placeholders", {1, 2}), "no placeholders");
    EXPECT_EQ(FormatCounts("%d", {-2147483648LL}), "-2147483648");
}

TEST(FormatTest, WritesTheWholeTextWhateverItsLength)
{
    // Either side of what the first pass has room for, and far past any line.
    for (const int length : {0, 251, 252, 4000}) {
        const std::string name(static_cast<size_t>(length), 'N');
        EXPECT_EQ(Format("%s %03d", name.c_str(), 7), name + " 007") << length;
    }
    // A field that is cut says so in its format.
    EXPECT_EQ(Format("%.3s|%-5s|%4d|%c%04d", "Sept", "ab", -12, 'A', 42), "Sep|ab   | -12|A0042");
}

TEST(TProgressDialogTest, ReportsTextAndPercentAndClosesAtScopeEnd)
{
    ScriptedInteraction ui;
    {
        TProgressDialog progress(ui, "Loading Pairings", 4);
        progress.SetValue(1);
        progress.SetValue(1); // unchanged: not reported again
        progress.SetValue(4);
    }
    std::vector<std::string> shown;
    for (const auto& e : ui.Only(ScriptedInteraction::Kind::Progress))
        shown.push_back(e.caption + ": " + e.text + " " + std::to_string(e.percent));
    EXPECT_EQ(shown, (std::vector<std::string>{"Loading Pairings: Completed 0 of 4 0",
                                               "Loading Pairings: Completed 1 of 4 25",
                                               "Loading Pairings: Completed 4 of 4 100"}));
    ASSERT_EQ(ui.Events().size(), 4u);
    EXPECT_EQ(ui.Events()[3].kind, ScriptedInteraction::Kind::ProgressDone);

    // An empty or overrun range keeps the gauge in bounds.
    TProgressDialog empty(ui, "Scan", 0);
    empty.SetValue(5);
    EXPECT_EQ(empty.Percent(), 0);

    TProgressDialog overrun(ui, "Scan", 10, "Read %d");
    overrun.SetValue(25);
    EXPECT_EQ(overrun.Percent(), 100);
    EXPECT_EQ(ui.Events().back().text, "Read 25");
}

std::tm At(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    std::tie(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min) =
        std::tuple(year - 1900, month - 1, day, hour, minute);
    return t;
}

// Only a trace without its termination line is kept, renamed, from the run
// before; the word is found even across the reader's 64 KiB chunks.
TEST(DebugTraceTest, AbnormalEndIsKeptUnderADatedName)
{
    const std::pair<std::string, bool> cases[] = {
        // clang-format off
        {"", false}, {"x", false}, {"LoadBlksBegin\n", true},
        {"LoadBlksBegin\nTessara Lines Termination Normal\n", false}, {"Termination", false},
        {std::string(64 * 1024 - 5, 'x') + "Termination\n", false},
        // clang-format on
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

// A run that ends normally says so last; the next start-up finds the line
// and stays quiet, one without it tells the user.
TEST(DebugTraceTest, StartUpTellsTheUserAboutAnAbnormalEnd)
{
    test::TempDir dir;
    WriteAll(dir.path() / "TLDebug.txt", "BuildBlocksBegin\n");
    test::ScriptedInteraction ui;
    DebugTrace trace;
    ASSERT_TRUE(OpenDebugTrace(trace, dir.path(), ui));
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_THAT(ui.Dialogs()[0],
                HasSubstr("Tessara Lines: Tessara Lines did not shut down normally. "
                          "A file named "));
    EXPECT_THAT(ui.Dialogs()[0], HasSubstr(" contains a log of the last program run. Tessara Lines "
                                           "will now continue"));

    trace.Write("LoadBlksBegin\n");
    trace.CloseNormally();
    trace.Write("ignored once closed\n");
    EXPECT_EQ(ReadAll(dir.path() / "TLDebug.txt"),
              "LoadBlksBegin\nTessara Lines Termination Normal\n");
    test::ScriptedInteraction quiet;
    DebugTrace again;
    ASSERT_TRUE(OpenDebugTrace(again, dir.path(), quiet));
    EXPECT_THAT(quiet.Dialogs(), IsEmpty());
}

} // namespace
} // namespace tl
