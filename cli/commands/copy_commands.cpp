#include "commands/command.h"

#include "actions/file_copies.h"
#include "model/schedule_document.h"
#include "storage/block_file.h"

#include <optional>
#include <ostream>

namespace tl::cli {

namespace {

// Prints where the copy went; the e-mail itself is the desktop program's.
int Report(const std::optional<CopyResult>& result, CliContext& context)
{
    if (!result)
        return kExitFailed;
    context.out << result->Target.string() << '\n';
    if (result->SendMail)
        context.err << "tlines-cli: no e-mail is sent from the command line; attach "
                    << result->Target.string() << " yourself\n";
    return kExitOk;
}

} // namespace

Command AddSaveForViewerCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        int kind = kViewerFinal;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "save-for-viewer",
        "Save FILE, then its copy for crew viewing without personal data into the Viewer folder "
        "beside it; prints the copy's path");
    command->add_option("FILE", options->file, "Block file")->required();
    command
        ->add_option("--kind", options->kind,
                     "1 before the roster, 2 before the schedule, 3 final (default)")
        ->check(CLI::Range(1, 3));
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Change,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     return Report(SaveForViewer(doc, options->kind, ui), context);
                                 });
            }};
}

Command AddFinalizeCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "finalize", "Save FILE, then the company's copy without personal data into the Company "
                    "folder beside it; prints the copy's path");
    command->add_option("FILE", options->file, "Block file")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Change,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     return Report(FinalizeForCompany(doc, ui), context);
                                 });
            }};
}

} // namespace tl::cli
