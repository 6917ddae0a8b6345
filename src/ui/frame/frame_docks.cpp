// The frame's docked windows and their layout, kept in the settings from one
// run to the next.
#include "ui/frame/tmaindecframewin.h"

#include "storage/settings.h"
#include "ui/windows/framedock.h"

namespace tl::ui {

namespace {

constexpr std::string_view kLayoutKey = "WindowLayout";
constexpr std::string_view kGeometryKey = "WindowGeometry";
// Far more than Qt writes for a few docks; a longer value is not ours.
constexpr size_t kMaxLayoutText = 16 * 1024;

} // namespace

void TMainDecFrameWin::CreateDocks()
{
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    // The pairings board is as wide as the month; the toolbox and a pairing's
    // text are narrow lists, one above the other at the right.
    addDockWidget(Qt::BottomDockWidgetArea,
                  new FrameDock(tr("Pairings"), PairingsDockName(), this));
    addDockWidget(Qt::RightDockWidgetArea, new FrameDock(tr("ToolBox"), ToolBoxDockName(), this));
    addDockWidget(Qt::RightDockWidgetArea, new FrameDock(tr("Pair"), PairTextDockName(), this));
}

void TMainDecFrameWin::RestoreDockLayout()
{
    auto read = [this](std::string_view key) {
        const std::optional<std::string> text = m_settings.Get(kSectionTL, key);
        if (!text || text->size() > kMaxLayoutText)
            return QByteArray();
        return QByteArray::fromBase64(QByteArray::fromStdString(*text));
    };
    // Either leaves the frame as it is when what was read is not a layout.
    restoreGeometry(read(kGeometryKey));
    restoreState(read(kLayoutKey));
    // Which windows are open is the month's business, not the layout's.
    for (FrameDock* dock : findChildren<FrameDock*>(QString(), Qt::FindDirectChildrenOnly))
        dock->hide();
}

void TMainDecFrameWin::SaveDockLayout()
{
    // Base64 keeps the settings file text.
    m_settings.Set(kSectionTL, kLayoutKey, saveState().toBase64().toStdString());
    m_settings.Set(kSectionTL, kGeometryKey, saveGeometry().toBase64().toStdString());
    SaveSettings(false);
}

FrameDock* TMainDecFrameWin::Dock(const QString& name) const
{
    return FindDock(this, name);
}

} // namespace tl::ui
