#include "import/new_month.h"

#include "model/interaction.h"
#include "model/schedule_document.h"

#include <string>

namespace tl {

int CrewKindOfGroup(std::string_view groupCode)
{
    if (groupCode.size() < 8)
        return -1;
    std::string_view status = groupCode.substr(6, 2);
    if (status == "CA")
        return 0;
    if (status == "FO")
        return 1;
    if (status == "FA")
        return 2;
    return -1;
}

void SetCrewGroupRules(ScheduleDocument& doc, int crewKind)
{
    const bool cabin = crewKind == 2;
    doc.MonthRules[6] = cabin ? 10 : 12;
    doc.MonthRules[7] = 12;
    doc.MonthRules[8] = cabin ? 3000 : 2700;
    doc.MonthRules[9] = 2400;
    doc.MonthRules[10] = cabin ? 12 : 21;
}

bool CreateEmptyMonth(ScheduleDocument& doc, std::string_view groupCode, int32_t firstDay,
                      int32_t lastDay, Interaction& ui)
{
    const int crewKind = CrewKindOfGroup(groupCode);
    if (crewKind < 0) {
        ui.Message("Tessara Lines",
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
    doc.DisplayState = 1;
    return true;
}

} // namespace tl
