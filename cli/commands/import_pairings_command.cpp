#include "commands/command.h"

#include "import/prg_file.h"
#include "model/schedule_document.h"

#include <ostream>

namespace tl::cli {

Command AddImportPairingsCommand(CLI::App& app)
{
    struct Options {
        std::string file;
        std::string prg;
        std::string base;
        std::string eqp;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "import-pairings", "Replace the month's pairings with those of a PRG pairing file");
    command->add_option("FILE", options->file, "Block file to change (.tl2)")->required();
    command->add_option("PRG", options->prg, "Pairing file")->required();
    CLI::Option* base =
        command->add_option("--base", options->base,
                            "Base letter of the pairings (first letter of the pairing number); "
                            "without it the base and equipment come from the crew group");
    command
        ->add_option("--eqp", options->eqp,
                     "Equipment digit (first digit of the pairing number); without it every "
                     "equipment of the base")
        ->needs(base);
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                const std::string& b = options->base;
                const std::string& e = options->eqp;
                if ((!b.empty() && (b.size() != 1 || b[0] < 'A' || b[0] > 'Z')) ||
                    (!e.empty() && (e.size() != 1 || e[0] < '0' || e[0] > '9'))) {
                    context.err << "tlines-cli: --base takes one letter A to Z, --eqp one digit\n";
                    return int(kExitUsage);
                }
                return WithMonth(options->file, options->answers, context, MonthUse::Save,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     // As the program does: from the crew group, every equipment
                                     // for cabin groups; from the letters given, every equipment
                                     // when no digit is given.
                                     const bool anyEquipment =
                                         b.empty() ? doc.CrewKind == kFlightAttendants : e.empty();
                                     if (!LoadPRGPairs(doc, options->prg, b + e, anyEquipment, ui))
                                         return int(kExitFailed);
                                     if (doc.LastPair >= 0)
                                         return int(kExitOk);
                                     context.err << "tlines-cli: no pairing was loaded; "
                                                 << options->file << " is not changed\n";
                                     return int(kExitFailed);
                                 });
            }};
}

} // namespace tl::cli
