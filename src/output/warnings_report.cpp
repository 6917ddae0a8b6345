#include "output/warnings_report.h"

#include "model/schedule_document.h"
#include "rules/legality.h"

#include <algorithm>

namespace tl {

std::vector<std::string> WarningsReportLines(ScheduleDocument& doc)
{
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    // The two-captain pass only reads blocks and qualifications, so one pass
    // after all the checks leaves every crew member as a pass after each
    // check would.
    for (int i = 0; i < count; ++i) {
        CheckLegality(doc, i);
        doc.Crew[static_cast<size_t>(i)].LegalityValid = 1;
    }
    if (doc.CrewKind == kCaptains)
        CheckTwoCaptainPairs(doc);

    std::vector<std::string> lines = {"------- EXCEPTIONS -------", ""};
    for (int i = 0; i < count; ++i) {
        const TPilot& crew = doc.Crew[static_cast<size_t>(i)];
        if (!crew.Illegalities.empty())
            lines.push_back(std::to_string(i + 1) + "  " + crew.Name + " " + crew.Illegalities);
    }
    lines.insert(lines.end(), {"", "------ WARNINGS ------", ""});
    for (int i = 0; i < count; ++i) {
        const TPilot& crew = doc.Crew[static_cast<size_t>(i)];
        if (!crew.Warnings.empty())
            lines.push_back(std::to_string(i + 1) + "  " + crew.Name + " Warning " + crew.Warnings);
    }
    return lines;
}

std::string WarningsReportText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace tl
