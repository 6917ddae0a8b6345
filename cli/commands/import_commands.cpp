#include "commands/command.h"
#include "model/version.h"

#include "actions/baw_lin_import.h"
#include "import/absences_extract.h"
#include "import/activity_extract.h"
#include "import/roster_extract.h"
#include "import/toolbox_file.h"
#include "model/schedule_document.h"
#include "model/text_format.h"

#include <functional>
#include <memory>
#include <optional>

namespace tl::cli {

namespace {

// Opens FILE, runs one importer on it and saves it when the importer
// succeeded. The importer's summary list goes to stdout through the seam.
int ImportInto(const std::string& file, const AnswerOptions& answers, CliContext& context,
               const std::function<bool(ScheduleDocument&, Interaction&)>& import)
{
    return WithMonth(file, answers, context, MonthUse::Save,
                     [&](ScheduleDocument& doc, Interaction& ui) {
                         return import(doc, ui) ? int(kExitOk) : int(kExitFailed);
                     });
}

} // namespace

Command AddImportRosterCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string extract;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "import-roster", "Make the roster of FILE's crew group from an employee record extract");
    command->add_option("FILE", options->file, "Block file")->required();
    command
        ->add_option("EXTRACT", options->extract, "Employee record extract (*perp.ext, *perc.ext)")
        ->required();
    options->answers.AddTo(*command);
    options->answers.AddOddExtractTo(*command);

    return {command, [options](CliContext& context) {
                return ImportInto(
                    options->file, options->answers, context,
                    [&](ScheduleDocument& doc, Interaction& ui) {
                        if (doc.CrewCount > 0 &&
                            !ui.AskYes(kCaption, "This will replace the Roster and erase "
                                                 "every Block. Proceed"))
                            return false;
                        // The new roster must not inherit the blocks of
                        // the crew members it replaces.
                        doc.ZeroData(ui, true, false, ScheduleDocument::Extent::InUse);
                        if (!LoadRosterFromExtract(doc, doc.GroupName, options->extract, ui))
                            return false;
                        if (doc.CrewCount > 0)
                            return true;
                        context.err << "tlines-cli: " << options->extract
                                    << " holds no crew member of the group; " << options->file
                                    << " is not changed\n";
                        return false;
                    });
            }};
}

Command AddImportAbsencesCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string extract;
        bool nextMonth = false;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "import-absences", "Put the absences of a crew absence extract on the blocks of FILE");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_option("EXTRACT", options->extract, "Crew absence extract (*absp.ext, *absc.ext)")
        ->required();
    command->add_flag("--next-month", options->nextMonth,
                      "The extract is the following month's: its days go after the month's own");
    options->answers.AddTo(*command);
    options->answers.AddOddExtractTo(*command);

    return {command, [options](CliContext& context) {
                return ImportInto(options->file, options->answers, context,
                                  [&](ScheduleDocument& doc, Interaction& ui) {
                                      return LoadCrewAbsences(doc, options->extract,
                                                              options->nextMonth, ui);
                                  });
            }};
}

Command AddImportActivityCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string activity;
        std::string pairings;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "import-activity",
        "Read last month's activity of FILE's crew from the activity and pairing extracts");
    command->add_option("FILE", options->file, "Block file")->required();
    command
        ->add_option("ACTIVITY", options->activity, "Crew activity extract (*actp.ext, *actc.ext)")
        ->required();
    command
        ->add_option("PAIRING-EXTRACT", options->pairings,
                     "Pairing extract of the prior period (*prgp.ext, *prgc.ext)")
        ->required();
    options->answers.AddTo(*command);
    options->answers.AddOddExtractTo(*command);

    return {command, [options](CliContext& context) {
                return ImportInto(options->file, options->answers, context,
                                  [&](ScheduleDocument& doc, Interaction& ui) {
                                      return LoadLastMonthsData(doc, options->activity,
                                                                options->pairings, ui);
                                  });
            }};
}

Command AddImportToolBoxCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string toolBox;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "import-toolbox", "Replace the activity codes of FILE with those of a toolbox file");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_option("TOOLBOX", options->toolBox, "Toolbox file")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return ImportInto(options->file, options->answers, context,
                                  [&](ScheduleDocument& doc, Interaction& ui) {
                                      if (!LoadToolBox(options->toolBox, doc, ui))
                                          return false;
                                      doc.Modified = true;
                                      return true;
                                  });
            }};
}

} // namespace tl::cli

namespace tl::cli {

Command AddImportBlocksCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string baw;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "import-blocks", "Put the blocks of a BAW file and the LIN file beside it (the schedule "
                         "export's files) on the crew members of FILE with their employee numbers");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_option("BAW", options->baw, "BAW file (*.baw); its LIN file sits beside it")
        ->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return ImportInto(
                    options->file, options->answers, context,
                    [&](ScheduleDocument& doc, Interaction& ui) {
                        const std::optional<BawLinFile> blocks = ReadBawLin(options->baw, ui);
                        if (!blocks)
                            return false;
                        BlockImportResult result = ImportBawLinBlocks(doc, ui, blocks->Blocks);
                        std::vector<std::string> lines = blocks->Problems;
                        lines.insert(lines.end(), result.Problems.begin(), result.Problems.end());
                        lines.push_back(Format("%d Days Placed", result.Placed));
                        ui.ShowList(kImportBlocksCaption, lines);
                        if (result.Placed > 0)
                            return true;
                        context.err << "tlines-cli: nothing was placed; " << options->file
                                    << " is not changed\n";
                        return false;
                    });
            }};
}

} // namespace tl::cli
