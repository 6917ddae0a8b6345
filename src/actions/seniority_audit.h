#pragma once

#include <string>
#include <vector>

namespace tl {

class ScheduleDocument;

// A junior crew member holding a pairing day that a more senior one ranked
// higher in its bid and could hold in its place: free those days, no day
// off asked for, within its maximum credit, legal, and no short rest to
// confirm (what the award places without a question).
struct SeniorityInversion {
    int Junior = 0; // roster indices
    int Senior = 0;
    int Pairing = 0;
    int Day = 0;        // day slot
    int SeniorRank = 0; // preference, 1 to 9
    int JuniorRank = 0; // 10 when the junior did not bid it
};

// Works on any month, hand-built or awarded; changes nothing but the
// legality check's scratch record.
std::vector<SeniorityInversion> AuditSeniority(ScheduleDocument& doc);
std::string SeniorityAuditText(const ScheduleDocument& doc,
                               const std::vector<SeniorityInversion>& found);

} // namespace tl
