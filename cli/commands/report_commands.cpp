#include "commands/command.h"

#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "output/pairing_reports.h"

#include <ostream>

namespace tl::cli {

namespace {

using ReportText = std::function<std::string(ScheduleDocument&, Interaction&)>;

Command AddReportText(CLI::App& app, const char* name, const char* description, ReportText text)
{
    struct Options {
        std::string file;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = ReportsCommand(app).add_subcommand(name, description);
    command->add_option("FILE", options->file, "Block file")->required();
    options->answers.AddTo(*command);

    return {command, [options, text](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     context.out << Cp1252ToUtf8(text(doc, ui));
                                     return int(kExitOk);
                                 });
            }};
}

} // namespace

// The text as the program puts it on the clipboard, lines ending in "\r\n".
std::vector<Command> AddReportTextCommands(CLI::App& app)
{
    return {
        AddReportText(app, "global",
                      "The Global Information list: the month's credit, the open time and where "
                      "it runs out in seniority order",
                      [](ScheduleDocument& doc, Interaction&) {
                          return ClipboardLines(GlobalInfoLines(doc));
                      }),
        AddReportText(app, "pairings",
                      "The pairing report: credit, hard time and running total of each pairing, "
                      "the occurrences table and the pairing load notes",
                      [](ScheduleDocument& doc, Interaction&) { return PairingReport(doc).Text; }),
        AddReportText(
            app, "crew-lines", "Every crew member's month as a fixed-width text grid",
            [](ScheduleDocument& doc, Interaction& ui) { return CrewLines(doc, ui).Text; }),
    };
}

} // namespace tl::cli
