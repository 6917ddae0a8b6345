#pragma once

#include "cliapp.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
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

// `new FILE` of `group` from `first` to `last`; its exit status.
inline int NewMonth(const std::string& file, const std::string& group, int32_t first, int32_t last)
{
    std::vector<std::string> args{"new", file, "--group", group};
    for (const auto& [option, day] : {std::pair{"--start", first}, std::pair{"--end", last}}) {
        const TDate d = DateFromJulianDay(day);
        // YYYY-MM-DD, as the commands take it
        args.insert(args.end(), {option, Format("%04d-%02d-%02d", d.Year, d.Month, d.Day)});
    }
    return RunCli(args).status;
}

// June 2027 of `group`, crew members `names` numbered from 11, and one-day
// pairings 0101, 0102... of (report, time away) `pairs` worth 05:00 and
// flying every day; `shape` adds what a case needs. Saved as june.tl2.
inline std::string SaveJune(const tl::test::TempDir& dir, const std::string& group,
                            const std::vector<std::string>& names,
                            const std::vector<std::pair<int, int>>& pairs,
                            const std::function<void(ScheduleDocument&)>& shape)
{
    const std::string path = (dir.path() / "june.tl2").string();
    tl::test::ScriptedInteraction ui;
    auto doc = std::make_unique<ScheduleDocument>();
    EXPECT_TRUE(doc->SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
    doc->GroupName = group;
    doc->CrewCount = static_cast<int>(names.size());
    for (size_t c = 0; c < names.size(); ++c) {
        doc->Crew[c].Name = names[c];
        doc->Crew[c].EmpNumber = static_cast<int32_t>(11 + c);
    }
    doc->LastPair = doc->LastBasePair = static_cast<int>(pairs.size()) - 1;
    for (size_t p = 0; p < pairs.size(); ++p) {
        TPair& pair = doc->Pairs[p];
        pair.PairNumber = static_cast<int32_t>(101 + p);
        std::tie(pair.OnTime, pair.Tafb) = pairs[p];
        pair.Length = 1;
        pair.Credit = pair.DayCredit[0] = 300;
        pair.OpsCount.fill(1);
    }
    shape(*doc);
    EXPECT_TRUE(SaveBlocks(*doc, path, kSchedulerFile, ui));
    return path;
}

} // namespace tl::cli::test
