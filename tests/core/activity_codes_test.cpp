#include "model/activity_codes.h"
#include "model/schedule_document.h"
#include "support/scripted_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tl {
namespace {

SilentInteraction s_silent;

using test::ScriptedInteraction;

TEST(BuiltInActivityRowsTest, EveryRowHasTheColumnsTheLookupReads)
{
    auto rows = BuiltInActivityRows();
    ASSERT_EQ(rows.size(), 117u);
    for (std::string_view row : rows) {
        SCOPED_TRACE(std::string(row));
        ASSERT_GE(row.size(), 73u);
        EXPECT_TRUE(row[6] == 'C' || row[6] == 'P');
        EXPECT_TRUE(row[42] == 'D' || row[42] == 'N');
        EXPECT_TRUE(row[43] == 'D' || row[43] == ' ');
        EXPECT_EQ(row[28] == ':', row[29] != ' ');
    }
    // The one row given in full must come out exactly.
    EXPECT_THAT(rows,
                ::testing::Contains(
                    "VAC B C   B   N    D   I   2:50 VAC       N    P  Vacation             VC "
                    "  N     N   N   V         N             N 00   12:00 16:00   Y N"));
}

TEST(BuiltInLookupTest, FindsTheFirstRowOfTheCrewType)
{
    const struct {
        int crewKind;
        const char* code;
        bool found;
        const char* activity;
        int32_t credit;
        bool duty, duty2, reserve;
    } cases[] = {
        // LCK comes before LPC, which shares the tracking code.
        {0, "LC", true, "LCK", 318, false, false, false},
        {2, "RA", true, "RA ", 240, true, false, true},
        {0, "RA", true, "RA ", 0, true, true, true},
        {1, "RB", true, "RB ", 0, true, true, true},
        {0, "RE", false, "", 0, false, false, false},
        {1, "RK", true, "RCK", 0, true, true, false},
        // Cabin rows never set the second duty flag, whatever column 43 says.
        {2, "CM", true, "CRM", 240, true, false, false},
        {2, "CT", false, "", 0, false, false, false},
        {0, "H9", false, "", 0, false, false, false},
        {0, "ra", false, "", 0, false, false, false},
        {0, "", false, "", 0, false, false, false},
    };
    auto doc = std::make_unique<ScheduleDocument>();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.crewKind << ' ' << c.code);
        doc->CrewKind = static_cast<int8_t>(c.crewKind);
        ScriptedInteraction ui;
        auto info = LookupActivityCode(*doc, c.code, ui);
        ASSERT_EQ(info.has_value(), c.found);
        EXPECT_EQ(ui.TraceText(), "");
        if (!info)
            continue;
        EXPECT_EQ(info->Activity, c.activity);
        EXPECT_EQ(info->Credit, c.credit);
        EXPECT_EQ(info->Duty, c.duty);
        EXPECT_EQ(info->Duty2, c.duty2);
        EXPECT_EQ(info->Reserve, c.reserve);
    }
}

TEST(LookupActivityRowTest, ShortPilotRowIsSkippedWithTrace)
{
    const std::string_view rows[] = {
        "XX1 B P   B   N    D   I   1:00 short",
        "XX2 B C   B   N    D   I   1:00 short cabin",
        "RA  B P   B   N    D   I   4:00 RA        D    P  Reserve              XX   N",
    };
    ScriptedInteraction ui;
    auto info = LookupActivityRow(rows, 'P', "XX", ui);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->Activity, "RA ");
    EXPECT_EQ(info->Credit, 240);
    EXPECT_TRUE(info->Reserve);
    EXPECT_EQ(ui.TraceText(), "Quarnelle Codes Data Error\n");

    ui.Clear();
    EXPECT_FALSE(LookupActivityRow(rows, 'C', "XX", ui).has_value());
    EXPECT_EQ(ui.TraceText(), "");
}

class ToolBoxLookupTest : public ::testing::Test {
protected:
    void Add(const char* activity, const char* tracking, int32_t credit, bool flag4 = true)
    {
        TAbsence& record = doc.Absences[static_cast<size_t>(doc.AbsenceCount++)];
        record.Reset();
        record.AbsText1 = activity;
        record.AbsText2 = tracking;
        record.AbsText3 = std::string(activity) + " item";
        record.AbsValue3 = credit;
        record.AbsFlag4 = flag4;
    }

    ScheduleDocument doc;
};

TEST_F(ToolBoxLookupTest, UsesRecordsOnlyAndHandsOverTheirValues)
{
    Add("VAX", "VC", 200);
    Add("VAC", "VC", 170); // later record with the same code: never reached
    TAbsence& first = doc.Absences[0];
    first.AbsValue4 = 95;
    first.AbsFlag1 = true;
    first.AbsFlag2 = false;
    first.AbsFlag3 = false;

    auto info = LookupActivityCode(doc, "VC", s_silent);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->Activity, "VAX");
    EXPECT_EQ(info->Credit, 200);
    EXPECT_EQ(info->Value4, 95);
    EXPECT_TRUE(info->Duty);
    EXPECT_FALSE(info->Duty2);
    EXPECT_FALSE(info->Flag3);
    EXPECT_FALSE(info->Reserve);

    // A code only the built-in table knows is not found while records are loaded.
    EXPECT_FALSE(LookupActivityCode(doc, "LA", s_silent).has_value());
}

TEST_F(ToolBoxLookupTest, ReserveCodesDependOnCrewKindAndRtb)
{
    Add("RTB", "RB", 0);
    Add("RB ", "RB", 0); // shadowed by the RTB record
    Add("RTT", "RT", 0);
    Add("RC ", "RC", 0);

    struct Case {
        int crewKind;
        const char* code;
        bool reserve;
    };
    for (Case c : {Case{0, "RB", false}, Case{2, "RB", false}, Case{0, "RT", true},
                   Case{1, "RT", true}, Case{2, "RT", false}, Case{2, "RC", true}}) {
        doc.CrewKind = static_cast<int8_t>(c.crewKind);
        auto info = LookupActivityCode(doc, c.code, s_silent);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->Reserve, c.reserve) << c.crewKind << ' ' << c.code;
    }
}

TEST_F(ToolBoxLookupTest, RecordsBeyondTheCountAreIgnored)
{
    Add("ONE", "O1", 60);
    Add("TWO", "O2", 60);
    doc.AbsenceCount = 1;
    EXPECT_TRUE(LookupActivityCode(doc, "O1", s_silent).has_value());
    EXPECT_FALSE(LookupActivityCode(doc, "O2", s_silent).has_value());
    doc.AbsenceCount = 100000; // corrupt count: held to the table
    EXPECT_FALSE(LookupActivityCode(doc, "ZZ", s_silent).has_value());
}

TEST_F(ToolBoxLookupTest, ListedItemsAreTheBuiltInRowsOrTheOfferedRecords)
{
    doc.CrewKind = 2;
    auto items = ToolBoxActivityItems(doc);
    for (const auto& item : items)
        EXPECT_EQ(BuiltInActivityRows()[static_cast<size_t>(item.Index)][6], 'C');
    auto vacation = std::find_if(items.begin(), items.end(),
                                 [](const auto& item) { return item.Activity == "VAC"; });
    ASSERT_NE(vacation, items.end());
    EXPECT_EQ(vacation->TrackingCode, "VC");
    EXPECT_EQ(ToolBoxHeading(doc), "Default ToolBox");

    // Once a ToolBox is loaded, its records offered in the list.
    doc.ToolBoxDate = "15 Jan 2025";
    Add("VAC", "VC", 170);
    Add("HID", "HD", 0, false);
    Add("STA", "SA", 240);
    items = ToolBoxActivityItems(doc);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Activity, "VAC");
    EXPECT_EQ(items[1].Activity, "STA");
    EXPECT_EQ(items[1].Index, 2);
    EXPECT_EQ(ToolBoxHeading(doc), "ToolBox Date 15 Jan 2025");
}

} // namespace
} // namespace tl
