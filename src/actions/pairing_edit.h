#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;
class TPair;

// The pairing editor: one pairing of the table at a time, its header fields
// as texts the scheduler typed, its operating days and its duty days. Every
// store either takes a complete, checked set of values or nothing.

// The header of a pairing as the editor shows it.
struct PairForm {
    std::string Number; // "%04d", "0" for no number
    std::string On;     // "%02d:%02d"
    std::string Off;    // shown only
    std::string Credit;
    std::string Length;          // shown only
    std::string Tafb;            // "%03d:%02d"
    std::array<bool, 31> Days{}; // operating days of the month
};

// One duty day: "%02d:%02d" each.
struct DutyDayForm {
    std::string Start;
    std::string Duty;
    std::string Hard;
    std::string Credit;
};

// The password dialog's OK: clears the unlock, then an empty text opens the
// pairings for viewing and either form of the password unlocks editing.
enum class PairPassword { View, Edit, Wrong };
PairPassword CheckPairPassword(ScheduleDocument& doc, std::string_view text);

// Index the editor opens on: CurrentPair within the table, else 0.
int FirstEditedPair(const ScheduleDocument& doc);

// What the editor shows for `pairing`: a pairing without credit shows its
// number alone, every other field empty and no day checked.
PairForm ShowPair(const ScheduleDocument& doc, int pairing);
DutyDayForm ShowDutyDay(const ScheduleDocument& doc, int pairing, int dutyDay);
// Duty days the duty-day scroll bar offers: Length, 6 for a pairing without one.
int DutyDayCount(const TPair& pair);

// The problems StorePairInfo finds in `form`, in the editor's words; empty
// when it may be stored. `length` receives the computed length.
std::string PairFormProblems(const ScheduleDocument& doc, const PairForm& form,
                             int* length = nullptr);

// Stores the header and operating days of `pairing` (edit mode only: while
// the editor is locked nothing is stored and the answer is true). Problems
// are asked about ("- Fix Now?"): Yes returns false, the editor stays on the
// pairing. A day taken off that a crew member holds frees that crew
// member's day, named in a message. A change marks the month modified and
// drops the undo history's transactions of this pairing, which describe a
// trip that is no longer there.
[[nodiscard]] bool StorePairInfo(ScheduleDocument& doc, Interaction& ui, int pairing,
                                 const PairForm& form);

// Stores one duty day when all four fields pass the clock-time checks
// (start 0:00 to 23:59, duty up to 18:00); false, with nothing stored,
// otherwise. True without storing while the editor is locked.
[[nodiscard]] bool StoreDutyDay(ScheduleDocument& doc, Interaction& ui, int pairing, int dutyDay,
                                const DutyDayForm& form);

// The pairing a line of the pairing warnings list names (its number starts
// at the sixth character); -1, with a beep, when it names none.
int PairingOfWarningLine(const ScheduleDocument& doc, Interaction& ui, std::string_view line);

// Edit > Pairings in edit mode: the grid goes down while the editor runs and
// is built again afterwards when it was on, so credits and legality follow
// the changed pairings.
void PairingsEditCommand(ScheduleDocument& doc, Interaction& ui,
                         const std::function<void()>& runEditor);

// The pairing properties of one operating day: its type and the credit
// that does not count toward the holder's block.
inline constexpr int kPairingTypes = 4;
const char* PairingTypeName(int type); // "Normal", "Line Indoc", "Line Check", "Recurrent LKC"

struct PairPropertiesForm {
    int Type = 0;
    bool ExcludeCredit = false;
    std::string Excluded; // "%02d:%02d"
};

PairPropertiesForm ShowPairProperties(const ScheduleDocument& doc, int pairing, int day);

// Stores DayOpsType and ExcludedCredit of `day` (a day of the month the
// pairing operates on). The excluded credit must lie within the pairing's
// credit ("Oops" otherwise, nothing stored). The holder's block credit and
// row follow.
[[nodiscard]] bool StorePairProperties(ScheduleDocument& doc, Interaction& ui, int pairing, int day,
                                       const PairPropertiesForm& form);

} // namespace tl
