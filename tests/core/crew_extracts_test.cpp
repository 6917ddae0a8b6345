#include "import/absences_extract.h"
#include "import/activity_extract.h"
#include "import/lis_scan.h"
#include "import/prg_file.h"
#include "import/roster_extract.h"
#include "import/toolbox_file.h"
#include "storage/block_file.h"
#include "support/extract_lines.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

#include <sys/stat.h>

namespace tl {
namespace {

using test::FixedLine;
using test::ScriptedInteraction;
using ::testing::Each;
using ::testing::ElementsAre;

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

std::unique_ptr<ScheduleDocument> RosterMonth(std::string_view group)
{
    auto doc = test::November(group);
    doc->MonthRules[MonthRule::ReducedMaxCredit] = 3420;
    doc->MonthRules[MonthRule::ReducedMinCredit] = 2820;
    doc->MonthRules[MonthRule::ReducedDaysOff] = 12;
    return doc;
}

TEST(RosterExtractTest, QualificationCodesSetTheOptions)
{
    const struct {
        const char *group, *quals;
        std::array<int, 7> carry; // CarryIn, MinCredit to NoYtz
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
        auto doc = RosterMonth(c.group);
        const std::string text = Employee(1, "HEAD", 'H', "YYZDH8CA", "") +
                                 Employee(42, "SMITH", 'j', std::string(c.group, 8), c.quals);
        SilentInteraction ui;
        ASSERT_TRUE(LoadRosterFromExtractText(*doc, c.group, text, ui));
        const TPilot& p = doc->Crew[static_cast<size_t>(doc->CrewCount - 1)];
        EXPECT_EQ(p.Name, "J SMITH");
        for (size_t i = 0; i < 7; ++i)
            EXPECT_EQ(p.CarryIn[CarryInEntry::MinCredit + i], c.carry[i]) << i;
    }
}

TEST(RosterExtractTest, PilotsMatchTheGroupCabinCrewTheAirport)
{
    const std::string text =
        Employee(1, "ONE", 'A', "YYZDH8CA", "") + Employee(2, "TWO", 'B', "YYZDH8FO", "") +
        Employee(3, "THREE", 'C', "YULDH8CA", "") + Employee(4, "four", 'd', "yyzdh8ca", "", 147) +
        Employee(5, "FIVE", 'E', "YYZCRJFA", "");
    // An editor's byte-order mark is not part of the first, most senior, employee.
    test::TempDir dir;
    test::WriteAll(dir.path() / "1127perp.ext", "\xEF\xBB\xBF" + text);
    ScriptedInteraction ui;
    auto pilots = RosterMonth("YYZDH8CAZ");
    ASSERT_TRUE(LoadRosterFromExtract(*pilots, "YYZDH8CAZ", dir.path() / "1127perp.ext", ui));
    EXPECT_THAT(ui.Dialogs(), ::testing::IsEmpty());
    ASSERT_EQ(pilots->CrewCount, 2);
    EXPECT_EQ(pilots->Crew[0].EmpNumber, 1);
    EXPECT_EQ(pilots->Crew[1].Name, "D FOUR");
    auto cabin = RosterMonth("YYZDH8FAZ");
    ASSERT_TRUE(LoadRosterFromExtractText(*cabin, "YYZDH8FAZ", text, ui));
    EXPECT_EQ(cabin->CrewCount, 4);
}

TEST(RosterExtractTest, ShortLinesQuestionsAndFailures)
{
    auto doc = RosterMonth("YYZDH8CAZ");
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
        // clang-format off
        {"YYZDH8CAZ", "SHORT\n" + good + good, Answer::Yes, true, 0, {}}, // first line under 50
        {"YYZDH8CA", good + good, Answer::Yes, false, 0, {}},             // code of 8
        {"YYZDH8CAZ", good + odd, Answer::No, false, 0, {question}},
        {"YYZDH8CAZ", good + odd, Answer::Yes, true, 2, {question}},
        {"YYZDH8CAZ", good + good + cut + good, Answer::Yes, false, 2,
         {"Tessara Lines: File Error - Unable to Load Roster from this file."}},
        // clang-format on
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
    auto doc = RosterMonth("YYZDH8CAZ");
    // CRLF, a NUL and an accented lower-case letter in the name (names come
    // out in capitals), a line longer than the buffer,
    // a number that is not digits, no line feed at the end.
    std::string crlf = Employee(11, std::string("O\0bri\xE9n", 7), 'o', "YYZDH8CA", "LA");
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
std::unique_ptr<ScheduleDocument> AbsenceMonth()
{
    auto doc = test::November("YYZDH8CAZ",
                              {{"A ANN", 1001}, {"B BOB", 1002}, {"C CAT", 1003}, {"B BOB", 1002}});
    doc->Crew[0].DaySlot[4] = 0;
    return doc;
}

TEST(AbsencesExtractTest, EntriesBecomeOtherAssignments)
{
    auto doc = AbsenceMonth();
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
    EXPECT_EQ(ann.DaySlot[29], kFreeSlot);
    EXPECT_EQ(ann.DaySlot[19], kFreeSlot);
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
    auto doc = AbsenceMonth();
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
    EXPECT_EQ(doc->Crew[2].DaySlot[0], kFreeSlot);
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, text, false, ui));
    EXPECT_EQ(doc->Crew[2].DaySlot[0], kOtherSlot);
    EXPECT_TRUE(LoadCrewAbsencesText(*doc, text, true, ui));
    EXPECT_EQ(
        ui.Dialogs(),
        std::vector<std::string>(
            2, "Tessara Lines: This will erase all conflicting Toolbox assignments. Proceed"));
}

TEST(AbsencesExtractTest, MalformedLines)
{
    auto doc = AbsenceMonth();
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
                            {"VC", "     ", 20271103, 0, 20271104, 1439},
                            {"VC", "     ", 20270926, 0, 20271002, 1439}}) +
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
    EXPECT_EQ(ann.CarryIn[CarryInEntry::LegalAt], 600);
    // Day block 2 is the first day of the month; block 3 is beyond the pairing.
    EXPECT_THAT(ann.DayCarry[31], ElementsAre(0, 0, 0, 0, 100, 50, 0, 0, 0, 0));
    EXPECT_EQ(ann.DayCarry[32][CarryValue::Credit], 0);
    EXPECT_EQ(ann.CarryIn[CarryInEntry::Credit], 100);
    EXPECT_EQ(ann.DayText[4], "ZZ");

    // A reserve day before the month from 06:00: legal at 04:59.
    const TPilot& bob = doc->Crew[1];
    EXPECT_EQ(bob.DayText[30], "RB ");
    EXPECT_THAT(bob.DayCarry[30], ElementsAre(0, 0, 360, 840, 0, 0, 2, 0, 1, 0));
    EXPECT_EQ(bob.CarryIn[CarryInEntry::LegalAt], 299);
    // Overnight code: one day of 8:00.
    EXPECT_EQ(bob.DayText[19] + "|" + bob.DayText[20], "VAC|");
    EXPECT_EQ(bob.DayCarry[19][CarryValue::DutyTime], 480);
    // Days go on their own dates: a code of the month itself is not last
    // month's, one begun before the 31 days keeps the days inside them.
    EXPECT_EQ(bob.DayText[31] + bob.DayText[32] + bob.DayText[33] + bob.DayText[34], "");
    EXPECT_EQ(bob.DayText[0] + bob.DayText[1] + "|" + bob.DayText[2], "VACVAC|");
    EXPECT_EQ(bob.DayCarry[31], TPilot::SlotValues{});
    // Only the first crew member with the number receives the line.
    EXPECT_EQ(doc->Crew[2].DayText[30], "");

    // A pairing starting on the first of the 31 days: its own days keep
    // their figures, the day before it is dropped.
    const TPilot& cat = doc->Crew[3];
    // The hard time columns replace the blocks' hard times.
    EXPECT_THAT(cat.DayCarry[0], ElementsAre(600, 2000, 600, 600, 10, 0, 1, 0, 0, 0));
    EXPECT_THAT(cat.DayCarry[1], ElementsAre(0, 0, 1380, 360, 20, 0, 1, 0, 0, 0));
    EXPECT_THAT(cat.DayCarry[2], ElementsAre(0, 0, 0, 0, 30, 0, 0, 0, 0, 0));
    EXPECT_EQ(cat.DayCarry[3][CarryValue::Credit], 0);
    EXPECT_EQ(cat.CarryIn[CarryInEntry::LegalAt], 0);

    EXPECT_THAT(
        ui.ListLines("Errors from Overlap Info Extract Load"),
        ElementsAre("No Matching Code for ZZ Last Month A ANN day 05 - No Duty Info loaded",
                    "Could not assign VC code to B BOB from 03 11 2027 to 04 11 2027 Last Month",
                    "Could not assign VC code to B BOB from 26 09 2027 to 02 10 2027 Last Month",
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
        EXPECT_EQ(doc->Crew[0].CarryIn[CarryInEntry::LegalAt], 600);
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
        EXPECT_EQ(doc->Crew[0].CarryIn[CarryInEntry::Credit], std::numeric_limits<int32_t>::max());
    }
}

// Inputs that cannot be read as a file: a missing one, a folder, a FIFO with
// no writer (which would block a plain open) and /dev/zero (which never
// ends). Every opener refuses them at once.
struct NotAFileCase {
    const char* name;
    std::function<bool(ScheduleDocument&, const std::filesystem::path&, Interaction&)> open;
    const char* message; // %s is the path
};

class NotAFileTest : public ::testing::TestWithParam<NotAFileCase> {};

TEST_P(NotAFileTest, IsRefusedWithTheOpenMessage)
{
    test::TempDir dir;
    const std::filesystem::path fifo = dir.path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& path :
         {fifo, std::filesystem::path("/dev/zero"), dir.path() / "missing", dir.path()}) {
        SCOPED_TRACE(path.string());
        auto doc = RosterMonth("YYZDH8CAZ");
        doc->FileName = path.string();
        ScriptedInteraction ui;
        EXPECT_FALSE(GetParam().open(*doc, path, ui));
        std::string expected = GetParam().message;
        expected.replace(expected.find("%s"), 2, path.string());
        EXPECT_THAT(ui.Dialogs(), ElementsAre(expected));
    }
}

using Doc = ScheduleDocument;
using Path = std::filesystem::path;
const char kUnable[] = "%s: Unable to Open File";
// clang-format off
const NotAFileCase kNotAFileCases[] = {
    {"block", [](Doc& d, const Path&, Interaction& ui) { return LoadBlocks(d, ui); }, "Tessara Lines - Cannot Open File: %s"},
    {"prg", [](Doc& d, const Path& p, Interaction& ui) { return LoadPRGPairs(d, p, "", false, ui); }, kUnable},
    {"lis", [](Doc&, const Path& p, Interaction& ui) { std::string buffer; return ReadLisFile(p, buffer, ui); },
     "Tessara Lines: Unable to Open File %s"},
    {"toolbox", [](Doc& d, const Path& p, Interaction& ui) { return LoadToolBox(p, d, ui); }, "Tessara Lines: Unable to Open File %s"},
    {"roster", [](Doc& d, const Path& p, Interaction& ui) { return LoadRosterFromExtract(d, "YYZDH8CAZ", p, ui); }, kUnable},
    {"absences", [](Doc& d, const Path& p, Interaction& ui) { return LoadCrewAbsences(d, p, false, ui); }, kUnable},
    {"activity", [](Doc& d, const Path& p, Interaction& ui) { return LoadLastMonthsData(d, p, p, ui); }, kUnable},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Openers, NotAFileTest, ::testing::ValuesIn(kNotAFileCases),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace tl
