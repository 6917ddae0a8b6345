#pragma once

#include "cliinteraction.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace tl {
class MonthLock;
class ScheduleDocument;
struct OpenedMonth;
} // namespace tl

namespace tl::cli {

// Streams and terminal of one run of the program.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    bool terminal;
};

// Exit statuses every command keeps to.
enum ExitStatus : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// --yes and --no, which every command accepts to answer its questions, and
// --accept-odd-extract for the commands that read an extract.
struct AnswerOptions {
    bool yes = false;
    bool no = false;
    bool acceptOddExtract = false;

    void AddTo(CLI::App& command);
    void AddOddExtractTo(CLI::App& command);
    AnswerPolicy Policy() const;
};

// One subcommand: its parser and what it does once parsed.
struct Command {
    CLI::App* app = nullptr;
    std::function<int(CliContext&)> run;
};

Command AddNewCommand(CLI::App& app);
Command AddInspectCommand(CLI::App& app);
Command AddSaveAsCommand(CLI::App& app);
Command AddSampleCommand(CLI::App& app);
Command AddSaveForViewerCommand(CLI::App& app);
Command AddFinalizeCommand(CLI::App& app);
Command AddCheckCommand(CLI::App& app);
Command AddWhoLegalCommand(CLI::App& app);
Command AddImportRosterCommand(CLI::App& app);
Command AddImportAbsencesCommand(CLI::App& app);
Command AddImportActivityCommand(CLI::App& app);
Command AddImportToolBoxCommand(CLI::App& app);
Command AddImportPairingsCommand(CLI::App& app);
Command AddImportBlocksCommand(CLI::App& app);
Command AddScanLisCommand(CLI::App& app);
Command AddAssignCommand(CLI::App& app);
Command AddRemoveCommand(CLI::App& app);
Command AddUndoCommand(CLI::App& app);
Command AddHistoryCommand(CLI::App& app);
Command AddBuildCommand(CLI::App& app);
Command AddReportWarningsCommand(CLI::App& app);
// report global, report pairings and report crew-lines.
std::vector<Command> AddReportTextCommands(CLI::App& app);
// The "report" command that holds each report as a subcommand.
CLI::App& ReportsCommand(CLI::App& app);
// export html, export training and export blocks.
std::vector<Command> AddExportCommands(CLI::App& app);
// The "export" command that holds each export as a subcommand.
CLI::App& ExportsCommand(CLI::App& app);
Command AddRosterCommand(CLI::App& app);
Command AddEditPairingCommand(CLI::App& app);
Command AddPairingWarningsCommand(CLI::App& app);
Command AddImportBidsCommand(CLI::App& app);
Command AddGuessCommand(CLI::App& app);
Command AddFilterCommand(CLI::App& app);
Command AddAwardCommand(CLI::App& app);
Command AddAuditSeniorityCommand(CLI::App& app);
Command AddWhatIfCommand(CLI::App& app);
// export crewtrac: the BAW and LIN files.
Command AddExportCrewTracCommand(CLI::App& app);

// Opens a block file as the program does (OpenMonthFile), under its
// absolute path so the copies beside it find their folder; null when it did
// not open, the reason shown through `ui`. `opened` receives what opening
// found: whether the month is whole, the file's kind, the build's report.
std::unique_ptr<ScheduleDocument> OpenMonth(const std::string& path, Interaction& ui,
                                            OpenedMonth* opened = nullptr);

// Whether FILE may be written back: a whole scheduler file. Otherwise says
// why on `err` ("FILE is not changed") and returns false.
[[nodiscard]] bool MayChangeMonth(const std::string& file, const OpenedMonth& opened,
                                  std::ostream& err);

// What a command does with an opened month: its exit status.
using MonthWork = std::function<int(ScheduleDocument&, Interaction&)>;

// What a command does to FILE itself.
enum class MonthUse {
    Read,   // reads the month; a month not read whole still shows, with exit 1
    Change, // writes FILE itself in its work (a copy beside it saves it first)
    Save,   // changes the month, which is saved onto FILE when the work succeeds
};

// Opens FILE with the command line's seam and runs `work` on the month. A
// month that changes must be whole and a scheduler file, or FILE is left as
// it is with exit 1; it holds the month's lock throughout and is refused
// while another program holds it. With MonthUse::Save, FILE is saved after
// work that succeeded, as the program's Save does. The exit status of the
// whole.
int WithMonth(const std::string& file, const AnswerOptions& answers, CliContext& context,
              MonthUse use, const MonthWork& work);

// Takes the lock of FILE for a command that writes it. False, with the
// holder named, while another program has the month open for editing.
[[nodiscard]] bool LockForEditing(const std::string& file, MonthLock& lock, Interaction& ui);

// Reads "YYYY-MM-DD" into a day number; 0 when it is not a real date.
int32_t ParseIsoDate(const std::string& text);

} // namespace tl::cli
