#include "ui/frame/month_imports.h"

#include "import/absences_extract.h"
#include "import/activity_extract.h"
#include "import/baw_lin.h"
#include "import/lis_scan.h"
#include "import/prg_file.h"
#include "import/roster_extract.h"
#include "import/toolbox_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/tpilot.h"
#include "model/version.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "ui/dialogs/importbawlindialog.h"
#include "ui/seam/qtinteraction.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <vector>

namespace tl::ui {

namespace {

const QString kAllFiles = QStringLiteral(";;All Files (*)");

FileDialogPlace Place(const ImportContext& c)
{
    return {c.Settings, c.SaveSettings, c.Parent};
}

QString ChooseOne(ImportContext& c, const char* caption, const char* folderKey, const char* filter,
                  const QString& start = QString())
{
    return ChooseFile(c.Chooser, Place(c), FileChooser::Mode::Open, QString::fromLatin1(caption),
                      QString::fromLatin1(folderKey), QString::fromLatin1(filter) + kAllFiles,
                      start);
}

// Runs a load that changes what the grid shows. A grid that was on goes down
// first (which closes the pairings, toolbox and text windows) and is built
// again afterwards, so credits and legality follow the new data.
template <typename Load> bool WithGridDown(ImportContext& c, const Load& load)
{
    const bool wasOn = c.Doc.GridOn;
    TakeDownGrid(c.Doc);
    const bool loaded = load();
    if (wasOn)
        BuildBlocks(c.Doc, c.Ui, true);
    return loaded;
}

} // namespace

bool ImportToolBoxItems(ImportContext& c)
{
    const QString path =
        ChooseOne(c, "Load ToolBox Absences", "LastBoxPath", "ToolBox Files (*.txt *.TXT)");
    if (path.isEmpty())
        return false;
    const int count = c.Doc.AbsenceCount;
    const std::string date = c.Doc.ToolBoxDate;
    const bool loaded = LoadToolBox(ToFileName(path), c.Doc, c.Ui);
    // A file that is no toolbox empties the table too: the month changed.
    if (loaded || count != c.Doc.AbsenceCount || date != c.Doc.ToolBoxDate)
        c.Doc.Modified = true;
    return loaded;
}

bool ImportRosterExtract(ImportContext& c)
{
    ScheduleDocument& doc = c.Doc;
    if (doc.GroupName.size() != 9)
        return false;
    if (doc.CrewCount > 0 &&
        !c.Ui.AskYes(kCaption, "This will replace the Roster and erase every Block. Proceed"))
        return false;
    const QString path = ChooseOne(c, "Load Crew Roster from Extract", "LastRosterPath",
                                   "CrewTrac Extract Files (*perp.ext *perc.ext)");
    if (path.isEmpty())
        return false;
    return WithGridDown(c, [&] {
        // The new roster must not inherit the blocks of the crew it replaces;
        // those come back when no new roster is read.
        std::vector<TPilot> replaced(doc.Crew.get(), doc.Crew.get() + doc.CrewCount);
        doc.ZeroData(c.Ui, true, false, ScheduleDocument::Extent::InUse);
        const bool loaded = LoadRosterFromExtract(doc, doc.GroupName, ToFileName(path), c.Ui);
        if (loaded && doc.CrewCount > 0)
            return true;
        if (loaded)
            c.Ui.Message(kCaption,
                         "No crew member of the group " + doc.GroupName +
                             " was found in this extract.",
                         Icon::Warning);
        if (!replaced.empty()) {
            doc.ZeroData(c.Ui, true, false, ScheduleDocument::Extent::InUse);
            std::copy(replaced.begin(), replaced.end(), doc.Crew.get());
            doc.CrewCount = static_cast<int>(replaced.size());
        }
        return false;
    });
}

bool ImportAbsences(ImportContext& c, bool nextMonth)
{
    // Asked before the file is chosen: No leaves the month as it is.
    if (!ConfirmCrewAbsencesOverwrite(c.Doc, nextMonth, c.Ui))
        return false;
    const QString path = ChooseOne(c, "Load Crew Absences Extract", "LastCrewAbsPath",
                                   "CrewTrac Extract Files (*absp.ext *absc.ext)");
    if (path.isEmpty())
        return false;
    return WithGridDown(
        c, [&] { return LoadConfirmedCrewAbsences(c.Doc, ToFileName(path), nextMonth, c.Ui); });
}

bool ImportLastMonth(ImportContext& c)
{
    const QString activity =
        ChooseOne(c, "Load Overlap Information from Extract", "LastOverlapDataPath",
                  "CrewTrac Extract Files (*actp.ext *actc.ext)");
    if (activity.isEmpty())
        return false;
    // The pairing extract usually lies beside the activity extract.
    const QString pairings =
        ChooseOne(c, "Open Updated Pairing Data from Extract", "",
                  "CrewTrac Extract Files (*prgp.ext *prgc.ext)", QFileInfo(activity).path());
    if (pairings.isEmpty())
        return false;
    return WithGridDown(c, [&] {
        return LoadLastMonthsData(c.Doc, ToFileName(activity), ToFileName(pairings), c.Ui);
    });
}

bool ImportPairingsFile(ImportContext& c, const std::string& baseEqp, bool anyEquipment)
{
    const QString path = ChooseOne(c, "Load This Month's Pairings", "LastPRGPath",
                                   "Pairing Files (*.Quarnelle *.PRG)");
    if (path.isEmpty())
        return false;
    return WithGridDown(
        c, [&] { return LoadPRGPairs(c.Doc, ToFileName(path), baseEqp, anyEquipment, c.Ui); });
}

void ScanLisFilesDialog(ImportContext& c)
{
    ScheduleDocument& doc = c.Doc;
    std::string month(doc.MonthName.data(),
                      std::find(doc.MonthName.begin(), doc.MonthName.end(), '\0'));
    UpperCase(month);
    const std::string question = "%s does not contain " + month +
                                 " in the File Name. Are you sure this is the correct LIS File";
    for (;;) {
        const QStringList chosen =
            ChooseFiles(c.Chooser, Place(c),
                        QStringLiteral("Flag ACType/FR Pairs from LIS. CTRL for Multiple Files"),
                        QStringLiteral("LastFrenchPath"),
                        QStringLiteral("LIS Pairing Files(*.LIS)") + kAllFiles);
        // Cancelled: nothing was scanned, so the month is left as it was.
        if (chosen.isEmpty())
            return;
        std::vector<std::filesystem::path> paths;
        bool confirmed = true;
        for (const QString& file : chosen) {
            const std::filesystem::path path = ToFileName(file);
            if (LisFileNameHasMonth(doc, path)) {
                paths.push_back(path);
                continue;
            }
            // The name in capitals, as the system spells it.
            const std::filesystem::path shown = ToFileName(QFileInfo(file).fileName().toUpper());
            if (c.Ui.AskAboutFile(kCaption, question, shown, Buttons::YesNo, Icon::Question) !=
                Answer::Yes) {
                confirmed = false;
                break;
            }
            paths.push_back(path);
        }
        // No: the files are chosen again.
        if (!confirmed)
            continue;
        (void)ScanLisFiles(doc, paths, c.Ui);
        return;
    }
}

void ImportBawLinBlocksDialog(ImportContext& c)
{
    const QString path = ChooseOne(c, "Load BAW Data", "LastBAWPath", "Baw Files (*.baw *.BAW)");
    if (path.isEmpty())
        return;
    std::optional<BawLinFile> file = ReadBawLin(ToFileName(path), c.Ui);
    if (!file)
        return;
    ImportBawLinDialog dialog(std::move(*file), c.Doc, c.Ui, c.Parent);
    dialog.exec();
}

} // namespace tl::ui
