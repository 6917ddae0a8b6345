#include "model/schedule_document.h"
#include "model/vortime.h"
#include "support/scripted_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace tl {
namespace {

using test::ScriptedInteraction;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

template <size_t N>
std::string Text(const std::array<char, N>& code)
{
    return std::string(code.data());
}

class ScheduleDocumentTest : public ::testing::Test {
protected:
    ScriptedInteraction ui;
    ScheduleDocument doc;
};

TEST_F(ScheduleDocumentTest, ThirtyDaysApartMakeAThirtyOneDayMonth)
{
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(12, 1, 2026), JulianDay(12, 31, 2026)));
    EXPECT_EQ(doc.DaysInMonth, 31);
    EXPECT_EQ(doc.StartWeekday, 2); // 1 December 2026 is a Tuesday
    EXPECT_EQ(Text(doc.DayName[0]), "TU");
    EXPECT_TRUE(doc.Weekend[4] && doc.Weekend[5] && !doc.Weekend[6]);
    EXPECT_EQ(doc.DayDate[31], (TDate{1, 1, 2027})); // slots past the month continue
    EXPECT_EQ(doc.PrevDate[0], (TDate{31, 10, 2026}));
    EXPECT_EQ(doc.Month, 12);
    EXPECT_EQ(Text(doc.MonthName), "Dec");
    EXPECT_THAT(ui.Dialogs(), IsEmpty());

    // A Saturday start has its weekend on the first two days.
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(5, 1, 2027), JulianDay(5, 31, 2027)));
    EXPECT_TRUE(doc.Weekend[0] && doc.Weekend[1] && !doc.Weekend[2]);

    // The month is the one fifteen days after the start.
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(1, 16, 2027), JulianDay(2, 15, 2027)));
    EXPECT_EQ(Text(doc.MonthName), "Jan"); // 31 January
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(12, 20, 2026), JulianDay(1, 19, 2027)));
    EXPECT_EQ(doc.Month, 1);
    EXPECT_EQ(Text(doc.YearText), "2027");
    EXPECT_EQ(doc.DayDate[12], (TDate{1, 1, 2027}));
}

TEST_F(ScheduleDocumentTest, BadPeriodIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(2, 1, 2027), JulianDay(2, 28, 2027)));
    const std::string notReal = "Tessara Lines: The new Month must start and end on real dates.";
    const struct {
        int32_t start, end;
        std::string message;
    } cases[] = {
        {JulianDay(3, 1, 2027), JulianDay(4, 1, 2027),
         "Tessara Lines: The new Month cannot contain more than 31 days."},
        {JulianDay(3, 10, 2027), JulianDay(3, 9, 2027),
         "Tessara Lines: The new Month must end on or after its first day."},
        {0, 0, notReal}, {0, 20, notReal}, {-5, 10, notReal},
        {JulianDay(1, 1, 10000), JulianDay(1, 20, 10000), notReal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        ui.Clear();
        EXPECT_FALSE(doc.SetMonth(ui, c.start, c.end));
        EXPECT_THAT(ui.Dialogs(), ElementsAre(c.message));
        EXPECT_EQ(doc.DaysInMonth, 28); // the month before stays
        EXPECT_EQ(doc.Month, 2);
    }
}

TEST_F(ScheduleDocumentTest, ZeroDataLeavesTheLastPairingRecordAlone)
{
    doc.Pairs[0].PairNumber = 1234;
    doc.Pairs[2999].PairNumber = 2999;
    doc.Pairs[3000].PairNumber = 3000;
    doc.Crew[0].Name = "SMITH J";
    doc.LastPair = 2999;
    doc.LastBasePair = 2999;
    doc.CrewCount = 1;

    doc.ZeroData(ui, false, true);
    EXPECT_EQ(doc.Pairs[0].PairNumber, 0);
    EXPECT_EQ(doc.Pairs[2999].PairNumber, 0);
    EXPECT_EQ(doc.Pairs[3000].PairNumber, 3000);
    EXPECT_EQ(doc.LastPair, -1);
    EXPECT_EQ(doc.LastBasePair, -1);
    EXPECT_EQ(doc.Crew[0].Name, "SMITH J"); // crew not asked for
    EXPECT_EQ(doc.CrewCount, 1);

    doc.ZeroData(ui, true, false);
    EXPECT_EQ(doc.Crew[0].Name, "");
    EXPECT_EQ(doc.CrewCount, 0);
    EXPECT_EQ(ui.TraceText(), "ZeroDataBegin\nZeroDataEnd\nZeroDataBegin\nZeroDataEnd\n");
}

TEST_F(ScheduleDocumentTest, DeleteAllKeepsDaysOffRulesAndSpares)
{
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
    for (int i = 0; i < 16; ++i)
        doc.MonthRules[static_cast<size_t>(i)] = 100 + i;
    doc.Modified = true;
    doc.BackupCountdown = 3;
    doc.History.push_front(TAction{1, 3, 4, 5});
    doc.FilterWords[19] = "YVR";
    doc.FreshDocument = false;

    ui.Clear();
    doc.DeleteAll(ui);
    EXPECT_EQ(doc.MonthRules, (std::array<int32_t, 16>{1, 0, 0, 4650, 4800, 4500, 106, 107, 3420,
                                                       2820, 12, 5400, 112, 113, 114, 115}));
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(doc.BackupCountdown, 20);
    EXPECT_TRUE(doc.History.empty());
    EXPECT_EQ(doc.FilterWords[19], "");
    EXPECT_EQ(doc.DaysInMonth, 0);
    EXPECT_TRUE(doc.FreshDocument);
    EXPECT_EQ(ui.TraceText(), "BeginDeleteAll\nZeroDataBegin\nZeroDataEnd\nEndDeleteAll\n");
}

} // namespace
} // namespace tl
