#include "actions/file_copies.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"
#include "rules/history.h"
#include "storage/block_file.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace tl {

namespace {

// The personal data a copy leaves out, kept aside so the month gets it back
// once the copy is written.
struct PersonalData {
    THistory History;
    std::string ViewerText;
    struct Person {
        std::string Phone1, Phone2, InfoText3, FilterText, BidText;
        std::array<int8_t, TPilot::kSlots> DayLocked{};
        std::array<int8_t, TPilot::kSlots> DayFlag{};
    };
    std::vector<Person> Crew;
};

// Both copies lose the contacts, filters and bids; only the viewer copy
// loses the viewer text, which the company copy carries on.
PersonalData TakePersonalData(ScheduleDocument& doc, int lastSlot, bool clearViewerText)
{
    PersonalData kept;
    kept.History = std::move(doc.History);
    ClearHistory(doc);
    kept.ViewerText = doc.ViewerText;
    if (clearViewerText)
        doc.ViewerText.clear();
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    kept.Crew.resize(static_cast<size_t>(crewCount));
    for (int c = 0; c < crewCount; ++c) {
        TPilot& p = doc.Crew[static_cast<size_t>(c)];
        PersonalData::Person& k = kept.Crew[static_cast<size_t>(c)];
        k.Phone1 = p.Phone1;
        k.Phone2 = p.Phone2;
        k.InfoText3 = p.InfoText3;
        k.FilterText = p.FilterText;
        k.BidText = p.BidText;
        k.DayLocked = p.DayLocked;
        k.DayFlag = p.DayFlag;
        p.Phone1.clear();
        p.Phone2.clear();
        p.InfoText3.clear();
        p.FilterText.clear();
        p.BidText.clear();
        for (int s = 0; s <= std::min(lastSlot, TPilot::kSlots - 1); ++s) {
            p.DayLocked[static_cast<size_t>(s)] = 0;
            p.DayFlag[static_cast<size_t>(s)] = 0;
        }
    }
    return kept;
}

void RestorePersonalData(ScheduleDocument& doc, PersonalData& kept)
{
    doc.History = std::move(kept.History);
    doc.ViewerText = kept.ViewerText;
    for (size_t c = 0; c < kept.Crew.size(); ++c) {
        TPilot& p = doc.Crew[c];
        PersonalData::Person& k = kept.Crew[c];
        p.Phone1 = std::move(k.Phone1);
        p.Phone2 = std::move(k.Phone2);
        p.InfoText3 = std::move(k.InfoText3);
        p.FilterText = std::move(k.FilterText);
        p.BidText = std::move(k.BidText);
        p.DayLocked = k.DayLocked;
        p.DayFlag = k.DayFlag;
    }
}

// The month must have been saved under a name in a folder.
bool Named(const ScheduleDocument& doc, Interaction& ui)
{
    std::filesystem::path own(doc.FileName);
    if (doc.Untitled || doc.FileName.empty() || !own.has_filename() || !own.has_parent_path()) {
        ui.Message("File Error", "File Must be Named First, Select Save As", Icon::Error);
        return false;
    }
    // These copies save the month onto its own file first, which a viewer
    // copy or a month not read whole must never overwrite.
    if (doc.ReadOnly) {
        ui.Message("File Error",
                   "This month is opened read-only. Use Save As to save it under a new name first",
                   Icon::Error);
        return false;
    }
    return true;
}

bool SaveWithout(ScheduleDocument& doc, const std::filesystem::path& target, BlockFileKind kind,
                 int lastSlot, bool clearViewerText, Interaction& ui)
{
    const bool modified = doc.Modified;
    PersonalData kept = TakePersonalData(doc, lastSlot, clearViewerText);
    bool saved = SaveBlocks(doc, target, kind, ui);
    RestorePersonalData(doc, kept);
    doc.Modified = modified;
    return saved;
}

std::optional<CopyResult> WriteCopy(ScheduleDocument& doc, const std::filesystem::path& folder,
                                    const std::string& name, BlockFileKind kind, int lastSlot,
                                    bool clearViewerText, const char* question, Interaction& ui)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    CopyResult result;
    result.Target = folder / name;
    if (!SaveWithout(doc, result.Target, kind, lastSlot, clearViewerText, ui))
        return std::nullopt;

    result.SendMail = ui.AskAboutFile(kCaption, question, result.Target, Buttons::YesNo,
                                      Icon::Question) == Answer::Yes;
    return result;
}

} // namespace

bool SaveViewerCopy(ScheduleDocument& doc, const std::filesystem::path& target, BlockFileKind kind,
                    Interaction& ui)
{
    return SaveWithout(doc, target, kind, doc.DaysInMonth - 1, true, ui);
}

std::filesystem::path ViewerCopyPath(const std::filesystem::path& fileName, BlockFileKind kind)
{
    if (kind < kViewerPreRoster || kind > kViewerFinal)
        kind = kViewerFinal;
    static const char* prefixes[] = {"", "PreBuild_", "Presked_", "Final_"};
    std::filesystem::path name = fileName.filename();
    return fileName.parent_path() / "Viewer" /
           (prefixes[kind] + name.replace_extension(".tlv").string());
}

std::optional<CopyResult> SaveForViewer(ScheduleDocument& doc, BlockFileKind kind, Interaction& ui)
{
    if (!Named(doc, ui))
        return std::nullopt;
    if (kind < kViewerPreRoster || kind > kViewerFinal)
        kind = kViewerFinal;
    std::filesystem::path own(doc.FileName);
    if (!SaveBlocks(doc, own, kSchedulerFile, ui))
        return std::nullopt;
    const std::filesystem::path target = ViewerCopyPath(own, kind);
    return WriteCopy(
        doc, target.parent_path(), target.filename().string(), kind, doc.DaysInMonth - 1, true,
        "Viewer File Saved as %s without personal data.\nDo you want to e-mail the tlv "
        "file now.",
        ui);
}

std::optional<CopyResult> FinalizeForCompany(ScheduleDocument& doc, Interaction& ui)
{
    if (!Named(doc, ui))
        return std::nullopt;
    std::filesystem::path own(doc.FileName);
    if (!SaveBlocks(doc, own, kSchedulerFile, ui))
        return std::nullopt;
    std::string name = own.filename().replace_extension(".tl2").string();
    return WriteCopy(doc, own.parent_path() / "Company", name, kSchedulerFile, doc.DaysInMonth + 30,
                     false,
                     "File Saved as %s without personal data.\nDo you want to e-mail the tl2 file "
                     "now.",
                     ui);
}

std::filesystem::path BackupTarget(const std::filesystem::path& folder,
                                   const std::filesystem::path& fileName, bool withDateTime,
                                   const std::tm& now)
{
    static const char* months[12] = {"Jan", "Feb", "Mar",  "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sept", "Oct", "Nov", "Dec"};
    std::string name = "Backup ";
    if (withDateTime) {
        int month = std::clamp(now.tm_mon, 0, 11);
        name += months[month];
        name +=
            Format(" %d %d at %02d%02d ", now.tm_mday, now.tm_year + 1900, now.tm_hour, now.tm_min);
    }
    name += fileName.filename().string();
    return folder / name;
}

bool BackupBlocks(ScheduleDocument& doc, const std::filesystem::path& folder, bool withDateTime,
                  Interaction& ui)
{
    if (doc.Untitled || doc.FileName.empty()) {
        ui.Message("File Not Named", "Cannot Backup File. Select Save As from File Menu",
                   Icon::Warning);
        return false;
    }
    const std::tm now = LocalNow();
    const bool modified = doc.Modified;
    bool saved =
        SaveBlocks(doc, BackupTarget(folder, doc.FileName, withDateTime, now), kSchedulerFile, ui);
    doc.Modified = modified;
    return saved;
}

std::filesystem::path TimedBackupPath(const std::filesystem::path& fileName)
{
    if (!fileName.has_extension() || fileName.stem().empty())
        return {};
    std::string extension = fileName.extension().string();
    LowerCase(extension);
    std::filesystem::path bak = fileName;
    if (extension == ".tl2")
        bak.replace_extension(".BAK");
    else
        bak += ".BAK"; // "june.tlv" must not share "june.BAK", nor "x.BAK" be its own backup
    return bak;
}

bool TimedBackupTick(ScheduleDocument& doc, bool autoSave, Interaction& ui)
{
    if (!autoSave)
        return false;
    if (--doc.BackupCountdown > 0)
        return false;
    doc.BackupCountdown = 20;
    if (doc.Untitled || !doc.Modified || doc.BuildState == 0 || doc.DisplayState == kNoMonthOpen)
        return false;
    // The .BAK is the good copy that a damaged month's warning points to.
    if (doc.ReadOnly || doc.FileIncomplete)
        return false;
    ui.Trace("BackupTimerTrigger\n");
    std::filesystem::path bak = TimedBackupPath(doc.FileName);
    bool written = false;
    if (bak.empty()) {
        ui.Trace("Backup Timer Failed FileData FileName data missing\n");
    } else {
        written = SaveBlocks(doc, bak, kSchedulerFile, ui);
        doc.Modified = true;
    }
    ui.Trace("BackupTimerFinish\n");
    return written;
}

} // namespace tl
