#pragma once

#include "model/interaction.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>

class QProgressDialog;

namespace tl {
class DebugTrace;
}

namespace tl::ui {

// The Qt side of the core's interaction interface: message boxes, the
// summary list, a progress dialog, the beep and the debug trace.
class QtInteraction : public Interaction {
public:
    QtInteraction() = default;
    ~QtInteraction() override;

    // Dialogs open centred over this window once it exists.
    void SetParentWindow(QWidget* window) { m_parent = window; }
    void SetTrace(DebugTrace* trace) { m_trace = trace; }

    void Message(std::string_view caption, std::string_view text, Icon icon) override;
    Answer Ask(std::string_view caption, std::string_view text, Buttons buttons,
               Icon icon) override;
    void MessageAboutFile(std::string_view caption, std::string_view text,
                          const std::filesystem::path& file, Icon icon) override;
    Answer AskAboutFile(std::string_view caption, std::string_view text,
                        const std::filesystem::path& file, Buttons buttons, Icon icon) override;
    void ShowList(std::string_view caption, const std::vector<std::string>& lines) override;
    void Progress(std::string_view title, std::string_view text, int percent) override;
    void ProgressDone() override;
    void Beep() override;
    void Trace(std::string_view text) override;
    bool Tracing() const override;

private:
    void Show(std::string_view caption, const QString& text, Icon icon);
    Answer Asked(std::string_view caption, const QString& text, Buttons buttons, Icon icon);

    QPointer<QWidget> m_parent;
    DebugTrace* m_trace = nullptr;
    QProgressDialog* m_progress = nullptr;
};

// Texts of the core are bytes in the Windows-1252 code page.
QString FromCoreText(std::string_view text);
std::string Utf8ToCoreText(const QString& text);

// File names are the operating system's text, kept as it gives them (the
// document's FileName, the folders in the settings file).
QString FromFileName(const std::filesystem::path& file);
std::string ToFileName(const QString& path);

} // namespace tl::ui
