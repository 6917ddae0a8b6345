#pragma once

#include "cliapp.h"
#include "model/vortime.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace tl::cli::test {

struct CliRun {
    int status;
    std::string out, err;
};

// tlines-cli run in-process with `args` after the program name.
inline CliRun RunCli(const std::vector<std::string>& args)
{
    std::vector<const char*> argv{"tlines-cli"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int status = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, false);
    return {status, out.str(), err.str()};
}

using tl::test::ReadAll;
inline std::string ReadFile(const std::filesystem::path& path) { return ReadAll(path); }

// A day number as the commands take it, YYYY-MM-DD.
inline std::string IsoDate(int32_t day)
{
    const TDate d = DateFromJulianDay(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.Year, d.Month, d.Day);
    return text;
}

} // namespace tl::cli::test
