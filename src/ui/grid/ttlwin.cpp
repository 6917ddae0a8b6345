#include "ui/grid/ttlwin.h"

#include "actions/file_copies.h"
#include "actions/open_month.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "output/document_json.h"
#include "rules/block_build.h"
#include "storage/block_file.h"
#include "storage/settings.h"
#include "ui/grid/gridview.h"
#include "ui/seam/qtinteraction.h"

#include <QFontDatabase>
#include <QPainter>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace tl::ui {

TtlWin::TtlWin(Interaction& ui, SettingsStore& settings, QWidget* parent)
    : QWidget(parent), m_ui(ui), m_settings(settings), m_doc(std::make_unique<ScheduleDocument>())
{
    setObjectName(QStringLiteral("TtlWin"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);

    // A child by name, so the timer can be found and fired without waiting.
    m_backupTimer.setParent(this);
    m_backupTimer.setObjectName(QStringLiteral("backupTimer"));
    m_backupTimer.setInterval(30000);
    connect(&m_backupTimer, &QTimer::timeout, this, &TtlWin::BackupTimerTick);
    m_backupTimer.start();

    m_grid = new GridView(*m_doc, m_ui, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    m_grid->hide();
    connect(m_grid, &GridView::HoverTextChanged, this, &TtlWin::HoverTextChanged);
    connect(m_grid, &GridView::PairingClicked, this, &TtlWin::pairingClicked);
    connect(m_grid, &GridView::OtherAssignmentClicked, this, &TtlWin::otherAssignmentClicked);
    connect(m_grid, &GridView::EmployeeInfoRequested, this, &TtlWin::employeeInfoRequested);
    connect(m_grid, &GridView::MoveEmployeeRequested, this, &TtlWin::moveEmployeeRequested);
    connect(m_grid, &GridView::ShowOnlyOpenToggled, this, &TtlWin::showOnlyOpenToggled);
    connect(m_grid, &GridView::PairingsWindowToggleRequested, this,
            &TtlWin::pairingsWindowToggleRequested);
    connect(m_grid, &GridView::DisplayFlagsChanged, this, &TtlWin::displayFlagsChanged);
    connect(m_grid, &GridView::BlocksChanged, this, &TtlWin::DocumentChanged);
    connect(this, &TtlWin::DocumentChanged, this, &TtlWin::SyncGrid);
    ReadDisplaySettings();
    m_doc->Listener = this;
}

TtlWin::~TtlWin()
{
    m_doc->Listener = nullptr;
}

CommandContext TtlWin::Context() const
{
    CommandContext context;
    context.DisplayState = m_doc->DisplayState;
    context.Untitled = m_doc->Untitled;
    context.ReadOnly = m_doc->ReadOnly;
    context.BuildState = m_doc->BuildState;
    return context;
}

void TtlWin::DeleteAll()
{
    m_lock.Release();
    m_readOnly = false;
    m_doc->DeleteAll(m_ui);
    m_grid->SetDisplayFlags({});
    m_doc->DisplayState = kNoMonthOpen;
    update();
    emit DocumentChanged();
}

bool TtlWin::OpenFile(const QString& path)
{
    const std::string file = ToFileName(path);
    const bool hadLock = m_lock.Taken();
    m_lock.Release();
    const bool held = m_lock.Take(file) == MonthLock::Result::Held;
    if (held &&
        m_ui.AskAboutFile("File in Use", HeldMonthText(m_lock.Holder(), ". Open it read-only"),
                          file, Buttons::YesNo, Icon::Question) != Answer::Yes) {
        // The month open here stays as it was, lock included.
        if (hadLock)
            (void)m_lock.Take(m_doc->FileName);
        return false;
    }
    m_readOnly = held;
    m_grid->SetDisplayFlags({});
    m_doc->DisplayState = kNoMonthOpen;
    const OpenedMonth opened = OpenMonthFile(*m_doc, file, m_ui);
    if (!opened.Opened) {
        m_lock.Release();
        m_readOnly = false;
        m_doc->DisplayState = kNoMonthOpen;
    } else if (m_doc->ReadOnly && !opened.ViewerCopy()) {
        m_ui.Message(kCaption,
                     "This month is opened read-only: " + NotWholeReason(opened) +
                         ". Save As saves what was read under a new name; the file itself is "
                         "kept as it is.",
                     Icon::Warning);
    }
    // Another user's month is theirs to write: Save, the copies and the
    // timed backup leave it alone.
    if (m_readOnly)
        m_doc->ReadOnly = true;
    update();
    emit DocumentChanged();
    return opened.Opened;
}

bool TtlWin::SaveAs(const QString& path)
{
    const std::string file = ToFileName(path);
    std::error_code ec;
    if (m_doc->ReadOnly && std::filesystem::equivalent(file, m_doc->FileName, ec)) {
        m_ui.MessageAboutFile("File Error",
                              "%s is opened read-only. Save the month under a new name.", file,
                              Icon::Error);
        return false;
    }
    if (file != m_doc->FileName || m_readOnly) {
        // Another program may be editing the file saved over.
        MonthLock lock;
        if (lock.Take(file) == MonthLock::Result::Held) {
            m_ui.MessageAboutFile(
                "File in Use", HeldMonthText(lock.Holder(), ". Use Save As to Save as a new name"),
                file, Icon::Error);
            return false;
        }
        if (!SaveBlocks(*m_doc, file, kSchedulerFile, m_ui))
            return false;
        m_lock.Release();
        if (lock.Taken())
            (void)m_lock.Take(file);
        m_readOnly = false;
    } else if (!SaveBlocks(*m_doc, file, kSchedulerFile, m_ui)) {
        return false;
    }
    // What was written is a whole scheduler file of this version.
    m_doc->FileName = file;
    m_doc->Untitled = false;
    m_doc->ReadOnly = false;
    m_doc->FileIncomplete = false;
    m_doc->FileKind = kSchedulerFile;
    m_doc->FileVersion = kBlockFileVersion;
    emit DocumentChanged();
    return true;
}

bool TtlWin::RefuseReadOnly()
{
    if (!m_readOnly)
        return false;
    m_ui.MessageAboutFile("File Error",
                          "%s\nis open read-only: another user is editing it. Use Save As to "
                          "Save as a new name",
                          m_doc->FileName, Icon::Error);
    return true;
}

bool TtlWin::Save()
{
    if (m_doc->Untitled || m_doc->FileName.empty() || RefuseReadOnly() || m_doc->ReadOnly)
        return false;
    bool saved = SaveBlocks(*m_doc, m_doc->FileName, kSchedulerFile, m_ui);
    emit DocumentChanged();
    return saved;
}

bool TtlWin::BackupTo(const QString& folder, bool withDateTime)
{
    return BackupBlocks(*m_doc, ToFileName(folder), withDateTime, m_ui);
}

void TtlWin::BackupTimerTick()
{
    // The .BAK beside a month another user edits is theirs.
    if (m_readOnly)
        return;
    if (TimedBackupTick(*m_doc, Preferences::Read(m_settings).AutoSave, m_ui))
        emit DocumentChanged();
}

void TtlWin::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    if (m_doc->DisplayState == kNoMonthOpen) {
        painter.drawText(rect(), Qt::AlignCenter,
                         tr("No month is open.\nFile > Open opens a month's file (.tl2 or .tlv); "
                            "File > New sets up a new month."));
        return;
    }
    // Until the month is built, the window shows what the month holds.
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    painter.drawText(rect().adjusted(24, 24, -24, -24), Qt::AlignLeft | Qt::AlignTop,
                     FromCoreText(DocumentSummary(*m_doc)));
}

} // namespace tl::ui
