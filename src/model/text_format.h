#pragma once

#include <cstdarg>
#include <string>

namespace tl {

// printf into a string as long as the whole text: the one formatter of the
// program's messages, traces, reports and file fields. Nothing is cut; a
// field that must be cut says so in its format ("%.6s"). Formats are the
// program's own literals, checked by the compiler; text from files goes in
// through "%s", never as the format.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The same for a function that takes a format and arguments of its own.
std::string FormatList(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

} // namespace tl
