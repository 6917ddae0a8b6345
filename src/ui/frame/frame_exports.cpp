// The other exports: the HTML page, blocks on the clipboard, the training
// report and the month by e-mail.
#include "ui/frame/tmaindecframewin.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "output/other_exports.h"
#include "storage/settings.h"
#include "ui/dialogs/selectblocksdialog.h"
#include "ui/frame/mail.h"
#include "ui/grid/grid_text.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

namespace tl::ui {

namespace {

constexpr std::string_view kSectionClipboard = "CLIPBOARD";

} // namespace

void TMainDecFrameWin::InstallExportCommands()
{
    m_handlers.insert(CmInternet, [this] {
        SaveForInternet(m_client->Document(), m_ui);
        // Each block was credited again on the way.
        emit m_client->DocumentChanged();
    });

    m_handlers.insert(CmCopyBlocks, [this] {
        ScheduleDocument& doc = m_client->Document();
        SelectBlocksDialog dialog(doc, m_settings.GetInt(kSectionClipboard, "ClipPairs", 0) != 0,
                                  m_settings.GetInt(kSectionClipboard, "ClipXes", 0) != 0, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_settings.SetInt(kSectionClipboard, "ClipPairs", dialog.ClipPairs() ? 1 : 0);
        m_settings.SetInt(kSectionClipboard, "ClipXes", dialog.ClipXes() ? 1 : 0);
        SaveSettings(false);
        for (int i = 0; i < CrewRows(doc); ++i)
            doc.Crew[Ix(i)].Selected = 0;
        for (int i : dialog.Chosen()) {
            if (i < CrewRows(doc))
                doc.Crew[Ix(i)].Selected = 1;
        }
        const std::string text =
            SelectedBlocksText(doc, dialog.ClipPairs(), dialog.ClipXes(), m_ui);
        emit m_client->DocumentChanged();
        // The copy reports nothing, as the scheduler pastes it at once.
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(FromCoreText(text));
    });

    m_handlers.insert(CmTrainingReport, [this] {
        const ScheduleDocument& doc = m_client->Document();
        const QString start =
            doc.Untitled ? QString() : QFileInfo(FromFileName(doc.FileName)).absolutePath();
        const QString path =
            Choose(FileChooser::Mode::Save, tr("Export Training and Line Check Data"), QString(),
                   tr("CSV Files (*.csv);;All Files (*)"), start);
        if (!path.isEmpty())
            TrainingReport(doc, ToFileName(path), m_ui);
    });

    m_handlers.insert(CmEmail, [this] {
        ScheduleDocument& doc = m_client->Document();
        // The message carries the file as it is on the disk.
        if (doc.Modified && !DoSave())
            return;
        if (!m_ui.AskYes(kCaption, "This email file will include all personal data.\n Use Export "
                                   "feature for Saving without personal data.\n Do you want to "
                                   "Continue?"))
            return;
        SendByMail(doc.FileName, m_ui);
    });
}

} // namespace tl::ui
