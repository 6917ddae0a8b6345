#pragma once

#include <string>

namespace tl {

class ScheduleDocument;

// Brings the derived fields up to date as opening a month does: each used
// pairing validated and classed by credit, each crew member's all-month
// leave.
void RefreshDerivedFields(ScheduleDocument& doc);

// The whole document as JSON: keys are the field names the program uses,
// texts are converted from the Windows-1252 code page, and only the used
// entries of the tables are listed.
std::string DocumentJson(const ScheduleDocument& doc, int indent = 2);

// A few lines a scheduler can read at a glance.
std::string DocumentSummary(const ScheduleDocument& doc);

} // namespace tl
