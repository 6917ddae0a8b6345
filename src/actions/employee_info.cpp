#include "actions/employee_info.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "rules/legality.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace tl {

namespace {

constexpr int kPrevDays = 31; // extended slot of day d is d + 31
constexpr int32_t kLowestEmpNumber = -1;
constexpr int32_t kHighestEmpNumber = 999999999;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

bool IsCrew(const ScheduleDocument& doc, int crew)
{
    return crew >= 0 && crew < std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity);
}

int32_t RuleOf(const ScheduleDocument& doc, size_t rule)
{
    return doc.MonthRules[rule];
}

// Reads up to `digits` decimal digits from the front of `text`; false when
// there are none or more.
bool ReadNumber(std::string_view& text, size_t digits, int32_t& value)
{
    size_t n = 0;
    value = 0;
    while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n]))) {
        if (++n > digits)
            return false;
        value = value * 10 + (text[n - 1] - '0');
    }
    text.remove_prefix(n);
    return n > 0;
}

bool ReadColon(std::string_view& text)
{
    if (text.empty() || text.front() != ':')
        return false;
    text.remove_prefix(1);
    return true;
}

// "H:MM" with up to `hourDigits` digits of hours, minutes 00 to 59, at most
// maxMinutes in all; a leading "-" when `negative` is allowed. Nothing when
// the text is not such a time.
std::optional<int32_t> ParseAmount(const std::string& text, size_t hourDigits, int32_t maxMinutes,
                                   bool negative)
{
    const std::string trimmed = TrimBlanks(text);
    std::string_view t = trimmed;
    const bool minus = negative && !t.empty() && t.front() == '-';
    if (minus)
        t.remove_prefix(1);
    int32_t hours = 0, minutes = 0;
    if (!ReadNumber(t, hourDigits, hours) || !ReadColon(t) || t.size() != 2 ||
        !ReadNumber(t, 2, minutes) || minutes > 59)
        return std::nullopt;
    const int32_t total = hours * 60 + minutes;
    if (total > maxMinutes)
        return std::nullopt;
    return minus ? -total : total;
}

// "D:HH:MM", the day counted from 1.
std::string LegalAtText(int32_t minutes)
{
    const int64_t m = minutes;
    const int64_t day = m >= 0 ? m / kMinutesPerDay : -((-m + kMinutesPerDay - 1) / kMinutesPerDay);
    const int64_t rest = m - day * kMinutesPerDay;
    return Format("%01lld:%02lld:%02lld", static_cast<long long>(day + 1),
                  static_cast<long long>(rest / 60), static_cast<long long>(rest % 60));
}

std::optional<int32_t> ParseLegalAt(const std::string& text)
{
    const std::string trimmed = TrimBlanks(text);
    std::string_view t = trimmed;
    int32_t days = 0, hours = 0, minutes = 0;
    if (!ReadNumber(t, 3, days) || !ReadColon(t) || !ReadNumber(t, 2, hours) || !ReadColon(t) ||
        !ReadNumber(t, 2, minutes) || !t.empty() || minutes > 59)
        return std::nullopt;
    return (days - 1) * kMinutesPerDay + hours * 60 + minutes;
}

// A time field of the form: shown text unchanged keeps the stored number.
struct TimeField {
    const std::string& text;
    int32_t stored;
    size_t hourDigits;
    int32_t maxMinutes;
    bool negative;

    bool Valid() const { return Value().has_value(); }
    std::optional<int32_t> Value() const
    {
        if (text == AmountText(stored))
            return stored;
        return ParseAmount(text, hourDigits, maxMinutes, negative);
    }
};

constexpr int32_t kDayMinutes = kMinutesPerDay;          // 24:00
constexpr int32_t kLatestTimeOfDay = kMinutesPerDay - 1; // 23:59
constexpr int32_t kLongestTafb = 999 * 60 + 59;
constexpr int32_t kLargestAmount = 9999 * 60 + 59;

struct DayFields {
    TimeField hard, dutyStart, dutyTime, pairingStart, tafb;
};

DayFields FieldsOf(const CarryDayForm& day, const TPilot::SlotValues& carry)
{
    return {{day.HardTime, carry[CarryValue::HardTime], 2, kDayMinutes, false},
            {day.DutyStart, carry[CarryValue::DutyStart], 2, kLatestTimeOfDay, false},
            {day.DutyTime, carry[CarryValue::DutyTime], 2, kDayMinutes, false},
            {day.PairingStart, carry[CarryValue::PairingStart], 2, kLatestTimeOfDay, false},
            {day.PairingTafb, carry[CarryValue::PairingTafb], 3, kLongestTafb, false}};
}

struct Amounts {
    TimeField carriedIn, extra, draft, timeBank, training;
};

Amounts AmountsOf(const EmployeeInfoForm& form, const TPilot& member)
{
    return {{form.CreditCarriedIn, member.CarryIn[CarryInEntry::Credit], 4, kLargestAmount, true},
            {form.ExtraCredits, member.MiscHours, 4, kLargestAmount, true},
            {form.DraftCredits, member.DraftCredits, 4, kLargestAmount, true},
            {form.TimeBank, member.TimeBank, 4, kLargestAmount, true},
            {form.TrainingAtHome, member.TrainingCredit, 4, kLargestAmount, true}};
}

std::optional<int64_t> ParseEmpNumber(const std::string& text)
{
    const std::string t = TrimBlanks(text);
    std::string_view digits = t;
    const bool minus = !digits.empty() && digits.front() == '-';
    if (minus)
        digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 10 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const int64_t value = std::strtoll(std::string(digits).c_str(), nullptr, 10);
    return minus ? -value : value;
}

std::string CutText(const std::string& text, const std::string& stored, size_t limit)
{
    return text == stored ? stored : text.substr(0, limit);
}

// A 1-or-0 setting: a stored value other than 1 stays while the box says the same.
void SetOnOff(int32_t& field, bool on)
{
    if ((field != 0) != on)
        field = on ? 1 : 0;
}

} // namespace

void EmployeeInfoForm::SetFlags(bool sixtyPlus, bool med)
{
    if (sixtyPlus == SixtyPlus() && med == Med())
        return;
    Flags = sixtyPlus && med ? kSixtyPlusAndMed : sixtyPlus ? kSixtyPlus : med ? kMed : 0;
}

std::string AmountText(int32_t minutes)
{
    const int64_t m = minutes;
    const int64_t a = m < 0 ? -m : m;
    return Format("%s%02lld:%02lld", m < 0 ? "-" : "", static_cast<long long>(a / 60),
                  static_cast<long long>(a % 60));
}

std::string CarryDayLabel(const ScheduleDocument& doc, int extended)
{
    if (extended < 0 || extended >= TPilot::kSlots)
        return {};
    const TDate& date =
        extended < kPrevDays ? doc.PrevDate[U(extended)] : doc.DayDate[U(extended - kPrevDays)];
    if (date.Month < 1 || date.Month > 12)
        return {};
    return Format("%02d %s %04d", std::clamp(date.Day, 0, 99), MonthAbbreviation(date.Month),
                  std::clamp(date.Year, 0, 9999));
}

EmployeeInfoForm ReadEmployeeInfo(const ScheduleDocument& doc, int crew)
{
    EmployeeInfoForm form;
    if (!IsCrew(doc, crew))
        return form;
    const TPilot& m = doc.Crew[U(crew)];
    form.Name = m.Name;
    form.EmpNumber = Format("%ld", static_cast<long>(m.EmpNumber));
    form.BidReserveOrLoa = m.BidReserveOrLoa != 0;
    form.LegalAt = LegalAtText(m.CarryIn[CarryInEntry::LegalAt]);
    form.CreditCarriedIn = AmountText(m.CarryIn[CarryInEntry::Credit]);
    form.ExtraCredits = AmountText(m.MiscHours);
    form.DraftCredits = AmountText(m.DraftCredits);
    form.TimeBank = AmountText(m.TimeBank);
    form.TrainingAtHome = AmountText(m.TrainingCredit);
    form.OutsideW = m.TrainingFlag;
    form.Qualification = m.CarryIn[CarryInEntry::Qualification];
    form.Flags = m.CarryIn[CarryInEntry::Flags];
    form.Trn = m.CarryIn[CarryInEntry::Training] != 0;
    form.NoTz = m.CarryIn[CarryInEntry::NoYtz] != 0;
    form.BlockComplete = m.CarryIn[CarryInEntry::BlockComplete] != 0;
    form.MinDaysOff = m.CarryIn[CarryInEntry::MinDaysOff];
    form.MinBlock = m.CarryIn[CarryInEntry::MinCredit];
    form.MaxBlock = m.CarryIn[CarryInEntry::MaxCredit];
    form.QuickNotes = m.Notes;
    for (int e = 0; e < TPilot::kSlots; ++e) {
        const TPilot::SlotValues& carry = m.DayCarry[U(e)];
        CarryDayForm& day = form.Days[U(e)];
        day.HardTime = AmountText(carry[CarryValue::HardTime]);
        day.DutyStart = AmountText(carry[CarryValue::DutyStart]);
        day.DutyTime = AmountText(carry[CarryValue::DutyTime]);
        day.PairingStart = AmountText(carry[CarryValue::PairingStart]);
        day.PairingTafb = AmountText(carry[CarryValue::PairingTafb]);
        day.Worked = carry[CarryValue::DayKind];
        day.CarsDuty = carry[CarryValue::CarsDuty] != 0;
        day.Sim = carry[CarryValue::Sim] != 0;
    }
    form.Illegalities = m.Illegalities;
    form.Warnings = m.Warnings;
    form.CarsLog = m.CarsLog;
    return form;
}

namespace {

int32_t Shown(int32_t stored, int32_t monthValue, int32_t low, int32_t high)
{
    return std::clamp(stored < 1 ? monthValue : stored, low, high);
}

} // namespace

int32_t ShownMinDaysOff(const ScheduleDocument& doc, const EmployeeInfoForm& form)
{
    return Shown(form.MinDaysOff, RuleOf(doc, MonthRule::BlockHolderDaysOff), kMinDaysOffLow,
                 kMinDaysOffHigh);
}

int32_t ShownMinBlock(const ScheduleDocument& doc, const EmployeeInfoForm& form)
{
    return Shown(form.MinBlock, RuleOf(doc, MonthRule::MinCredit), kBlockLimitLow, kBlockLimitHigh);
}

int32_t ShownMaxBlock(const ScheduleDocument& doc, const EmployeeInfoForm& form)
{
    return Shown(form.MaxBlock, RuleOf(doc, MonthRule::MaxCredit), kBlockLimitLow, kBlockLimitHigh);
}

void ResetToDefault(EmployeeInfoForm& form)
{
    form.MinDaysOff = form.MinBlock = form.MaxBlock = 0;
}

void ReducedBlock(const ScheduleDocument& doc, EmployeeInfoForm& form)
{
    form.MinDaysOff = RuleOf(doc, MonthRule::ReducedDaysOff);
    form.MinBlock = RuleOf(doc, MonthRule::ReducedMinCredit);
    form.MaxBlock = RuleOf(doc, MonthRule::ReducedMaxCredit);
}

std::optional<EmployeeInfoError> ValidateEmployeeInfo(const ScheduleDocument& doc, int crew,
                                                      const EmployeeInfoForm& form)
{
    if (!IsCrew(doc, crew))
        return EmployeeInfoError{"", -1};
    const TPilot& m = doc.Crew[U(crew)];
    if (TrimBlanks(form.Name).empty())
        return EmployeeInfoError{"Pilot Name Error", -1};

    for (int e = 0; e < TPilot::kSlots; ++e) {
        const DayFields f = FieldsOf(form.Days[U(e)], m.DayCarry[U(e)]);
        std::string errors;
        const struct {
            const TimeField& field;
            const char* message;
        } checks[] = {{f.hard, "Hard Time Error"},
                      {f.dutyStart, " ,Duty Start Time Error"},
                      {f.dutyTime, " ,Duty Length Time Error"},
                      {f.pairingStart, " ,Pair/Ass Start Time Error"},
                      {f.tafb, " ,Pair/Ass TAFB Time Error"}};
        for (const auto& c : checks)
            if (!c.field.Valid())
                errors += c.message;
        if (!errors.empty())
            return EmployeeInfoError{errors, e};
    }

    if (form.LegalAt != LegalAtText(m.CarryIn[CarryInEntry::LegalAt]) &&
        !ParseLegalAt(form.LegalAt))
        return EmployeeInfoError{"C/I Days > 5 or Hr:Min not correct on one field", -1};

    const Amounts a = AmountsOf(form, m);
    const struct {
        const TimeField& field;
        const char* message;
    } amounts[] = {{a.carriedIn, "Credit Hours Carried In Time Error"},
                   {a.extra, "Extra Credits Time Error"},
                   {a.draft, "Draft Credits Time Error"},
                   {a.timeBank, "Time Bank Time Error"},
                   {a.training, "Training at Home Time Error"}};
    for (const auto& c : amounts)
        if (!c.field.Valid())
            return EmployeeInfoError{c.message, -1};

    const std::optional<int64_t> emp = ParseEmpNumber(form.EmpNumber);
    if (!emp || *emp < kLowestEmpNumber || *emp > kHighestEmpNumber)
        return EmployeeInfoError{"Invalid Employee Number. -1 - 999999999 only", -1};
    return std::nullopt;
}

namespace {

void StoreDays(TPilot& m, const EmployeeInfoForm& form)
{
    for (int e = 0; e < TPilot::kSlots; ++e) {
        TPilot::SlotValues& carry = m.DayCarry[U(e)];
        const CarryDayForm& day = form.Days[U(e)];
        const DayFields f = FieldsOf(day, carry);
        const int32_t values[] = {*f.hard.Value(), *f.dutyStart.Value(), *f.dutyTime.Value(),
                                  *f.pairingStart.Value(), *f.tafb.Value()};
        carry[CarryValue::HardTime] = values[0];
        carry[CarryValue::DutyStart] = values[1];
        carry[CarryValue::DutyTime] = values[2];
        carry[CarryValue::PairingStart] = values[3];
        carry[CarryValue::PairingTafb] = values[4];
        carry[CarryValue::DayKind] = day.Worked;
        SetOnOff(carry[CarryValue::CarsDuty], day.CarsDuty);
        SetOnOff(carry[CarryValue::Sim], day.Sim);
    }
}

void Store(TPilot& m, const EmployeeInfoForm& form, int32_t empNumber)
{
    const Amounts a = AmountsOf(form, m);
    const int32_t amounts[] = {*a.carriedIn.Value(), *a.extra.Value(), *a.draft.Value(),
                               *a.timeBank.Value(), *a.training.Value()};
    m.CarryIn[CarryInEntry::Credit] = amounts[0];
    m.MiscHours = amounts[1];
    m.DraftCredits = amounts[2];
    m.TimeBank = amounts[3];
    m.TrainingCredit = amounts[4];
    if (form.LegalAt != LegalAtText(m.CarryIn[CarryInEntry::LegalAt]))
        m.CarryIn[CarryInEntry::LegalAt] = *ParseLegalAt(form.LegalAt);

    m.Name = CutText(form.Name, m.Name, kEmployeeNameChars);
    m.EmpNumber = empNumber;
    if ((m.BidReserveOrLoa != 0) != form.BidReserveOrLoa)
        m.BidReserveOrLoa = form.BidReserveOrLoa ? 1 : 0;
    m.TrainingFlag = form.OutsideW;
    m.CarryIn[CarryInEntry::Qualification] = form.Qualification;
    m.CarryIn[CarryInEntry::Flags] = form.Flags;
    SetOnOff(m.CarryIn[CarryInEntry::Training], form.Trn);
    SetOnOff(m.CarryIn[CarryInEntry::NoYtz], form.NoTz);
    SetOnOff(m.CarryIn[CarryInEntry::BlockComplete], form.BlockComplete);
    m.CarryIn[CarryInEntry::MinDaysOff] = form.MinDaysOff;
    m.CarryIn[CarryInEntry::MinCredit] = form.MinBlock;
    m.CarryIn[CarryInEntry::MaxCredit] = form.MaxBlock;
    m.Notes = CutText(form.QuickNotes, m.Notes, kQuickNotesChars);
    StoreDays(m, form);
}

} // namespace

bool ApplyEmployeeInfo(ScheduleDocument& doc, Interaction& ui, int crew,
                       const EmployeeInfoForm& input)
{
    if (!IsCrew(doc, crew))
        return false;
    if (const auto error = ValidateEmployeeInfo(doc, crew, input)) {
        ui.Message(kCaption, error->Message, Icon::Warning);
        return false;
    }
    EmployeeInfoForm form = input;
    TPilot& m = doc.Crew[U(crew)];

    int32_t empNumber = static_cast<int32_t>(*ParseEmpNumber(form.EmpNumber));
    if (empNumber != m.EmpNumber) {
        if (ui.AskYes(kCaption, "You have entered a different Employee Number. Do you want to "
                                "change the Employee Number")) {
            const int count = std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity);
            for (int c = 0; empNumber != 0 && c < count; ++c) {
                if (c != crew && doc.Crew[U(c)].EmpNumber == empNumber) {
                    ui.Message(kCaption,
                               "You Have Entered an Employee Number that is being used by " +
                                   doc.Crew[U(c)].Name + ". Enter a Valid Number",
                               Icon::Warning);
                    return false;
                }
            }
        } else {
            empNumber = m.EmpNumber;
        }
    }

    if (form.Qualification == kCheckPilot) {
        const bool minSet = form.MinBlock > 0, maxSet = form.MaxBlock > 0;
        const bool overridden = (minSet && form.MinBlock != kCheckPilotMinBlock) ||
                                (maxSet && form.MaxBlock != kCheckPilotMaxBlock);
        const bool keep = overridden && ui.AskYes(kCaption, "Do you want to Override the Default "
                                                            "Min and Max Block Time for this "
                                                            "Check Pilot.");
        if ((overridden && !keep) || (!minSet && !maxSet)) {
            form.MinBlock = kCheckPilotMinBlock;
            form.MaxBlock = kCheckPilotMaxBlock;
        }
    }

    const TPilot before = m;
    Store(m, form, empNumber);
    if (static_cast<const TPilotFields&>(before) == static_cast<const TPilotFields&>(m))
        return true;
    doc.Modified = true;

    // A flag read by the two-captain and French-language rules touches the
    // others' results too.
    const bool othersToo = before.CarryIn[CarryInEntry::Flags] != m.CarryIn[CarryInEntry::Flags];
    if (othersToo && doc.CrewKind == kFlightAttendants) {
        const int count = std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity);
        for (int c = 0; c < count; ++c)
            doc.Crew[U(c)].LegalityValid = 0;
    }
    CheckLegality(doc, crew);
    if (doc.CrewKind == kFlightAttendants)
        RefreshLegality(doc);
    else if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);
    BlockCredit(doc, crew, false, ui);
    if (doc.GridOn)
        ComputeBlockHolderCut(doc);
    doc.Events().GridChanged();
    return true;
}

} // namespace tl
