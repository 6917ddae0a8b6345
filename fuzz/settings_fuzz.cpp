// tlines.ini is edited by hand and carried between machines: whatever it
// holds, the preferences read from it must be usable as they are (colours
// of a byte, a font that can be drawn, one-digit paddings), and reading must
// never crash or run past a value. The file's text is kept as it is: read
// and written back unchanged, and a key set reads back with every other
// key as it was.
#include "storage/profile_text.h"
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
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tl::ProfileText store(bytes);
    Check(store.Bytes() == bytes);

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

    // Setting a value changes that value alone.
    const std::optional<std::string> clip = store.Get("CLIPBOARD", "ClipPairs");
    tl::SetLastFolder(store, "LastBlkPath", "c:\\");
    store.Set("TL", "Grid", "1");
    tl::ProfileText reread(store.Bytes());
    Check(reread.Get("tl", "lastblkpath") == std::optional<std::string>("c:\\"));
    Check(reread.Get("TL", "GRID") == std::optional<std::string>("1"));
    Check(reread.Get("CLIPBOARD", "ClipPairs") == clip);
    return 0;
}
