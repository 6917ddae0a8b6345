#include "core/legality_month.h"
#include "output/print_pages.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

using test::LegalityMonth;

std::vector<BlocksPage> PrintAll(LegalityMonth& m, bool draft = true, bool xes = false)
{
    return BlocksPrintout(*m.doc, PrintSelection(*m.doc, 1, m.doc->CrewCount), {draft, true, xes},
                          m.ui);
}

TEST(BlocksPrintoutTest, PagesOf28HeadersAndRowCounters)
{
    LegalityMonth m(kCaptains, 6, 2027, 60);
    m.doc->FileName = "/months/YYZ.JUN27.tl2";
    std::vector<BlocksPage> pages = PrintAll(m);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].Rows.size(), 28u);
    EXPECT_EQ(pages[1].Rows.size(), 28u);
    EXPECT_EQ(pages[2].Rows.size(), 4u);
    EXPECT_EQ(pages[1].Header, "*** Jun 2027 DRAFT COPY *** Page 2 YYZ.JUN27.tl2");
    EXPECT_EQ(pages[1].Rows[0].Label, "29 CREW 29  ");
    EXPECT_FALSE(pages[0].HasReserves);
    EXPECT_TRUE(pages[2].HasReserves);
    EXPECT_EQ(PrintAll(m, false)[2].Header, "Tessara Lines Jun 2027 FINAL. Page 3 YYZ.JUN27.tl2");

    // A range: pilots count the printed rows, flight attendants their place.
    m.Crew(5).Name = "ABCDEFGHIJKL";
    for (auto [kind, label] :
         {std::pair{kCaptains, "1 ABCDEFGHI"}, std::pair{kFlightAttendants, "6 ABCDEFGHI"}}) {
        m.doc->CrewKind = kind;
        pages = BlocksPrintout(*m.doc, PrintSelection(*m.doc, 6, 8), {}, m.ui);
        ASSERT_EQ(pages.size(), 1u);
        ASSERT_EQ(pages[0].Rows.size(), 3u);
        EXPECT_EQ(pages[0].Rows[0].Label, label);
    }
    const std::vector<int> shown = {2, 6, 40};
    EXPECT_EQ(PrintSelection(*m.doc, 3, 30, &shown)[6], 1);
    EXPECT_EQ(PrintSelection(*m.doc, 3, 30, &shown)[40], 0);
}

TEST(BlocksPrintoutTest, VauHoursLeaveCodesPairingsAndRequests)
{
    for (auto [kind, hours, med] : {std::tuple{kCaptains, "72:00 65:00", "MED"},
                                    std::tuple{kFlightAttendants, "74:20 65:00", "LOA"}}) {
        LegalityMonth m(kind, 6, 2027, 1);
        m.Crew(0).MiscHours = 3900; // and 15:00 of the pairing: 80:00 of credit
        m.Other(0, 3, "VAU", 0, 0, false);
        m.Other(0, 4, "VAU", 0, 0, false);
        m.Other(0, 6, "MED", 0, 0, false);
        const int p = m.AddPair(600, 2880, 3);
        m.Pair(p).PairNumber = 12;
        m.Pair(p).PairType = "PU";
        m.Put(0, p, 10);
        m.Crew(0).DayCarry[31][CarryValue::DayKind] = kWorkedDay;
        m.Crew(0).DayFlag[20] = 1;
        const PrintCrewRow row = PrintAll(m, true, true)[0].Rows[0];
        EXPECT_EQ(row.Hours, hours);
        EXPECT_EQ(row.Days[6].Lines, std::vector<std::string>{med});
        EXPECT_EQ(row.Days[10].Lines[0], "0012");
        EXPECT_EQ(row.Days[10].Lines.size(), kind == kFlightAttendants ? 2u : 1u);
        EXPECT_TRUE(row.Days[12].Continued);
        EXPECT_FALSE(row.Days[13].Continued);
        EXPECT_EQ(row.Days[0].Lines, std::vector<std::string>{"CARRYIN"});
        EXPECT_EQ(row.Days[20].Lines, std::vector<std::string>{"X1"});
    }
    LegalityMonth m;
    m.Other(0, 3, "VAU", 0, 0, false);
    EXPECT_EQ(PrintedBlockMinutes(*m.doc, 0, 120), 0);
}

TEST(BlocksPrintoutTest, ReservesCountEveryoneAndOpenListsRunOnToNewPages)
{
    LegalityMonth m(kCaptains, 6, 2027, 28);
    m.Other(0, 2, "RES", 0, 0, false, true);
    m.Other(27, 2, "RES", 0, 0, false, true);
    m.Other(1, 2, "VAC", 0, 0, false);
    for (int k = 0; k < 10; ++k) {
        const int p = m.AddPair(600, 480);
        m.Pair(p).OpsCount[5] = k % 3 == 2 ? kOpsAssigned : k % 2 ? kOpsOpenFlagged : kOpsOpen;
    }
    m.Pair(0).PairNumber = 12345;
    // Only the first block printed: the count still takes every crew member.
    std::vector<int8_t> selection(28, 0);
    selection[0] = 1;
    std::vector<BlocksPage> pages = BlocksPrintout(*m.doc, selection, {}, m.ui);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Reserves[2], "2");
    EXPECT_EQ(pages[0].Reserves[3], "0");
    EXPECT_EQ(pages[0].Open[5],
              (std::vector<std::string>{"12345", "0101", "0103", "0104", "0106", "0107", "0109"}));
    // Behind a full page of 28 rows only six lines fit: the rest go on.
    pages = PrintAll(m);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].Open[5].size(), 6u);
    EXPECT_EQ(pages[1].Open[5], std::vector<std::string>{"0109"});
    EXPECT_TRUE(pages[1].Rows.empty());
    EXPECT_EQ(pages[1].Header, "*** Jun 2027 DRAFT COPY *** Page 2 ");
}

TEST(VisualPairingsPrintoutTest, CellsFooterAndPages)
{
    LegalityMonth m(kCaptains, 6, 2027, 0);
    m.doc->FileName = "JUN27.tl2";
    for (int k = 0; k < 40; ++k) {
        const int p = m.AddPair(600, 2880, 2);
        m.Pair(p).OpsCount[1] = kOpsOpen;
        m.Pair(p).Layovers = "YUL";
        m.Pair(p).CreditClass = 1;
    }
    m.Pair(0).PairNumber = 4321;
    const std::vector<VisualPairingsPage> pages = VisualPairingsPrintout(*m.doc);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].Rows.size() + pages[1].Rows.size(), 40u);
    EXPECT_EQ(pages[0].Rows[0][1], (std::vector<std::string>{"4321", "**"}));
    EXPECT_EQ(pages[0].Rows[0][2], (std::vector<std::string>{"--", "YUL"}));
    EXPECT_EQ(pages[1].Footer, "Avg Pair Credit 5:00 per/day.  File JUN27.tl2  Page 2");
    EXPECT_EQ(pages[0].Title,
              "Tessara Lines Visual Pairings. Jun 2027  Quick Reference Only. See Pairings");
}

} // namespace
} // namespace tl
