#include "import/roster_extract.h"
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
    auto doc = test::November(group);
    doc->MonthRules[8] = 3420;
    doc->MonthRules[9] = 2820;
    doc->MonthRules[10] = 12;
    return doc;
}

TEST(RosterExtractTest, QualificationCodesSetTheOptions)
{
    const struct {
        const char* group;
        const char* quals;
        std::array<int, 7> carry; // CarryIn[5] to [11]
    } cases[] = {
        {"YYZDH8CAZ", "la", {4800, 5100, 0, 3, 0, 0, 0}},    // read as upper case
        {"YYZDH8CAZ", "LARB", {2820, 3420, 12, 3, 0, 0, 0}}, // RB's rules win over LA's
        {"YYZDH8CAZ", "FLAX", {4800, 5100, 0, 3, 0, 0, 0}},  // across a code boundary
        {"YYZDH8CAZ", "LBLC", {0, 0, 0, 1, 0, 0, 0}},
        {"YYZDH8CAZ", "LBMR60ZT", {0, 0, 0, 2, 3, 1, 0}},
        {"YYZDH8CAZ", "60NT", {0, 0, 0, 0, 1, 0, 1}},
        {"YYZDH8CAZ", "MR", {0, 0, 0, 0, 2, 0, 0}},
        {"YYZDH8FAZ", "FRIT", {0, 0, 0, 2, 1, 0, 0}},
        {"YYZDH8FAZ", "LA60RB", {2820, 3420, 12, 0, 0, 0, 0}}, // pilot codes mean nothing here
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.group) + " " + c.quals);
        auto doc = Month(c.group);
        const std::string text = Employee(1, "HEAD", 'H', "YYZDH8CA", "") +
                                 Employee(42, "SMITH", 'j', std::string(c.group, 8), c.quals);
        SilentInteraction ui;
        ASSERT_TRUE(LoadRosterFromExtractText(*doc, c.group, text, ui));
        const TPilot& p = doc->Crew[static_cast<size_t>(doc->CrewCount - 1)];
        EXPECT_EQ(p.Name, "J SMITH");
        for (size_t i = 0; i < 7; ++i)
            EXPECT_EQ(p.CarryIn[5 + i], c.carry[i]) << 5 + i;
    }
}

TEST(RosterExtractTest, PilotsMatchTheGroupCabinCrewTheAirport)
{
    const std::string text =
        Employee(1, "ONE", 'A', "YYZDH8CA", "") + Employee(2, "TWO", 'B', "YYZDH8FO", "") +
        Employee(3, "THREE", 'C', "YULDH8CA", "") + Employee(4, "four", 'd', "yyzdh8ca", "", 147) +
        Employee(5, "FIVE", 'E', "YYZCRJFA", "");
    SilentInteraction ui;
    auto pilots = Month("YYZDH8CAZ");
    ASSERT_TRUE(LoadRosterFromExtractText(*pilots, "YYZDH8CAZ", text, ui));
    ASSERT_EQ(pilots->CrewCount, 2);
    EXPECT_EQ(pilots->Crew[1].Name, "D FOUR");
    auto cabin = Month("YYZDH8FAZ");
    ASSERT_TRUE(LoadRosterFromExtractText(*cabin, "YYZDH8FAZ", text, ui));
    EXPECT_EQ(cabin->CrewCount, 4);
}

TEST(RosterExtractTest, ShortLinesQuestionsAndFailures)
{
    auto doc = Month("YYZDH8CAZ");
    const std::string good = Employee(7, "SEVEN", 'S', "YYZDH8CA", "LC");
    const std::string cut = FixedLine(70).Num(0, 9, 9).Put(31, "YYZDH8CA").Line();
    const std::string odd = Employee(8, "EIGHT", 'E', "YYZDH8CA", "", 120);
    const std::string question = "Tessara Lines: This May Not Be a Valid Employee Record Extract! "
                                 "Do You Want to Try Load it Anyway";
    const struct {
        const char* code;
        std::string text;
        Answer answer;
        bool result;
        int crew;
        std::vector<std::string> dialogs;
    } cases[] = {
        {"YYZDH8CAZ", "SHORT\n" + good + good, Answer::Yes, true, 0, {}}, // first line under 50
        {"YYZDH8CA", good + good, Answer::Yes, false, 0, {}},             // code of 8
        {"YYZDH8CAZ", good + odd, Answer::No, false, 0, {question}},
        {"YYZDH8CAZ", good + odd, Answer::Yes, true, 2, {question}},
        {"YYZDH8CAZ", good + good + cut + good, Answer::Yes, false, 2,
         {"Tessara Lines: File Error - Unable to Load Roster from this file."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        doc->CrewCount = 5;
        ScriptedInteraction ui;
        ui.Script({c.answer});
        EXPECT_EQ(LoadRosterFromExtractText(*doc, c.code, c.text, ui), c.result);
        EXPECT_EQ(doc->CrewCount, c.crew);
        EXPECT_EQ(ui.Dialogs(), c.dialogs);
    }
}

TEST(RosterExtractTest, HostileBytesAndTheTableCapacity)
{
    auto doc = Month("YYZDH8CAZ");
    // CRLF, a NUL and a high byte in the name, a line longer than the buffer,
    // a number that is not digits, no line feed at the end.
    std::string crlf = Employee(11, std::string("O\0BRI\xC9N", 7), 'o', "YYZDH8CA", "LA");
    crlf.insert(crlf.size() - 1, "\r");
    std::string text = crlf + crlf + std::string(5000, 'X') + "\n" +
                       Employee(0, "", 'Z', "YYZDH8CA", "").replace(0, 9, "12AB-+ 99");
    text.pop_back();
    SilentInteraction ui;
    ASSERT_TRUE(LoadRosterFromExtractText(*doc, "YYZDH8CAZ", text, ui));
    ASSERT_EQ(doc->CrewCount, 3);
    EXPECT_EQ(doc->Crew[0].Name, std::string("O O\0BRI\xC9N", 9));
    EXPECT_EQ(doc->Crew[2].EmpNumber, 12);
    EXPECT_EQ(doc->Crew[2].Name, "Z  ");

    std::string many;
    for (int i = 0; i < ScheduleDocument::kCrewCapacity + 5; ++i)
        many += Employee(i + 1, "CREW", 'C', "YYZDH8CA", "");
    ScriptedInteraction counted;
    EXPECT_TRUE(LoadRosterFromExtractText(*doc, "YYZDH8CAZ", many, counted));
    EXPECT_EQ(doc->CrewCount, ScheduleDocument::kCrewCapacity);
    EXPECT_EQ(counted.Dialogs(),
              std::vector<std::string>{"Tessara Lines: The Roster holds at most 1000 "
                                       "Crew Members. Not all Crew Members Loaded"});
}

} // namespace
} // namespace tl
