#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// Everything the core shows to or asks of the person at the keyboard goes
// through this interface; the caller of an operation hands one in. The Qt
// program answers with dialogs, the command-line program with stderr and its
// --yes/--no options, and the tests with a scripted double.
class Interaction {
public:
    virtual ~Interaction() = default;

    // A message box with one OK button.
    virtual void Message(std::string_view caption, std::string_view text, Icon icon) = 0;

    // A question; the answer is one of the buttons offered.
    virtual Answer Ask(std::string_view caption, std::string_view text, Buttons buttons,
                       Icon icon) = 0;

    // A message or a question that names a file: `file` stands in place of
    // "%s" in `text` (after the text when it has none). A file name is the
    // operating system's text, not core text, so each side shows it as the
    // system spells it.
    virtual void MessageAboutFile(std::string_view caption, std::string_view text,
                                  const std::filesystem::path& file, Icon icon) = 0;
    virtual Answer AskAboutFile(std::string_view caption, std::string_view text,
                                const std::filesystem::path& file, Buttons buttons, Icon icon) = 0;

    // The modal summary list. The lines are already split (see SplitSummaryText).
    virtual void ShowList(std::string_view caption, const std::vector<std::string>& lines) = 0;

    // Progress of a long operation: the window title, its text line and the
    // gauge in percent (0 to 100). ProgressDone closes the window.
    virtual void Progress(std::string_view title, std::string_view text, int percent) = 0;
    virtual void ProgressDone() = 0;

    virtual void Beep() = 0;

    // One line of the debug trace, with its own line feed. Ignored while no
    // trace is open.
    virtual void Trace(std::string_view text) = 0;
    // False when Trace would drop every line, so a caller can skip building
    // lines no one reads. Saying true is always safe.
    virtual bool Tracing() const { return true; }

    // Convenience for the common Yes/No question where No cancels.
    bool AskYes(std::string_view caption, std::string_view text)
    {
        return Ask(caption, text, Buttons::YesNo, Icon::Question) == Answer::Yes;
    }
};

// Shows nothing and answers every question with No (Cancel where offered):
// for runs where no one is watching, such as fuzzing and benchmarks.
class SilentInteraction : public Interaction {
public:
    void Message(std::string_view, std::string_view, Icon) override {}
    Answer Ask(std::string_view, std::string_view, Buttons buttons, Icon) override
    {
        return buttons == Buttons::YesNoCancel ? Answer::Cancel
               : buttons == Buttons::Ok        ? Answer::Ok
                                               : Answer::No;
    }
    void MessageAboutFile(std::string_view, std::string_view, const std::filesystem::path&,
                          Icon) override
    {
    }
    Answer AskAboutFile(std::string_view caption, std::string_view text,
                        const std::filesystem::path&, Buttons buttons, Icon icon) override
    {
        return Ask(caption, text, buttons, icon);
    }
    void ShowList(std::string_view, const std::vector<std::string>&) override {}
    void Progress(std::string_view, std::string_view, int) override {}
    void ProgressDone() override {}
    void Beep() override {}
    void Trace(std::string_view) override {}
    bool Tracing() const override { return false; }
};

// The core text before and after the "%s" that stands for a file name.
struct FileNameSlot {
    std::string_view Before;
    std::string_view After;
};
FileNameSlot SplitAtFileName(std::string_view text);

// Splits a summary text into the lines of the summary list: a line ends at
// every full stop. Empty and blank pieces are dropped.
std::vector<std::string> SplitSummaryText(std::string_view text);

// Shows a summary text in the list dialog, split as above.
void ShowSummary(Interaction& ui, std::string_view caption, std::string_view text);

// Fills a "%d"-style text format without handing it to printf, so formats
// that come from data cannot read past the arguments: each "%d" takes the
// next value (0 once they run out), "%%" is a percent sign, anything else is
// copied as it stands.
std::string FormatCounts(std::string_view format, std::initializer_list<long long> values);

// The same for texts: each "%s" takes the next value (nothing once they run
// out), so names from files never reach printf.
std::string FillTexts(std::string_view format, std::initializer_list<std::string_view> values);

// A progress window for one long operation, closed when it goes out of scope.
// Setting a value updates the text ("Completed %d of %d" unless another
// format is given) and the gauge.
class TProgressDialog {
public:
    TProgressDialog(Interaction& ui, std::string title, int maximum,
                    std::string format = "Completed %d of %d");
    ~TProgressDialog();
    TProgressDialog(const TProgressDialog&) = delete;
    TProgressDialog& operator=(const TProgressDialog&) = delete;

    void SetRange(int maximum);
    void SetValue(int value);
    int Value() const { return m_value; }
    int Percent() const;

private:
    Interaction& m_ui;
    std::string m_title;
    std::string m_format;
    int m_maximum;
    int m_value = 0;
    int m_lastPercent = -1;
    std::string m_lastText;
};

} // namespace tl
