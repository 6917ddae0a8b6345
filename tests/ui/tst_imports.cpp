#include "import/new_month.h"
#include "import/prg_file.h"
#include "import/roster_extract.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/frame/month_imports.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QAction>
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>

using tl::test::ScriptedInteraction;
using namespace tl;
using namespace tl::ui;

namespace {

const QString kSamples = QStringLiteral(TL_SAMPLES_DIR "/YYZDH8FO-NOV27");

QString Sample(const char* name)
{
    return kSamples + QLatin1Char('/') + QString::fromLatin1(name);
}

// The answers of the file dialogs, one list of files per dialog in turn
// (an empty list cancels); the captions they were asked with.
struct Picks {
    std::deque<QStringList> answers;
    QStringList captions;

    QStringList Next(const QString& caption)
    {
        captions << caption;
        if (answers.empty())
            return {};
        QStringList files = answers.front();
        answers.pop_front();
        return files;
    }
    FileChooser Chooser()
    {
        return {[this](FileChooser::Mode, const QString& caption, const QString&, const QString&) {
                    return Next(caption).value(0);
                },
                [this](const QString& caption, const QString&, const QString&) {
                    return Next(caption);
                }};
    }
};

// The sample month (November 2027, first officers of YYZ DH8) saved in a
// fresh folder and opened in a frame: empty, with its roster, or with its
// roster and pairings.
struct Fixture {
    enum class Start { Empty, Roster, RosterAndPairings };

    explicit Fixture(Start start = Start::Roster)
    {
        ScriptedInteraction quiet;
        auto doc = std::make_unique<ScheduleDocument>();
        QVERIFY(CreateEmptyMonth(*doc, "YYZDH8FOZ", JulianDay(11, 1, 2027), JulianDay(11, 30, 2027),
                                 quiet));
        if (start != Start::Empty)
            QVERIFY(LoadRosterFromExtract(*doc, doc->GroupName, ToFileName(Sample("1127perp.ext")),
                                          quiet));
        if (start == Start::RosterAndPairings)
            QVERIFY(LoadPRGPairs(*doc, ToFileName(Sample("NOV27.PRG")), "", false, quiet));
        QVERIFY(SaveBlocks(*doc, path.toStdString(), kSchedulerFile, quiet));
        QVERIFY(frame.OpenFile(path));
        frame.SetFileChooser(picks.Chooser());
        ui.Clear();
    }
    ScheduleDocument& doc() { return frame.Client()->Document(); }
    std::string Folder(const char* key) const
    {
        return settings.Get("TL", key).value_or(std::string());
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("nov.tl2"));
    Picks picks;
    ScriptedInteraction ui;
    MemorySettingsStore settings;
    TMainDecFrameWin frame{ui, settings};
};

} // namespace

class ImportsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The new-month wizard's road: every import in turn on an empty month.
    void everyImportFillsAnEmptyMonthFromTheSampleFiles()
    {
        Fixture f(Fixture::Start::Empty);
        f.picks.answers = {{Sample("TOOLBOX.TXT")},  {Sample("1127perp.ext")},
                           {Sample("1127absp.ext")}, {Sample("1227absp.ext")},
                           {Sample("1127actp.ext")}, {Sample("1127prgp.ext")},
                           {Sample("NOV27.PRG")},    {Sample("NOV27-8.LIS")}};
        ImportContext c = f.frame.Imports();
        QVERIFY(ImportToolBoxItems(c));
        QVERIFY(ImportRosterExtract(c));
        QVERIFY(ImportAbsences(c, false));
        QVERIFY(ImportAbsences(c, true));
        QVERIFY(ImportLastMonth(c));
        QVERIFY(ImportPairingsFile(c, "", false));
        ScanLisFilesDialog(c);
        QVERIFY(f.doc().AbsenceCount > 0);
        QVERIFY(f.doc().CrewCount > 0);
        QVERIFY(f.doc().LastPair >= 0);
        QVERIFY(f.doc().Modified);
        QVERIFY(f.picks.answers.empty());
        QVERIFY(f.ui.Dialogs().empty());
        QVERIFY(!f.ui.ListLines("Flag French Pairings from LIS Summary").empty());
        for (const char* key : {"LastBoxPath", "LastRosterPath", "LastCrewAbsPath",
                                "LastOverlapDataPath", "LastPRGPath", "LastFrenchPath"})
            QCOMPARE(f.Folder(key), kSamples.toStdString());
        QCOMPARE(f.picks.captions,
                 QStringList(
                     {QStringLiteral("Load ToolBox Absences"),
                      QStringLiteral("Load Crew Roster from Extract"),
                      QStringLiteral("Load Crew Absences Extract"),
                      QStringLiteral("Load Crew Absences Extract"),
                      QStringLiteral("Load Overlap Information from Extract"),
                      QStringLiteral("Open Updated Pairing Data from Extract"),
                      QStringLiteral("Load This Month's Pairings"),
                      QStringLiteral("Flag ACType/FR Pairs from LIS. CTRL for Multiple Files")}));
    }
};

QTEST_MAIN(ImportsTest)
#include "tst_imports.moc"
