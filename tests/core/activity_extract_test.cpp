#include "import/activity_extract.h"
#include "support/extract_lines.h"
#include "support/scripted_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <tuple>
#include <vector>

namespace tl {
namespace {

using test::FixedLine;
using test::ScriptedInteraction;
using ::testing::Each;
using ::testing::ElementsAre;

// One record of the pairing extract (1178 characters with its line feed):
// duty blocks of date, start and end; day blocks of hard time and credit.
// Dates are YYYYMMDD.
std::string PairingRecord(const char* id, int date, int report, int tafb, int rest,
                          const std::vector<std::tuple<int, int, int>>& duties,
                          const std::vector<std::pair<int, int>>& days)
{
    FixedLine line(1177);
    line.Put(0, id).Num(6, date, 8).Num(14, date, 8);
    line.Num(22, report, 4).Num(50, tafb, 8).Num(66, rest, 4);
    for (size_t j = 0; j < duties.size(); ++j) {
        const auto& [d, start, end] = duties[j];
        line.Num(70 + 24 * j, d, 8).Num(78 + 24 * j, start, 4).Num(90 + 24 * j, end, 4);
    }
    for (size_t m = 0; m < days.size(); ++m)
        line.Num(817 + 11 * m, days[m].first, 4).Num(821 + 11 * m, days[m].second, 4);
    return line.Line();
}

struct Entry {
    const char *code, *id; // two blanks for a pairing's code
    int first, start, last, end;
};

std::string ActivityLine(int employee, const std::vector<Entry>& entries, int hardDay30 = 0)
{
    FixedLine line(1605);
    line.Num(0, employee, 9);
    for (size_t k = 0; k < entries.size(); ++k) {
        const Entry& e = entries[k];
        const size_t p = 9 + 40 * k;
        line.Put(p, e.code).Put(p + 2, e.id);
        if (std::string_view(e.code) == "  ")
            line.Num(p + 8, e.first, 8);
        line.Num(p + 16, e.first, 8).Num(p + 24, e.start, 4).Num(p + 28, e.last, 8);
        line.Num(p + 36, e.end, 4);
    }
    for (int i = 0; i < 31; ++i)
        line.Num(1481 + 4 * static_cast<size_t>(i), i == 30 ? hardDay30 : 0, 4);
    return line.Line();
}

// For November captains the day before the month, 31 October, is extended day 30.
const std::string kPairings =
    PairingRecord("Z1234", 20271031, 360, 1020, 600, {{20271031, 360, 1380}},
                  {{0, 0}, {300, 400}, {50, 100}, {999, 999}}) +
    PairingRecord("Z2000", 20271001, 600, 2000, 900, {{20271001, 600, 1200}, {20271002, 1380, 300}},
                  {{77, 5}, {0, 10}, {0, 20}, {0, 30}, {0, 40}}) +
    PairingRecord("Z3000", 20270801, 600, 600, 900, {}, {});

TEST(ActivityExtractTest, PairingsAndCodesOnTheExtendedDays)
{
    auto doc = test::November(
        "YYZDH8CAZ", {{"A ANN", 2001}, {"B BOB", 2002}, {"B TWIN", 2002}, {"C CAT", 2003}});
    const std::string activity =
        ActivityLine(2001,
                     {{"  ", "Z1234", 20271031, 0, 20271031, 0},
                      {"ZZ", "     ", 20271005, 600, 20271005, 700}},
                     333) +
        ActivityLine(2999, {{"VC", "     ", 20271005, 0, 20271009, 1439}}) +
        ActivityLine(2002, {{"RB", "     ", 20271031, 360, 20271031, 1080},
                            {"VC", "     ", 20271020, 1320, 20271021, 360},
                            {"VC", "     ", 20271103, 0, 20271104, 1439}}) +
        ActivityLine(2003, {{"  ", "Z2000", 20271001, 0, 20271002, 0},
                            {"  ", "Z9999", 20271003, 0, 20271003, 0},
                            {"  ", "Z3000", 20270801, 0, 20270802, 0}});
    ScriptedInteraction ui;
    ASSERT_TRUE(LoadLastMonthsDataText(*doc, activity, kPairings, ui));
    EXPECT_TRUE(ui.Dialogs().empty());

    // A pairing on the day before the month, 06:00 to 23:00, rest 10:00:
    // legal at 23:00 + 11:00, 10:00 on the first day.
    const TPilot& ann = doc->Crew[0];
    EXPECT_EQ(ann.DayText[30], "Z1234");
    EXPECT_THAT(ann.DayCarry[30], ElementsAre(360, 1020, 360, 1020, 400, 333, 1, 0, 0, 0));
    EXPECT_EQ(ann.CarryIn[1], 600);
    // Day block 2 is the first day of the month; block 3 is beyond the pairing.
    EXPECT_THAT(ann.DayCarry[31], ElementsAre(0, 0, 0, 0, 100, 50, 0, 0, 0, 0));
    EXPECT_EQ(ann.DayCarry[32][4], 0);
    EXPECT_EQ(ann.CarryIn[0], 100);
    EXPECT_EQ(ann.DayText[4], "ZZ");

    // A reserve day before the month from 06:00: legal at 04:59.
    const TPilot& bob = doc->Crew[1];
    EXPECT_EQ(bob.DayText[30], "RB ");
    EXPECT_THAT(bob.DayCarry[30], ElementsAre(0, 0, 360, 840, 0, 0, 2, 0, 1, 0));
    EXPECT_EQ(bob.CarryIn[1], 299);
    // Overnight code: one day of 8:00.
    EXPECT_EQ(bob.DayText[19] + "|" + bob.DayText[20], "VAC|");
    EXPECT_EQ(bob.DayCarry[19][3], 480);
    // A code of the month itself starts at the month's first day.
    EXPECT_EQ(bob.DayText[31] + bob.DayText[32] + bob.DayText[33], "VACVAC");
    // Only the first crew member with the number receives the line.
    EXPECT_EQ(doc->Crew[2].DayText[30], "");

    // A pairing starting on the first of the 31 days: its own days keep
    // their figures, the day before it is dropped.
    const TPilot& cat = doc->Crew[3];
    // The hard time columns replace the blocks' hard times.
    EXPECT_THAT(cat.DayCarry[0], ElementsAre(600, 2000, 600, 600, 10, 0, 1, 0, 0, 0));
    EXPECT_THAT(cat.DayCarry[1], ElementsAre(0, 0, 1380, 360, 20, 0, 1, 0, 0, 0));
    EXPECT_THAT(cat.DayCarry[2], ElementsAre(0, 0, 0, 0, 30, 0, 0, 0, 0, 0));
    EXPECT_EQ(cat.DayCarry[3][4], 0);
    EXPECT_EQ(cat.CarryIn[1], 0);

    EXPECT_THAT(
        ui.ListLines("Errors from Overlap Info Extract Load"),
        ElementsAre("No Matching Code for ZZ Last Month A ANN day 05 - No Duty Info loaded",
                    "Could not assign VC code to B BOB from 03 11 2027 to 04 11 2027 Last Month",
                    "Could not find Pairing Z9999 to Assign to C CAT",
                    "Could not assign Pairing Z3000 to C CAT from 01 08 2027 to 02 08 2027 "
                    "Last Month"));
    const auto progress = ui.Only(ScriptedInteraction::Kind::Progress);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back().text, "Completed 3 of 4");

    // A second import starts over: nothing of the first stays.
    ASSERT_TRUE(LoadLastMonthsDataText(*doc, ActivityLine(2999, {}), kPairings, ui));
    EXPECT_EQ(ann.DayText[30], "");
    EXPECT_THAT(ann.DayCarry[30], Each(0));
    EXPECT_THAT(ann.CarryIn, Each(0));
}

TEST(ActivityExtractTest, QuestionsAndHostileLines)
{
    auto doc = test::November("YYZDH8CAZ", {{"A ANN", 2001}});
    const std::string good = ActivityLine(2001, {{"  ", "Z1234", 20271031, 0, 20271031, 0}});
    const std::string question = "Tessara Lines: This May Not Be a Valid Crew Activity Extract! Do "
                                 "You Want to Try Load it Anyway";
    {
        // A pairing extract whose first line is not a record: No leaves everything.
        ScriptedInteraction ui;
        ui.Script({Answer::No});
        EXPECT_FALSE(LoadLastMonthsDataText(*doc, good, "Z1234 short\n", ui));
        EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{question});
        EXPECT_TRUE(doc->FreshDocument);
    }
    {
        // Windows line ends, a last record without its line feed, lines cut
        // short, NULs and high bytes, a line far longer than the buffer.
        std::string pairings = kPairings;
        for (size_t at = pairings.find('\n'); at != std::string::npos;
             at = pairings.find('\n', at + 2))
            pairings.insert(at, "\r");
        pairings.pop_back();
        pairings.pop_back();
        std::string cut = good.substr(0, 300) + "\n";
        std::string noisy = good;
        noisy[9 + 40 + 2] = '\0';
        noisy[9 + 80] = '\xE9';
        const std::string text =
            cut + noisy + std::string(50000, '9') + "\n" + good.substr(0, 1604);
        ScriptedInteraction ui;
        ui.Script({Answer::Yes});
        EXPECT_TRUE(LoadLastMonthsDataText(*doc, text, pairings, ui));
        EXPECT_EQ(doc->Crew[0].DayText[30], "Z1234");
        EXPECT_EQ(doc->Crew[0].CarryIn[1], 600);
        EXPECT_NE(ui.TraceText().find("Substring out of Range\n"), std::string::npos);
    }
    {
        // One employee listed over and over: the carried credit stops at the
        // top of its range instead of wrapping round.
        const std::string big =
            PairingRecord("Z7777", 20271031, 0, 60, 0, {}, {{0, 0}, {0, 0}, {9999, 9999}});
        const std::string line = ActivityLine(
            2001, std::vector<Entry>(31, Entry{"  ", "Z7777", 20271031, 0, 20271031, 0}));
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += line;
        ScriptedInteraction ui;
        EXPECT_TRUE(LoadLastMonthsDataText(*doc, text, big, ui));
        EXPECT_EQ(doc->Crew[0].CarryIn[0], std::numeric_limits<int32_t>::max());
    }
}

} // namespace
} // namespace tl
