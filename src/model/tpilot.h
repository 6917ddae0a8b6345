#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tl {

// Everything of a crew member that goes with a copy of the record. The
// compiler copies and compares it whole, so a new field cannot be forgotten
// in one of the copies: new fields belong here, not in TPilot.
struct TPilotFields {
    static constexpr int kSlots = 62;
    static constexpr int kSlotValues = 10;
    static constexpr int kCarryIn = 20;
    static constexpr int kRequests = 100;

    using SlotValues = std::array<int32_t, kSlotValues>;

    std::string Name;
    std::string Phone1;
    std::string Phone2;
    std::string InfoText3;
    std::string Illegalities;
    std::string CarsLog;
    std::array<std::string, kSlots> DayCode;
    std::array<std::string, kSlots> DayCode2;
    std::string FilterText;
    std::string BidText;
    std::string Quals;
    std::string Notes;
    int32_t EmpNumber = 0;
    int32_t SpareWord = 0;
    int32_t AllMonthLeave = 0;
    // -1 is no pairing; 0 would be the first one.
    std::array<int32_t, kSlots> DaySlot = NoPairings();
    std::array<int8_t, kSlots> DayFlag{};
    std::array<SlotValues, kSlots> DayOther{};
    std::array<SlotValues, kSlots> DayCarry{};
    std::array<std::string, kSlots> DayText;
    int32_t DraftCredits = 0;
    int32_t MiscHours = 0;
    int32_t SpareCredit = 0;
    int32_t TimeBank = 0;
    int32_t TimeBankCredit = 0;
    int32_t AlbCredit = 0;
    int32_t TrainingCredit = 0;
    bool TrainingFlag = false;
    std::array<int32_t, kCarryIn> CarryIn{};
    int8_t BidReserveOrLoa = 0;
    int8_t BeyondBlockHolders = 0;
    std::array<int8_t, kSlots> DayLocked{};
    std::array<int8_t, kSlots> DayIllegal{};
    std::array<int8_t, kSlots> DayWarning{};
    std::array<int8_t, kRequests> Requests{};
    // The block credit in the file's two bytes, held at 127:59 (-128:59) so
    // that the bytes never wrap; BlockCreditMinutes is the credit itself.
    int8_t CreditHours = 0;
    int8_t CreditMinutes = 0;
    int8_t Selected = 0;
    int8_t LegalityValid = 1;
    int8_t Option2 = 1;
    // The last block credit computed, minutes; not stored, the build works
    // it out again.
    int32_t BlockCreditMinutes = 0;

    bool operator==(const TPilotFields&) const = default;

private:
    static constexpr std::array<int32_t, kSlots> NoPairings()
    {
        std::array<int32_t, kSlots> days{};
        days.fill(-1);
        return days;
    }
};

// One crew member of the roster with the whole month: the block of day
// slots, the other assignments, the carry-in from last month, the totals
// and the person's settings. Field names are the ones the whole program uses.
class TPilot : public TPilotFields {
public:
    // The warnings of this record's own legality run; a copy leaves the
    // target's as they are.
    std::string Warnings;

    TPilot() = default;
    TPilot(const TPilot& other);
    // Copies everything but Warnings.
    TPilot& operator=(const TPilot& other);

    // Back to a fresh record, but for SpareWord, BeyondBlockHolders and
    // Warnings.
    void Reset();

    // Keeps the block credit, and its hours and minutes as far as the bytes
    // hold them.
    void SetBlockCredit(int32_t minutes);

    // True, and AllMonthLeave 1, when every day of the month holds a leave
    // code; otherwise false and 0.
    bool IsAllMonthLeave(int daysInMonth);
    // True when some day of the month has DayOther[day][4] set.
    bool AnyOtherFlagged(int daysInMonth) const;
};

} // namespace tl
