#include "commands/command.h"
#include "model/version.h"

#include "model/text_format.h"
#include "model/vortime.h"
#include "sample/sample_month.h"

#include <filesystem>
#include <ostream>

namespace tl::cli {

namespace {

// "YYYY-MM" into year and month; false when it is not one.
bool ParseYearMonth(const std::string& text, int& year, int& month)
{
    char tail = 0;
    if (text.size() != 7 || text[4] != '-' ||
        std::sscanf(text.c_str(), "%4d-%2d%c", &year, &month, &tail) != 2)
        return false;
    return month >= 1 && month <= 12;
}

std::string IsoDate(int32_t day)
{
    const TDate d = DateFromJulianDay(day);
    return Format("%04d-%02d-%02d", d.Year, d.Month, d.Day);
}

} // namespace

Command AddSampleCommand(CLI::App& app)
{
    struct Options {
        std::string folder;
        std::string month = "2027-11";
        sample::SampleOptions sample;
        AnswerOptions answers;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "sample", "Write a made-up month of one crew group in every file format the program reads");
    command->add_option("OUTDIR", options->folder, "Folder to write the files into")->required();
    command
        ->add_option("--group", options->sample.group,
                     "Crew group code: base, equipment, status (CA, FO or FA) and pairing letter")
        ->capture_default_str();
    command->add_option("--month", options->month, "Schedule month, YYYY-MM")
        ->capture_default_str();
    command->add_option("--crew", options->sample.crew, "Crew members of the group")
        ->capture_default_str();
    command
        ->add_option("--pairings", options->sample.pairings,
                     "Pairings of the group; 0 sizes them to the crew, with some open time")
        ->capture_default_str();
    command->add_flag(
        "--all-bases", options->sample.allBases,
        "Also write the pairing file of every base and equipment (several megabytes)");
    command->add_flag("--clean", options->sample.clean,
                      "Leave out the odd cases of real extracts (for benchmarks of regular work)");
    command->add_option("--seed", options->sample.seed, "The same seed writes the same files")
        ->capture_default_str();
    options->answers.AddTo(*command);

    return {command, [options](CliContext& context) {
                sample::SampleOptions& o = options->sample;
                if (!ParseYearMonth(options->month, o.year, o.month)) {
                    context.err << "tlines-cli: --month takes a month as YYYY-MM\n";
                    return int(kExitUsage);
                }
                if (const std::string problem = sample::CheckSampleOptions(o); !problem.empty()) {
                    context.err << "tlines-cli: " << problem << '\n';
                    return int(kExitUsage);
                }
                CliInteraction ui(context.out, context.err, options->answers.Policy(),
                                  context.terminal);
                const sample::SampleMonth month = sample::GenerateSampleMonth(o);
                const std::filesystem::path folder(options->folder);
                bool exists = false;
                for (const sample::SampleFile* file : month.Files()) {
                    std::error_code ec;
                    exists = exists || std::filesystem::exists(folder / file->name, ec);
                }
                if (exists &&
                    ui.AskAboutFile(kCaption,
                                    "Files of a sample month already exist in %s. Replace them?",
                                    folder, Buttons::YesNo, Icon::Question) != Answer::Yes)
                    return int(kExitFailed);
                std::string error;
                if (!sample::WriteSampleMonth(month, folder, error)) {
                    // The error names files in the system's own spelling: no code page.
                    context.err << "File Error: " << error << '\n';
                    return int(kExitFailed);
                }
                context.out << "Sample month of " << month.group << " from "
                            << IsoDate(month.period.firstDay) << " to "
                            << IsoDate(month.period.lastDay) << ", seed " << o.seed << ":\n";
                for (const sample::SampleFile* file : month.Files())
                    context.out << "  " << (folder / file->name).string() << "  "
                                << file->text.size() << " bytes\n";
                return int(kExitOk);
            }};
}

} // namespace tl::cli
