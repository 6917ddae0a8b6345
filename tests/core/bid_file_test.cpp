#include "actions/bid_requests.h"
#include "import/bid_file.h"
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

struct Imported {
    std::unique_ptr<ScheduleDocument> doc;
    std::vector<std::string> summary; // without the heading
};

// November 2027 with ANNE SMITH (42, a pairing on the 7th, an old bid) and
// BOB JONES (1234567), after importing `text`.
Imported Import(const std::string& text)
{
    Imported r{test::November("YYZDH8FOZ", {{"ANNE SMITH", 42}, {"BOB JONES", 1234567}}), {}};
    r.doc->Crew[0].DaySlot[6] = 0;
    r.doc->Crew[0].BidText = "OLD";
    SilentInteraction ui;
    const BidImportResult result = ImportPilotBidsText(*r.doc, text, ui);
    r.summary = SplitSummaryText(result.Summary);
    EXPECT_THAT(
        std::vector(r.summary.begin(), r.summary.begin() + 2),
        ElementsAreArray({"Missing Bids / Warnings", "  List Copied to Windows Clipboard"}));
    r.summary.erase(r.summary.begin(), r.summary.begin() + 2);
    return r;
}

TEST(BidFileTest, BidTextLayout)
{
    const Imported r = Import(BidLine(42, {{4, "a.s@x.com"},
                                           {5, "416"},
                                           {6, "647"},
                                           {9, "N"},
                                           {10, "6-8"},
                                           {12, "5"},
                                           {15, "1"},
                                           {18, "16"},
                                           {19, "Y"},
                                           {20, "PAIRINGS"},
                                           {21, "17"},
                                           {22, "Off 10-12, 20"},
                                           {30, "Z8101"},
                                           {31, "hi"},
                                           {33, "0"},
                                           {34, "2027-10-22"},
                                           {35, "19:52:31.520"}}) +
                              BidLine(1234567));
    EXPECT_EQ(r.doc->Crew[0].BidText,
              "ANNE SMITH    000042\n"
              "MAX DAYS: 16MAX DAYS RES: 17    CREW REST: Y    PAIR/RES: PAIRINGS    LBW: N\n"
              "VAC: 6-8   GDO: 5   PDO NEXT: 1   \n\n"
              "(1). OFF 10-12, 20\n"
              "\nPREF PAIRS: Z8101\n\nCOMMENTS THIS: HI\nCOMMENTS LAST: \n\n"
              "EMAIL: A.S@X.COM   PH1: 416   PH2: 647\n"
              "HIST PDO: 0SUBMITTED: 2027-10-22 19:52:31");
    EXPECT_EQ(r.doc->Crew[0].Phone1, "416");
    EXPECT_EQ(r.doc->Crew[0].Phone2, "647");
    EXPECT_EQ(r.doc->Crew[1].BidText.substr(0, 24), "ANNE SMITH    1234567\nMA");
    EXPECT_TRUE(r.summary.empty());
}

struct BidCase {
    const char* name;
    std::string file;
    std::vector<std::string> summary;
    std::string bidHas;       // "OLD" when the bid must stay as it was
    std::map<int, int> flags; // DayFlag of slots that get one
    bool reserve = false;
};

void PrintTo(const BidCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::string kBob = BidLine(1234567);
const std::string kError =
    "* Bid Found but Unable to Extract Bid Data for ANNE SMITH  Emp Number 42";

std::string Damaged(std::string line, std::string_view from, std::string_view to)
{
    line.replace(line.find(from), from.size(), to);
    return line;
}

class BidFileCases : public ::testing::TestWithParam<BidCase> {};

TEST_P(BidFileCases, ImportsWhatTheRecordHolds)
{
    const BidCase& c = GetParam();
    const Imported r = Import(c.file);
    EXPECT_THAT(r.summary, ElementsAreArray(c.summary));
    if (c.bidHas == "OLD")
        EXPECT_EQ(r.doc->Crew[0].BidText, "OLD");
    else
        EXPECT_THAT(r.doc->Crew[0].BidText, ::testing::HasSubstr(c.bidHas));
    std::map<int, int> flags;
    for (int s = 0; s < TPilot::kSlots; ++s)
        if (r.doc->Crew[0].DayFlag[static_cast<size_t>(s)] != 0)
            flags[s] = r.doc->Crew[0].DayFlag[static_cast<size_t>(s)];
    EXPECT_EQ(flags, c.flags);
    EXPECT_EQ(r.doc->Crew[0].BidReserveOrLoa, c.reserve ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Records, BidFileCases,
    ::testing::Values(
        BidCase{"ReserveInLowerCase",
                BidLine(42, {{20, "res"}}) + kBob,
                {"ANNE SMITH Flagged as Bidding Reserve"},
                "PAIR/RES: RES",
                {},
                true},
        BidCase{"PreferencesKeepTheirPositions",
                BidLine(42, {{22, "a"}, {25, "b"}}) + kBob,
                {},
                "\n\n(1). A\n(4). B\n\nPREF",
                {}},
        BidCase{"GdoInTheFollowingMonth",
                BidLine(42, {{12, "5,+2"}}) + kBob,
                {},
                "GDO: 5,+2   \n",
                {{4, 13}, {31, 13}}},
        BidCase{"TenPdoDays",
                BidLine(42, {{13, "1,2,3,4,5,6,7,8,9,10"}}) + kBob,
                {"* PDO1 Load Error for ANNE SMITH  Emp Number 42"},
                "PDO1: 1,2,3,4,5,6,7,8,9,10 ERROR! TO MANY PDOS    \n",
                {}},
        BidCase{"GdoOnAPairingDay",
                BidLine(42, {{12, "7, 9"}}) + kBob,
                {"* GDO Load Error for ANNE SMITH  Emp Number 42"},
                "GDO: 7, 9 ERROR!    \n",
                {{6, 13}, {8, 13}}},
        BidCase{"DayOutOfRange",
                BidLine(42, {{12, "3"}, {14, "3,35"}}) + kBob,
                {"* PDO2 Load Error for ANNE SMITH  Emp Number 42"},
                "PDO2: 3,35 ERROR!    \n",
                {{2, 13}}},
        BidCase{"EmptyPieceIsDayZero",
                BidLine(42, {{12, "3,"}}) + kBob,
                {"* GDO Load Error for ANNE SMITH  Emp Number 42"},
                "GDO: 3, ERROR!    \n",
                {}},
        BidCase{
            "VerticalTabsButTheLast", BidLine(42, {{22, "a\vb\v"}}) + kBob, {}, "(1). A B\v\n", {}},
        BidCase{"CommasAndHighBytesInFields",
                BidLine(42, {{2, "\xe9lise, j"}, {22, "off 1,2"}}) + kBob,
                {},
                "\xc9LISE, J SMITH    000042\n",
                {}},
        BidCase{"NoRecord", kBob, {"No Bid Found for ANNE SMITH  Emp Number 42"}, "OLD", {}},
        BidCase{"MissingSeparators",
                Damaged(BidLine(42), "\",\"\",\"\",\"end", "\";\"\";\"\";\"end") + kBob,
                {kError},
                "OLD",
                {}},
        BidCase{"MissingEndMarker",
                kBob + Damaged(BidLine(42), "end_x_bid", "end"),
                {kError},
                "OLD",
                {}},
        BidCase{"UnbalancedQuote",
                Damaged(BidLine(42), "\"Anne\",", "Anne,") + kBob,
                {kError},
                "OLD",
                {}},
        // The search reads the first place the number stands; only the
        // roster's numbers are looked for, whatever the file holds.
        BidCase{"HugeFileOfNumbers",
                [] {
                    std::string junk;
                    for (int i = 0; i < 2000000; ++i)
                        junk += "\"9999999999\",";
                    return junk;
                }() +
                    BidLine(42, {{22, "x"}}) + kBob,
                {},
                "(1). X\n",
                {}}),
    test::ByName());

TEST(BidFileTest, ImportFromFile)
{
    test::TempDir dir;
    const auto path = dir.path() / "BIDS.CSV";
    test::WriteAll(path, BidLine(42, {{22, "x"}}));
    auto doc = test::November("YYZDH8FOZ", {{"ANNE SMITH", 42}, {"BOB JONES", 7}});
    doc->Crew[1].BidText = "KEEP";

    ScriptedInteraction ui;
    ui.Script({Answer::Yes, Answer::Yes});
    EXPECT_EQ(ImportBids(*doc, dir.path() / "missing", ui).Outcome, BidImportOutcome::Unreadable);
    EXPECT_EQ(doc->Crew[1].BidText, "KEEP"); // nothing deleted for a file that did not open
    ui.Script({Answer::Cancel});
    EXPECT_EQ(ImportBids(*doc, path, ui).Outcome, BidImportOutcome::Cancelled);
    ui.Script({Answer::Yes, Answer::Yes});
    const BidImportResult done = ImportBids(*doc, path, ui);
    EXPECT_EQ(done.Outcome, BidImportOutcome::Read);
    EXPECT_EQ(done.Found, 1);
    EXPECT_EQ(doc->Crew[1].BidText, "");
    EXPECT_THAT(ui.ListLines("Summary").back(), "No Bid Found for BOB JONES  Emp Number 7");
    const std::string unreadable =
        "Tessara Lines: Unable to Open File " + (dir.path() / "missing").string();
    EXPECT_EQ(ui.Dialogs()[2], unreadable);

    doc->CrewKind = kFlightAttendants;
    ui.Clear();
    EXPECT_EQ(ImportBids(*doc, path, ui).Outcome, BidImportOutcome::Refused);
    EXPECT_THAT(ui.Dialogs(),
                ElementsAreArray({"Tessara Lines: This Feature is for Pilot Use Only"}));
}

} // namespace
} // namespace tl
