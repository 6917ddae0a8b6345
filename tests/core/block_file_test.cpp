#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/objstream.h"
#include "support/scripted_interaction.h"
#include "support/stream_bytes.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace tl {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using test::ScriptedInteraction;
using test::StreamBytes;
using test::ReadAll;
using test::WriteAll;

// What a file holds besides its pairings and crew, and which version it is
// in; the builder below lays it out section by section, independently of
// the program's writer.
struct FileLayout {
    std::string kindName = "TessaraLines";
    std::string version = "29";
    std::string group = "YYZCRJFO";
    int days = 2;
    int startWeekday = 1;
    int32_t lastBasePair = -1;
    int32_t rule11 = 5400;
    std::string history = "0000";
    std::string filterWord0;
    std::string toolBoxDate;
    std::string viewerText;
    int absences = 0;
    std::string endText = "EndOfFile"; // empty: none written
    int pairCount = 0;
    int32_t crew = 0;
    StreamBytes records; // the pairings, then the crew
};

std::vector<uint8_t> BuildFile(const FileLayout& f)
{
    auto above = [&](const char* v) { return f.version > std::string(v); };
    StreamBytes b;
    b.Header().Text32(f.kindName + f.version).Text32(f.group);
    const int32_t rules[8] = {1, f.startWeekday, f.days, 4650, 4800, 4500, 10, 12};
    for (int32_t r : rules)
        b.I32(r);
    static const char* names[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    for (int d = 0; d < f.days; ++d) {
        int wd = (f.startWeekday + d) % 7;
        b.I32(1 + d).I32(2).I32(2027).Chars(names[wd]).U8(0).U32(wd == 0 || wd == 6 ? 1 : 0);
    }
    b.I32(f.crew).I32(f.pairCount - 1).Append(f.records.Bytes());
    const char month[6] = {'F', 'e', 'b', 0, 0, 0};
    const char year[6] = {'2', '0', '2', '7', 0, 0};
    for (int i = 0; i < 6; ++i)
        b.U8(static_cast<uint8_t>(month[i])).U8(static_cast<uint8_t>(year[i])).U8(0).U8(0);
    for (int d = 0; d < 31; ++d)
        b.I32(1 + d).I32(1).I32(2027);
    b.I32(2).I32(1).U32(1).I32(0);  // Month, BuildState, ViewFlag, SpareWord2
    b.U32(0).U32(0).U8(1);          // window flags, CrewKind
    b.Text32(f.history);
    if (above("2"))
        b.I32(f.lastBasePair);
    if (above("21")) {
        for (int i = 0; i < 10; ++i)
            b.U32(i == 3 ? 1 : 0);
        b.Text32("spare0").Text32("").Text32("").U32(1);
    }
    if (above("22")) {
        b.Text32(f.filterWord0);
        for (int i = 1; i < 20; ++i)
            b.Text32("");
    }
    if (above("23"))
        b.U32(1);
    if (above("25")) {
        b.I32(f.absences);
        for (int a = 0; a < f.absences; ++a)
            b.Text32("VAC").Text32("VA").Text32("Vacation").I32(0).I32(0).I32(240).I32(0)
                .U32(0).U32(0).U32(1).U32(1);
    }
    if (above("26"))
        b.Text32(f.toolBoxDate);
    if (above("27")) {
        const int32_t more[8] = {3420, 2820, 12, f.rule11, 0, 0, 0, 0};
        for (int32_t r : more)
            b.I32(r);
        b.Text32("");
    }
    if (above("28")) {
        b.Text32(f.viewerText);
        for (int i = 0; i < 20; ++i)
            b.Text32("");
    }
    if (!f.endText.empty())
        b.Text32(f.endText);
    return b.Bytes();
}

// The document BuildFile describes for version "29" with its defaults.
void FillLikeLayout(ScheduleDocument& doc, ScriptedInteraction& ui)
{
    ASSERT_TRUE(doc.SetMonth(ui, JulianDay(2, 1, 2027), JulianDay(2, 2, 2027)));
    doc.GroupName = "YYZCRJFO";
    doc.MonthRules[6] = 10;
    doc.MonthRules[7] = 12;
    doc.CrewKind = 1;
    doc.BuildState = 1;
    doc.SpareFlags[3] = true;
    doc.SpareTexts[0] = "spare0";
    doc.PendingFlag = true;
    doc.BidsWindowOpen = true;
    for (int d = 0; d < 31; ++d)
        doc.PrevDate[static_cast<size_t>(d)] = TDate{1 + d, 1, 2027};
}

class BlockFileTest : public ::testing::Test {
protected:
    std::filesystem::path Path(const char* name) const { return dir.path() / name; }
    // Files in the folder: a save leaves nothing beside its file.
    long FileCount() const
    {
        return std::distance(std::filesystem::directory_iterator(dir.path()), {});
    }

    // Loads `bytes` into a fresh document as the program opens a file.
    bool Load(const std::vector<uint8_t>& bytes, ScheduleDocument& doc)
    {
        std::filesystem::path path = Path("month.tl2");
        WriteAll(path, std::string(bytes.begin(), bytes.end()));
        doc.DeleteAll(ui);
        doc.FileName = path.string();
        ui.Clear();
        return LoadBlocks(doc, ui);
    }

    test::TempDir dir;
    ScriptedInteraction ui;
};

// 1 February 2027 is a Monday.
TEST_F(BlockFileTest, EmptyMonthOfEitherKindIsWrittenByteForByteAsLaidOut)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    EXPECT_EQ(BlockFileBytes(doc, kSchedulerFile), BuildFile(FileLayout{}));
    doc.ViewerText = "published";
    FileLayout layout;
    layout.kindName = "TLView_Final";
    layout.viewerText = "published";
    EXPECT_EQ(BlockFileBytes(doc, kViewerFinal), BuildFile(layout));
    ScheduleDocument back;
    ASSERT_TRUE(Load(BuildFile(layout), back));
    EXPECT_EQ(back.FileKind, 3);
    EXPECT_EQ(back.ViewerText, "published");
    EXPECT_THAT(ui.Dialogs(), IsEmpty());
}

// Pairings and crew follow their counts, framed as the record stream writes
// them (the records' own layout is checked with the records); a file with
// every section filled reads back and writes out unchanged.
TEST_F(BlockFileTest, RecordsFollowTheirCountsAndEverySectionSurvivesARoundTrip)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    doc.Pairs[0].PairNumber = 1234;
    doc.Pairs[0].OpsCount[0] = -2; // a held copy: stored positive
    doc.LastPair = 0;
    doc.LastBasePair = 0;
    doc.Crew[0].Name = "SMITH J";
    doc.Crew[0].DaySlot[3] = 0;
    doc.CrewCount = 1;
    ObjectWriter records;
    records.WriteObject(doc.Pairs[0]);
    records.WriteObject(doc.Crew[0]);

    FileLayout layout;
    layout.pairCount = 1;
    layout.crew = 1;
    layout.lastBasePair = 0;
    layout.records.Append(std::span(records.Data()).subspan(5));
    EXPECT_EQ(BlockFileBytes(doc, kSchedulerFile), BuildFile(layout));

    layout.history = "0001" "01000600120345";
    layout.filterWord0 = "YVR";
    layout.absences = 2;
    layout.toolBoxDate = "TB 2027";
    layout.viewerText = "for crew";
    ScheduleDocument back;
    ASSERT_TRUE(Load(BuildFile(layout), back));
    EXPECT_THAT(ui.Dialogs(), IsEmpty());
    // The progress window counts both records and is closed by the end.
    EXPECT_EQ(ui.Only(ScriptedInteraction::Kind::Progress).back().text, "Completed 2 of 2");
    EXPECT_EQ(ui.Events().back().kind, ScriptedInteraction::Kind::ProgressDone);
    EXPECT_EQ(back.Pairs[0].OpsCount[0], 2);
    EXPECT_EQ(back.Crew[0].Name, "SMITH J");
    back.BuildState = 1; // loading starts these three afresh
    back.PendingFlag = true;
    back.BidsWindowOpen = true;
    EXPECT_EQ(BlockFileBytes(back, kSchedulerFile), BuildFile(layout));
}

TEST_F(BlockFileTest, OlderVersionsLoadWithDefaultsForAbsentSections)
{
    const struct {
        const char* version;
        bool hasFilters, hasAbsences, hasViewerText;
        const char* end;
        bool warns;
    } cases[] = {
        {"2", false, false, false, "", false},
        {"21", false, false, false, "", false},
        {"25", true, false, false, "TessaraLines25", false},
        {"25", true, false, false, "EndOfFile", true},
        {"28", true, true, false, "EndOfFile", false},
        {"29", true, true, true, "EndOfFile", false},
        {"X1", true, true, true, "EndOfFile", false}, // a letter: the newest
    };
    for (const auto& v : cases) {
        SCOPED_TRACE(testing::Message() << v.version << ' ' << v.end);
        FileLayout layout;
        layout.version = v.version;
        layout.rule11 = 0;
        layout.filterWord0 = "YVR";
        layout.absences = 2;
        layout.toolBoxDate = "TB 2027";
        layout.viewerText = "for crew";
        layout.endText = v.end;

        ScheduleDocument doc;
        doc.FilterWords[0] = "left over";
        ASSERT_TRUE(Load(BuildFile(layout), doc));
        EXPECT_EQ(ui.Dialogs().size(), v.warns ? 1u : 0u); // see the truncated file for the text
        EXPECT_EQ(doc.GroupName, "YYZCRJFO");
        EXPECT_EQ(doc.DaysInMonth, 2);
        EXPECT_EQ(doc.DayDate[2], (TDate{3, 2, 2027})); // slots after the month follow on
        EXPECT_EQ(doc.Month, 2);
        EXPECT_EQ(doc.BuildState, 0);        // built anew after loading
        EXPECT_FALSE(doc.PendingFlag);       // always cleared
        EXPECT_EQ(doc.MonthRules[11], 5400); // 0 in the file, or absent
        EXPECT_EQ(doc.LastBasePair, -1);
        EXPECT_EQ(doc.FilterWords[0], v.hasFilters ? "YVR" : "");
        EXPECT_EQ(doc.SpareTexts[0], v.hasFilters ? "spare0" : "");
        EXPECT_EQ(doc.AbsenceCount, v.hasAbsences ? 2 : 0);
        EXPECT_EQ(doc.Absences[1].AbsValue3, v.hasAbsences ? 240 : 0);
        EXPECT_EQ(doc.ViewerText, v.hasViewerText ? "for crew" : "");
        EXPECT_EQ(doc.DisplayState, 1);
        EXPECT_FALSE(doc.Modified);
    }
}

TEST_F(BlockFileTest, TruncatedFileKeepsWhatItReadAndWarns)
{
    std::vector<uint8_t> bytes = BuildFile(FileLayout{});
    bytes.resize(bytes.size() - 20);
    ScheduleDocument doc;
    ASSERT_TRUE(Load(bytes, doc));
    EXPECT_THAT(ui.Dialogs(), ElementsAre("Tessara Lines: This file may be currupt. No End Of File "
                                          "found. Consider loading Backup File"));
    EXPECT_EQ(doc.DaysInMonth, 2);
}

TEST_F(BlockFileTest, ForeignOrMissingFileIsRefused)
{
    ScheduleDocument doc;
    StreamBytes b;
    b.Header().Text32("SomethingElse29").Text32("YYZCRJFO");
    ASSERT_FALSE(Load(b.Bytes(), doc));
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0], "This is Not a Valid Tessara Lines 2 File.: " + doc.FileName);
    EXPECT_EQ(doc.GroupName, "");

    ui.Clear();
    ASSERT_FALSE(Load({'h', 'e', 'l', 'l', 'o'}, doc));
    EXPECT_EQ(ui.Dialogs().size(), 1u);

    ui.Clear();
    doc.FileName = (dir.path() / "nowhere.tl2").string();
    EXPECT_FALSE(LoadBlocks(doc, ui));
    EXPECT_THAT(ui.Dialogs(), ElementsAre("Tessara Lines - Cannot Open File: " + doc.FileName));
}

TEST_F(BlockFileTest, CountsBeyondTheTablesAreRefusedAndTheDocumentCleared)
{
    const struct {
        int days;
        int32_t lastPair, crew;
    } cases[] = {
        {2, 3001, 0}, {2, -5, 0}, {2, -1, 1001}, {2, -1, -1}, {32, -1, 0}, {0, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.days << ' ' << c.lastPair << ' ' << c.crew);
        FileLayout layout;
        layout.days = c.days;
        layout.pairCount = c.lastPair + 1;
        layout.crew = c.crew;
        ScheduleDocument doc;
        EXPECT_FALSE(Load(BuildFile(layout), doc));
        ASSERT_EQ(ui.Only(ScriptedInteraction::Kind::Message).size(), 1u);
        EXPECT_EQ(doc.GroupName, "");
        EXPECT_EQ(doc.DaysInMonth, 0);
        EXPECT_EQ(doc.LastPair, -1);
        EXPECT_EQ(doc.CrewCount, 0);
    }
}

TEST_F(BlockFileTest, SaveWritesTheFileAndClearsModified)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    doc.Modified = true;
    ASSERT_TRUE(SaveBlocks(doc, Path("feb.tl2"), kSchedulerFile, ui));
    EXPECT_FALSE(doc.Modified);
    std::vector<uint8_t> expected = BlockFileBytes(doc, kSchedulerFile);
    EXPECT_EQ(ReadAll(Path("feb.tl2")), std::string(expected.begin(), expected.end()));
    EXPECT_EQ(ui.TraceText(), "SaveBlksBegin\nSaveBlksEnd\n");
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(BlockFileTest, SavingThroughALinkWritesTheFileItPointsTo)
{
    namespace fs = std::filesystem;
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    fs::create_directory(Path("real"));
    WriteAll(Path("real") / "feb.tl2", "old");
    fs::create_symlink(fs::path("real") / "feb.tl2", Path("feb.tl2")); // relative link
    fs::create_symlink(Path("feb.tl2"), Path("again.tl2"));           // a link to the link
    for (const char* name : {"feb.tl2", "again.tl2"}) {
        ASSERT_TRUE(SaveBlocks(doc, Path(name), kSchedulerFile, ui));
        EXPECT_TRUE(fs::is_symlink(Path(name)));
    }
    std::vector<uint8_t> expected = BlockFileBytes(doc, kSchedulerFile);
    EXPECT_EQ(ReadAll(Path("real") / "feb.tl2"), std::string(expected.begin(), expected.end()));
}

TEST_F(BlockFileTest, ReadOnlyFileOrMissingFolderIsNotWritten)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    std::filesystem::path path = Path("locked.tl2");
    WriteAll(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    doc.Modified = true;
    EXPECT_FALSE(SaveBlocks(doc, path, kSchedulerFile, ui));
    EXPECT_THAT(ui.Dialogs(),
                ElementsAre("File Error: Unable to create file. File may be Read Only or In use by "
                            "Another Application. Use Save As to Save as a new name"));
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(ReadAll(path), "old");

    ui.Clear();
    EXPECT_FALSE(SaveBlocks(doc, Path("missing") / "x.tl2", kSchedulerFile, ui));
    EXPECT_EQ(ui.Dialogs().size(), 1u);
}

TEST_F(BlockFileTest, FailedWriteKeepsTheOldFileIntact)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    doc.Crew[0].Name = "SMITH J";
    doc.CrewCount = 1;
    std::filesystem::path path = Path("june.tl2");
    WriteAll(path, "good");

    // A file size limit makes the write fail part-way, as a full disk would.
    struct rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    doc.Modified = true;
    bool saved = SaveBlocks(doc, path, kSchedulerFile, ui);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_THAT(ui.Dialogs(), ElementsAre("File Error: Error Saving File. Disk may be Full. Try "
                                          "Saving to Another Location "));
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(ReadAll(path), "good");
    EXPECT_EQ(FileCount(), 1);
}

} // namespace
} // namespace tl
