#include "actions/pairing_filters.h"
#include "commands/command.h"
#include "commands/index_option.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"

#include <algorithm>
#include <ostream>

namespace tl::cli {

Command AddFilterCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        int crew = 0;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "filter", "The numbers of the pairings a crew member's stored pairing filter shows");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_option("--crew", options->crew, "Roster position, from 1")
        ->required()
        ->transform(DecimalIndex());
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(
                    options->file, options->answers, context, MonthUse::Read,
                    [&](ScheduleDocument& doc, Interaction& ui) {
                        const int crew = options->crew - 1;
                        if (crew < 0 || crew >= doc.CrewCount) {
                            ui.Message(kCaption,
                                       Format("There is no crew member at roster position %d",
                                              options->crew),
                                       Icon::Information);
                            return int(kExitFailed);
                        }
                        ApplyCrewFilters(doc, crew);
                        std::vector<int32_t> written; // sorted, to write each number once
                        const int pairs =
                            std::clamp(doc.LastPair + 1, 0, ScheduleDocument::kPairCapacity);
                        for (int p = 0; p < pairs; ++p) {
                            const TPair& pair = doc.Pairs[static_cast<size_t>(p)];
                            if (pair.Mark == kMarkHidden)
                                continue;
                            const auto at =
                                std::lower_bound(written.begin(), written.end(), pair.PairNumber);
                            if (at != written.end() && *at == pair.PairNumber)
                                continue;
                            written.insert(at, pair.PairNumber);
                            context.out << Format("%04d", pair.PairNumber) << '\n';
                        }
                        return int(kExitOk);
                    });
            }};
}

} // namespace tl::cli
