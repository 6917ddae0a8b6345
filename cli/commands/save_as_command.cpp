#include "commands/command.h"

#include "model/schedule_document.h"
#include "storage/block_file.h"
#include "storage/file_copies.h"

#include <ostream>

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
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     const bool saved =
                                         options->kind == kSchedulerFile
                                             ? SaveBlocks(doc, options->target, kSchedulerFile, ui)
                                             : SaveViewerCopy(doc, options->target, options->kind,
                                                              ui);
                                     return saved ? int(kExitOk) : int(kExitFailed);
                                 });
            }};
}

} // namespace tl::cli
