#pragma once

#include "model/tpilot.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tl {

class Interaction;
class ScheduleDocument;

// The Employee Info dialog: one crew member's settings, carry-in and
// last month's activity as the scheduler reads and edits them. Times are
// texts so that the dialog shows what was typed when it refuses it. A text
// left as it was shown keeps the stored number, whatever that number is, so
// OK on an untouched dialog changes nothing.

// Last month's activity of one day, DayCarry[extended slot].
struct CarryDayForm {
    std::string HardTime;     // [5] "Daily Hard Time", 0:00 to 24:00
    std::string DutyStart;    // [2] a time of day
    std::string DutyTime;     // [3] "Time on Duty", 0:00 to 24:00
    std::string PairingStart; // [0] report time of a pairing starting that day
    std::string PairingTafb;  // [1] up to 999:59
    int32_t Worked = 0;       // [6] the three-state box: 0 clear, 1 checked, 2 gray (reserve)
    bool CarsDuty = false;    // [8]
    bool Sim = false;         // [7]
};

struct EmployeeInfoForm {
    std::string Name;
    std::string EmpNumber; // "%ld"
    bool BidReserveOrLoa = false;
    std::string LegalAt;         // CarryIn[1] as "D:HH:MM", the day counted from 1
    std::string CreditCarriedIn; // CarryIn[0], "HH:MM" like the other amounts
    std::string ExtraCredits;    // MiscHours
    std::string DraftCredits;
    std::string TimeBank;
    std::string TrainingAtHome; // TrainingCredit
    bool OutsideW = false;      // TrainingFlag
    // CarryIn[8]: kNoQualification, kLtc, kCheckB (flight attendants: no
    // fam pairings) or kCheckPilot; another stored value stays while no
    // button is chosen.
    int32_t Qualification = 0;
    int32_t Flags = 0;          // CarryIn[9]; see SixtyPlus() and SetFlags()
    bool Trn = false;           // CarryIn[10]
    bool NoTz = false;          // CarryIn[11]
    bool BlockComplete = false; // CarryIn[4]
    // CarryIn[7], [5], [6]; 0 or less takes the month's value.
    int32_t MinDaysOff = 0;
    int32_t MinBlock = 0;
    int32_t MaxBlock = 0;
    std::string QuickNotes; // kept in Notes
    // Extended slots: 0 to 30 the days before the month, 31 on the month.
    std::array<CarryDayForm, TPilotFields::kSlots> Days;
    // Shown only.
    std::string Illegalities, Warnings, CarsLog;

    bool SixtyPlus() const { return Flags == kSixtyPlus || Flags == kSixtyPlusAndMed; }
    bool Med() const { return Flags == kMed || Flags == kSixtyPlusAndMed; }
    void SetFlags(bool sixtyPlus, bool med);
};

// Limits of the three scroll bars of "Default Settings Override".
inline constexpr int32_t kMinDaysOffLow = 8;
inline constexpr int32_t kMinDaysOffHigh = 30;
inline constexpr int32_t kBlockLimitLow = 1;
inline constexpr int32_t kBlockLimitHigh = 7200;
// A check pilot's block unless overridden: 80:00 to 85:00.
inline constexpr int32_t kCheckPilotMinBlock = 4800;
inline constexpr int32_t kCheckPilotMaxBlock = 5100;
inline constexpr size_t kEmployeeNameChars = 15;
inline constexpr size_t kQuickNotesChars = 500;

EmployeeInfoForm ReadEmployeeInfo(const ScheduleDocument& doc, int crew);

// What a scroll bar shows for a stored value: the month's default when it
// is unset, held inside the bar's range.
int32_t ShownMinDaysOff(const ScheduleDocument& doc, const EmployeeInfoForm& form);
int32_t ShownMinBlock(const ScheduleDocument& doc, const EmployeeInfoForm& form);
int32_t ShownMaxBlock(const ScheduleDocument& doc, const EmployeeInfoForm& form);

// "Reset to Default": the month's block limits and days off apply again.
void ResetToDefault(EmployeeInfoForm& form);
// "Reduced Block": the month's reduced-block values, as the roster extract
// sets them for a reduced block.
void ReducedBlock(const ScheduleDocument& doc, EmployeeInfoForm& form);

// "%02d:%02d", with a leading "-" below zero.
std::string AmountText(int32_t minutes);
// The label of extended slot `extended` of the previous-month group:
// its date, "31 Oct 2027".
std::string CarryDayLabel(const ScheduleDocument& doc, int extended);

// The first refusal of OK before anything is asked: its message and, for
// last month's times, the extended slot to show.
struct EmployeeInfoError {
    std::string Message;
    int Day = -1;
};
std::optional<EmployeeInfoError> ValidateEmployeeInfo(const ScheduleDocument& doc, int crew,
                                                      const EmployeeInfoForm& form);

// OK: the checks in order with their messages and questions; on a refusal
// nothing changes and false is returned (the dialog stays open). Otherwise
// the form is stored, and the crew member checked again: legality, block
// credit, the block-holder cut-off; the grid is told to repaint.
[[nodiscard]] bool ApplyEmployeeInfo(ScheduleDocument& doc, Interaction& ui, int crew,
                                     const EmployeeInfoForm& form);

} // namespace tl
