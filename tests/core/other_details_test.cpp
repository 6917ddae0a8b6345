#include "rules/other_details.h"

#include "core/legality_month.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

// Last month's entries are edited through the same form as this month's
// other assignments, on days -31 to -1.
TEST(OtherDetailsTest, LastMonthEntryReadsAndWritesItsCarriedValues)
{
    test::LegalityMonth m(0, 6, 2027, 1);
    TPilot& crew = m.Crew(0);
    crew.DayText[30] = "SBY"; // 31 May
    crew.DayCarry[30] = {0, 0, 600, 840, 240, 0, 2, 0, 1, 0};
    crew.DayText[29] = "V8101"; // a pairing's start: not an entry of its own

    const auto form = ReadOtherDetails(*m.doc, 0, -1);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->Date, "31 MAY 2027");
    EXPECT_EQ(OtherDetailsCaption(*m.doc, 0, -1), "SBY Assignment Details");
    EXPECT_EQ(form->Start, "10:00");
    EXPECT_EQ(form->AtWork, "14:00");
    EXPECT_TRUE(form->Reserve);
    EXPECT_FALSE(form->ContainsDuty);
    EXPECT_TRUE(form->CarsDuty);
    for (int day : {-2, -32, -3})
        EXPECT_FALSE(ReadOtherDetails(*m.doc, 0, day)) << day;

    OtherDetailsForm edited = *form;
    edited.Code = "dh";
    edited.Start = "8:30";
    edited.Reserve = false;
    edited.ContainsDuty = true;
    edited.HardTime = "25:00";
    EXPECT_FALSE(ApplyOtherDetails(*m.doc, m.ui, 0, -1, edited));
    EXPECT_EQ(crew.DayCarry[30][2], 600);
    edited.HardTime = "2:00";
    ASSERT_TRUE(ApplyOtherDetails(*m.doc, m.ui, 0, -1, edited));
    EXPECT_EQ(crew.DayText[30], "DH");
    EXPECT_EQ(crew.DayCarry[30], (TPilot::SlotValues{0, 0, 510, 840, 240, 120, 1, 0, 1, 0}));
    EXPECT_TRUE(m.doc->Modified);
}

} // namespace
} // namespace tl
