#include "actions/baw_lin_import.h"
#include "actions/toolbox_drop.h"
#include "core/legality_month.h"
#include "model/activity_codes.h"
#include "model/text_format.h"
#include "output/crewtrac_export.h"
#include "output/other_exports.h"
#include "output/pairing_reports.h"
#include "rules/assignment.h"
#include "rules/legality.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <climits>

namespace tl {
namespace {

using test::LegalityMonth;

std::vector<std::string> EachThenBlank(std::initializer_list<const char*> lines)
{
    std::vector<std::string> list;
    for (const char* line : lines)
        list.insert(list.end(), {line, ""});
    return list;
}

// An empty roster, and first officers whose open time runs out at the fifth.
TEST(GlobalInfoTest, CreditOpenTimeLastBlockholderAndTotals)
{
    LegalityMonth empty(kCaptains, 6, 2027, 0);
    EXPECT_EQ(GlobalInfoLines(*empty.doc)[6], "No Blocks");

    LegalityMonth m(kFirstOfficers, 6, 2027, 6);
    m.AddPair(600, 480, 1, 240);
    m.Pair(0).OpsCount[0] = kOpsAssigned;
    m.Pair(0).OpsCount[1] = kOpsOpenFlagged; // kept for a two-captain pairing
    m.AddPair(600, 2880, 3, 180);
    m.Pair(1).OpsCount[28] = kOpsOpen; // its third day falls after the month
    const int32_t credits[] = {5100, 3850, 4600, 4000, 3000, 4700};
    for (int c = 0; c < 6; ++c)
        m.Crew(c).SetBlockCredit(credits[c]);
    m.Crew(1).BidReserveOrLoa = 1;
    m.Crew(1).CarryIn[CarryInEntry::MinCredit] = 3800; // reduced
    m.Crew(2).CarryIn[CarryInEntry::MaxCredit] = 5000;
    m.Crew(2).CarryIn[CarryInEntry::Qualification] = kCheckPilot;
    m.Crew(0).CarryIn[CarryInEntry::Credit] = 90;
    m.Crew(3).DraftCredits = 60;
    m.Crew(5).MiscHours = 30;
    for (auto [c, day, code, credit] : {std::tuple{1, 5, "VAC", 240}, std::tuple{5, 3, "SIM", 120},
                                        std::tuple{1, 6, "VAC", 240}}) {
        m.Other(c, day, code, 0, 0, false);
        m.Crew(c).DayOther[static_cast<size_t>(day)][OtherValue::Credit] = credit;
    }
    EXPECT_EQ(
        GlobalInfoLines(*m.doc),
        EachThenBlank({"   15:00  Pairing Credit for Current Month",
                       "    5:00  Pairing Credit Reserved for Two Capt Pairings",
                       "   20:00  Pairing Credit for Month with Overlap",
                       "   15:00  Hours currently in Open",
                       "Last Blockholder is CREW 4 with 11:40 in open",
                       "   78:20  Avg for Completed Regular Blocks",
                       "   64:10  Avg for Completed Reduced Blocks",
                       "   76:40  Avg for Non-Reduced Completed CCP Blocks", "    1:30  Carry In",
                       "    1:00  Draft Credits", "    0:30  Misc Hours",
                       "    8:00 in 002 Occurrences of VAC", "    2:00 in 001 Occurrences of SIM",
                       "--------", "   28:00  Total Credits for Month", "   10:00  Total Hard Time",
                       "Average Pairing Credit per day is 5:00"}));
}

TEST(PairingReportTest, RunningTotalCarryOverAndOccurrences)
{
    LegalityMonth m(kCaptains, 7, 2027, 0);
    // (duty days, days of operation); the two-day one crosses midnight.
    const std::vector<std::pair<int, std::vector<int>>> pairs = {
        {1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}, {2, {2}}, {3, {3, 29}}, {7, {10}}};
    for (const auto& [days, operating] : pairs) {
        TPair& p = m.Pair(m.AddPair(600, 480, days, 60));
        p.DaysWorked = static_cast<int8_t>(days);
        p.CrossesMidnight = days == 2;
        for (int d : operating)
            p.OpsCount[static_cast<size_t>(d)] = kOpsOpen;
    }
    m.Pair(2).OpsCount[3] = kOpsOpenFlagged;
    m.doc->PairingSourceText = "CITY PAIRS\n";

    std::string expected =
        "Pairing Report for Jul 2027 Carry Over Removed from Running Total\r\n\r\n"
        "Pair 0100  Credit 05:00  Hard 01:00  OP 12  RT 60:00\r\n"
        "Pair 0101  Credit 10:00  Hard 02:00  OP 01  RT 70:00\r\n"
        "Pair 0102  Credit 15:00  Hard 03:00  OP 02  RT 95:00\r\n"
        "Pair 0103  Credit 35:00  Hard 07:00  OP 01  RT 130:00\r\n"
        "\r\nTotal Hours including Carry Over 135:00\r\n\r\n"
        "Pairing Occurances Report\r\n\r\n"
        "        One    Two    Three  Four   Five   Six    C/D    Seven+\r\n";
    for (int d = 0; d < 31; ++d) {
        const int counts[8] = {d < 12, 0, d == 29, 0, 0, 0, d == 2, d == 10};
        expected += Format(" %02d %s  ", d + 1, WeekdayName((4 + d) % 7));
        for (int count : counts)
            expected += Format("%3d    ", count);
        expected += "\r\n";
    }
    EXPECT_EQ(PairingReport(*m.doc).Text, expected + "\r\n\n\nCITY PAIRS\n");
}

TEST(CrewLinesTest, RowsOfPairingsLayoversOtherAssignmentsAndCarriedInRest)
{
    LegalityMonth m(kCaptains, 6, 2027, 7);
    ASSERT_TRUE(m.doc->SetMonth(m.ui, JulianDay(6, 1, 2027), JulianDay(6, 6, 2027)));
    m.doc->FileName = "C:\\blocks\\YYZ.JUN27.tl2";
    TPair& trip = m.Pair(m.AddPair(425, 3000, 3));
    trip.PairKey = "Y";
    trip.PairNumber = 8101;
    trip.Layovers = "YOWYUL";
    TPair& night = m.Pair(m.AddPair(1350, 600, 1));
    night.PairKey = "Z";
    night.PairNumber = 8102;
    night.CrossesMidnight = true;
    m.Crew(0).CarryIn[CarryInEntry::LegalAt] = kPilotMinRest + 1441; // rest into the 2nd day
    m.Crew(0).DayCarry[31][CarryValue::DayKind] = kWorkedDay;
    m.Put(0, 0, 2);
    m.Other(0, 5, "VAC", 0, 0, false);
    m.Crew(0).MiscHours = 75 * 60 + 5 - 900;
    m.Put(1, 1, 0);
    m.Other(1, 2, "SIM", 540, 240, true);
    m.Crew(1).MiscHours = 7 * 60 + 5 - 300;

    const std::string title = "Crew Lines for Jun 2027  YYZ.JUN27\n\r\n";
    const std::string header =
        "01  02  03  04  05  06  \r\n            TU  WE  TH  FR  SA  SU  \r\n";
    const std::string expected = title + "CREW 1      " + header +
                                 "IN  75:05   C   C   Y|0 Y   Y   V  \r\n"
                                 "OUT 75:05   /   /   8|7 O   U   A  \r\n"
                                 "OFF 01      I   I   1|: W   L   C  \r\n"
                                 "C/I 00:00  ->  ->   0|0            \r\n"
                                 "DC  00:00  ->  ->   1|5            \r\n\r\n"
                                 "CREW 2      " +
                                 header +
                                 "IN  07:05   Z|2 ->  S|0            \r\n"
                                 "OUT  7:05   8|2 ->  I|9            \r\n"
                                 "OFF 03      1|: ->  M|:            \r\n"
                                 "C/I 00:00   0|3 ->   |0            \r\n"
                                 "DC  00:00   2|0 ->   |0            \r\n\r\n";
    const std::string text = CrewLines(*m.doc, m.ui).Text;
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    // The title again before the seventh crew member, and only there.
    EXPECT_EQ(text.find(title, 1), text.find("CREW 7") - title.size());
    EXPECT_EQ(text.find(title, text.find("CREW 7")), std::string::npos);
}

// Ten days from a Wednesday: a two-day trip whose layovers run into the next
// cells unless a day has its own, an assignment and a night pairing running
// past midnight, a name and a code that would be markup.
struct ExportMonth : LegalityMonth {
    ExportMonth() : LegalityMonth(kCaptains, 9, 2027, 2)
    {
        EXPECT_TRUE(doc->SetMonth(ui, JulianDay(9, 1, 2027), JulianDay(9, 10, 2027)));
        doc->GroupName = "YYZDH8CAY";
        TPair& trip = Pair(AddPair(600, 2000, 2));
        trip.PairNumber = 8101;
        trip.Layovers = "YOWYUL";
        trip.PairText = "TRIP\nLINE 2";
        TPair& night = Pair(AddPair(1350, 600, 1));
        night.PairNumber = 8102;
        night.CrossesMidnight = true;
        Crew(0).Name = "A<B & C";
        Put(0, 0, 0);
        Other(0, 2, "VAC", 0, 0, false);
        Crew(0).DayFlag[3] = 10; // "XA"
        Other(0, 5, "R<1", 1200, 600, true);
        Put(0, 1, 8);
        Put(1, 0, 4);
        Put(1, 0, 7);
        // The trip's copies: indoctrination, line check, neither.
        trip.DayOpsType[0] = 1;
        trip.DayOpsType[4] = 2;
        credit0 = FormatHoursMinutes(BlockCredit(*doc, 0, false, ui), false);
        credit1 = FormatHoursMinutes(BlockCredit(*doc, 1, false, ui), false);
    }
    std::string credit0, credit1;
};

TEST(OtherExportsTest, HtmlPageEscapesTextAndFillsLayoverAndMidnightCells)
{
    ExportMonth m;
    const std::string x = "<TD>X</TD>";
    EXPECT_EQ(InternetPage(*m.doc, m.ui),
              "<title>Sep 2027</title>\n"
              "<BODY BGCOLOR=\"#ffcc00\" TEXT=\"#000000\" LINK=\"#008080\" VLINK=\"#00aa00\">\n"
              "<B><font face=\"Courier\" size=2>\n"
              "<center>Crew Blocks for Sep 2027\n<br><br></center>\n"
              "<TABLE BORDER=1 CELLPADDING=2 CELLSPACING=1>\n"
              "<TR>\n<TH>Name</TH><TH>Emp Num</TH><TH>Block</TH><TH>WE 01</TH><TH>TH 02</TH>"
              "<TH>FR 03</TH><TH>SA 04</TH><TH>SU 05</TH><TH>MO 06</TH><TH>TU 07</TH>"
              "<TH>WE 08</TH><TH>TH 09</TH><TH>FR 10</TH>\n<TR>\n"
              "<B><font face=\"Arial\" size=1>\n"
              "<TR><TD>A&lt;B &amp; C</TD><TD>1</TD><TD>" +
                  m.credit0 + "</TD><TD>8101</TD><TD>YOW</TD><TD>VAC</TD>" + x + x +
                  "<TD>R&lt;1</TD><TD>-></TD>" + x + "<TD>8102</TD><TD>-></TD></TR>\n" +
                  "<TR><TD>CREW 2</TD><TD>2</TD><TD>" + m.credit1 + "</TD>" + x + x + x + x +
                  "<TD>8101</TD><TD>YOW</TD><TD>YUL</TD><TD>8101</TD><TD>YOW</TD><TD>YUL</TD>"
                  "</TR>\n");

    // Written beside the block file, only once it is named.
    test::TempDir dir;
    m.doc->FileName = (dir.path() / "sep.tl2").string();
    EXPECT_TRUE(SaveForInternet(*m.doc, m.ui));
    m.doc->FileName = (dir.path() / "sep").string();
    EXPECT_FALSE(SaveForInternet(*m.doc, m.ui));
    m.doc->FileName = (dir.path() / "gone" / "sep.tl2").string();
    EXPECT_FALSE(SaveForInternet(*m.doc, m.ui));
    const auto messages = m.ui.Only(test::ScriptedInteraction::Kind::Message);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text,
              "HTML Tessara Lines File Saved as " + (dir.path() / "sep.htm").string());
    EXPECT_EQ(messages[1].text, "File Must be Named First, Select Save As");
    EXPECT_EQ(messages[2].text, "Cant create file for Internet Publishing");
}

TEST(OtherExportsTest, SelectedBlocksCalendarFromAWednesday)
{
    ExportMonth m;
    const std::string title = "Selected Blocks for Sep 2027.\r\n\r\n";
    EXPECT_EQ(SelectedBlocksText(*m.doc, true, true, m.ui), title);
    m.Crew(0).Selected = 1;
    EXPECT_EQ(SelectedBlocksText(*m.doc, true, true, m.ui),
              title + "Name: A<B & C  Emp: 000000001  Credit " + m.credit0 +
                  " \r\n\r\n\t\t     SEP   2027\r\n\r\n"
                  "SUN\tMON\tTUE\tWED\tTHU\tFRI\tSAT\r\n\r\n"
                  "\t\t\t01 \t02 \t03 \t04 \t\r\n"
                  "\t\t\tP8101\t\tVAC \t\t\r\n"
                  "\t\t\t\t\t\txa \t\r\n\r\n"
                  "05 \t06 \t07 \t08 \t09 \t10 \t\r\n"
                  "\tR<1 \t\t\tP8102\t\t\r\n"
                  "\t\t\t\t\t\t\r\n\r\n\r\n"
                  "TRIP\r\nLINE 2\r\n\r\n\r\n\r\n");
    // Without the settings: no request row, no pairing texts.
    EXPECT_TRUE(SelectedBlocksText(*m.doc, false, false, m.ui)
                    .ends_with("\tR<1 \t\t\tP8102\t\t\r\n\r\n\r\n"));
}

TEST(OtherExportsTest, TrainingReportListsIndocAndCheckCopiesWithTotals)
{
    ExportMonth m;
    EXPECT_EQ(TrainingReportText(*m.doc), "Tessara Lines Training Report\n"
                                          "YYZDH8CAY,20270901,20270910\n"
                                          "INDOC,000000001,Y8101,20270901\n"
                                          "CHECK,000000002,Y8101,20270905\n"
                                          "TOTAL CREDIT MINS,INDOC,00000600,CHECK,00000600\n");
    EXPECT_FALSE(TrainingReport(*m.doc, "/nonexistent-folder/t.csv", m.ui));
    EXPECT_EQ(m.ui.Only(test::ScriptedInteraction::Kind::Message).at(0).text,
              "Cant create file for Exporting Data");
}

std::string LinLine(std::string text)
{
    text.resize(kLinLineLength, ' ');
    return text + "\n";
}

const std::string kSpaces14(14, ' ');
const std::string kSpaces20(20, ' ');
const std::string kLinTail = "01" + std::string(48, ' ');

// A captain's month: an RB night reserve, a pairing, the draft credit day,
// merged vacation, a line indoc row, open time and an RA reserve on the
// month's last day.
TEST(CrewTracExportTest, BawAndLinColumnByColumn)
{
    test::TempDir dir;
    LegalityMonth m(kCaptains, 6, 2027, 4);
    m.doc->FileName = (dir.path() / "JUN27.tl2").string();
    TPair& trip = m.Pair(m.AddPair(600, 2880, 2, 60));
    trip.PairKey = "Y";
    trip.PairNumber = 8101;
    m.Crew(0).EmpNumber = 12345;
    m.Other(0, 0, "RSV", 1200, 600, true, true, "RB");
    m.Put(0, 0, 2);
    for (int d = 9; d < 14; ++d)
        m.Other(0, d, "VAC", 1, 1439, false, false, "VA");
    m.Crew(0).DraftCredits = 60;
    m.Crew(0).DayCarry[31][CarryValue::HardTime] = 30;
    m.Crew(0).SetBlockCredit(600);
    m.Crew(1).EmpNumber = -1;
    m.Crew(2).EmpNumber = 0;
    m.Crew(2).Name = "OPEN";
    m.Put(2, 0, 20);
    m.Crew(3).EmpNumber = 7;
    m.Other(3, 3, "XYZ", 0, 60, false, false, "--");
    m.Other(3, 29, "RSV", 1200, 600, true, false, "RA");
    m.Crew(3).DraftCredits = 60;
    m.Crew(3).CarryIn[CarryInEntry::Credit] = 60;
    m.Crew(3).CarryIn[CarryInEntry::LegalAt] = 40 * 1440;
    const TPilot before = m.Crew(0);

    const ExportOutcome outcome =
        ExportSchedules(*m.doc, {"JUN27", "V", "8", CrewType::Captain}, m.ui);
    ASSERT_TRUE(outcome.Completed);
    EXPECT_EQ(test::ReadAll(dir.path() / "Export" / "JUN27.BAW"),
              "000012345 PV8001CA\n000000000 PV8002CA\n000000007 PV8003CA\n");
    EXPECT_EQ(test::ReadAll(dir.path() / "Export" / "JUN27.LIN"),
              LinLine("0QZ 2706PV8") +
                  LinLine("1PV8001P01500600CA" + kLinTail + "R2QZ" + kSpaces14 +
                          "2706011200270602" + "0360" + "10QZ  Y8101 270603" + kSpaces20 + "99DC" +
                          kSpaces14 + "2706060720270606" + "0721" + "99VA" + kSpaces14 +
                          "2706100001270614" + "1440") +
                  LinLine("1PV8000O01200000CA" + kLinTail + "10QZ  Y8101 270621" + kSpaces20) +
                  LinLine("1PV8003L00000000CA" + kLinTail + "R1QZ" + kSpaces14 +
                          "2706301200270630" + "1440"));
    EXPECT_EQ(outcome.Summary, (std::vector<std::string>{
                                   "Blk 2 Capt Pairings-LineIndoc. Not Exported",
                                   "Blk 3 is Exported as OpenTime. Emp Num is 0",
                                   "CREW 4 No Draft Credit Code Inserted", "Export Completed"}));
    EXPECT_EQ(m.ui.Dialogs(),
              std::vector<std::string>{"Tessara Lines: Finished Exporting to CrewTrac format"});
    EXPECT_TRUE(m.Crew(0) == before); // the draft credit day went only to the copy
    EXPECT_EQ(m.Crew(1).Option2, 0);
}

// Flight attendants answering Yes export only reserve and partial blocks.
TEST(CrewTracExportTest, AttendantsOnlyReserveAndPartialBlocks)
{
    test::TempDir dir;
    LegalityMonth m(kFlightAttendants, 6, 2027, 3);
    m.doc->FileName = (dir.path() / "FA.tl2").string();
    TPair& trip = m.Pair(m.AddPair(600, 480, 1, 0));
    trip.PairKey = "Y";
    trip.PairNumber = 9;
    trip.PairType = "FA";
    m.Other(0, 1, "RSV", 60, 60, true, true, "RE");
    m.Crew(1).Quals = "RB";
    m.Put(1, 0, 0);
    m.Crew(1).DraftCredits = 60; // attendants get no draft credit day
    m.ui.Script({Answer::Yes});
    const ExportOutcome outcome =
        ExportSchedules(*m.doc, {"FA", "V", "8", CrewType::Attendant}, m.ui);
    EXPECT_EQ(test::ReadAll(dir.path() / "Export" / "FA.BAW"),
              "000000001 FV8001PU\n000000002 FV8002PU\n");
    EXPECT_EQ(test::ReadAll(dir.path() / "Export" / "FA.LIN").substr(2 * 1321, 68 + 38),
              "1FV8002L00000000PU" + kLinTail + "10QZFAY0009 270601" + kSpaces20);
    EXPECT_EQ(outcome.Summary[0], "CREW 3. Not Exported");
    EXPECT_EQ(m.ui.Dialogs().front(),
              "Tessara Lines: Do you want to Export ONLY Reserve and Partial Blocks");
}

struct ExportRefusal {
    CrewTracCodes codes;
    const char* file;
    std::string dialog;
    size_t summaryLines;
};

class CrewTracRefusalTest : public ::testing::TestWithParam<ExportRefusal> {};

TEST_P(CrewTracRefusalTest, NothingWritten)
{
    test::TempDir dir;
    LegalityMonth m(kCaptains, 6, 2027, 1);
    m.doc->FileName = *GetParam().file ? (dir.path() / GetParam().file).string() : "";
    const ExportOutcome outcome = ExportSchedules(*m.doc, GetParam().codes, m.ui);
    EXPECT_FALSE(outcome.Completed);
    EXPECT_EQ(outcome.Summary.size(), GetParam().summaryLines);
    EXPECT_EQ(m.ui.Dialogs(), std::vector<std::string>{GetParam().dialog});
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Export"));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CrewTracRefusalTest,
    ::testing::Values(
        ExportRefusal{{"", "VV", "", CrewType::Captain},
                      "m.tl2",
                      "Export Error: FileName needs to be 1-8 char long. Base Code needs to be 1 "
                      "char long. Eqp Code needs to be 1 char long. ",
                      3},
        ExportRefusal{{"../../up", "V", "8", CrewType::Captain},
                      "m.tl2",
                      "Export Error: FileName needs to be 1-8 char long. ",
                      1},
        ExportRefusal{{"NAME", "V", "8", CrewType::Captain},
                      "",
                      "File Error: File Must be Named First, Select Save As",
                      0}));

// Exporting a month and importing the export onto an emptied copy of it
// gives back the same blocks; what cannot be placed is named.
TEST(CrewTracExportTest, ImportOfTheExportGivesTheBlocksBack)
{
    test::TempDir dir;
    LegalityMonth m(kCaptains, 6, 2027, 3);
    m.doc->FileName = (dir.path() / "JUN27.tl2").string();
    m.Crew(2).EmpNumber = 0;
    for (int p = 0; p < 2; ++p) {
        TPair& pair = m.Pair(m.AddPair(600, 2000, 2, 60));
        pair.PairKey = "V";
        pair.PairNumber = 8101 + p;
        pair.OpsCount.fill(kOpsOpen);
    }
    const auto items = ToolBoxActivityItems(*m.doc);
    const auto item = [&](const char* tracking) {
        const auto it = std::find_if(items.begin(), items.end(),
                                     [&](const auto& i) { return i.TrackingCode == tracking; });
        return ToolBoxItemRef{ToolBoxItemRef::Kind::Activity, int(it - items.begin())};
    };
    ASSERT_EQ(AssignPair(*m.doc, m.ui, 0, 0, 2, true), AssignResult::Done);
    ASSERT_EQ(AssignPair(*m.doc, m.ui, 2, 1, 6, true), AssignResult::Done);
    for (int d = 9; d < 14; ++d)
        ASSERT_EQ(ApplyToolBoxItem(*m.doc, m.ui, 0, d, item("VC")), ToolBoxDropResult::Done);
    ASSERT_EQ(ApplyToolBoxItem(*m.doc, m.ui, 1, 20, item("RB")), ToolBoxDropResult::Done);
    m.Crew(1).DraftCredits = 60;
    ASSERT_TRUE(ExportSchedules(*m.doc, {"JUN27", "V", "8", CrewType::Captain}, m.ui).Completed);

    std::vector<TPilot> built;
    for (int c = 0; c < 3; ++c) {
        built.push_back(m.Crew(c));
        m.Crew(c).DaySlot.fill(kFreeSlot);
        m.Crew(c).DayCode.fill(SlotText());
        m.Crew(c).DayCode2.fill(SlotText());
    }
    for (int p = 0; p < 2; ++p)
        m.Pair(p).OpsCount.fill(kOpsOpen);
    const auto file = ReadBawLin(dir.path() / "Export" / "JUN27.BAW", m.ui);
    ASSERT_TRUE(file);
    EXPECT_EQ(BlockListLine(file->Blocks[0]).substr(0, 20), "000000001  V8001  L ");
    const BlockImportResult result = ImportBawLinBlocks(*m.doc, m.ui, file->Blocks);
    EXPECT_EQ(result.Problems, std::vector<std::string>{});
    EXPECT_EQ(result.Placed, 8);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(m.Crew(c).DaySlot, built[size_t(c)].DaySlot) << c;
        EXPECT_EQ(m.Crew(c).DayCode, built[size_t(c)].DayCode) << c;
        EXPECT_EQ(m.Crew(c).DayOther, built[size_t(c)].DayOther) << c;
    }
    // Again: every day is taken now.
    EXPECT_EQ(ImportBawLinBlocks(*m.doc, m.ui, file->Blocks).Placed, 0);
}

// Lines that are not an export: each is named, nothing reads outside it.
TEST(CrewTracExportTest, HostileBawAndLinLines)
{
    const std::string record = "10QZ  V8101 270603" + kSpaces20;
    const BawLinFile file =
        ParseBawLin("000000001 PV8001CA\nxyz\n00000000\n-00000005 PV8003CA\n000000009 PV8004CA\n"
                    "000000004 PV8005CA\n",
                    "0QZ 2706PV8\n1PV8001L00000000CA" + kLinTail + record + "99" + "\n1PV8002" +
                        "\n1PV8003L00000000CA" + kLinTail + "R9QZ" + std::string(34, '9') + "99VC" +
                        kSpaces14 + "2713990000271399000");
    EXPECT_EQ(file.Problems,
              (std::vector<std::string>{"BAW Line 2 is not a Block", "BAW Line 3 is not a Block",
                                        "BAW Line 4 is not a Block", "LIN Line 3 is not a Block",
                                        "LIN Line 4 Record 1 is not understood"}));
    ASSERT_EQ(file.Blocks.size(), 2u);
    EXPECT_EQ(file.Blocks[0].Days.size(), 1u);
    EXPECT_EQ(file.Blocks[1].EmpNumber, 4);
    EXPECT_TRUE(file.Blocks[1].Days.empty()); // the cut record is left off

    LegalityMonth m(kCaptains, 6, 2027, 1);
    m.Crew(0).EmpNumber = 1;
    const BlockImportResult result = ImportBawLinBlocks(*m.doc, m.ui, file.Blocks);
    EXPECT_EQ(result.Problems, (std::vector<std::string>{"Emp 1 Blk V8001 Pairing V8101 Day 3 "
                                                         "Not Operating",
                                                         "Emp 4 Blk V8003 Not on the Roster"}));
    EXPECT_FALSE(ReadBawLin("/nonexistent.BAW", m.ui));
    EXPECT_EQ(m.ui.Dialogs().back(),
              "Tessara Lines: File Error - Unable to Load Roster from this file.");
}

// Whatever a file holds, the reports stay inside the tables.
TEST(PairingReportsTest, HostileMonthsStayInsideTheTables)
{
    LegalityMonth m(kFlightAttendants, 6, 2027, 2);
    m.doc->DaysInMonth = 99;
    m.doc->CrewCount = 5000;
    m.doc->LastPair = 99999;
    m.doc->MonthName.fill('X');
    TPair& p = m.Pair(0);
    p.Length = -5;
    p.OnTime = p.Tafb = p.PairNumber = p.Credit = INT_MIN;
    p.OpsCount.fill(-7);
    m.Pair(1).Length = 127;
    m.Pair(1).OpsCount.fill(3);
    m.Crew(0).DaySlot.fill(0);
    m.Crew(0).DaySlot[3] = 5000;
    m.Crew(0).CarryIn.fill(INT_MAX);
    m.Crew(1).DaySlot.fill(1);
    EXPECT_FALSE(GlobalInfoLines(*m.doc).empty());
    EXPECT_FALSE(PairingReport(*m.doc).Text.empty());
    EXPECT_FALSE(CrewLines(*m.doc, m.ui).Text.empty());
    m.doc->StartWeekday = 99;
    m.Crew(1).Selected = 1;
    EXPECT_FALSE(InternetPage(*m.doc, m.ui).empty());
    EXPECT_FALSE(SelectedBlocksText(*m.doc, true, true, m.ui).empty());
    EXPECT_FALSE(TrainingReportText(*m.doc).empty());
    const CrewTracCodes codes{"X", "V", "8", CrewType::Captain};
    BawText(*m.doc, codes, false);
    std::vector<std::string> summary;
    EXPECT_EQ(LinText(*m.doc, codes, summary).size() % (kLinLineLength + 1), 0u);
}

} // namespace
} // namespace tl
