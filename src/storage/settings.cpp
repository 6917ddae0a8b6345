#include "storage/settings.h"

#include "model/text_format.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace tl {

namespace {

constexpr std::string_view kTwoGreys = "192,192,192,192,192,192";
constexpr size_t kFontStructSize = 60;
constexpr size_t kFaceNameOffset = 28;
constexpr size_t kFaceNameSize = 32;

// The standard decimal conversion: leading blanks, an optional sign, digits
// up to the first non-digit. Saturates instead of overflowing.
int DecimalAt(std::string_view text, size_t pos)
{
    if (pos >= text.size())
        return 0;
    size_t i = pos;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (value < 1'000'000'000'000LL)
            value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(value);
}

void PutLe32(std::array<uint8_t, kFontStructSize>& bytes, size_t at, int32_t value)
{
    auto v = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t GetLe32(const std::array<uint8_t, kFontStructSize>& bytes, size_t at)
{
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return static_cast<int32_t>(v);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string SettingsStore::GetText(std::string_view section, std::string_view key,
                                   std::string_view fallback) const
{
    std::optional<std::string> value = Get(section, key);
    return value ? *value : std::string(fallback);
}

int SettingsStore::GetInt(std::string_view section, std::string_view key, int fallback) const
{
    std::optional<std::string> value = Get(section, key);
    return value ? DecimalAt(*value, 0) : fallback;
}

void SettingsStore::SetInt(std::string_view section, std::string_view key, int value)
{
    Set(section, key, std::to_string(value));
}

GridColours ParseCustomColors(std::string_view text)
{
    text = text.substr(0, 499); // the value is read into a 500-byte buffer
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        text = kDefaultCustomColors;
    std::string full(text);
    if (full.size() < 155) {
        // Older files hold eleven colours; the two greys follow them as two
        // more groups, so a separating comma goes in between.
        if (!full.empty() && full.back() != ',')
            full += ',';
        full += kTwoGreys;
    }
    GridColours colours{};
    for (size_t i = 0; i < colours.size(); ++i) {
        colours[i].Red = std::clamp(DecimalAt(full, 12 * i), 0, 255);
        colours[i].Green = std::clamp(DecimalAt(full, 12 * i + 4), 0, 255);
        colours[i].Blue = std::clamp(DecimalAt(full, 12 * i + 8), 0, 255);
    }
    return colours;
}

std::string FormatCustomColors(const GridColours& colours)
{
    std::string text;
    for (size_t i = 0; i < colours.size(); ++i) {
        const Rgb& c = colours[i];
        text += Format("%s%03d,%03d,%03d", i ? "," : "", std::clamp(c.Red, 0, 255),
                       std::clamp(c.Green, 0, 255), std::clamp(c.Blue, 0, 255));
    }
    return text;
}

int ParsePadding(std::string_view text)
{
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
        return 0;
    return text[0] - '0';
}

GridFont UsableFont(GridFont font)
{
    const GridFont defaults;
    font.Height = font.Height == 0 ? defaults.Height
                                   : std::clamp(font.Height, -kMaxFontPixels, kMaxFontPixels);
    font.Width = std::clamp(font.Width, 0, kMaxFontPixels);
    font.Weight = font.Weight == 0 ? defaults.Weight : std::clamp(font.Weight, 1, 1000);
    if (font.FaceName.empty())
        font.FaceName = defaults.FaceName;
    return font;
}

std::string FormatFontStruct(const GridFont& font)
{
    std::array<uint8_t, kFontStructSize> bytes{};
    PutLe32(bytes, 0, font.Height);
    PutLe32(bytes, 4, font.Width);
    PutLe32(bytes, 16, font.Weight);
    bytes[20] = font.Italic ? 1 : 0;
    for (size_t i = 0; i < font.FaceName.size() && i + 1 < kFaceNameSize; ++i)
        bytes[kFaceNameOffset + i] = static_cast<uint8_t>(font.FaceName[i]);

    std::string text;
    unsigned checksum = 0;
    for (uint8_t b : bytes) {
        text += Format("%02X", b);
        checksum += b;
    }
    text += Format("%02X", checksum & 0xFF);
    return text;
}

std::optional<GridFont> ParseFontStruct(std::string_view text)
{
    if (text.size() != 2 * (kFontStructSize + 1))
        return std::nullopt;
    std::array<uint8_t, kFontStructSize> bytes{};
    unsigned checksum = 0;
    for (size_t i = 0; i <= kFontStructSize; ++i) {
        int high = HexDigit(text[2 * i]);
        int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        auto b = static_cast<uint8_t>(high * 16 + low);
        if (i == kFontStructSize) {
            if (b != (checksum & 0xFF))
                return std::nullopt;
        } else {
            bytes[i] = b;
            checksum += b;
        }
    }
    GridFont font;
    font.Height = GetLe32(bytes, 0);
    font.Width = GetLe32(bytes, 4);
    font.Weight = GetLe32(bytes, 16);
    font.Italic = bytes[20] != 0;
    font.FaceName.clear();
    for (size_t i = 0; i < kFaceNameSize && bytes[kFaceNameOffset + i] != 0; ++i)
        font.FaceName += static_cast<char>(bytes[kFaceNameOffset + i]);
    return UsableFont(font);
}

Preferences Preferences::Read(const SettingsStore& store)
{
    Preferences p;
    auto flag = [&](std::string_view key, bool fallback) {
        return store.GetInt(kSectionTL, key, fallback ? 1 : 0) != 0;
    };
    p.Grid = flag("Grid", false);
    p.Layovers = flag("Layovers", true);
    p.AutoSave = flag("AutoSave", true);
    p.RemindBackup = flag("RemindBackup", true);
    p.PrintXes = flag("PrintXes", true);
    p.XPadding = ParsePadding(store.GetText(kSectionTL, "XPadding", "6"));
    p.YPadding = ParsePadding(store.GetText(kSectionTL, "YPadding", "3"));
    p.ShowFullPair = flag("ShowFullPair", false);
    p.ShowFullLayOver = flag("ShowFullLayOver", false);
    p.HoldCtrlKey = flag("HoldCtrlKey", true);
    p.AllowIllegal = flag("AllowIllegal", true);
    p.DisableFTP = flag("DisableFTP", false);
    p.DebugFile = flag("DebugFile", false);
    p.CustomColors = store.GetText(kSectionTL, "CustomColors", kDefaultCustomColors);
    if (std::optional<std::string> stored = store.Get(kSectionTL, "Font"))
        if (std::optional<GridFont> font = ParseFontStruct(*stored))
            p.Font = *font;
    p.ClipPairs = store.GetInt(kSectionClipboard, "ClipPairs", 0) != 0;
    p.ClipXes = store.GetInt(kSectionClipboard, "ClipXes", 0) != 0;
    return p;
}

void Preferences::Write(SettingsStore& store) const
{
    auto flag = [&](std::string_view key, bool value) {
        store.Set(kSectionTL, key, value ? "1" : "0");
    };
    flag("Grid", Grid);
    flag("Layovers", Layovers);
    flag("AutoSave", AutoSave);
    flag("RemindBackup", RemindBackup);
    flag("PrintXes", PrintXes);
    store.Set(kSectionTL, "XPadding", std::to_string(XPadding % 10));
    store.Set(kSectionTL, "YPadding", std::to_string(YPadding % 10));
    flag("ShowFullPair", ShowFullPair);
    flag("ShowFullLayOver", ShowFullLayOver);
    flag("HoldCtrlKey", HoldCtrlKey);
    flag("AllowIllegal", AllowIllegal);
    flag("DisableFTP", DisableFTP);
    flag("DebugFile", DebugFile);
    store.Set(kSectionTL, "Font", FormatFontStruct(Font));
    store.Set(kSectionTL, "CustomColors", CustomColors);
}

bool PrintXesForPrinting(const SettingsStore& store)
{
    return store.GetInt(kSectionTL, "PrintXes", 0) != 0;
}

std::string LastFolder(const SettingsStore& store, std::string_view key)
{
    return store.GetText(kSectionTL, key, "");
}

void SetLastFolder(SettingsStore& store, std::string_view key, std::string_view folder)
{
    store.Set(kSectionTL, key, folder);
}

} // namespace tl
