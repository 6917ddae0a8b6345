#include "storage/memory_settings.h"
#include "storage/profile_text.h"
#include "storage/settings.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

TEST(CustomColorsTest, FormattedColoursReadBackAndShortTextGetsTwoGreys)
{
    GridColours c = ParseCustomColors(kDefaultCustomColors);
    EXPECT_EQ(FormatCustomColors(c), kDefaultCustomColors);
    c[3] = Rgb{7, 300, -4}; // out of range values are kept to a byte
    EXPECT_EQ(ParseCustomColors(FormatCustomColors(c))[3], (Rgb{7, 255, 0}));

    // 33 groups: eleven colours; the last two come from the appended greys.
    c = ParseCustomColors(kDefaultCustomColors.substr(0, 33 * 4 - 1));
    EXPECT_EQ(c[10], (Rgb{176, 0, 0}));
    EXPECT_EQ(c[11], (Rgb{192, 192, 192}));
    EXPECT_EQ(c[12], (Rgb{192, 192, 192}));
}

// A hand-edited or damaged value: defaults for what cannot be used, every
// colour value held to a byte, never a read past the text.
TEST(CustomColorsTest, MalformedTextsGiveDefaultsOrClampedValues)
{
    const GridColours defaults = ParseCustomColors(kDefaultCustomColors);
    const struct {
        std::string text;
        size_t colour;
        Rgb expected;
    } cases[] = {
        // clang-format off
        {"", 0, defaults[0]}, {"", 12, defaults[12]}, {" ,abc", 6, defaults[6]},
        {std::string(2000, '9'), 0, Rgb{255, 255, 255}}, {"-05,300,128", 0, Rgb{0, 255, 128}},
        {"-2147483648", 0, Rgb{0, 255, 255}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCustomColors(c.text)[c.colour], c.expected) << '"' << c.text << '"';
}

TEST(PaddingTest, OnlyTheFirstCharacterCounts)
{
    const std::pair<const char*, int> cases[] = {{"6", 6}, {"12", 1}, {"x", 0},
                                                 {"", 0},  {" 4", 0}, {"-3", 0}};
    for (const auto& [text, padding] : cases)
        EXPECT_EQ(ParsePadding(text), padding) << '"' << text << '"';
}

TEST(FontStructTest, RoundTripsRejectsDamagedTextAndHoldsValuesToWhatCanBeDrawn)
{
    GridFont font{"Courier New", -16, 7, 700, true};
    std::string text = FormatFontStruct(font);
    EXPECT_EQ(text.size(), 122u);
    EXPECT_EQ(ParseFontStruct(text), font);

    std::string damaged = text;
    damaged[10] = damaged[10] == '0' ? '1' : '0';
    EXPECT_EQ(ParseFontStruct(damaged), std::nullopt); // checksum no longer matches
    EXPECT_EQ(ParseFontStruct(text.substr(0, 120)), std::nullopt);
    EXPECT_EQ(ParseFontStruct(std::string(122, 'G')), std::nullopt);

    // Stored values are held to what can be drawn.
    const struct {
        GridFont stored, read;
    } cases[] = {
        {{"Arial", INT32_MIN, 5, 400, false}, {"Arial", -kMaxFontPixels, 5, 400, false}},
        {{"Arial", INT32_MAX, INT32_MAX, 400, false},
         {"Arial", kMaxFontPixels, kMaxFontPixels, 400, false}},
        {{"Arial", 0, -5, 0, false}, {"Arial", 14, 0, 400, false}},
        {{"Arial", 14, 5, -3, false}, {"Arial", 14, 5, 1, false}},
        {{"Arial", 14, 5, 5000, false}, {"Arial", 14, 5, 1000, false}},
        {{"", 14, 5, 700, true}, {"Arial", 14, 5, 700, true}},
        // A long face name is cut to fit the structure.
        {{std::string(40, 'A'), 14, 5, 400, false}, {std::string(31, 'A'), 14, 5, 400, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFontStruct(FormatFontStruct(c.stored)), c.read) << c.stored.Height;
}

TEST(PreferencesTest, WrittenValuesReadBack)
{
    MemorySettingsStore store;
    // Printing reads a missing Xes key as off.
    EXPECT_TRUE(Preferences::Read(store).PrintXes);
    EXPECT_FALSE(PrintXesForPrinting(store));
    Preferences p;
    p.Grid = true;
    p.AutoSave = false;
    p.XPadding = 9;
    p.DebugFile = true;
    p.Font.FaceName = "DejaVu Sans";
    p.Write(store);
    EXPECT_EQ(store.Get("TL", "AutoSave"), "0");
    Preferences back = Preferences::Read(store);
    EXPECT_EQ((std::vector<int>{back.Grid, back.AutoSave, back.XPadding, back.DebugFile}),
              (std::vector<int>{1, 0, 9, 1}));
    EXPECT_EQ(back.Font.FaceName, "DejaVu Sans");
}

TEST(SettingsStoreTest, KeysMatchWithoutCaseAndKeepOneSpelling)
{
    MemorySettingsStore store;
    store.Set("TL", "LastPrgPath", "/home/a");
    EXPECT_EQ(LastFolder(store, "LastPRGPath"), "/home/a");
    SetLastFolder(store, "LastPRGPath", "/home/b");
    EXPECT_EQ(store.Entries().size(), 1u);
    EXPECT_EQ(store.Entries().at("TL/LastPRGPath"), "/home/b");
    EXPECT_EQ(LastFolder(store, "LastRosterPath"), "");
    EXPECT_EQ(store.GetInt("TL", "BuildingBase", 4), 4);
    store.Set("TL", "BidWinX", "  -20px");
    EXPECT_EQ(store.GetInt("TL", "BidWinX", 200), -20);
}

// The settings file is plain text: values are the literal bytes after "=",
// and setting one key rewrites that key's line alone.
TEST(ProfileTextTest, ReadsLiterallyAndChangesOnlyTheKeySet)
{
    const std::string longValue(100000, '9');
    const struct {
        const char* name;
        std::string input;
        std::string readKey; // in section TL
        std::optional<std::string> read;
        std::string setSection, setKey, setValue;
        std::string output;
    } cases[] = {
        {"trailing backslash, CRLF", "[TL]\r\nLastBlkPath=c:\\\r\nGrid=1\r\n", "Grid", "1", "TL",
         "XPadding", "4", "[TL]\r\nLastBlkPath=c:\\\r\nGrid=1\r\nXPadding=4\r\n"},
        {"backslash escapes", "[TL]\nLastPRGPath=C:\\temp\\nov\n", "lastprgpath", "C:\\temp\\nov",
         "TL", "LastPrgPath", "D:\\x", "[TL]\nLastPrgPath=D:\\x\n"},
        {"cp1252 bytes", "[TL]\nLastRosterPath=C:\\\xC9t\xE9\n\n[CLIPBOARD]\nClipPairs=1\n",
         "LastRosterPath", "C:\\\xC9t\xE9", "TL", "Grid", "1",
         "[TL]\nLastRosterPath=C:\\\xC9t\xE9\nGrid=1\n\n[CLIPBOARD]\nClipPairs=1\n"},
        {"key without =, comment, blanks", "; mine\n[ tl ]\nGrid\n  grid = 0 \n", "Grid", "0", "TL",
         "Grid", "1", "; mine\n[ tl ]\nGrid\nGrid=1\n"},
        {"duplicated key", "[TL]\nGrid=1\nGRID=0\n", "grid", "1", "TL", "Grid", "0",
         "[TL]\nGrid=0\nGRID=0\n"},
        {"duplicated section", "[TL]\nA=1\n\n[X]\nGrid=2\n[tl]\nGrid=1\n", "Grid", "1", "TL", "B",
         "2", "[TL]\nA=1\nB=2\n\n[X]\nGrid=2\n[tl]\nGrid=1\n"},
        {"very long line", "[TL]\nCustomColors=" + longValue + "\n", "CustomColors", longValue,
         "TL", "Grid", "1", "[TL]\nCustomColors=" + longValue + "\nGrid=1\n"},
        {"no final line feed", "[TL]\nGrid=1", "Grid", "1", "TL", "AutoSave", "0",
         "[TL]\nGrid=1\nAutoSave=0\n"},
        {"section missing", "[Files]\r\nRecent1=/a\r\n", "Recent1", std::nullopt, "TL", "Grid", "1",
         "[Files]\r\nRecent1=/a\r\n[TL]\r\nGrid=1\r\n"},
        {"empty file", "", "Grid", std::nullopt, "CLIPBOARD", "ClipXes", "1",
         "[CLIPBOARD]\nClipXes=1\n"},
        {"same value keeps its line", "[TL]\n Grid = 1 \n", "Grid", "1", "TL", "Grid", "1",
         "[TL]\n Grid = 1 \n"},
        {"value that would break the line", "[TL]\nGrid=1\n", "Grid", "1", "TL", "LastBlkPath",
         "/a\nGrid=0", "[TL]\nGrid=1\n"},
        {"NUL byte", std::string("[TL]\nA=x\0y\n", 11), "A", std::string("x\0y", 3), "TL", "A", "z",
         "[TL]\nA=z\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileText text(c.input);
        EXPECT_EQ(text.Bytes(), c.input);
        EXPECT_EQ(text.Get("TL", c.readKey), c.read);
        text.Set(c.setSection, c.setKey, c.setValue);
        EXPECT_EQ(text.Bytes(), c.output);
        EXPECT_EQ(ProfileText(text.Bytes()).Get(c.setSection, c.setKey),
                  ProfileText::Storable(c.setSection, c.setKey, c.setValue)
                      ? std::optional<std::string>(c.setValue)
                      : text.Get(c.setSection, c.setKey));
    }
}

} // namespace
} // namespace tl
