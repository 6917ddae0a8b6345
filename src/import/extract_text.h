#pragma once

#include "model/input_file.h"
#include "model/vortime.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tl {

class Interaction;

// The crew tracking system's extracts are fixed-column text files read line
// by line. These helpers are shared by the three extract loaders.

// Largest extract the loaders read; the whole airline's roster is a few
// megabytes.
inline constexpr std::uintmax_t kMaxExtractSize = 256u * 1024u * 1024u;

// Lines of an extract held in memory. A line ends at a line feed or at the
// end of the text; a carriage return before the line feed is dropped, so
// files written on Windows keep their record lengths. Only the first `keep`
// characters of a line are handed out; the rest of a longer line is skipped
// rather than read as a line of its own.
class ExtractLines {
public:
    ExtractLines(std::string_view text, size_t keep) : m_text(text), m_keep(keep) {}

    // The next line, false at the end of the text.
    bool Next(std::string_view& line);
    bool AtEnd() const { return m_pos >= m_text.size(); }
    void Rewind() { m_pos = 0; }

private:
    std::string_view m_text;
    size_t m_keep;
    size_t m_pos = 0;
};

// The first line of a text as ExtractLines hands it out; empty for an empty text.
std::string_view FirstExtractLine(std::string_view text, size_t keep);

// Opens an extract for reading, with its size: a regular file no larger than
// any extract, past a byte-order mark. Otherwise shows "Unable to Open File"
// captioned with the file name and returns false.
[[nodiscard]] bool OpenExtract(const std::filesystem::path& path, InputFile& in, Interaction& ui);

// A whole extract file in memory.
class ExtractFile {
public:
    // Reads the file. When it cannot be read (missing, not a regular file,
    // larger than any extract) shows "Unable to Open File" captioned with the file name
    // and returns false.
    [[nodiscard]] bool Read(const std::filesystem::path& path, Interaction& ui);
    std::string_view Text() const { return {m_bytes.get(), m_size}; }

private:
    // Not zero-filled first: the read overwrites it and only what was read is used.
    std::unique_ptr<char[]> m_bytes;
    size_t m_size = 0;
};

// The warnings of one load, for the summary list. A hostile extract could
// raise one for every day of every entry of every line; past kMaxWarnings
// they are only counted, and one line at the end says how many more there were.
class ExtractWarnings {
public:
    static constexpr int kMaxWarnings = 2000;

    // Adds one warning, formatted as printf does (only while it is listed).
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3)));
    bool Empty() const { return m_count == 0; }
    std::string Text() const;

private:
    std::string m_text;
    long long m_count = 0;
};

// GetInt for the loaders' inner loops: the same value and the same trace
// line for a short line, for fields of up to nine characters (which cannot
// overflow), without the general conversion's bookkeeping.
inline int32_t FieldInt(std::string_view line, int start, int count, Interaction& trace)
{
    if (count > 9 || start < 0 || count < 0 ||
        line.size() < static_cast<size_t>(start) + static_cast<size_t>(count))
        return GetInt(line, start, count, trace);
    const char* c = line.data() + start;
    const char* end = c + count;
    while (c < end && (*c == ' ' || (*c >= '\t' && *c <= '\r')))
        ++c;
    bool negative = false;
    if (c < end && (*c == '+' || *c == '-'))
        negative = *c++ == '-';
    int32_t value = 0;
    for (; c < end && *c >= '0' && *c <= '9'; ++c)
        value = value * 10 + (*c - '0');
    return negative ? -value : value;
}

// A date of an extract, year (4 digits), month and day (2 each) from
// `column`, as a day number; 0 when the line is too short for it or it is not
// a real date.
int32_t ExtractDate(std::string_view line, int column, Interaction& trace);

} // namespace tl
