#include "commands/command.h"

#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "storage/block_file.h"
#include "storage/month_lock.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tl::cli {

void AnswerOptions::AddTo(CLI::App& command)
{
    CLI::Option* y = command.add_flag("--yes", yes, "Answer Yes to the questions of the operation");
    CLI::Option* n = command.add_flag("--no", no, "Answer No to the questions of the operation");
    y->excludes(n);
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
                                            BuildReport* build)
{
    auto doc = std::make_unique<ScheduleDocument>();
    doc->DeleteAll(ui);
    // Commands that write beside the month need its folder, which a name
    // relative to the working folder does not carry.
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    doc->FileName = ec ? path : absolute.string();
    if (!LoadBlocks(*doc, ui))
        return nullptr;
    FinishOpeningMonth(*doc, ui, true, build);
    return doc;
}

bool LockForEditing(const std::string& file, MonthLock& lock, Interaction& ui)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    // Where no lock can be made (a read-only folder) the save is refused anyway.
    if (lock.Take(ec ? std::filesystem::path(file) : absolute) != MonthLock::Result::Held)
        return true;
    ui.MessageAboutFile("File in Use",
                        "%s\nis open for editing by " + DescribeHolder(lock.Holder()) +
                            ". Only commands that do not change it can run until it is closed.",
                        file, Icon::Error);
    return false;
}

int WithMonth(const std::string& file, const AnswerOptions& answers, CliContext& context, bool save,
              const MonthWork& work, bool writesFile)
{
    CliInteraction ui(context.out, context.err, answers.Policy(), context.terminal);
    MonthLock lock;
    if ((save || writesFile) && !LockForEditing(file, lock, ui))
        return kExitFailed;
    std::unique_ptr<ScheduleDocument> doc = OpenMonth(file, ui);
    if (!doc)
        return kExitFailed;
    const int status = work(*doc, ui);
    if (status != kExitOk || !save)
        return status;
    return SaveBlocks(*doc, doc->FileName, kSchedulerFile, ui) ? kExitOk : kExitFailed;
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
