#include "actions/bid_guess.h"
#include "actions/bid_requests.h"
#include "support/case_name.h"
#include "support/extract_lines.h"
#include "support/scripted_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tl {
namespace {

using test::ScriptedInteraction;
using ::testing::ElementsAreArray;

// A month with ANNE SMITH and the pairings Z8101 and Z8102; November 2027,
// or the February period that runs from January 31st to February 29th.
std::unique_ptr<ScheduleDocument> Month(bool february = false)
{
    auto doc = test::November("YYZDH8FOZ", {{"ANNE SMITH", 42}});
    if (february) {
        SilentInteraction quiet;
        EXPECT_TRUE(doc->SetMonth(quiet, JulianDay(1, 31, 2028), JulianDay(2, 29, 2028)));
    }
    doc->LastPair = 1;
    for (int p = 0; p < 2; ++p) {
        doc->Pairs[static_cast<size_t>(p)].PairNumber = 8101 + p;
        doc->Pairs[static_cast<size_t>(p)].PairKey = "Z8";
    }
    return doc;
}

struct GuessCase {
    const char* name;
    const char* bid;
    const char* days;     // the pane's lines of requested days off
    const char* pairings; // and of requested pairings
    bool february = false;
};

void PrintTo(const GuessCase& c, std::ostream* os)
{
    *os << c.name;
}

class GuessCases : public ::testing::TestWithParam<GuessCase> {};

TEST_P(GuessCases, PaneText)
{
    const GuessCase& c = GetParam();
    const auto doc = Month(c.february);
    EXPECT_EQ(GuessPaneText(GuessTheBid(*doc, c.bid)),
              std::string("--- Requested Days Off ---\n") + c.days +
                  "\n--- Requested Pairings ---\n" + c.pairings);
}

INSTANTIATE_TEST_SUITE_P(
    Bids, GuessCases,
    ::testing::Values(
        GuessCase{"DaysOffAndRange", "(1). OFF 10-12, 20\n", "10, 11, 12, 20, \n", ""},
        GuessCase{"Pairings", "X\n(2). Z8101 z8102\n", "", "8101, 8102, \n"},
        GuessCase{"NoPrefixNoDay", "(2). 8101 Z9999 V8101 OFF 40\n", "", ""},
        GuessCase{"DaysOnlyOnOffLines", "(1). 10 12-14\n(2). off 3\n", "03, \n", ""},
        GuessCase{"WeekendsWithoutOff", "(1). WEEKENDS\n", "", ""},
        GuessCase{"WeekendsOff", "(1). WEEKENDS OFF\n", "06, 07, 13, 14, 20, 21, 27, 28, \n", ""},
        GuessCase{"RepeatsStayInTheFirstPreference",
                  "(1). OFF 5, 6\n(2). Z8101\n(3). OFF 6 7 7 5-7\n(4). Z8101 Z8102\n",
                  "05, 06, \n07, \n", "8101, \n8102, \n"},
        GuessCase{"ShortLineAndNoSpace", "(1).x\n(2).  OFF 4\n", "04, \n", ""},
        GuessCase{"DescendingRange", "(1). OFF 12-10\n", "12, 11, 10, \n", ""},
        GuessCase{"AcrossTheMonthStart", "(1). OFF 31-2, 28-3\n",
                  "31, 01, 02, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13, "
                  "12, 11, 10, 09, 08, 07, 06, 05, 04, 03, \n",
                  "", true},
        GuessCase{"BackwardsAcrossTheMonthStart", "(1). OFF 2-31\n", "02, 01, 31, \n", "", true},
        GuessCase{"CapacityOfADayList", "(1). OFF 1-30 1-30 1-30\n",
                  "03, 04, 05, 06, 07, 08, 09, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, "
                  "21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 01, 02, \n",
                  ""}),
    test::ByName());

// DayFlag of the slots that hold one.
std::map<int, int> Flags(const TPilot& p)
{
    std::map<int, int> flags;
    for (int s = 0; s < TPilot::kSlots; ++s)
        if (p.DayFlag[static_cast<size_t>(s)] != 0)
            flags[s] = p.DayFlag[static_cast<size_t>(s)];
    return flags;
}

TEST(BidRequestsTest, DayOffRequestsReplaceOnlyBidRequests)
{
    auto doc = Month();
    TPilot& p = doc->Crew[0];
    p.DayFlag[2] = 3;  // a toolbox request stays
    p.DayFlag[9] = 25; // one of the last run goes
    ScriptedInteraction ui;
    ASSERT_TRUE(
        SetDayOffRequests(*doc, 0, GuessTheBid(*doc, "(1). OFF 3, 10-11\n(2). OFF 20, 18\n"), ui));
    EXPECT_EQ(Flags(p), (std::map<int, int>{{2, 3}, {9, 20}, {10, 20}, {19, 21}, {17, 22}}));
    EXPECT_TRUE(ui.Dialogs().empty());
}

TEST(BidRequestsTest, DayOffsetsOfShiftedPeriods)
{
    struct {
        int firstMonth, firstDay, lastMonth, lastDay;
        const char* bid;
        Answer answer;
        std::map<int, int> flags;
        std::vector<std::string> dialogs;
    } cases[] = {
        // February's period starts the day before the 1st.
        {1,
         31,
         2,
         29,
         "(1). OFF 31 1\n",
         Answer::Yes,
         {{0, 20}, {1, 20}},
         {"Tessara Lines: Is this request Feb 1st Off"}},
        {1,
         31,
         2,
         29,
         "(1). OFF 1\n",
         Answer::No,
         {{30, 20}},
         {"Tessara Lines: Is this request Feb 1st Off"}},
        // March's starts the day after.
        {3,
         2,
         4,
         1,
         "(1). OFF 1, 2\n",
         Answer::Yes,
         {{0, 20}},
         {"Tessara Lines: March 1st Is Not in This Schedule Period. Ignoring request for "
          "March 1st"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bid);
        auto doc = Month();
        SilentInteraction quiet;
        ASSERT_TRUE(doc->SetMonth(quiet, JulianDay(c.firstMonth, c.firstDay, 2028),
                                  JulianDay(c.lastMonth, c.lastDay, 2028)));
        ScriptedInteraction ui;
        ui.Script({c.answer});
        ASSERT_TRUE(SetDayOffRequests(*doc, 0, GuessTheBid(*doc, c.bid), ui));
        EXPECT_EQ(Flags(doc->Crew[0]), c.flags);
        EXPECT_THAT(ui.Dialogs(), ElementsAreArray(c.dialogs));
    }
}

TEST(BidRequestsTest, SetFiltersKeepsTheTextAndNamesUnknownPairings)
{
    const struct {
        const char* stored;
        const char* bid;
        const char* filter;
        bool message;
    } cases[] = {
        {"0305TEXTYTZ;", "(1). Z8102 Z7777\n(2). Z8101\n", "81028101TEXTYTZ;", true},
        {"TEXTYTZ;", "(1). OFF 3\n", "TEXTYTZ;", false},
        {"0305", "(1). OFF 3\n", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        auto doc = Month();
        doc->Crew[0].FilterText = c.stored;
        // A pairing number no pairing has cannot come from the guess.
        BidRequests requests = GuessTheBid(*doc, c.bid);
        if (c.message)
            requests[0].Pairings[1] = 7777;
        ScriptedInteraction ui;
        ASSERT_TRUE(SetBidFilters(*doc, 0, requests, ui));
        EXPECT_EQ(doc->Crew[0].FilterText, c.filter);
        if (c.message)
            EXPECT_THAT(ui.Dialogs(),
                        ElementsAreArray({"Tessara Lines: The following Pair Numbers were Not "
                                          "Found in the Pairings. They Will Not be Added to the "
                                          "Filters.7777 "}));
        else
            EXPECT_TRUE(ui.Dialogs().empty());
    }
}

TEST(BidRequestsTest, SavingAnEditedBid)
{
    const struct {
        const char* edit;
        Answer answer;
        BidSave result;
        const char* stored;
        bool asked;
    } cases[] = {
        {"OFF 4", Answer::No, BidSave::Stored, "OFF 4", false}, // same length: no question
        {"OFF 3", Answer::No, BidSave::Unchanged, "OFF 3", false},
        {"off 3", Answer::No, BidSave::Unchanged, "OFF 3", false},
        {"OFF 31", Answer::No, BidSave::Discarded, "OFF 3", true},
        {"OFF 31", Answer::Yes, BidSave::Stored, "OFF 31", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        auto doc = Month();
        doc->Crew[0].BidText = "OFF 3";
        doc->Modified = false;
        ScriptedInteraction ui;
        ui.Script({c.answer});
        EXPECT_EQ(SaveBidText(*doc, 0, c.edit, ui), c.result);
        EXPECT_EQ(doc->Crew[0].BidText, c.stored);
        EXPECT_EQ(doc->Modified, c.result == BidSave::Stored);
        EXPECT_EQ(ui.Dialogs().size(), c.asked ? 1u : 0u);
    }
}

} // namespace
} // namespace tl
