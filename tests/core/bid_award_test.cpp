#include "actions/bid_award.h"
#include "actions/bid_whatif.h"
#include "actions/seniority_audit.h"
#include "core/legality_month.h"
#include "rules/block_build.h"
#include "rules/history.h"
#include "storage/block_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tl {
namespace {

using test::LegalityMonth;

// June 2027, three crew members with blocks of 10:00 to 15:00; pairings of
// 5:00 a day numbered from V0100, each operating on the days given.
struct AwardMonth : LegalityMonth {
    AwardMonth() : LegalityMonth(0, 6, 2027, 3)
    {
        doc->MonthRules[MonthRule::MinCredit] = 600;
        doc->MonthRules[MonthRule::MaxCredit] = 900;
        doc->MonthRules[MonthRule::AvgCredit] = 750;
    }
    int Open(std::vector<int> slots, int on = 480, int credit = 300)
    {
        const int p = AddPair(on, 600);
        Pair(p).PairKey = "V8";
        Pair(p).Credit = credit;
        Pair(p).DayCredit[0] = credit;
        for (int s : slots)
            Pair(p).OpsCount[size_t(s)] = kOpsOpen;
        return p;
    }
    void Build() { ASSERT_TRUE(BuildBlocks(*doc, ui, false)); }
    AwardReport Award() { return AwardBids(*doc, AwardOptions{}, ui); }
    std::vector<int> Slots(int c) const
    {
        std::vector<int> held;
        for (int s = 0; s < 30; ++s)
            if (doc->Crew[size_t(c)].DaySlot[size_t(s)] >= 0)
                held.push_back(doc->Crew[size_t(c)].DaySlot[size_t(s)] * 100 + s);
        return held;
    }
};

std::vector<std::string> Rows(const AwardReport& report)
{
    std::vector<std::string> rows;
    for (const AwardRow& r : report.Rows)
        rows.push_back(std::to_string(r.Crew + 1) + " " + r.Item + " " + AwardResultText(r.Result) +
                       (r.Cause.empty() ? "" : ": " + r.Cause));
    return rows;
}

// Bids that collide: the senior gets its first choices, the next one what
// is left of them, the junior its day off and a fallback line to its minimum.
struct KnownMonth : AwardMonth {
    KnownMonth()
    {
        Open({1}, 480, 400); // V0100
        Open({1});           // V0101
        Open({4});           // V0102
        Open({4});           // V0103
        Open({7});           // V0104
        Open({9});           // V0105
        Open({11});          // V0106
        Open({13});          // V0107
        Open({});            // V0108, not operating
        Crew(0).BidText = "(1). V100 V102 V108\n(2). V104\n";
        Crew(1).BidText = "(1). V100 V101\n(2). V102 V103 V105\n";
        Crew(2).BidText = "(1). V101\n(2). OFF 12\n(3). V106 V104\n";
        Build();
    }
};

TEST(AwardBidsTest, KnownAwardOfCollidingBids)
{
    KnownMonth m;
    const AwardReport report = m.Award();
    EXPECT_EQ(Rows(report),
              (std::vector<std::string>{
                  "1 V0100 Awarded", "1 V0102 Awarded",
                  "1 V0108 Not operating: no operating day this month",
                  "1 V0104 Over maximum credit: block would reach 16:40, maximum 15:00",
                  "2 V0100 Held by senior: held by 001 CREW 1", "2 V0101 Awarded",
                  "2 V0102 Held by senior: held by 001 CREW 1", "2 V0103 Awarded",
                  // The junior asked the 12th off: the middle one must keep room for it.
                  "2 V0105 Needed for coverage: day 12",
                  "2 Fallback Fallback line: added coverage V0106 on 12; block 15:00, minimum "
                  "10:00",
                  "3 V0101 Held by senior: held by 002 CREW 2", "3 OFF 12 Awarded",
                  "3 V0106 Day off requested: day 12 requested off", "3 V0104 Awarded",
                  "3 Fallback Fallback line: added coverage V0105 on 10, coverage V0107 on 14; "
                  "block 15:00, minimum 10:00"}));
    EXPECT_EQ(m.Slots(0), (std::vector<int>{1, 204}));
    EXPECT_EQ(m.Slots(1), (std::vector<int>{101, 304, 611}));
    EXPECT_EQ(m.Slots(2), (std::vector<int>{407, 509, 713}));
    EXPECT_EQ(report.WithinCredit, 3);
    EXPECT_EQ(report.OpenCreditLeft, 0);
    EXPECT_TRUE(AuditSeniority(*m.doc).empty());

    const std::string csv = AwardReportCsv(*m.doc, report);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n", csv.find("\r\n") + 2)),
              "position,name,employee,item,result,cause\r\n1,CREW 1,1,V0100,Awarded,");
    EXPECT_NE(csv.find("3,CREW 3,3,Fallback,Fallback line,\"added coverage V0105 on 10, coverage "
                       "V0107 on 14; block 15:00, minimum 10:00\"\r\n"),
              std::string::npos);
    EXPECT_EQ(CsvField("say \"hi\", twice"), "\"say \"\"hi\"\", twice\"");
}

TEST(AwardBidsTest, SeniorDeniedWhatADayNeedsForCoverage)
{
    AwardMonth m;
    m.Open({0}); // two pairings on the 1st for the two block holders
    m.Open({0});
    m.Open({2});
    m.Open({3});
    m.doc->MonthRules[MonthRule::MaxCredit] = 600;
    m.Crew(2).BidReserveOrLoa = 1;
    m.Crew(0).BidText = "(1). V102 V103\n";
    m.Build();
    const AwardReport report = m.Award();
    EXPECT_EQ(Rows(report),
              (std::vector<std::string>{
                  "1 V0102 Awarded", "1 V0103 Needed for coverage: day 1",
                  "1 Fallback Fallback line: added coverage V0100 on 1; block 10:00, minimum 10:00",
                  "2 Fallback Fallback line: added coverage V0101 on 1, coverage V0103 on 4; "
                  "block 10:00, minimum 10:00",
                  "3 Block Reserve: bids reserve or is on leave"}));
    EXPECT_EQ(OpenCredit(*m.doc), 0);
}

TEST(AwardBidsTest, IllegalAndLeaveDenials)
{
    AwardMonth m;
    m.Open({5}, 360); // reports 06:00, five hours after a training duty ends
    m.Open({8});
    m.Other(0, 4, "TRN", 1200, 300, true);
    m.Crew(0).BidText = "(1). V100\n";
    m.Crew(1).BidText = "(1). V101\n";
    m.Crew(1).DayFlag[8] = 13; // a GDO day
    for (int s = 0; s < 30; ++s)
        m.Other(2, s, "LOA", 0, 0, false);
    m.Crew(2).AllMonthLeave = 1;
    m.doc->MonthRules[MonthRule::MinCredit] = 0;
    m.Build();
    const std::vector<std::string> rows = Rows(m.Award());
    ASSERT_EQ(rows.size(), 5u) << ::testing::PrintToString(rows);
    EXPECT_EQ(rows[0].substr(0, 17), "1 V0100 Not legal");
    EXPECT_NE(rows[0].find("rest after TRN on day 5"), std::string::npos) << rows[0];
    // Each is the only one left to fly the other's pairing.
    EXPECT_EQ(rows[1], "1 Fallback Fallback line: added coverage V0101 on 9; block 05:00, "
                       "minimum 00:00");
    EXPECT_EQ(rows[2], "2 V0101 Day off requested: day 9 requested off");
    EXPECT_EQ(rows[3], "2 Fallback Fallback line: added coverage V0100 on 6; block 05:00, "
                       "minimum 00:00");
    EXPECT_EQ(rows[4], "3 Block On leave: on leave for the month");
}

TEST(AwardBidsTest, DeterministicAndOneUndoStep)
{
    KnownMonth a;
    KnownMonth b;
    AddTransaction(a.doc->History, 0, 8, 3, 0); // an earlier step stays undoable
    AddTransaction(b.doc->History, 0, 8, 3, 0);
    const std::vector<uint8_t> before = BlockFileBytes(*a.doc, kSchedulerFile);
    a.Award();
    b.Award();
    const std::vector<uint8_t> awarded = BlockFileBytes(*a.doc, kSchedulerFile);
    EXPECT_EQ(awarded, BlockFileBytes(*b.doc, kSchedulerFile));
    EXPECT_NE(awarded, before);
    ASSERT_EQ(a.doc->History.size(), 2u);
    EXPECT_EQ(HistoryText(*a.doc).substr(0, 6), "Award\t");

    EXPECT_EQ(Undo(*a.doc, a.ui), UndoResult::Undone);
    EXPECT_EQ(BlockFileBytes(*a.doc, kSchedulerFile), before);
    a.Award();
    EXPECT_EQ(BlockFileBytes(*a.doc, kSchedulerFile), awarded);

    // Without its snapshot (a month read back from its file) the step says so.
    a.doc->GroupSnapshots.clear();
    EXPECT_EQ(Undo(*a.doc, a.ui), UndoResult::Refused);
    EXPECT_EQ(a.doc->History.size(), 1u);
}

TEST(SeniorityAuditTest, FindsPlantedInversionsOnly)
{
    KnownMonth m;
    m.Put(2, 0, 1);                    // the junior holds the senior's first choice
    m.Put(2, 3, 4);                    // and one the middle crew member ranked second
    m.Put(1, 5, 9);                    // bid by the holder itself
    m.Put(2, 4, 7);                    // nobody else could: the senior ranked it but the day...
    m.Other(0, 7, "VAC", 0, 0, false); // ...is the senior's vacation
    m.doc->GridOn = false;
    m.Build();
    const auto found = AuditSeniority(*m.doc);
    EXPECT_EQ(SeniorityAuditText(*m.doc, found),
              "003 CREW 3 holds 0100 on day 2 (not bid); 001 CREW 1 ranked it 1 and could hold "
              "it\n"
              "003 CREW 3 holds 0100 on day 2 (not bid); 002 CREW 2 ranked it 1 and could hold "
              "it\n"
              "003 CREW 3 holds 0103 on day 5 (not bid); 002 CREW 2 ranked it 2 and could hold "
              "it\n");
}

TEST(WhatIfTest, AgreesWithTheAwardAndFindsTheLowestPosition)
{
    const char* draft = "(1). V101\n(2). V104 V106\n";
    KnownMonth m;
    const auto items = WhatIf(*m.doc, 2, draft, AwardOptions{}, m.ui);
    EXPECT_EQ(WhatIfText(items), "V0101: Held by senior - held by 002 CREW 2; granted down to "
                                 "position 2\n"
                                 "V0104: Awarded; granted down to position 3\n"
                                 "V0106: Awarded; granted down to position 3\n");
    EXPECT_TRUE(m.doc->History.empty()); // the month is as it was
    EXPECT_EQ(m.Slots(2), std::vector<int>{});

    m.Crew(2).BidText = draft;
    std::vector<std::string> awarded;
    for (const AwardRow& row : m.Award().Rows)
        if (row.Crew == 2 && row.Result != AwardResult::FallbackLine)
            awarded.push_back(row.Item + AwardResultText(row.Result) + row.Cause);
    std::vector<std::string> predicted;
    for (const WhatIfItem& item : items)
        predicted.push_back(item.Item + AwardResultText(item.Result) + item.Cause);
    EXPECT_EQ(awarded, predicted);
}

} // namespace
} // namespace tl
