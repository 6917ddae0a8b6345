#include "model/interaction.h"

#include <algorithm>
#include <cctype>

namespace tl {

std::vector<std::string> SplitSummaryText(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t stop = text.find('.', start);
        if (stop == std::string_view::npos)
            stop = text.size();
        std::string_view piece = text.substr(start, stop - start);
        bool blank = std::all_of(piece.begin(), piece.end(), [](char c) {
            return std::isspace(static_cast<unsigned char>(c));
        });
        if (!blank)
            lines.emplace_back(piece);
        start = stop + 1;
    }
    return lines;
}

FileNameSlot SplitAtFileName(std::string_view text)
{
    const size_t at = text.find("%s");
    if (at == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, at), text.substr(at + 2)};
}

void ShowSummary(Interaction& ui, std::string_view caption, std::string_view text)
{
    ui.ShowList(caption, SplitSummaryText(text));
}

std::string FillTexts(std::string_view format, std::initializer_list<std::string_view> values)
{
    std::string text;
    auto next = values.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            if (next != values.end())
                text += *next++;
            ++i;
            continue;
        }
        text += format[i];
    }
    return text;
}

std::string FormatCounts(std::string_view format, std::initializer_list<long long> values)
{
    std::string out;
    out.reserve(format.size() + 16);
    auto next = values.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            char d = format[i + 1];
            if (d == 'd') {
                out += std::to_string(next != values.end() ? *next++ : 0);
                ++i;
                continue;
            }
            if (d == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

TProgressDialog::TProgressDialog(Interaction& ui, std::string title, int maximum,
                                 std::string format)
    : m_ui(ui), m_title(std::move(title)), m_format(std::move(format)), m_maximum(maximum)
{
    SetValue(0);
}

TProgressDialog::~TProgressDialog()
{
    m_ui.ProgressDone();
}

void TProgressDialog::SetRange(int maximum)
{
    m_maximum = maximum;
    m_lastPercent = -1;
    SetValue(m_value);
}

int TProgressDialog::Percent() const
{
    if (m_maximum <= 0)
        return 0;
    long long p = static_cast<long long>(std::clamp(m_value, 0, m_maximum)) * 100 / m_maximum;
    return static_cast<int>(p);
}

void TProgressDialog::SetValue(int value)
{
    m_value = value;
    std::string text = FormatCounts(m_format, {value, m_maximum});
    int percent = Percent();
    // Long loads set a value per record; only tell the window when it changes.
    if (percent == m_lastPercent && text == m_lastText)
        return;
    m_lastPercent = percent;
    m_lastText = std::move(text);
    m_ui.Progress(m_title, m_lastText, percent);
}

} // namespace tl
