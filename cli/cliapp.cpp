#include "cliapp.h"

#include "model/version.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace tl::cli {

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   bool terminal)
{
    (void)terminal; // commands that report progress use it
    CLI::App app{"Tessara Lines on the command line: scripted months and checks without a display.",
                 "tlines-cli"};
    app.set_version_flag("--version", tl::Version());
    app.require_subcommand(0, 1);
    app.footer("Exit status: 0 success, 1 refused or failed, 2 wrong usage.");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp& e) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "tlines-cli: " << e.what() << '\n' << "Run with --help for the commands.\n";
        return 2;
    }

    if (app.get_subcommands().empty()) {
        err << app.help();
        return 2;
    }
    return 0;
}

} // namespace tl::cli
