#pragma once

#include <memory>
#include <optional>

namespace tl {
class Interaction;
}

namespace tl::ui {

class InstanceGuard;
class TMainDecFrameWin;

// The application: the single-instance check and the frame, which it owns
// for the life of the process.
class TLApp {
public:
    explicit TLApp(Interaction& ui);
    ~TLApp();

    // Runs the start-up. Returns the exit code when the program must end at
    // once (another copy is running); otherwise the frame is shown.
    std::optional<int> Start(InstanceGuard& guard);

    TMainDecFrameWin* Frame() const { return m_frame.get(); }

private:
    Interaction& m_ui;
    std::unique_ptr<TMainDecFrameWin> m_frame;
};

} // namespace tl::ui
