// Random records written through the stream and read back keep every stored
// field.
#include "model/tabsence.h"
#include "model/tpair.h"
#include "model/tpilot.h"
#include "storage/objstream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tl {
namespace {

class RandomFields {
public:
    explicit RandomFields(uint32_t seed) : m_engine(seed) {}

    int32_t Word()
    {
        // Mostly small values, sometimes the extremes.
        switch (Below(8)) {
        case 0:
            return std::numeric_limits<int32_t>::min();
        case 1:
            return std::numeric_limits<int32_t>::max();
        case 2:
            return static_cast<int32_t>(m_engine());
        default:
            return Between(-3000, 3000);
        }
    }
    int8_t Byte() { return static_cast<int8_t>(Between(-128, 127)); }
    bool Bool() { return Below(2) == 1; }
    int32_t Between(int32_t low, int32_t high)
    {
        return std::uniform_int_distribution<int32_t>(low, high)(m_engine);
    }
    uint32_t Below(uint32_t count)
    {
        return std::uniform_int_distribution<uint32_t>(0, count - 1)(m_engine);
    }
    // Texts hold no zero byte: reading cuts a text there.
    std::string Text()
    {
        std::string text(Below(24), ' ');
        for (char& c : text)
            c = static_cast<char>(Between(1, 255));
        return text;
    }

private:
    std::mt19937 m_engine;
};

TPair RandomPair(RandomFields& r)
{
    TPair pair;
    pair.OnTime = r.Word();
    pair.OffTime = r.Word();
    pair.Credit = r.Word();
    pair.Length = r.Byte();
    pair.Tafb = r.Word();
    pair.PairNumber = r.Word();
    pair.Valid = r.Bool();
    for (size_t d = 0; d < TPair::kDays; ++d) {
        pair.OpsCount[d] = r.Between(-2, 2);
        pair.ExcludedCredit[d] = r.Word();
        pair.DayOpsType[d] = r.Word();
        pair.DayStart[d] = r.Word();
        pair.DayDuty[d] = r.Word();
        pair.DayHard[d] = r.Word();
        pair.DayCredit[d] = r.Word();
    }
    pair.FatigueUnits = r.Word();
    pair.MinRest = r.Word();
    pair.PairText = r.Text();
    pair.Note = r.Text();
    pair.Layovers = r.Text();
    pair.PairKey = r.Text();
    pair.PairType = r.Text();
    pair.Date = r.Word();
    return pair;
}

TPilot RandomPilot(RandomFields& r)
{
    TPilot pilot;
    pilot.Name = r.Text();
    pilot.Phone1 = r.Text();
    pilot.Phone2 = r.Text();
    pilot.InfoText3 = r.Text();
    pilot.FilterText = r.Text();
    pilot.BidText = r.Text();
    pilot.Quals = r.Text();
    pilot.Notes = r.Text();
    pilot.EmpNumber = r.Word();
    pilot.SpareWord = r.Word();
    for (size_t s = 0; s < TPilot::kSlots; ++s) {
        pilot.DaySlot[s] = r.Word();
        pilot.DayFlag[s] = r.Byte();
        pilot.DayLocked[s] = r.Byte();
        pilot.DayCode[s] = r.Text();
        pilot.DayCode2[s] = r.Text();
        pilot.DayText[s] = r.Text();
        for (size_t i = 0; i < TPilot::kSlotValues; ++i) {
            pilot.DayOther[s][i] = r.Word();
            pilot.DayCarry[s][i] = r.Word();
        }
    }
    for (int32_t& value : pilot.CarryIn)
        value = r.Word();
    pilot.BidReserveOrLoa = r.Byte();
    pilot.CreditHours = r.Byte();
    pilot.CreditMinutes = r.Byte();
    pilot.DraftCredits = r.Word();
    pilot.SpareCredit = r.Word();
    pilot.MiscHours = r.Word();
    pilot.TimeBank = r.Word();
    pilot.TrainingCredit = r.Word();
    pilot.TrainingFlag = r.Bool();
    return pilot;
}

TAbsence RandomAbsence(RandomFields& r)
{
    TAbsence item;
    item.AbsText1 = r.Text();
    item.AbsText2 = r.Text();
    item.AbsText3 = r.Text();
    item.AbsValue1 = r.Word();
    item.AbsValue2 = r.Word();
    item.AbsValue3 = r.Word();
    item.AbsValue4 = r.Word();
    item.AbsFlag1 = r.Bool();
    item.AbsFlag2 = r.Bool();
    item.AbsFlag3 = r.Bool();
    item.AbsFlag4 = r.Bool();
    return item;
}

void ExpectStoredFieldsEqual(const TPair& read, const TPair& written)
{
    EXPECT_EQ(read.OnTime, written.OnTime);
    EXPECT_EQ(read.OffTime, written.OffTime);
    EXPECT_EQ(read.Credit, written.Credit);
    EXPECT_EQ(read.Length, written.Length);
    EXPECT_EQ(read.Tafb, written.Tafb);
    EXPECT_EQ(read.PairNumber, written.PairNumber);
    EXPECT_EQ(read.Valid, written.Valid);
    for (size_t d = 0; d < TPair::kDays; ++d) {
        EXPECT_EQ(read.OpsCount[d], std::abs(written.OpsCount[d])) << "day " << d;
        EXPECT_EQ(read.ExcludedCredit[d], written.ExcludedCredit[d]) << "day " << d;
        EXPECT_EQ(read.DayOpsType[d], written.DayOpsType[d]) << "day " << d;
        EXPECT_EQ(read.DayStart[d], written.DayStart[d]) << "day " << d;
        EXPECT_EQ(read.DayDuty[d], written.DayDuty[d]) << "day " << d;
        EXPECT_EQ(read.DayHard[d], written.DayHard[d]) << "day " << d;
        EXPECT_EQ(read.DayCredit[d], written.DayCredit[d]) << "day " << d;
    }
    EXPECT_EQ(read.FatigueUnits, written.FatigueUnits);
    EXPECT_EQ(read.MinRest, written.MinRest);
    EXPECT_EQ(read.PairText, written.PairText);
    EXPECT_EQ(read.Note, written.Note);
    EXPECT_EQ(read.Layovers, written.Layovers);
    EXPECT_EQ(read.PairKey, written.PairKey);
    EXPECT_EQ(read.PairType, written.PairType);
    EXPECT_EQ(read.Date, written.Date);
}

void ExpectStoredFieldsEqual(const TPilot& read, const TPilot& written)
{
    EXPECT_EQ(read.Name, written.Name);
    EXPECT_EQ(read.Phone1, written.Phone1);
    EXPECT_EQ(read.Phone2, written.Phone2);
    EXPECT_EQ(read.InfoText3, written.InfoText3);
    EXPECT_EQ(read.FilterText, written.FilterText);
    EXPECT_EQ(read.BidText, written.BidText);
    EXPECT_EQ(read.Quals, written.Quals);
    EXPECT_EQ(read.Notes, written.Notes);
    EXPECT_EQ(read.EmpNumber, written.EmpNumber);
    EXPECT_EQ(read.SpareWord, written.SpareWord);
    EXPECT_EQ(read.DaySlot, written.DaySlot);
    EXPECT_EQ(read.DayFlag, written.DayFlag);
    EXPECT_EQ(read.DayLocked, written.DayLocked);
    EXPECT_EQ(read.DayCode, written.DayCode);
    EXPECT_EQ(read.DayCode2, written.DayCode2);
    EXPECT_EQ(read.DayText, written.DayText);
    EXPECT_EQ(read.DayOther, written.DayOther);
    EXPECT_EQ(read.DayCarry, written.DayCarry);
    EXPECT_EQ(read.CarryIn, written.CarryIn);
    EXPECT_EQ(read.BidReserveOrLoa, written.BidReserveOrLoa);
    EXPECT_EQ(read.CreditHours, written.CreditHours);
    EXPECT_EQ(read.CreditMinutes, written.CreditMinutes);
    EXPECT_EQ(read.DraftCredits, written.DraftCredits);
    EXPECT_EQ(read.SpareCredit, written.SpareCredit);
    EXPECT_EQ(read.MiscHours, written.MiscHours);
    EXPECT_EQ(read.TimeBank, written.TimeBank);
    EXPECT_EQ(read.TrainingCredit, written.TrainingCredit);
    EXPECT_EQ(read.TrainingFlag, written.TrainingFlag);
}

class RecordRoundTripTest : public testing::TestWithParam<uint32_t> {};

TEST_P(RecordRoundTripTest, StoredFieldsSurvive)
{
    RandomFields r(GetParam());
    std::vector<TPair> pairs;
    for (int i = 0; i < 40; ++i)
        pairs.push_back(RandomPair(r));
    std::vector<std::unique_ptr<TPilot>> pilots;
    for (int i = 0; i < 4; ++i)
        pilots.push_back(std::make_unique<TPilot>(RandomPilot(r)));
    std::vector<TAbsence> items;
    for (int i = 0; i < 20; ++i)
        items.push_back(RandomAbsence(r));

    ObjectWriter out;
    for (const TPair& pair : pairs)
        out.WriteObject(pair);
    for (const auto& pilot : pilots)
        out.WriteObject(*pilot);
    for (const TAbsence& item : items)
        item.Write(out);

    ObjectReader in(out.Data());
    for (const TPair& written : pairs) {
        TPair read;
        ASSERT_TRUE(in.ReadObject(read));
        ExpectStoredFieldsEqual(read, written);
    }
    for (const auto& written : pilots) {
        auto read = std::make_unique<TPilot>();
        ASSERT_TRUE(in.ReadObject(*read));
        ExpectStoredFieldsEqual(*read, *written);
    }
    for (const TAbsence& written : items) {
        TAbsence read;
        read.Read(in);
        EXPECT_EQ(read, written);
    }
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(in.Remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RecordRoundTripTest, testing::Values(1u, 2u, 3u, 20240601u));

} // namespace
} // namespace tl
