#include "model/tpilot.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace tl {

TPilot::TPilot(const TPilot& other) : TPilotFields(other) {}

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
                                [](const SlotText& code) { return IsLeaveCode(code); });
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

} // namespace tl
