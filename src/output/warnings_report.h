#pragma once

#include <string>
#include <vector>

namespace tl {

class ScheduleDocument;

// The exceptions and warnings report: every crew member is checked again
// first, so the lines always tell of the blocks as they are now. Positions
// are roster positions counted from 1.
std::vector<std::string> WarningsReportLines(ScheduleDocument& doc);

// The report as it goes on the clipboard: each line followed by "\r\n".
std::string WarningsReportText(const std::vector<std::string>& lines);

} // namespace tl
