#pragma once

namespace tl {

// The program's version, as "major.minor.patch".
const char* Version();

} // namespace tl
