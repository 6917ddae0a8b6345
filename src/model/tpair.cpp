#include "model/tpair.h"

#include "model/vortime.h"

#include <algorithm>
#include <utility>

namespace tl {

TPair::TPair() : Date(TodayJulianDay()) {}

void TPair::Reset()
{
    std::string label = std::move(Label);
    const int8_t creditClass = CreditClass;
    const int32_t date = Date;
    *this = TPair(Blank{});
    Label = std::move(label);
    CreditClass = creditClass;
    Date = date;
}

namespace {

// Duty days a loop may look at: Length, kept inside the arrays.
size_t DutyDays(int8_t length)
{
    return static_cast<size_t>(std::clamp<int>(length, 0, TPair::kDays));
}

} // namespace

bool TPair::Validate(int daysInMonth)
{
    ErrorText.clear();
    Valid = true;
    const auto fail = [this](const std::string& message) {
        ErrorText += message;
        Valid = false;
    };

    DaysWorked = Length;
    // A last duty released before 02:00 only runs past midnight.
    if (OffTime < 120 && Length > 1)
        DaysWorked = static_cast<int8_t>(Length - 1);

    if (Tafb < 900 && OffTime < OnTime && OffTime > 119)
        CrossesMidnight = true;

    const size_t dutyDays = DutyDays(Length);
    int64_t creditSum = 0;
    for (size_t k = 0; k < dutyDays; ++k)
        creditSum += DayCredit[k];
    if (creditSum != Credit)
        fail("Credit for each Day does not add up to Total Credit\n");

    if (OffTime == 0)
        OffTime = kMinutesPerDay;

    if (OnTime < 0 || OnTime > kMinutesPerDay)
        fail("Duty Start Time < 00:01 or > 24:00. ");
    if (Length < 1 || Length > 31)
        fail("Pairing Length < 1 day or > 31 days. ");

    const auto monthDays = static_cast<size_t>(std::clamp(daysInMonth, 0, kDays));
    if (std::all_of(OpsCount.begin(), OpsCount.begin() + static_cast<std::ptrdiff_t>(monthDays),
                    [](int32_t count) { return count == kNotOperating; }))
        fail("Never Operates ");

    for (size_t k = 0; k < dutyDays; ++k) {
        const std::string day = std::to_string(k + 1);
        if (DayCredit[k] < 0)
            fail("Daily Credit < 00:00 on Day " + day + ". ");
        if (DayHard[k] < 0)
            fail("Daily HardTime < 00:00 on Day " + day + ". ");
        if (DayStart[k] < 0 || DayStart[k] > 1439)
            fail("Daily Start Time < 00:00 or > 23:59 on Day " + day + ". ");
        if (DayDuty[k] < 0)
            fail("Daily Duty Time < 00:00 on Day " + day + ". ");
    }

    // The scan marks a pairing with "USA SEGMENT "; validating it again must
    // not take the mark away.
    HasUsaSegments = PairText.find("USA SEGMENT") != std::string::npos;
    return Valid;
}

int32_t TPair::CreditPerDay() const
{
    if (CrossesMidnight)
        return Credit;
    if (DaysWorked < 1)
        return 0;
    return Credit / DaysWorked;
}

void TPair::UpdateCreditClass()
{
    CreditClass = CreditClassOf(CreditPerDay());
}

int8_t CreditClassOf(int32_t creditPerDay)
{
    if (creditPerDay < 300)
        return 0;
    if (creditPerDay < 360)
        return 1;
    if (creditPerDay < 420)
        return 2;
    return 3;
}

const char* CreditClassName(int creditClass)
{
    switch (creditClass) {
    case 0:
        return "Low Credit Pairings";
    case 1:
        return "Medium Credit Pairings";
    case 2:
        return "High Credit Pairings";
    case 3:
        return "Very High Credit Pairings";
    default:
        return "";
    }
}

} // namespace tl
