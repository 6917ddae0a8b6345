#include "import/toolbox_file.h"
#include "model/activity_codes.h"
#include "model/schedule_document.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace tl {
namespace {

SilentInteraction s_silent;

using test::ScriptedInteraction;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// What a lookup gives: activity, credit, then D or - for the duty, second
// duty and reserve; "none" when nothing is found.
std::string Found(const std::optional<ActivityCodeInfo>& info)
{
    if (!info)
        return "none";
    std::string flags;
    for (bool flag : {info->Duty, info->Duty2, info->Reserve})
        flags += flag ? 'D' : '-';
    return info->Activity + " " + std::to_string(info->Credit) + " " + flags;
}

TEST(BuiltInLookupTest, FindsTheFirstRowOfTheCrewType)
{
    const struct {
        int crewKind;
        const char *code, *found;
    } cases[] = {
        // clang-format off
        {0, "LC", "LCK 318 ---"}, // LCK comes before LPC, which shares the tracking code
        {2, "RA", "RA  240 D-D"}, {0, "RA", "RA  0 DDD"}, {1, "RB", "RB  0 DDD"}, {1, "RK", "RCK 0 DD-"},
        {2, "CM", "CRM 240 D--"}, // cabin rows never set the second duty, whatever column 43 says
        {0, "RE", "none"}, {2, "CT", "none"}, {0, "H9", "none"}, {0, "ra", "none"}, {0, "", "none"},
        // clang-format on
    };
    auto doc = std::make_unique<ScheduleDocument>();
    for (const auto& c : cases) {
        doc->CrewKind = static_cast<int8_t>(c.crewKind);
        ScriptedInteraction ui;
        EXPECT_EQ(Found(LookupActivityCode(*doc, c.code, ui)), c.found) << c.crewKind << c.code;
        EXPECT_EQ(ui.TraceText(), "");
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
    EXPECT_EQ(Found(LookupActivityRow(rows, 'P', "XX", ui)), "RA  240 D-D");
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
        std::tie(record.AbsText1, record.AbsText2, record.AbsText3, record.AbsValue3,
                 record.AbsFlag4) =
            std::tuple(activity, tracking, std::string(activity) + " item", credit, flag4);
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

    const auto info = LookupActivityCode(doc, "VC", s_silent);
    EXPECT_EQ(Found(info), "VAX 200 D--");
    EXPECT_EQ(info->Value4, 95);
    EXPECT_FALSE(info->Flag3);

    // A code only the built-in table knows is not found while records are
    // loaded, nor is a record past the count, however large the count is.
    EXPECT_FALSE(LookupActivityCode(doc, "LA", s_silent).has_value());
    Add("ONE", "O1", 60);
    doc.AbsenceCount = 2;
    EXPECT_FALSE(LookupActivityCode(doc, "O1", s_silent).has_value());
    doc.AbsenceCount = 100000;
    EXPECT_FALSE(LookupActivityCode(doc, "ZZ", s_silent).has_value());
}

TEST_F(ToolBoxLookupTest, ReserveCodesDependOnCrewKindAndRtb)
{
    Add("RTB", "RB", 0);
    Add("RB ", "RB", 0); // shadowed by the RTB record
    Add("RTT", "RT", 0);
    Add("RC ", "RC", 0);

    const struct {
        int crewKind;
        const char* code;
        bool reserve;
    } cases[] = {{0, "RB", false}, {2, "RB", false}, {0, "RT", true},
                 {1, "RT", true},  {2, "RT", false}, {2, "RC", true}};
    for (const auto& c : cases) {
        doc.CrewKind = static_cast<int8_t>(c.crewKind);
        auto info = LookupActivityCode(doc, c.code, s_silent);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->Reserve, c.reserve) << c.crewKind << ' ' << c.code;
    }
}

TEST_F(ToolBoxLookupTest, ListedItemsAreTheBuiltInRowsOrTheOfferedRecords)
{
    doc.CrewKind = kFlightAttendants;
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

struct Item {
    std::string code;
    std::string type; // "Pilot" or "Cabin"
    std::string tracking;
    std::string start = "08:00";
    std::string end = "16:00";
    std::string credit = "4:00";
    std::string second = "0:00";
    std::string flags = "YNYY";
};

// The count line is the number of items unless `count` says otherwise.
std::string ToolBoxText(const std::vector<Item>& items, const std::string& count = "",
                        const char* eol = "\n")
{
    std::string text;
    auto lines = [&](std::initializer_list<std::string> texts) {
        for (const std::string& s : texts)
            text += s + eol;
    };
    lines({"TLToolBox", "Version 2", "2025-01-15", "",
           count.empty() ? std::to_string(items.size()) : count});
    for (const Item& item : items) {
        lines({item.code, item.type, item.tracking, item.code + " description", item.start,
               item.end, item.credit, item.second});
        for (char flag : item.flags)
            lines({std::string(1, flag)});
        lines({"-"});
    }
    return text;
}

std::vector<std::string> Codes(const ScheduleDocument& doc)
{
    std::vector<std::string> codes;
    for (int i = 0; i < doc.AbsenceCount; ++i)
        codes.push_back(doc.Absences[static_cast<size_t>(i)].AbsText1);
    return codes;
}

const std::vector<Item> kMixed = {
    {"VAC", "Pilot", "VC"}, {"VAC", "Cabin", "VC"}, {"RA ", "Pilot", "RA"},
    {"STA", "Cabin", "SA"}, {"RTB", "Pilot", "RB"},
};

class ToolBoxFileTest : public ::testing::Test {
protected:
    ScheduleDocument doc;
    ScriptedInteraction ui;
};

TEST_F(ToolBoxFileTest, KeepsOnlyRecordsOfTheGroupsCrewType)
{
    doc.CrewKind = kCaptains;
    EXPECT_TRUE(ParseToolBoxText(ToolBoxText(kMixed), doc, ui));
    EXPECT_THAT(ui.Dialogs(), IsEmpty());
    EXPECT_EQ(doc.AbsenceCount, 3);
    EXPECT_THAT(Codes(doc), ElementsAre("VAC", "RA ", "RTB"));
    EXPECT_EQ(doc.ToolBoxDate, "2025-01-15");

    doc.CrewKind = kFlightAttendants;
    EXPECT_TRUE(ParseToolBoxText(ToolBoxText(kMixed), doc, ui));
    EXPECT_THAT(Codes(doc), ElementsAre("VAC", "STA"));
    EXPECT_EQ(doc.Absences[1].AbsText2, "SA");

    // A later ToolBox replaces the earlier one whole.
    std::string second = ToolBoxText({{"GO ", "Cabin", "GO"}});
    second.replace(second.find("2025-01-15"), 10, "2025-02-01");
    ASSERT_TRUE(ParseToolBoxText(second, doc, ui));
    EXPECT_THAT(Codes(doc), ElementsAre("GO "));
    EXPECT_EQ(doc.ToolBoxDate, "2025-02-01");
    EXPECT_FALSE(LookupActivityCode(doc, "SA", s_silent).has_value());
}

// A flag is set by exactly "Y": not by "y", nor by "Y " with a trailing blank.
TEST_F(ToolBoxFileTest, ReadsEveryFieldOfARecord)
{
    Item item{"LCK", "Pilot", "LC", "07:30", "23:59", "5:18", "150:00", "yYYY"};
    std::string text = ToolBoxText({item}, "", "\r\n");
    text.replace(text.rfind("Y\r\nY\r\n-"), 3, "Y \r\n");
    ASSERT_TRUE(ParseToolBoxText(text, doc, ui));
    ASSERT_EQ(doc.AbsenceCount, 1);
    EXPECT_EQ(doc.Absences[0], (TAbsence{"LCK", "LC", "LCK description", 450, 1439, 318, 9000,
                                         false, true, false, true}));

    // A long line is cut, and the lines after it are still in step.
    text = ToolBoxText({item});
    text.replace(text.find("LCK description"), 3, std::string(100000, 'D'));
    ASSERT_TRUE(ParseToolBoxText(text, doc, ui));
    EXPECT_EQ(doc.Absences[0].AbsText3, std::string(256, 'D'));
    EXPECT_EQ(doc.Absences[0].AbsValue1, 450);
}

// A bad file is reported, and the built-in codes serve again.
TEST(ToolBoxBadFileTest, ShowsTheMessageAndFallsBackToBuiltIn)
{
    const std::string notValid =
        "Not a Valid ToolBox. Using default ToolBox. Import new ToolBox File.";
    const std::string corrupt = "Error Loading Absences. File may be Currupt";
    const std::string noAbsences = "No Absences to Load from File";
    const struct {
        const char* name;
        std::string text, message;
        bool keepsDate;
    } cases[] = {
        // clang-format off
        {"empty", "", notValid, true},
        {"wrong case", "TLToolbox\nx\n2025\nx\n1\n", notValid, true},
        {"header only", "TLToolBox", corrupt, false},
        {"record cut", ToolBoxText(kMixed).substr(0, ToolBoxText(kMixed).find("RA  desc")), corrupt, false},
        {"fewer records than count", ToolBoxText(kMixed, "6"), corrupt, false},
        {"negative count", ToolBoxText(kMixed, "-3"), noAbsences, true},
        {"count not a number", "TLToolBox\nx\nd\nx\nfive\n", noAbsences, true},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScheduleDocument doc;
        ScriptedInteraction ui;
        ASSERT_TRUE(ParseToolBoxText(ToolBoxText(kMixed), doc, ui));
        EXPECT_FALSE(ParseToolBoxText(c.text, doc, ui));
        EXPECT_THAT(ui.Dialogs(), ElementsAre("Tessara Lines: " + c.message));
        EXPECT_EQ(doc.AbsenceCount, 0);
        EXPECT_EQ(doc.ToolBoxDate.empty(), !c.keepsDate);
        EXPECT_EQ(ToolBoxHeading(doc), "Default ToolBox");
    }
}

TEST_F(ToolBoxFileTest, StopsAtTheTableCapacity)
{
    std::vector<Item> items(ScheduleDocument::kAbsenceCapacity + 5, Item{"OFF", "Pilot", "OF"});
    items.front().code = "ONE";
    ASSERT_TRUE(ParseToolBoxText(ToolBoxText(items), doc, ui));
    EXPECT_EQ(doc.AbsenceCount, ScheduleDocument::kAbsenceCapacity);
    EXPECT_EQ(doc.Absences[0].AbsText1, "ONE");
    EXPECT_THAT(ui.Dialogs(),
                ElementsAre("Tessara Lines: Maximum Number of ToolBox Items Reached. Not all Items "
                            "Loaded"));

    // Nothing of this group left out: nothing to say, even with a record of
    // the other crew type or a cut record after the last kept one.
    items.resize(ScheduleDocument::kAbsenceCapacity);
    std::vector<Item> withCabin = items;
    withCabin.push_back({"VAC", "Cabin", "VC"});
    for (const std::string& text :
         {ToolBoxText(items), ToolBoxText(withCabin), ToolBoxText(items, "301") + "VAC\nPilot\n"}) {
        ui.Clear();
        ASSERT_TRUE(ParseToolBoxText(text, doc, ui));
        EXPECT_EQ(doc.AbsenceCount, ScheduleDocument::kAbsenceCapacity);
        EXPECT_THAT(ui.Dialogs(), IsEmpty());
    }
}

TEST_F(ToolBoxFileTest, ItemWithATimeThatDoesNotReadIsRefused)
{
    // Start and end are clock times, credit and the second value durations.
    Item badStart{"CLK", "Pilot", "CK"};
    badStart.start = "24:00";
    Item badCredit{"DUR", "Pilot", "DU"};
    badCredit.credit = "8:75";
    ASSERT_TRUE(
        ParseToolBoxText(ToolBoxText({badStart, {"VAC", "Pilot", "VC"}, badCredit}), doc, ui));
    EXPECT_THAT(Codes(doc), ElementsAre("VAC"));
    EXPECT_THAT(
        ui.ListLines("ToolBox Items Not Loaded"),
        ElementsAre("ToolBox Item CLK Not Loaded: Start Time \"24:00\" is Not a Valid Clock Time",
                    "ToolBox Item DUR Not Loaded: Credit \"8:75\" is Not a Valid Duration"));
    EXPECT_FALSE(LookupActivityCode(doc, "DU", s_silent).has_value());
}

TEST_F(ToolBoxFileTest, LoadsFromAFileOrSaysItCannot)
{
    test::TempDir dir;
    auto path = dir.path() / "tlbox.txt";
    // With and without an editor's byte-order mark before the first record.
    for (const char* mark : {"", "\xEF\xBB\xBF"}) {
        test::WriteAll(path, mark + ToolBoxText(kMixed));
        doc.AbsenceCount = 0;
        EXPECT_TRUE(LoadToolBox(path, doc, ui));
        EXPECT_EQ(doc.AbsenceCount, 3);
        EXPECT_THAT(ui.Dialogs(), IsEmpty());
    }

    EXPECT_FALSE(LoadToolBox(dir.path(), doc, ui));
    EXPECT_EQ(doc.AbsenceCount, 3); // an unreadable file changes nothing
}

} // namespace
} // namespace tl
