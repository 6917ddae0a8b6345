#include "storage/history_text.h"

#include <cstdio>

namespace tl {

namespace {

// A fixed-width decimal field; false when it holds anything but digits
// (a leading minus sign is taken, as "%04d" writes negative numbers so).
bool Field(std::string_view text, size_t at, size_t width, int32_t& value)
{
    if (at + width > text.size())
        return false;
    std::string_view field = text.substr(at, width);
    size_t i = 0;
    bool negative = false;
    while (i < field.size() && field[i] == ' ')
        ++i;
    if (i < field.size() && field[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == field.size())
        return false;
    int32_t v = 0;
    for (; i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9')
            return false;
        v = v * 10 + (field[i] - '0');
    }
    value = negative ? -v : v;
    return true;
}

} // namespace

std::string SerializeHistory(const THistory& history)
{
    std::string text;
    text.reserve(4 + 14 * history.size());
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d", static_cast<int>(history.size()));
    text += buffer;
    for (const TAction& a : history) {
        std::snprintf(buffer, sizeof buffer, "%02d%04d%04d%04d", a.Kind, a.Day, a.Crew, a.Pairing);
        text += buffer;
    }
    return text;
}

void ParseHistory(THistory& history, std::string_view text)
{
    history.clear();
    int32_t count = 0;
    if (!Field(text, 0, 4, count) || count <= 0)
        return;
    for (int32_t i = 0; i < count && history.size() < kHistoryLimit; ++i) {
        size_t at = 4 + 14 * static_cast<size_t>(i);
        int32_t kind = 0;
        TAction a;
        if (!Field(text, at, 2, kind) || !Field(text, at + 2, 4, a.Day) ||
            !Field(text, at + 6, 4, a.Crew) || !Field(text, at + 10, 4, a.Pairing))
            return;
        a.Kind = static_cast<int8_t>(kind);
        history.push_back(a);
    }
}

} // namespace tl
