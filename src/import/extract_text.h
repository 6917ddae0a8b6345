#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
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

// Reads a whole extract file into `text`. When it cannot be read (missing,
// a folder, larger than any extract) shows "Unable to Open File" captioned
// with the file name and returns false.
bool ReadExtractFile(const std::filesystem::path& path, std::string& text, Interaction& ui);

// The warning and trace texts of the loaders, formatted as printf does.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A date of an extract, year (4 digits), month and day (2 each) from
// `column`, as a day number; 0 when the line is too short for it or it is not
// a real date.
int32_t ExtractDate(std::string_view line, int column, Interaction& trace);

} // namespace tl
