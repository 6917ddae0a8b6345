#include "model/tpilot.h"

#include "storage/objstream.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace tl {

TPilot::TPilot(const TPilot& other) : TStreamableBase(other), TPilotFields(other) {}

TPilot& TPilot::operator=(const TPilot& other)
{
    TPilotFields::operator=(other);
    return *this;
}

void TPilot::SetBlockCredit(int32_t minutes)
{
    BlockCreditMinutes = minutes;
    // One signed byte of hours: a longer month would read back negative.
    const int32_t held = std::clamp(minutes, -128 * 60 - 59, 127 * 60 + 59);
    CreditHours = static_cast<int8_t>(held / 60);
    CreditMinutes = static_cast<int8_t>(held % 60);
}

void TPilot::Reset()
{
    const int32_t spareWord = SpareWord;
    const int8_t beyondBlockHolders = BeyondBlockHolders;
    static_cast<TPilotFields&>(*this) = TPilotFields{};
    SpareWord = spareWord;
    BeyondBlockHolders = beyondBlockHolders;
}

namespace {

// Days of the month, kept inside the slots.
size_t MonthSlots(int daysInMonth)
{
    return static_cast<size_t>(std::clamp(daysInMonth, 0, TPilot::kSlots));
}

bool IsLeaveCode(std::string_view code)
{
    static constexpr std::string_view kLeaveCodes[] = {"LOA", "PSD", "UTF", "MAT", "MED",
                                                       "WCB", "LTD", "PWC", "MOD"};
    return std::find(std::begin(kLeaveCodes), std::end(kLeaveCodes), code) != std::end(kLeaveCodes);
}

} // namespace

bool TPilot::IsAllMonthLeave(int daysInMonth)
{
    const size_t days = MonthSlots(daysInMonth);
    // A month without days holds no leave.
    const auto month = std::span(DayCode).first(days);
    const bool allLeave =
        days > 0 && std::all_of(month.begin(), month.end(),
                                [](const std::string& code) { return IsLeaveCode(code); });
    AllMonthLeave = allLeave ? 1 : 0;
    return allLeave;
}

bool TPilot::AnyOtherFlagged(int daysInMonth) const
{
    const size_t days = MonthSlots(daysInMonth);
    const auto month = std::span(DayOther).first(days);
    return std::any_of(month.begin(), month.end(),
                       [](const SlotValues& values) { return values[OtherValue::Reserve] != 0; });
}

void TPilot::Write(ObjectWriter& out) const
{
    out.WriteText(Name);
    out.WriteText(Phone1);
    out.WriteText(Phone2);
    out.WriteText(InfoText3);
    out.WriteRawInt32(EmpNumber);
    out.WriteWord(SpareWord);
    for (size_t s = 0; s < kSlots; ++s) {
        out.WriteWord(DaySlot[s]);
        out.WriteByte(static_cast<uint8_t>(DayFlag[s]));
        out.WriteByte(static_cast<uint8_t>(DayLocked[s]));
        out.WriteText(DayCode[s]);
        out.WriteText(DayCode2[s]);
        out.WriteText(DayText[s]);
        for (size_t i = 0; i < kSlotValues; ++i) {
            out.WriteWord(DayCarry[s][i]);
            out.WriteWord(DayOther[s][i]);
        }
    }
    out.WriteText(FilterText);
    out.WriteText(BidText);
    out.WriteText(Quals);
    for (int32_t value : CarryIn)
        out.WriteWord(value);
    out.WriteByte(static_cast<uint8_t>(BidReserveOrLoa));
    out.WriteByte(static_cast<uint8_t>(CreditHours));
    out.WriteByte(static_cast<uint8_t>(CreditMinutes));
    out.WriteWord(DraftCredits);
    out.WriteWord(SpareCredit);
    out.WriteWord(MiscHours);
    out.WriteWord(TimeBank);
    out.WriteWord(TrainingCredit);
    out.WriteBool(TrainingFlag);
    out.WriteText(Notes);
}

void TPilot::Read(ObjectReader& in, int version)
{
    in.ReadText(Name);
    in.ReadText(Phone1);
    in.ReadText(Phone2);
    in.ReadText(InfoText3);
    EmpNumber = in.ReadRawInt32();
    SpareWord = in.ReadWord();
    for (size_t s = 0; s < kSlots; ++s) {
        DaySlot[s] = in.ReadWord();
        DayFlag[s] = static_cast<int8_t>(in.ReadByte());
        DayLocked[s] = static_cast<int8_t>(in.ReadByte());
        in.ReadText(DayCode[s]);
        in.ReadText(DayCode2[s]);
        in.ReadText(DayText[s]);
        if (const uint8_t* words = in.TakeWords(2 * kSlotValues)) {
            for (size_t i = 0; i < kSlotValues; ++i) {
                DayCarry[s][i] = ObjectReader::WordAt(words, 2 * i);
                DayOther[s][i] = ObjectReader::WordAt(words, 2 * i + 1);
            }
        } else {
            for (size_t i = 0; i < kSlotValues; ++i) {
                DayCarry[s][i] = in.ReadWord();
                DayOther[s][i] = in.ReadWord();
            }
        }
    }
    in.ReadText(FilterText);
    in.ReadText(BidText);
    in.ReadText(Quals);
    // The first version kept only the first ten carry-in values.
    const size_t carryIn = version >= 2 ? kCarryIn : 10;
    for (size_t i = 0; i < carryIn; ++i)
        CarryIn[i] = in.ReadWord();
    BidReserveOrLoa = static_cast<int8_t>(in.ReadByte());
    CreditHours = static_cast<int8_t>(in.ReadByte());
    CreditMinutes = static_cast<int8_t>(in.ReadByte());
    // What the bytes hold until the build works the credit out again.
    BlockCreditMinutes = int32_t{CreditHours} * 60 + CreditMinutes;
    DraftCredits = in.ReadWord();
    SpareCredit = in.ReadWord();
    MiscHours = in.ReadWord();
    if (version >= 2) {
        TimeBank = in.ReadWord();
        TrainingCredit = in.ReadWord();
        TrainingFlag = in.ReadBool();
    }
    if (version >= 3)
        in.ReadText(Notes);
}

} // namespace tl
