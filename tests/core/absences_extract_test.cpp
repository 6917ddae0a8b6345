#include "import/absences_extract.h"
#include "support/extract_lines.h"
#include "support/scripted_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tl {
namespace {

using test::FixedLine;
using test::ScriptedInteraction;
using ::testing::ElementsAre;

struct Absence {
    std::string_view code;
    int first, last, start, end;
};

std::string AbsenceLine(int employee, const std::vector<Absence>& entries, size_t length = 443)
{
    FixedLine line(length);
    line.Num(0, employee, 9);
    size_t p = 9;
    for (const Absence& a : entries) {
        line.Put(p, a.code)
            .Num(p + 2, a.first, 2)
            .Num(p + 4, a.last, 2)
            .Num(p + 6, a.start, 4)
            .Num(p + 10, a.end, 4);
        p += 14;
    }
    return line.Line();
}

// A 30-day pilot month: Ann (1001) has a pairing on day 5, Bob (1002) is on
// the roster twice.
std::unique_ptr<ScheduleDocument> Month()
{
    auto doc = test::November("YYZDH8CAZ",
                              {{"A ANN", 1001}, {"B BOB", 1002}, {"C CAT", 1003}, {"B BOB", 1002}});
    doc->Crew[0].DaySlot[4] = 0;
    return doc;
}

TEST(AbsencesExtractTest, EntriesBecomeOtherAssignments)
{
    auto doc = Month();
    const std::string text =
        AbsenceLine(1001,
                    {{"VC", 3, 6, 0, 1439}, {"ZZ", 7, 7, 1320, 360}, {"SM", 30, 2, 600, 900}}) +
        AbsenceLine(1002, {{"RB", 10, 10, 300, 1200}}) +
        AbsenceLine(1003, {{"LA", 1, 30, 0, 1439}}) + AbsenceLine(99999, {}) +
        AbsenceLine(1001, {{"VC", 20, 20, 0, 1439}});
    ScriptedInteraction ui;
    ASSERT_TRUE(LoadCrewAbsencesText(*doc, text, false, ui));
    EXPECT_TRUE(ui.Dialogs().empty()); // a fresh document asks nothing

    const TPilot& ann = doc->Crew[0];
    EXPECT_THAT(std::vector<int>(ann.DaySlot.begin(), ann.DaySlot.begin() + 8),
                ElementsAre(-1, -1, -2, -2, 0, -2, -2, -1));
    EXPECT_EQ(ann.DayCode[2] + ann.DayCode2[2], "VACVC");
    EXPECT_THAT(ann.DayOther[5], ElementsAre(0, 1439, 170, 0, 0, 0, 0, 0, 0, 0));
    // Across midnight, and a code the table does not know.
    EXPECT_EQ(ann.DayCode[6], "ZZ");
    EXPECT_THAT(ann.DayOther[6], ElementsAre(1320, 480, 0, 0, 0, 0, 0, 0, 0, 0));
    // The reversed range wrote nothing, nor did the line after 99999.
    EXPECT_EQ(ann.DaySlot[29], -1);
    EXPECT_EQ(ann.DaySlot[19], -1);
    // Both records of the employee listed twice, with the pilot reserve flags.
    for (size_t bob : {1u, 3u})
        EXPECT_THAT(doc->Crew[bob].DayOther[9], ElementsAre(300, 900, 0, 0, 1, 1, 0, 1, 0, 0));
    EXPECT_EQ(doc->Crew[2].BidReserveOrLoa, 1);
    EXPECT_EQ(doc->Crew[0].BidReserveOrLoa, 0);

    EXPECT_THAT(ui.ListLines("Warnings from Absences Extract Load"),
                ElementsAre("Cannot Assign Code VC in 1 A ANN on day 05 Due Pairing Assigned",
                            " No Matching Code for ZZ", " No Credit or Duty Info Recorded"));
}

TEST(AbsencesExtractTest, FollowingMonthAndTheOverwriteQuestion)
{
    auto doc = Month();
    const std::string text = AbsenceLine(1003, {{"VC", 1, 3, 0, 1439}});
    ScriptedInteraction ui;
    ASSERT_TRUE(LoadCrewAbsencesText(*doc, text, true, ui));
    EXPECT_THAT(
        std::vector<int>(doc->Crew[2].DaySlot.begin() + 29, doc->Crew[2].DaySlot.begin() + 34),
        ElementsAre(-1, -2, -2, -2, -1));

    // After an import the current month's load asks again (No changes
    // nothing); the following month's never asks.
    ui.Script({Answer::No, Answer::Yes});
    EXPECT_FALSE(LoadCrewAbsencesText(*doc, text, false, ui));
    EXPECT_EQ(doc->Crew[2].DaySlot[0], -1);
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, text, false, ui));
    EXPECT_EQ(doc->Crew[2].DaySlot[0], -2);
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, text, true, ui));
    EXPECT_EQ(
        ui.Dialogs(),
        std::vector<std::string>(
            2, "Tessara Lines: This will erase all conflicting Toolbox assignments. Proceed"));
}

TEST(AbsencesExtractTest, MalformedLines)
{
    auto doc = Month();
    ScriptedInteraction ui;
    // A first line of the wrong length asks; No stops before anything changes.
    ui.Script({Answer::No, Answer::Yes, Answer::Yes});
    EXPECT_FALSE(
        LoadCrewAbsencesText(*doc, AbsenceLine(1003, {{"VC", 1, 1, 0, 1439}}, 40), false, ui));
    EXPECT_TRUE(doc->FreshDocument);
    // A line that stops before its closing blank code: the days before stay.
    const std::string cut = AbsenceLine(1003, {{"VC", 1, 1, 0, 1439}, {"VC", 2, 2, 0, 1439}}, 37);
    EXPECT_FALSE(LoadCrewAbsencesText(*doc, cut, false, ui));
    EXPECT_EQ(doc->Crew[2].DayCode[1], "VAC");
    EXPECT_EQ(ui.Dialogs().back(),
              "Tessara Lines: File Error - Unable to Load Crew Absences from this file.");

    // CRLF, NUL, high bytes, a huge line, days that are not days, no final line feed.
    std::string crlf = AbsenceLine(
        1001, {{std::string_view("V\0", 2), 99, 0, 9999, 0}, {"\xFF\xFE", -5, 98, 1, 2}});
    crlf.insert(crlf.size() - 1, "\r");
    std::string text = crlf + std::string(100000, '7') + "\n" + crlf;
    text.pop_back();
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, text, false, ui));
    EXPECT_EQ(doc->Crew[0].DayCode2[0] + doc->Crew[0].DayCode2[61], "\xFF\xFE\xFF\xFE");
    EXPECT_EQ(doc->Crew[0].DaySlot[4], 0);

    // Past 2000 warnings the rest are only counted: 31 days of 31 unknown
    // entries for Bob's two records and Cat make 2883.
    const std::vector<Absence> unknown(31, Absence{"ZZ", 1, 31, 0, 60});
    ui.Clear();
    ui.Script({Answer::Yes});
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, AbsenceLine(1002, unknown) + AbsenceLine(1003, unknown),
                                     false, ui));
    const auto lines = ui.ListLines("Warnings from Absences Extract Load");
    EXPECT_EQ(lines.size(), 2002u); // the warnings run together but for their own full stops
    EXPECT_EQ(lines.back(), " 883 more Warnings not Listed");
}

} // namespace
} // namespace tl
