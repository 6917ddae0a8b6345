#include "import/lis_scan.h"
#include "import/usa_segments.h"
#include "model/schedule_document.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tl {
namespace {

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
        doc->CrewKind = 1;
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
        {37, 13, " *** CRA>74% CRA>49% CRA>24% CRA>0% *** "},
        {99, 1, " *** CRA100% CRA>74% CRA>49% CRA>24% CRA>0% *** "},
        {49, 51, " *** CRA>49% CRA>24% CRA>0% *** "},
        {6, 19, " *** CRA>0% *** "},
        {3, 1, " *** CRA>74% CRA>49% CRA>24% CRA>0% *** "},
        {0, 0, " *** CRA=0% *** "},
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
    doc->CrewKind = 2;
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

    doc->CrewKind = 0; // pilots never
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
        std::ofstream(dir.path() / name, std::ios::binary) << bytes;
        return dir.path() / name;
    };
    std::string buffer = "kept";
    EXPECT_TRUE(ReadLisFile(write("short.lis", std::string(kLisMinFileText - 1, 'x')), buffer, ui));
    EXPECT_EQ(buffer, "kept");
    EXPECT_TRUE(
        ReadLisFile(write("crlf.lis", std::string(kLisMinFileText, 'x') + "a\r\nb\r"), buffer, ui));
    EXPECT_EQ(buffer, std::string(kLisMinFileText, 'x') + "a\nb\r");
    EXPECT_FALSE(ReadLisFile(dir.path() / "none.lis", buffer, ui));
    EXPECT_EQ(ui.Dialogs().back(),
              "Tessara Lines: Unable to Open File " + (dir.path() / "none.lis").string());

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
