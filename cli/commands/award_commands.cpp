#include "commands/command.h"
#include "commands/index_option.h"

#include "actions/bid_award.h"
#include "actions/bid_whatif.h"
#include "actions/seniority_audit.h"
#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/vortime.h"
#include "storage/safe_write.h"

#include <ostream>

namespace tl::cli {

namespace {

std::string Percent(int part, int whole)
{
    return whole == 0 ? std::string("-") : std::to_string(part * 100 / whole) + "%";
}

} // namespace

Command AddAwardCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string report;
        bool dryRun = false;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "award", "Award the bids in seniority order and print the reasons report; the awarded "
                 "month is saved onto FILE");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_flag("--dry-run", options->dryRun, "Leave FILE as it is");
    command->add_option("--report", options->report, "Write the reasons report as CSV");
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                const MonthUse use = options->dryRun ? MonthUse::Read : MonthUse::Save;
                return WithMonth(
                    options->file, options->answers, context, use,
                    [&](ScheduleDocument& doc, Interaction& ui) {
                        if (!doc.GridOn)
                            return int(kExitFailed);
                        const AwardReport report = AwardBids(doc, AwardOptions{}, ui);
                        if (!options->report.empty()) {
                            const std::string csv = Cp1252ToUtf8(AwardReportCsv(doc, report));
                            const auto* bytes = reinterpret_cast<const uint8_t*>(csv.data());
                            if (WriteFileSafely(options->report, {bytes, csv.size()}) !=
                                WriteResult::Written) {
                                context.err << "tlines-cli: cannot write " << options->report
                                            << "; " << options->file << " is not changed\n";
                                return int(kExitFailed);
                            }
                        }
                        context.out << Cp1252ToUtf8(AwardReportText(doc, report));
                        context.out << "Placed " << report.Granted << " pairing days; "
                                    << report.WithinCredit << " of " << report.CrewAwarded
                                    << " blocks within their credit range ("
                                    << Percent(report.WithinCredit, report.CrewAwarded)
                                    << "); first preferences granted " << report.FirstGranted
                                    << " of " << report.FirstChoices << " ("
                                    << Percent(report.FirstGranted, report.FirstChoices)
                                    << "); open credit left "
                                    << FormatHoursMinutes(report.OpenCreditLeft, false) << '\n';
                        return int(kExitOk);
                    });
            }};
}

Command AddAuditSeniorityCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "audit-seniority", "List every junior crew member holding a pairing day a more senior "
                           "one ranked higher and could hold; exit 1 when there is any");
    command->add_option("FILE", options->file, "Block file")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction&) {
                                     if (!doc.GridOn)
                                         return int(kExitFailed);
                                     const auto found = AuditSeniority(doc);
                                     context.out << Cp1252ToUtf8(SeniorityAuditText(doc, found));
                                     return found.empty() ? int(kExitOk) : int(kExitFailed);
                                 });
            }};
}

Command AddWhatIfCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        int crew = 0;
        std::string bid;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "what-if", "Whether each item of a draft bid would be granted, and down to which roster "
                   "position; FILE is not changed");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_option("--crew", options->crew, "Roster position, from 1")
        ->required()
        ->transform(DecimalIndex());
    command->add_option("--bid", options->bid, "Draft bid text, preference lines \"(1). ...\"")
        ->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     const int crew = options->crew - 1;
                                     if (crew < 0 || crew >= doc.CrewCount) {
                                         context.err << "tlines-cli: the roster has no position "
                                                     << options->crew << '\n';
                                         return int(kExitFailed);
                                     }
                                     if (!doc.GridOn)
                                         return int(kExitFailed);
                                     const auto items = WhatIf(
                                         doc, crew, Utf8ToCp1252(options->bid), AwardOptions{}, ui);
                                     context.out << Cp1252ToUtf8(WhatIfText(items));
                                     return int(kExitOk);
                                 });
            }};
}

} // namespace tl::cli
