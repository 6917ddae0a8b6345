#include "cliinteraction.h"

#include "model/debug_trace.h"
#include "model/text_encoding.h"

#include <algorithm>
#include <ostream>

namespace tl::cli {

namespace {

const char* AnswerName(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return "OK";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    case Answer::Cancel:
        return "Cancel";
    }
    return "";
}

// Core text in the terminal's UTF-8; a file name goes out as the system's
// bytes, which is what the terminal shows for it elsewhere too.
std::string WithFileName(std::string_view text, const std::filesystem::path& file)
{
    FileNameSlot slot = SplitAtFileName(text);
    return Cp1252ToUtf8(slot.Before) + file.string() + Cp1252ToUtf8(slot.After);
}

} // namespace

Answer AnswerFor(AnswerPolicy policy, Buttons buttons)
{
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    switch (policy) {
    case AnswerPolicy::Yes:
        return Answer::Yes;
    case AnswerPolicy::No:
        return Answer::No;
    case AnswerPolicy::Cancel:
        break;
    }
    return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
}

CliInteraction::CliInteraction(std::ostream& out, std::ostream& err, AnswerPolicy policy,
                               bool terminal)
    : m_out(out), m_err(err), m_policy(policy), m_terminal(terminal)
{
}

void CliInteraction::Say(std::string_view caption, const std::string& text)
{
    ProgressDone();
    m_err << Cp1252ToUtf8(caption) << ": " << text << '\n';
}

Answer CliInteraction::Answered(std::string_view caption, const std::string& text, Answer answer)
{
    ProgressDone();
    m_err << Cp1252ToUtf8(caption) << ": " << text << " [" << AnswerName(answer) << "]\n";
    return answer;
}

void CliInteraction::Message(std::string_view caption, std::string_view text, Icon)
{
    Say(caption, Cp1252ToUtf8(text));
}

Answer CliInteraction::Ask(std::string_view caption, std::string_view text, Buttons buttons, Icon)
{
    Answer answer = AnswerFor(m_policy, buttons);
    if (buttons != Buttons::Ok && text.starts_with("This May Not Be a Valid "))
        answer = m_acceptOddExtract ? Answer::Yes : Answer::No;
    return Answered(caption, Cp1252ToUtf8(text), answer);
}

void CliInteraction::MessageAboutFile(std::string_view caption, std::string_view text,
                                      const std::filesystem::path& file, Icon)
{
    Say(caption, WithFileName(text, file));
}

Answer CliInteraction::AskAboutFile(std::string_view caption, std::string_view text,
                                    const std::filesystem::path& file, Buttons buttons, Icon)
{
    return Answered(caption, WithFileName(text, file), AnswerFor(m_policy, buttons));
}

void CliInteraction::ShowList(std::string_view, const std::vector<std::string>& lines)
{
    ProgressDone();
    for (const std::string& line : lines)
        m_out << Cp1252ToUtf8(line) << '\n';
    m_out.flush();
}

void CliInteraction::Progress(std::string_view title, std::string_view text, int percent)
{
    if (!m_terminal)
        return;
    constexpr int kWidth = 30;
    int filled = std::clamp(percent, 0, 100) * kWidth / 100;
    m_err << '\r' << Cp1252ToUtf8(title) << " [" << std::string(static_cast<size_t>(filled), '#')
          << std::string(static_cast<size_t>(kWidth - filled), ' ') << "] " << Cp1252ToUtf8(text)
          << "\x1b[K" << std::flush;
    m_barShown = true;
}

void CliInteraction::ProgressDone()
{
    if (m_barShown) {
        m_err << "\r\x1b[K" << std::flush;
        m_barShown = false;
    }
}

void CliInteraction::Beep()
{
    if (m_terminal)
        m_err << '\a' << std::flush;
}

void CliInteraction::Trace(std::string_view text)
{
    if (m_trace)
        m_trace->Write(text);
}

bool CliInteraction::Tracing() const
{
    return m_trace != nullptr && m_trace->IsOpen();
}

} // namespace tl::cli
