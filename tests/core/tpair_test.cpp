#include "model/tpair.h"

#include "storage/objstream.h"
#include "support/stream_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

// A last duty ending before 02:00 is no day worked; only a short single duty
// past midnight crosses it, and the flag once set is never cleared.
TEST(TPairValidateTest, DaysWorkedAndCrossingMidnight)
{
    const struct {
        int length, onTime, offTime, tafb, daysWorked;
        bool crosses;
    } cases[] = {
        {2, 600, 119, 600, 1, false}, {2, 600, 120, 600, 2, true},  {1, 600, 90, 600, 1, false},
        {2, 600, 0, 600, 1, false},   {4, 600, 1439, 600, 4, false},
        {1, 1320, 180, 300, 1, true},  // 22:00 to 03:00
        {1, 1320, 119, 219, 1, false}, // released 01:59
        {1, 1320, 120, 240, 1, true},  {1, 1320, 180, 900, 1, false}, // 15:00 away
        {1, 1320, 180, 899, 1, true},
        {1, 1320, 0, 120, 1, false}, // 0 is looked at before it becomes 1440
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " days to " << c.offTime);
        TPair pair = OneDayPairing();
        pair.Length = static_cast<int8_t>(c.length);
        pair.OnTime = c.onTime;
        pair.OffTime = c.offTime;
        pair.Tafb = c.tafb;
        EXPECT_TRUE(pair.Validate(31));
        EXPECT_EQ(pair.DaysWorked, c.daysWorked);
        EXPECT_EQ(pair.CrossesMidnight, c.crosses);
        EXPECT_EQ(pair.OffTime, c.offTime == 0 ? 1440 : c.offTime);
        pair.CrossesMidnight = true;
        pair.Validate(31);
        EXPECT_TRUE(pair.CrossesMidnight);
    }
}

TEST(TPairValidateTest, AppendsEveryFailureInOrder)
{
    const struct {
        const char* name;
        std::function<void(TPair&)> change;
        int daysInMonth;
        std::string errorText;
    } cases[] = {
        {"Valid", [](TPair&) {}, 31, ""},
        {"OnTime1440", [](TPair& p) { p.OnTime = 1440; }, 31, ""},
        {"OnTime1441", [](TPair& p) { p.OnTime = 1441; }, 31,
         "Duty Start Time < 00:01 or > 24:00. "},
        {"CreditNotAddingUp", [](TPair& p) { p.Credit = 301; }, 31,
         "Credit for each Day does not add up to Total Credit\n"},
        {"CreditOfLaterDaysNotCounted", [](TPair& p) { p.DayCredit[1] = 60; }, 31, ""},
        {"LengthZeroLooksAtNoDay",
         [](TPair& p) { p.Length = 0; p.Credit = 0; p.DayCredit[0] = -5; p.DayStart[0] = 5000; },
         31, "Pairing Length < 1 day or > 31 days. "},
        {"Length32", [](TPair& p) { p.Length = 32; }, 31, "Pairing Length < 1 day or > 31 days. "},
        {"OperatesOnlyAfterTheMonth", [](TPair& p) { p.OpsCount[0] = 0; p.OpsCount[30] = 1; }, 30,
         "Never Operates "},
        {"OpenCopyOperates", [](TPair& p) { p.OpsCount[0] = 0; p.OpsCount[30] = -1; }, 31, ""},
        {"StartTime1440", [](TPair& p) { p.DayStart[0] = 1440; }, 31,
         "Daily Start Time < 00:00 or > 23:59 on Day 1. "},
        {"EveryCheckInOrder",
         [](TPair& p) {
             p.Length = 2; p.Credit = 999; p.OnTime = 1441; p.OpsCount[0] = 0;
             p.DayCredit[0] = -1; p.DayHard[0] = -1; p.DayStart[1] = -1; p.DayDuty[1] = -1;
         },
         31,
         "Credit for each Day does not add up to Total Credit\n"
         "Duty Start Time < 00:01 or > 24:00. "
         "Never Operates "
         "Daily Credit < 00:00 on Day 1. "
         "Daily HardTime < 00:00 on Day 1. "
         "Daily Start Time < 00:00 or > 23:59 on Day 2. "
         "Daily Duty Time < 00:00 on Day 2. "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPair pair = OneDayPairing();
        pair.ErrorText = "from last time";
        c.change(pair);
        EXPECT_EQ(pair.Validate(c.daysInMonth), c.errorText.empty());
        EXPECT_EQ(pair.ErrorText, c.errorText);
        EXPECT_EQ(pair.Valid, c.errorText.empty());
    }
}

TEST(TPairTest, CreditClassFollowsCreditPerDay)
{
    const struct {
        int credit, daysWorked;
        bool crossesMidnight;
        int creditClass;
    } cases[] = {
        {897, 3, false, 0},  {900, 3, false, 1}, {1079, 3, false, 1}, {1080, 3, false, 2},
        {1259, 3, false, 2}, {1260, 3, false, 3},
        {450, 2, true, 3}, // one duty: all the credit
        {900, 0, false, 0},  {-600, 1, false, 0},
    };
    for (const auto& c : cases) {
        TPair pair;
        pair.Credit = c.credit;
        pair.DaysWorked = static_cast<int8_t>(c.daysWorked);
        pair.CrossesMidnight = c.crossesMidnight;
        pair.UpdateCreditClass();
        EXPECT_EQ(pair.CreditClass, c.creditClass) << c.credit << " over " << c.daysWorked;
    }
}

// A pairing body laid out by hand, field by field, for class version
// `version`. Sections of later versions up to `written` hold what a record
// read from the older version keeps there.
StreamBytes PairBody(int version, int written)
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
    if (written >= 2)
        for (uint32_t d = 0; d < 31; ++d)
            b.U32(version >= 2 && d == 7 ? 60 : 0);
    if (written >= 3)
        b.U32(version >= 3 ? 600 : 660);
    if (written >= 4)
        b.Text32(version >= 4 ? "NOTE" : "");
    if (written >= 5)
        for (uint32_t d = 0; d < 31; ++d)
            b.U32(version >= 5 && d == 14 ? 3 : 0);
    return b;
}

TEST(TPairStreamTest, ReadsEveryClassVersionAndWritesTheCurrentOne)
{
    for (int version = 1; version <= 5; ++version) {
        SCOPED_TRACE(version);
        StreamBytes bytes;
        const auto v = static_cast<uint32_t>(version);
        bytes.Header().U8(2).Framed("TPair", v, PairBody(version, version));
        ObjectReader in(bytes.Span());
        auto object = in.ReadPointer();
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(in.Remaining(), 0u);
        const auto& pair = dynamic_cast<const TPair&>(*object);
        // The write-back below checks every field; these anchor the order.
        EXPECT_EQ(pair.Tafb, 2340);
        EXPECT_EQ(pair.DayStart[2], 422);
        EXPECT_EQ(pair.MinRest, version >= 3 ? 600 : 660);

        ObjectWriter out;
        out.WriteObject(pair);
        StreamBytes expected;
        expected.Header().Framed("TPair", 5, PairBody(version, 5));
        EXPECT_EQ(out.Data(), expected.Bytes());
    }
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
