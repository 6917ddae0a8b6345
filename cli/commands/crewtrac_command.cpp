#include "commands/command.h"

#include "actions/open_month.h"
#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "output/crewtrac_export.h"

#include <map>
#include <ostream>

namespace tl::cli {

// The schedule export for the crew tracking system: NAME.BAW and NAME.LIN
// in the "Export" folder beside FILE, the summary list on stdout.
Command AddExportCrewTracCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        CrewTracCodes codes;
        bool onlyReserve = false;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = ExportsCommand(app).add_subcommand(
        "crewtrac", "The BAW and LIN files of the blocks for the crew tracking system, written "
                    "into the Export folder beside FILE");
    command->add_option("FILE", options->file, "Block file")->required();
    command
        ->add_option("--name", options->codes.FileName, "Base name of both files, 1-8 characters")
        ->required();
    command->add_option("--base", options->codes.BaseCode, "Base code of the pairings, one letter")
        ->required();
    command
        ->add_option("--eqp", options->codes.EqpCode, "Equipment code of the pairings, one digit")
        ->required();
    const std::map<std::string, CrewType> types = {
        {"CA", CrewType::Captain}, {"FO", CrewType::FirstOfficer}, {"PU", CrewType::Attendant}};
    command->add_option("--crew-type", options->codes.Type, "CA, FO or PU")
        ->required()
        ->transform(CLI::CheckedTransformer(types, CLI::ignore_case));
    command->add_flag("--only-reserve", options->onlyReserve,
                      "Flight attendant groups: export only the reserve and partial blocks");
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                CliInteraction ui(context.out, context.err, options->answers.Policy(),
                                  context.terminal);
                OpenedMonth opened;
                std::unique_ptr<ScheduleDocument> doc = OpenMonth(options->file, ui, &opened);
                if (!doc)
                    return int(kExitFailed);
                // The crew tracking system takes the files for the whole month.
                if (!opened.Whole()) {
                    context.err << "tlines-cli: " << options->file
                                << " is not whole: " << NotWholeReason(opened)
                                << "; nothing is exported\n";
                    return int(kExitFailed);
                }
                const ExportOutcome outcome = ExportSchedules(
                    *doc, options->codes, ui,
                    options->onlyReserve ? ReserveChoice::OnlyReserve : ReserveChoice::All);
                for (const std::string& line : outcome.Summary)
                    context.out << Cp1252ToUtf8(line) << '\n';
                return outcome.Completed ? int(kExitOk) : int(kExitFailed);
            }};
}

} // namespace tl::cli
