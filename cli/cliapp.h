#pragma once

#include <iosfwd>

namespace tl::cli {

// Runs the command line with these arguments and streams; returns the exit
// status: 0 success, 1 refused or failed, 2 wrong usage.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   bool terminal);

} // namespace tl::cli
