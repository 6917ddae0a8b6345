#include "model/tpilot.h"

namespace tl {

TPilot::TPilot()
{
    Reset();
}

TPilot::TPilot(const TPilot& other) : TStreamableBase(other)
{
    *this = other;
}

TPilot& TPilot::operator=(const TPilot& other)
{
    if (this == &other)
        return *this;
    Name = other.Name;
    Phone1 = other.Phone1;
    Phone2 = other.Phone2;
    InfoText3 = other.InfoText3;
    Illegalities = other.Illegalities;
    CarsLog = other.CarsLog;
    FilterText = other.FilterText;
    BidText = other.BidText;
    Notes = other.Notes;
    Quals = other.Quals;
    EmpNumber = other.EmpNumber;
    SpareWord = other.SpareWord;
    AllMonthLeave = other.AllMonthLeave;
    DaySlot = other.DaySlot;
    DayFlag = other.DayFlag;
    DayLocked = other.DayLocked;
    DayIllegal = other.DayIllegal;
    DayWarning = other.DayWarning;
    DayCode = other.DayCode;
    DayCode2 = other.DayCode2;
    DayText = other.DayText;
    DayOther = other.DayOther;
    DayCarry = other.DayCarry;
    CarryIn = other.CarryIn;
    Requests = other.Requests;
    DraftCredits = other.DraftCredits;
    MiscHours = other.MiscHours;
    SpareCredit = other.SpareCredit;
    TimeBank = other.TimeBank;
    TrainingCredit = other.TrainingCredit;
    TrainingFlag = other.TrainingFlag;
    TimeBankCredit = other.TimeBankCredit;
    AlbCredit = other.AlbCredit;
    CreditHours = other.CreditHours;
    CreditMinutes = other.CreditMinutes;
    BidReserveOrLoa = other.BidReserveOrLoa;
    BeyondBlockHolders = other.BeyondBlockHolders;
    Selected = other.Selected;
    LegalityValid = other.LegalityValid;
    Option2 = other.Option2;
    // Warnings belongs to this record's own legality run and is not copied.
    return *this;
}

void TPilot::Reset()
{
    Name.clear();
    Phone1.clear();
    Phone2.clear();
    InfoText3.clear();
    FilterText.clear();
    BidText.clear();
    Notes.clear();
    Illegalities.clear();
    CarsLog.clear();
    Quals.clear();
    EmpNumber = 0;
    AllMonthLeave = 0;
    // SpareWord and BeyondBlockHolders keep their values.
    DaySlot.fill(-1);
    DayFlag.fill(0);
    DayLocked.fill(0);
    DayIllegal.fill(0);
    DayWarning.fill(0);
    for (int s = 0; s < kSlots; ++s) {
        DayCode[static_cast<size_t>(s)].clear();
        DayCode2[static_cast<size_t>(s)].clear();
        DayText[static_cast<size_t>(s)].clear();
    }
    DayOther = {};
    DayCarry = {};
    Requests.fill(0);
    CarryIn.fill(0);
    CreditHours = CreditMinutes = 0;
    BidReserveOrLoa = 0;
    Selected = 0;
    DraftCredits = MiscHours = SpareCredit = TimeBank = TrainingCredit = 0;
    TrainingFlag = false;
    LegalityValid = 1;
    Option2 = 1;
    TimeBankCredit = AlbCredit = 0;
}

} // namespace tl
