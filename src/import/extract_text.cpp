#include "import/extract_text.h"

#include "model/interaction.h"
#include "model/text_format.h"
#include "model/vortime.h"

#include <algorithm>
#include <cstdarg>
#include <system_error>
#include <vector>

namespace tl {

bool ExtractLines::Next(std::string_view& line)
{
    if (m_pos >= m_text.size())
        return false;
    const size_t feed = m_text.find('\n', m_pos);
    const size_t end = feed == std::string_view::npos ? m_text.size() : feed;
    size_t length = end - m_pos;
    if (length > 0 && m_text[end - 1] == '\r')
        --length;
    line = m_text.substr(m_pos, std::min(length, m_keep));
    m_pos = feed == std::string_view::npos ? m_text.size() : feed + 1;
    return true;
}

std::string_view FirstExtractLine(std::string_view text, size_t keep)
{
    ExtractLines lines(text, keep);
    std::string_view line;
    return lines.Next(line) ? line : std::string_view{};
}

bool OpenExtract(const std::filesystem::path& path, InputFile& in, Interaction& ui)
{
    in = OpenInputFile(path, InputText::Text);
    if (!in || in.Size > kMaxExtractSize) {
        in = {};
        ui.Message(path.string(), "Unable to Open File", Icon::Error);
        return false;
    }
    return true;
}

bool ExtractFile::Read(const std::filesystem::path& path, Interaction& ui)
{
    InputFile in;
    if (!OpenExtract(path, in, ui))
        return false;
    m_bytes.reset(new char[static_cast<size_t>(in.Size)]);
    in.Stream->read(m_bytes.get(), static_cast<std::streamsize>(in.Size));
    // A file that shrank while being read keeps what was there.
    m_size = static_cast<size_t>(in.Stream->gcount());
    return true;
}

void ExtractWarnings::Add(const char* format, ...)
{
    if (m_count++ >= kMaxWarnings)
        return;
    va_list args;
    va_start(args, format);
    m_text += FormatList(format, args);
    va_end(args);
}

std::string ExtractWarnings::Text() const
{
    if (m_count <= kMaxWarnings)
        return m_text;
    return m_text + Format(". %lld more Warnings not Listed.", m_count - kMaxWarnings);
}

int32_t ExtractDate(std::string_view line, int column, Interaction& trace)
{
    const int year = FieldInt(line, column, 4, trace);
    const int month = FieldInt(line, column + 4, 2, trace);
    const int day = FieldInt(line, column + 6, 2, trace);
    return CheckedJulianDay(month, day, year);
}

} // namespace tl
