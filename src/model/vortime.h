#pragma once

namespace tl {

// "JAN" to "DEC" for months 1 to 12, "?" for any other number.
const char* MonthAbbreviation(int month);

} // namespace tl
