#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tl {

// Access to the settings file: sections of keys, every value a text. Section
// and key names are matched without regard to case, as the profile functions
// of the system the file comes from match them; a store writes each key in
// the one spelling it is given. Values are the file's text as it stands: the
// folders among them are file names, the system's own text, not core text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> Get(std::string_view section,
                                           std::string_view key) const = 0;
    virtual void Set(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Writes out what was set; false when the settings could not be written.
    virtual bool Save() { return true; }
    // The settings file's name, for messages; empty for settings kept in memory.
    virtual std::string Location() const { return {}; }

    std::string GetText(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
    // Decimal integer as the standard conversion reads it (leading blanks and
    // a sign, stops at the first non-digit; no digits give 0).
    int GetInt(std::string_view section, std::string_view key, int fallback) const;
    void SetInt(std::string_view section, std::string_view key, int value);
};

struct Rgb {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr int kGridColours = 13;
using GridColours = std::array<Rgb, kGridColours>;

// The colours a new settings file starts with. The two reds are darker and
// the two backgrounds lighter than the first program's, so every text on
// them reads at a contrast of 4.5:1 or more; a stored value is kept as it is.
inline constexpr std::string_view kDefaultCustomColors =
    "000,000,000,000,000,255,192,000,000,128,000,128,000,255,000,255,255,000,128,255,255,"
    "000,000,000,000,000,255,000,000,000,176,000,000,224,224,224,224,224,224";

// The thirteen grid colours from the stored text: colour i has its red,
// green and blue at characters 12i, 12i+4 and 12i+8. A text shorter than
// 155 characters gets two greys appended as two more groups; a colour
// beyond the end of the text reads as 0. A text without a single digit
// (such as an empty "CustomColors=") gives the default colours, and every
// value is held to 0 to 255.
GridColours ParseCustomColors(std::string_view text);

// The stored text of thirteen colours, "RRR,GGG,BBB," each.
std::string FormatCustomColors(const GridColours& colours);

// A cell padding: only the first character counts; a non-digit reads as 0.
int ParsePadding(std::string_view text);

// The grid font as the settings file describes it.
struct GridFont {
    std::string FaceName = "Arial";
    int32_t Height = 14;
    int32_t Width = 5;
    int32_t Weight = 400;
    bool Italic = false;
    bool operator==(const GridFont&) const = default;
};

// Largest grid font height and width, pixels: a hand-edited file must not
// make glyphs the size of the screen.
inline constexpr int32_t kMaxFontPixels = 144;

// The font held to what can be drawn: a height of 0 becomes the default
// 14, a larger one (INT32_MIN among them) is held to
// kMaxFontPixels keeping its sign (negative heights are character heights,
// as in the stored description); a width to 0 to kMaxFontPixels; a weight of
// 0 ("don't care") becomes 400 and others are held to 1 to 1000; an empty
// face name becomes "Arial".
GridFont UsableFont(GridFont font);

// The font is stored as the 60 bytes of a logical font description written
// as hexadecimal text with a trailing checksum byte, the form Windows
// programs of this kind used, so a settings file carried over keeps its font.
// What is read is made usable as above.
std::string FormatFontStruct(const GridFont& font);
std::optional<GridFont> ParseFontStruct(std::string_view text);

// Every preference of the program, with its default.
struct Preferences {
    bool Grid = false;
    bool Layovers = true;
    bool AutoSave = true;
    bool RemindBackup = true;
    bool PrintXes = true; // as the preferences dialog shows a missing key
    int XPadding = 6;
    int YPadding = 3;
    bool ShowFullPair = false;
    bool ShowFullLayOver = false;
    bool HoldCtrlKey = true;
    bool AllowIllegal = true;
    bool DisableFTP = false;
    bool DebugFile = false;
    std::string CustomColors{kDefaultCustomColors};
    GridFont Font;
    bool ClipPairs = false;
    bool ClipXes = false;

    static Preferences Read(const SettingsStore& store);
    // What the preferences dialog writes on OK.
    void Write(SettingsStore& store) const;
};

// Printing treats a missing "PrintXes" as off, unlike the preferences dialog.
bool PrintXesForPrinting(const SettingsStore& store);

// Last folder used by a file command ("LastBlkPath", "LastPRGPath" ...).
// Empty means the user's home folder.
std::string LastFolder(const SettingsStore& store, std::string_view key);
void SetLastFolder(SettingsStore& store, std::string_view key, std::string_view folder);

// Section and key names.
inline constexpr std::string_view kSectionTL = "TL";
inline constexpr std::string_view kSectionClipboard = "CLIPBOARD";

} // namespace tl
