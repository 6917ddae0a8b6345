#include "commands/command.h"
#include "commands/index_option.h"

#include "actions/bid_guess.h"
#include "actions/bid_requests.h"
#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/version.h"

#include <ostream>

namespace tl::cli {

Command AddImportBidsCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string bids;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "import-bids", "Read the pilots' bids of a bid file into FILE, as Pilot Bids... does");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_option("CSV", options->bids, "Bid file of the bidding system")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Save,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     const BidImportResult result =
                                         ImportBids(doc, options->bids, ui);
                                     if (result.Outcome != BidImportOutcome::Read)
                                         return int(kExitFailed);
                                     if (result.Found > 0)
                                         return int(kExitOk);
                                     context.err << "tlines-cli: " << options->bids
                                                 << " holds no bid of the roster; " << options->file
                                                 << " is not changed\n";
                                     return int(kExitFailed);
                                 });
            }};
}

Command AddGuessCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        int crew = 0;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "guess", "The days off and pairings a crew member's bid asks for, as the bids window "
                 "reads them");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_option("--crew", options->crew, "Roster position, from 1")
        ->required()
        ->transform(DecimalIndex());
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(
                    options->file, options->answers, context, MonthUse::Read,
                    [&](ScheduleDocument& doc, Interaction& ui) {
                        if (doc.CrewKind == kFlightAttendants) {
                            ui.Message(kCaption, "This Feauture is for Pilot use only.",
                                       Icon::Information);
                            return int(kExitFailed);
                        }
                        const int crew = options->crew - 1;
                        if (crew < 0 || crew >= doc.CrewCount) {
                            context.err << "tlines-cli: the roster has no position "
                                        << options->crew << '\n';
                            return int(kExitFailed);
                        }
                        const TPilot& pilot = doc.Crew[static_cast<size_t>(crew)];
                        context.out << Cp1252ToUtf8(GuessPaneText(GuessTheBid(doc, pilot.BidText)));
                        return int(kExitOk);
                    });
            }};
}

} // namespace tl::cli
