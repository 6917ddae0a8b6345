#include "commands/command.h"
#include "model/version.h"

#include "actions/file_copies.h"
#include "actions/open_month.h"
#include "model/schedule_document.h"
#include "storage/block_file.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

namespace tl::cli {

Command AddSaveAsCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string target;
        int kind = 0;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "save-as", "Write a copy of a block file; viewer kinds leave out personal data");
    command->add_option("FILE", options->file, "Block file to read")->required();
    command->add_option("OUT", options->target, "File to write")->required();
    command
        ->add_option("--kind", options->kind,
                     "0 scheduler file, 1 viewer before roster, 2 viewer before schedule, "
                     "3 final viewer")
        ->check(CLI::Range(0, 3));
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                CliInteraction ui(context.out, context.err, options->answers.Policy(),
                                  context.terminal);
                OpenedMonth opened;
                std::unique_ptr<ScheduleDocument> doc = OpenMonth(options->file, ui, &opened);
                if (!doc)
                    return int(kExitFailed);
                const std::filesystem::path target(options->target);
                std::error_code ec;
                const bool exists = std::filesystem::exists(target, ec);
                if (exists && std::filesystem::equivalent(target, doc->FileName, ec)) {
                    // Onto FILE itself this is Save: never a viewer kind, which
                    // would take the month's personal data out of the
                    // scheduler's own file, and never a month not read whole.
                    if (options->kind != kSchedulerFile) {
                        context.err << "tlines-cli: a viewer copy is never written onto "
                                    << options->file << " itself; it is not changed\n";
                        return int(kExitFailed);
                    }
                    if (!MayChangeMonth(options->file, opened, context.err))
                        return int(kExitFailed);
                }
                if (exists && ui.AskAboutFile(kCaption, "%s already exists. Replace it?", target,
                                              Buttons::YesNo, Icon::Question) != Answer::Yes)
                    return int(kExitFailed);
                const bool saved =
                    options->kind == kSchedulerFile
                        ? SaveBlocks(*doc, target, kSchedulerFile, ui)
                        : SaveViewerCopy(*doc, target, static_cast<BlockFileKind>(options->kind),
                                         ui);
                if (!saved)
                    return int(kExitFailed);
                if (!opened.Whole()) {
                    // The copy holds what was read; the month itself was not whole.
                    context.err << "tlines-cli: " << options->file
                                << " is not whole: " << NotWholeReason(opened) << "; "
                                << options->target << " holds what was read\n";
                    return int(kExitFailed);
                }
                return int(kExitOk);
            }};
}

} // namespace tl::cli
