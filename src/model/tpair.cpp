#include "model/tpair.h"

#include "model/vortime.h"

namespace tl {

TPair::TPair()
{
    Reset();
    Date = TodayJulianDay();
}

void TPair::Reset()
{
    OnTime = OffTime = Credit = 0;
    Length = DaysWorked = 0;
    Tafb = PairNumber = 0;
    OpsCount.fill(0);
    ExcludedCredit.fill(0);
    DayOpsType.fill(0);
    DayStart.fill(0);
    DayDuty.fill(0);
    DayHard.fill(0);
    DayCredit.fill(0);
    FatigueUnits = 0;
    MinRest = 660;
    CrossesMidnight = false;
    Mark = 0;
    Valid = false;
    HasUsaSegments = false;
    PairText.clear();
    Note.clear();
    Layovers.clear();
    ErrorText.clear();
    PairKey.clear();
    PairType.clear();
    // Label, CreditClass and Date stay as they are.
}

} // namespace tl
