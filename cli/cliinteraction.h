#pragma once

#include "model/interaction.h"

#include <iosfwd>

namespace tl {
class DebugTrace;
}

namespace tl::cli {

// How the command line answers the questions of an operation.
enum class AnswerPolicy {
    Cancel, // neither --yes nor --no: the answer that cancels (No, or Cancel)
    Yes,
    No,
};

// The command line's side of the interaction interface: messages on stderr
// as "caption: text", answers from --yes/--no, summary lists on stdout, and a
// progress bar when stderr is a terminal.
class CliInteraction : public Interaction {
public:
    CliInteraction(std::ostream& out, std::ostream& err, AnswerPolicy policy, bool terminal);

    void SetTrace(DebugTrace* trace) { m_trace = trace; }
    // The question whether to load an extract that looks wrong is answered
    // by its own option, never by --yes: a script that answers the other
    // questions must still refuse a wrong file.
    void SetAcceptOddExtract(bool accept) { m_acceptOddExtract = accept; }

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
    void Say(std::string_view caption, const std::string& text);
    // The question's line; returns `answer`.
    Answer Answered(std::string_view caption, const std::string& text, Answer answer);

    std::ostream& m_out;
    std::ostream& m_err;
    AnswerPolicy m_policy;
    bool m_terminal;
    bool m_barShown = false;
    bool m_acceptOddExtract = false;
    DebugTrace* m_trace = nullptr;
};

// The answer the policy gives to a question with these buttons.
Answer AnswerFor(AnswerPolicy policy, Buttons buttons);

} // namespace tl::cli
