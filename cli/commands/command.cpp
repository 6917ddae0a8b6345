#include "commands/command.h"

#include "actions/open_month.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/month_lock.h"

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace tl::cli {

void AnswerOptions::AddTo(CLI::App& command)
{
    CLI::Option* y = command.add_flag("--yes", yes, "Answer Yes to the questions of the operation");
    CLI::Option* n = command.add_flag("--no", no, "Answer No to the questions of the operation");
    y->excludes(n);
}

void AnswerOptions::AddOddExtractTo(CLI::App& command)
{
    command.add_flag("--accept-odd-extract", acceptOddExtract,
                     "Load an extract whose lines are not of its usual length (\"This May Not Be "
                     "a Valid ... Extract\"); --yes does not answer that question");
}

AnswerPolicy AnswerOptions::Policy() const
{
    if (yes)
        return AnswerPolicy::Yes;
    if (no)
        return AnswerPolicy::No;
    return AnswerPolicy::Cancel;
}

std::unique_ptr<ScheduleDocument> OpenMonth(const std::string& path, Interaction& ui,
                                            OpenedMonth* opened)
{
    auto doc = std::make_unique<ScheduleDocument>();
    // Commands that write beside the month need its folder, which a name
    // relative to the working folder does not carry.
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    OpenedMonth month = OpenMonthFile(*doc, ec ? path : absolute.string(), ui);
    if (opened)
        *opened = month;
    if (!month.Opened)
        return nullptr;
    return doc;
}

bool LockForEditing(const std::string& file, MonthLock& lock, Interaction& ui)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    // Where no lock can be made (a read-only folder) the save is refused anyway.
    if (lock.Take(ec ? std::filesystem::path(file) : absolute) != MonthLock::Result::Held)
        return true;
    ui.MessageAboutFile(
        "File in Use",
        HeldMonthText(lock.Holder(),
                      ". Only commands that do not change it can run until it is closed."),
        file, Icon::Error);
    return false;
}

bool MayChangeMonth(const std::string& file, const OpenedMonth& opened, std::ostream& err)
{
    if (!opened.Whole()) {
        err << "tlines-cli: " << file << " is not whole: " << NotWholeReason(opened)
            << "; it is not changed\n";
        return false;
    }
    if (opened.ViewerCopy()) {
        err << "tlines-cli: " << file << " is a viewer copy (" << BlockFileKindName(opened.FileKind)
            << "), not a scheduler's file; it is not changed. save-as --kind 0 makes a "
               "scheduler's file of it under a new name\n";
        return false;
    }
    return true;
}

int WithMonth(const std::string& file, const AnswerOptions& answers, CliContext& context,
              MonthUse use, const MonthWork& work)
{
    CliInteraction ui(context.out, context.err, answers.Policy(), context.terminal);
    ui.SetAcceptOddExtract(answers.acceptOddExtract);
    MonthLock lock;
    if (use != MonthUse::Read && !LockForEditing(file, lock, ui))
        return kExitFailed;
    OpenedMonth opened;
    std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui, &opened);
    if (!doc)
        return kExitFailed;
    if (use != MonthUse::Read && !MayChangeMonth(file, opened, context.err))
        return kExitFailed;
    const int status = work(*doc, ui);
    if (status != kExitOk)
        return status;
    if (use == MonthUse::Read && !opened.Whole()) {
        // What was read is shown, but a script must not take it for the month.
        context.err << "tlines-cli: " << file << " is not whole: " << NotWholeReason(opened)
                    << '\n';
        return kExitFailed;
    }
    if (use != MonthUse::Save)
        return status;
    return SaveBlocks(*doc, doc->FileName, kSchedulerFile, ui) ? kExitOk : kExitFailed;
}

CLI::App& ReportsCommand(CLI::App& app)
{
    for (CLI::App* sub : app.get_subcommands([](CLI::App* a) { return a->get_name() == "report"; }))
        return *sub;
    CLI::App* report =
        app.add_subcommand("report", "The reports of a month, as the program lists them");
    report->require_subcommand(1);
    return *report;
}

CLI::App& ExportsCommand(CLI::App& app)
{
    for (CLI::App* sub : app.get_subcommands([](CLI::App* a) { return a->get_name() == "export"; }))
        return *sub;
    CLI::App* exports =
        app.add_subcommand("export", "The month in the forms other programs and people read");
    exports->require_subcommand(1);
    return *exports;
}

int32_t ParseIsoDate(const std::string& text)
{
    int year = 0, month = 0, day = 0;
    char tail = 0;
    if (text.size() != 10 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3)
        return 0;
    return CheckedJulianDay(month, day, year);
}

} // namespace tl::cli
