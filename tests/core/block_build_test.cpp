#include "core/legality_month.h"
#include "import/absences_extract.h"
#include "output/warnings_report.h"
#include "rules/block_build.h"
#include "rules/legality.h"
#include "storage/block_file.h"

#include <gtest/gtest.h>

#include <functional>

namespace tl {
namespace {

using test::LegalityMonth;
using Kind = test::ScriptedInteraction::Kind;

struct Recorder : DocumentEvents {
    std::vector<std::string> calls;
    bool ShowPairingWarnings() override { return calls.push_back("warnings"), true; }
    void EditPairing(int p) override { calls.push_back("edit " + std::to_string(p)); }
    void ShowPairingsWindow(bool show) override { calls.push_back(show ? "show" : "hide"); }
    void GridChanged() override { calls.push_back("grid"); }
};

// June 2027, three captains, pairings 0 and 1 operating every day.
struct BuildMonth : LegalityMonth {
    BuildMonth() : LegalityMonth(0, 6, 2027, 3)
    {
        for (int p = 0; p < 2; ++p)
            Pair(AddPair(600, 480)).OpsCount.fill(1);
    }
};

TEST(RepairAssignmentMarksTest, EmptiesWhatCannotBeHeldAndSaysSo)
{
    struct Case {
        const char* name;
        std::function<void(BuildMonth&)> setUp;
        const char* report;         // empty: nothing shown
        std::vector<int32_t> slots; // slot 2 of crew 0, 1, 2 afterwards
        int32_t ops;                // OpsCount[2] of pairing 0 afterwards
        int32_t after = -1;         // crew 1's slot 30, the day after the month
    };
    const Case cases[] = {
        {"two holders, the earlier keeps it",
         [](BuildMonth& m) { m.Put(1, 0, 2), m.Put(2, 0, 2); },
         "Error 101 Emp CREW 3 Day 3 Errors Corrected OK to proceed",
         {-1, 0, -1},
         2},
        {"below -2",
         [](BuildMonth& m) { m.Crew(0).DaySlot[2] = kOtherSlot - 1; },
         "Error 100 Emp CREW 1  Errors Corrected OK to proceed",
         {-1, -1, -1},
         1},
        {"just past the last pairing",
         [](BuildMonth& m) { m.Crew(0).DaySlot[2] = 2; },
         "Error 100 Emp CREW 1  Errors Corrected OK to proceed",
         {-1, -1, -1},
         1},
        {"not operating that day",
         [](BuildMonth& m) { m.Put(0, 0, 2), m.Pair(0).OpsCount[2] = kNotOperating; },
         "Error 101 Emp CREW 1 Day 3 Errors Corrected OK to proceed",
         {-1, -1, -1},
         0},
        {"flagged day keeps its flag",
         [](BuildMonth& m) { m.Put(0, 0, 2), m.Pair(0).OpsCount[2] = kOpsAssignedFlagged; },
         "",
         {0, -1, -1},
         -2},
        {"stale marks opened, -2 kept",
         [](BuildMonth& m) {
             m.Crew(1).DaySlot[2] = kOtherSlot, m.Pair(0).OpsCount[2] = kOpsAssigned;
         },
         "",
         {-1, -2, -1},
         1},
        {"past the month no pairing starts",
         [](BuildMonth& m) { m.Crew(0).DaySlot[40] = 5000, m.Crew(1).DaySlot[30] = 1; },
         "Error 100 Emp CREW 1 Error 101 Emp CREW 2 Day 31 Errors Corrected OK to proceed",
         {-1, -1, -1},
         1},
        {"past the month other assignments stay",
         [](BuildMonth& m) { m.Crew(1).DaySlot[30] = kOtherSlot; },
         "",
         {-1, -1, -1},
         1,
         -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildMonth m;
        c.setUp(m);
        const int repairs = RepairAssignmentMarks(*m.doc, m.ui);
        const std::string report = c.report;
        EXPECT_EQ(repairs > 0, !report.empty());
        EXPECT_EQ(m.ui.Dialogs(), report.empty()
                                      ? std::vector<std::string>{}
                                      : std::vector<std::string>{"Tessara Lines: " + report});
        for (const auto& message : m.ui.Only(Kind::Message))
            EXPECT_EQ(message.icon, Icon::Information);
        EXPECT_EQ(
            (std::vector<int32_t>{m.Crew(0).DaySlot[2], m.Crew(1).DaySlot[2], m.Crew(2).DaySlot[2],
                                  m.Pair(0).OpsCount[2], m.Crew(1).DaySlot[30]}),
            (std::vector<int32_t>{c.slots[0], c.slots[1], c.slots[2], c.ops, c.after}));
    }
}

TEST(BuildBlocksTest, BuildsOnceRepairingFirst)
{
    BuildMonth m;
    Recorder events;
    m.doc->Listener = &events;
    m.Put(0, 0, 4);
    m.Put(1, 0, 4);
    ASSERT_TRUE(BuildBlocks(*m.doc, m.ui, false));
    EXPECT_EQ(m.ui.TraceText(), "BuildBlocksBegin\nBuildBlocksEnd\n");
    EXPECT_EQ(m.ui.Dialogs(),
              std::vector<std::string>{
                  "Tessara Lines: Error 101 Emp CREW 2 Day 5 Errors Corrected OK to proceed"});
    EXPECT_EQ((std::vector<int>{m.doc->GridOn, m.doc->BuildState,
                                m.Crew(0).CreditHours * 60 + m.Crew(0).CreditMinutes}),
              (std::vector<int>{1, 1, 300}));
    EXPECT_EQ(events.calls, (std::vector<std::string>{"hide", "grid"}));
    // The walk over the crew shows its progress, from start to end, then closes.
    const auto progress = m.ui.Only(Kind::Progress);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front().caption, "Building Blocks");
    EXPECT_EQ(progress.front().percent, 0);
    EXPECT_EQ(progress.back().text, "Completed 6 of 6");
    EXPECT_EQ(m.ui.Events().back().kind, Kind::ProgressDone);

    // A second Build Blocks does nothing at all.
    m.ui.Clear();
    events.calls.clear();
    m.Put(1, 0, 4);
    EXPECT_TRUE(BuildBlocks(*m.doc, m.ui, true));
    EXPECT_TRUE(m.ui.Events().empty() && m.ui.TraceText().empty() && events.calls.empty());
    EXPECT_EQ(m.Crew(1).DaySlot[4], 0);
}

TEST(BuildBlocksTest, InvalidPairingsOfferTheEditor)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        BuildMonth m;
        Recorder events;
        m.doc->Listener = &events;
        m.Pair(1).OpsCount.fill(0); // never operates
        m.ui.Script({answer});
        const bool built = BuildBlocks(*m.doc, m.ui, true);
        ASSERT_EQ(m.ui.Dialogs().size(), 1u);
        EXPECT_EQ(m.ui.Dialogs()[0], "Tessara Lines: Not all Pairings are Valid. Do you want to "
                                     "edit the pairings to correct the errors as noted.");
        EXPECT_EQ(built, answer == Answer::No);
        EXPECT_EQ(m.doc->GridOn, answer == Answer::No);
        if (answer == Answer::Yes) {
            EXPECT_EQ(m.doc->CurrentPair, 1);
            EXPECT_EQ(events.calls, (std::vector<std::string>{"warnings", "edit 1"}));
        } else {
            EXPECT_EQ(events.calls, (std::vector<std::string>{"warnings", "show", "grid"}));
        }
    }
}

TEST(BlockHolderCutTest, CreditLeftOpenDecidesWhoHoldsABlock)
{
    struct Case {
        const char* name;
        std::vector<int32_t> credits; // minutes; -1 bids reserve
        int32_t open;                 // credit of the one open pairing day
        int32_t cut;
    };
    const Case cases[] = {
        {"20 hours under with 10 open ends the holders", {4500, 4500 - 1200, 4600}, 600, 0},
        {"the first one short: nobody holds a block", {4500 - 1200, 4600}, 600, -1},
        {"credit over the maximum opens more", {5400, 4500 - 1200, 4600}, 600, 2},
        {"bid reserve at the end never holds", {4500, -1, 4600, -1, -1}, 600, 2},
        {"bid reserve inside the roster counts", {-1, 4500, 4600}, 600, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int count = static_cast<int>(c.credits.size());
        LegalityMonth m(0, 6, 2027, count);
        const int p = m.AddPair(600, 480);
        m.Pair(p).Credit = m.Pair(p).DayCredit[0] = c.open;
        m.Pair(p).OpsCount[3] = kOpsOpen;
        for (int i = 0; i < count; ++i) {
            TPilot& crew = m.Crew(i);
            const int32_t given = c.credits[static_cast<size_t>(i)];
            crew.BidReserveOrLoa = given < 0;
            const int32_t credit = std::max(given, 0);
            crew.SetBlockCredit(credit);
        }
        EXPECT_EQ(ComputeBlockHolderCut(*m.doc), c.cut);
        EXPECT_EQ(m.doc->BlockHolderCut, c.cut);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(m.Crew(i).BeyondBlockHolders, i > c.cut ? 1 : 0) << i;
    }
}

TEST(DayBalanceTest, LegalCheckInFromOneMinutePastTwoStartsTheNextDay)
{
    for (const int32_t clock : {14 * 60, 14 * 60 + 1}) {
        LegalityMonth m(0, 6, 2027, 1);
        m.Crew(0).CarryIn[CarryInEntry::LegalAt] = 2 * 1440 + clock; // day 3
        m.Crew(0).DayFlag[5] = 1;                                    // day off asked on day 6
        m.Put(0, m.AddPair(600, 480, 2), 8);                         // days 9 and 10
        const int open = m.AddPair(600, 480, 3);
        m.Pair(open).OpsCount[10] = kOpsOpen; // days 11 to 13
        ComputeDayBalance(*m.doc);
        const std::vector<int32_t> expected = {
            0, 0, clock == 840 ? 1 : 0, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
        for (size_t d = 0; d < expected.size(); ++d)
            EXPECT_EQ(m.doc->DayBalance[d], expected[d]) << "clock " << clock << " day " << d + 1;
    }
}

TEST(OpenCreditTest, PairingPastTheMonthEndCountsItsDaysInside)
{
    LegalityMonth m(0, 6, 2027, 1); // 30 days
    const int p = m.AddPair(600, 480, 3);
    m.Pair(p).DayCredit = {300, 200, 100};
    m.Pair(p).Credit = 600;
    m.Pair(p).OpsCount[0] = kOpsAssigned;    // assigned: in the total only
    m.Pair(p).OpsCount[3] = kOpsOpenFlagged; // open, flagged
    m.Pair(p).OpsCount[28] = kOpsOpen;       // days 29, 30 and one after the month
    int32_t total = 0;
    EXPECT_EQ(OpenCredit(*m.doc, &total), 600 + 500);
    EXPECT_EQ(total, 1800);
}

TEST(FlagTwoCaptPairsTest, MarksTheCrewComplementDaysOnce)
{
    for (const int kind : {0, 1, 2}) {
        LegalityMonth m(kind, 6, 2027, 2);
        const int base = m.AddPair(600, 480);
        m.Pair(base).OpsCount[3] = m.Pair(base).OpsCount[4] = kOpsAssigned;
        m.Pair(base).OpsCount[5] = kOpsOpen;
        const int copy = m.AddPair(600, 480);
        m.doc->LastBasePair = base;
        m.Pair(copy).PairNumber = m.Pair(base).PairNumber;
        m.Pair(copy).OpsCount[3] = kOpsOpen;
        m.Crew(1).EmpNumber = -1; // open line holding day 5
        m.Crew(1).DaySlot[4] = base;
        m.Crew(0).DaySlot[3] = base;
        for (int twice = 0; twice < 2; ++twice)
            FlagTwoCaptPairs(*m.doc, m.ui);
        EXPECT_EQ(m.ui.TraceText(), "FlagTwoCaptPairsBegin\nFlagTwoCaptPairsEnd\n"
                                    "FlagTwoCaptPairsBegin\nFlagTwoCaptPairsEnd\n");
        const std::vector<int32_t> expected = kind == 0   ? std::vector<int32_t>{-2, 2, 1, -1}
                                              : kind == 1 ? std::vector<int32_t>{2, -2, 1, 1}
                                                          : std::vector<int32_t>{2, 2, 1, 1};
        EXPECT_EQ((std::vector<int32_t>{m.Pair(base).OpsCount[3], m.Pair(base).OpsCount[4],
                                        m.Pair(base).OpsCount[5], m.Pair(copy).OpsCount[3]}),
                  expected)
            << "crew kind " << kind;
    }
}

TEST(WarningsReportTest, ListsEveryBlockAsItIsNow)
{
    LegalityMonth m(0, 6, 2027, 2);
    std::vector<std::string> lines = WarningsReportLines(*m.doc);
    EXPECT_EQ(lines, (std::vector<std::string>{"------- EXCEPTIONS -------", "", "",
                                               "------ WARNINGS ------", ""}));
    EXPECT_EQ(WarningsReportText(lines),
              "------- EXCEPTIONS -------\r\n\r\n\r\n------ WARNINGS ------\r\n\r\n");

    // Too little rest between day 1 and day 2, made after the last check.
    m.Put(1, m.AddPair(360, 1140), 0);
    m.Put(1, m.AddPair(360, 600), 1);
    lines = WarningsReportLines(*m.doc);
    ASSERT_FALSE(m.Crew(1).Illegalities.empty());
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "2  CREW 2 " + m.Crew(1).Illegalities);
}

// An opened month that holds other assignments must not lose them to an
// absences load without the question; one without them is still fresh.
TEST(FreshDocumentTest, OpeningAMonthWithOtherAssignmentsMakesTheAbsencesLoadAsk)
{
    for (const bool holdsOther : {false, true}) {
        SCOPED_TRACE(holdsOther);
        LegalityMonth m(0, 6, 2027, 2);
        if (holdsOther)
            m.Other(1, 5, "VAC", 0, 1440, false);
        ASSERT_TRUE(m.doc->FreshDocument);
        EXPECT_TRUE(FinishOpeningMonth(*m.doc, m.ui, false));
        EXPECT_EQ(m.doc->FreshDocument, !holdsOther);

        m.ui.Clear();
        (void)LoadCrewAbsencesText(*m.doc, "", false, m.ui); // questions answered No
        const auto dialogs = m.ui.Dialogs();
        EXPECT_EQ(!dialogs.empty() && dialogs.front() ==
                                          "Tessara Lines: This will erase all conflicting "
                                          "Toolbox assignments. Proceed",
                  holdsOther);
        EXPECT_EQ(m.doc->Crew[1].DayCode[5], holdsOther ? "VAC" : "");
    }
}

// Neither the credit class nor a block credit past 127:59 is in the file's
// bytes: an opened month works both out again.
TEST(OpeningTest, PairingsGetTheirClassAndLongBlocksTheirWholeCredit)
{
    LegalityMonth m(0, 6, 2027, 2);
    const int three = m.AddPair(360, 3000, 3); // 15:00 over three days: Medium
    m.Pair(three).OffTime = 600;
    const int ten = m.AddPair(360, 600); // 10:00 in one day: Very High
    m.Pair(ten).Credit = m.Pair(ten).DayCredit[0] = 600;
    for (int d = 0; d < 13; ++d)
        m.Put(0, ten, 2 * d);
    m.Crew(0).CarryIn[CarryInEntry::Credit] = 70; // 131:10 in all
    m.Put(1, three, 27);
    ASSERT_TRUE(BuildBlocks(*m.doc, m.ui, false));
    EXPECT_EQ(StoredBlockCredit(m.Crew(0)), 131 * 60 + 10);

    const std::vector<uint8_t> bytes = BlockFileBytes(*m.doc, kSchedulerFile);
    // The hours byte stops at its top rather than wrapping; credits that fit
    // are written as ever.
    EXPECT_EQ((std::vector<int>{m.Crew(0).CreditHours, m.Crew(0).CreditMinutes,
                                m.Crew(1).CreditHours, m.Crew(1).CreditMinutes}),
              (std::vector<int>{127, 59, 15, 0}));

    auto back = std::make_unique<ScheduleDocument>();
    back->DeleteAll(m.ui);
    ASSERT_TRUE(LoadBlocksFromBytes(*back, bytes, m.ui));
    EXPECT_EQ(StoredBlockCredit(back->Crew[0]), 127 * 60 + 59);
    ASSERT_TRUE(FinishOpeningMonth(*back, m.ui, false));
    EXPECT_EQ(
        (std::vector<int>{back->Pairs[0].CreditClass, back->Pairs[1].CreditClass,
                          StoredBlockCredit(back->Crew[0]), StoredBlockCredit(back->Crew[1])}),
        (std::vector<int>{1, 3, 131 * 60 + 10, 15 * 60}));
}

} // namespace
} // namespace tl
