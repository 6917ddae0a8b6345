#include "ui/app/tlapp.h"

#include "model/interaction.h"
#include "ui/app/instanceguard.h"
#include "ui/frame/tmaindecframewin.h"

namespace tl::ui {

TLApp::TLApp(Interaction& ui) : m_ui(ui) {}

TLApp::~TLApp() = default;

std::optional<int> TLApp::Start(InstanceGuard& guard)
{
    if (!guard.TryAcquire()) {
        m_ui.Message("Tessara Lines", "Tessara Lines is Currently Running", Icon::Information);
        return 0;
    }
    m_frame = std::make_unique<TMainDecFrameWin>(m_ui);
    m_frame->show();
    return std::nullopt;
}

} // namespace tl::ui
