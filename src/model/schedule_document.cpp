#include "model/schedule_document.h"

#include "model/interaction.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"

#include <algorithm>
#include <string_view>

namespace tl {

namespace {

constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Copies a short code into a fixed field, always leaving a terminating zero.
template <size_t N> void SetCode(std::array<char, N>& code, std::string_view text)
{
    code.fill('\0');
    for (size_t i = 0; i < text.size() && i + 1 < N; ++i)
        code[i] = text[i];
}

} // namespace

ScheduleDocument::ScheduleDocument()
    : Pairs(std::make_unique<TPair[]>(kPairCapacity)),
      Crew(std::make_unique<TPilot[]>(kCrewCapacity)),
      Absences(std::make_unique<TAbsence[]>(kAbsenceCapacity))
{
    MonthRules = {1, 0, 0, 4650, 4800, 4500, 0, 0, 3420, 2820, 12, 5400, 0, 0, 0, 0};
}

ScheduleDocument::~ScheduleDocument() = default;

void ScheduleDocument::ZeroData(Interaction& ui, bool crew, bool pairs, Extent extent)
{
    ui.Trace("ZeroDataBegin\n");
    const bool all = extent == Extent::AllRecords;
    if (crew) {
        const int used = all ? kCrewCapacity : std::clamp(CrewCount, 0, kCrewCapacity);
        for (int i = 0; i < used; ++i)
            Crew[static_cast<size_t>(i)].Reset();
        CrewCount = 0;
    }
    if (pairs) {
        // The last record, 3000, is left alone: it serves as scratch space.
        const int used = all ? kPairCapacity - 1 : std::clamp(LastPair + 1, 0, kPairCapacity - 1);
        for (int i = 0; i < used; ++i)
            Pairs[static_cast<size_t>(i)].Reset();
        LastPair = -1;
        LastBasePair = -1;
        // The marks went with the pairings.
        FiltersOn = false;
        FilterName.clear();
        FilterCrew = -1;
    }
    ui.Trace("ZeroDataEnd\n");
}

void ScheduleDocument::DeleteAll(Interaction& ui, Extent extent)
{
    ui.Trace("BeginDeleteAll\n");
    ZeroData(ui, true, true, extent);
    FileKind = 0;
    FileVersion.clear();
    FileIncomplete = false;
    ReadOnly = false;
    OnDiskPath.clear();
    OnDisk = {};
    // Days off required and the stored spares (12 to 15) are kept.
    MonthRules[MonthRule::Spare] = 1;
    MonthRules[MonthRule::StartWeekday] = 0;
    MonthRules[MonthRule::DaysInMonth] = 0;
    MonthRules[MonthRule::AvgCredit] = 4650;
    MonthRules[MonthRule::MaxCredit] = 4800;
    MonthRules[MonthRule::MinCredit] = 4500;
    MonthRules[MonthRule::ReducedMaxCredit] = 3420;
    MonthRules[MonthRule::ReducedMinCredit] = 2820;
    MonthRules[MonthRule::ReducedDaysOff] = 12;
    MonthRules[MonthRule::CheckPilotMaxCredit] = 5400;
    BackupCountdown = 20;
    FileName.clear();
    for (std::string& path : PathTexts)
        path.clear();
    GroupName.clear();
    for (std::string& text : SpareTexts)
        text.clear();
    PairingSourceText.clear();
    PrevDate.fill(TDate{});
    AbsenceCount = 0;
    BuildState = 0;
    GridOn = false;
    BlockHolderCut = -1;
    DayBalance.fill(0);
    CurrentPair = CurrentPairDay = LastAssignedPair = LastAssignedDay = -1;
    Modified = false;
    ViewFlag = true;
    MaxCrew = kCrewCapacity;
    DaysInMonth = 0;
    StartWeekday = 0;
    SpareCode1.fill('\0');
    SpareCode2.fill('\0');
    SpareWord2 = 0;
    History.clear();
    GroupSnapshots.clear();
    for (std::string& word : FilterWords)
        word.clear();
    FreshDocument = true;
    ui.Trace("EndDeleteAll\n");
}

bool ScheduleDocument::SetMonth(Interaction& ui, int32_t startDate, int32_t endDate)
{
    // Day numbers from outside (0 among them) must name calendar dates.
    auto isRealDate = [](int32_t number) {
        const TDate date = DateFromJulianDay(number);
        return date.Year >= 1 && date.Year <= 9999 &&
               CheckedJulianDay(date.Month, date.Day, date.Year) == number;
    };
    if (!isRealDate(startDate) || !isRealDate(endDate)) {
        ui.Message(kCaption, "The new Month must start and end on real dates.", Icon::Warning);
        return false;
    }
    int64_t days = static_cast<int64_t>(endDate) - startDate + 1;
    if (days >= 32) {
        ui.Message(kCaption, "The new Month cannot contain more than 31 days.", Icon::Warning);
        return false;
    }
    if (days < 1) {
        ui.Message(kCaption, "The new Month must end on or after its first day.", Icon::Warning);
        return false;
    }
    DaysInMonth = static_cast<int32_t>(days);
    StartWeekday = Weekday(startDate) % 7; // Sunday 7 becomes 0

    TDate middle = DateFromJulianDay(startDate + 15);
    Month = middle.Month;
    Year = middle.Year;
    SetCode(MonthName, Month >= 1 && Month <= 12 ? kMonthNames[Month - 1] : "?");
    SetCode(YearText, Format("%d", Year));

    for (int d = 0; d < DaysInMonth; ++d)
        DayDate[static_cast<size_t>(d)] = DateFromJulianDay(startDate + d);
    ExtendCalendar();
    for (int d = 30; d >= 0; --d)
        PrevDate[static_cast<size_t>(d)] = DateFromJulianDay(startDate - (31 - d));

    for (int d = 0; d < DaysInMonth; ++d) {
        auto i = static_cast<size_t>(d);
        int weekday = (StartWeekday + d) % 7;
        SetCode(DayName[i], WeekdayName(weekday));
        Weekend[i] = weekday == 0 || weekday == 6;
    }
    MonthRules[MonthRule::StartWeekday] = StartWeekday;
    MonthRules[MonthRule::DaysInMonth] = DaysInMonth;
    return true;
}

DocumentEvents& ScheduleDocument::Events()
{
    static DocumentEvents nobody;
    return Listener ? *Listener : nobody;
}

void ScheduleDocument::ExtendCalendar()
{
    if (DaysInMonth < 1 || DaysInMonth > kMonthDays)
        return;
    const TDate& last = DayDate[static_cast<size_t>(DaysInMonth - 1)];
    const int32_t lastDay = CheckedJulianDay(last.Month, last.Day, last.Year);
    for (int d = DaysInMonth; d < kSlotDays; ++d)
        DayDate[static_cast<size_t>(d)] =
            lastDay != 0 ? DateFromJulianDay(lastDay + (d - DaysInMonth + 1)) : TDate{};
}

} // namespace tl
