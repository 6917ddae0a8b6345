#include "commands/command.h"
#include "model/version.h"

#include "import/new_month.h"
#include "model/schedule_document.h"
#include "storage/block_file.h"

#include <filesystem>
#include <ostream>

namespace tl::cli {

Command AddNewCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string group;
        std::string start;
        std::string end;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "new", "Create an empty month for a crew group and save it as a scheduler file");
    command->add_option("FILE", options->file, "Block file to write (.tl2)")->required();
    command
        ->add_option("--group", options->group,
                     "Crew group code: base, equipment, status (CA, FO or FA) and pairing "
                     "letter, such as YYZDH8CAZ")
        ->required();
    command->add_option("--start", options->start, "First day of the month, YYYY-MM-DD")
        ->required();
    command->add_option("--end", options->end, "Last day of the month, YYYY-MM-DD")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                const int32_t first = ParseIsoDate(options->start);
                const int32_t last = ParseIsoDate(options->end);
                if (first == 0 || last == 0) {
                    context.err << "tlines-cli: --start and --end take real dates as YYYY-MM-DD\n";
                    return int(kExitUsage);
                }
                CliInteraction ui(context.out, context.err, options->answers.Policy(),
                                  context.terminal);
                std::error_code ec;
                if (std::filesystem::exists(options->file, ec) &&
                    ui.AskAboutFile(kCaption, "%s already exists. Replace it?", options->file,
                                    Buttons::YesNo, Icon::Question) != Answer::Yes)
                    return int(kExitFailed);
                auto doc = std::make_unique<ScheduleDocument>();
                if (!CreateEmptyMonth(*doc, options->group, first, last, ui))
                    return int(kExitFailed);
                doc->FileName = options->file;
                if (!SaveBlocks(*doc, options->file, kSchedulerFile, ui))
                    return int(kExitFailed);
                return int(kExitOk);
            }};
}

} // namespace tl::cli
