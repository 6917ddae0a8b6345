#include "core/legality_month.h"
#include "rules/legality.h"
#include "rules/legality_rules.h"
#include "rules/who_is_legal.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <vector>

namespace tl {
namespace {

using test::LegalityMonth;
using Rule = void (*)(legality::CrewView&);
using Flags = std::array<bool, 62>;

// One rule alone on crew member 0 of a month set up by `setup`.
struct RuleCase {
    const char* name;
    Rule rule;
    std::function<void(LegalityMonth&)> setup;
    std::string illegalities;
    std::string warnings;
    int crewKind = 0;
    int month = 6;
};

class RuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleTest, ReportsWhatItFinds)
{
    const RuleCase& c = GetParam();
    LegalityMonth m(c.crewKind, c.month);
    c.setup(m);
    legality::CrewView view(*m.doc, m.Crew(), 0);
    c.rule(view);
    EXPECT_EQ(m.Crew().Illegalities, c.illegalities);
    EXPECT_EQ(m.Crew().Warnings, c.warnings);
}

// Daily one-day pairings reporting at `on` for `tafb` minutes on the slots given.
void Daily(LegalityMonth& m, int from, int to, int on = 480, int tafb = 600, int hard = 0)
{
    const int p = m.AddPair(on, tafb, 1, hard);
    for (int d = from; d <= to; ++d)
        m.Put(0, p, d);
}

void Reserve(LegalityMonth& m, int c, int slot, const char* code2 = "RB")
{
    m.Other(c, slot, "RSV", 360, 600, true, true, code2);
}

// Reserve days on slots `from` to `to` of crew member 0.
std::function<void(LegalityMonth&)> Reserves(int from, int to)
{
    return [=](LegalityMonth& m) {
        for (int d = from; d <= to; ++d)
            Reserve(m, 0, d);
    };
}

std::vector<RuleCase> PilotRestCases()
{
    using legality::CheckPilotRest;
    auto after18 = [](int nextOn, int minRest = 660) {
        return [=](LegalityMonth& m) {
            m.Put(0, m.AddPair(480, 600), 0); // released 18:00
            m.Pair(0).MinRest = minRest;
            m.Put(0, m.AddPair(nextOn, 600), 1);
        };
    };
    auto reserveAt = [](int start) {
        return [=](LegalityMonth& m) {
            m.Put(0, m.AddPair(480, 600), 0);
            m.Other(0, 1, "RSV", start, 600, true, true);
        };
    };
    auto offAfter = [](int tafb, const char* code) {
        return [=](LegalityMonth& m) {
            m.Put(0, m.AddPair(960, tafb), 0);
            m.Other(0, 1, code, 0, 0, false);
        };
    };
    return {
        {"11:00 exactly warns", CheckPilotRest, after18(300), "", " Rest  2"},
        {"10:59 is illegal", CheckPilotRest, after18(299), " Rest  2", ""},
        {"12:00 is clean", CheckPilotRest, after18(360), "", ""},
        {"MinRest above 11:00 counts", CheckPilotRest, after18(300, 720), " Rest  2", ""},
        {"reserve 2:01 early", CheckPilotRest, reserveAt(179), "", ""},
        {"reserve 2:02 early", CheckPilotRest, reserveAt(178), " Rest  2", ""},
        {"reserve on day 1 after last month's reserve", CheckPilotRest,
         [](LegalityMonth& m) {
             m.Crew().DayCarry[30][CarryValue::DayKind] = 2;
             m.Crew().CarryIn[CarryInEntry::LegalAt] = 60;
             m.Other(0, 0, "RSV", 59, 600, true, true);
         },
         " Rest  1", ""},
        {"VAC after a 01:59 release", CheckPilotRest, offAfter(599, "VAC"), "", ""},
        {"VAC after a 02:01 release", CheckPilotRest, offAfter(601, "VAC"), " Rest  2", ""},
        {"GO kept blank-padded", CheckPilotRest, offAfter(599, "GO "), "", ""},
        {"past the month", CheckPilotRest,
         [](LegalityMonth& m) {
             m.Put(0, m.AddPair(1200, 600), 29);
             m.Other(0, 30, "XXX", 0, 0, false);
         },
         " Rest  1+", ""},
        {"spring change shortens the rest", CheckPilotRest,
         [](LegalityMonth& m) {
             m.Put(0, m.AddPair(480, 600), 12);
             m.Put(0, m.AddPair(330, 600), 13);
         },
         " Rest  14", "", 0, 3},
    };
}

INSTANTIATE_TEST_SUITE_P(PilotRest, RuleTest, ::testing::ValuesIn(PilotRestCases()),
                         test::ByName());

std::vector<RuleCase> FatigueAndHardTimeCases()
{
    using namespace legality;
    auto fatigue = [](int first, int second, int tafb = 600, int gap = 1) {
        return [=](LegalityMonth& m) {
            m.Put(0, m.AddPair(960, tafb), 0);
            m.Pair(0).FatigueUnits = first;
            m.Put(0, m.AddPair(960, 400), gap);
            m.Pair(1).FatigueUnits = second;
        };
    };
    auto hardDays = [](int days, int hard) {
        return [=](LegalityMonth& m) { Daily(m, 0, days - 1, 480, 600, hard); };
    };
    // clang-format off
    return {
        {"6000 units", CheckFatigueUnits, fatigue(3000, 3000), "", ""},
        {"6001 units", CheckFatigueUnits, fatigue(3000, 3001), " 100+ Fatigue Units on 2", ""},
        {"01:59 release frees the next day", CheckFatigueUnits, fatigue(3500, 3500, 599, 2), "", ""},
        {"02:00 release takes the next day", CheckFatigueUnits, fatigue(3500, 3500, 600, 2), " 100+ Fatigue Units on 3", ""},
        {"carried-in units", CheckFatigueUnits,
         [](LegalityMonth& m) {
             m.Crew().CarryIn[CarryInEntry::FatigueUnits] = 5000;
             m.Put(0, m.AddPair(480, 600), 0);
             m.Pair(0).FatigueUnits = 1001;
         },
         " 100+ Fatigue Units on 1", ""},
        {"40:00 in 7", CheckHardIn7, hardDays(7, 342), "", ""},
        {"40:01 in 7", CheckHardIn7, hardDays(7, 343), " 40+ Hours Hard in 7 On 7", ""},
        {"last month's hard time", CheckHardIn7,
         [](LegalityMonth& m) {
             for (size_t e = 26; e <= 30; ++e)
                 m.Crew().DayCarry[e][CarryValue::HardTime] = 400;
             Daily(m, 0, 1, 480, 600, 250);
         },
         " 40+ Hours Hard in 7 On 2", ""},
        {"carried past the month", CheckHardIn7,
         [](LegalityMonth& m) { m.Put(0, m.AddPair(480, 6 * 1440 + 600, 7, 401), 24); },
         " 40+ Hours Hard in 7 On 30 1 C/O.", ""},
        {"120:00 in 30", CheckHardIn30, hardDays(30, 240), "", ""},
        {"120:01 in 30", CheckHardIn30, hardDays(30, 241), " 120+ Hours Hard in 30 on 30", ""},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(FatigueAndHardTime, RuleTest,
                         ::testing::ValuesIn(FatigueAndHardTimeCases()), test::ByName());

std::vector<RuleCase> DutyRunsAndRestSchemeCases()
{
    using namespace legality;
    auto long3 = [](int fourthOn, int duty = 720) {
        return [=](LegalityMonth& m) {
            const int p = m.AddPair(360, duty, 1, 300, duty);
            for (int d = 0; d < 3; ++d)
                m.Put(0, p, d);
            m.Put(0, m.AddPair(fourthOn, 360, 1, 300, 360), 3);
        };
    };
    auto lateSixth = [](int tafb) {
        return [=](LegalityMonth& m) {
            Daily(m, 0, 4);
            m.Put(0, m.AddPair(960, tafb), 5);
        };
    };
    // clang-format off
    return {
        {"fourth duty after three of 12:00", CheckTwelveHourDuties, long3(360), " 3+ 12 Hr Duty on 4", ""},
        {"24 hours off reset the count", CheckTwelveHourDuties, long3(1080), "", ""},
        {"three of 11:59", CheckTwelveHourDuties, long3(360, 719), "", ""},
        {"three from last month", CheckTwelveHourDuties,
         [](LegalityMonth& m) {
             for (size_t e = 28; e <= 30; ++e)
                 m.Crew().DayCarry[e] = {360, 720, 360, 720, 0, 0, 1, 0, 0, 0};
             m.Put(0, m.AddPair(360, 360, 1, 300, 360), 0);
         },
         " 3+ 12 Hr Duty on 1", ""},
        {"twenty days on end", CheckRestScheme, [](LegalityMonth& m) { Daily(m, 0, 19); }, " 36/7 or 3/17 on  15 16 17 18 19 20", ""},
        {"36 hours after a duty ending after the spring change", CheckRestScheme,
         [](LegalityMonth& m) {
             m.Put(0, m.AddPair(480, 2040, 2), 18);
             Daily(m, 21, 25, 360, 600);
         },
         "", "", 0, 3},
        {"seven days on", CheckPilotConsecutiveDays, [](LegalityMonth& m) { Daily(m, 0, 6); }, "", " Con Days On 7"},
        {"six days on", CheckPilotConsecutiveDays, [](LegalityMonth& m) { Daily(m, 0, 5); }, "", ""},
        {"sixth day released at 01:59", CheckPilotConsecutiveDays, lateSixth(599), "", ""},
        {"sixth day released at 02:00", CheckPilotConsecutiveDays, lateSixth(600), "", " Con Days On 7"},
        {"run from last month", CheckPilotConsecutiveDays,
         [](LegalityMonth& m) {
             for (size_t e = 28; e <= 30; ++e)
                 m.Crew().DayCarry[e][CarryValue::DayKind] = 1;
             Daily(m, 0, 3);
         },
         "", " Con Days On 4"},
        {"eight reserve days", CheckPilotConsecutiveDays, Reserves(0, 7), " Con Days On 8", " Con Days On 6 7"},
        {"five reserve days with two off each side", CheckPilotConsecutiveDays, Reserves(2, 6), "", ""},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(DutyRunsAndRestScheme, RuleTest,
                         ::testing::ValuesIn(DutyRunsAndRestSchemeCases()), test::ByName());

TEST(LegalityRuleTest, RestSchemeLogsItsSteps)
{
    LegalityMonth m;
    Daily(m, 0, 19);
    CheckLegality(*m.doc, 0);
    EXPECT_NE(m.Crew().CarsLog.find("Checking Date 1/6/2027. Passed 36h / 7d.+"),
              std::string::npos);
    EXPECT_NE(m.Crew().CarsLog.find("Attempt Scheme Change to 3d / 17d on 31/5/2027.+"),
              std::string::npos);
}

std::vector<RuleCase> ReserveMixAndQualificationsCases()
{
    using namespace legality;
    auto mix = [](size_t lastMonthDay, const char* before, const char* code2, int slot = 0) {
        return [=](LegalityMonth& m) {
            m.Crew().DayText[lastMonthDay] = before;
            Reserve(m, 0, slot, code2);
        };
    };
    auto checkPilot = [](int carried) {
        return [=](LegalityMonth& m) {
            m.Crew().CarryIn[CarryInEntry::Credit] = carried;
            m.Put(0, m.AddPair(480, 600), 0);
        };
    };
    // clang-format off
    return {
        {"RA the day after RB", CheckReserveMix, mix(30, "RB ", "RA"), " RA RB RE Mix On 1", ""},
        {"RA a day later", CheckReserveMix, mix(29, "RSB", "RA"), " RA RB RE Mix On 1", ""},
        {"RA two days later", CheckReserveMix, mix(28, "RB ", "RA"), "", ""},
        {"RA three days back is ignored", CheckReserveMix, mix(28, "RA ", "RB"), "", ""},
        {"RE two days after RB", CheckReserveMix, mix(28, "RB ", "RE"), " RA RB RE Mix On 1", ""},
        {"RB a day after RA in the month", CheckReserveMix,
         [](LegalityMonth& m) {
             Reserve(m, 0, 0, "RA");
             Reserve(m, 0, 2, "RB");
         },
         " RA RB RE Mix On 3", ""},
        {"check pilot at the limit", CheckCheckPilotCredit, checkPilot(5100), "", ""},
        {"check pilot above the limit", CheckCheckPilotCredit, checkPilot(5101), "Check Pilot Pair Credit > 90:00", ""},
        {"YTZ", CheckYtzQualification,
         [](LegalityMonth& m) {
             m.Put(0, m.AddPair(480, 600), 2);
             m.Pair(0).PairText = "YYZ YTZ 0800";
         },
         " Not Qualified for YTZ on 3", ""},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(ReserveMixAndQualifications, RuleTest,
                         ::testing::ValuesIn(ReserveMixAndQualificationsCases()), test::ByName());

std::vector<RuleCase> FlightAttendantsCases()
{
    using namespace legality;
    auto rest = [](int nextOn, bool crossing) {
        return [=](LegalityMonth& m) {
            m.Put(0, m.AddPair(1200, 420), 0); // released 03:00
            m.Pair(0).CrossesMidnight = true;
            m.Put(0, m.AddPair(nextOn, 420), 1);
            m.Pair(1).CrossesMidnight = crossing;
        };
    };
    auto worked = [](std::vector<int> days, bool reserveLine) {
        return [=](LegalityMonth& m) {
            m.Crew().BidReserveOrLoa = reserveLine;
            for (int d : days)
                Reserve(m, 0, d, "RA");
        };
    };
    auto loneRb = [](int nextWorked, int maxCredit) {
        return [=](LegalityMonth& m) {
            m.Crew().CarryIn[CarryInEntry::MaxCredit] = maxCredit;
            Reserve(m, 0, 10);
            m.Put(0, m.AddPair(480, 600), nextWorked);
        };
    };
    constexpr int kFa = 2;
    // clang-format off
    return {
        {"12:00 rest", CheckAttendantRest, rest(900, false), "", "", kFa},
        {"11:59 rest", CheckAttendantRest, rest(899, false), " Rest  2", "", kFa},
        {"two night pairings: 10:00", CheckAttendantRest, rest(780, true), "", "", kFa},
        {"two night pairings: 9:59", CheckAttendantRest, rest(779, true), " Rest  2", "", kFa},
        {"seven days", CheckAttendantDaysOnOff, worked({0, 1, 2, 3, 4, 5, 6}, false), "", "Con Days On/Off 7", kFa},
        {"seven days, one off", CheckAttendantDaysOnOff, worked({0, 1, 2, 3, 4, 5, 6, 8}, false), "", "Con Days On/Off 7 8", kFa},
        {"reserve line, six days", CheckAttendantDaysOnOff, worked({0, 1, 2, 3, 4, 5}, true), "", "Con Days On/Off 6", kFa},
        {"reserve line, one day off", CheckAttendantDaysOnOff, worked({0, 2}, true), "", "Con Days On/Off 3", kFa},
        {"lone RB, one day off", CheckRbGrouping, loneRb(12, 0), " Must Have 2 Days Off before and after RB periods on 11", "", kFa},
        {"lone RB, two days off", CheckRbGrouping, loneRb(13, 0), "", "", kFa},
        {"lone RB on a reduced block", CheckRbGrouping, loneRb(20, 4000), " RB Days Must be Grouped in 2s for Reduced Block on  12", "", kFa},
        {"lone RB last month", CheckRbGrouping,
         [](LegalityMonth& m) {
             m.Crew().DayText[25] = "RB ";
             m.Crew().DayCarry[28][CarryValue::DayKind] = 1;
         },
         " Must Have 2 Days Off before and after RB periods on Last Month", "", kFa},
        {"fam pairing", CheckFamPairings,
         [](LegalityMonth& m) {
             m.Put(0, m.AddPair(480, 600), 1);
             m.Pair(0).PairText = "EXTRA FA ON YUL";
         },
         "", "Fam Pairing in Block on 2", kFa},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(FlightAttendants, RuleTest, ::testing::ValuesIn(FlightAttendantsCases()),
                         test::ByName());

// Crew 0 and 1 on a French pairing and its copy on day 4.
struct FrenchMonth : LegalityMonth {
    FrenchMonth() : LegalityMonth(2)
    {
        for (int p = 0; p < 2; ++p) {
            AddPair(480, 600);
            Pair(p).PairNumber = 700;
            Pair(p).PairKey = "K";
            Pair(p).PairText = "FRENCH PAIRING";
        }
    }
};

TEST(LegalityTest, FrenchPairingIsReportedOnTheJuniorCabinMember)
{
    FrenchMonth m;
    m.Put(0, 0, 3);
    m.Put(1, 1, 3);
    CheckAllLegality(*m.doc);
    EXPECT_EQ(m.Crew(0).Illegalities, "");
    EXPECT_EQ(m.Crew(1).Illegalities, " French Pair  4");
    EXPECT_EQ(m.Crew(0).LegalityValid, 0); // crew 1's check marked crew 0 for re-check
    m.Crew(0).LegalityValid = 1;
    m.Crew(1).LegalityValid = 0;
    m.Crew(1).Illegalities = "stale";
    RefreshLegality(*m.doc);
    EXPECT_EQ(m.Crew(1).Illegalities, " French Pair  4");
    EXPECT_EQ(m.Crew(1).LegalityValid, 1);

    m.Crew(1).CarryIn[CarryInEntry::Flags] = 1;
    CheckLegality(*m.doc, 1);
    EXPECT_EQ(m.Crew(1).Illegalities, "");

    FrenchMonth open;
    open.Put(0, 0, 3);
    CheckLegality(*open.doc, 0);
    EXPECT_EQ(open.Crew(0).Illegalities, "");
    // The Who Is Legal copy is judged in its own roster place: the senior
    // member taking the second seat leaves the junior one responsible.
    FrenchMonth senior;
    senior.Put(1, 1, 3);
    CheckAllLegality(*senior.doc);
    EXPECT_EQ(CanAssign(*senior.doc, 0, 0, 3), CanAssignResult::Legal);
    FrenchMonth junior;
    junior.Put(0, 0, 3);
    CheckAllLegality(*junior.doc);
    TPilot scratch;
    std::string why;
    EXPECT_EQ(CanAssign(*junior.doc, 1, 1, 3, scratch, &why), CanAssignResult::AddsIllegalDays);
    EXPECT_EQ(why, "French Pair 4");
    EXPECT_EQ(junior.Crew(0).LegalityValid, 1) << "a what-if check marks nobody";
}

// Crew 1 flies a copy of pairing 0 with crew 2; crew 3 flies pairing 1,
// another trip of the same number that day.
struct TwoCaptainCase {
    const char* name;
    int mine, theirs; // qualification codes
    std::string message;
};

class TwoCaptainPairTest : public ::testing::TestWithParam<TwoCaptainCase> {};

TEST_P(TwoCaptainPairTest, OneRestrictionOnBothSeatsIsIllegal)
{
    const TwoCaptainCase& row = GetParam();
    LegalityMonth m(0, 6, 2027, 3);
    m.AddPair(480, 600);
    m.AddPair(900, 600);
    m.AddPair(480, 600);
    m.Pair(1).PairNumber = m.Pair(2).PairNumber = m.Pair(0).PairNumber;
    m.doc->LastBasePair = 1;
    m.Put(0, 2, 2);
    m.Put(1, 0, 2);
    m.Put(2, 1, 2);
    m.Crew(0).CarryIn[CarryInEntry::Flags] = row.mine;
    m.Crew(1).CarryIn[CarryInEntry::Flags] = row.theirs;
    CheckAllLegality(*m.doc);
    CheckTwoCaptainPairs(*m.doc); // a second pass replaces, never repeats
    EXPECT_EQ(m.Crew(0).Illegalities, row.message);
    EXPECT_EQ(m.Crew(1).Illegalities, "");
}

// clang-format off
const TwoCaptainCase kTwoCaptainCases[] = {
    {"both 60", 1, 1, " Both 60 on 2 Capt Pair "}, {"both MED", 3, 3, " Both MED on 2 Capt Pair "},
    {"60 beside MR", 1, 2, ""}, {"60 beside none", 1, 0, ""}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Legality, TwoCaptainPairTest, ::testing::ValuesIn(kTwoCaptainCases),
                         test::ByName());

TEST(LegalityTest, OpenLinesAreLeftAsTheyAre)
{
    LegalityMonth m;
    m.Crew().EmpNumber = -1;
    Reserves(0, 8)(m);
    m.Crew().DayIllegal[3] = 1;
    CheckLegality(*m.doc, 0);
    EXPECT_EQ(m.Crew().Illegalities, "");
    EXPECT_EQ(m.Crew().DayIllegal[3], 1);
}

std::function<void(LegalityMonth&)> Pairing(int slot, int days, int excluded = 0)
{
    return [=](LegalityMonth& m) {
        m.Put(0, m.AddPair(480, 600, days), slot);
        m.Pair(0).ExcludedCredit[static_cast<size_t>(slot)] = excluded;
    };
}

struct CreditCase {
    const char* name;
    std::function<void(LegalityMonth&)> setup;
    bool all;
    int32_t result;
    int32_t stored;
};

class BlockCreditTest : public ::testing::TestWithParam<CreditCase> {};

TEST_P(BlockCreditTest, CountsWhatTheBlockHolds)
{
    const CreditCase& row = GetParam();
    LegalityMonth m;
    row.setup(m);
    EXPECT_EQ(BlockCredit(*m.doc, 0, row.all, m.ui), row.result);
    EXPECT_EQ(m.Crew().CreditHours * 60 + m.Crew().CreditMinutes, row.stored);
}

std::vector<CreditCase> BlockCreditCases()
{
    auto other = [](const char* code, int credit, int excluded) {
        return [=](LegalityMonth& m) {
            m.Other(0, 3, code, 0, 0, false);
            m.Crew().DayOther[3][OtherValue::Credit] = credit;
            m.Crew().DayOther[3][OtherValue::ExcludeCredit] = excluded;
        };
    };
    auto training = [](LegalityMonth& m) {
        m.Crew().TrainingCredit = 50;
        m.Crew().TrainingFlag = true;
    };
    return {
        {"pairing and amounts",
         [](LegalityMonth& m) {
             Pairing(0, 2)(m);
             m.Crew().CarryIn[CarryInEntry::Credit] = 60;
             m.Crew().DraftCredits = 30;
             m.Crew().MiscHours = 20;
             m.Crew().TimeBank = 10;
         },
         false, 720, 720},
        {"excluded credit", Pairing(4, 2, 100), false, 500, 500},
        {"excluded credit counted", Pairing(4, 2, 100), true, 600, 600},
        {"past the month", Pairing(28, 3), false, 600, 600},
        {"excluded other assignment", other("VAC", 200, 1), false, 0, 0},
        {"excluded other assignment counted", other("VAC", 200, 1), true, 200, 200},
        {"leave is a loss", other("LOA", 300, 0), false, 0, 300},
        {"training credit", training, true, 50, 50},
        {"flagged training credit", training, false, 0, 0},
    };
}

INSTANTIATE_TEST_SUITE_P(Legality, BlockCreditTest, ::testing::ValuesIn(BlockCreditCases()),
                         test::ByName());

// A pairing out of range is reported and left out; the others count.
TEST(LegalityTest, BlockCreditSkipsAPairingOutOfRangeAndCountsTheTimeBank)
{
    LegalityMonth m;
    Pairing(0, 1)(m);
    m.Crew().DaySlot[1] = 3001;
    m.Put(0, 0, 2);
    EXPECT_EQ(BlockCredit(*m.doc, 0, false, m.ui), 300);
    EXPECT_EQ(m.ui.Events().size(), 1u);
    EXPECT_EQ(m.ui.Dialogs(),
              std::vector<std::string>{"Internal Error: Pairing Number out of RANGE"});

    m.Crew().DaySlot[1] = kFreeSlot;
    m.Crew(1).TimeBank = 10;
    m.Other(0, 3, "TBB", 0, 0, false);
    m.Crew().DayOther[3][OtherValue::Credit] = 90;
    BlockCredit(*m.doc, 0, false, m.ui);
    EXPECT_EQ(m.Crew().TimeBankCredit, 90);
    EXPECT_EQ(TimeBankText(*m.doc), " TB 1:40");
}

TEST(WhoIsLegalTest, ListsAndReasons)
{
    LegalityMonth m(0, 6, 2027, 6);
    const int wanted = m.AddPair(360, 600, 1, 343); // day 7, 06:00
    m.Put(0, m.AddPair(480, 600), 6);               // day taken
    m.Put(1, m.AddPair(600, 720), 5);               // released 22:00 the day before
    Daily(m, 0, 0);                                 // crew 2: six days of 5:43 hard
    for (int d = 0; d < 6; ++d)
        m.Crew(2).DaySlot[static_cast<size_t>(d)] = m.doc->LastPair;
    m.Pair(m.doc->LastPair).DayHard[0] = 343;
    for (int d = 0; d < 6; ++d)
        m.Crew(0).DaySlot[static_cast<size_t>(d)] = kFreeSlot;
    m.Crew(3).BidReserveOrLoa = 1;
    m.Crew(4).BeyondBlockHolders = 1;
    m.Crew(5).FilterText = "00990100TEXT0101";
    m.Crew(1).FilterText = "0100TEXT";
    CheckAllLegality(*m.doc);

    const WhoIsLegalLists lists = WhoIsLegal(*m.doc, wanted, 6);
    EXPECT_EQ(lists.Caption, "Tessara Lines - 0100 on 07 Jun");
    EXPECT_EQ(lists.Legal, (std::vector<std::string>{"003 Exception-> CREW 3", "006 CREW 6"}));
    EXPECT_EQ(lists.Bidders, (std::vector<std::string>{"002 CREW 2", "006 <<< CREW 6"}));
    EXPECT_EQ(lists.Reasons,
              (std::vector<std::string>{
                  "001 CREW 1: already holds pairing 0101 on day 7",
                  "002 CREW 2: pairing 0100 on day 7 leaves 08:00 rest after pairing 0102 on "
                  "day 6, minimum 11:00",
                  "003 CREW 3: 40+ Hours Hard in 7 On 7",
                  "004 CREW 4: bids reserve or is on leave",
                  "005 CREW 5: beyond the block holders",
              }));
    EXPECT_EQ(NewIllegalities(" Rest  5", " Rest  5 7 40+ Hours Hard in 7 On 7"),
              "Rest 7; 40+ Hours Hard in 7 On 7");
}

// Only a conflict of the pairing being placed refuses; what the block held
// before is the legality check's to judge.
struct PlacedCase {
    const char* name;
    int on, tafb; // the pairing placed on slot 20, day 21
    std::function<void(LegalityMonth&)> setUp;
    CanAssignResult result;
    std::string why;
};

class WhoIsLegalRestTest : public ::testing::TestWithParam<PlacedCase> {};

TEST_P(WhoIsLegalRestTest, OnlyThePlacedPairingsOwnRestRefuses)
{
    const PlacedCase& c = GetParam();
    LegalityMonth m(0, 6, 2027, 1);
    const int wanted = m.AddPair(c.on, c.tafb);
    m.Pair(wanted).OpsCount[20] = kOpsOpen;
    c.setUp(m);
    CheckAllLegality(*m.doc);
    TPilot scratch;
    std::string why;
    EXPECT_EQ(CanAssign(*m.doc, 0, wanted, 20, scratch, &why), c.result);
    if (c.result == CanAssignResult::CannotAssign) {
        EXPECT_EQ(why, c.why);
    }
}

const PlacedCase kPlacedCases[] = {
    {"back-to-back reserve days elsewhere", 360, 600,
     [](LegalityMonth& m) {
         m.Other(0, 2, "RSV", 360, 960, true, true, "RB"); // 8:00 before the next
         m.Other(0, 3, "RSV", 360, 960, true, true, "RB");
     },
     CanAssignResult::Legal, ""},
    {"short rest between pairings elsewhere", 360, 600,
     [](LegalityMonth& m) {
         m.Put(0, m.AddPair(600, 720), 2);
         m.Put(0, m.AddPair(360, 600), 3);
     },
     CanAssignResult::Legal, ""},
    {"a day off after an overnight pairing elsewhere", 360, 600,
     [](LegalityMonth& m) {
         m.Put(0, m.AddPair(1200, 600), 2);
         m.Other(0, 3, "XX", 0, 0, false);
     },
     CanAssignResult::Legal, ""},
    {"placed inside the rest of the duty before", 360, 600,
     [](LegalityMonth& m) { m.Put(0, m.AddPair(600, 720), 19); }, CanAssignResult::CannotAssign,
     "pairing 0100 on day 21 leaves 08:00 rest after pairing 0101 on day 20, minimum 11:00"},
    {"a duty after it inside its rest", 360, 600,
     [](LegalityMonth& m) { m.Put(0, m.AddPair(120, 600), 21); }, CanAssignResult::CannotAssign,
     "pairing 0101 on day 22 leaves 10:00 rest after pairing 0100 on day 21, minimum 11:00"},
    {"a day off it runs into", 1200, 600,
     [](LegalityMonth& m) { m.Other(0, 21, "STT", 0, 0, false); }, CanAssignResult::CannotAssign,
     "STT on day 22 overlaps pairing 0100 on day 21"},
};

INSTANTIATE_TEST_SUITE_P(Legality, WhoIsLegalRestTest, ::testing::ValuesIn(kPlacedCases),
                         test::ByName());

// A second, deliberately plain reading of the rest and hard-time rules,
// compared with the engine on random blocks.
size_t U(int i)
{
    return static_cast<size_t>(i);
}

const TPair* PairOn(const ScheduleDocument& doc, const TPilot& crew, int slot)
{
    const int32_t p = crew.DaySlot[U(slot)];
    return p >= 0 && p <= 3000 ? &doc.Pairs[U(p)] : nullptr;
}

// Where the rest stands after slot j: earliest legal start, the rest that
// followed that duty, and the start seen on the slot.
struct RestState {
    int32_t earliest, prevRest, lastStart;
};

RestState StateAfter(const ScheduleDocument& doc, const TPilot& crew, int j)
{
    if (j < 0)
        return {crew.CarryIn[CarryInEntry::LegalAt], 660, 0};
    const RestState before = StateAfter(doc, crew, j - 1);
    const auto& o = crew.DayOther[U(j)];
    if (const TPair* p = PairOn(doc, crew, j)) {
        const int32_t rest = p->MinRest > 660 ? p->MinRest : 660;
        return {p->OnTime + j * 1440 + p->Tafb + rest, rest, p->OnTime + j * 1440};
    }
    if (crew.DaySlot[U(j)] != kOtherSlot)
        return before;
    if (o[OtherValue::ContainsDuty] != 0) {
        const int32_t rest = o[OtherValue::Reserve] != 0 ? 539 : 660;
        return {o[OtherValue::Start] + j * 1440 + o[OtherValue::Length] + rest, rest,
                o[OtherValue::Start] + j * 1440};
    }
    const std::string_view code = crew.DayCode[U(j)];
    const bool off =
        code == "STT" || code == "VAC" || code == "GO " || code == "GO" || code == "STA";
    const int32_t start =
        off ? j * 1440 + before.prevRest + 120 : o[OtherValue::Start] + j * 1440 + 660;
    return {o[OtherValue::Start] + j * 1440 + o[OtherValue::Length], 0, start};
}

void ReferenceRest(const ScheduleDocument& doc, const TPilot& crew, Flags& illegal, Flags& warn)
{
    for (int d = 0; d <= doc.DaysInMonth + 30; ++d) {
        const bool pairing = PairOn(doc, crew, d) != nullptr;
        if (!pairing && crew.DaySlot[U(d)] != kOtherSlot)
            continue;
        const RestState s = StateAfter(doc, crew, d - 1);
        const auto& o = crew.DayOther[U(d)];
        const bool duty = pairing || o[OtherValue::ContainsDuty] != 0;
        const bool reserve = !pairing && o[OtherValue::Reserve] != 0;
        int32_t start =
            pairing ? PairOn(doc, crew, d)->OnTime + d * 1440 : o[OtherValue::Start] + d * 1440;
        if (!duty) {
            if (StateAfter(doc, crew, d).lastStart < s.earliest && !reserve)
                illegal[U(d)] = true;
            continue;
        }
        // Walk the minutes since the last start for the clock change.
        for (int32_t t = s.lastStart + 1; doc.DstShift != 0 && t <= start; ++t)
            if (t == doc.DstChangeMinute) {
                start -= doc.DstShift;
                break;
            }
        int32_t restMinutesShort = 0; // minutes of required rest not yet had at the start
        for (int32_t t = start; t < s.earliest; ++t)
            ++restMinutesShort;
        if (restMinutesShort > 0) {
            if (!reserve || restMinutesShort > 121 ||
                (d == 0 && crew.DayCarry[30][CarryValue::DayKind] == kReserveDay))
                illegal[U(d)] = true;
        } else if (start < s.earliest + 60 && !reserve) {
            warn[U(d)] = true;
        }
    }
}

// Hard time of calendar slot j: every pairing still flying that day, the
// other assignment of the day, and last month's carried hard time.
int32_t HardOn(const ScheduleDocument& doc, const TPilot& crew, int j)
{
    int32_t hard = j < 5 ? crew.DayCarry[U(j + 31)][CarryValue::HardTime] : 0;
    for (int s = 0; s <= j && j >= 0; ++s) {
        const TPair* p = s < doc.DaysInMonth ? PairOn(doc, crew, s) : nullptr;
        if (p && j - s < p->Length)
            hard += p->DayHard[U(j - s)];
    }
    if (j >= 0 && crew.DaySlot[U(j)] == kOtherSlot)
        hard += crew.DayOther[U(j)][OtherValue::HardTime];
    return hard;
}

void ReferenceHard(const ScheduleDocument& doc, const TPilot& crew, int width, int32_t limit,
                   int ignoreFrom, Flags& illegal)
{
    for (int s = -(width - 1); s < doc.DaysInMonth; ++s)
        for (int i = std::max(s, 0); i < s + width && i < ignoreFrom; ++i) {
            int32_t sum = 0;
            for (int j = s; j <= i; ++j)
                sum +=
                    j < 0 ? crew.DayCarry[U(j + 31)][CarryValue::HardTime] : HardOn(doc, crew, j);
            if (sum > limit)
                illegal[U(i)] = true;
        }
}

void RandomBlock(LegalityMonth& m, std::mt19937& rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    TPilot& crew = m.Crew();
    crew.Reset();
    crew.EmpNumber = 1;
    m.doc->LastPair = -1;
    crew.CarryIn[CarryInEntry::LegalAt] = pick(-600, 1800);
    crew.DayCarry[30][CarryValue::DayKind] = pick(0, 2);
    for (size_t e = 25; e <= 35; ++e)
        crew.DayCarry[e][CarryValue::HardTime] = pick(0, 3) == 0 ? pick(0, 600) : 0;
    static const char* const kCodes[] = {"VAC", "GO ", "STT", "STA", "XXX", "RSV"};
    for (int d = 0; d < 62; ++d) {
        const int roll = pick(0, 99);
        if (d < m.doc->DaysInMonth && roll < 40) {
            const int length = pick(1, 4);
            const int on = pick(0, 1439);
            const int p = m.AddPair(on, (length - 1) * 1440 + pick(60, 1300), length);
            for (size_t k = 0; k < size_t(length); ++k)
                m.Pair(p).DayHard[k] = pick(0, 700);
            m.Pair(p).MinRest = pick(600, 780);
            m.Put(0, p, d);
            d += pick(0, length);
        } else if (roll < 55) {
            m.Other(0, d, kCodes[pick(0, 5)], pick(0, 1439), pick(0, 900), pick(0, 1) == 1,
                    pick(0, 2) == 0);
            crew.DayOther[U(d)][OtherValue::HardTime] = pick(0, 2) == 0 ? pick(0, 400) : 0;
        }
    }
}

TEST(LegalityReferenceTest, RestAndHardTimeAgreeOnRandomBlocks)
{
    std::mt19937 rng(12);
    LegalityMonth months[] = {LegalityMonth(0, 6), LegalityMonth(0, 3), LegalityMonth(0, 11)};
    ASSERT_NE(months[1].doc->DstShift, 0);
    for (int block = 0; block < 3000; ++block) {
        LegalityMonth& m = months[block % 3];
        RandomBlock(m, rng);
        TPilot& crew = m.Crew();
        legality::CrewView view(*m.doc, crew, 0);
        Flags illegal{}, warn{};

        legality::CheckPilotRest(view);
        ReferenceRest(*m.doc, crew, illegal, warn);
        for (size_t s = 0; s < 62; ++s) {
            ASSERT_EQ(crew.DayIllegal[s] != 0, illegal[s])
                << "rest, block " << block << " slot " << s;
            ASSERT_EQ(crew.DayWarning[s] != 0, warn[s]) << "rest, block " << block << " slot " << s;
        }
        const struct {
            void (*rule)(legality::CrewView&);
            int width, limit, ignoreFrom;
        } windows[] = {{legality::CheckHardIn7, 7, 2400, 62},
                       {legality::CheckHardIn30, 30, 7200, m.doc->DaysInMonth + 5}};
        for (const auto& w : windows) {
            crew.DayIllegal.fill(0);
            illegal.fill(false);
            w.rule(view);
            ReferenceHard(*m.doc, crew, w.width, w.limit, w.ignoreFrom, illegal);
            for (size_t s = 0; s < 62; ++s)
                ASSERT_EQ(crew.DayIllegal[s] != 0, illegal[s])
                    << "hard in " << w.width << ", block " << block << " slot " << s;
        }
        crew.DayIllegal.fill(0);
        crew.DayWarning.fill(0);
    }
}

// Whatever a file holds, a check reads only inside the tables, for pilots
// and for cabin crew.
class HostileValuesTest : public ::testing::TestWithParam<int> {};

TEST_P(HostileValuesTest, AreCheckedSafely)
{
    std::mt19937 rng(7);
    auto any = [&] {
        static const int32_t kEdges[] = {INT32_MIN, -3,  -2,   -1,   0,    1,
                                         119,       120, 1440, 3000, 3001, INT32_MAX};
        return std::uniform_int_distribution<int>(0, 1)(rng)
                   ? kEdges[std::uniform_int_distribution<size_t>(0, 11)(rng)]
                   : static_cast<int32_t>(rng());
    };
    LegalityMonth m(GetParam(), 11);
    m.doc->LastPair = 3000;
    m.doc->LastBasePair = 1500;
    for (int p = 0; p < 40; ++p) {
        TPair& pair = m.Pair(p);
        pair.OnTime = any();
        pair.Tafb = any();
        pair.Length = static_cast<int8_t>(any());
        pair.MinRest = any();
        pair.FatigueUnits = any();
        pair.PairText = "FRENCH PAIRING YTZ EXTRA FA ON";
        for (size_t k = 0; k < 31; ++k)
            pair.DayHard[k] = pair.DayStart[k] = pair.DayDuty[k] = pair.DayCredit[k] = any();
    }
    for (int c = 0; c < 2; ++c) {
        TPilot& crew = m.Crew(c);
        for (size_t s = 0; s < 62; ++s) {
            crew.DaySlot[s] = std::uniform_int_distribution<int>(-3, 45)(rng);
            for (size_t i = 0; i < 10; ++i) {
                crew.DayOther[s][i] = any();
                crew.DayCarry[s][i] = any();
            }
            crew.DayText[s] = "RB ";
            crew.DayCode2[s] = "RB";
        }
        for (auto& value : crew.CarryIn)
            value = any();
    }
    m.Crew(0).CarryIn[CarryInEntry::Qualification] = 3;
    m.Crew(0).CarryIn[CarryInEntry::NoYtz] = 1;
    CheckAllLegality(*m.doc);
    BlockCredit(*m.doc, 0, true, m.ui);
    EXPECT_FALSE(m.Crew(0).Illegalities.empty());
}

INSTANTIATE_TEST_SUITE_P(LegalityReference, HostileValuesTest, ::testing::Values(0, 2),
                         [](const auto& p) { return p.param == 0 ? "pilots" : "cabin"; });

} // namespace
} // namespace tl
