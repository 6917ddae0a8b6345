#include "storage/profile_text.h"

namespace tl {

namespace {

// A carriage return is a blank too, so a last line without its line feed
// reads the same once a line is added after it.
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The name of a "[section]" line; the last "]" closes it, as a name may
// hold one.
std::optional<std::string_view> SectionOf(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view Key;
    std::string_view Value;
};

std::optional<KeyLine> KeyOf(std::string_view line)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty() || key.front() == ';' || key.front() == '[')
        return std::nullopt;
    return KeyLine{key, Trim(line.substr(eq + 1))};
}

bool OnOneLine(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

} // namespace

ProfileText::ProfileText(std::string_view bytes)
{
    while (!bytes.empty()) {
        const size_t nl = bytes.find('\n');
        Line line;
        if (nl == std::string_view::npos) {
            line.Text = std::string(bytes);
            bytes = {};
        } else {
            std::string_view text = bytes.substr(0, nl);
            line.End = "\n";
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                line.End = "\r\n";
            }
            line.Text = std::string(text);
            bytes.remove_prefix(nl + 1);
        }
        m_lines.push_back(std::move(line));
    }
}

size_t ProfileText::Find(std::string_view section, std::string_view key, bool& keyFound) const
{
    keyFound = false;
    size_t firstSection = std::string_view::npos;
    bool inSection = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const std::string_view text = m_lines[i].Text;
        if (std::optional<std::string_view> name = SectionOf(text)) {
            inSection = SameName(*name, section);
            if (inSection && firstSection == std::string_view::npos)
                firstSection = i;
        } else if (inSection) {
            std::optional<KeyLine> entry = KeyOf(text);
            if (entry && SameName(entry->Key, key)) {
                keyFound = true;
                return i;
            }
        }
    }
    return firstSection;
}

std::optional<std::string> ProfileText::Get(std::string_view section, std::string_view key) const
{
    bool keyFound = false;
    const size_t at = Find(Trim(section), Trim(key), keyFound);
    if (!keyFound)
        return std::nullopt;
    return std::string(KeyOf(m_lines[at].Text)->Value);
}

bool ProfileText::Storable(std::string_view section, std::string_view key, std::string_view value)
{
    return OnOneLine(section) && section.find(']') == std::string_view::npos && OnOneLine(key) &&
           !Trim(key).empty() && key.find('=') == std::string_view::npos &&
           Trim(key).front() != ';' && Trim(key).front() != '[' && OnOneLine(value);
}

std::string ProfileText::LineEnd() const
{
    // New lines end as the file's lines do.
    for (const Line& line : m_lines)
        if (!line.End.empty())
            return line.End;
    return "\n";
}

void ProfileText::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!Storable(section, key, value))
        return;
    section = Trim(section);
    key = Trim(key);
    std::string text = std::string(key) + "=" + std::string(value);

    bool keyFound = false;
    const size_t at = Find(section, key, keyFound);
    if (keyFound) {
        Line& line = m_lines[at];
        // An unchanged value keeps its line as it is written.
        if (KeyOf(line.Text)->Value != Trim(value))
            line.Text = std::move(text);
        return;
    }
    const std::string end = LineEnd();
    size_t insert = m_lines.size();
    if (at != std::string_view::npos) {
        // After the section's last line that holds something, so the blank
        // lines before the next section stay where they are.
        size_t last = at;
        for (size_t i = at + 1; i < m_lines.size() && !SectionOf(m_lines[i].Text); ++i)
            if (!Trim(m_lines[i].Text).empty())
                last = i;
        insert = last + 1;
    }
    if (insert > 0 && m_lines[insert - 1].End.empty())
        m_lines[insert - 1].End = end;
    if (at == std::string_view::npos)
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insert++),
                       Line{"[" + std::string(section) + "]", end});
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insert),
                   Line{std::move(text), end});
}

std::string ProfileText::Bytes() const
{
    std::string bytes;
    for (const Line& line : m_lines)
        bytes += line.Text + line.End;
    return bytes;
}

} // namespace tl
