#pragma once

// The legality rules, one function per rule, each over a prepared view of
// one crew member's month. Shared by the engine's units only.

#include "model/schedule_document.h"
#include "model/vortime.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tl::legality {

constexpr int kSlots = 62;    // day slots of a block
constexpr int kPrevDays = 31; // extended index e = slot + 31
constexpr int kExtDays = 93;  // extended days 0..92
// Times and durations read from records are held within this bound so that
// the sums of a rule cannot overflow, whatever a file holds.
constexpr int32_t kMinuteLimit = 1 << 22;

// Index of a record's fixed table from a day or slot counted in int.
constexpr size_t U(int i)
{
    return static_cast<size_t>(i);
}

// A fixed array on the stack indexed by day; every index a rule uses is
// bounded by the rule itself.
template <typename T, size_t N> struct DayArray {
    T v[N]{};
    T& operator[](int i) { return v[U(i)]; }
    const T& operator[](int i) const { return v[U(i)]; }
};

inline int32_t Minutes(int32_t value)
{
    return value > kMinuteLimit ? kMinuteLimit : value < -kMinuteLimit ? -kMinuteLimit : value;
}

// One crew member's month as the rules read it.
struct CrewView {
    ScheduleDocument& doc;
    TPilot& crew;
    int rosterPlace = 0;    // roster place the French test judges by
    bool markOthers = true; // the French test may mark other holders for re-check
    int days = 0;           // DaysInMonth, within 0..31
    int32_t dstMinute = 0;  // clock change on the month timeline; 0 none
    int32_t dstShift = 0;
    DayArray<const TPair*, kSlots> pair{}; // pairing starting on the slot
    DayArray<bool, kSlots> other{};        // other assignment on the slot
    DayArray<int32_t, kSlots> hard{};      // hard time per slot

    CrewView(ScheduleDocument& document, TPilot& member, int place);

    // i: an OtherValue, a CarryValue.
    int32_t Other(int slot, size_t i) const { return Minutes(crew.DayOther[U(slot)][i]); }
    int32_t Carry(int e, size_t i) const
    {
        return e >= 0 && e < kSlots ? Minutes(crew.DayCarry[U(e)][i]) : 0;
    }
    bool OtherDuty(int slot) const
    {
        return other[slot] && crew.DayOther[U(slot)][OtherValue::ContainsDuty] != 0;
    }
    bool OtherReserve(int slot) const
    {
        return other[slot] && crew.DayOther[U(slot)][OtherValue::Reserve] != 0;
    }
    // Clock change inside (from, to]: the start `to` is reduced by the shift.
    int32_t DstCorrectedStart(int32_t from, int32_t to) const
    {
        return dstShift != 0 && from < dstMinute && dstMinute <= to ? to - dstShift : to;
    }

    void Illegal(int slot)
    {
        if (slot >= 0 && slot < kSlots)
            crew.DayIllegal[U(slot)] = 1;
    }
    void Warn(int slot)
    {
        if (slot >= 0 && slot < kSlots)
            crew.DayWarning[U(slot)] = 1;
    }
};

// Release of a pairing counted from 00:00 of its start day.
inline int32_t Release(const TPair& p)
{
    return Minutes(p.OnTime) + Minutes(p.Tafb);
}
// Days a pairing touches when a release before 02:00 does not take its last day.
int GraceDays(const TPair& p);
// Days a pairing touches, up to the minute of its release.
int FullDays(const TPair& p);
// Duty days of a pairing that its per-day arrays describe.
inline int DutyDays(const TPair& p)
{
    return p.Length < 0 ? 0 : p.Length > TPair::kDays ? TPair::kDays : p.Length;
}

// A code as stored, blank-padded or not, against a code without blanks.
bool CodeIs(std::string_view code, std::string_view want);

// " %d": the day of the month of a slot.
void AppendDay(std::string& text, const CrewView& v, int slot);
// "%d/%d/%d" of a date.
void AppendDate(std::string& text, const TDate& date);
// Date of an extended day: the days before the month, then the slots.
TDate ExtendedDate(const CrewView& v, int e);

using SlotMarks = DayArray<bool, kSlots>;
using ExtMarks = DayArray<bool, kExtDays>;

// Pilots.
void CheckPilotRest(CrewView& v);            // rest after every duty
void CheckFatigueUnits(CrewView& v);         // 100+ fatigue units
void CheckHardIn7(CrewView& v);              // 40+ hours hard in 7 days
void CheckHardIn30(CrewView& v);             // 120+ hours hard in 30 days
void CheckTwelveHourDuties(CrewView& v);     // a fourth duty after three of 12 hours
void CheckRestScheme(CrewView& v);           // 36h/7d or 3d/17d
void CheckPilotConsecutiveDays(CrewView& v); // days on and reserve runs
void CheckReserveMix(CrewView& v);           // RA, RB, RE spacing
void CheckCheckPilotCredit(CrewView& v);
void CheckYtzQualification(CrewView& v);

// Flight attendants.
void CheckAttendantRest(CrewView& v);
void CheckAttendantDaysOnOff(CrewView& v);
void CheckFrenchPairings(CrewView& v);
void CheckFamPairings(CrewView& v);
void CheckRbGrouping(CrewView& v);

// The French test of one pairing on one slot for the crew member: true when
// the pairing is fine; `responsible` gets the roster place of the junior
// cabin member met.
bool FrenchPairingFine(CrewView& v, int pairing, int slot, int& responsible);

} // namespace tl::legality
