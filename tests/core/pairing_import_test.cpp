#include "import/lis_scan.h"
#include "import/pairing_warnings.h"
#include "import/prg_file.h"
#include "import/usa_segments.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace tl {
namespace {

using ::testing::ElementsAre;

// One fixed-column line of the pairing file: kind, base letter and number,
// then "column=text" fields split by '|', blank-padded to 320 characters.
std::string Line(char kind, std::string_view fields, const std::string& ident = "Z8101")
{
    std::string line(320, ' ');
    line[0] = kind;
    line.replace(1, ident.size(), ident);
    while (!fields.empty()) {
        const std::string_view field = fields.substr(0, fields.find('|'));
        const size_t eq = field.find('=');
        if (eq != std::string_view::npos)
            line.replace(std::stoul(std::string(field.substr(0, eq))), field.size() - eq - 1,
                         field.substr(eq + 1));
        fields.remove_prefix(std::min(field.size() + 1, fields.size()));
    }
    return line + "\n";
}

std::string PairingLine(const std::string& extra = "", const std::string& ident = "Z8101")
{
    return Line('1',
                "19=0601|27=0630|31=YYYYYNN|38=0612000000000000|70=20270605|78=0420|" +
                    ("107=01475|112=N|113=CA01FO01|145=0660|150=00750080|299=0330|" + extra),
                ident);
}

// Two duty days: a flight, then a deadhead and a ground segment; credits 3:00
// and 0:00 against a total of 5:30.
std::string TwoDayBody(const std::string& id = "Z8101")
{
    const std::string duty = "30=0420|59=CA01 FO01|22=202706";
    return Line('2', "7=20270605|15=0803|28=YYZ|31=20270605|39=0480|43=YUL|54=0555|64=0075", id) +
           Line('3',
                duty + "05|42=0570|47=0150|51=01290|56=YUL|114=0075|122=0015|126=0180|130=0000",
                id) +
           Line('4', "7=20270605|18=AC0804|26=20270606|34=YUL|45=0480|49=YYZ|60=0560|83=CNF", id) +
           Line('5', "7=20270605|18=LMO|29=YYZ|32=20270606|40=0570|44=YKZ|55=0590", id) +
           Line('3',
                duty + "06|42=0575|47=0155|51=00000|56=YYZ|114=0000|122=0010|126=0000|130=0080",
                id);
}

class PrgFileTest : public ::testing::Test {
protected:
    PrgFileTest()
    {
        EXPECT_TRUE(doc->SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
        doc->GroupName = "YYZDH8FOZ";
        doc->CrewKind = kFirstOfficers;
    }

    bool Load(const std::string& text, std::string_view base = "", bool any = false)
    {
        return LoadPRGPairsFromText(*doc, text, "TEST.PRG", base, any, ui);
    }

    std::unique_ptr<ScheduleDocument> doc = std::make_unique<ScheduleDocument>();
    test::ScriptedInteraction ui;
};

TEST_F(PrgFileTest, BuildsThePairingAsThePairingSystemWroteIt)
{
    ASSERT_TRUE(Load(PairingLine() + TwoDayBody() + PairingLine("70=20270612") +
                     Line('2', "15=9999|28=AAA|43=BBB")));
    ASSERT_EQ(doc->LastPair, 0);
    EXPECT_EQ(doc->LastBasePair, 0);
    const TPair& p = doc->Pairs[0];
    EXPECT_EQ(p.PairText,
              "    Z8101   BSE REPT:07:00L   OPERATES - JUN.1-JUN.30 EXCEPT SAT SUN\n"
              "    CA01FO01                        EXCEPT JUN.12  \n \n"
              "  1     803   YYZ-YUL   08:00 09:15   1:15  1:15   0:00   0:15   2:30  YUL 21:30\n"
              "    REPT: 07:00 D-END: 09:30 CA01 FO01                              \n"
              "  2 DHAC 804  YUL-YYZ   08:00 09:20         CNF\n"
              "  2     LMO   YYZ-YKZ   09:30 09:50              0:00   1:20   0:10   2:35 \n"
              "    REPT: 07:00 D-END: 09:35\n"
              "   TOTALS  TAFB 24:35    BLOCK  2:35    CREDIT  5:30    FATIGUE UNITS:  7:05 \n");
    EXPECT_EQ(p.PairKey + p.PairType + p.Layovers, "Z8FOYUL");
    // Number, report, release, TAFB, days, credit, fatigue, rest; the whole
    // credit goes to the day before the empty last day.
    EXPECT_EQ((std::vector<int>{p.PairNumber, p.OnTime, p.OffTime, p.Tafb, p.Length, p.Credit,
                                p.FatigueUnits, p.MinRest, p.DayCredit[0], p.DayCredit[1],
                                p.DayStart[1], p.DayDuty[1], p.DayHard[1]}),
              (std::vector<int>{8101, 420, 455, 1475, 2, 330, 425, 660, 330, 0, 420, 155, 80}));
    // The repeated line adds its date and nothing else.
    EXPECT_EQ(p.OpsCount[4] + p.OpsCount[11], 2);
    EXPECT_EQ(std::count(p.OpsCount.begin(), p.OpsCount.end(), 1), 2);
    EXPECT_EQ(std::count(p.Note.begin(), p.Note.end(), '\n'), 6);
    EXPECT_FALSE(p.HasUsaSegments);
    EXPECT_TRUE(ui.Dialogs().empty());
    EXPECT_FALSE(ui.ListLines("Pairing Warnings and Report").empty());

    // The pairings window shows the class before anything is built or saved:
    // 13:20 over two days worked is High. A window that shows the report in
    // its own dialog takes the place of the list.
    struct Window : DocumentEvents {
        bool ShowPairingWarnings() override { return true; }
    } window;
    doc->Listener = &window;
    ui.Clear();
    ASSERT_TRUE(Load(PairingLine("299=0800") + TwoDayBody()));
    EXPECT_EQ(doc->Pairs[0].CreditClass, 2);
    EXPECT_TRUE(ui.ListLines("Pairing Warnings and Report").empty());
}

TEST_F(PrgFileTest, CopiesPerCrewKind)
{
    const struct {
        int crewKind;
        const char* complement;
        std::vector<std::string> types;
    } cases[] = {
        // clang-format off
        {0, "CA02FO01", {"CA", "CA"}}, {1, "CA01FO01", {"FO"}},
        {1, "CA01    ", {}}, // no first officer wanted: read, nothing stored
        {2, "FA02PU01", {"PU", "FA", "FA"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.complement);
        doc->CrewKind = static_cast<int8_t>(c.crewKind);
        ui.Clear();
        ASSERT_TRUE(Load(PairingLine(std::string("113=") + c.complement) + TwoDayBody(), "Z8"));
        ASSERT_EQ(doc->LastPair + 1, static_cast<int>(c.types.size()));
        for (size_t i = 0; i < c.types.size(); ++i)
            EXPECT_EQ(doc->Pairs[i].PairType, c.types[i]);
        EXPECT_EQ(doc->Pairs[c.types.size()].PairText, ""); // the earlier load's records are gone
        if (c.types.empty()) {
            EXPECT_THAT(ui.Dialogs(),
                        ElementsAre("Tessara Lines: Unable to load pairings from this file"));
        }
    }
}

// A report at 24:00 moves the operating date a day on (30 June's past the
// month); the same number after another pairing is another pairing.
TEST_F(PrgFileTest, MidnightReportAndRepeatedNumbers)
{
    ASSERT_TRUE(Load(PairingLine("78=1440") + TwoDayBody() + PairingLine("78=1440|70=20270630")));
    EXPECT_EQ(doc->Pairs[0].OnTime, 0);
    EXPECT_EQ(doc->Pairs[0].OpsCount[5], 1);
    EXPECT_EQ(std::count(doc->Pairs[0].OpsCount.begin(), doc->Pairs[0].OpsCount.end(), 1), 1);

    ASSERT_TRUE(Load(PairingLine() + TwoDayBody() + PairingLine("", "Z8102") + TwoDayBody("Z8102") +
                     PairingLine("70=20270620") + TwoDayBody()));
    ASSERT_EQ(doc->LastPair, 2);
    EXPECT_EQ(doc->Pairs[2].PairNumber, 8101);
    EXPECT_EQ(doc->Pairs[2].OpsCount[19] - doc->Pairs[2].OpsCount[4], 1);
}

TEST_F(PrgFileTest, DutyLinesAndLayovers)
{
    const auto duty = [](std::string date, const char* station, const char* rest) {
        return Line('3', "22=" + date + "|30=0420|42=0540|47=0120|51=" + rest + "|56=" + station +
                             "|126=0100");
    };
    // Two duties on day 1, none on day 2, one on day 3; then a duty line with
    // no report time, which changes nothing but the note.
    ASSERT_TRUE(Load(PairingLine("107=03000|299=0300") + Line('2', "15=0100|28=YYZ|43=YOW") +
                     duty("20270605", "YOW", "00100") + duty("20270605", "YUL", "01000") +
                     duty("20270607", "YYZ", "00000") + Line('3', "22=20270608|56=XXX|126=0500")));
    const TPair& p = doc->Pairs[0];
    EXPECT_EQ(p.Layovers, "YULYUL");
    EXPECT_EQ((std::vector<int>{p.DayCredit[0], p.DayCredit[2], p.DayCredit[3], p.FatigueUnits}),
              (std::vector<int>{200, 100, 0, 60 + 3 * 120}));
    EXPECT_EQ(std::count(p.Note.begin(), p.Note.end(), '\n'), 6);
}

TEST_F(PrgFileTest, TidyingAndPilotMinimumRest)
{
    // 10:00 + 14:00 ends at midnight: two days while reading, one after tidying.
    // The duty's elapsed time differs from its time on duty by 3 hours: 13:00 rest.
    ASSERT_TRUE(Load(PairingLine("78=0600|107=00840|299=0100|145=0500") +
                     Line('3', "22=20270605|30=0600|42=1440|47=0660|51=00000|56=YYZ|126=0100")));
    const TPair& p = doc->Pairs[0];
    EXPECT_EQ((std::vector<int>{p.Length, p.OffTime, p.MinRest}), (std::vector<int>{1, 1440, 780}));
}

TEST_F(PrgFileTest, ClockChangeMovesTheRelease)
{
    ASSERT_TRUE(doc->SetMonth(ui, JulianDay(3, 1, 2027), JulianDay(3, 31, 2027)));
    ASSERT_TRUE(Load(PairingLine("70=20270313") + TwoDayBody() +
                     PairingLine("70=20270320", "Z8102") + TwoDayBody("Z8102")));
    EXPECT_EQ((std::vector<int>{doc->DstChangeMinute, doc->DstShift, doc->Pairs[0].OffTime,
                                doc->Pairs[0].Length, doc->Pairs[1].OffTime}),
              (std::vector<int>{13 * 1440 + 120, 60, 455 + 60, 2, 455}));
}

TEST_F(PrgFileTest, CityPairsAndCrewCheck)
{
    doc->CrewCount = 1;
    doc->Crew[0].DaySlot.fill(kFreeSlot);
    doc->Crew[0].DaySlot[4] = 0; // operates on day 4
    doc->Crew[0].DaySlot[5] = 0; // does not
    doc->Crew[0].DaySlot[6] = 7; // no such pairing any more
    ASSERT_TRUE(Load(PairingLine() + TwoDayBody()));
    EXPECT_EQ(doc->PairingSourceText, "         ----- Z8 ----- \n"
                                      "YYZ-YUL    01:15  DH  0\n"
                                      "YUL-YYZ    00:00  DH  1\n");
    EXPECT_EQ(doc->Pairs[0].OpsCount[4], 2);
    EXPECT_EQ((std::vector<int>{doc->Crew[0].DaySlot[4], doc->Crew[0].DaySlot[5],
                                doc->Crew[0].DaySlot[6]}),
              (std::vector<int>{0, -1, -1}));
}

TEST_F(PrgFileTest, FailureTable)
{
    struct Case {
        const char* name;
        std::string text;
        bool result;
        std::vector<std::string> messages;
        int pairs;
    };
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += PairingLine("", "Z" + std::to_string(8000 + i % 1000));
    const std::string tooShort =
        PairingLine() + TwoDayBody() + PairingLine("", "Z8102").substr(0, 100) + "\n";
    const std::vector<std::string> notPrg{
        "Tessara Lines: This does not appear to be a valid PRG file. The first char should be 1"};
    const std::vector<std::string> none{"Tessara Lines: Unable to load pairings from this file"};
    // clang-format off
    const Case cases[] = {
        {"not a PRG file", "2Z8101\n" + PairingLine(), false, notPrg, 6},
        {"empty", "", false, notPrg, 6},
        {"other base", PairingLine("", "M8101") + TwoDayBody("M8101"), true, none, 0},
        {"other equipment", PairingLine("", "Z3101") + TwoDayBody("Z3101"), true, none, 0},
        {"5000 pairings", many, true,
         {"Tessara Lines: Maximum Number of Pairings Reached. Not all Pairings Loaded"},
         kPrgMaxPairs},
        {"line ends before a text field", tooShort, false,
         {"Tessara Lines: File Error - Unable to Load Pairings from this file. See Next Message "
          "Box for Progress",
          "Pair Loading Progress: 8101 8102 "},
         0},
        {"numbers past the line end read 0", PairingLine().substr(0, 200) + "\n", true, {}, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.Clear();
        doc->LastPair = 5;
        EXPECT_EQ(Load(c.text), c.result);
        EXPECT_EQ(ui.Dialogs(), c.messages);
        EXPECT_EQ(doc->LastPair + 1, c.pairs);
        // Past the table in use the records are blank, as the next load expects.
        EXPECT_TRUE(doc->Pairs[size_t(c.pairs)].Note.empty());
    }
}

TEST_F(PrgFileTest, HostileLinesNeitherCrashNorPoseAsRecords)
{
    const std::string longLine = "1Z8101" + std::string(10000, '7') + "1Z8102\n";
    const std::string texts[] = {
        PairingLine() + "\n1\n" + longLine + TwoDayBody(),
        PairingLine() + std::string("3Z8101\t\r\n5Z8\0\x80\xff", 14) + "\n",
        PairingLine() + TwoDayBody().substr(0, 700), // ends inside a duty line
    };
    for (const std::string& text : texts) {
        ui.Clear();
        Load(text, "Z", true);
        EXPECT_LE(doc->LastPair, 0);
    }
    std::string legs;
    for (int i = 0; i < 1000; ++i)
        legs += Line('2', "15=0100|28=YYZ|43=YOW");
    ASSERT_TRUE(Load(PairingLine("113=CA01FO99") + legs, "Z", true));
    EXPECT_EQ(doc->LastPair, 98);
    EXPECT_LT(doc->Pairs[98].Note.size(), kPrgMaxPairingNote + 400);
}

// The file read from disk in chunks and its bytes read where they lie in
// memory give the same month: lines across chunk ends, a cut long line and
// carriage returns included; the file's first character is the 1 after an
// editor's byte-order mark.
TEST_F(PrgFileTest, FileAndItsBytesInMemoryLoadAlike)
{
    std::string text;
    for (int n = 0; n < 150; ++n) {
        const std::string id = "Z" + std::to_string(8101 + n);
        text += PairingLine("", id) + TwoDayBody(id);
        if (n == 70)
            text += "2" + std::string(70000, '7') + "\r\n";
    }
    auto snapshot = [&] {
        std::vector<std::string> out{doc->PairingSourceText};
        for (int i = 0; i <= doc->LastPair; ++i)
            out.push_back(doc->Pairs[size_t(i)].PairText + doc->Pairs[size_t(i)].Note);
        for (const std::string& d : ui.Dialogs())
            out.push_back(d);
        return out;
    };
    ASSERT_TRUE(Load(text));
    EXPECT_EQ(doc->LastPair, 149);
    const std::vector<std::string> fromMemory = snapshot();
    test::TempDir dir;
    test::WriteAll(dir.path() / "MONTH.PRG", "\xEF\xBB\xBF" + text);
    ui.Clear();
    ASSERT_TRUE(LoadPRGPairs(*doc, dir.path() / "MONTH.PRG", "", false, ui));
    EXPECT_EQ(snapshot(), fromMemory);
}

TEST_F(PrgFileTest, WarningsListReportsCreditsAndInvalidPairings)
{
    ASSERT_TRUE(Load(PairingLine() + TwoDayBody() + PairingLine("78=1500", "Z8102")));
    const std::vector<std::string> lines = PairingWarningsList(*doc);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Number of Pairings 2  Average Pairing Credit per day is 2:12");
    EXPECT_EQ(lines[4], "Pair 8102  Duty Start Time < 00:01 or > 24:00. ");
    EXPECT_EQ(lines[9], "Pairing Report for Jun 2027 Carry Over Removed from Running Total");
    EXPECT_EQ(lines[10], "Pair 8101  Credit 05:30  Hard 02:35  OPER 01  Running Total 5:30");
    EXPECT_EQ(lines.back(), "Total Hours including Carry Over 11:00");
}

// A leg line of the pairing text as the loader writes it.
std::string Leg(const char* flight, const char* from, const char* to)
{
    return std::string("  1    ") + flight + "   " + from + "-" + to + "   08:00 09:15   1:15\n";
}

// A leg line of a listing: flight number at column 5, the aircraft tag
// `distance` columns after it.
std::string ListedLeg(const char* flight, const char* tag, size_t distance)
{
    std::string line = "  1  " + std::string(flight);
    line.resize(5 + distance, ' ');
    return line + tag + " [50]\n";
}

std::string Listing(const std::string& id, const std::string& legs, const char* extra = "")
{
    return "PAIRING " + id + "  " + extra + "\n" + legs +
           "   MEALS US:  87.27  MEALS CAD: 60.60 \n\n";
}

std::string Lis(const std::string& listings)
{
    return std::string(5000, '=') + "\n" + listings;
}

class LisScanTest : public ::testing::Test {
protected:
    LisScanTest()
    {
        doc->CrewKind = kFirstOfficers;
        doc->LastPair = 0;
        doc->Pairs[0].PairKey = "Z8";
        doc->Pairs[0].PairNumber = 8101;
        doc->Pairs[0].PairText =
            "    Z8101   BSE REPT:07:00L\n" + Leg(" 803", "YYZ", "YUL") + Leg(" 804", "YUL", "YYZ");
    }

    std::string& Text() { return doc->Pairs[0].PairText; }

    std::unique_ptr<ScheduleDocument> doc = std::make_unique<ScheduleDocument>();
    test::ScriptedInteraction ui;
};

TEST_F(LisScanTest, TagsLegsMarksShareAndCopiesMeals)
{
    const std::string older = Listing("Z8101", ListedLeg(" 803", "DH3", 71));
    const std::string legs = ListedLeg(" 803", "CRA", 71) + ListedLeg(" 804", "DH3", 71);
    ASSERT_TRUE(ScanLisText(*doc, Lis(older + Listing("Z8101", legs)), ui));
    EXPECT_EQ(Text(), "    Z8101   BSE REPT:07:00L\n"
                      "  1     803   YYZ-YUL   08:00 09:15   1:15  CRA\n"
                      "  1     804   YUL-YYZ   08:00 09:15   1:15  DH3\n"
                      " *** CRA>49% CRA>24% CRA>0% *** \n"
                      "   MEALS US:  87.27  MEALS CAD: 60.60");
    EXPECT_EQ(ui.ListLines("Flag French Pairings from LIS Summary"),
              (std::vector<std::string>{"Total Pairings 1", "0 Pairings Flagged as French",
                                        "Z8101 is CRA > 49%"}));
    EXPECT_TRUE(ui.ListLines("Flag CRA and French Pairings Errors").empty());
    EXPECT_TRUE(doc->Modified);

    // Scanning again replaces the marker and the meal line but tags the legs again.
    ASSERT_TRUE(ScanLisText(*doc, Lis(Listing("Z8101", legs)), ui));
    EXPECT_EQ(Text(), "    Z8101   BSE REPT:07:00L\n"
                      "  1     803   YYZ-YUL   08:00 09:15   1:15  CRA  CRA\n"
                      "  1     804   YUL-YYZ   08:00 09:15   1:15  DH3  DH3\n"
                      "   *** CRA>49% CRA>24% CRA>0% *** \n"
                      "   MEALS US:  87.27  MEALS CAD: 60.60");
}

TEST_F(LisScanTest, ShareIsClassedInSinglePrecision)
{
    const struct {
        int cra, others;
        const char* marker;
    } cases[] = {
        // clang-format off
        {37, 13, " *** CRA>74% CRA>49% CRA>24% CRA>0% *** "}, {99, 1, " *** CRA100% CRA>74% CRA>49% CRA>24% CRA>0% *** "},
        {49, 51, " *** CRA>49% CRA>24% CRA>0% *** "}, {6, 19, " *** CRA>0% *** "},
        {3, 1, " *** CRA>74% CRA>49% CRA>24% CRA>0% *** "}, {0, 0, " *** CRA=0% *** "},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.marker);
        std::string legs;
        for (int i = 0; i < c.cra + c.others; ++i)
            legs += ListedLeg("9999", i < c.cra ? "CRA" : "CRJ", 71);
        Text() = "T";
        ASSERT_TRUE(ScanLisText(*doc, Lis(Listing("Z8101", legs)), ui));
        EXPECT_EQ(Text(), std::string("T") + c.marker + "\n   MEALS US:  87.27  MEALS CAD: 60.60");
    }
}

TEST_F(LisScanTest, TagsNearTheIdentifierCountButTagNothing)
{
    // The tag stands within 71 characters of the block's start, its
    // "flight number" before the identifier.
    ASSERT_TRUE(ScanLisText(
        *doc, Lis("PAIRING Z8101 CRA [\n   MEALS US:  87.27  MEALS CAD: 60.60 \n"), ui));
    EXPECT_EQ(Text().find("  CRA"), std::string::npos);
    EXPECT_NE(Text().find(" *** CRA100% "), std::string::npos);
    EXPECT_TRUE(ui.ListLines("Flag CRA and French Pairings Errors").empty());
}

TEST_F(LisScanTest, FrenchPairingsOfCabinGroups)
{
    const std::string legs = ListedLeg(" 803", "CRA", 63);
    doc->CrewKind = kFlightAttendants;
    ASSERT_TRUE(ScanLisText(*doc, Lis(Listing("Z8101", legs, "LANGUAGE: FRENCH")), ui));
    EXPECT_NE(Text().find("1:15  CRA\n"), std::string::npos);
    EXPECT_EQ(Text().find(" FRENCH PAIRING"), Text().find(" *** ") - 15);
    EXPECT_EQ(ui.ListLines("Flag French Pairings from LIS Summary"),
              (std::vector<std::string>{"Total Pairings 1", "1 Pairings Flagged as French",
                                        "Z8101 is French Pairing", "Z8101 is CRA 100%"}));
    ASSERT_TRUE(ScanLisText(*doc, Lis(Listing("Z8101", legs, "LANGUAGE: FRENCH")), ui));
    EXPECT_EQ(Text().find("FRENCH"), Text().rfind("FRENCH"));
    ASSERT_TRUE(ScanLisText(*doc, Lis(Listing("Z8101", legs, "LANGUAGE: ENGLISH")), ui));
    EXPECT_EQ(Text().find("FRENCH"), std::string::npos);

    doc->CrewKind = kCaptains; // pilots never
    ASSERT_TRUE(ScanLisText(*doc, Lis(Listing("Z8101", legs, "LANGUAGE: FRENCH")), ui));
    EXPECT_EQ(Text().find("FRENCH"), std::string::npos);
}

TEST_F(LisScanTest, ProblemsAndTooLittleText)
{
    doc->LastPair = 2;
    doc->Pairs[1] = doc->Pairs[0];
    doc->Pairs[1].PairNumber = 8102;
    doc->Pairs[2] = doc->Pairs[0];
    doc->Pairs[2].PairNumber = 8103;
    const std::string lis = Lis(Listing("Z8101", ListedLeg(" 805", "CRA", 71)) + "PAIRING Z8103\n");
    ASSERT_TRUE(ScanLisText(*doc, lis, ui));
    EXPECT_EQ(
        ui.ListLines("Flag CRA and French Pairings Errors"),
        (std::vector<std::string>{"Z8101 Flight Number not LocatedZ8102 Not Found in LIS File",
                                  "Z8103Incomplete in LIS File", " Can't Locate MEALS CAD:"}));

    const std::string before = Text();
    doc->Modified = false;
    ui.Clear();
    EXPECT_FALSE(ScanLisText(*doc, lis.substr(0, kLisMinScanText - 1), ui));
    EXPECT_EQ(ui.Dialogs(),
              std::vector<std::string>{"Tessara Lines: Unable to Read Data from one or more LIS "
                                       "File(s). Try opening file(s) in WordPad and Save as "
                                       "Type Text Document."});
    EXPECT_EQ(Text(), before);
    EXPECT_FALSE(doc->Modified);
}

TEST_F(LisScanTest, ReadsFilesAsTextFromTheMinimumSizeOn)
{
    test::TempDir dir;
    const auto write = [&](const char* name, const std::string& bytes) {
        test::WriteAll(dir.path() / name, bytes);
        return dir.path() / name;
    };
    std::string buffer = "kept";
    EXPECT_TRUE(ReadLisFile(write("short.lis", std::string(kLisMinFileText - 1, 'x')), buffer, ui));
    EXPECT_EQ(buffer, "kept");
    // An editor's byte-order mark is not text of the listing.
    const std::string text = std::string(kLisMinFileText, 'x') + "a\r\nb\r";
    EXPECT_TRUE(ReadLisFile(write("crlf.lis", "\xEF\xBB\xBF" + text), buffer, ui));
    EXPECT_EQ(buffer, std::string(kLisMinFileText, 'x') + "a\nb\r");

    // A scan over one short file stops before touching anything.
    ui.Clear();
    EXPECT_FALSE(ScanLisFiles(*doc, {dir.path() / "short.lis"}, ui));
    EXPECT_EQ(ui.Dialogs().size(), 1u);
}

TEST_F(LisScanTest, UsaSegmentsMarkDeparturesOnce)
{
    doc->LastPair = 1;
    Text() = Leg(" 803", "LGA", "BOS") + Leg(" 804", "BOS", "YYZ");
    doc->Pairs[1].PairText = Leg(" 805", "YYZ", "LGA");
    ScanUsaSegments(*doc, ui);
    EXPECT_EQ(Text(), Leg(" 803", "LGA", "BOS") + Leg(" 804", "BOS", "YYZ") + "   USA SEGMENT ");
    EXPECT_TRUE(doc->Pairs[0].HasUsaSegments);
    EXPECT_FALSE(doc->Pairs[1].HasUsaSegments);
    doc->Pairs[0].Validate(30); // as Build Blocks does
    EXPECT_TRUE(doc->Pairs[0].HasUsaSegments);
}

} // namespace
} // namespace tl
