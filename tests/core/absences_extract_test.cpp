#include "import/absences_extract.h"
#include "import/new_month.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
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
    int first;
    int last;
    int start;
    int end;
};

std::string AbsenceLine(int employee, const std::vector<Absence>& entries, size_t length = 443)
{
    FixedLine line(length);
    line.Num(0, employee, 9);
    size_t p = 9;
    for (const Absence& a : entries) {
        line.Put(p, a.code).Num(p + 2, a.first, 2).Num(p + 4, a.last, 2).Num(p + 6, a.start, 4)
            .Num(p + 10, a.end, 4);
        p += 14;
    }
    return line.Line();
}

// A 30-day pilot month: Ann (1001) has a pairing on day 5, Bob (1002) is on
// the roster twice.
std::unique_ptr<ScheduleDocument> Month()
{
    auto doc = std::make_unique<ScheduleDocument>();
    SilentInteraction ui;
    EXPECT_TRUE(CreateEmptyMonth(*doc, "YYZDH8CAZ", JulianDay(11, 1, 2027), JulianDay(11, 30, 2027), ui));
    doc->CrewCount = 4;
    const char* names[] = {"A ANN", "B BOB", "C CAT", "B BOB"};
    const int numbers[] = {1001, 1002, 1003, 1002};
    for (size_t i = 0; i < 4; ++i) {
        doc->Crew[i].Name = names[i];
        doc->Crew[i].EmpNumber = numbers[i];
    }
    doc->Crew[0].DaySlot[4] = 0;
    return doc;
}

TEST(AbsencesExtractTest, EntriesBecomeOtherAssignments)
{
    auto doc = Month();
    const std::string text =
        AbsenceLine(1001, {{"VC", 3, 6, 0, 1439}, {"ZZ", 7, 7, 1320, 360}, {"SM", 30, 2, 600, 900}}) +
        AbsenceLine(1002, {{"RB", 10, 10, 300, 1200}}) +
        AbsenceLine(1003, {{"LA", 1, 30, 0, 1439}}) + AbsenceLine(99999, {}) +
        AbsenceLine(1001, {{"VC", 20, 20, 0, 1439}});
    ScriptedInteraction ui;
    ASSERT_TRUE(LoadCrewAbsencesText(*doc, text, false, ui));
    EXPECT_TRUE(ui.Dialogs().empty()); // a fresh document asks nothing
    EXPECT_FALSE(doc->FreshDocument);

    const TPilot& ann = doc->Crew[0];
    for (int s : {2, 3, 5}) {
        EXPECT_EQ(ann.DaySlot[static_cast<size_t>(s)], -2);
        EXPECT_EQ(ann.DayCode[static_cast<size_t>(s)], "VAC");
        EXPECT_EQ(ann.DayCode2[static_cast<size_t>(s)], "VC");
        EXPECT_THAT(ann.DayOther[static_cast<size_t>(s)], ElementsAre(0, 1439, 170, 0, 0, 0, 0, 0, 0, 0));
    }
    EXPECT_EQ(ann.DaySlot[4], 0); // the pairing stays
    // Across midnight, and a code the table does not know.
    EXPECT_EQ(ann.DayCode[6], "ZZ");
    EXPECT_THAT(ann.DayOther[6], ElementsAre(1320, 480, 0, 0, 0, 0, 0, 0, 0, 0));
    // The reversed range wrote nothing, and nothing after 99999 was read.
    EXPECT_EQ(ann.DaySlot[29], -1);
    EXPECT_EQ(ann.DaySlot[0], -1);
    EXPECT_EQ(ann.DaySlot[19], -1);

    // Both records of the employee listed twice; pilot reserve flags.
    for (size_t bob : {1u, 3u})
        EXPECT_THAT(doc->Crew[bob].DayOther[9], ElementsAre(300, 900, 0, 0, 1, 1, 0, 1, 0, 0));
    EXPECT_EQ(doc->Crew[2].BidReserveOrLoa, 1);
    EXPECT_EQ(doc->Crew[0].BidReserveOrLoa, 0);

    const auto lists = ui.Only(ScriptedInteraction::Kind::List);
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].caption, "Warnings from Absences Extract Load");
    EXPECT_THAT(lists[0].lines,
                ElementsAre("Cannot Assign Code VC in 1 A ANN on day 05 Due Pairing Assigned",
                            " No Matching Code for ZZ", " No Credit or Duty Info Recorded"));
}

TEST(AbsencesExtractTest, FollowingMonthAndTheOverwriteQuestion)
{
    auto doc = Month();
    const std::string first = AbsenceLine(1003, {{"VC", 1, 3, 0, 1439}});
    ScriptedInteraction ui;
    ASSERT_TRUE(LoadCrewAbsencesText(*doc, first, true, ui));
    for (size_t s : {30u, 31u, 32u})
        EXPECT_EQ(doc->Crew[2].DayCode[s], "VAC") << s;
    EXPECT_EQ(doc->Crew[2].DaySlot[29], -1);
    EXPECT_EQ(doc->Crew[2].DaySlot[33], -1);

    // After an import the current month's load asks again; No changes nothing.
    // The following month's never asks.
    const std::string question =
        "Tessara Lines: This will erase all conflicting Toolbox assignments. Proceed";
    ui.Script({Answer::No});
    EXPECT_FALSE(LoadCrewAbsencesText(*doc, first, false, ui));
    EXPECT_EQ(doc->Crew[2].DaySlot[0], -1);
    ui.Script({Answer::Yes});
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, first, false, ui));
    EXPECT_EQ(doc->Crew[2].DaySlot[0], -2);
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, first, true, ui));
    EXPECT_EQ(ui.Dialogs(), std::vector<std::string>(2, question));
}

TEST(AbsencesExtractTest, MalformedLines)
{
    auto doc = Month();
    ScriptedInteraction ui;
    // A first line of the wrong length asks; No stops before anything changes.
    const std::string shortFirst = AbsenceLine(1003, {{"VC", 1, 1, 0, 1439}}, 40);
    ui.Script({Answer::No});
    EXPECT_FALSE(LoadCrewAbsencesText(*doc, shortFirst, false, ui));
    EXPECT_TRUE(doc->FreshDocument);

    // A line that stops before its closing blank code: the days before stay.
    ui.Clear();
    ui.Script({Answer::Yes});
    const std::string cut = AbsenceLine(1003, {{"VC", 1, 1, 0, 1439}, {"VC", 2, 2, 0, 1439}}, 37);
    EXPECT_FALSE(LoadCrewAbsencesText(*doc, cut, false, ui));
    EXPECT_EQ(doc->Crew[2].DayCode[0], "VAC");
    EXPECT_EQ(ui.Dialogs().back(),
              "Tessara Lines: File Error - Unable to Load Crew Absences from this file.");

    // Hostile bytes: CRLF, NUL, high bytes, a huge line, digits that are not
    // dates, no final line feed.
    std::string crlf = AbsenceLine(1001, {{std::string_view("V\0", 2), 99, 0, 9999, 0}, {"\xFF\xFE", -5, 98, 1, 2}});
    crlf.insert(crlf.size() - 1, "\r");
    std::string text = crlf + std::string(100000, '7') + "\n" + crlf;
    text.pop_back();
    ui.Script({Answer::Yes});
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, text, false, ui));
    EXPECT_EQ(doc->Crew[0].DayCode2[0], "\xFF\xFE");
    EXPECT_EQ(doc->Crew[0].DayCode2[61], "\xFF\xFE");
    EXPECT_EQ(doc->Crew[0].DaySlot[4], 0);
}

} // namespace
} // namespace tl
