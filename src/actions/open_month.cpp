#include "actions/open_month.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "storage/block_file.h"

namespace tl {

OpenedMonth OpenMonthFile(ScheduleDocument& doc, const std::string& fileName, Interaction& ui,
                          bool showPairings)
{
    OpenedMonth month;
    doc.DeleteAll(ui);
    doc.FileName = fileName;
    if (!LoadBlocks(doc, ui)) {
        doc.DeleteAll(ui);
        return month;
    }
    month.Opened = true;
    month.FileKind = doc.FileKind;
    month.Version = doc.FileVersion;
    month.EndCheckFailed = doc.FileIncomplete;
    // Version texts compare as texts, as the reader's sections do.
    month.NewerVersion = doc.FileVersion > kBlockFileVersion;
    if (month.NewerVersion)
        ui.Message(kCaption,
                   "This file was written by a newer version of Tessara Lines. What this version "
                   "does not know was not read.",
                   Icon::Warning);
    doc.ReadOnly = month.ViewerCopy() || month.EndCheckFailed || month.NewerVersion;
    month.BuildStopped = !FinishOpeningMonth(doc, ui, showPairings, &month.Build);
    return month;
}

std::string NotWholeReason(const OpenedMonth& month)
{
    std::string reason;
    auto add = [&](const std::string& text) {
        if (!reason.empty())
            reason += "; ";
        reason += text;
    };
    if (!month.Opened)
        add("it could not be read");
    if (month.EndCheckFailed)
        add("its end marker is missing, so part of it may be lost");
    if (month.NewerVersion)
        add("its version \"" + month.Version + "\" is newer than \"" +
            std::string(kBlockFileVersion) + "\"");
    if (month.BuildStopped)
        add("building the month stopped before it was complete");
    return reason;
}

} // namespace tl
