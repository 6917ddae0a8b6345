#pragma once

#include "model/schedule_document.h"

#include <vector>

namespace tl::ui {

// Command identifiers of the menus, the tool bar and the accelerators. They
// keep the numbers the scheduler's support notes refer to.
enum Command : int {
    CmPairingsWindow = 101,
    CmToolBox = 102,
    CmFiltersWindow = 103,
    CmCopyBlocks = 105,
    CmHelpContents = 106,
    CmHelpOnHelp = 107,
    CmWarnings = 108,
    CmPrintBlocks = 124,
    CmGlobalInfo = 127,
    CmImportPairings = 128,
    CmBackup = 129,
    CmPrintPairings = 130,
    CmRoster = 131,
    CmMonth = 132,
    CmPairings = 133,
    CmExportSchedules = 135,
    CmPreferences = 136,
    CmFinalizeForCompany = 137,
    CmBuildBlocks = 140,
    CmAwardBids = 141,
    CmPrintSetup = 147,
    CmShowOnlyOpen = 150,
    CmCalculator = 155,
    CmPrintBlocksToClipboard = 160,
    CmHistory = 200,
    CmNew = 201,
    CmOpen = 202,
    CmSave = 203,
    CmSaveAs = 204,
    CmAbout = 205,
    CmPairingReportToClipboard = 225,
    CmEmail = 300,
    CmSharedNotes = 350,
    CmTrainingReport = 351,
    CmSearchFilter = 550,
    CmHideCheckPilots = 551,
    CmHideCompleted = 552,
    CmHideLeave = 553,
    CmHideBlockHolders = 554,
    CmShowOnlyCheckPilots = 555,
    CmShowOnlyLtc = 556,
    CmShowOnlyBlockHolders = 557,
    CmToolBoxItems = 901,
    CmSaveForViewer = 902,
    CmUndo = 11842,
    CmInternet = 11843,
    CmAbsences = 11844,
    CmLastMonth = 11846,
    CmCrewComplement = 11847,
    CmNextMonthAbsences = 11848,
    CmShowAllBlocks = 11850,
    CmFilterEmployees = 11851,
    CmShortcuts = 11852,
    CmLisFiles = 11853,
    CmBidsWindow = 11854,
    CmPilotBids = 11855,
    CmBlockImport = 11875,
    CmColourLegend = 11890, // what the grid's colours mean
    CmExit = 24310,
};

// One item of a menu: a command, a separator (no text) or a submenu.
struct MenuEntry {
    const char* Text = nullptr;
    int Id = 0;
    std::vector<MenuEntry> Children;
};

// The scheduler's menu, used whenever a month is open ("MENU_1").
const std::vector<MenuEntry>& MonthMenu();
// The menu while no month is open ("MENU_3").
const std::vector<MenuEntry>& NoMonthMenu();

// The document state the enabling rules look at.
struct CommandContext {
    int DisplayState = kNoMonthOpen;
    bool Untitled = false;
    bool ReadOnly = false; // Save must not overwrite the month's own file
    int BuildState = 0;
    bool MailAvailable = false;
};

// Whether a command with a handler is enabled in the given state.
bool CommandEnabled(int command, const CommandContext& context);

} // namespace tl::ui
