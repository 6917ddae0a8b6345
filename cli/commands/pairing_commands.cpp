#include "commands/command.h"
#include "commands/index_option.h"

#include "actions/pairing_edit.h"
#include "import/pairing_warnings.h"
#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/text_format.h"
#include "model/version.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <sstream>
#include <tuple>

namespace tl::cli {

namespace {

struct EditPairingOptions {
    std::string file;
    int pair = -1;
    std::string number, on, credit, tafb, days;
    int dutyDay = 0;
    std::string start, duty, hard, dayCredit;
    AnswerOptions answers;
};

// "1,3,17": days of the month from 1; false for anything else.
bool ReadDays(const std::string& list, int daysInMonth, std::array<bool, 31>& days)
{
    days.fill(false);
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item.empty() || item.size() > 2 ||
            item.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const int day = std::stoi(item);
        if (day < 1 || day > daysInMonth)
            return false;
        days[static_cast<size_t>(day - 1)] = true;
    }
    return !list.empty();
}

int EditPairing(const EditPairingOptions& o, ScheduleDocument& doc, Interaction& ui,
                std::ostream& err)
{
    if (o.pair > doc.LastPair || o.pair >= ScheduleDocument::kPairCapacity) {
        err << "tlines-cli: --pair " << o.pair << " is not in the pairing table (0 to "
            << doc.LastPair << ")\n";
        return kExitUsage;
    }
    // The editor's fields as they show the pairing, with what was given typed over them.
    PairForm form = ShowPair(doc, o.pair);
    for (auto [given, field] : {std::pair{&o.number, &form.Number}, std::pair{&o.on, &form.On},
                                std::pair{&o.credit, &form.Credit}, std::pair{&o.tafb, &form.Tafb}})
        if (!given->empty())
            *field = Utf8ToCp1252(*given);
    if (!o.days.empty() && !ReadDays(o.days, doc.DaysInMonth, form.Days)) {
        err << "tlines-cli: --days " << o.days << ": days of the month from 1 to "
            << doc.DaysInMonth << ", comma-separated\n";
        return kExitUsage;
    }
    int length = 0;
    const std::string problems = PairFormProblems(doc, form, &length);
    if (!problems.empty()) {
        ui.Message(Format("Errors in this Pairing at Index %03d!", o.pair), problems,
                   Icon::Warning);
        return kExitFailed;
    }
    const bool dutyDayGiven = o.dutyDay > 0;
    if (dutyDayGiven) {
        const int most = std::max(length, DutyDayCount(doc.Pairs[static_cast<size_t>(o.pair)]));
        if (o.dutyDay > most) {
            err << "tlines-cli: --duty-day " << o.dutyDay << ": the pairing has " << most
                << " duty days\n";
            return kExitUsage;
        }
    }
    // The duty day is checked before anything is stored, so a refusal leaves all as it was.
    DutyDayForm day = ShowDutyDay(doc, o.pair, o.dutyDay - 1);
    for (auto [given, field] :
         {std::pair{&o.start, &day.Start}, std::pair{&o.duty, &day.Duty},
          std::pair{&o.hard, &day.Hard}, std::pair{&o.dayCredit, &day.Credit}})
        if (!given->empty())
            *field = Utf8ToCp1252(*given);
    doc.PairEditUnlocked = true;
    if (dutyDayGiven && !StoreDutyDay(doc, ui, o.pair, o.dutyDay - 1, day)) {
        ui.Message(kCaption, "Daily Data Invalid. Please Correct the Data", Icon::Warning);
        return kExitFailed;
    }
    // Checked above: the header is stored.
    (void)StorePairInfo(doc, ui, o.pair, form);
    return kExitOk;
}

} // namespace

Command AddEditPairingCommand(CLI::App& app)
{
    auto options = std::make_shared<EditPairingOptions>();
    CLI::App* command = app.add_subcommand(
        "edit-pairing", "Change one pairing as the pairing editor does: header, operating days "
                        "and one duty day; a day taken off frees its holder's day");
    command->add_option("FILE", options->file, "Block file; saved when the pairing changed")
        ->required();
    command->add_option("--pair", options->pair, "Pairing table index, from 0, as inspect lists")
        ->required()
        ->transform(DecimalIndex());
    command->add_option("--number", options->number, "Pairing number, 1 to 9999");
    command->add_option("--on", options->on, "Report time on the first day, HH:MM");
    command->add_option("--credit", options->credit, "Total credit, HH:MM");
    command->add_option("--tafb", options->tafb, "Time away from base, HHH:MM");
    command->add_option("--days", options->days,
                        "Operating days of the month, from 1, comma-separated");
    CLI::Option* dutyDay = command
                               ->add_option("--duty-day", options->dutyDay,
                                            "Duty day of the pairing, from 1, for the "
                                            "four daily options")
                               ->transform(DecimalIndex())
                               ->check(CLI::Range(1, 31));
    for (auto [name, target, help] :
         {std::tuple{"--start", &options->start, "Duty start time of the duty day, HH:MM"},
          std::tuple{"--duty", &options->duty, "Time on duty, HH:MM"},
          std::tuple{"--hard", &options->hard, "Hard (block) time, HH:MM"},
          std::tuple{"--day-credit", &options->dayCredit, "Credit of the duty day, HH:MM"}})
        command->add_option(name, *target, help)->needs(dutyDay);
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Save,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     return EditPairing(*options, doc, ui, context.err);
                                 });
            }};
}

Command AddPairingWarningsCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "pairing-warnings", "The pairing warnings and report list: pairings that fail "
                            "validation and the month's credit report, one line a line");
    command->add_option("FILE", options->file, "Block file")->required();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(options->file, options->answers, context, MonthUse::Read,
                                 [&](ScheduleDocument& doc, Interaction&) {
                                     for (const std::string& line : PairingWarningsList(doc))
                                         context.out << Cp1252ToUtf8(line) << '\n';
                                     return int(kExitOk);
                                 });
            }};
}

} // namespace tl::cli
