#include "model/tpair.h"

#include "model/vortime.h"
#include "storage/objstream.h"

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

// The operation count as stored: held and open copies count as held and open.
int32_t Magnitude(int32_t value)
{
    // Through unsigned arithmetic so the lowest value cannot overflow.
    const auto bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(value < 0 ? 0u - bits : bits);
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

void TPair::Write(ObjectWriter& out) const
{
    out.WriteWord(OnTime);
    out.WriteWord(OffTime);
    out.WriteWord(Credit);
    out.WriteByte(static_cast<uint8_t>(Length));
    out.WriteWord(Tafb);
    out.WriteWord(PairNumber);
    out.WriteBool(Valid);
    // Copies are told apart by sign in memory only; the signs are set again
    // after loading.
    for (int32_t count : OpsCount)
        out.WriteWord(Magnitude(count));
    for (size_t k = 0; k < kDays; ++k) {
        out.WriteWord(DayStart[k]);
        out.WriteWord(DayDuty[k]);
        out.WriteWord(DayCredit[k]);
        out.WriteWord(DayHard[k]);
    }
    out.WriteText(PairText);
    out.WriteText(Layovers);
    out.WriteWord(FatigueUnits);
    out.WriteText(PairKey);
    out.WriteRawInt32(Date);
    out.WriteText(PairType);
    for (int32_t credit : ExcludedCredit)
        out.WriteWord(credit);
    out.WriteWord(MinRest);
    out.WriteText(Note);
    for (int32_t type : DayOpsType)
        out.WriteWord(type);
}

void TPair::Read(ObjectReader& in, int version)
{
    OnTime = in.ReadWord();
    OffTime = in.ReadWord();
    Credit = in.ReadWord();
    Length = static_cast<int8_t>(in.ReadByte());
    Tafb = in.ReadWord();
    PairNumber = in.ReadWord();
    Valid = in.ReadBool();
    // The per-day numbers come in long runs; read them as one block when
    // the stream holds it.
    if (const uint8_t* words = in.TakeWords(kDays * 5)) {
        for (size_t d = 0; d < kDays; ++d)
            OpsCount[d] = ObjectReader::WordAt(words, d);
        for (size_t k = 0; k < kDays; ++k) {
            DayStart[k] = ObjectReader::WordAt(words, kDays + 4 * k);
            DayDuty[k] = ObjectReader::WordAt(words, kDays + 4 * k + 1);
            DayCredit[k] = ObjectReader::WordAt(words, kDays + 4 * k + 2);
            DayHard[k] = ObjectReader::WordAt(words, kDays + 4 * k + 3);
        }
    } else {
        for (int32_t& count : OpsCount)
            count = in.ReadWord();
        for (size_t k = 0; k < kDays; ++k) {
            DayStart[k] = in.ReadWord();
            DayDuty[k] = in.ReadWord();
            DayCredit[k] = in.ReadWord();
            DayHard[k] = in.ReadWord();
        }
    }
    in.ReadText(PairText);
    in.ReadText(Layovers);
    FatigueUnits = in.ReadWord();
    in.ReadText(PairKey);
    Date = in.ReadRawInt32();
    in.ReadText(PairType);
    if (version >= 2)
        for (int32_t& credit : ExcludedCredit)
            credit = in.ReadWord();
    if (version >= 3)
        MinRest = in.ReadWord();
    if (version >= 4)
        in.ReadText(Note);
    if (version >= 5)
        for (int32_t& type : DayOpsType)
            type = in.ReadWord();
}

} // namespace tl
