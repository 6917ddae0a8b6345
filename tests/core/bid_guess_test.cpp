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

// ANNE SMITH's month with the pairings Z8101 and Z8102: November 2027 unless
// other first and last days are given (month, day of 2028).
std::unique_ptr<ScheduleDocument> Month(std::array<int, 4> period = {})
{
    auto doc = test::November("YYZDH8FOZ", {{"ANNE SMITH", 42}});
    SilentInteraction quiet;
    if (period[0] != 0) {
        EXPECT_TRUE(doc->SetMonth(quiet, JulianDay(period[0], period[1], 2028),
                                  JulianDay(period[2], period[3], 2028)));
    }
    doc->LastPair = 1;
    for (size_t p = 0; p < 2; ++p) {
        doc->Pairs[p].PairNumber = 8101 + static_cast<int>(p);
        doc->Pairs[p].PairKey = "Z8";
    }
    return doc;
}

const std::array<int, 4> kFebruary = {1, 31, 2, 29}; // starts the day before the 1st

struct GuessCase {
    const char* name;
    const char* bid;
    const char* days;     // the pane's lines of requested days off
    const char* pairings; // and of requested pairings
    std::array<int, 4> period = {};
};

void PrintTo(const GuessCase& c, std::ostream* os)
{
    *os << c.name;
}

class GuessCases : public ::testing::TestWithParam<GuessCase> {};

TEST_P(GuessCases, PaneText)
{
    const GuessCase& c = GetParam();
    EXPECT_EQ(GuessPaneText(GuessTheBid(*Month(c.period), c.bid)),
              std::string("--- Requested Days Off ---\n") + c.days +
                  "\n--- Requested Pairings ---\n" + c.pairings);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bids, GuessCases, ::testing::Values(
    GuessCase{"DaysOffAndRange", "(1). OFF 10-12, 20\n", "10, 11, 12, 20, \n", ""},
    GuessCase{"Pairings", "X\n(2). Z8101 z8102\n", "", "8101, 8102, \n"},
    GuessCase{"NoPrefixNoDay", "(2). 8101 Z9999 V8101 OFF 40\n", "", ""},
    GuessCase{"DaysOnlyOnOffLines", "(1). 10 12-14\n(2). off 3\n", "03, \n", ""},
    GuessCase{"WeekendsWithoutOff", "(1). WEEKENDS\n", "", ""},
    GuessCase{"WeekendsOff", "(1). WEEKENDS OFF\n", "06, 07, 13, 14, 20, 21, 27, 28, \n", ""},
    GuessCase{"RepeatsStayInTheFirstPreference", "(1). OFF 5, 6\n(2). Z8101\n(3). OFF 6 7 7 5-7\n(4). Z8101 Z8102\n",
              "05, 06, \n07, \n", "8101, \n8102, \n"},
    GuessCase{"ShortLineAndNoSpace", "(1).x\n(2).  OFF 4\n", "04, \n", ""},
    GuessCase{"DescendingRange", "(1). OFF 12-10\n", "12, 11, 10, \n", ""},
    GuessCase{"AcrossTheMonthStart", "(1). OFF 31-2, 28-3\n", "31, 01, 02, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, "
              "17, 16, 15, 14, 13, 12, 11, 10, 09, 08, 07, 06, 05, 04, 03, \n", "", kFebruary},
    GuessCase{"BackwardsAcrossTheMonthStart", "(1). OFF 2-31\n", "02, 01, 31, \n", "", kFebruary},
    GuessCase{"CapacityOfADayList", "(1). OFF 1-30 1-30 1-30\n", "03, 04, 05, 06, 07, 08, 09, 10, 11, 12, 13, 14, 15, "
              "16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 01, 02, \n", ""}),
    test::ByName());
// clang-format on

TEST(BidRequestsTest, DayOffRequests)
{
    const std::string feb1 = "Tessara Lines: Is this request Feb 1st Off";
    const struct {
        std::array<int, 4> period;
        const char* bid;
        Answer answer;
        std::map<int, int> flags;
        std::vector<std::string> dialogs;
    } cases[] = {
        // clang-format off
        // A toolbox request (slot 2) stays, one of the last run (slot 9) goes;
        // a run out of order takes a code per day.
        {{}, "(1). OFF 3, 10-11\n(2). OFF 20, 18\n", Answer::No, {{2, 3}, {9, 20}, {10, 20}, {19, 21}, {17, 22}}, {}},
        {kFebruary, "(1). OFF 31 1\n", Answer::Yes, {{0, 20}, {1, 20}, {2, 3}}, {feb1}},
        {kFebruary, "(1). OFF 1\n", Answer::No, {{30, 20}, {2, 3}}, {feb1}},
        {{3, 2, 4, 1}, "(1). OFF 1, 2\n", Answer::Yes, {{0, 20}, {2, 3}},
         {"Tessara Lines: March 1st Is Not in This Schedule Period. Ignoring request for March 1st"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bid);
        auto doc = Month(c.period);
        doc->Crew[0].DayFlag[2] = 3;
        doc->Crew[0].DayFlag[9] = 25;
        ScriptedInteraction ui;
        ui.Script({c.answer});
        ASSERT_TRUE(SetDayOffRequests(*doc, 0, GuessTheBid(*doc, c.bid), ui));
        std::map<int, int> flags;
        for (size_t s = 0; s < TPilot::kSlots; ++s)
            if (doc->Crew[0].DayFlag[s] != 0)
                flags[static_cast<int>(s)] = doc->Crew[0].DayFlag[s];
        EXPECT_EQ(flags, c.flags);
        EXPECT_THAT(ui.Dialogs(), ElementsAreArray(c.dialogs));
    }
}

TEST(BidRequestsTest, SetFiltersKeepsTheTextAndNamesUnknownPairings)
{
    const std::string unknown = "Tessara Lines: The following Pair Numbers were Not Found in the "
                                "Pairings. They Will Not be Added to the Filters.7777 ";
    const struct {
        const char* stored;
        const char* bid;
        int32_t unknown; // a number no pairing has, which the guess never gives
        const char* filter;
    } cases[] = {
        {"0305TEXTYTZ;", "(1). Z8102\n(2). Z8101\n", 7777, "81028101TEXTYTZ;"},
        {"TEXTYTZ;", "(1). OFF 3\n", 0, "TEXTYTZ;"},
        {"0305", "(1). OFF 3\n", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        auto doc = Month();
        doc->Crew[0].FilterText = c.stored;
        BidRequests requests = GuessTheBid(*doc, c.bid);
        requests[0].Pairings[1] = c.unknown;
        ScriptedInteraction ui;
        ASSERT_TRUE(SetBidFilters(*doc, 0, requests, ui));
        EXPECT_EQ(doc->Crew[0].FilterText, c.filter);
        EXPECT_EQ(ui.Dialogs(), c.unknown != 0 ? std::vector{unknown} : std::vector<std::string>{});
    }
}

TEST(BidRequestsTest, SavingAnEditedBid)
{
    const struct {
        const char* edit;
        Answer answer;
        BidSave result;
        const char* stored;
        size_t asked;
    } cases[] = {
        {"OFF 4", Answer::No, BidSave::Stored, "OFF 4", 0}, // same length: no question
        {"off 3", Answer::No, BidSave::Unchanged, "OFF 3", 0},
        {"OFF 31", Answer::No, BidSave::Discarded, "OFF 3", 1},
        {"OFF 31", Answer::Yes, BidSave::Stored, "OFF 31", 1},
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
        EXPECT_EQ(ui.Dialogs().size(), c.asked);
    }
}

} // namespace
} // namespace tl
