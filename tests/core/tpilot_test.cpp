#include "model/tpilot.h"

#include "model/tabsence.h"
#include "storage/objstream.h"
#include "support/stream_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tl {
namespace {

using test::StreamBytes;

TEST(TPilotTest, ResetRecord)
{
    TPilot pilot;
    pilot.Name = "SMITH";
    pilot.DaySlot[5] = 12;
    pilot.DayCode[3] = "VAC";
    pilot.DayOther[61][9] = 4;
    pilot.CarryIn[19] = 8;
    pilot.LegalityValid = 0;
    pilot.Option2 = 0;
    pilot.SpareWord = 42;
    pilot.BeyondBlockHolders = 1;
    pilot.Reset();

    for (size_t s = 0; s < TPilot::kSlots; ++s) {
        EXPECT_EQ(pilot.DaySlot[s], -1);
        EXPECT_EQ(pilot.DayCode[s], "");
        for (size_t i = 0; i < TPilot::kSlotValues; ++i) {
            EXPECT_EQ(pilot.DayOther[s][i], 0);
            EXPECT_EQ(pilot.DayCarry[s][i], 0);
        }
    }
    EXPECT_EQ(pilot.Name, "");
    EXPECT_EQ(pilot.CarryIn[19], 0);
    EXPECT_EQ(pilot.LegalityValid, 1);
    EXPECT_EQ(pilot.Option2, 1);
    // Not touched by a reset.
    EXPECT_EQ(pilot.SpareWord, 42);
    EXPECT_EQ(pilot.BeyondBlockHolders, 1);
}

TEST(TPilotTest, CopyCarriesDerivedResultsButNotWarnings)
{
    TPilot pilot;
    pilot.AllMonthLeave = 1;
    pilot.Illegalities = "illegal";
    pilot.DayIllegal[4] = 1;
    pilot.Warnings = "warned";
    TPilot copy;
    copy.Warnings = "own";
    copy = pilot;
    EXPECT_EQ(copy.AllMonthLeave, 1);
    EXPECT_EQ(copy.Illegalities, "illegal");
    EXPECT_EQ(copy.DayIllegal[4], 1);
    EXPECT_EQ(copy.Warnings, "own");
}

struct LeaveCase {
    const char* name;
    int daysInMonth;
    std::vector<std::string> codes; // one per day from day 0; the rest empty
    bool allLeave;
};

std::vector<std::string> Repeat(const std::string& code, int count,
                                std::vector<std::string> tail = {})
{
    std::vector<std::string> codes(static_cast<size_t>(count), code);
    codes.insert(codes.end(), tail.begin(), tail.end());
    return codes;
}

class AllMonthLeaveTest : public testing::TestWithParam<LeaveCase> {};

TEST_P(AllMonthLeaveTest, EveryDayOfTheMonthHoldsLeave)
{
    TPilot pilot;
    pilot.AllMonthLeave = GetParam().allLeave ? 0 : 1;
    for (size_t d = 0; d < GetParam().codes.size(); ++d)
        pilot.DayCode[d] = GetParam().codes[d];
    EXPECT_EQ(pilot.IsAllMonthLeave(GetParam().daysInMonth), GetParam().allLeave);
    EXPECT_EQ(pilot.AllMonthLeave, GetParam().allLeave ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Months, AllMonthLeaveTest,
    testing::Values(
        LeaveCase{"ThirtyOneMixed", 31, Repeat("LOA", 30, {"MED"}), true},
        LeaveCase{"ThirtyOneWithAnEmptyDay", 31, Repeat("LOA", 30), false},
        LeaveCase{"ThirtyIgnoresSlot30", 30, Repeat("LTD", 30), true},
        LeaveCase{"ThirtyWithVacation", 30, Repeat("PSD", 29, {"VAC"}), false},
        LeaveCase{"EveryLeaveCode", 28,
                  Repeat("LOA", 20, {"PSD", "UTF", "MAT", "MED", "WCB", "LTD", "PWC", "MOD"}),
                  true},
        LeaveCase{"LowerCaseIsNotLeave", 28, Repeat("LOA", 27, {"loa"}), false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(TPilotTest, AnyOtherFlaggedLooksAtTheMonthOnly)
{
    TPilot pilot;
    EXPECT_FALSE(pilot.AnyOtherFlagged(31));
    pilot.DayOther[30][4] = 1;
    EXPECT_FALSE(pilot.AnyOtherFlagged(30));
    EXPECT_TRUE(pilot.AnyOtherFlagged(31));
    pilot.DayOther[30][4] = 0;
    pilot.DayOther[0][3] = 1;
    EXPECT_FALSE(pilot.AnyOtherFlagged(31));
}

// A crew member body laid out by hand for class version `version`.
StreamBytes PilotBody(int version)
{
    StreamBytes b;
    b.Text32("SMITH J").Text32("555-1234").Text32("").Text32("info");
    b.U32(123456789).U32(17);
    for (uint32_t s = 0; s < 62; ++s) {
        b.I32(s == 3 ? 7 : (s == 4 ? -2 : -1)).U8(s == 5 ? 2 : 0).U8(s == 3 ? 1 : 0);
        b.Text32(s == 4 ? "VAC" : "").Text32("").Text32(s == 61 ? "last" : "");
        for (uint32_t i = 0; i < 10; ++i)
            b.U32(s == 0 && i == 4 ? 300 : 0).U32(s == 4 ? 100 + i : 0);
    }
    b.Text32("filter").Text32("bid").Text32("FRIT");
    const uint32_t carryIn = version >= 2 ? 20 : 10;
    for (uint32_t i = 0; i < carryIn; ++i)
        b.U32(1000 + i);
    b.U8(1).U8(75).U8(30);
    b.U32(60).U32(61).U32(62);
    if (version >= 2)
        b.U32(90).U32(120).U32(1);
    if (version >= 3)
        b.Text32("notes");
    return b;
}

class TPilotVersionTest : public testing::TestWithParam<int> {};

TEST_P(TPilotVersionTest, ReadsEveryClassVersion)
{
    const int version = GetParam();
    StreamBytes bytes;
    bytes.Header().Framed("TPilot", static_cast<uint32_t>(version), PilotBody(version));
    ObjectReader in(bytes.Span());
    TPilot pilot;
    ASSERT_TRUE(in.ReadObject(pilot));
    EXPECT_EQ(in.Remaining(), 0u);

    EXPECT_EQ(pilot.Name, "SMITH J");
    EXPECT_EQ(pilot.InfoText3, "info");
    EXPECT_EQ(pilot.EmpNumber, 123456789);
    EXPECT_EQ(pilot.SpareWord, 17);
    EXPECT_EQ(pilot.DaySlot[3], 7);
    EXPECT_EQ(pilot.DaySlot[4], -2);
    EXPECT_EQ(pilot.DaySlot[5], -1);
    EXPECT_EQ(pilot.DayFlag[5], 2);
    EXPECT_EQ(pilot.DayLocked[3], 1);
    EXPECT_EQ(pilot.DayCode[4], "VAC");
    EXPECT_EQ(pilot.DayText[61], "last");
    EXPECT_EQ(pilot.DayCarry[0][4], 300);
    EXPECT_EQ(pilot.DayOther[4][9], 109);
    EXPECT_EQ(pilot.Quals, "FRIT");
    EXPECT_EQ(pilot.CarryIn[9], 1009);
    EXPECT_EQ(pilot.CarryIn[10], version >= 2 ? 1010 : 0);
    EXPECT_EQ(pilot.CarryIn[19], version >= 2 ? 1019 : 0);
    EXPECT_EQ(pilot.BidReserveOrLoa, 1);
    EXPECT_EQ(pilot.CreditHours, 75);
    EXPECT_EQ(pilot.CreditMinutes, 30);
    EXPECT_EQ(pilot.DraftCredits, 60);
    EXPECT_EQ(pilot.SpareCredit, 61);
    EXPECT_EQ(pilot.MiscHours, 62);
    EXPECT_EQ(pilot.TimeBank, version >= 2 ? 90 : 0);
    EXPECT_EQ(pilot.TrainingCredit, version >= 2 ? 120 : 0);
    EXPECT_EQ(pilot.TrainingFlag, version >= 2);
    EXPECT_EQ(pilot.Notes, version >= 3 ? "notes" : "");
}

INSTANTIATE_TEST_SUITE_P(Versions, TPilotVersionTest, testing::Range(1, 4));

TEST(TPilotStreamTest, WritesTheDocumentedLayout)
{
    StreamBytes expected;
    expected.Header().Framed("TPilot", 3, PilotBody(3));
    ObjectReader in(expected.Span());
    TPilot pilot;
    ASSERT_TRUE(in.ReadObject(pilot));
    ObjectWriter out;
    out.WriteObject(pilot);
    EXPECT_EQ(out.Data(), expected.Bytes());
}

TEST(TAbsenceTest, ResetSetsOnlyTheLastTwoFlags)
{
    TAbsence item;
    item.AbsText1 = "VAC";
    item.AbsValue3 = 240;
    item.AbsFlag1 = true;
    item.AbsFlag4 = false;
    item.Reset();
    EXPECT_EQ(item.AbsText1, "");
    EXPECT_EQ(item.AbsValue3, 0);
    EXPECT_FALSE(item.AbsFlag1);
    EXPECT_FALSE(item.AbsFlag2);
    EXPECT_TRUE(item.AbsFlag3);
    EXPECT_TRUE(item.AbsFlag4);
}

TEST(TAbsenceTest, StreamsWithoutFramingAndBoolsAsWords)
{
    StreamBytes bytes;
    bytes.Header().Text32("VAC").Text32("VA").Text32("Vacation").U32(0).U32(1439).U32(240).U32(480);
    bytes.U32(1).U32(0).U32(7).U32(0);
    ObjectReader in(bytes.Span());
    TAbsence item;
    item.Read(in);
    ASSERT_FALSE(in.Failed());
    EXPECT_EQ(item.AbsText3, "Vacation");
    EXPECT_EQ(item.AbsValue2, 1439);
    EXPECT_EQ(item.AbsValue4, 480);
    EXPECT_TRUE(item.AbsFlag1);
    EXPECT_FALSE(item.AbsFlag2);
    EXPECT_TRUE(item.AbsFlag3); // any word but 0
    EXPECT_FALSE(item.AbsFlag4);

    ObjectWriter out;
    item.Write(out);
    bytes = StreamBytes();
    bytes.Header().Text32("VAC").Text32("VA").Text32("Vacation").U32(0).U32(1439).U32(240).U32(480);
    bytes.U32(1).U32(0).U32(1).U32(0);
    EXPECT_EQ(out.Data(), bytes.Bytes());
}

} // namespace
} // namespace tl
