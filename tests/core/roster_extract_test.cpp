#include "import/new_month.h"
#include "import/roster_extract.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "support/extract_lines.h"
#include "support/scripted_interaction.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace tl {
namespace {

using test::FixedLine;
using test::ScriptedInteraction;

std::string Employee(int number, std::string_view last, char initial, std::string_view group,
                     std::string_view quals, size_t length = 102)
{
    return FixedLine(length)
        .Num(0, number, 9)
        .Put(9, last)
        .Put(29, std::string(1, initial))
        .Put(31, group)
        .Put(77, quals)
        .Line();
}

std::unique_ptr<ScheduleDocument> Month(std::string_view group)
{
    auto doc = std::make_unique<ScheduleDocument>();
    SilentInteraction ui;
    EXPECT_TRUE(CreateEmptyMonth(*doc, group, JulianDay(11, 1, 2027), JulianDay(11, 30, 2027), ui));
    doc->MonthRules[8] = 3420;
    doc->MonthRules[9] = 2820;
    doc->MonthRules[10] = 12;
    return doc;
}

TEST(RosterExtractTest, QualificationCodesSetTheOptions)
{
    struct Case {
        const char* group;
        const char* quals;
        std::array<int, 7> carry; // CarryIn[5] to [11]
    };
    const std::vector<Case> cases = {
        {"YYZDH8CAZ", "LA", {4800, 5100, 0, 3, 0, 0, 0}},
        {"YYZDH8CAZ", "la", {4800, 5100, 0, 3, 0, 0, 0}},    // read as upper case
        {"YYZDH8CAZ", "LARB", {2820, 3420, 12, 3, 0, 0, 0}}, // RB's rules win over LA's
        {"YYZDH8CAZ", "FLAX", {4800, 5100, 0, 3, 0, 0, 0}},  // across a code boundary
        {"YYZDH8CAZ", "LBLC", {0, 0, 0, 1, 0, 0, 0}},
        {"YYZDH8CAZ", "LB", {0, 0, 0, 2, 0, 0, 0}},
        {"YYZDH8CAZ", "MR60ZT", {0, 0, 0, 0, 3, 1, 0}},
        {"YYZDH8CAZ", "60NT", {0, 0, 0, 0, 1, 0, 1}},
        {"YYZDH8CAZ", "MR", {0, 0, 0, 0, 2, 0, 0}},
        {"YYZDH8FAZ", "FRIT", {0, 0, 0, 2, 1, 0, 0}},
        {"YYZDH8FAZ", "LA60RB", {2820, 3420, 12, 0, 0, 0, 0}}, // pilot codes mean nothing here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.group) + " " + c.quals);
        auto doc = Month(c.group);
        std::string text = Employee(1, "HEAD", 'H', "YYZDH8CA", "") +
                           Employee(42, "SMITH", 'j', std::string(c.group).substr(0, 8), c.quals);
        ScriptedInteraction ui;
        ASSERT_TRUE(LoadRosterFromExtractText(*doc, c.group, text, ui));
        const TPilot& p = doc->Crew[static_cast<size_t>(doc->CrewCount - 1)];
        EXPECT_EQ(p.EmpNumber, 42);
        EXPECT_EQ(p.Name, "J SMITH");
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(p.CarryIn[static_cast<size_t>(5 + i)], c.carry[static_cast<size_t>(i)]) << i + 5;
    }
}

TEST(RosterExtractTest, PilotsMatchTheWholeGroupCabinCrewTheAirport)
{
    const std::string text = Employee(1, "ONE", 'A', "YYZDH8CA", "") +
                             Employee(2, "TWO", 'B', "YYZDH8FO", "") +
                             Employee(3, "THREE", 'C', "YULDH8CA", "") +
                             Employee(4, "four", 'd', "yyzdh8ca", "", 147) +
                             Employee(5, "FIVE", 'E', "YYZCRJFA", "");
    auto pilots = Month("YYZDH8CAZ");
    SilentInteraction ui;
    ASSERT_TRUE(LoadRosterFromExtractText(*pilots, "YYZDH8CAZ", text, ui));
    ASSERT_EQ(pilots->CrewCount, 2);
    EXPECT_EQ(pilots->Crew[0].EmpNumber, 1);
    EXPECT_EQ(pilots->Crew[1].Name, "D FOUR");

    auto cabin = Month("YYZDH8FAZ");
    ASSERT_TRUE(LoadRosterFromExtractText(*cabin, "YYZDH8FAZ", text, ui));
    EXPECT_EQ(cabin->CrewCount, 4);
    EXPECT_EQ(cabin->Crew[3].EmpNumber, 5);
}

TEST(RosterExtractTest, ShortLinesQuestionsAndFailures)
{
    auto doc = Month("YYZDH8CAZ");
    const std::string good = Employee(7, "SEVEN", 'S', "YYZDH8CA", "LC");

    {
        // A first line under 50 characters ends the reading at once.
        ScriptedInteraction ui;
        EXPECT_TRUE(LoadRosterFromExtractText(*doc, "YYZDH8CAZ", "SHORT\n" + good + good, ui));
        EXPECT_EQ(doc->CrewCount, 0);
        EXPECT_TRUE(ui.Dialogs().empty());
    }
    {
        // A code of another length: false, nothing asked, the roster emptied.
        doc->CrewCount = 3;
        ScriptedInteraction ui;
        EXPECT_FALSE(LoadRosterFromExtractText(*doc, "YYZDH8CA", good + good, ui));
        EXPECT_EQ(doc->CrewCount, 0);
        EXPECT_TRUE(ui.Dialogs().empty());
    }
    const std::string odd = Employee(8, "EIGHT", 'E', "YYZDH8CA", "", 120);
    for (Answer answer : {Answer::No, Answer::Yes}) {
        ScriptedInteraction ui;
        ui.Script({answer});
        EXPECT_EQ(LoadRosterFromExtractText(*doc, "YYZDH8CAZ", good + odd, ui), answer == Answer::Yes);
        EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{
                                    "Tessara Lines: This May Not Be a Valid Employee Record "
                                    "Extract! Do You Want to Try Load it Anyway"});
        EXPECT_EQ(doc->CrewCount, answer == Answer::Yes ? 2 : 0);
    }
    {
        // A matching line too short for its qualification codes stops the load.
        ScriptedInteraction ui;
        const std::string cut = FixedLine(70).Num(0, 9, 9).Put(31, "YYZDH8CA").Line();
        EXPECT_FALSE(LoadRosterFromExtractText(*doc, "YYZDH8CAZ", good + good + cut + good, ui));
        EXPECT_EQ(doc->CrewCount, 2);
        EXPECT_EQ(ui.Dialogs(), std::vector<std::string>{
                                    "Tessara Lines: File Error - Unable to Load Roster from this file."});
    }
}

TEST(RosterExtractTest, HostileBytesAndTheTableCapacity)
{
    auto doc = Month("YYZDH8CAZ");
    // Windows line ends, a NUL and high bytes in the name, a line far longer
    // than the buffer, no line feed at the end, a number that is not digits.
    std::string crlf = Employee(11, std::string("O\0BRI\xC9N", 7), 'o', "YYZDH8CA", "LA");
    crlf.insert(crlf.size() - 1, "\r");
    std::string text = crlf + crlf + std::string(5000, 'X') + "\n" +
                       Employee(0, "", 'Z', "YYZDH8CA", "").replace(0, 9, "12AB-+ 99");
    text.pop_back();
    SilentInteraction ui;
    ASSERT_TRUE(LoadRosterFromExtractText(*doc, "YYZDH8CAZ", text, ui));
    ASSERT_EQ(doc->CrewCount, 3);
    EXPECT_EQ(doc->Crew[0].Name, std::string("O O\0BRI\xC9N", 9));
    EXPECT_EQ(doc->Crew[0].CarryIn[8], 3);
    EXPECT_EQ(doc->Crew[2].EmpNumber, 12);
    EXPECT_EQ(doc->Crew[2].Name, "Z  ");

    // Past the table's 1000 crew members the load stops and says so.
    std::string many;
    for (int i = 0; i < ScheduleDocument::kCrewCapacity + 5; ++i)
        many += Employee(i + 1, "CREW", 'C', "YYZDH8CA", "");
    ScriptedInteraction counted;
    EXPECT_TRUE(LoadRosterFromExtractText(*doc, "YYZDH8CAZ", many, counted));
    EXPECT_EQ(doc->CrewCount, ScheduleDocument::kCrewCapacity);
    EXPECT_EQ(counted.Dialogs(), std::vector<std::string>{
                                     "Tessara Lines: The Roster holds at most 1000 Crew Members. "
                                     "Not all Crew Members Loaded"});
}

} // namespace
} // namespace tl
