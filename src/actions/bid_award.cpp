#include "actions/bid_award.h"

#include "actions/award_engine.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "rules/block_build.h"
#include "rules/history.h"

#include <algorithm>

namespace tl {

const char* AwardResultText(AwardResult result)
{
    switch (result) {
    case AwardResult::Awarded:
        return "Awarded";
    case AwardResult::HeldBySenior:
        return "Held by senior";
    case AwardResult::NotLegal:
        return "Not legal";
    case AwardResult::DayOffRequested:
        return "Day off requested";
    case AwardResult::OverMaximumCredit:
        return "Over maximum credit";
    case AwardResult::NeededForCoverage:
        return "Needed for coverage";
    case AwardResult::NotOperating:
        return "Not operating";
    case AwardResult::FallbackLine:
        return "Fallback line";
    case AwardResult::Reserve:
        return "Reserve";
    case AwardResult::OnLeave:
        return "On leave";
    }
    return "";
}

AwardReport AwardBids(ScheduleDocument& doc, const AwardOptions& options, Interaction& ui)
{
    AwardReport report;
    if (!doc.GridOn) {
        ui.Message(kCaption, "Build the blocks before awarding the bids", Icon::Information);
        return report;
    }
    const std::shared_ptr<MonthSnapshot> before = TakeSnapshot(doc);
    // One redraw at the end instead of one per pairing placed.
    DocumentEvents* listener = doc.Listener;
    doc.Listener = nullptr;
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    {
        TProgressDialog progress(ui, "Award Bids", crewCount);
        AwardEngine engine(doc, options, ui);
        for (int c = 0; c < crewCount; ++c) {
            AwardEngine::Outcome outcome = engine.AwardCrew(c, true);
            engine.Leave(c);
            report.Granted += outcome.Granted;
            report.Rows.insert(report.Rows.end(), std::make_move_iterator(outcome.Rows.begin()),
                               std::make_move_iterator(outcome.Rows.end()));
            progress.SetValue(c + 1);
        }
    }
    doc.Listener = listener;
    if (report.Granted > 0)
        RecordGroupStep(doc, before);
    report.BlockHolderCut = ComputeBlockHolderCut(doc);
    report.OpenCreditLeft = OpenCredit(doc);
    ComputeDayBalance(doc);
    for (int c = 0; c < crewCount; ++c) {
        const TPilot& member = doc.Crew[size_t(c)];
        if (!AwardEligible(member))
            continue;
        ++report.CrewAwarded;
        const CreditLimits limits = CreditLimitsOf(doc, member);
        const int32_t credit = StoredBlockCredit(member);
        report.WithinCredit += credit >= limits.Min && credit <= limits.Max;
    }
    for (const AwardRow& row : report.Rows) {
        if (row.Preference != 1 || row.Item.rfind("OFF ", 0) == 0)
            continue;
        ++report.FirstChoices;
        report.FirstGranted += row.Result == AwardResult::Awarded;
    }
    doc.Events().PairingsChanged();
    doc.Events().GridChanged();
    return report;
}

std::string AwardReportText(const ScheduleDocument& doc, const AwardReport& report)
{
    std::string text;
    int last = -1;
    for (const AwardRow& row : report.Rows) {
        if (row.Crew != last) {
            last = row.Crew;
            const TPilot& member = doc.Crew[size_t(row.Crew)];
            text +=
                Format("%03d ", row.Crew + 1) + member.Name + Format(" (%d)\n", member.EmpNumber);
        }
        text += "    " + row.Item + ": " + AwardResultText(row.Result);
        if (!row.Cause.empty())
            text += " - " + row.Cause;
        text += '\n';
    }
    return text;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string AwardReportCsv(const ScheduleDocument& doc, const AwardReport& report)
{
    std::string csv = "position,name,employee,item,result,cause\r\n";
    for (const AwardRow& row : report.Rows) {
        const TPilot& member = doc.Crew[size_t(row.Crew)];
        csv += std::to_string(row.Crew + 1) + ',' + CsvField(member.Name) + ',' +
               std::to_string(member.EmpNumber) + ',' + CsvField(row.Item) + ',' +
               AwardResultText(row.Result) + ',' + CsvField(row.Cause) + "\r\n";
    }
    return csv;
}

} // namespace tl
