// tlines.ini is edited by hand and carried between machines: whatever it
// holds, the preferences read from it must be usable as they are (colours
// of a byte, a font that can be drawn, one-digit paddings), and reading must
// never crash or run past a value. The input is read as the file's lines:
// "[section]" and "key=value", the way the settings store hands them over.
#include "storage/memory_settings.h"
#include "storage/settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void CheckFont(const tl::GridFont& f)
{
    Check(f.Height != 0 && f.Height >= -tl::kMaxFontPixels && f.Height <= tl::kMaxFontPixels);
    Check(f.Width >= 0 && f.Width <= tl::kMaxFontPixels);
    Check(f.Weight >= 1 && f.Weight <= 1000);
    Check(!f.FaceName.empty() && f.FaceName.size() < 32);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    tl::MemorySettingsStore store;
    std::string section;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = std::string(line.substr(1, line.size() - 2));
        } else if (size_t eq = line.find('='); eq != std::string_view::npos) {
            store.Set(section, line.substr(0, eq), line.substr(eq + 1));
        }
    }

    const tl::Preferences p = tl::Preferences::Read(store);
    Check(p.XPadding >= 0 && p.XPadding <= 9 && p.YPadding >= 0 && p.YPadding <= 9);
    for (const tl::Rgb& c : tl::ParseCustomColors(p.CustomColors))
        Check(c.Red >= 0 && c.Red <= 255 && c.Green >= 0 && c.Green <= 255 && c.Blue >= 0 &&
              c.Blue <= 255);
    CheckFont(p.Font);
    // What the dialog writes back reads back the same.
    std::optional<tl::GridFont> again = tl::ParseFontStruct(tl::FormatFontStruct(p.Font));
    Check(again && *again == p.Font);
    (void)tl::LastFolder(store, "LastBlkPath");
    (void)store.GetInt("TL", "BidWinX", 200);
    return 0;
}
