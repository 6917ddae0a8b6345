#include "ui/frame/commands.h"

namespace tl::ui {

namespace {

MenuEntry Item(const char* text, int id)
{
    return MenuEntry{text, id, {}};
}

MenuEntry Separator()
{
    return MenuEntry{};
}

MenuEntry Sub(const char* text, std::vector<MenuEntry> children)
{
    return MenuEntry{text, 0, std::move(children)};
}

} // namespace

const std::vector<MenuEntry>& MonthMenu()
{
    static const std::vector<MenuEntry> menu = {
        Sub("Fil&e",
            {Item("&New...", CmNew), Item("&Open...", CmOpen), Item("&Save", CmSave),
             Item("Save &As...", CmSaveAs), Item("e-&mail to...", CmEmail),
             Item("&Backup...", CmBackup), Separator(),
             Sub("&Print", {Item("&Print Blocks...", CmPrintBlocks),
                            Item("Print Blocks to Clipboard", CmPrintBlocksToClipboard),
                            Item("Print Pairin&gs...", CmPrintPairings),
                            Item("P&rint Setup...", CmPrintSetup),
                            Item("Print Pairing Report to Clipboard", CmPairingReportToClipboard)}),
             Sub("&Import", {Item("&Crew Absences from Extract...", CmAbsences),
                             Item("&Next Month's Absences from Extract...", CmNextMonthAbsences),
                             Item("Last Month's Data from  Extract...", CmLastMonth),
                             Item("This Month's Pairings...", CmImportPairings),
                             Item("AC Type and &French Data from LIS Files...", CmLisFiles),
                             Item("Pilot Bids...", CmPilotBids),
                             Item("Crew Blocks from BAW and LIN...", CmBlockImport),
                             Item("&ToolBox Items...", CmToolBoxItems)}),
             Sub("&Export", {Item("Save for &Internet Publishing", CmInternet),
                             Item("&Export Schedules for Quarnelle CrewTrac", CmExportSchedules),
                             Item("Finalize and Save &for Company...", CmFinalizeForCompany),
                             Item("Generate Training Report...", CmTrainingReport),
                             Item("Save for Viewer...", CmSaveForViewer)}),
             Separator(), Item("Se&tup Preferences...", CmPreferences), Separator(),
             Item("E&xit", CmExit)}),
        Sub("&Edit", {Item("Copy &Blocks to Clipboard", CmCopyBlocks), Item("&Roster...", CmRoster),
                      Item("&Month...", CmMonth), Item("&Pairings...", CmPairings),
                      Item("&Change Pairing Crew Complement...", CmCrewComplement),
                      Item("&Undo F1", CmUndo)}),
        Sub("&Build", {Item("&Build Blocks", CmBuildBlocks), Item("&Award Bids...", CmAwardBids)}),
        Sub("&View",
            {Item("&Pairings Window", CmPairingsWindow), Item("&ToolBox", CmToolBox),
             Item("Pairing &Filters Window", CmFiltersWindow), Item("Bids Window", CmBidsWindow),
             Separator(),
             Sub("Hide Blocks", {Item("Hide Leave Blocks", CmHideLeave),
                                 Item("Hide Completed Blocks", CmHideCompleted),
                                 Item("Hide Check Pilot Blocks", CmHideCheckPilots),
                                 Item("Hide Block Holders", CmHideBlockHolders)}),
             Sub("Show Blocks", {Item("Show Only Blockholders", CmShowOnlyBlockHolders),
                                 Item("Show Only Check Pilots", CmShowOnlyCheckPilots),
                                 Item("Show Only LTC", CmShowOnlyLtc)}),
             Item("Display Only Blocks Matching Search String", CmSearchFilter), Separator(),
             Item("&History", CmHistory), Item("&Warnings and Exceptions", CmWarnings),
             Item("Show &Only Open Pairings", CmShowOnlyOpen), Separator(),
             Item("&Calculator", CmCalculator), Item("Shared Notes for File...", CmSharedNotes),
             Item("&Global Info...", CmGlobalInfo), Separator(),
             Item("Colour &Legend...", CmColourLegend)}),
        Sub("&Help", {Item("&Contents", CmHelpContents), Item("Using &Help", CmHelpOnHelp),
                      Item("Keyboard &Shortcuts", CmShortcuts), Separator(),
                      Item("&About Tessara Lines and Support...", CmAbout)}),
    };
    return menu;
}

const std::vector<MenuEntry>& NoMonthMenu()
{
    static const std::vector<MenuEntry> menu = {
        Sub("&File",
            {Item("&New", CmNew), Item("&Open", CmOpen), Separator(), Item("E&xit", CmExit)}),
        Sub("&Help", {Item("&About Tessara Lines...", CmAbout)}),
    };
    return menu;
}

bool CommandEnabled(int command, const CommandContext& context)
{
    switch (command) {
    case CmSave:
        return context.DisplayState != kNoMonthOpen && !context.Untitled && !context.ReadOnly;
    case CmSaveAs:
        return context.DisplayState != kNoMonthOpen;
    case CmBackup:
        return !context.Untitled;
    case CmEmail:
        return !context.Untitled && context.MailAvailable;
    case CmPrintBlocks:
    case CmPrintPairings:
    case CmCopyBlocks:
    case CmPairingsWindow:
    case CmToolBox:
    case CmBidsWindow:
    case CmAwardBids:
        return context.BuildState != 0;
    default:
        return true;
    }
}

} // namespace tl::ui
