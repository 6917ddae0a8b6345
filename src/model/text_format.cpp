#include "model/text_format.h"

#include <cstdio>

namespace tl {

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatList(format, args);
    va_end(args);
    return text;
}

std::string FormatList(const char* format, va_list args)
{
    // The first pass tells the whole length and, for the usual line, is the
    // text itself; a longer text is written again into a string of its length.
    char first[256];
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(first, sizeof first, format, args);
    std::string text;
    if (length > 0 && static_cast<size_t>(length) < sizeof first) {
        text.assign(first, static_cast<size_t>(length));
    } else if (length > 0) {
        text.resize(static_cast<size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, again);
    }
    va_end(again);
    return text;
}

} // namespace tl
