#include "model/interaction.h"
#include "support/scripted_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tl {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using test::ScriptedInteraction;

TEST(SplitSummaryTextTest, SplitsAtEveryFullStop)
{
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"One line without stop", {"One line without stop"}},
        {"Pairing 1234 not found. Pairing 2345 not found. ",
         {"Pairing 1234 not found", " Pairing 2345 not found"}},
        {"a..b.", {"a", "b"}},
        {" . \n.", {}},
        {"Time 7.5 hours", {"Time 7", "5 hours"}},
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

TEST(TProgressDialogTest, ReportsTextAndPercentAndClosesAtScopeEnd)
{
    ScriptedInteraction ui;
    {
        TProgressDialog progress(ui, "Loading Pairings", 4);
        progress.SetValue(1);
        progress.SetValue(1); // unchanged: not reported again
        progress.SetValue(4);
    }
    const auto& events = ui.Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].text, "Completed 0 of 4");
    EXPECT_EQ(events[0].percent, 0);
    EXPECT_EQ(events[1].caption, "Loading Pairings");
    EXPECT_EQ(events[1].text, "Completed 1 of 4");
    EXPECT_EQ(events[1].percent, 25);
    EXPECT_EQ(events[2].percent, 100);
    EXPECT_EQ(events[3].kind, ScriptedInteraction::Kind::ProgressDone);

    // An empty or overrun range keeps the gauge in bounds.
    TProgressDialog empty(ui, "Scan", 0);
    empty.SetValue(5);
    EXPECT_EQ(empty.Percent(), 0);

    TProgressDialog overrun(ui, "Scan", 10, "Read %d");
    overrun.SetValue(25);
    EXPECT_EQ(overrun.Percent(), 100);
    EXPECT_EQ(ui.Events().back().text, "Read 25");
}

} // namespace
} // namespace tl
