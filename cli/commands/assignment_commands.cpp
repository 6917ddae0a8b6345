#include "commands/command.h"
#include "commands/index_option.h"
#include "model/version.h"

#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "rules/assignment.h"
#include "rules/history.h"

#include <ostream>

namespace tl::cli {

namespace {

struct PairingDayOptions {
    std::string file;
    int crew = 0;
    int pair = -1;
    int day = 0;
    AnswerOptions answers;
};

// assign and remove: one pairing day of one crew member. Out-of-range values
// go to the operation, which refuses them with its own results.
template <typename Result>
Command AddPairingDayCommand(CLI::App& app, const char* name, const char* description,
                             Result (*operation)(ScheduleDocument&, Interaction&, int, int, int),
                             std::string_view (*refusal)(Result))
{
    auto options = std::make_shared<PairingDayOptions>();
    CLI::App* command = app.add_subcommand(name, description);
    command->add_option("FILE", options->file, "Block file; saved when the block changed")
        ->required();
    command->add_option("--crew", options->crew, "Roster position, from 1")
        ->required()
        ->transform(DecimalIndex());
    command->add_option("--pair", options->pair, "Pairing table index, from 0, as inspect lists")
        ->required()
        ->transform(DecimalIndex());
    command->add_option("--day", options->day, "Day of the month the pairing starts, from 1")
        ->required()
        ->transform(DecimalIndex());
    options->answers.AddTo(*command);

    return {command, [options, operation, refusal](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Save,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     // The operations take the row after the roster for
                                     // the complement tools; no one names it here.
                                     const int crew = options->crew - 1;
                                     const Result result =
                                         crew >= doc.CrewCount
                                             ? Result::CrewOutOfRange
                                             : operation(doc, ui, crew, options->pair,
                                                         options->day - 1);
                                     if (result == Result::Done)
                                         return int(kExitOk);
                                     const std::string_view message = refusal(result);
                                     if (!message.empty())
                                         ui.Message(kCaption, message, Icon::Information);
                                     return int(kExitFailed);
                                 });
            }};
}

AssignResult Assign(ScheduleDocument& doc, Interaction& ui, int crew, int pairing, int day)
{
    return AssignPair(doc, ui, crew, pairing, day, false);
}

} // namespace

Command AddAssignCommand(CLI::App& app)
{
    return AddPairingDayCommand(
        app, "assign",
        "Give a pairing to a crew member as Who Is Legal's Assign does: rest check, questions, "
        "a transaction",
        Assign, AssignResultMessage);
}

Command AddRemoveCommand(CLI::App& app)
{
    return AddPairingDayCommand(app, "remove",
                                "Take a pairing off a crew member's block back to open", RemovePair,
                                RemoveResultMessage);
}

Command AddUndoCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command =
        app.add_subcommand("undo", "Take back the newest transaction of the month's history");
    command->add_option("FILE", options->file, "Block file; saved after the undo")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                int status = kExitOk;
                const int saved =
                    WithMonth(options->file, options->answers, context, MonthUse::Save,
                              [&](ScheduleDocument& doc, Interaction& ui) {
                                  switch (Undo(doc, ui)) {
                                  case UndoResult::Empty:
                                      context.err << "tlines-cli: the history is empty\n";
                                      return int(kExitFailed);
                                  case UndoResult::Refused:
                                      // The refused transaction has left the history:
                                      // keep that.
                                      status = kExitFailed;
                                      break;
                                  case UndoResult::Declined:
                                      context.err << "tlines-cli: nothing undone; the "
                                                     "transaction stays in the "
                                                     "history\n";
                                      return int(kExitFailed);
                                  case UndoResult::Undone:
                                      break;
                                  }
                                  return int(kExitOk);
                              });
                return saved != kExitOk ? saved : status;
            }};
}

Command AddHistoryCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "history", "The month's transactions, newest first: kind, pairing, date and name, "
                   "tab-separated");
    command->add_option("FILE", options->file, "Block file")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction&) {
                                     const std::string text = HistoryText(doc);
                                     size_t from = 0;
                                     for (size_t plus = text.find('+'); plus != std::string::npos;
                                          plus = text.find('+', from)) {
                                         context.out << Cp1252ToUtf8(text.substr(from, plus - from))
                                                     << '\n';
                                         from = plus + 1;
                                     }
                                     return int(kExitOk);
                                 });
            }};
}

} // namespace tl::cli
