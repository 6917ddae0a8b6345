#include "import/new_month.h"
#include "import/prg_file.h"
#include "import/roster_extract.h"
#include "model/schedule_document.h"
#include "model/tpilot.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "storage/month_lock.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/dialogs/loadpairsonlydialog.h"
#include "ui/frame/month_imports.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
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

// What each import changes, counted.
QMap<QString, qint64> Probes(const ScheduleDocument& doc)
{
    QMap<QString, qint64> probes;
    probes[QStringLiteral("toolbox")] = doc.AbsenceCount;
    probes[QStringLiteral("pairings")] = doc.LastPair + 1;
    for (int p = 0; p <= doc.LastPair; ++p)
        probes[QStringLiteral("pairing text")] += qint64(doc.Pairs[size_t(p)].PairText.size());
    for (int c = 0; c < doc.CrewCount; ++c) {
        const TPilot& pilot = doc.Crew[size_t(c)];
        for (int s = 0; s < TPilot::kSlots; ++s) {
            if (pilot.DaySlot[size_t(s)] == kOtherSlot)
                ++probes[s < doc.DaysInMonth ? QStringLiteral("month") : QStringLiteral("after")];
            probes[QStringLiteral("last month")] += qint64(pilot.DayText[size_t(s)].size());
        }
    }
    return probes;
}

// Accepts or rejects the modal dialog of type T once it opens, after `inspect`.
template <typename T, typename F> void WhenOpen(QObject* context, bool accept, F inspect)
{
    QTimer::singleShot(0, context, [accept, inspect] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        inspect(*dialog);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
}

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

    // A roster replaced by one that does not load comes back.
    void rosterReplacedOnlyByOneThatLoads()
    {
        Fixture f;
        const int crew = f.doc().CrewCount;
        const std::string first = f.doc().Crew[0].Name;
        f.picks.answers = {{Sample("1127absp.ext")}, {Sample("1127perp.ext")}};
        f.ui.Script({Answer::Yes, Answer::No, Answer::Yes});
        ImportContext c = f.frame.Imports();
        QVERIFY(!ImportRosterExtract(c)); // not a roster: No to loading it anyway
        QCOMPARE(f.doc().CrewCount, crew);
        QCOMPARE(f.doc().Crew[0].Name, first);
        QVERIFY(ImportRosterExtract(c));
        QCOMPARE(f.doc().CrewCount, crew);
        QVERIFY(f.doc().GridOn);
        QCOMPARE(f.ui.Dialogs().front(),
                 "Tessara Lines: This will replace the Roster and erase every Block. Proceed");
    }

    // Each item of the Import menu on the sample files, and with its file
    // dialog cancelled.
    void importMenuItemsChangeTheMonthUnlessCancelled_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<QStringList>>("files");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("probe");
        const int roster = int(Fixture::Start::Roster);
        const struct {
            const char* name;
            int command;
            int start;
            QList<QStringList> files;
            const char* key;
            const char* probe;
        } rows[] = {
            {"absences",
             CmAbsences,
             roster,
             {{Sample("1127absp.ext")}},
             "LastCrewAbsPath",
             "month"},
            {"next month's absences",
             CmNextMonthAbsences,
             roster,
             {{Sample("1227absp.ext")}},
             "LastCrewAbsPath",
             "after"},
            {"last month",
             CmLastMonth,
             roster,
             {{Sample("1127actp.ext")}, {Sample("1127prgp.ext")}},
             "LastOverlapDataPath",
             "last month"},
            {"pairings",
             CmImportPairings,
             roster,
             {{Sample("NOV27.PRG")}},
             "LastPRGPath",
             "pairings"},
            {"lis",
             CmLisFiles,
             int(Fixture::Start::RosterAndPairings),
             {{Sample("NOV27-8.LIS")}},
             "LastFrenchPath",
             "pairing text"},
            {"toolbox",
             CmToolBoxItems,
             roster,
             {{Sample("TOOLBOX.TXT")}},
             "LastBoxPath",
             "toolbox"},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name)
                << row.command << row.start << row.files << QString::fromLatin1(row.key)
                << QString::fromLatin1(row.probe);
            QTest::addRow("%s cancelled", row.name)
                << row.command << row.start << QList<QStringList>{} << QString() << QString();
        }
    }

    void importMenuItemsChangeTheMonthUnlessCancelled()
    {
        QFETCH(int, command);
        QFETCH(int, start);
        QFETCH(QList<QStringList>, files);
        QFETCH(QString, key);
        QFETCH(QString, probe);
        Fixture f{Fixture::Start(start)};
        QVERIFY(f.doc().GridOn && !f.doc().Modified);
        const QMap<QString, qint64> before = Probes(f.doc());
        f.picks.answers.assign(files.begin(), files.end());
        if (command == CmImportPairings)
            WhenOpen<LoadPairsOnlyDialog>(&f.frame, true, [](LoadPairsOnlyDialog&) {});
        f.frame.Action(command)->trigger();

        QVERIFY(f.picks.answers.empty());
        const QMap<QString, qint64> after = Probes(f.doc());
        QCOMPARE(f.Folder(key.toLatin1().constData()),
                 key.isEmpty() ? std::string() : kSamples.toStdString());
        if (probe.isEmpty()) {
            QCOMPARE(after, before);
            QVERIFY(!f.doc().Modified);
        } else {
            QVERIFY2(after[probe] > before[probe], qPrintable(probe));
            QVERIFY(f.doc().Modified);
        }
        QVERIFY(f.doc().GridOn); // built again after the load
        QCOMPARE(f.ui.Dialogs(), std::vector<std::string>());
    }

    // The base and equipment typed in are what is loaded; the LIS files are
    // offered whatever the dialog's outcome.
    void pairingsDialogChecksItsFieldsAndTheLisFilesFollowAnyway()
    {
        Fixture f;
        const QString lisCaption =
            QStringLiteral("Flag ACType/FR Pairs from LIS. CTRL for Multiple Files");
        WhenOpen<LoadPairsOnlyDialog>(&f.frame, false, [](LoadPairsOnlyDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Load Quarnelle Pairings"));
            QVERIFY(dialog.BaseCode()->text().isEmpty() && dialog.EqpCode()->text().isEmpty());
        });
        f.frame.Action(CmImportPairings)->trigger();
        QCOMPARE(f.picks.captions, QStringList{lisCaption});

        f.picks.captions.clear();
        f.picks.answers = {{Sample("NOV27.PRG")}};
        WhenOpen<LoadPairsOnlyDialog>(&f.frame, true, [&](LoadPairsOnlyDialog& dialog) {
            // One capital letter, one digit.
            QTest::keyClicks(dialog.BaseCode(), QStringLiteral("5z"));
            QTest::keyClicks(dialog.EqpCode(), QStringLiteral("a8"));
            QCOMPARE(dialog.BaseCode()->text(), QStringLiteral("Z"));
            QCOMPARE(dialog.EqpCode()->text(), QStringLiteral("8"));
            dialog.UseManual()->setChecked(true);
            dialog.BaseCode()->clear();
            dialog.accept();
            QVERIFY(dialog.isVisible());
            QCOMPARE(f.ui.Dialogs(),
                     std::vector<std::string>{"Tessara Lines: You have not entered a Base Code."});
            QTest::keyClicks(dialog.BaseCode(), QStringLiteral("Z"));
            QCOMPARE(dialog.BaseAndEqp(), std::string("Z8"));
        });
        f.frame.Action(CmImportPairings)->trigger();
        QCOMPARE(f.picks.captions,
                 (QStringList{QStringLiteral("Load This Month's Pairings"), lisCaption}));
        QVERIFY(f.doc().LastPair >= 0);
        QVERIFY(f.doc().GridOn);
    }

    // A LIS file not named for the month is scanned only on Yes; No offers
    // the files again.
    void lisFileNamedForAnotherMonthIsAskedAbout_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void lisFileNamedForAnotherMonthIsAskedAbout()
    {
        QFETCH(bool, yes);
        Fixture f(Fixture::Start::RosterAndPairings);
        const QString other = f.dir.filePath(QStringLiteral("oct27.lis"));
        QVERIFY(QFile::copy(Sample("NOV27-8.LIS"), other));
        f.picks.answers = {{Sample("NOV27-8.LIS"), other}, {Sample("NOV27-8.LIS")}};
        f.ui.Script({yes ? Answer::Yes : Answer::No});
        f.frame.Action(CmLisFiles)->trigger();
        QCOMPARE(f.ui.Dialogs(),
                 std::vector<std::string>{"Tessara Lines: OCT27.LIS does not contain NOV in the "
                                          "File Name. Are you sure this is the correct LIS File"});
        QCOMPARE(f.picks.captions.size(), yes ? 1 : 2);
        QVERIFY(!f.ui.ListLines("Flag French Pairings from LIS Summary").empty());
        QVERIFY(f.doc().Modified);
    }

    // A month opened read-only takes no import, and the absences' question
    // comes before the file is chosen: neither opens a file dialog.
    void refusedImportsChooseNoFile()
    {
        Fixture f;
        f.picks.answers = {{Sample("1127absp.ext")}};
        f.frame.Action(CmAbsences)->trigger();
        f.ui.Clear();
        f.picks.captions.clear();
        f.frame.Action(CmAbsences)->trigger(); // answered No
        QCOMPARE(
            f.ui.Dialogs(),
            std::vector<std::string>{
                "Tessara Lines: This will erase all conflicting Toolbox assignments. Proceed"});

        auto refusedByAll = [&](const char* because) {
            f.ui.Clear();
            f.picks.captions.clear();
            for (int command : {CmAbsences, CmNextMonthAbsences, CmLastMonth, CmImportPairings,
                                CmLisFiles, CmToolBoxItems})
                f.frame.Action(command)->trigger();
            QCOMPARE(f.ui.Dialogs().size(), size_t(6));
            for (const std::string& dialog : f.ui.Dialogs())
                QVERIFY(dialog.starts_with("File Error: " + f.path.toStdString() + because));
            QVERIFY(f.picks.captions.isEmpty());
        };
        // Another user edits it.
        f.frame.Client()->DeleteAll(); // lets go of the month
        {
            MonthLock other;
            QCOMPARE(other.Take(f.path.toStdString()), MonthLock::Result::Taken);
            f.ui.Script({Answer::Yes});
            QVERIFY(f.frame.OpenFile(f.path));
            refusedByAll("\nis open read-only");
            f.frame.Client()->DeleteAll();
        }
        // A viewer copy.
        std::string bytes = test::ReadAll(f.path.toStdString());
        bytes.replace(bytes.find("TessaraLines"), 14, "TLView_Final29");
        test::WriteAll(f.path.toStdString(), bytes);
        QVERIFY(f.frame.OpenFile(f.path));
        refusedByAll("\nis opened read-only");
    }
};

QTEST_MAIN(ImportsTest)
#include "tst_imports.moc"
