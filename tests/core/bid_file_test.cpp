#include "actions/bid_requests.h"
#include "import/bid_file.h"
#include "rules/block_build.h"
#include "support/case_name.h"
#include "support/extract_lines.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tl {
namespace {

using test::ScriptedInteraction;
using ::testing::ElementsAreArray;

// One bid line of the bidding system: `fields` (counted from 1) over a
// bid of ANNE SMITH with nothing else filled in.
std::string BidLine(int emp, const std::map<int, std::string>& fields = {})
{
    std::string line;
    for (int n = 1; n <= bid_file::kFields; ++n) {
        const auto it = fields.find(n);
        const std::string value = it != fields.end() ? it->second
                                  : n == 1 ? (emp < 1000000 ? "0000" : "") + std::to_string(emp)
                                  : n == 2 ? "Anne"
                                  : n == 3 ? "Smith"
                                           : "";
        line += "\"" + value + "\",";
    }
    return line + "\"end_x_bid\"\n";
}

// November 2027 with ANNE SMITH (42, a pairing on the 7th, an old bid) and
// BOB JONES (1234567), after importing `text`; the summary without its heading.
std::unique_ptr<ScheduleDocument> Import(const std::string& text, std::string& summary)
{
    auto doc = test::November("YYZDH8FOZ", {{"ANNE SMITH", 42}, {"BOB JONES", 1234567}});
    doc->Crew[0].DaySlot[6] = 0;
    doc->Crew[0].BidText = "OLD";
    SilentInteraction ui;
    summary = ImportPilotBidsText(*doc, text, ui).Summary;
    EXPECT_EQ(summary.find(bid_file::kSummaryHeading), 0u);
    summary.erase(0, bid_file::kSummaryHeading.size());
    return doc;
}

TEST(BidFileTest, BidTextLayout)
{
    std::string summary;
    // clang-format off
    const auto doc = Import(BidLine(42, {{4, "a.s@x.com"}, {5, "416"}, {6, "647"}, {9, "N"}, {10, "6-8"},
        {12, "5"}, {15, "1"}, {18, "16"}, {19, "Y"}, {20, "PAIRINGS"}, {21, "17"}, {22, "Off 10-12, 20"},
        {30, "Z8101"}, {31, "hi"}, {33, "0"}, {34, "2027-10-22"}, {35, "19:52:31.520"}}) + BidLine(1234567),
        summary);
    // clang-format on
    EXPECT_EQ(doc->Crew[0].BidText,
              "ANNE SMITH    000042\n"
              "MAX DAYS: 16MAX DAYS RES: 17    CREW REST: Y    PAIR/RES: PAIRINGS    LBW: N\n"
              "VAC: 6-8   GDO: 5   PDO NEXT: 1   \n\n"
              "(1). OFF 10-12, 20\n"
              "\nPREF PAIRS: Z8101\n\nCOMMENTS THIS: HI\nCOMMENTS LAST: \n\n"
              "EMAIL: A.S@X.COM   PH1: 416   PH2: 647\n"
              "HIST PDO: 0SUBMITTED: 2027-10-22 19:52:31");
    EXPECT_EQ(doc->Crew[0].Phone1 + doc->Crew[0].Phone2, "416647");
    EXPECT_EQ(doc->Crew[1].BidText.substr(0, 24), "ANNE SMITH    1234567\nMA");
    EXPECT_EQ(summary, "");
}

struct BidCase {
    const char* name;
    std::string file;
    std::string summary;
    std::string bidHas;       // "OLD" when the bid must stay as it was
    std::map<int, int> flags; // DayFlag of the slots that get one
    bool reserve = false;
};

void PrintTo(const BidCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string Damaged(std::string line, std::string_view from, std::string_view to)
{
    return line.replace(line.find(from), from.size(), to);
}

const std::string kBob = BidLine(1234567);
const std::string kAnne = " for ANNE SMITH  Emp Number 42.";
const std::string kUnread = "* Bid Found but Unable to Extract Bid Data" + kAnne;

class BidFileCases : public ::testing::TestWithParam<BidCase> {};

TEST_P(BidFileCases, ImportsWhatTheRecordHolds)
{
    const BidCase& c = GetParam();
    std::string summary;
    const auto doc = Import(c.file, summary);
    EXPECT_EQ(summary, c.summary);
    if (c.bidHas == "OLD")
        EXPECT_EQ(doc->Crew[0].BidText, "OLD");
    else
        EXPECT_THAT(doc->Crew[0].BidText, ::testing::HasSubstr(c.bidHas));
    std::map<int, int> flags;
    for (size_t s = 0; s < TPilot::kSlots; ++s)
        if (doc->Crew[0].DayFlag[s] != 0)
            flags[static_cast<int>(s)] = doc->Crew[0].DayFlag[s];
    EXPECT_EQ(flags, c.flags);
    EXPECT_EQ(doc->Crew[0].BidReserveOrLoa, c.reserve ? 1 : 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, BidFileCases, ::testing::Values(
    BidCase{"ReserveInLowerCase", BidLine(42, {{20, "res"}}) + kBob, "ANNE SMITH Flagged as Bidding Reserve.",
            "PAIR/RES: RES", {}, true},
    BidCase{"PreferencesKeepTheirPositions", BidLine(42, {{22, "a"}, {25, "b"}}) + kBob, "", "\n\n(1). A\n(4). B\n\nPREF", {}},
    BidCase{"GdoInTheFollowingMonth", BidLine(42, {{12, "5,+2"}}) + kBob, "", "GDO: 5,+2   \n", {{4, 13}, {31, 13}}},
    BidCase{"TenPdoDays", BidLine(42, {{13, "1,2,3,4,5,6,7,8,9,10"}}) + kBob, "* PDO1 Load Error" + kAnne,
            "PDO1: 1,2,3,4,5,6,7,8,9,10 ERROR! TO MANY PDOS    \n", {}},
    BidCase{"GdoOnAPairingDay", BidLine(42, {{12, "7, 9"}}) + kBob, "* GDO Load Error" + kAnne, "GDO: 7, 9 ERROR!    \n",
            {{6, 13}, {8, 13}}},
    BidCase{"DayOutOfRange", BidLine(42, {{12, "3"}, {14, "3,35"}}) + kBob, "* PDO2 Load Error" + kAnne,
            "PDO2: 3,35 ERROR!    \n", {{2, 13}}},
    BidCase{"EmptyPieceIsDayZero", BidLine(42, {{12, "3,"}}) + kBob, "* GDO Load Error" + kAnne, "GDO: 3, ERROR!    \n", {}},
    BidCase{"VerticalTabsButTheLast", BidLine(42, {{22, "a\vb\v"}}) + kBob, "", "(1). A B\v\n", {}},
    BidCase{"CommasAndHighBytesInFields", BidLine(42, {{2, "\xe9lise, j"}}) + kBob, "", "\xc9LISE, J SMITH    000042\n", {}},
    BidCase{"NoRecord", kBob, "No Bid Found" + kAnne, "OLD", {}},
    BidCase{"MissingSeparators", Damaged(BidLine(42), "\",\"\",\"\",\"end", "\";\"\";\"\";\"end") + kBob, kUnread, "OLD", {}},
    BidCase{"MissingEndMarker", kBob + Damaged(BidLine(42), "end_x_bid", "end"), kUnread, "OLD", {}},
    BidCase{"UnbalancedQuote", Damaged(BidLine(42), "\"Anne\",", "Anne,") + kBob, kUnread, "OLD", {}},
    // Only the roster's numbers are looked for, whatever the file holds.
    BidCase{"HugeFileOfNumbers", [] { std::string junk; for (int i = 0; i < 2000000; ++i) junk += "\"9999999999\",";
            return junk; }() + BidLine(42, {{22, "x"}}) + kBob, "", "(1). X\n", {}}),
    test::ByName());
// clang-format on

TEST(BidFileTest, ImportFromFile)
{
    test::TempDir dir;
    const auto path = dir.path() / "BIDS.CSV";
    test::WriteAll(path, BidLine(42, {{20, "res"}, {22, "x"}}));
    auto doc = test::November("YYZDH8FOZ", {{"ANNE SMITH", 42}, {"BOB JONES", 7}});
    ComputeDayBalance(*doc);
    const int32_t freeBefore = doc->DayBalance[0];
    doc->Crew[1].BidText = "KEEP";

    ScriptedInteraction ui;
    ui.Script({Answer::Yes, Answer::Yes});
    EXPECT_EQ(ImportBids(*doc, dir.path() / "missing", ui).Outcome, BidImportOutcome::Unreadable);
    EXPECT_EQ(doc->Crew[1].BidText, "KEEP"); // nothing deleted for a file that did not open
    EXPECT_EQ(ui.Dialogs()[2],
              "Tessara Lines: Unable to Open File " + (dir.path() / "missing").string());
    ui.Script({Answer::Cancel});
    EXPECT_EQ(ImportBids(*doc, path, ui).Outcome, BidImportOutcome::Cancelled);
    ui.Script({Answer::Yes, Answer::Yes});
    EXPECT_EQ(ImportBids(*doc, path, ui).Found, 1);
    EXPECT_EQ(doc->Crew[1].BidText, "");
    // Bidding reserve takes Anne out of the day balance at once.
    EXPECT_EQ(doc->DayBalance[0], freeBefore - 1);
    EXPECT_EQ(ui.ListLines("Summary").back(), "No Bid Found for BOB JONES  Emp Number 7");

    doc->CrewKind = kFlightAttendants;
    ui.Clear();
    EXPECT_EQ(ImportBids(*doc, path, ui).Outcome, BidImportOutcome::Refused);
    EXPECT_THAT(ui.Dialogs(),
                ElementsAreArray({"Tessara Lines: This Feature is for Pilot Use Only"}));
}

} // namespace
} // namespace tl
