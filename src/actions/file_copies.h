#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace tl {

class Interaction;
class ScheduleDocument;

// What a copy without personal data left behind.
struct CopyResult {
    std::filesystem::path Target; // the file written
    bool SendMail = false;        // the user asked to e-mail it now
};

// Writes the month to `target` with header `kind` as a viewer copy: no
// contacts, filters, bids, history or viewer text, and no locks or request
// marks on the month's days. The document keeps all of it.
bool SaveViewerCopy(ScheduleDocument& doc, const std::filesystem::path& target, int kind,
                    Interaction& ui);

// Where SaveForViewer puts the copy of kind 1 to 3 of `fileName`: the
// Viewer folder beside it, the kind's prefix, the extension ".tlv".
std::filesystem::path ViewerCopyPath(const std::filesystem::path& fileName, int kind);

// Saves the month to its own file, then a copy for crew viewing (kind 1 to
// 3) into the Viewer folder beside it, without personal data. The document
// keeps its data. Nothing when the month has no file name yet, is read-only,
// or a save failed.
std::optional<CopyResult> SaveForViewer(ScheduleDocument& doc, int kind, Interaction& ui);

// Saves the month, then the company's copy into the Company folder beside
// it, without personal data.
std::optional<CopyResult> FinalizeForCompany(ScheduleDocument& doc, Interaction& ui);

// Name of a backup copy of `fileName` placed in `folder`, with the local
// date and time in it when asked for.
std::filesystem::path BackupTarget(const std::filesystem::path& folder,
                                   const std::filesystem::path& fileName, bool withDateTime,
                                   const std::tm& now);

// Writes a backup copy into `folder`. The month stays marked as modified:
// a backup is not a save.
bool BackupBlocks(ScheduleDocument& doc, const std::filesystem::path& folder, bool withDateTime,
                  Interaction& ui);

// The timed backup's copy: a ".tl2" file name with its extension replaced
// by ".BAK", any other with ".BAK" added, so two months of one folder never
// share a backup and no month is overwritten by its own; empty when the file
// name has no extension.
std::filesystem::path TimedBackupPath(const std::filesystem::path& fileName);

// One tick of the 30-second timer. Counts down while AutoSave is on; every
// twentieth tick writes the ".BAK" copy of a named, modified, built month,
// never of one that is read-only or failed its end check.
// Returns true when a copy was written.
bool TimedBackupTick(ScheduleDocument& doc, bool autoSave, Interaction& ui);

} // namespace tl
