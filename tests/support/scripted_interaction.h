#pragma once

#include "model/interaction.h"

#include <deque>
#include <string>
#include <vector>

namespace tl::test {

// A stand-in for the user: records everything the core shows and answers
// questions from a script, so tests can assert the exact texts. A question
// beyond the script gets the answer that cancels.
class ScriptedInteraction : public Interaction {
public:
    enum class Kind { Message, Question, List, Progress, ProgressDone, Beep };

    struct Event {
        Kind kind;
        std::string caption;
        std::string text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        std::vector<std::string> lines;
        int percent = 0;
    };

    // Answers for the coming questions, in order.
    void Script(std::initializer_list<Answer> answers)
    {
        m_answers.insert(m_answers.end(), answers);
    }

    void Message(std::string_view caption, std::string_view text, Icon icon) override
    {
        m_events.push_back(
            {Kind::Message, std::string(caption), std::string(text), icon, Buttons::Ok, {}, 0});
    }

    Answer Ask(std::string_view caption, std::string_view text, Buttons buttons, Icon icon) override
    {
        m_events.push_back(
            {Kind::Question, std::string(caption), std::string(text), icon, buttons, {}, 0});
        if (m_answers.empty())
            return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
        Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    // The file's name goes into the recorded text byte for byte.
    void MessageAboutFile(std::string_view caption, std::string_view text,
                          const std::filesystem::path& file, Icon icon) override
    {
        Message(caption, WithFileName(text, file), icon);
    }

    Answer AskAboutFile(std::string_view caption, std::string_view text,
                        const std::filesystem::path& file, Buttons buttons, Icon icon) override
    {
        return Ask(caption, WithFileName(text, file), buttons, icon);
    }

    void ShowList(std::string_view caption, const std::vector<std::string>& lines) override
    {
        m_events.push_back(
            {Kind::List, std::string(caption), {}, Icon::None, Buttons::Ok, lines, 0});
    }

    void Progress(std::string_view title, std::string_view text, int percent) override
    {
        m_events.push_back({Kind::Progress,
                            std::string(title),
                            std::string(text),
                            Icon::None,
                            Buttons::Ok,
                            {},
                            percent});
    }

    void ProgressDone() override
    {
        m_events.push_back({Kind::ProgressDone, {}, {}, Icon::None, Buttons::Ok, {}, 0});
    }

    void Beep() override
    {
        m_events.push_back({Kind::Beep, {}, {}, Icon::None, Buttons::Ok, {}, 0});
    }

    void Trace(std::string_view text) override { m_trace += text; }

    const std::vector<Event>& Events() const { return m_events; }
    const std::string& TraceText() const { return m_trace; }

    // Events of one kind only, for tests that look at messages alone.
    std::vector<Event> Only(Kind kind) const
    {
        std::vector<Event> out;
        for (const Event& e : m_events)
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }

    // The lines of every list shown under `caption`, one list after another.
    std::vector<std::string> ListLines(std::string_view caption) const
    {
        std::vector<std::string> out;
        for (const Event& e : m_events)
            if (e.kind == Kind::List && e.caption == caption)
                out.insert(out.end(), e.lines.begin(), e.lines.end());
        return out;
    }

    // "caption: text" of every message and question, in order.
    std::vector<std::string> Dialogs() const
    {
        std::vector<std::string> out;
        for (const Event& e : m_events)
            if (e.kind == Kind::Message || e.kind == Kind::Question)
                out.push_back(e.caption + ": " + e.text);
        return out;
    }

    void Clear()
    {
        m_events.clear();
        m_trace.clear();
    }

private:
    static std::string WithFileName(std::string_view text, const std::filesystem::path& file)
    {
        FileNameSlot slot = SplitAtFileName(text);
        return std::string(slot.Before) + file.string() + std::string(slot.After);
    }

    std::vector<Event> m_events;
    std::deque<Answer> m_answers;
    std::string m_trace;
};

// Answers every question Yes, as the command line's --yes does.
struct YesInteraction : SilentInteraction {
    Answer Ask(std::string_view, std::string_view, Buttons, Icon) override { return Answer::Yes; }
};

} // namespace tl::test
