// The code page conversions, the summary split and the counts formatter take
// bytes from files and from typed text; none may misbehave on any input.
#include "model/interaction.h"
#include "model/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Every byte string survives the way to the screen and back.
    if (tl::Utf8ToCp1252(tl::Cp1252ToUtf8(bytes)) != bytes)
        __builtin_trap();

    std::string narrowed = tl::Utf8ToCp1252(bytes);
    if (narrowed.size() > bytes.size())
        __builtin_trap();

    for (const std::string& line : tl::SplitSummaryText(bytes))
        if (line.find('.') != std::string::npos)
            __builtin_trap();

    (void)tl::FormatCounts(bytes, {1, 2});
    return 0;
}
