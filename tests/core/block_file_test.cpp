#include "actions/file_copies.h"
#include "actions/open_month.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/history.h"
#include "storage/block_file.h"
#include "storage/month_lock.h"
#include "storage/record_stream.h"
#include "support/case_name.h"
#include "support/scripted_interaction.h"
#include "support/stream_bytes.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <tuple>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tl {
namespace {

using test::ReadAll;
using test::ScriptedInteraction;
using test::StreamBytes;
using test::WriteAll;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

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
    b.I32(2).I32(1).U32(1).I32(0); // Month, BuildState, ViewFlag, SpareWord2
    b.U32(0).U32(0).U8(1);         // window flags, CrewKind
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
        for (int a = 0; a < f.absences; ++a) {
            b.Text32("VAC").Text32("VA").Text32("Vacation").I32(0).I32(0).I32(240).I32(0);
            b.U32(0).U32(0).U32(1).U32(1);
        }
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
    std::tie(doc.GroupName, doc.MonthRules[MonthRule::BlockHolderDaysOff],
             doc.MonthRules[MonthRule::ReserveDaysOff], doc.CrewKind, doc.BuildState) =
        std::tuple("YYZCRJFO", 10, 12, kFirstOfficers, 1);
    doc.SpareFlags[3] = doc.PendingFlag = doc.BidsWindowOpen = true;
    doc.SpareTexts[0] = "spare0";
    for (int d = 0; d < 31; ++d)
        doc.PrevDate[static_cast<size_t>(d)] = TDate{1 + d, 1, 2027};
}

const std::string readOnly = "File Error: Unable to create file. File may be Read Only or In use "
                             "by Another Application. Use Save As to Save as a new name";

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
}

// Pairings and crew follow their counts, framed as the record stream writes
// them (the records' own layout is checked with the records); a file with
// every section filled reads back and writes out unchanged.
TEST_F(BlockFileTest, RecordsFollowTheirCountsAndEverySectionSurvivesARoundTrip)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    doc.Pairs[0].PairNumber = 1234;
    doc.Pairs[0].OpsCount[0] = kOpsAssignedFlagged; // a held copy: stored positive
    doc.LastPair = 0;
    doc.LastBasePair = 0;
    doc.Crew[0].Name = "SMITH J";
    doc.Crew[0].DaySlot[3] = 0;
    doc.CrewCount = 1;
    ObjectWriter records;
    WriteRecord(records, doc.Pairs[0]);
    WriteRecord(records, doc.Crew[0]);

    FileLayout layout;
    layout.pairCount = 1;
    layout.crew = 1;
    layout.lastBasePair = 0;
    layout.records.Append(std::span(records.Data()).subspan(5));
    EXPECT_EQ(BlockFileBytes(doc, kSchedulerFile), BuildFile(layout));

    layout.history = "0001"
                     "01000600120345";
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
    EXPECT_THAT(ui.TraceText(), HasSubstr("LoadBlksLoadPairs\nPairing 1234 Loaded\n"
                                          "LoadBlksLoadEmployees\nEmployee SMITH J Loaded\n"
                                          "LoadMonthDataBegin\n"));
    EXPECT_EQ(back.Pairs[0].OpsCount[0], 2);
    EXPECT_EQ(back.Crew[0].Name, "SMITH J");
    back.BuildState = 1; // loading starts these three afresh
    back.PendingFlag = true;
    back.BidsWindowOpen = true;
    EXPECT_EQ(BlockFileBytes(back, kSchedulerFile), BuildFile(layout));
}

// A month of megabytes is read a piece at a time while it is parsed: records
// and texts that straddle the pieces, a text longer than a piece, and slot
// texts of every length read back whole, and the whole file is kept for the
// check before saving.
TEST_F(BlockFileTest, AMonthLargerThanAReadComesBackWhole)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    doc.LastPair = doc.LastBasePair = 2;
    doc.Pairs[1].PairText = std::string(600 * 1024, 'P');
    doc.CrewCount = 400;
    for (size_t c = 0; c < 400; ++c) {
        TPilot& pilot = doc.Crew[c];
        pilot.Name = "CREW " + std::to_string(c);
        for (size_t s = 0; s < TPilot::kSlots; ++s) {
            pilot.DayCode[s] = std::string((c + s) % 20, 'C');
            pilot.DayText[s] = std::string((c * 7 + s) % 40, 'T');
            pilot.DayCarry[s].fill(static_cast<int32_t>(c * 100 + s));
        }
    }
    const std::vector<uint8_t> bytes = BlockFileBytes(doc, kSchedulerFile);
    ASSERT_GT(bytes.size(), 3u * 1024 * 1024);
    ScheduleDocument back;
    ASSERT_TRUE(Load(bytes, back));
    EXPECT_THAT(ui.Dialogs(), IsEmpty());
    EXPECT_FALSE(back.FileIncomplete);
    EXPECT_EQ(back.OnDisk.Size, bytes.size());
    EXPECT_TRUE(SameOnDisk(Path("month.tl2"), back.OnDisk));
    back.BuildState = 1;
    back.PendingFlag = true;
    back.BidsWindowOpen = true;
    EXPECT_EQ(BlockFileBytes(back, kSchedulerFile), bytes);
}

// A month of 131 records tells the window at every second record (two
// percent) and at the last one, and at nothing in between.
TEST_F(BlockFileTest, OpeningTellsTheWindowEveryTwoPercentOfTheRecords)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    doc.LastPair = doc.LastBasePair = 100;
    doc.CrewCount = 30;
    ScheduleDocument back;
    ASSERT_TRUE(Load(BlockFileBytes(doc, kSchedulerFile), back));
    std::vector<std::string> expected{"Completed 0 of 131"};
    for (int read = 2; read <= 130; read += 2)
        expected.push_back("Completed " + std::to_string(read) + " of 131");
    expected.push_back("Completed 131 of 131");
    std::vector<std::string> shown;
    for (const auto& e : ui.Only(ScriptedInteraction::Kind::Progress))
        shown.push_back(e.text);
    EXPECT_EQ(shown, expected);
}

// Sections a version lacks take their defaults; a file without its end
// marker, or cut short, keeps what it read and warns.
struct VersionCase {
    const char* name;
    const char* version;
    bool hasFilters, hasAbsences, hasViewerText;
    const char* end;
    bool warns;
    size_t cut = 0;
};

class BlockFileVersionTest : public BlockFileTest,
                             public ::testing::WithParamInterface<VersionCase> {};

TEST_P(BlockFileVersionTest, LoadsWithDefaultsForAbsentSections)
{
    const VersionCase& v = GetParam();
    const std::string corrupt = "Tessara Lines: This file may be currupt. No End Of File found. "
                                "Consider loading Backup File";
    FileLayout layout;
    layout.version = v.version;
    layout.rule11 = 0;
    layout.filterWord0 = "YVR";
    layout.absences = 2;
    layout.toolBoxDate = "TB 2027";
    layout.viewerText = "for crew";
    layout.endText = v.end;
    std::vector<uint8_t> bytes = BuildFile(layout);
    bytes.resize(bytes.size() - v.cut);

    ScheduleDocument doc;
    doc.FilterWords[0] = "left over";
    ASSERT_TRUE(Load(bytes, doc));
    EXPECT_EQ(ui.Dialogs(),
              v.warns ? std::vector<std::string>{corrupt} : std::vector<std::string>{});
    EXPECT_EQ(doc.GroupName, "YYZCRJFO");
    EXPECT_EQ(doc.DayDate[2], (TDate{3, 2, 2027})); // slots after the month follow on
    // Built anew after loading, nothing pending; rule 11 is 0 in the file or absent.
    EXPECT_EQ((std::vector<int>{doc.DaysInMonth, doc.Month, doc.BuildState, doc.PendingFlag,
                                doc.MonthRules[MonthRule::CheckPilotMaxCredit], doc.LastBasePair,
                                doc.DisplayState, doc.Modified}),
              (std::vector<int>{2, 2, 0, 0, 5400, -1, 1, 0}));
    EXPECT_EQ((std::vector<std::string>{doc.FilterWords[0], doc.SpareTexts[0], doc.ViewerText}),
              (std::vector<std::string>{v.hasFilters ? "YVR" : "", v.hasFilters ? "spare0" : "",
                                        v.hasViewerText ? "for crew" : ""}));
    EXPECT_EQ(doc.AbsenceCount, v.hasAbsences ? 2 : 0);
    EXPECT_EQ(doc.Absences[1].AbsValue3, v.hasAbsences ? 240 : 0);
}

const VersionCase kVersionCases[] = {
    {"2", "2", false, false, false, "", false},
    {"21", "21", false, false, false, "", false},
    {"25 ending in its name", "25", true, false, false, "TessaraLines25", false},
    {"25 ending in EndOfFile", "25", true, false, false, "EndOfFile", true},
    {"28", "28", true, true, false, "EndOfFile", false},
    {"29", "29", true, true, true, "EndOfFile", false},
    {"29 cut inside the last texts", "29", true, true, true, "EndOfFile", true, 20},
    {"X1 a letter is the newest", "X1", true, true, true, "EndOfFile", false},
};

INSTANTIATE_TEST_SUITE_P(BlockFile, BlockFileVersionTest, ::testing::ValuesIn(kVersionCases),
                         test::ByName());

// Opening tells whether the month is whole and what kind of file it is;
// only a whole scheduler file may be written back, and a month that is not
// whole never replaces the timed backup.
struct OpeningCase {
    const char* header;
    const char* end;
    bool opened, endCheckFailed, newer;
    int kind;
};

class BlockFileOpeningTest : public BlockFileTest,
                             public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(BlockFileOpeningTest, SaysWhetherTheMonthIsWholeAndWritable)
{
    const OpeningCase& c = GetParam();
    const std::string newer = "Tessara Lines: This file was written by a newer version of Tessara "
                              "Lines. What this version does not know was not read.";
    FileLayout layout;
    layout.kindName = std::string(c.header).substr(0, 12);
    layout.version = std::string(c.header).substr(12);
    layout.endText = c.end;
    const std::vector<uint8_t> bytes = BuildFile(layout);
    WriteAll(Path("month.tl2"), std::string(bytes.begin(), bytes.end()));
    WriteAll(Path("month.BAK"), "the good backup");
    ui.Clear();

    ScheduleDocument doc;
    const OpenedMonth opened = OpenMonthFile(doc, Path("month.tl2").string(), ui);
    const bool whole = c.opened && !c.endCheckFailed && !c.newer;
    EXPECT_EQ(
        (std::vector<bool>{opened.Opened, opened.EndCheckFailed, opened.NewerVersion,
                           opened.BuildStopped, opened.Whole(), opened.Build.Built,
                           NotWholeReason(opened).empty()}),
        (std::vector<bool>{c.opened, c.endCheckFailed, c.newer, false, whole, c.opened, whole}));
    EXPECT_EQ(opened.FileKind, c.kind);
    EXPECT_EQ(opened.Writable(), whole && c.kind == kSchedulerFile);
    EXPECT_EQ(doc.ReadOnly, c.opened && !opened.Writable());
    EXPECT_EQ(ui.Dialogs().size() == 1 && ui.Dialogs()[0] == newer, c.newer);
    EXPECT_EQ(doc.GroupName.empty(), !c.opened);

    doc.Modified = true;
    for (int tick = 0; tick < 20; ++tick)
        TimedBackupTick(doc, true, ui);
    EXPECT_EQ(ReadAll(Path("month.BAK")) == "the good backup", !opened.Writable());
}

// clang-format off
const OpeningCase kOpeningCases[] = {
    {"TessaraLines29", "EndOfFile", true, false, false, kSchedulerFile},
    {"TessaraLines25", "TessaraLines25", true, false, false, kSchedulerFile},
    {"TessaraLines29", "", true, true, false, kSchedulerFile},
    {"TessaraLines30", "EndOfFile", true, false, true, kSchedulerFile},
    {"TessaraLinesX1", "EndOfFile", true, false, true, kSchedulerFile},
    {"TLViewPrRost29", "EndOfFile", true, false, false, kViewerPreRoster},
    {"TLView_Final29", "EndOfFile", true, false, false, kViewerFinal},
    {"TessaraLinez29", "EndOfFile", false, false, false, kSchedulerFile},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(BlockFile, BlockFileOpeningTest, ::testing::ValuesIn(kOpeningCases),
                         [](const auto& p) {
                             return test::CaseName(std::string(p.param.header) + " " +
                                                   (*p.param.end ? p.param.end : "no end"));
                         });

// Another program's file, bytes too short for a header, counts beyond the
// tables: one message, and the document cleared.
struct RefusedCase {
    const char* name;
    std::function<std::vector<uint8_t>()> bytes;
    const char* message = ""; // "%s" is the file's name; empty: not looked at
};

class BlockFileRefusedTest : public BlockFileTest,
                             public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(BlockFileRefusedTest, OneMessageAndTheDocumentCleared)
{
    ScheduleDocument doc;
    EXPECT_FALSE(Load(GetParam().bytes(), doc));
    EXPECT_EQ(ui.Only(ScriptedInteraction::Kind::Message).size(), 1u);
    if (std::string message = GetParam().message; !message.empty()) {
        EXPECT_THAT(ui.Dialogs(),
                    ElementsAre(message.replace(message.find("%s"), 2, doc.FileName)));
    }
    EXPECT_EQ(doc.GroupName, "");
    EXPECT_EQ((std::vector<int>{doc.DaysInMonth, doc.LastPair, doc.CrewCount}),
              (std::vector<int>{0, -1, 0}));
}

// A file of the layout with these counts.
std::function<std::vector<uint8_t>()> Counts(int days, int32_t lastPair, int32_t crew)
{
    return [=] {
        FileLayout layout;
        layout.days = days;
        layout.pairCount = lastPair + 1;
        layout.crew = crew;
        return BuildFile(layout);
    };
}

// clang-format off
const RefusedCase kRefusedCases[] = {
    {"another programs file",
     [] { return StreamBytes().Header().Text32("SomethingElse29").Text32("YYZCRJFO").Bytes(); },
     "This is Not a Valid Tessara Lines 2 File.: %s"},
    {"too short for a header", [] { return std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}; }},
    {"3002 pairings", Counts(2, 3001, 0)}, {"negative pairing count", Counts(2, -5, 0)},
    {"1001 crew", Counts(2, -1, 1001)}, {"negative crew count", Counts(2, -1, -1)},
    {"32 days", Counts(32, -1, 0)}, {"no days", Counts(0, -1, 0)},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(BlockFile, BlockFileRefusedTest, ::testing::ValuesIn(kRefusedCases),
                         test::ByName());

TEST_F(BlockFileTest, SaveWritesTheFileThroughLinksAndClearsModified)
{
    namespace fs = std::filesystem;
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    const std::vector<uint8_t> bytes = BlockFileBytes(doc, kSchedulerFile);
    const std::string expected(bytes.begin(), bytes.end());
    doc.Modified = true;
    ASSERT_TRUE(SaveBlocks(doc, Path("feb.tl2"), kSchedulerFile, ui));
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(ReadAll(Path("feb.tl2")), expected);
    EXPECT_EQ(ui.TraceText(), "SaveBlksBegin\nSaveBlksEnd\n");
    EXPECT_EQ(FileCount(), 1);

    // A relative link, and a link to that link: the file they point to is written.
    fs::create_directory(Path("real"));
    WriteAll(Path("real") / "feb.tl2", "old");
    fs::create_symlink(fs::path("real") / "feb.tl2", Path("link.tl2"));
    fs::create_symlink(Path("link.tl2"), Path("again.tl2"));
    for (const char* name : {"link.tl2", "again.tl2"}) {
        ASSERT_TRUE(SaveBlocks(doc, Path(name), kSchedulerFile, ui));
        EXPECT_TRUE(fs::is_symlink(Path(name)));
    }
    EXPECT_EQ(ReadAll(Path("real") / "feb.tl2"), expected);
}

// A read-only file, a missing folder, a write failing part-way as on a full
// disk: the old file stays whole with nothing left beside it, the month modified.
TEST_F(BlockFileTest, FailedSaveKeepsTheOldFileAndTheMonthModified)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    doc.Crew[0].Name = "SMITH J";
    doc.CrewCount = 1;
    doc.Modified = true;
    const std::filesystem::path locked = Path("locked.tl2"), full = Path("june.tl2");
    WriteAll(locked, "old");
    WriteAll(full, "good");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    EXPECT_FALSE(SaveBlocks(doc, locked, kSchedulerFile, ui));
    EXPECT_FALSE(SaveBlocks(doc, Path("missing") / "x.tl2", kSchedulerFile, ui));

    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveBlocks(doc, full, kSchedulerFile, ui);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_THAT(ui.Dialogs(), ElementsAre(readOnly, readOnly,
                                          "File Error: Error Saving File. Disk may be Full. Try "
                                          "Saving to Another Location "));
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(ReadAll(locked), "old");
    EXPECT_EQ(ReadAll(full), "good");
    EXPECT_EQ(FileCount(), 2);
}

// Sets or clears the immutable flag, which stops even root; false where the
// file system or the user's rights do not allow it.
bool SetImmutable(const std::filesystem::path& path, bool on)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// A folder that cannot be written and a file that cannot be replaced are
// read-only, not a full disk; nothing is left beside the old file.
class UnwritableTest : public BlockFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnwritableTest, IsReadOnly)
{
    namespace fs = std::filesystem;
    const bool shutFolder = GetParam() == std::string_view("folder");
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    const fs::path month = Path("in") / "month.tl2";
    fs::create_directory(Path("in"));
    WriteAll(month, "old");
    bool locked = false;
    if (shutFolder) {
        // Permission bits stop every user but root, whom the flag stops.
        fs::permissions(Path("in"), fs::perms::owner_read | fs::perms::owner_exec);
        const int probe = ::open((Path("in") / "probe").c_str(), O_WRONLY | O_CREAT, 0600);
        locked = probe < 0;
        if (probe >= 0) {
            ::close(probe);
            fs::remove(Path("in") / "probe");
            locked = SetImmutable(Path("in"), true);
        }
    } else {
        locked = SetImmutable(month, true);
    }
    if (!locked)
        GTEST_SKIP() << "no way here to make the " << GetParam() << " unwritable";
    ui.Clear();
    doc.Modified = true;
    EXPECT_FALSE(SaveBlocks(doc, month, kSchedulerFile, ui));
    EXPECT_THAT(ui.Dialogs(), ElementsAre(readOnly));
    EXPECT_TRUE(doc.Modified);
    SetImmutable(Path("in"), false);
    SetImmutable(month, false);
    fs::permissions(Path("in"), fs::perms::owner_all);
    EXPECT_EQ(ReadAll(month), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("in")), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(BlockFile, UnwritableTest, ::testing::Values("folder", "file"),
                         [](const auto& p) { return std::string(p.param); });

// Saving over the month's own file after someone else changed it asks first;
// No keeps their file, Yes writes this month over it.
TEST_F(BlockFileTest, SaveAsksBeforeOverwritingAFileChangedSinceItWasRead)
{
    ScheduleDocument doc;
    FillLikeLayout(doc, ui);
    const std::vector<uint8_t> mine = BlockFileBytes(doc, kSchedulerFile);
    ASSERT_TRUE(Load(mine, doc));
    const std::string question = "Caution!: " + doc.FileName +
                                 "\nwas changed by someone else since it was opened. Save over "
                                 "their changes";
    ui.Clear();
    ASSERT_TRUE(SaveBlocks(doc, doc.FileName, kSchedulerFile, ui)); // unchanged: no question
    EXPECT_THAT(ui.Dialogs(), IsEmpty());

    doc.GroupName = "YULDH8FO";
    WriteAll(doc.FileName, "theirs"); // same as a save by another program
    EXPECT_FALSE(SaveBlocks(doc, doc.FileName, kSchedulerFile, ui));
    EXPECT_EQ(ReadAll(doc.FileName), "theirs");
    ui.Script({Answer::Yes});
    ASSERT_TRUE(SaveBlocks(doc, doc.FileName, kSchedulerFile, ui));
    EXPECT_THAT(ui.Dialogs(), ElementsAre(question, question));
    ui.Clear();
    ASSERT_TRUE(SaveBlocks(doc, doc.FileName, kSchedulerFile, ui)); // its own save is known
    EXPECT_THAT(ui.Dialogs(), IsEmpty());

    // A change of the same size whose time was set back is seen by its bytes.
    const auto time = std::filesystem::last_write_time(doc.FileName);
    std::string theirs = ReadAll(doc.FileName);
    char& byte = theirs[theirs.size() / 2];
    byte = byte == 'x' ? 'y' : 'x';
    WriteAll(doc.FileName, theirs);
    std::filesystem::last_write_time(doc.FileName, time);
    EXPECT_FALSE(SaveBlocks(doc, doc.FileName, kSchedulerFile, ui));
    EXPECT_THAT(ui.Dialogs(), ElementsAre(question));
    EXPECT_EQ(ReadAll(doc.FileName), theirs);
}

TEST_F(BlockFileTest, MonthLockNamesItsHolderAndIsReleasedWhenItGoes)
{
    const std::filesystem::path month = Path("june.tl2");
    const std::filesystem::path lockFile = Path(".~lock.june.tl2#");
    EXPECT_EQ(MonthLock::LockFileOf(month), lockFile);
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    {
        MonthLock first, second;
        ASSERT_EQ(first.Take(month), MonthLock::Result::Taken);
        EXPECT_EQ(second.Take(month), MonthLock::Result::Held);
        EXPECT_EQ(second.Holder().Host, host);
        EXPECT_EQ(second.Holder().Process, getpid());
        EXPECT_FALSE(second.Holder().User.empty());
        EXPECT_EQ(
            DescribeHolder(second.Holder()).find(second.Holder().User + " on " + host + " since "),
            0u);
        first.Release();
        EXPECT_FALSE(std::filesystem::exists(lockFile));
        EXPECT_EQ(second.Take(month), MonthLock::Result::Taken);
    }
    EXPECT_FALSE(std::filesystem::exists(lockFile)); // released when it goes

    // A lock that is not a file at all holds the month without blocking.
    ASSERT_EQ(::mkfifo(lockFile.c_str(), 0600), 0);
    MonthLock lock;
    EXPECT_EQ(lock.Take(month), MonthLock::Result::Held);
    EXPECT_EQ(lock.Holder().User, "");
    EXPECT_EQ(DescribeHolder(lock.Holder()), "another user");
}

// A lock file left behind; HOST stands for this machine's name. Process
// 2147483646 is gone; on another host it cannot be told.
struct LockCase {
    const char* name;
    std::string content;
    MonthLock::Result result;
};

class MonthLockTakeOverTest : public BlockFileTest,
                              public ::testing::WithParamInterface<LockCase> {};

TEST_P(MonthLockTakeOverTest, TakesOverOnlyADeadProcessOfThisHost)
{
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    std::string content = GetParam().content;
    if (const size_t at = content.find("HOST"); at != std::string::npos)
        content.replace(at, 4, host);
    const std::filesystem::path month = Path("june.tl2");
    WriteAll(MonthLock::LockFileOf(month), content);
    MonthLock lock;
    EXPECT_EQ(lock.Take(month), GetParam().result);
    EXPECT_EQ(ReadAll(MonthLock::LockFileOf(month)) == content,
              GetParam().result == MonthLock::Result::Held);
}

// clang-format off
const LockCase kLockCases[] = {
    {"dead here", "ann,HOST,2027-06-01 08:00,2147483646;\n", MonthLock::Result::Taken},
    {"elsewhere", "ann,elsewhere,2027-06-01 08:00,2147483646;\n", MonthLock::Result::Held},
    {"alive here", "ann,HOST,2027-06-01 08:00,1;\n", MonthLock::Result::Held},
    {"commas", std::string(5000, ','), MonthLock::Result::Held},
    {"binary", std::string("\0\xff,;,,,,99999999999999999999", 28), MonthLock::Result::Held},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(BlockFile, MonthLockTakeOverTest, ::testing::ValuesIn(kLockCases),
                         test::ByName());

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
            std::tie(p.Name, p.Phone1, p.BidText) =
                std::tuple(c == 0 ? "SMITH J" : "JONES K", "555-0100", "(1). OFF 10-12");
            p.DayLocked[3] = p.DayLocked[45] = 1; // the second after the month
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

// Both copies leave out contacts, bids and the history; the viewer's also the
// month's locks and requests and the viewer text. The month keeps everything.
TEST_F(FileCopiesTest, CopiesLeaveOutPersonalDataAndTheMonthKeepsIt)
{
    ui.Script({Answer::No, Answer::Yes});
    const std::optional<CopyResult> viewer = SaveForViewer(doc, kViewerFinal, ui);
    const std::optional<CopyResult> company = FinalizeForCompany(doc, ui);
    ASSERT_TRUE(viewer && company);
    EXPECT_EQ(viewer->Target, dir.path() / "Viewer" / "Final_june.tlv");
    EXPECT_EQ(company->Target, dir.path() / "Company" / "june.tl2");
    EXPECT_FALSE(viewer->SendMail);
    EXPECT_TRUE(company->SendMail);
    EXPECT_THAT(ui.Dialogs(),
                ElementsAre("Tessara Lines: Viewer File Saved as " + viewer->Target.string() +
                                " without personal data.\nDo you want to e-mail the tlv file now.",
                            ::testing::EndsWith(" without personal data.\nDo you want to e-mail "
                                                "the tl2 file now.")));

    auto view = Reload(viewer->Target);
    auto copy = Reload(company->Target);
    EXPECT_EQ(view->FileKind, kViewerFinal);
    EXPECT_EQ(copy->FileKind, kSchedulerFile);
    for (const ScheduleDocument* c : {view.get(), copy.get()}) {
        EXPECT_EQ(c->Crew[0].Name, "SMITH J");
        EXPECT_EQ(c->Crew[0].Phone1 + c->Crew[1].BidText, "");
        EXPECT_TRUE(c->History.empty());
    }
    EXPECT_EQ(view->Crew[0].DayLocked[3] + view->Crew[0].DayFlag[4], 0);
    EXPECT_EQ(view->Crew[0].DayLocked[45], 1); // only the month's days are cleared
    EXPECT_EQ(copy->Crew[0].DayLocked[45], 0);
    EXPECT_EQ(view->ViewerText, "");
    EXPECT_EQ(copy->ViewerText, "private note");

    auto own = Reload(doc.FileName);
    EXPECT_EQ(own->Crew[0].Phone1 + "|" + doc.Crew[1].BidText + "|" + doc.ViewerText,
              "555-0100|(1). OFF 10-12|private note");
    EXPECT_EQ((std::vector<size_t>{own->History.size(), doc.History.size(),
                                   size_t(doc.Crew[0].DayLocked[3]), size_t(doc.Modified)}),
              (std::vector<size_t>{1, 1, 1, 0}));

    ui.Script({Answer::Yes, Answer::No});
    EXPECT_EQ(SaveForViewer(doc, kViewerPreRoster, ui)->Target.filename(), "PreBuild_june.tlv");
    EXPECT_EQ(SaveForViewer(doc, kViewerPreSchedule, ui)->Target.filename(), "Presked_june.tlv");
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

// A dated backup name when asked for; a timed backup is the file with .BAK
// for its extension, which no two months share and no file is its own.
TEST(BackupNamesTest, DatedNameWhenAskedFor)
{
    std::tm t{};
    std::tie(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min) = std::tuple(127, 8, 7, 9, 5);
    EXPECT_EQ(BackupTarget("/b", "/home/s/june.tl2", true, t),
              std::filesystem::path("/b/Backup Sept 7 2027 at 0905 june.tl2"));
    EXPECT_EQ(BackupTarget("/b", "/home/s/june.tl2", false, t),
              std::filesystem::path("/b/Backup june.tl2"));
}

class TimedBackupPathTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(TimedBackupPathTest, IsTheFileWithBakForItsExtension)
{
    EXPECT_EQ(TimedBackupPath(GetParam().first), std::filesystem::path(GetParam().second));
}

// clang-format off
const std::pair<const char*, const char*> kTimedBackupPaths[] = {
    {"/home/s/june.tl2", "/home/s/june.BAK"}, {"/home/s/JUNE.TL2", "/home/s/JUNE.BAK"},
    {"/home/s/june.tlv", "/home/s/june.tlv.BAK"}, {"/home/s/x.BAK", "/home/s/x.BAK.BAK"},
    {"/home/s.v2/june", ""}, {"/home/s/.tl2", ""}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(BackupNames, TimedBackupPathTest, ::testing::ValuesIn(kTimedBackupPaths),
                         [](const auto& p) { return test::CaseName(p.param.first); });

TEST_F(FileCopiesTest, TimedBackupWritesEveryTwentiethTickOfABuiltModifiedMonth)
{
    doc.BuildState = 1;
    doc.DisplayState = kMonthOpen;
    int written = 0;
    for (int tick = 0; tick < 40; ++tick)
        written += TimedBackupTick(doc, true, ui) ? 1 : 0;
    EXPECT_EQ(written, 2);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "june.BAK"));
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(ui.TraceText(),
              "BackupTimerTrigger\nSaveBlksBegin\nSaveBlksEnd\nBackupTimerFinish\n"
              "BackupTimerTrigger\nSaveBlksBegin\nSaveBlksEnd\nBackupTimerFinish\n");

    // A file without an extension has no backup name: traced, nothing written.
    ui.Clear();
    doc.FileName = (dir.path() / "june").string();
    doc.BackupCountdown = 1;
    EXPECT_FALSE(TimedBackupTick(doc, true, ui));
    EXPECT_EQ(ui.TraceText(), "BackupTimerTrigger\nBackup Timer Failed FileData FileName data "
                              "missing\nBackupTimerFinish\n");
}

struct TickCase {
    const char* name;
    bool autoSave, untitled, modified;
    int buildState, displayState;
};

class TimedBackupTest : public FileCopiesTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(TimedBackupTest, WritesNothingWhenAConditionFails)
{
    const TickCase& c = GetParam();
    doc.Untitled = c.untitled;
    doc.Modified = c.modified;
    doc.BuildState = c.buildState;
    doc.DisplayState = c.displayState;
    for (int tick = 0; tick < 20; ++tick)
        EXPECT_FALSE(TimedBackupTick(doc, c.autoSave, ui));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "june.BAK"));
    EXPECT_EQ(doc.BackupCountdown, 20); // restarted, or never counted
}

// clang-format off
const TickCase kTickCases[] = {
    {"auto save off", false, false, true, 1, 1}, {"untitled", true, true, true, 1, 1},
    {"not modified", true, false, false, 1, 1}, {"not built", true, false, true, 0, 1},
    {"no month", true, false, true, 1, 3}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(FileCopies, TimedBackupTest, ::testing::ValuesIn(kTickCases),
                         test::ByName());

} // namespace
} // namespace tl
