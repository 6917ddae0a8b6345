#include "cli/run_cli.h"

#include "model/activity_codes.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "sample/sample_month.h"
#include "storage/block_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <vector>

namespace tl::cli {
namespace {

using test::CliRun;
using test::IsoDate;
using test::RunCli;
using tl::test::ScriptedInteraction;
using tl::test::TempDir;

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        lines.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

int Field(std::string_view line, size_t column, size_t count)
{
    ScriptedInteraction quiet;
    return GetInt(line, static_cast<int>(column), static_cast<int>(count), quiet);
}

// A generated month through every import command, checked against what the
// generator wrote into its files; the odd cases of real extracts must load
// too, with what they can give.
class GeneratedMonthImport : public ::testing::TestWithParam<std::tuple<const char*, bool>> {};

TEST_P(GeneratedMonthImport, LoadsWhatTheGeneratorMeant)
{
    TempDir dir;
    sample::SampleOptions options;
    options.group = std::get<0>(GetParam());
    options.clean = std::get<1>(GetParam());
    options.crew = 60;
    const sample::SampleMonth month = sample::GenerateSampleMonth(options);
    std::string error;
    ASSERT_TRUE(sample::WriteSampleMonth(month, dir.path(), error)) << error;
    auto path = [&](const sample::SampleFile& f) { return (dir.path() / f.name).string(); };
    const std::string file = (dir.path() / "month.tl2").string();

    ASSERT_EQ(RunCli({"new", file, "--group", month.group, "--start",
                      IsoDate(month.period.firstDay), "--end", IsoDate(month.period.lastDay)})
                  .status,
              0);
    std::string missing; // the summary lists
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"import-toolbox", file, path(month.toolBox)},
          {"import-roster", file, path(month.roster)},
          {"import-absences", file, path(month.absences)},
          {"import-absences", file, path(month.nextAbsences), "--next-month"},
          {"import-activity", file, path(month.activity), path(month.priorPairings)}}) {
        const CliRun run = RunCli(args);
        ASSERT_EQ(run.status, 0) << args[0] << "\n" << run.err;
        missing += run.out;
        // Every pairing the activity names is in the pairing extract.
        if (options.clean) {
            EXPECT_EQ(run.out.find("Could not find Pairing"), std::string::npos) << run.out;
        }
    }

    ScriptedInteraction ui;
    ScheduleDocument doc;
    doc.DeleteAll(ui);
    doc.FileName = file;
    ASSERT_TRUE(LoadBlocks(doc, ui));
    const bool cabin = month.crewKind == 2;

    // The toolbox: the records of the group's crew type.
    const auto toolLines = Lines(month.toolBox.text);
    int toolRecords = 0;
    for (size_t at = 5; at + 1 < toolLines.size(); at += 13)
        toolRecords += toolLines[at + 1] == (cabin ? "Cabin" : "Pilot");
    EXPECT_EQ(doc.AbsenceCount, toolRecords);

    // The roster: the group's employees in file order.
    const std::string key = month.group.substr(0, cabin ? 3 : 8);
    std::map<int, int> crewOf;
    int expected = 0;
    for (std::string_view line : Lines(month.roster.text)) {
        std::string group(line.substr(std::min<size_t>(31, line.size()), key.size()));
        UpperCase(group);
        if (group != key)
            continue;
        ASSERT_LT(expected, doc.CrewCount);
        EXPECT_EQ(doc.Crew[static_cast<size_t>(expected)].EmpNumber, Field(line, 0, 9));
        crewOf.emplace(Field(line, 0, 9), expected++);
    }
    EXPECT_EQ(doc.CrewCount, expected);
    ASSERT_GT(expected, 0);

    // Absences of both months on their days; whole months of leave marked.
    for (const auto& [text, shift] :
         {std::pair{month.absences.text, 0}, std::pair{month.nextAbsences.text, doc.DaysInMonth}}) {
        for (std::string_view line : Lines(text)) {
            const auto crew = crewOf.find(Field(line, 0, 9));
            if (crew == crewOf.end())
                continue;
            const TPilot& p = doc.Crew[static_cast<size_t>(crew->second)];
            for (size_t at = 9; at + 14 <= line.size() && line.substr(at, 2) != "  "; at += 14) {
                const int first = Field(line, at + 2, 2) + shift - 1;
                const int last = Field(line, at + 4, 2) + shift - 1;
                for (int s = std::max(first, 0); s <= std::min(last, 61); ++s)
                    EXPECT_EQ(p.DayCode2[static_cast<size_t>(s)], line.substr(at, 2))
                        << p.Name << s;
                if (shift == 0 && line.substr(at, 2) == "LA" && first == 0 &&
                    last + 1 == doc.DaysInMonth) {
                    EXPECT_EQ(p.BidReserveOrLoa, 1) << p.Name;
                }
            }
        }
    }

    // Last month's pairings on the extended day of their start.
    int pairingsSeen = 0;
    for (std::string_view line : Lines(month.activity.text)) {
        const auto crew = crewOf.find(Field(line, 0, 9));
        if (crew == crewOf.end())
            continue;
        const TPilot& p = doc.Crew[static_cast<size_t>(crew->second)];
        for (size_t at = 9; at + 40 <= 9 + 31 * 40; at += 40) {
            if (line.substr(at, 7) == "       ")
                continue;
            const int32_t first = CheckedJulianDay(Field(line, at + 20, 2), Field(line, at + 22, 2),
                                                   Field(line, at + 16, 4));
            const int64_t e = int64_t{first} - month.period.firstDay + 31;
            if (e < 0 || e > 30)
                continue;
            if (line.substr(at, 2) == "  ") {
                // The odd month names a pairing its prior extract lacks.
                if (missing.find("Pairing " + std::string(line.substr(at + 2, 5))) !=
                    std::string::npos)
                    continue;
                EXPECT_EQ(p.DayText[static_cast<size_t>(e)], line.substr(at + 2, 5)) << p.Name << e;
                ++pairingsSeen;
            } else {
                EXPECT_FALSE(p.DayText[static_cast<size_t>(e)].empty()) << p.Name << e;
            }
        }
    }
    EXPECT_GT(pairingsSeen, 0);
}

INSTANTIATE_TEST_SUITE_P(Groups, GeneratedMonthImport,
                         ::testing::Combine(::testing::Values("YYZDH8FOZ", "YULDH8FAM"),
                                            ::testing::Bool()));

TEST(ImportCommandsTest, RefusedImportsLeaveTheFileAlone)
{
    TempDir dir;
    const std::string file = (dir.path() / "m.tl2").string();
    ASSERT_EQ(RunCli({"new", file, "--group", "YYZDH8CAZ", "--start", "2027-11-01", "--end",
                      "2027-11-30"})
                  .status,
              0);
    const std::string extract = (dir.path() / "bad.ext").string();
    std::ofstream(extract) << "not an extract\nat all\n";
    const CliRun missing = RunCli({"import-roster", file, (dir.path() / "none.ext").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Unable to Open File"), std::string::npos);
    // Without --yes the plausibility question is answered No.
    const CliRun refused = RunCli({"import-absences", file, extract});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("This May Not Be a Valid Crew Absence Extract! Do You Want to Try "
                               "Load it Anyway [No]"),
              std::string::npos);
    EXPECT_EQ(RunCli({"import-absences", file, extract, "--yes"}).status, 0);
    EXPECT_EQ(RunCli({"import-activity", file, extract, extract, "--yes"}).status, 0);
    EXPECT_EQ(RunCli({"import-toolbox", file, extract}).status, 1);
}

} // namespace
} // namespace tl::cli
