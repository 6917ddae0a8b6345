#include "rules/crew_complement.h"

#include "core/legality_month.h"
#include "rules/history.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

using test::LegalityMonth;

// Pairing 0 (A0100) operates on day slots 2 and 9, pairing 1 (A0101) on
// slot 5; crew member 0 holds pairing 0 on slot 2.
struct ComplementMonth : LegalityMonth {
    explicit ComplementMonth(int kind) : LegalityMonth(kind, 6, 2027, 3)
    {
        for (int p = 0; p < 2; ++p) {
            AddPair(600, 600);
            Pair(p).PairKey = "A";
            Pair(p).PairText = "NOTE";
        }
        Pair(0).OpsCount[9] = 1;
        Pair(1).OpsCount[5] = 1;
        Put(0, 0, 2);
    }

    std::vector<ComplementLine> Open() { return OpenCrewComplement(*doc).Lines; }
};

std::vector<std::string> Selected(const std::vector<ComplementLine>& lines)
{
    std::vector<std::string> out;
    for (const ComplementLine& line : lines)
        if (line.Selected)
            out.push_back(line.Text.substr(39));
    return out;
}

TEST(CrewComplementTest, CopiesRoundTripThroughTheDialog)
{
    const struct {
        int kind;
        const char* caption;
        const char* marker;
    } cases[] = {
        {0, "Change Crew Required for Pairings", " TWO CAPTS ON"},
        {2, "Change FA Crew Required for Pairings", " EXTRA FA ON"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ComplementMonth m(c.kind);
        const ComplementDialog dialog = OpenCrewComplement(*m.doc);
        EXPECT_EQ(dialog.Caption, c.caption);
        std::vector<ComplementLine> lines = dialog.Lines;
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0].Text, " A0100   TH 03/06/2027                 00002");
        EXPECT_TRUE(Selected(lines).empty());

        // Two captains on A0100 day 3 and A0101 day 6; the second captain of
        // A0100 is given crew member 1 as the grid would.
        lines[0].Selected = lines[2].Selected = true;
        ASSERT_TRUE(CrewComplementDone(*m.doc, m.ui, lines));
        ASSERT_EQ(m.doc->LastPair, 3);
        EXPECT_EQ(m.Pair(2).OpsCount[2], -1);
        m.Crew(1).DaySlot[2] = 2;
        m.Pair(2).OpsCount[2] = -2;
        AddTransaction(m.doc->History, 1, 2, 2, 1);
        AddTransaction(m.doc->History, 0, 0, 2, 1);

        lines = m.Open();
        ASSERT_EQ(m.doc->History.size(), 1u); // the copy's transaction is gone
        EXPECT_EQ(m.doc->History[0].Pairing, 0);
        EXPECT_EQ(Selected(lines), (std::vector<std::string>{"00002001", "00105"}));
        EXPECT_EQ(m.doc->LastPair, 1);
        EXPECT_EQ(m.Crew(1).DaySlot[2], -1);
        EXPECT_EQ(m.Pair(0).PairText, "NOTE");
        EXPECT_EQ(m.Pair(0).OpsCount[2], 2);

        lines[1].Selected = true; // A0100 on day 10 too
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(CrewComplementDone(*m.doc, m.ui, lines));
            EXPECT_EQ(m.doc->LastPair, 4);
            EXPECT_EQ(m.Pair(0).PairText, std::string("NOTE") + c.marker + " 3 10");
            EXPECT_EQ(m.Pair(1).PairText, std::string("NOTE") + c.marker + " 6");
            EXPECT_EQ(m.Pair(2).PairText, m.Pair(0).PairText);
            EXPECT_EQ(m.Pair(0).OpsCount[2], -2);
            EXPECT_EQ(m.Pair(0).OpsCount[9], -1);
            EXPECT_EQ(m.Pair(1).OpsCount[5], -1);
            EXPECT_EQ(m.Crew(0).DaySlot[2], 0);
            EXPECT_EQ(m.Crew(1).DaySlot[2], 2);
            EXPECT_EQ(m.Pair(2).OpsCount[2], -2);
            EXPECT_EQ(m.Pair(3).OpsCount[9], -1);
            lines = m.Open();
            EXPECT_EQ(Selected(lines),
                      (std::vector<std::string>{"00002001", "00009", "00105"}));
        }
        EXPECT_TRUE(m.ui.Dialogs().empty());
    }
}

TEST(CrewComplementTest, FirstOfficersParkTwoCaptainDaysOnOpenLines)
{
    ComplementMonth m(1);
    m.Pair(1).OpsCount[2] = 1; // both pairings on day 3: one open line cannot take both
    std::vector<ComplementLine> lines = m.Open();
    ASSERT_EQ(lines.size(), 4u);
    lines[0].Selected = lines[2].Selected = true;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(CrewComplementDone(*m.doc, m.ui, lines));
        ASSERT_EQ(m.doc->CrewCount, 5);
        for (int line = 3; line < 5; ++line) {
            EXPECT_EQ(m.Crew(line).Name, "CAPT PAIRINGS");
            EXPECT_EQ(m.Crew(line).EmpNumber, -1);
            EXPECT_EQ(m.Crew(line).DaySlot[2], line - 3);
        }
        EXPECT_EQ(m.Crew(0).DaySlot[2], -1);
        EXPECT_EQ(m.Pair(0).OpsCount[2], -2);
        EXPECT_EQ(m.Pair(1).OpsCount[2], -2);
        EXPECT_EQ(m.Pair(0).PairText, "NOTE TWO CAPTS ON 3");

        lines = m.Open();
        EXPECT_EQ(Selected(lines), (std::vector<std::string>{"00002", "00102"}));
        EXPECT_EQ(m.doc->CrewCount, 3);
        EXPECT_TRUE(m.doc->History.empty()); // its open lines are gone
        EXPECT_EQ(m.Pair(0).OpsCount[2], 1);
        EXPECT_EQ(m.Pair(0).PairText, "NOTE");
    }
    EXPECT_TRUE(m.ui.Dialogs().empty());
}

TEST(CrewComplementTest, CopiesThatDoNotFitAreRefused)
{
    ComplementMonth m(0);
    std::vector<ComplementLine> lines = m.Open();
    for (ComplementLine& line : lines)
        line.Selected = true;
    m.doc->LastBasePair = m.doc->LastPair = ScheduleDocument::kPairCapacity - 3;
    EXPECT_FALSE(CrewComplementDone(*m.doc, m.ui, lines));
    EXPECT_EQ(m.doc->LastPair, ScheduleDocument::kPairCapacity - 3);
    EXPECT_EQ(m.Pair(0).PairText, "NOTE");
    EXPECT_EQ(m.ui.Dialogs(),
              std::vector<std::string>{"Tessara Lines: The Pairing Table has room for 2 more "
                                       "Pairings. Select no more than 2 Pairing days."});
}

} // namespace
} // namespace tl
