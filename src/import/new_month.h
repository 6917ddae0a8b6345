#pragma once

#include <cstdint>
#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// Crew kind of a crew group code from its status letters, the 7th and 8th
// characters ("YYZDH8CAZ"): "CA" 0, "FO" 1, "FA" 2; -1 for anything else.
int CrewKindOfGroup(std::string_view groupCode);

// Days off and reduced-block defaults (month rules 6 to 10) of a crew kind.
void SetCrewGroupRules(ScheduleDocument& doc, int crewKind);

// Clears the document and sets up an empty month for the crew group from
// its first to its last day (Julian day numbers). The month is untitled
// until it is saved under a name. False, with the message shown, when the
// code or the dates do not make a month.
[[nodiscard]] bool CreateEmptyMonth(ScheduleDocument& doc, std::string_view groupCode,
                                    int32_t firstDay, int32_t lastDay, Interaction& ui);

} // namespace tl
