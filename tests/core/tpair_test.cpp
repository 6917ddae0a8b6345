#include "model/tpair.h"

#include "storage/objstream.h"
#include "support/stream_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tl {
namespace {

using test::StreamBytes;

// A valid one-day pairing operating on the first day of the month.
TPair OneDayPairing()
{
    TPair pair;
    pair.Length = 1;
    pair.OnTime = 600;
    pair.OffTime = 1200;
    pair.Tafb = 600;
    pair.Credit = 300;
    pair.DayCredit[0] = 300;
    pair.DayStart[0] = 600;
    pair.DayDuty[0] = 600;
    pair.DayHard[0] = 240;
    pair.OpsCount[0] = 1;
    return pair;
}

struct DaysWorkedCase {
    int length;
    int offTime;
    int daysWorked;
};

class DaysWorkedTest : public testing::TestWithParam<DaysWorkedCase> {};

TEST_P(DaysWorkedTest, LastDutyEndingBefore0200DoesNotCount)
{
    TPair pair = OneDayPairing();
    pair.Length = static_cast<int8_t>(GetParam().length);
    pair.OffTime = GetParam().offTime;
    pair.Validate(31);
    EXPECT_EQ(pair.DaysWorked, GetParam().daysWorked);
}

INSTANTIATE_TEST_SUITE_P(Release, DaysWorkedTest,
                         testing::Values(DaysWorkedCase{2, 90, 1}, DaysWorkedCase{2, 119, 1},
                                         DaysWorkedCase{2, 120, 2}, DaysWorkedCase{1, 90, 1},
                                         DaysWorkedCase{2, 0, 1}, DaysWorkedCase{4, 1439, 4}));

struct MidnightCase {
    int onTime;
    int offTime;
    int tafb;
    bool crosses;
};

class CrossesMidnightTest : public testing::TestWithParam<MidnightCase> {};

TEST_P(CrossesMidnightTest, OnlyAShortSingleDutyPastMidnight)
{
    TPair pair = OneDayPairing();
    pair.OnTime = GetParam().onTime;
    pair.OffTime = GetParam().offTime;
    pair.Tafb = GetParam().tafb;
    pair.Validate(31);
    EXPECT_EQ(pair.CrossesMidnight, GetParam().crosses);
}

INSTANTIATE_TEST_SUITE_P(Times, CrossesMidnightTest,
                         testing::Values(MidnightCase{1320, 180, 300, true},  // 22:00 to 03:00
                                         MidnightCase{1320, 119, 219, false}, // released 01:59
                                         MidnightCase{1320, 120, 240, true},
                                         MidnightCase{1320, 180, 900, false}, // 15:00 away
                                         MidnightCase{1320, 180, 899, true},
                                         MidnightCase{600, 1200, 600, false},
                                         // 0 is looked at before it becomes 1440
                                         MidnightCase{1320, 0, 120, false}));

TEST(TPairValidateTest, CrossesMidnightIsNeverCleared)
{
    TPair pair = OneDayPairing();
    pair.CrossesMidnight = true;
    pair.Validate(31);
    EXPECT_TRUE(pair.CrossesMidnight);
}

struct ValidateCase {
    const char* name;
    std::function<void(TPair&)> change;
    int daysInMonth;
    std::string errorText;
};

class ValidateMessagesTest : public testing::TestWithParam<ValidateCase> {};

TEST_P(ValidateMessagesTest, AppendsEveryFailureInOrder)
{
    TPair pair = OneDayPairing();
    pair.ErrorText = "from last time";
    GetParam().change(pair);
    EXPECT_EQ(pair.Validate(GetParam().daysInMonth), GetParam().errorText.empty());
    EXPECT_EQ(pair.ErrorText, GetParam().errorText);
    EXPECT_EQ(pair.Valid, GetParam().errorText.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ValidateMessagesTest,
    testing::Values(
        ValidateCase{"Valid", [](TPair&) {}, 31, ""},
        ValidateCase{"OnTime1440", [](TPair& p) { p.OnTime = 1440; }, 31, ""},
        ValidateCase{"OnTime1441", [](TPair& p) { p.OnTime = 1441; }, 31,
                     "Duty Start Time < 00:01 or > 24:00. "},
        ValidateCase{"OnTimeNegative", [](TPair& p) { p.OnTime = -1; }, 31,
                     "Duty Start Time < 00:01 or > 24:00. "},
        ValidateCase{"CreditNotAddingUp", [](TPair& p) { p.Credit = 301; }, 31,
                     "Credit for each Day does not add up to Total Credit\n"},
        ValidateCase{"CreditOfLaterDaysNotCounted", [](TPair& p) { p.DayCredit[1] = 60; }, 31, ""},
        ValidateCase{"LengthZeroLooksAtNoDay",
                     [](TPair& p) {
                         p.Length = 0;
                         p.Credit = 0;
                         p.DayCredit[0] = -5;
                         p.DayStart[0] = 5000;
                     },
                     31, "Pairing Length < 1 day or > 31 days. "},
        ValidateCase{"LengthZeroWithCredit", [](TPair& p) { p.Length = 0; }, 31,
                     "Credit for each Day does not add up to Total Credit\n"
                     "Pairing Length < 1 day or > 31 days. "},
        ValidateCase{"Length32", [](TPair& p) { p.Length = 32; }, 31,
                     "Pairing Length < 1 day or > 31 days. "},
        ValidateCase{"NeverOperates", [](TPair& p) { p.OpsCount[0] = 0; }, 31, "Never Operates "},
        ValidateCase{"OperatesOnlyAfterTheMonth",
                     [](TPair& p) {
                         p.OpsCount[0] = 0;
                         p.OpsCount[30] = 1;
                     },
                     30, "Never Operates "},
        ValidateCase{"OpenCopyOperates",
                     [](TPair& p) {
                         p.OpsCount[0] = 0;
                         p.OpsCount[30] = -1;
                     },
                     31, ""},
        ValidateCase{"StartTime1439", [](TPair& p) { p.DayStart[0] = 1439; }, 31, ""},
        ValidateCase{"StartTime1440", [](TPair& p) { p.DayStart[0] = 1440; }, 31,
                     "Daily Start Time < 00:00 or > 23:59 on Day 1. "},
        ValidateCase{"EveryCheckInOrder",
                     [](TPair& p) {
                         p.Length = 2;
                         p.Credit = 999;
                         p.OnTime = 1441;
                         p.OpsCount[0] = 0;
                         p.DayCredit[0] = -1;
                         p.DayHard[0] = -1;
                         p.DayStart[1] = -1;
                         p.DayDuty[1] = -1;
                     },
                     31,
                     "Credit for each Day does not add up to Total Credit\n"
                     "Duty Start Time < 00:01 or > 24:00. "
                     "Never Operates "
                     "Daily Credit < 00:00 on Day 1. "
                     "Daily HardTime < 00:00 on Day 1. "
                     "Daily Start Time < 00:00 or > 23:59 on Day 2. "
                     "Daily Duty Time < 00:00 on Day 2. "}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(TPairValidateTest, OffTimeZeroBecomes1440WithoutFailing)
{
    TPair pair = OneDayPairing();
    pair.OffTime = 0;
    EXPECT_TRUE(pair.Validate(31));
    EXPECT_EQ(pair.OffTime, 1440);
}

TEST(TPairValidateTest, UsaSegmentsAnywhereInTheText)
{
    TPair pair = OneDayPairing();
    pair.PairText = "LINE 1\nINCLUDES USA SEGMENTS\n";
    pair.Validate(31);
    EXPECT_TRUE(pair.HasUsaSegments);
    pair.PairText = "USA SEGMENT";
    pair.Validate(31);
    EXPECT_FALSE(pair.HasUsaSegments);
}

struct CreditClassCase {
    int credit;
    int daysWorked;
    bool crossesMidnight;
    int creditClass;
};

class CreditClassTest : public testing::TestWithParam<CreditClassCase> {};

TEST_P(CreditClassTest, FollowsCreditPerDay)
{
    TPair pair;
    pair.Credit = GetParam().credit;
    pair.DaysWorked = static_cast<int8_t>(GetParam().daysWorked);
    pair.CrossesMidnight = GetParam().crossesMidnight;
    pair.CreditClass = 9;
    pair.UpdateCreditClass();
    EXPECT_EQ(pair.CreditClass, GetParam().creditClass);
}

INSTANTIATE_TEST_SUITE_P(Bounds, CreditClassTest,
                         testing::Values(CreditClassCase{1050, 3, false, 1}, // 5:50 a day
                                         CreditClassCase{1260, 3, false, 3}, // 7:00 a day
                                         CreditClassCase{450, 2, true, 3},   // one duty: all credit
                                         CreditClassCase{897, 3, false, 0},
                                         CreditClassCase{900, 3, false, 1},
                                         CreditClassCase{1079, 3, false, 1},
                                         CreditClassCase{1080, 3, false, 2},
                                         CreditClassCase{1259, 3, false, 2},
                                         CreditClassCase{420, 1, false, 3},
                                         CreditClassCase{900, 0, false, 0}, // no day worked
                                         CreditClassCase{-600, 1, false, 0}));

TEST(CreditClassTest, Names)
{
    EXPECT_STREQ(CreditClassName(0), "Low Credit Pairings");
    EXPECT_STREQ(CreditClassName(1), "Medium Credit Pairings");
    EXPECT_STREQ(CreditClassName(2), "High Credit Pairings");
    EXPECT_STREQ(CreditClassName(3), "Very High Credit Pairings");
    EXPECT_STREQ(CreditClassName(4), "");
}

TEST(TPairTest, ResetKeepsLabelCreditClassAndDate)
{
    TPair pair = OneDayPairing();
    pair.Label = "label";
    pair.CreditClass = 2;
    pair.Date = 2451545;
    pair.MinRest = 700;
    pair.Mark = 2;
    pair.Valid = true;
    pair.PairText = "text";
    pair.ErrorText = "error";
    pair.ExcludedCredit[3] = 60;
    pair.DayOpsType[4] = 2;
    pair.Reset();
    EXPECT_EQ(pair.Label, "label");
    EXPECT_EQ(pair.CreditClass, 2);
    EXPECT_EQ(pair.Date, 2451545);
    EXPECT_EQ(pair.MinRest, 660);
    EXPECT_EQ(pair.Length, 0);
    EXPECT_EQ(pair.OnTime, 0);
    EXPECT_EQ(pair.Mark, 0);
    EXPECT_FALSE(pair.Valid);
    EXPECT_EQ(pair.PairText, "");
    EXPECT_EQ(pair.ErrorText, "");
    EXPECT_EQ(pair.OpsCount[0], 0);
    EXPECT_EQ(pair.DayCredit[0], 0);
    EXPECT_EQ(pair.ExcludedCredit[3], 0);
    EXPECT_EQ(pair.DayOpsType[4], 0);
}

// A pairing body laid out by hand, field by field, for class version
// `version`; MakeBodyPair() holds the same values.
StreamBytes PairBody(int version)
{
    StreamBytes b;
    b.U32(600).U32(1500).U32(1260).U8(3).U32(2340).U32(1234).U32(1);
    for (uint32_t d = 0; d < 31; ++d)
        b.U32(d % 7 == 0 ? 2 : 0);
    for (uint32_t k = 0; k < 31; ++k) {
        if (k < 3)
            b.U32(420 + k).U32(600).U32(420).U32(300);
        else
            b.U32(0).U32(0).U32(0).U32(0);
    }
    b.Text32("PAIR 1234\nYYZ-YUL").Text32("YULYVR").U32(15).Text32("KEY");
    b.U32(2451545).Text32("REG");
    if (version >= 2)
        for (uint32_t d = 0; d < 31; ++d)
            b.U32(d == 7 ? 60 : 0);
    if (version >= 3)
        b.U32(600);
    if (version >= 4)
        b.Text32("NOTE");
    if (version >= 5)
        for (uint32_t d = 0; d < 31; ++d)
            b.U32(d == 14 ? 3 : 0);
    return b;
}

TPair MakeBodyPair()
{
    TPair pair;
    pair.OnTime = 600;
    pair.OffTime = 1500;
    pair.Credit = 1260;
    pair.Length = 3;
    pair.Tafb = 2340;
    pair.PairNumber = 1234;
    pair.Valid = true;
    for (size_t d = 0; d < 31; ++d)
        pair.OpsCount[d] = d % 7 == 0 ? -2 : 0; // a copy's held days, stored positive
    for (size_t k = 0; k < 3; ++k) {
        pair.DayStart[k] = 420 + static_cast<int32_t>(k);
        pair.DayDuty[k] = 600;
        pair.DayCredit[k] = 420;
        pair.DayHard[k] = 300;
    }
    pair.PairText = "PAIR 1234\nYYZ-YUL";
    pair.Layovers = "YULYVR";
    pair.FatigueUnits = 15;
    pair.PairKey = "KEY";
    pair.Date = 2451545;
    pair.PairType = "REG";
    pair.ExcludedCredit[7] = 60;
    pair.MinRest = 600;
    pair.Note = "NOTE";
    pair.DayOpsType[14] = 3;
    // Never stored.
    pair.Label = "label";
    pair.ErrorText = "error";
    pair.Mark = 1;
    pair.CreditClass = 3;
    return pair;
}

TEST(TPairStreamTest, WritesTheDocumentedLayout)
{
    ObjectWriter out;
    out.WriteObject(MakeBodyPair());

    const std::vector<uint8_t> prefix = {
        0x3A, 0x01, 0x01, 0x00, 0x00,       // stream header
        0x5B, 0x05, 0x00, 0x00, 0x00,       // '[', name length
        'T',  'P',  'a',  'i',  'r',        // class name
        0x05, 0x00, 0x00, 0x00, 0x58, 0x02, // class version, OnTime 600 begins
    };
    ASSERT_GE(out.Data().size(), prefix.size());
    EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), out.Data().begin()));

    StreamBytes expected;
    expected.Header().Framed("TPair", 5, PairBody(5));
    EXPECT_EQ(out.Data(), expected.Bytes());
}

class TPairVersionTest : public testing::TestWithParam<int> {};

TEST_P(TPairVersionTest, ReadsEveryClassVersion)
{
    const int version = GetParam();
    StreamBytes bytes;
    bytes.Header().U8(2).Framed("TPair", static_cast<uint32_t>(version), PairBody(version));
    ObjectReader in(bytes.Span());
    auto object = in.ReadPointer();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(in.Remaining(), 0u);
    const auto& pair = dynamic_cast<const TPair&>(*object);

    EXPECT_EQ(pair.OnTime, 600);
    EXPECT_EQ(pair.OffTime, 1500);
    EXPECT_EQ(pair.Length, 3);
    EXPECT_EQ(pair.PairNumber, 1234);
    EXPECT_TRUE(pair.Valid);
    EXPECT_EQ(pair.OpsCount[7], 2);
    EXPECT_EQ(pair.DayStart[2], 422);
    EXPECT_EQ(pair.DayHard[2], 300);
    EXPECT_EQ(pair.PairType, "REG");
    EXPECT_EQ(pair.Date, 2451545);
    // Fields of later versions keep what the factory gave them.
    EXPECT_EQ(pair.ExcludedCredit[7], version >= 2 ? 60 : 0);
    EXPECT_EQ(pair.MinRest, version >= 3 ? 600 : 660);
    EXPECT_EQ(pair.Note, version >= 4 ? "NOTE" : "");
    EXPECT_EQ(pair.DayOpsType[14], version >= 5 ? 3 : 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, TPairVersionTest, testing::Range(1, 6));

TEST(TPairStreamTest, OlderVersionKeepsTheFieldsItLacks)
{
    StreamBytes bytes;
    bytes.Header().Framed("TPair", 1, PairBody(1));
    ObjectReader in(bytes.Span());
    TPair pair;
    pair.ExcludedCredit[0] = 77;
    pair.MinRest = 123;
    pair.Note = "before";
    pair.DayOpsType[0] = 4;
    ASSERT_TRUE(in.ReadObject(pair));
    EXPECT_EQ(pair.ExcludedCredit[0], 77);
    EXPECT_EQ(pair.MinRest, 123);
    EXPECT_EQ(pair.Note, "before");
    EXPECT_EQ(pair.DayOpsType[0], 4);
}

TEST(TPairStreamTest, CutShortBodyKeepsWhatWasRead)
{
    StreamBytes bytes;
    bytes.Header().U8('[').Text32("TPair").U32(5).U32(600).U32(1500).U16(7);
    ObjectReader in(bytes.Span());
    TPair pair;
    pair.PairText = "kept";
    EXPECT_FALSE(in.ReadObject(pair));
    EXPECT_EQ(pair.OnTime, 600);
    EXPECT_EQ(pair.OffTime, 1500);
    EXPECT_EQ(pair.Credit, 0);
    EXPECT_EQ(pair.PairText, "kept");
}

} // namespace
} // namespace tl
