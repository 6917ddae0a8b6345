#include "actions/other_details.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "rules/legality.h"

#include <algorithm>
#include <cctype>

namespace tl {

namespace {

constexpr std::string_view kOops = "Oops";
constexpr int kMaxDuration = 24; // hours: one day's work, credit or hard time

size_t U(int i)
{
    return static_cast<size_t>(i);
}

constexpr int kPrevDays = 31; // extended slot of day d is d + 31

bool IsCrew(const ScheduleDocument& doc, int crew)
{
    return crew >= 0 && crew < std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity);
}

bool IsOtherDay(const ScheduleDocument& doc, int crew, int day)
{
    return IsCrew(doc, crew) && day >= 0 && day < TPilot::kSlots &&
           doc.Crew[U(crew)].DaySlot[U(day)] == kOtherSlot;
}

// A last-month entry the band shows: a code of one to three characters.
bool IsLastMonthEntry(const ScheduleDocument& doc, int crew, int day)
{
    if (!IsCrew(doc, crew) || day < -kPrevDays || day >= 0)
        return false;
    const size_t length = doc.Crew[U(crew)].DayText[U(day + kPrevDays)].size();
    return length >= 1 && length <= 3;
}

std::string TimeText(int32_t minutes)
{
    minutes = std::max(minutes, 0);
    return Format("%d:%02d", std::min(minutes / 60, 9999), minutes % 60);
}

bool CodeText(const std::string& code, size_t longest)
{
    const std::string trimmed = TrimBlanks(code);
    return !trimmed.empty() && trimmed.size() <= longest &&
           std::all_of(trimmed.begin(), trimmed.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
           });
}

std::string Upper(std::string text)
{
    UpperCase(text);
    return text;
}

} // namespace

int ParseDetailsTime(const std::string& text, int maxHours)
{
    const std::string t = TrimBlanks(text);
    const size_t colon = t.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || t.size() != colon + 3)
        return -1;
    for (size_t i = 0; i < t.size(); ++i)
        if (i != colon && !std::isdigit(static_cast<unsigned char>(t[i])))
            return -1;
    const int hours = std::stoi(t.substr(0, colon));
    const int minutes = std::stoi(t.substr(colon + 1));
    if (minutes > 59)
        return -1;
    if (hours > maxHours || (maxHours > 23 && hours == maxHours && minutes > 0))
        return -1;
    return hours * 60 + minutes;
}

std::string OtherDetailsCaption(const ScheduleDocument& doc, int crew, int day)
{
    std::string code;
    if (IsOtherDay(doc, crew, day))
        code = TrimBlanks(doc.Crew[U(crew)].DayCode[U(day)]);
    else if (IsLastMonthEntry(doc, crew, day))
        code = TrimBlanks(doc.Crew[U(crew)].DayText[U(day + kPrevDays)]);
    return code + " Assignment Details";
}

namespace {

std::string DateText(const TDate& date)
{
    return Format("%02d %s %04d", std::clamp(date.Day, 0, 99),
                  MonthAbbreviation(std::clamp(date.Month, 1, 12)), std::clamp(date.Year, 0, 9999));
}

// Last month's day `day` (-31 to -1) counted back from the month's first day.
TDate LastMonthDate(const ScheduleDocument& doc, int day)
{
    const TDate& first = doc.DayDate[0];
    const int32_t number = CheckedJulianDay(first.Month, first.Day, first.Year);
    return number > kPrevDays ? DateFromJulianDay(number + day) : TDate{};
}

// Last month's entries keep fewer numbers: duty start [2], time on duty [3],
// credit [4], hard time [5], the worked kind [6] (1 duty, 2 reserve) and
// the duty-rule flag [8]. The fields they lack stay empty and unused.
OtherDetailsForm ReadLastMonthEntry(const ScheduleDocument& doc, int crew, int day)
{
    const TPilot& member = doc.Crew[U(crew)];
    const TPilot::SlotValues& carry = member.DayCarry[U(day + kPrevDays)];
    OtherDetailsForm form;
    form.Date = DateText(LastMonthDate(doc, day));
    form.Code = TrimBlanks(member.DayText[U(day + kPrevDays)]);
    form.Start = TimeText(carry[CarryValue::DutyStart] % kMinutesPerDay);
    form.AtWork = TimeText(std::min(carry[CarryValue::DutyTime], kMinutesPerDay));
    form.Credit = TimeText(std::min(carry[CarryValue::Credit], kMinutesPerDay));
    form.HardTime = TimeText(std::min(carry[CarryValue::HardTime], kMinutesPerDay));
    form.ContainsDuty = carry[CarryValue::DayKind] == kWorkedDay;
    form.Reserve = carry[CarryValue::DayKind] == kReserveDay;
    form.CarsDuty = carry[CarryValue::CarsDuty] != 0;
    return form;
}

} // namespace

std::optional<OtherDetailsForm> ReadOtherDetails(const ScheduleDocument& doc, int crew, int day)
{
    if (IsLastMonthEntry(doc, crew, day))
        return ReadLastMonthEntry(doc, crew, day);
    if (!IsOtherDay(doc, crew, day))
        return std::nullopt;
    const TPilot& member = doc.Crew[U(crew)];
    const TPilot::SlotValues& other = member.DayOther[U(day)];
    OtherDetailsForm form;
    form.Date = DateText(doc.DayDate[U(day)]);
    form.Code = TrimBlanks(member.DayCode[U(day)]);
    form.Start = TimeText(other[OtherValue::Start]);
    form.AtWork = TimeText(other[OtherValue::Length]);
    form.Credit = TimeText(other[OtherValue::Credit]);
    form.HardTime = TimeText(other[OtherValue::HardTime]);
    form.Reserve = other[OtherValue::Reserve] != 0;
    form.ContainsDuty = other[OtherValue::ContainsDuty] != 0;
    form.ExcludeCredit = other[OtherValue::ExcludeCredit] != 0;
    form.CarsDuty = other[OtherValue::CarsDuty] != 0;
    form.DayOff = other[OtherValue::DayOff] != 0;
    form.TrackingCode = TrimBlanks(member.DayCode2[U(day)]);
    return form;
}

std::optional<DetailsError> ValidateOtherDetails(const OtherDetailsForm& form)
{
    if (!CodeText(form.Code, 3))
        return DetailsError{DetailsField::Code, "Code must be 1 to 3 letters or digits!"};
    if (ParseDetailsTime(form.Start, 23) < 0)
        return DetailsError{DetailsField::Start,
                            "Time starting Work must be a time of day as H:MM (0:00 to 23:59)!"};
    const struct {
        const std::string& text;
        DetailsField field;
        const char* label;
    } durations[] = {{form.AtWork, DetailsField::AtWork, "Hours:Mins at Work"},
                     {form.Credit, DetailsField::Credit, "Credit"},
                     {form.HardTime, DetailsField::HardTime, "Hard Time"}};
    for (const auto& d : durations)
        if (ParseDetailsTime(d.text, kMaxDuration) < 0)
            return DetailsError{d.field, std::string(d.label) +
                                             " must be Hours:Mins as H:MM (0:00 to 24:00)!"};
    if (!TrimBlanks(form.TrackingCode).empty() && !CodeText(form.TrackingCode, 2))
        return DetailsError{DetailsField::TrackingCode,
                            "Quarnelle Code must be empty or 2 letters or digits!"};
    return std::nullopt;
}

namespace {

// Writes the form into this month's other assignment; whether it was a reserve.
bool WriteOtherDay(TPilot& member, int day, const OtherDetailsForm& form)
{
    TPilot::SlotValues& other = member.DayOther[U(day)];
    other[OtherValue::Start] = ParseDetailsTime(form.Start, 23);
    other[OtherValue::Length] = ParseDetailsTime(form.AtWork, kMaxDuration);
    other[OtherValue::Credit] = ParseDetailsTime(form.Credit, kMaxDuration);
    other[OtherValue::HardTime] = ParseDetailsTime(form.HardTime, kMaxDuration);
    const bool wasReserve = other[OtherValue::Reserve] != 0;
    other[OtherValue::Reserve] = form.Reserve ? 1 : 0;
    other[OtherValue::ContainsDuty] = form.ContainsDuty ? 1 : 0;
    other[OtherValue::ExcludeCredit] = form.ExcludeCredit ? 1 : 0;
    other[OtherValue::CarsDuty] = form.CarsDuty ? 1 : 0;
    other[OtherValue::DayOff] = form.DayOff ? 1 : 0;
    // Codes keep the blank-padded three-character shape of the code table.
    std::string code = Upper(TrimBlanks(form.Code));
    code.resize(std::max<size_t>(code.size(), 3), ' ');
    member.DayCode[U(day)] = code;
    member.DayCode2[U(day)] = Upper(TrimBlanks(form.TrackingCode));
    return wasReserve;
}

} // namespace

bool ApplyOtherDetails(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                       const OtherDetailsForm& form)
{
    const bool lastMonth = IsLastMonthEntry(doc, crew, day);
    if (!lastMonth && !IsOtherDay(doc, crew, day))
        return false;
    if (const auto error = ValidateOtherDetails(form)) {
        ui.Message(kOops, error->Message, Icon::Warning);
        return false;
    }
    TPilot& member = doc.Crew[U(crew)];
    bool wasReserve = false;
    if (lastMonth) {
        TPilot::SlotValues& carry = member.DayCarry[U(day + kPrevDays)];
        carry[CarryValue::DutyStart] = ParseDetailsTime(form.Start, 23);
        carry[CarryValue::DutyTime] = ParseDetailsTime(form.AtWork, kMaxDuration);
        carry[CarryValue::Credit] = ParseDetailsTime(form.Credit, kMaxDuration);
        carry[CarryValue::HardTime] = ParseDetailsTime(form.HardTime, kMaxDuration);
        carry[CarryValue::DayKind] = form.Reserve        ? kReserveDay
                                     : form.ContainsDuty ? kWorkedDay
                                                         : kNothingCarried;
        carry[CarryValue::CarsDuty] = form.CarsDuty ? 1 : 0;
        member.DayText[U(day + kPrevDays)] = Upper(TrimBlanks(form.Code));
    } else {
        wasReserve = WriteOtherDay(member, day, form);
    }

    CheckLegality(doc, crew);
    if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);
    BlockCredit(doc, crew, false, ui);
    member.IsAllMonthLeave(std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays));
    doc.Modified = true;
    // The check may mark any day of the row; the band left of the first day
    // and the reserve counts under the rows are the grid's.
    if (lastMonth || wasReserve != form.Reserve)
        doc.Events().GridChanged();
    else
        doc.Events().CrewRowChanged(crew, 0, TPilot::kSlots - 1);
    return true;
}

} // namespace tl
