#include "commands/command.h"
#include "commands/index_option.h"

#include "actions/rebuild_commands.h"
#include "actions/roster_edit.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_encoding.h"

#include <ostream>

namespace tl::cli {

namespace {

constexpr std::string_view kOops = "Oops";
constexpr size_t kNameChars = 19; // what the roster editor's Name edit holds
constexpr size_t kEmpChars = 9;
constexpr size_t kIndexChars = 3;

struct RosterOptions {
    std::string file;
    int position = 0; // move, delete
    int to = 0;       // move
    std::string name; // insert
    std::string emp;
    std::string at;
    AnswerOptions answers;
};

// The roster editor's line of the crew member at roster position `position`
// (from 1); -1 for an open line or nobody.
int EditorLine(const ScheduleDocument& doc, int position)
{
    const std::vector<RosterLine> lines = RosterEditorLines(doc);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].Crew == position - 1)
            return static_cast<int>(i);
    return -1;
}

// Roster position just after the last crew member shown, where the editor
// inserts by default.
std::string AfterTheLast(const ScheduleDocument& doc)
{
    const std::vector<RosterLine> lines = RosterEditorLines(doc);
    return std::to_string(lines.empty() ? 1 : lines.back().Crew + 2);
}

int Move(ScheduleDocument& doc, Interaction& ui, CliContext& context, const RosterOptions& o)
{
    const int from = EditorLine(doc, o.position);
    const int to = EditorLine(doc, o.to);
    if (from < 0 || to < 0) {
        ui.Message(kOops, "Invalid Roster Number!", Icon::Warning);
        return kExitFailed;
    }
    if (from == to) {
        context.err << "tlines-cli: nothing moved: the crew member is at that position already\n";
        return kExitFailed;
    }
    const std::string status = DropRosterLine(doc, from, to);
    context.out << Cp1252ToUtf8(status) << '\n';
    return kExitOk;
}

int Insert(ScheduleDocument& doc, Interaction& ui, CliContext& context, const RosterOptions& o)
{
    // The editor's edits cannot hold more; cutting a number would insert
    // somebody else's.
    const std::string name = Utf8ToCp1252(o.name);
    const std::string at = o.at.empty() ? AfterTheLast(doc) : o.at;
    if (at.size() > kIndexChars) {
        ui.Message(kOops, "Invalid Roster Number!", Icon::Warning);
        return kExitFailed;
    }
    if (name.size() > kNameChars) {
        context.err << "tlines-cli: a name holds at most 19 characters\n";
        return kExitFailed;
    }
    if (o.emp.size() > kEmpChars) {
        ui.Message(kOops, "Invalid Employee Number!", Icon::Warning);
        return kExitFailed;
    }
    return InsertEmployee(doc, ui, at, name, o.emp).Inserted ? kExitOk : kExitFailed;
}

} // namespace

Command AddRosterCommand(CLI::App& app)
{
    auto o = std::make_shared<RosterOptions>();
    CLI::App* command = app.add_subcommand(
        "roster", "Edit the roster as the roster editor does: move, delete or insert a crew "
                  "member (positions from 1, as shown); the undo history is cleared");
    command->add_option("FILE", o->file, "Block file; saved when the roster changed")->required();
    o->answers.AddTo(*command);
    command->require_subcommand(1);
    // --yes and --no may follow the operation's own arguments.
    command->fallthrough();

    CLI::App* move = command->add_subcommand("move", "Move a crew member to another position");
    move->add_option("POSITION", o->position, "Roster position of the crew member")
        ->required()
        ->transform(DecimalIndex());
    move->add_option("--to", o->to, "The position it takes; those between shift by one")
        ->required()
        ->transform(DecimalIndex());
    CLI::App* remove = command->add_subcommand(
        "delete", "Take a crew member off the roster; the pairings it held are open again");
    remove->add_option("POSITION", o->position, "Roster position of the crew member")
        ->required()
        ->transform(DecimalIndex());
    CLI::App* insert = command->add_subcommand("insert", "Add a crew member to the roster");
    insert->add_option("--name", o->name, "Name, up to 19 characters")->required();
    insert->add_option("--emp", o->emp, "Employee number, up to 9 digits; 0 may repeat")
        ->required();
    insert->add_option("--at", o->at,
                       "Roster position it takes (default: after the last crew member)");

    return {command, [o, move, remove](CliContext& context) {
                return WithMonth(o->file, o->answers, context, MonthUse::Save,
                                 [&](ScheduleDocument& doc, Interaction& ui) {
                                     int status = kExitFailed;
                                     // As the editor runs: the grid down, built again after.
                                     RosterCommand(doc, ui, [&] {
                                         if (move->parsed())
                                             status = Move(doc, ui, context, *o);
                                         else if (remove->parsed())
                                             status = DeleteEmployee(doc, ui, o->position - 1)
                                                          ? kExitOk
                                                          : kExitFailed;
                                         else
                                             status = Insert(doc, ui, context, *o);
                                     });
                                     return status;
                                 });
            }};
}

} // namespace tl::cli
