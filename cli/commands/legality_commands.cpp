#include "commands/command.h"
#include "commands/index_option.h"

#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/text_format.h"
#include "rules/legality.h"
#include "rules/who_is_legal.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>

namespace tl::cli {

namespace {

// A result text for reading: its leading blanks dropped.
std::string Shown(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : Cp1252ToUtf8(text.substr(first));
}

std::string RosterPlace(int crew)
{
    return Format("%03d", crew + 1);
}

// Why nobody can be given the pairing on `day`: it does not start that day
// or somebody holds it. Empty when it is open.
std::string NotOpen(const ScheduleDocument& doc, int pairing, int day)
{
    const TPair& pair = doc.Pairs[static_cast<size_t>(pairing)];
    const int32_t ops =
        day < TPair::kDays ? pair.OpsCount[static_cast<size_t>(day)] : kNotOperating;
    if (ops == kOpsOpen || ops == kOpsOpenFlagged)
        return {};
    const std::string text = Format("pairing %04d ", pair.PairNumber);
    if (ops == 0)
        return text + "does not operate on day " + std::to_string(day + 1);
    std::string taken = text + "on day " + std::to_string(day + 1) + " is assigned";
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int c = 0; c < count; ++c)
        if (doc.Crew[static_cast<size_t>(c)].DaySlot[static_cast<size_t>(day)] == pairing)
            return taken + " to " + RosterPlace(c) + ' ' +
                   Cp1252ToUtf8(doc.Crew[static_cast<size_t>(c)].Name);
    return taken;
}

} // namespace

Command AddCheckCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        bool json = false;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "check", "Run the legality rules on every block; finding illegal blocks is not a failure");
    command->add_option("FILE", options->file, "Block file to check")->required();
    command->add_flag("--json", options->json,
                      "Every crew member's results and block credit as JSON");
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(
                    options->file, options->answers, context, MonthUse::Read,
                    [&](ScheduleDocument& doc, Interaction& ui) {
                        CheckAllLegality(doc);
                        const int count =
                            std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
                        nlohmann::json all = nlohmann::json::array();
                        for (int c = 0; c < count; ++c) {
                            TPilot& crew = doc.Crew[static_cast<size_t>(c)];
                            const int32_t credit = BlockCredit(doc, c, false, ui);
                            if (options->json) {
                                all.push_back({{"Name", Cp1252ToUtf8(crew.Name)},
                                               {"EmpNumber", crew.EmpNumber},
                                               {"Illegalities", Cp1252ToUtf8(crew.Illegalities)},
                                               {"Warnings", Cp1252ToUtf8(crew.Warnings)},
                                               {"CarsLog", Cp1252ToUtf8(crew.CarsLog)},
                                               {"DayIllegal", crew.DayIllegal},
                                               {"DayWarning", crew.DayWarning},
                                               {"BlockCredit", credit},
                                               {"CreditHours", crew.BlockCreditMinutes / 60},
                                               {"CreditMinutes", crew.BlockCreditMinutes % 60}});
                                continue;
                            }
                            if (crew.Illegalities.empty() && crew.Warnings.empty())
                                continue;
                            context.out << RosterPlace(c) << ' ' << Cp1252ToUtf8(crew.Name) << '\n';
                            if (!crew.Illegalities.empty())
                                context.out << "  Illegalities: " << Shown(crew.Illegalities)
                                            << '\n';
                            if (!crew.Warnings.empty())
                                context.out << "  Warnings: " << Shown(crew.Warnings) << '\n';
                        }
                        if (options->json)
                            context.out << all.dump(2) << '\n';
                        return int(kExitOk);
                    });
            }};
}

Command AddWhoLegalCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        int pair = -1;
        int day = 0;
        bool why = false;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "who-legal", "The Who Is Legal lists of one pairing on one day of the month");
    command->add_option("FILE", options->file, "Block file")->required();
    command->add_option("--pair", options->pair, "Pairing table index, from 0, as inspect lists")
        ->required()
        ->transform(DecimalIndex());
    command->add_option("--day", options->day, "Day of the month, from 1")
        ->required()
        ->transform(DecimalIndex());
    command->add_flag("--why", options->why,
                      "Also why each crew member is missing, and what each exception adds");
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                return WithMonth(
                    options->file, options->answers, context, MonthUse::Read,
                    [&](ScheduleDocument& doc, Interaction&) {
                        if (options->pair < 0 || options->pair > doc.LastPair) {
                            context.err << "tlines-cli: the month has no pairing " << options->pair
                                        << " (indices 0 to " << doc.LastPair << ")\n";
                            return int(kExitFailed);
                        }
                        if (options->day < 1 || options->day > doc.DaysInMonth) {
                            context.err << "tlines-cli: the month has no day " << options->day
                                        << '\n';
                            return int(kExitFailed);
                        }
                        if (const std::string taken = NotOpen(doc, options->pair, options->day - 1);
                            !taken.empty()) {
                            context.err << "tlines-cli: " << taken << '\n';
                            return int(kExitFailed);
                        }
                        CheckAllLegality(doc);
                        const WhoIsLegalLists lists =
                            WhoIsLegal(doc, options->pair, options->day - 1);
                        context.out << lists.Caption << '\n';
                        for (const std::string& line : lists.Legal)
                            context.out << Cp1252ToUtf8(line) << '\n';
                        context.out << "\nWho Bid this Pairing Number\n";
                        for (const std::string& line : lists.Bidders)
                            context.out << Cp1252ToUtf8(line) << '\n';
                        if (options->why) {
                            context.out << '\n';
                            for (const std::string& line : lists.Reasons)
                                context.out << Cp1252ToUtf8(line) << '\n';
                        }
                        return int(kExitOk);
                    });
            }};
}

} // namespace tl::cli
