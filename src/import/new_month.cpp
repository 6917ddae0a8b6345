#include "import/new_month.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"

#include <string>

namespace tl {

int CrewKindOfGroup(std::string_view groupCode)
{
    if (groupCode.size() < 8)
        return -1;
    std::string_view status = groupCode.substr(6, 2);
    if (status == "CA")
        return kCaptains;
    if (status == "FO")
        return kFirstOfficers;
    if (status == "FA")
        return kFlightAttendants;
    return -1;
}

void SetCrewGroupRules(ScheduleDocument& doc, int crewKind)
{
    const bool cabin = crewKind == kFlightAttendants;
    doc.MonthRules[MonthRule::BlockHolderDaysOff] = cabin ? 10 : 12;
    doc.MonthRules[MonthRule::ReserveDaysOff] = 12;
    doc.MonthRules[MonthRule::ReducedMaxCredit] = cabin ? 3000 : 2700;
    doc.MonthRules[MonthRule::ReducedMinCredit] = 2400;
    doc.MonthRules[MonthRule::ReducedDaysOff] = cabin ? 12 : 21;
}

bool CreateEmptyMonth(ScheduleDocument& doc, std::string_view groupCode, int32_t firstDay,
                      int32_t lastDay, Interaction& ui)
{
    const int crewKind = CrewKindOfGroup(groupCode);
    if (crewKind < 0) {
        ui.Message(kCaption,
                   std::string(groupCode) + " Is Not a Valid Base/Eqp/Status/Pairing Combination",
                   Icon::Warning);
        return false;
    }
    doc.DeleteAll(ui);
    if (!doc.SetMonth(ui, firstDay, lastDay))
        return false;
    doc.GroupName = std::string(groupCode);
    doc.CrewKind = static_cast<int8_t>(crewKind);
    SetCrewGroupRules(doc, crewKind);
    doc.Untitled = true;
    doc.Modified = false;
    doc.DisplayState = kMonthOpen;
    return true;
}

} // namespace tl
