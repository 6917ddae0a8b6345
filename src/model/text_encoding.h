#pragma once

#include <string>
#include <string_view>

namespace tl {

// The program's texts are bytes in the Windows-1252 code page, as the
// airline's files carry them. These convert at the edges (screen, JSON).

// Every byte becomes its Windows-1252 character; the five bytes the code
// page leaves undefined map to the C1 controls of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

} // namespace tl
