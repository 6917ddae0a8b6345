#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/history.h"
#include "storage/block_file.h"
#include "storage/file_copies.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tl {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using test::ScriptedInteraction;

class FileCopiesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
        doc.GroupName = "YVRDH8CA";
        doc.FileName = (dir.path() / "june.tl2").string();
        doc.CrewCount = 2;
        for (int c = 0; c < 2; ++c) {
            TPilot& p = doc.Crew[static_cast<size_t>(c)];
            p.Name = c == 0 ? "SMITH J" : "JONES K";
            p.Phone1 = "555-0100";
            p.BidText = "(1). OFF 10-12";
            p.DayLocked[3] = 1;
            p.DayLocked[45] = 1; // after the month
            p.DayFlag[4] = 2;
        }
        doc.ViewerText = "private note";
        AddTransaction(doc.History, 0, 0, 3, 1);
        doc.Modified = true;
    }

    // Loads a written file into a fresh document.
    std::unique_ptr<ScheduleDocument> Reload(const std::filesystem::path& path)
    {
        auto back = std::make_unique<ScheduleDocument>();
        back->FileName = path.string();
        ScriptedInteraction quiet;
        EXPECT_TRUE(LoadBlocks(*back, quiet));
        return back;
    }

    test::TempDir dir;
    ScriptedInteraction ui;
    ScheduleDocument doc;
};

TEST_F(FileCopiesTest, ViewerCopyLeavesOutPersonalDataAndTheMonthKeepsIt)
{
    ui.Script({Answer::No});
    std::optional<CopyResult> result = SaveForViewer(doc, kViewerFinal, ui);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Target, dir.path() / "Viewer" / "Final_june.tlv");
    EXPECT_FALSE(result->SendMail);
    EXPECT_THAT(ui.Dialogs(),
                ElementsAre("Tessara Lines: Viewer File Saved as " + result->Target.string() +
                            " without personal data.\nDo you want to e-mail the tlv file now."));

    auto copy = Reload(result->Target);
    EXPECT_EQ(copy->FileKind, kViewerFinal);
    EXPECT_EQ(copy->Crew[0].Name, "SMITH J");
    EXPECT_EQ(copy->Crew[0].Phone1, "");
    EXPECT_EQ(copy->Crew[1].BidText, "");
    EXPECT_EQ(copy->Crew[0].DayLocked[3], 0);
    EXPECT_EQ(copy->Crew[0].DayLocked[45], 1); // only the month's days are cleared
    EXPECT_EQ(copy->Crew[0].DayFlag[4], 0);
    EXPECT_EQ(copy->ViewerText, "");
    EXPECT_TRUE(copy->History.empty());

    // The scheduler's own file and month keep everything.
    auto own = Reload(doc.FileName);
    EXPECT_EQ(own->Crew[0].Phone1, "555-0100");
    EXPECT_EQ(own->History.size(), 1u);
    EXPECT_EQ(doc.Crew[1].BidText, "(1). OFF 10-12");
    EXPECT_EQ(doc.Crew[0].DayLocked[3], 1);
    EXPECT_EQ(doc.ViewerText, "private note");
    EXPECT_EQ(doc.History.size(), 1u);
    EXPECT_FALSE(doc.Modified);

    ui.Script({Answer::Yes, Answer::No});
    EXPECT_EQ(SaveForViewer(doc, kViewerPreRoster, ui)->Target.filename(), "PreBuild_june.tlv");
    EXPECT_EQ(SaveForViewer(doc, kViewerPreSchedule, ui)->Target.filename(), "Presked_june.tlv");
}

TEST_F(FileCopiesTest, CompanyCopyLeavesOutPersonalDataButKeepsTheViewerText)
{
    ui.Script({Answer::Yes});
    std::optional<CopyResult> result = FinalizeForCompany(doc, ui);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->SendMail);
    EXPECT_EQ(result->Target, dir.path() / "Company" / "june.tl2");
    EXPECT_THAT(ui.Dialogs().back(), ::testing::HasSubstr(
                                         " without personal data.\nDo you want to e-mail the tl2 file now."));
    auto copy = Reload(result->Target);
    EXPECT_EQ(copy->FileKind, kSchedulerFile);
    EXPECT_EQ(copy->Crew[0].DayLocked[45], 0);
    EXPECT_EQ(copy->Crew[0].Phone1, "");
    EXPECT_EQ(copy->Crew[1].BidText, "");
    EXPECT_EQ(copy->ViewerText, "private note");
    EXPECT_EQ(doc.Crew[0].Phone1, "555-0100");
    EXPECT_TRUE(copy->History.empty());
}

TEST_F(FileCopiesTest, BackupKeepsTheMonthModifiedAndUnnamedMonthsAreRefused)
{
    ASSERT_TRUE(BackupBlocks(doc, dir.path(), false, ui));
    EXPECT_TRUE(doc.Modified);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Backup june.tl2"));

    doc.Untitled = true;
    EXPECT_FALSE(SaveForViewer(doc, kViewerFinal, ui));
    EXPECT_FALSE(FinalizeForCompany(doc, ui));
    EXPECT_FALSE(BackupBlocks(doc, dir.path(), false, ui));
    const std::string unnamed = "File Error: File Must be Named First, Select Save As";
    EXPECT_THAT(ui.Dialogs(),
                ElementsAre(unnamed, unnamed,
                            "File Not Named: Cannot Backup File. Select Save As from File Menu"));
}

TEST(BackupTargetTest, NamesCarryTheDateWhenAskedFor)
{
    std::tm t{};
    t.tm_year = 2027 - 1900;
    t.tm_mon = 8;
    t.tm_mday = 7;
    t.tm_hour = 9;
    t.tm_min = 5;
    EXPECT_EQ(BackupTarget("/b", "/home/s/june.tl2", true, t),
              std::filesystem::path("/b/Backup Sept 7 2027 at 0905 june.tl2"));
    EXPECT_EQ(BackupTarget("/b", "/home/s/june.tl2", false, t),
              std::filesystem::path("/b/Backup june.tl2"));
}

TEST(TimedBackupPathTest, NoTwoMonthsShareABackupAndNoneIsItsOwn)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/home/s/june.tl2", "/home/s/june.BAK"},
        {"/home/s/JUNE.TL2", "/home/s/JUNE.BAK"},
        {"/home/s/june.tlv", "/home/s/june.tlv.BAK"},
        {"/home/s/x.BAK", "/home/s/x.BAK.BAK"},
        {"/home/s.v2/june", ""},
        {"/home/s/.tl2", ""},
    };
    for (const auto& [file, backup] : cases)
        EXPECT_EQ(TimedBackupPath(file), std::filesystem::path(backup)) << file;
}

TEST_F(FileCopiesTest, TimedBackupWritesEveryTwentiethTickOfABuiltModifiedMonth)
{
    doc.BuildState = 1;
    doc.DisplayState = 1;
    int written = 0;
    for (int tick = 0; tick < 40; ++tick)
        written += TimedBackupTick(doc, true, ui) ? 1 : 0;
    EXPECT_EQ(written, 2);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "june.BAK"));
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(ui.TraceText(), "BackupTimerTrigger\nSaveBlksBegin\nSaveBlksEnd\nBackupTimerFinish\n"
                              "BackupTimerTrigger\nSaveBlksBegin\nSaveBlksEnd\nBackupTimerFinish\n");

    // A file without an extension has no backup name: traced, nothing written.
    ui.Clear();
    doc.FileName = (dir.path() / "june").string();
    doc.BackupCountdown = 1;
    EXPECT_FALSE(TimedBackupTick(doc, true, ui));
    EXPECT_EQ(ui.TraceText(), "BackupTimerTrigger\nBackup Timer Failed FileData FileName data "
                              "missing\nBackupTimerFinish\n");
}

TEST_F(FileCopiesTest, TimedBackupWritesNothingWhenAnyConditionFails)
{
    const struct {
        const char* name;
        bool autoSave, untitled, modified;
        int buildState, displayState;
    } cases[] = {
        {"auto save off", false, false, true, 1, 1}, {"untitled", true, true, true, 1, 1},
        {"not modified", true, false, false, 1, 1},  {"not built", true, false, true, 0, 1},
        {"no month", true, false, true, 1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.Untitled = c.untitled;
        doc.Modified = c.modified;
        doc.BuildState = c.buildState;
        doc.DisplayState = c.displayState;
        for (int tick = 0; tick < 20; ++tick)
            EXPECT_FALSE(TimedBackupTick(doc, c.autoSave, ui));
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "june.BAK"));
        EXPECT_EQ(doc.BackupCountdown, 20); // restarted, or never counted
    }
}

} // namespace
} // namespace tl
