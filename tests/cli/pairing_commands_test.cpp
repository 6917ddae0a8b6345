#include "cli/run_cli.h"

#include "model/vortime.h"
#include "sample/sample_formats.h"
#include "sample/sample_pairings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace tl::cli {
namespace {

using test::CliRun;
using test::IsoDate;
using test::RunCli;
using tl::test::TempDir;

// The marker the listing's aircraft tags call for, counted from the legs
// the generator flew.
std::string ExpectedMarker(const sample::SamplePairing& p)
{
    int cra = 0;
    int all = 0;
    for (const sample::SampleDuty& d : p.duties)
        for (const sample::SampleLeg& leg : d.legs)
            if (leg.kind == sample::SampleLeg::Kind::Flight && leg.tag != "DH4") {
                ++all;
                cra += leg.tag == "CRA" ? 1 : 0;
            }
    const double share =
        all == 0 ? 0.0 : static_cast<double>(static_cast<float>(cra) / static_cast<float>(all));
    return share > 0.99   ? "CRA100%"
           : share > 0.74 ? "*** CRA>74%"
           : share > 0.49 ? "*** CRA>49%"
           : share > 0.24 ? "*** CRA>24%"
           : share > 0    ? "*** CRA>0%"
                          : "CRA=0%";
}

class GeneratedMonth : public ::testing::TestWithParam<std::pair<const char*, int>> {};

// The generator's month through import-pairings and scan-lis: what it meant
// each pairing to be is what the month holds.
TEST_P(GeneratedMonth, LoadsAsTheGeneratorIntended)
{
    sample::SampleOptions options;
    options.group = GetParam().first;
    options.month = GetParam().second;
    options.crew = 10;
    options.pairings = 60;
    options.clean = true; // the odd cases are the loader tests' own
    const sample::SampleMonth month = sample::GenerateSampleMonth(options);
    TempDir dir;
    std::string error;
    ASSERT_TRUE(sample::WriteSampleMonth(month, dir.path(), error)) << error;

    sample::GroupInfo group;
    ASSERT_TRUE(sample::ParseGroup(options.group, group, error));
    const std::vector<sample::SamplePairing>& model = month.pairings;
    const sample::SampleDstChange dst =
        sample::FindDstChange(month.period.firstDay, month.period.lastDay);

    const std::string file = (dir.path() / "month.tl2").string();
    CliRun made = RunCli({"new", file, "--group", options.group, "--start",
                          IsoDate(month.period.firstDay), "--end", IsoDate(month.period.lastDay)});
    ASSERT_EQ(made.status, 0) << made.err;
    CliRun imported = RunCli({"import-pairings", file, (dir.path() / month.prg.name).string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("Number of Pairings"), std::string::npos);
    std::vector<std::string> scan{"scan-lis", file};
    for (const sample::SampleFile& lis : month.lis)
        scan.push_back((dir.path() / lis.name).string());
    CliRun scanned = RunCli(scan);
    ASSERT_EQ(scanned.status, 0) << scanned.err;
    for (const char* problem : {"Not Found", "not Located", "Incomplete"})
        EXPECT_EQ(scanned.out.find(problem), std::string::npos) << scanned.out;

    CliRun shown = RunCli({"inspect", file, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const nlohmann::json j = nlohmann::json::parse(shown.out);
    const nlohmann::json& pairs = j["Pairs"];
    size_t at = 0;
    int acrossClockChange = 0;
    for (const sample::SamplePairing& p : model) {
        SCOPED_TRACE(p.Identifier());
        const int64_t start = p.onTime + int64_t(p.dates.front() - month.period.firstDay) * 1440;
        const int64_t change = dst.dayIndex * 1440 + 120;
        acrossClockChange += dst.shift != 0 && start < change && change <= start + p.tafb;
        const auto count = [&](const char* code) {
            const size_t i = p.complement.find(code);
            return i == std::string::npos ? 0 : std::stoi(p.complement.substr(i + 2, 2));
        };
        std::vector<std::string> types;
        if (group.crewKind == 2) {
            types.assign(static_cast<size_t>(count("PU")), "PU");
            types.insert(types.end(), static_cast<size_t>(count("FA")), "FA");
        } else {
            types.assign(static_cast<size_t>(count(group.crewKind == 0 ? "CA" : "FO")),
                         group.status);
        }
        for (const std::string& type : types) {
            ASSERT_LT(at, pairs.size());
            const nlohmann::json& q = pairs[at++];
            EXPECT_EQ(nlohmann::json({q["PairNumber"], q["PairType"], q["Length"], q["Credit"],
                                      q["OnTime"], q["OffTime"].get<int>() % 1440}),
                      nlohmann::json({p.number, type, p.days, p.credit, p.onTime,
                                      p.release % 1440})); // release after any clock change
            // A night away per duty but the last; a day off away repeats the station once.
            std::string layovers;
            for (size_t d = 0; d + 1 < p.duties.size(); ++d)
                for (int n = p.duties[d + 1].day > p.duties[d].day + 1 ? 2 : 1; n > 0; --n)
                    layovers += p.duties[d].endStation;
            EXPECT_EQ(q["Layovers"], layovers);
            int dayCredits = 0;
            for (int k = 0; k < p.days; ++k)
                dayCredits += q["DayCredit"][static_cast<size_t>(k)].get<int>();
            EXPECT_EQ(dayCredits, p.credit);
            for (int32_t date : p.dates) {
                if (date >= month.period.firstDay && date <= month.period.lastDay) {
                    EXPECT_EQ(q["OpsCount"][static_cast<size_t>(date - month.period.firstDay)], 1);
                }
            }
            const std::string text = q["PairText"];
            EXPECT_EQ(text.find("USA SEGMENT ") != std::string::npos, p.usa);
            EXPECT_NE(text.find(ExpectedMarker(p)), std::string::npos);
            EXPECT_EQ(text.find("MEALS US:") != std::string::npos, p.mealsUsCents > 0);
            EXPECT_EQ(text.find(" FRENCH PAIRING") != std::string::npos,
                      p.french && group.crewKind == 2); // cabin groups only
        }
    }
    EXPECT_EQ(at, pairs.size());
    EXPECT_GT(acrossClockChange, 0);
}

INSTANTIATE_TEST_SUITE_P(Groups, GeneratedMonth,
                         ::testing::Values(std::make_pair("YYZDH8FOZ", 11),
                                           std::make_pair("YULDH8FAM", 3)));

TEST(PairingCommands, RefuseWrongUsage)
{
    TempDir dir;
    const std::string prg = (dir.path() / "x.PRG").string();
    std::ofstream(prg) << "1Z8101\n";
    EXPECT_EQ(RunCli({"import-pairings", "a.tl2", prg, "--eqp", "8"}).status, 2);
    EXPECT_EQ(RunCli({"import-pairings", "a.tl2", prg, "--base", "z"}).status, 2);
    EXPECT_EQ(RunCli({"scan-lis", "a.tl2"}).status, 2);
}

} // namespace
} // namespace tl::cli
