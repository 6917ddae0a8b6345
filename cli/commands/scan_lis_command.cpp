#include "commands/command.h"
#include "model/version.h"

#include "import/lis_scan.h"
#include "model/schedule_document.h"

#include <ostream>

namespace tl::cli {

Command AddScanLisCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::vector<std::string> lis;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "scan-lis", "Tag the pairings' legs with aircraft types, CRA share, meals and French "
                    "pairings from LIS listing files");
    command->add_option("FILE", options->file, "Block file to change (.tl2)")->required();
    command->add_option("LIS", options->lis, "LIS files, read in this order")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Save,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     std::vector<std::filesystem::path> paths(options->lis.begin(),
                                                                              options->lis.end());
                                     for (const std::filesystem::path& path : paths)
                                         if (!LisFileNameHasMonth(doc, path) &&
                                             !ui.AskYes(kCaption, LisMonthQuestion(doc, path)))
                                             return int(kExitFailed);
                                     return ScanLisFiles(doc, paths, ui) ? int(kExitOk)
                                                                         : int(kExitFailed);
                                 });
            }};
}

} // namespace tl::cli
