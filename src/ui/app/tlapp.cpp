#include "ui/app/tlapp.h"

#include "model/debug_trace.h"
#include "model/interaction.h"
#include "storage/settings.h"
#include "ui/app/instanceguard.h"
#include "ui/frame/tmaindecframewin.h"

#include <QDir>
#include <QStandardPaths>

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

std::optional<int> TLApp::Start(InstanceGuard& guard, const QString& fileToOpen)
{
    if (!guard.TryAcquire()) {
        m_ui.Message("Tessara Lines", "Tessara Lines is Currently Running", Icon::Information);
        return 0;
    }
    m_frame = std::make_unique<TMainDecFrameWin>(m_ui, m_settings);
    m_frame->show();
    if (Preferences::Read(m_settings).DebugFile)
        OpenDebugTrace(m_trace, m_traceFolder.toStdString(), m_ui);
    if (!fileToOpen.isEmpty())
        m_frame->OpenFile(fileToOpen);
    return std::nullopt;
}

} // namespace tl::ui
