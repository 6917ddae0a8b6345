#include "cliapp.h"

#include "commands/command.h"
#include "model/version.h"

#include <new>
#include <ostream>
#include <utility>
#include <vector>

namespace tl::cli {

namespace {

int RunParsed(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
              bool terminal)
{
    CLI::App app{"Tessara Lines on the command line: scripted months and checks without a display.",
                 "tlines-cli"};
    app.set_version_flag("--version", tl::Version());
    app.require_subcommand(0, 1);
    app.footer("Commands that change a month save the file only when they succeed.\n"
               "Messages go to stderr as \"caption: text\"; lists and reports to stdout.\n"
               "Exit status: 0 success, 1 refused or failed, 2 wrong usage.");

    std::vector<Command> commands = {AddNewCommand(app),
                                     AddInspectCommand(app),
                                     AddSaveAsCommand(app),
                                     AddSampleCommand(app),
                                     AddSaveForViewerCommand(app),
                                     AddFinalizeCommand(app),
                                     AddCheckCommand(app),
                                     AddWhoLegalCommand(app),
                                     AddImportRosterCommand(app),
                                     AddImportAbsencesCommand(app),
                                     AddImportActivityCommand(app),
                                     AddImportToolBoxCommand(app),
                                     AddImportPairingsCommand(app),
                                     AddImportBlocksCommand(app),
                                     AddScanLisCommand(app),
                                     AddBuildCommand(app),
                                     AddReportWarningsCommand(app)};
    // Block operations.
    commands.push_back(AddAssignCommand(app));
    commands.push_back(AddRemoveCommand(app));
    commands.push_back(AddUndoCommand(app));
    commands.push_back(AddHistoryCommand(app));
    commands.push_back(AddRosterCommand(app));
    commands.push_back(AddEditPairingCommand(app));
    commands.push_back(AddPairingWarningsCommand(app));
    commands.push_back(AddImportBidsCommand(app));
    commands.push_back(AddGuessCommand(app));
    commands.push_back(AddAwardCommand(app));
    commands.push_back(AddAuditSeniorityCommand(app));
    commands.push_back(AddWhatIfCommand(app));
    for (Command& report : AddReportTextCommands(app))
        commands.push_back(std::move(report));
    for (Command& exported : AddExportCommands(app))
        commands.push_back(std::move(exported));
    commands.push_back(AddFilterCommand(app));
    commands.push_back(AddExportCrewTracCommand(app));

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitOk;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        err << "tlines-cli: " << e.what() << '\n' << "Run with --help for the commands.\n";
        return kExitUsage;
    }

    CliContext context{out, err, terminal};
    for (Command& command : commands) {
        if (!command.app->parsed())
            continue;
        try {
            return command.run(context);
        } catch (const std::bad_alloc&) {
            // The month's tables alone take megabytes; a machine short of
            // them ends the command with the program's fatal message.
            err << "Fatal Error: Not Enough Memory. Try quitting other Programs\n";
            return kExitFailed;
        }
    }
    err << app.help();
    return kExitUsage;
}

} // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   bool terminal)
{
    const int status = RunParsed(argc, argv, out, err, terminal);
    // Output that never arrived (a full disk, a closed pipe) is a failure,
    // whatever the command did.
    out.flush();
    if (!out) {
        err << "tlines-cli: standard output could not be written\n";
        return kExitFailed;
    }
    return status;
}

} // namespace tl::cli
