#pragma once

#include "ui/frame/filechooser.h"

#include <functional>
#include <string>

class QWidget;

namespace tl {
class Interaction;
class ScheduleDocument;
class SettingsStore;
} // namespace tl

namespace tl::ui {

// What the month's imports need from the frame: the month, the seam, the settings
// (Last...Path folders), the file chooser (empty: Qt's dialogs), the dialogs' parent.
struct ImportContext {
    ScheduleDocument& Doc;
    Interaction& Ui;
    SettingsStore& Settings;
    FileChooser Chooser;
    QWidget* Parent = nullptr;
    // Writes the settings file after a folder changed; the frame says when it cannot.
    std::function<void()> SaveSettings;
};

// Each import asks for its file in a file dialog starting in the folder last
// used for that kind of file, then runs the loader, which shows its progress,
// questions and summary list through the seam. True when the load completed;
// false when the dialog was cancelled or the load failed (the loader has said
// why). A grid that was on is taken down while the load changes what it shows
// and built again afterwards.

// The toolbox file ("Load ToolBox Absences", LastBoxPath).
bool ImportToolBoxItems(ImportContext& c);
// The roster of the month's GroupName from the employee record extract
// (LastRosterPath); a month with a roster asks before replacing it.
bool ImportRosterExtract(ImportContext& c);
// The crew absence extract of the month or, with `nextMonth`, of the month
// after it (LastCrewAbsPath).
bool ImportAbsences(ImportContext& c, bool nextMonth);
// The crew activity extract, then last month's pairing extract
// (LastOverlapDataPath).
bool ImportLastMonth(ImportContext& c);
// "Load This Month's Pairings" (LastPRGPath): replaces the pairing table with
// the file's pairings of `baseEqp` (empty: from the GroupName).
bool ImportPairingsFile(ImportContext& c, const std::string& baseEqp, bool anyEquipment);
// Several LIS files (LastFrenchPath); a file whose name lacks the month's
// name is scanned only when the user says so, else the dialog opens again.
void ScanLisFilesDialog(ImportContext& c);
// "Load BAW Data" (LastBAWPath): the blocks of a BAW file and the LIN file
// beside it, listed in the block import dialog that places them.
void ImportBawLinBlocksDialog(ImportContext& c);

} // namespace tl::ui
