#include "rules/toolbox_drop.h"

#include "core/legality_month.h"
#include "model/activity_codes.h"
#include "rules/other_details.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

using test::LegalityMonth;
using Kind = ToolBoxItemRef::Kind;

int ActivityIndex(const ScheduleDocument& doc, std::string_view code)
{
    const auto items = ToolBoxActivityItems(doc);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Activity == code)
            return static_cast<int>(i);
    return -1;
}

// Crew 0 holds a two-day pairing from day 3 and VAC on day 10; crew 2 is an open line.
struct DropMonth : LegalityMonth {
    DropMonth() : LegalityMonth(0, 6, 2027, 3)
    {
        Put(0, AddPair(480, 2000, 2), 3);
        Other(0, 10, "VAC", 720, 240, false);
        Crew(2).EmpNumber = -1;
    }
};

TEST(ToolBoxDropTest, FreeDaysTakeItemsOtherDaysAreRefused)
{
    const struct {
        Kind kind;
        const char* code; // request code or activity
        int crew;
        int day;
        ToolBoxDropResult result;
    } cases[] = {
        {Kind::Request, "X3", 0, 6, ToolBoxDropResult::Done},
        {Kind::Request, "XM", 1, 0, ToolBoxDropResult::Done},
        {Kind::Activity, "VAC", 0, 6, ToolBoxDropResult::Done},
        {Kind::Activity, "RA ", 1, 29, ToolBoxDropResult::Done},
        {Kind::Activity, "VAC", 0, 3, ToolBoxDropResult::PairingDay},
        {Kind::Request, "X1", 0, 4, ToolBoxDropResult::PairingDay}, // second day of the pairing
        {Kind::Activity, "SIM", 0, 10, ToolBoxDropResult::OtherDay},
        {Kind::Request, "X1", 0, 10, ToolBoxDropResult::OtherDay},
        {Kind::Activity, "VAC", 2, 6, ToolBoxDropResult::OpenLine},
        {Kind::Activity, "VAC", 3, 6, ToolBoxDropResult::OutOfRange}, // past CrewCount
        {Kind::Activity, "VAC", 0, 62, ToolBoxDropResult::OutOfRange},
    };
    for (const auto& c : cases) {
        DropMonth m;
        SCOPED_TRACE(std::string(c.code) + " crew " + std::to_string(c.crew) + " day " +
                     std::to_string(c.day));
        int index = ActivityIndex(*m.doc, c.code);
        int8_t flag = 0;
        if (c.kind == Kind::Request) {
            for (const auto& r : ToolBoxRequestItems())
                if (r.Code == c.code)
                    flag = r.DayFlag;
            index = flag - 1; // X1..X9, XA, XP, XM in order
        }
        ASSERT_GE(index, 0);
        const TPilot before = m.Crew(std::min(c.crew, 2));
        EXPECT_EQ(ApplyToolBoxItem(*m.doc, m.ui, c.crew, c.day, {c.kind, index}), c.result);
        if (c.result != ToolBoxDropResult::Done) {
            const TPilot& after = m.Crew(std::min(c.crew, 2));
            EXPECT_EQ(after.DaySlot, before.DaySlot);
            EXPECT_EQ(after.DayFlag, before.DayFlag);
            EXPECT_FALSE(m.doc->Modified);
            // Refusals the scheduler caused are explained.
            EXPECT_EQ(m.ui.Events().size(), c.result == ToolBoxDropResult::OutOfRange ? 0u : 1u);
            continue;
        }
        EXPECT_TRUE(m.doc->Modified);
        const TPilot& crew = m.Crew(c.crew);
        const auto d = static_cast<size_t>(c.day);
        if (c.kind == Kind::Request) {
            EXPECT_EQ(crew.DayFlag[d], flag);
            EXPECT_EQ(crew.DaySlot[d], -1);
            // The same request again takes it off.
            EXPECT_EQ(ApplyToolBoxItem(*m.doc, m.ui, c.crew, c.day, {c.kind, index}),
                      ToolBoxDropResult::Cleared);
            EXPECT_EQ(crew.DayFlag[d], 0);
            continue;
        }
        EXPECT_EQ(crew.DaySlot[d], -2);
        EXPECT_EQ(crew.DayCode[d], c.code);
        const bool vac = std::string_view(c.code) == "VAC";
        EXPECT_EQ(crew.DayCode2[d], vac ? "VC" : "RA");
        // Built-in rows: 12:00 to 16:00, counted credit; pilot reserve A has no credit.
        const TPilot::SlotValues want = vac ? TPilot::SlotValues{720, 240, 170, 0, 0, 0, 0, 0, 0, 0}
                                            : TPilot::SlotValues{720, 240, 0, 0, 1, 1, 0, 1, 0, 0};
        EXPECT_EQ(crew.DayOther[d], want);
        EXPECT_EQ(crew.LegalityValid, 1); // checked again
    }
}

TEST(ToolBoxDropTest, LoadedToolBoxRecordGivesItsTimesAndNoReserveForRtb)
{
    DropMonth m;
    m.doc->AbsenceCount = 2;
    TAbsence& hidden = m.doc->Absences[0];
    hidden.AbsText1 = "XXX";
    hidden.AbsText2 = "RB";
    hidden.AbsFlag4 = false; // not offered: the window's first item is the next record
    TAbsence& rtb = m.doc->Absences[1];
    rtb.AbsText1 = "RTB";
    rtb.AbsText2 = "RB";
    rtb.AbsValue1 = 1320; // 22:00 to 06:00
    rtb.AbsValue2 = 360;
    rtb.AbsValue3 = 250;
    rtb.AbsFlag1 = true;
    rtb.AbsFlag3 = false;
    rtb.AbsFlag4 = true;
    ASSERT_EQ(ApplyToolBoxItem(*m.doc, m.ui, 1, 5, {Kind::Activity, 0}), ToolBoxDropResult::Done);
    EXPECT_EQ(m.Crew(1).DayCode[5], "RTB");
    EXPECT_EQ(m.Crew(1).DayOther[5], (TPilot::SlotValues{1320, 480, 250, 0, 0, 1, 1, 0, 0, 0}));
}

TEST(ToolBoxDropTest, PayloadRoundTripsAndForeignTextNamesNoItem)
{
    for (const ToolBoxItemRef item : {ToolBoxItemRef{Kind::Request, 11}, {Kind::Activity, 0}})
        EXPECT_EQ(DecodeToolBoxItem(EncodeToolBoxItem(item)), item);
    for (const char* text : {"", "request:", "request:-1", "activity:1x", "activity:99999",
                             "file:///etc/passwd", "request: 1"})
        EXPECT_FALSE(DecodeToolBoxItem(text)) << text;
}

TEST(OtherDetailsTest, TimesAreHoursColonMinutesWithinLimits)
{
    const struct {
        const char* text;
        int maxHours;
        int minutes;
    } cases[] = {{"7:05", 23, 425},   {" 07:05 ", 23, 425}, {"23:59", 23, 1439}, {"24:00", 23, -1},
                 {"24:00", 24, 1440}, {"24:01", 24, -1},    {"0:60", 24, -1},    {"7", 24, -1},
                 {"7:5", 24, -1},     {"123:00", 99, -1},   {"-1:00", 24, -1},   {"1:0x", 24, -1},
                 {"", 24, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseDetailsTime(c.text, c.maxHours), c.minutes) << c.text;
}

} // namespace
} // namespace tl
