#include "commands/command.h"
#include "commands/index_option.h"

#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "output/other_exports.h"

#include <algorithm>
#include <ostream>

namespace tl::cli {

namespace {

struct FileOptions {
    std::string file;
    AnswerOptions answers;
};

CLI::App* AddExport(CLI::App& app, const char* name, const char* description, FileOptions& options)
{
    CLI::App* command = ExportsCommand(app).add_subcommand(name, description);
    command->add_option("FILE", options.file, "Block file")->required();
    return command;
}

Command AddHtmlCommand(CLI::App& app)
{
    auto options = std::make_shared<FileOptions>();
    CLI::App* command = AddExport(
        app, "html",
        "The blocks as an HTML page, written beside FILE under its name with .htm; prints the "
        "page's path",
        *options);
    options->answers.AddTo(*command);
    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     const auto page = SaveForInternet(doc, ui);
                                     if (!page)
                                         return int(kExitFailed);
                                     context.out << page->string() << '\n';
                                     return int(kExitOk);
                                 });
            }};
}

Command AddTrainingCommand(CLI::App& app)
{
    struct Options : FileOptions {
        std::string out;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = AddExport(
        app, "training",
        "The training report: the indoctrination and line-check pairings of every crew member "
        "as CSV",
        *options);
    command->add_option("OUT", options->out, "CSV file to write")->required();
    options->answers.AddTo(*command);
    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     return TrainingReport(doc, options->out, ui)
                                                ? int(kExitOk)
                                                : int(kExitFailed);
                                 });
            }};
}

Command AddBlocksCommand(CLI::App& app)
{
    struct Options : FileOptions {
        std::vector<int> crew;
        bool pairs = false;
        bool requests = false;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = AddExport(
        app, "blocks",
        "The calendars of the chosen crew members as Copy Blocks to Clipboard puts them there, "
        "lines ending in CR LF",
        *options);
    command
        ->add_option("--crew", options->crew,
                     "Roster position, from 1; once for each crew member to copy")
        ->transform(DecimalIndex());
    command->add_flag("--pairs", options->pairs, "Add the texts of the pairings (ClipPairs)");
    command->add_flag("--requests", options->requests, "Add the row of day requests (ClipXes)");
    options->answers.AddTo(*command);
    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     // The selection is the command line's alone, whatever the file
                                     // kept.
                                     const int crewCount = std::clamp(
                                         doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
                                     for (int c = 0; c < crewCount; ++c)
                                         doc.Crew[static_cast<size_t>(c)].Selected = 0;
                                     for (int position : options->crew) {
                                         if (position < 1 || position > crewCount) {
                                             context.err << "tlines-cli: --crew " << position
                                                         << " is not a roster position of "
                                                         << options->file << '\n';
                                             return int(kExitFailed);
                                         }
                                         doc.Crew[static_cast<size_t>(position - 1)].Selected = 1;
                                     }
                                     context.out << Cp1252ToUtf8(SelectedBlocksText(
                                         doc, options->pairs, options->requests, ui));
                                     return int(kExitOk);
                                 });
            }};
}

} // namespace

std::vector<Command> AddExportCommands(CLI::App& app)
{
    return {AddHtmlCommand(app), AddTrainingCommand(app), AddBlocksCommand(app)};
}

} // namespace tl::cli
