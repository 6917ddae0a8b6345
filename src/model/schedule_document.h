#pragma once

#include "model/document_events.h"
#include "model/input_file.h"
#include "model/tabsence.h"
#include "model/taction.h"
#include "model/tdate.h"
#include "model/tpair.h"
#include "model/tpilot.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tl {

class Interaction;
struct MonthSnapshot;

// The month rules, MonthRules[...], minutes unless a count; the Setup Month
// dialog edits AvgCredit to CheckPilotMaxCredit. Spare and 12 to 15 are
// stored and have no other use.
namespace MonthRule {
enum : std::size_t {
    Spare = 0,
    StartWeekday = 1,
    DaysInMonth = 2,
    AvgCredit = 3, // block credit of the month: average, maximum, minimum
    MaxCredit = 4,
    MinCredit = 5,
    BlockHolderDaysOff = 6, // days off required, a count
    ReserveDaysOff = 7,
    ReducedMaxCredit = 8, // a reduced block's defaults
    ReducedMinCredit = 9,
    ReducedDaysOff = 10,
    CheckPilotMaxCredit = 11,
};
} // namespace MonthRule

// CrewKind: the one crew kind of a document.
inline constexpr int8_t kCaptains = 0;
inline constexpr int8_t kFirstOfficers = 1;
inline constexpr int8_t kFlightAttendants = 2;

// DisplayState.
inline constexpr int32_t kMonthOpen = 1;
inline constexpr int32_t kNoMonthOpen = 3;

// Everything known about one month of one crew group. The three tables are
// allocated once, at construction, and never resized; the rest of the
// program refers to pairings and crew members by their table indices.
class ScheduleDocument {
public:
    static constexpr int kPairCapacity = 3001;
    static constexpr int kCrewCapacity = 1000;
    static constexpr int kAbsenceCapacity = 300;
    static constexpr int kMonthDays = 31;
    static constexpr int kSlotDays = 62;
    static constexpr int kMonthRules = 16;

    ScheduleDocument();
    ~ScheduleDocument();
    ScheduleDocument(const ScheduleDocument&) = delete;
    ScheduleDocument& operator=(const ScheduleDocument&) = delete;

    // Tables.
    std::unique_ptr<TPair[]> Pairs;       // kPairCapacity records
    std::unique_ptr<TPilot[]> Crew;       // kCrewCapacity records, seniority order
    std::unique_ptr<TAbsence[]> Absences; // kAbsenceCapacity toolbox items
    // Index of the last used pairing, -1 when none. The records past it are
    // kept blank (as Reset leaves them): whatever shortens the table resets
    // the records it drops, so clearing the table touches only those in use.
    int32_t LastPair = -1;
    int32_t LastBasePair = -1; // last pairing of the loaded set; copies follow it
    int32_t CrewCount = 0;
    int32_t AbsenceCount = 0;
    int32_t MaxCrew = kCrewCapacity;

    // Month calendar.
    int32_t DaysInMonth = 0;
    int32_t StartWeekday = 0; // 0 Sunday to 6 Saturday
    // Day, month and year of every day slot: the month's days, then the
    // days after it into which pairings run.
    std::array<TDate, kSlotDays> DayDate{};
    std::array<std::array<char, 3>, kMonthDays> DayName{};
    std::array<bool, kMonthDays> Weekend{};
    std::array<TDate, kMonthDays> PrevDate{}; // index 30 is the day before the month
    int32_t Month = 0;
    int32_t Year = 0;
    std::array<char, 6> MonthName{};
    std::array<char, 6> YearText{};
    int32_t DstChangeMinute = 0;
    int32_t DstShift = 0;
    std::array<int32_t, kMonthRules> MonthRules{};

    // Group and file.
    std::string GroupName;
    int8_t CrewKind = kCaptains;
    std::string FileName;
    // The file as it was last read or written here, to notice a change on
    // disk before saving over it; OnDiskPath empty when there is none.
    std::string OnDiskPath;
    FileIdentity OnDisk;
    std::array<std::string, 5> PathTexts; // last folders of the file commands
    int32_t FileKind = 0;
    // What the file last read said of itself: its version text, and whether
    // its end marker was missing. ReadOnly: Save must not write FileName (a
    // viewer copy, or a month not read whole), only Save As a new name.
    std::string FileVersion;
    bool FileIncomplete = false;
    bool ReadOnly = false;
    bool Modified = false;
    bool Untitled = false;
    int32_t BuildState = 0;
    int32_t DisplayState = kNoMonthOpen;
    int32_t BackupCountdown = 20;
    THistory History;
    // What the newest grouped steps of the history put back, oldest first;
    // run time only: after a reload such a step cannot be undone.
    std::vector<std::shared_ptr<const MonthSnapshot>> GroupSnapshots;
    // Visibility of the floating windows, kept by the window that shows
    // them and written into the block file.
    bool PairWindowOpen = false;
    bool ToolBoxOpen = false;
    bool BidsWindowOpen = false;

    // Stored texts and flags carried for other parts of the program.
    std::array<std::string, 20> FilterWords; // text filter history, most recent first
    std::string ToolBoxDate;
    std::string PairingSourceText;
    std::string ViewerText;
    std::array<std::string, 20> DocTexts;
    std::array<std::string, 3> SpareTexts;
    std::array<bool, 10> SpareFlags{};
    std::array<char, 6> SpareCode1{};
    std::array<char, 6> SpareCode2{};
    int32_t SpareWord2 = 0;
    bool ViewFlag = true;
    bool PendingFlag = false;
    // Run-time state of the block grid, never saved. Build Blocks switches
    // the grid on; TakeDownGrid switches it off so the next build runs again.
    bool GridOn = false;
    int32_t BlockHolderCut = -1;                  // roster index of the last block holder
    std::array<int32_t, kMonthDays> DayBalance{}; // free crew minus open pairing days
    // The pairings window's chosen pairing and the one last assigned or
    // removed, each with its day slot; -1 for none.
    int32_t CurrentPair = -1;
    int32_t CurrentPairDay = -1;
    int32_t LastAssignedPair = -1;
    int32_t LastAssignedDay = -1;
    // Set by the pairing editor's password; it lasts until the password is
    // asked again. Never saved.
    bool PairEditUnlocked = false;
    // "Show Only Open Pairings": the pairings board leaves assigned days off.
    bool ShowOnlyOpenPairings = false;
    // Pairing filters, never saved: while on, the board leaves off every
    // pairing marked 0. FilterName: whose stored filter is on, empty when
    // off or for the filter window's own text. FilterCrew: the roster index
    // last saved to or applied from the filter window, -1 for none.
    bool FiltersOn = false;
    std::string FilterName;
    int32_t FilterCrew = -1;

    // The windows listening to the block operations; none by default.
    DocumentEvents* Listener = nullptr;
    DocumentEvents& Events();

    // Set when the document is emptied; the first import of absences or of
    // last month's activity clears it.
    bool FreshDocument = true;

    enum class Extent { AllRecords, InUse };
    // Resets crew records and/or pairing records 0 to 2999. With InUse only
    // the records below CrewCount and up to LastPair, for callers that know
    // the rest are clear already (a refused load into a cleared document).
    void ZeroData(Interaction& ui, bool crew, bool pairs, Extent extent = Extent::AllRecords);
    // Empties the document for a new month or before opening a file.
    void DeleteAll(Interaction& ui, Extent extent = Extent::AllRecords);
    // Sets the calendar from the first and last day (Julian day numbers).
    [[nodiscard]] bool SetMonth(Interaction& ui, int32_t startDate, int32_t endDate);
    // Dates of the day slots after the month, continuing from its last day.
    void ExtendCalendar();
};

} // namespace tl
