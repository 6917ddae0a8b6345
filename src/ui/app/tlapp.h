#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace tl {
class DebugTrace;
class Interaction;
class SettingsStore;
} // namespace tl

namespace tl::ui {

class InstanceGuard;
class TMainDecFrameWin;

// The application: the single-instance check, the debug trace and the
// frame, which it owns for the life of the process.
class TLApp {
public:
    // `traceFolder` is where TLDebug.txt goes when the DebugFile setting is on.
    TLApp(Interaction& ui, SettingsStore& settings, DebugTrace& trace, QString traceFolder);
    ~TLApp();

    // Exit code when the month's tables cannot be allocated.
    static constexpr int kExitNoMemory = 1;

    // Runs the start-up. Returns the exit code when the program must end at
    // once (another copy is running: 0; no memory for the tables:
    // kExitNoMemory); otherwise the frame is shown, with `fileToOpen`
    // opened when one is named. `maximized` shows it over the whole screen
    // before the month opens, so the floating windows find their places in it.
    std::optional<int> Start(InstanceGuard& guard, const QString& fileToOpen = {},
                             bool maximized = false);

    TMainDecFrameWin* Frame() const { return m_frame.get(); }

    // The per-user folder of the debug trace.
    static QString DefaultTraceFolder();

private:
    Interaction& m_ui;
    SettingsStore& m_settings;
    DebugTrace& m_trace;
    QString m_traceFolder;
    std::unique_ptr<TMainDecFrameWin> m_frame;
};

} // namespace tl::ui
