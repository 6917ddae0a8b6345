#include "ui/app/tlapp.h"

#include "model/debug_trace.h"
#include "model/interaction.h"
#include "model/version.h"
#include "storage/settings.h"
#include "ui/app/instanceguard.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <new>

namespace tl::ui {

TLApp::TLApp(Interaction& ui, SettingsStore& settings, DebugTrace& trace, QString traceFolder)
    : m_ui(ui), m_settings(settings), m_trace(trace), m_traceFolder(std::move(traceFolder))
{
}

TLApp::~TLApp()
{
    m_frame.reset();
    m_trace.CloseNormally();
}

QString TLApp::DefaultTraceFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("TLDebug"));
}

std::optional<int> TLApp::Start(InstanceGuard& guard, const QString& fileToOpen, bool maximized)
{
    if (!guard.TryAcquire()) {
        m_ui.Message(kCaption, "Tessara Lines is Currently Running", Icon::Information);
        return 0;
    }
    try {
        m_frame = std::make_unique<TMainDecFrameWin>(m_ui, m_settings);
    } catch (const std::bad_alloc&) {
        m_frame.reset();
        m_ui.Message("Fatal Error", "Not Enough Memory. Try quitting other Programs", Icon::Error);
        return kExitNoMemory;
    }
    if (maximized)
        m_frame->showMaximized();
    else
        m_frame->show();
    // The trace opens before the document is first emptied, so that its
    // first lines are those of DeleteAll or of the load.
    // A trace that cannot be opened has been told about; the program runs without it.
    if (Preferences::Read(m_settings).DebugFile)
        (void)OpenDebugTrace(m_trace, ToFileName(m_traceFolder), m_ui);
    if (fileToOpen.isEmpty())
        m_frame->Client()->DeleteAll();
    else // "tlines june.tl2": the month's name must not depend on the working folder later.
        m_frame->OpenFile(QFileInfo(fileToOpen).absoluteFilePath());
    return std::nullopt;
}

} // namespace tl::ui
