#include "commands/command.h"

#include "actions/open_month.h"
#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/text_format.h"
#include "output/warnings_report.h"
#include "rules/block_build.h"
#include "storage/block_file.h"
#include "storage/month_lock.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>

namespace tl::cli {

namespace {

// What Build Blocks found and left behind, for the scheduler to read.
void ShowBuild(const BuildReport& report, ScheduleDocument& doc, std::ostream& out)
{
    out << "Errors corrected: " << report.Repairs.size() << '\n';
    for (const std::string& line : report.Repairs)
        out << "  " << Cp1252ToUtf8(line) << '\n';
    out << "Invalid pairings: " << report.InvalidPairs << '\n';
    if (report.DaylightSavingFailed)
        out << "Daylight saving: not set up\n";
    const int crew = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    const int holders = std::clamp(doc.BlockHolderCut + 1, 0, crew);
    out << "Block holders: " << holders << " of " << crew << '\n';
    const int32_t open = OpenCredit(doc);
    out << "Open credit: " << Format("%04d:%02d", open / 60, std::abs(open % 60)) << '\n';
    int illegal = 0;
    int warned = 0;
    for (int i = 0; i < crew; ++i) {
        const TPilot& c = doc.Crew[static_cast<size_t>(i)];
        illegal += c.Illegalities.empty() ? 0 : 1;
        warned += c.Warnings.empty() ? 0 : 1;
    }
    out << "Blocks with exceptions: " << illegal << ", with warnings: " << warned << '\n';
}

} // namespace

Command AddBuildCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "build", "Build Blocks as opening a month does: repair the assignment marks, credit and "
                 "check every block, show what was found and save the built month");
    command->add_option("FILE", options->file, "Block file to build")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                CliInteraction ui(context.out, context.err, options->answers.Policy(),
                                  context.terminal);
                MonthLock lock;
                if (!LockForEditing(options->file, lock, ui))
                    return int(kExitFailed);
                OpenedMonth opened;
                std::unique_ptr<ScheduleDocument> doc = OpenMonth(options->file, ui, &opened);
                if (!doc)
                    return int(kExitFailed);
                if (opened.BuildStopped) {
                    context.err << "tlines-cli: building stopped so pairing "
                                << opened.Build.EditPair
                                << " can be edited; the file is not changed\n";
                    return int(kExitFailed);
                }
                if (!MayChangeMonth(options->file, opened, context.err))
                    return int(kExitFailed);
                ShowBuild(opened.Build, *doc, context.out);
                return SaveBlocks(*doc, doc->FileName, kSchedulerFile, ui) ? int(kExitOk)
                                                                           : int(kExitFailed);
            }};
}

Command AddReportWarningsCommand(CLI::App& app)
{
    CLI::App* report = &ReportsCommand(app);

    struct Options {
        std::string file;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = report->add_subcommand(
        "warnings", "The exceptions and warnings report; every block is checked again first");
    command->add_option("FILE", options->file, "Block file")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction&) {
                                     for (const std::string& line : WarningsReportLines(doc))
                                         context.out << Cp1252ToUtf8(line) << '\n';
                                     return int(kExitOk);
                                 });
            }};
}

} // namespace tl::cli
