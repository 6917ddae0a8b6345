#include "commands/command.h"

#include "model/schedule_document.h"
#include "output/document_json.h"
#include "storage/block_file.h"

#include <ostream>

namespace tl::cli {

Command AddInspectCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        bool json = false;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "inspect", "Show a block file's month as it stands after opening, that is once built");
    command->add_option("FILE", options->file, "Block file (.tl2, .tlv)")->required();
    command->add_flag("--json", options->json,
                      "The whole month as JSON, field by field, after opening: OpsCount signs "
                      "set again, assignment marks repaired, legality results, block credits, "
                      "BlockHolderCut and DayBalance");
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction&) {
                                     RefreshDerivedFields(doc);
                                     context.out << (options->json ? DocumentJson(doc)
                                                                   : DocumentSummary(doc));
                                     return int(kExitOk);
                                 });
            }};
}

} // namespace tl::cli
