#pragma once

#include "model/slot_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tl {

// A day slot (DaySlot) holds the index of the pairing that starts on it, or
// one of these.
inline constexpr int32_t kFreeSlot = -1;  // nothing assigned
inline constexpr int32_t kOtherSlot = -2; // an other assignment: DayCode and DayOther

constexpr bool HoldsPairing(int32_t slot)
{
    return slot >= 0;
}

// The numbers of the other assignment in a slot, DayOther[slot][...].
namespace OtherValue {
enum : std::size_t {
    Start = 0,         // minutes after midnight
    Length = 1,        // time at work
    Credit = 2,        // counted in the month credit
    HardTime = 3,      // above 0 makes the day a duty day
    Reserve = 4,       // flag
    ContainsDuty = 5,  // flag
    ExcludeCredit = 6, // flag: the credit is not counted in the block
    CarsDuty = 7,      // flag
    DayOff = 8,        // flag
};
} // namespace OtherValue

// Last month's activity on a day, DayCarry[slot][...].
namespace CarryValue {
enum : std::size_t {
    PairingStart = 0, // report time of the pairing starting that day
    PairingTafb = 1,  // that pairing's time away from base
    DutyStart = 2,
    DutyTime = 3,
    Credit = 4, // flows into CarryIn[CarryInEntry::Credit]
    HardTime = 5,
    DayKind = 6, // kNothingCarried, kWorkedDay or kReserveDay
    Sim = 7,     // the employee dialog's "SIM" mark; the import clears it
    CarsDuty = 8,
};
} // namespace CarryValue

// DayCarry[slot][CarryValue::DayKind].
inline constexpr int32_t kNothingCarried = 0;
inline constexpr int32_t kWorkedDay = 1;
inline constexpr int32_t kReserveDay = 2;

// The person's carry-in values and settings, CarryIn[...].
namespace CarryInEntry {
enum : std::size_t {
    Credit = 0,        // credit carried in from last month
    LegalAt = 1,       // minutes after the month's start from which the person is legal again
    FatigueUnits = 2,  // carried in
    BlockComplete = 4, // the "Blk Complete" option, 1 or 0
    MinCredit = 5,     // the person's block credit limits; 0 takes the month's
    MaxCredit = 6,
    MinDaysOff = 7,
    Qualification = 8, // kLtc, kCheckB, kCheckPilot or 0
    Flags = 9,         // pilots: kSixtyPlus and kMed bits; flight attendants: French qualified
    Training = 10,     // the "TRN" flag
    NoYtz = 11,        // 1: not qualified for the airport "YTZ"
};
} // namespace CarryInEntry

// CarryIn[CarryInEntry::Qualification].
inline constexpr int32_t kNoQualification = 0;
inline constexpr int32_t kLtc = 1;
inline constexpr int32_t kCheckB = 2;
inline constexpr int32_t kCheckPilot = 3;
inline constexpr int32_t kFamPairings = 2; // flight attendants: the "Fam Pairing" rule applies

// CarryIn[CarryInEntry::Flags] in pilot groups.
inline constexpr int32_t kSixtyPlus = 1;
inline constexpr int32_t kMed = 2;
inline constexpr int32_t kSixtyPlusAndMed = 3;

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
    std::array<SlotText, kSlots> DayCode;
    std::array<SlotText, kSlots> DayCode2;
    std::string FilterText;
    std::string BidText;
    std::string Quals;
    std::string Notes;
    int32_t EmpNumber = 0;
    int32_t SpareWord = 0;
    int32_t AllMonthLeave = 0;
    // kFreeSlot is no pairing; 0 would be the first one.
    std::array<int32_t, kSlots> DaySlot = NoPairings();
    std::array<int8_t, kSlots> DayFlag{};
    std::array<SlotValues, kSlots> DayOther{};
    std::array<SlotValues, kSlots> DayCarry{};
    std::array<SlotText, kSlots> DayText;
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
        days.fill(kFreeSlot);
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
    // True when some day of the month has DayOther[day][OtherValue::Reserve] set.
    bool AnyOtherFlagged(int daysInMonth) const;
};

} // namespace tl
