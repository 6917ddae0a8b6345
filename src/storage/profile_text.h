#pragma once

#include "storage/settings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

// Largest settings file read: a few hundred short lines are expected, and a
// file that is not a settings file must not fill the memory. A larger file
// is neither used nor written over.
inline constexpr size_t kMaxProfileBytes = 256 * 1024;

// The text of an initialisation file held as its bytes and changed in
// place, the way the profile functions treat it: "[section]" lines start a
// section, "key=value" lines follow. Every value is the literal text after
// the "=", blanks around it dropped; there are no escapes, quotes or line
// continuations, and bytes outside ASCII are kept as they are. Section and
// key names match without regard to (ASCII) case and ignore the blanks
// around them; of a key given twice, the first one counts. Lines that are
// neither (comments, blank lines, a line without "=") are kept as they are.
class ProfileText : public SettingsStore {
public:
    ProfileText() = default;
    explicit ProfileText(std::string_view bytes);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const override;
    // Replaces the value of the key's first line, keeping that line's end
    // and every other line; a new key goes after the last line of its
    // section, a new section at the end of the file. A name or value that
    // cannot stand on one line (see Storable) is not written.
    void Set(std::string_view section, std::string_view key, std::string_view value) override;

    // Whether Set can write the key: no line breaks or NUL anywhere, a key
    // without "=" that does not start a section or a comment, a section name
    // without "]".
    static bool Storable(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes with the changes made.
    std::string Bytes() const;

private:
    struct Line {
        std::string Text; // without its line end
        std::string End;  // "\n", "\r\n", or empty for a last line without one
    };
    // Index of the first line of `key` in a section named `section`, or of
    // the first line of that section when the key is not in it (`keyFound`
    // false); npos when there is no such section.
    size_t Find(std::string_view section, std::string_view key, bool& keyFound) const;
    std::string LineEnd() const;

    std::vector<Line> m_lines;
};

} // namespace tl
