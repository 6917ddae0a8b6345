#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tl {

// The contract's minimum rest before a duty, minutes: pilots, flight attendants.
inline constexpr int32_t kPilotMinRest = 660;
inline constexpr int32_t kAttendantMinRest = 720;

// An operating day of a pairing, OpsCount[d]. The negative states are the
// same days flagged for the crew complement (two captains, or a day parked on
// an open line); the block file keeps only the absolute values.
inline constexpr int32_t kNotOperating = 0;
inline constexpr int32_t kOpsOpen = 1;
inline constexpr int32_t kOpsAssigned = 2;
inline constexpr int32_t kOpsOpenFlagged = -kOpsOpen;
inline constexpr int32_t kOpsAssignedFlagged = -kOpsAssigned;

// One pairing: a trip of one or more duty days, with every day of the month
// on which it operates. Field names are the ones the whole program uses.
class TPair {
public:
    static constexpr int kDays = 31;

    int32_t OnTime = 0;
    int32_t OffTime = 0;
    int32_t Credit = 0;
    int8_t Length = 0;
    int8_t DaysWorked = 0;
    int32_t Tafb = 0;
    int32_t PairNumber = 0;
    std::string Label;
    std::string PairType;
    std::array<int32_t, kDays> OpsCount{};       // per calendar day of the month
    std::array<int32_t, kDays> ExcludedCredit{}; // per calendar day of the month
    std::array<int32_t, kDays> DayOpsType{};     // per calendar day of the month
    std::array<int32_t, kDays> DayStart{};       // per duty day of the pairing
    std::array<int32_t, kDays> DayDuty{};        // per duty day
    std::array<int32_t, kDays> DayHard{};        // per duty day
    std::array<int32_t, kDays> DayCredit{};      // per duty day
    int32_t FatigueUnits = 0;
    int32_t MinRest = kPilotMinRest;
    bool CrossesMidnight = false;
    bool HasUsaSegments = false;
    int8_t Mark = 0;
    bool Valid = false;
    int8_t CreditClass = 0;
    std::string ErrorText;
    std::string PairText;
    std::string Note;
    std::string Layovers;
    std::string PairKey;
    int32_t Date = 0; // Julian day number

    TPair();
    TPair(const TPair&) = default;
    TPair& operator=(const TPair&) = default;

    // Back to a fresh record, but for Label, CreditClass and Date.
    void Reset();

    // Checks the record and fills ErrorText, Valid, DaysWorked,
    // CrossesMidnight and HasUsaSegments; turns an OffTime of 0 into 1440.
    // Only the first daysInMonth entries of OpsCount are looked at.
    // Returns Valid.
    bool Validate(int daysInMonth);

    // Credit per day: the whole credit for a single duty past midnight,
    // otherwise Credit / DaysWorked (0 without days worked).
    int32_t CreditPerDay() const;
    // Recomputes CreditClass from the credit per day: after validation, on
    // loading pairings and opening a month, and before each save.
    void UpdateCreditClass();

private:
    // A fresh record without the day's date, for Reset.
    struct Blank {};
    explicit TPair(Blank) {}
};

// Credit class of a credit per day: 0 under 5 hours, 1 under 6, 2 under 7,
// 3 from 7 hours on.
int8_t CreditClassOf(int32_t creditPerDay);
// "Low Credit Pairings" to "Very High Credit Pairings"; empty for any other
// class.
const char* CreditClassName(int creditClass);

} // namespace tl
