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

void CliInteraction::Message(std::string_view caption, std::string_view text, Icon)
{
    ProgressDone();
    m_err << Cp1252ToUtf8(caption) << ": " << Cp1252ToUtf8(text) << '\n';
}

Answer CliInteraction::Ask(std::string_view caption, std::string_view text, Buttons buttons, Icon)
{
    ProgressDone();
    Answer answer = AnswerFor(m_policy, buttons);
    m_err << Cp1252ToUtf8(caption) << ": " << Cp1252ToUtf8(text) << " [" << AnswerName(answer)
          << "]\n";
    return answer;
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

} // namespace tl::cli
