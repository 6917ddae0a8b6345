#include "import/new_month.h"
#include "import/prg_file.h"
#include "import/roster_extract.h"
#include "model/vortime.h"
#include "rules/assignment.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "storage/month_lock.h"
#include "support/modal.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/dialogs/editorviewpairsdialog.h"
#include "ui/dialogs/exportdialog.h"
#include "ui/dialogs/importbawlindialog.h"
#include "ui/dialogs/loadpairsonlydialog.h"
#include "ui/dialogs/pairdialog.h"
#include "ui/dialogs/pairingvalidatedialog.h"
#include "ui/frame/month_imports.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <tuple>

using tl::test::ScriptedInteraction;
using tl::test::WhenModal;
using namespace tl;
using namespace tl::ui;

namespace {

const QString kSamples = QStringLiteral(TL_SAMPLES_DIR "/YYZDH8FO-NOV27");
const QString kLisCaption =
    QStringLiteral("Flag ACType/FR Pairs from LIS. CTRL for Multiple Files");

QString Sample(const char* name)
{
    return kSamples + QLatin1Char('/') + QString::fromLatin1(name);
}

// The sample month (November 2027, first officers of YYZ DH8) with its
// roster, saved in a fresh folder and opened in a frame whose file dialogs
// answer from `picks` in turn (an empty list cancels) and note their captions.
struct Fixture {
    explicit Fixture(bool withPairings = false)
    {
        ScriptedInteraction quiet;
        auto doc = std::make_unique<ScheduleDocument>();
        QVERIFY(CreateEmptyMonth(*doc, "YYZDH8FOZ", JulianDay(11, 1, 2027), JulianDay(11, 30, 2027),
                                 quiet));
        QVERIFY(
            LoadRosterFromExtract(*doc, doc->GroupName, ToFileName(Sample("1127perp.ext")), quiet));
        if (withPairings)
            QVERIFY(LoadPRGPairs(*doc, ToFileName(Sample("NOV27.PRG")), "", false, quiet));
        QVERIFY(SaveBlocks(*doc, path.toStdString(), kSchedulerFile, quiet));
        QVERIFY(frame.OpenFile(path));
        auto next = [this](const QString& caption) {
            captions << caption;
            return picks.isEmpty() ? QStringList() : picks.takeFirst();
        };
        frame.SetFileChooser({[next](FileChooser::Mode, const QString& caption, const QString&,
                                     const QString&) { return next(caption).value(0); },
                              [next](const QString& caption, const QString&, const QString&) {
                                  return next(caption);
                              }});
        ui.Clear();
    }
    ScheduleDocument& doc() { return frame.Client()->Document(); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("nov.tl2"));
    QList<QStringList> picks;
    QStringList captions;
    ScriptedInteraction ui;
    MemorySettingsStore settings;
    TMainDecFrameWin frame{ui, settings};
};

// What the imports change, counted: toolbox records, pairings, pairing text,
// other assignments in the month and after it, last month's day texts.
std::vector<qint64> Probes(const ScheduleDocument& doc)
{
    std::vector<qint64> probes{doc.AbsenceCount, doc.LastPair + 1, 0, 0, 0, 0};
    for (int p = 0; p <= doc.LastPair; ++p)
        probes[2] += qint64(doc.Pairs[size_t(p)].PairText.size());
    for (int c = 0; c < doc.CrewCount; ++c)
        for (int s = 0; s < TPilot::kSlots; ++s) {
            probes[s < doc.DaysInMonth ? 3 : 4] += doc.Crew[size_t(c)].DaySlot[size_t(s)] == -2;
            probes[5] += qint64(doc.Crew[size_t(c)].DayText[size_t(s)].size());
        }
    return probes;
}

// Runs `inspect` on the pairings dialog once it opens, then OK or Cancel.
template <typename F> void OnPairsDialog(QObject* context, bool ok, F inspect)
{
    QTimer::singleShot(0, context, [ok, inspect] {
        auto* dialog = qobject_cast<LoadPairsOnlyDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        inspect(*dialog);
        ok ? dialog->accept() : dialog->reject();
    });
}

} // namespace

class ImportsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Each Import item on the sample files, and with its file dialog cancelled.
    void importMenuItemsChangeTheMonthUnlessCancelled_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("caption"); // of the first file dialog
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("probe"); // of Probes; -1: nothing changes
        auto add = [](const char* name, int command, QStringList files, QString caption,
                      const char* key, int probe) {
            QTest::newRow(name) << command << files << caption << QString::fromLatin1(key) << probe;
            QTest::addRow("%s cancelled", name)
                << command << QStringList() << caption << QString::fromLatin1(key) << -1;
        };
        add("toolbox", CmToolBoxItems, {Sample("TOOLBOX.TXT")},
            QStringLiteral("Load ToolBox Absences"), "LastBoxPath", 0);
        add("pairings", CmImportPairings, {Sample("NOV27.PRG")},
            QStringLiteral("Load This Month's Pairings"), "LastPRGPath", 1);
        add("lis", CmLisFiles, {Sample("NOV27-8.LIS")}, kLisCaption, "LastFrenchPath", 2);
        add("absences", CmAbsences, {Sample("1127absp.ext")},
            QStringLiteral("Load Crew Absences Extract"), "LastCrewAbsPath", 3);
        add("next month", CmNextMonthAbsences, {Sample("1227absp.ext")},
            QStringLiteral("Load Crew Absences Extract"), "LastCrewAbsPath", 4);
        add("last month", CmLastMonth, {Sample("1127actp.ext"), Sample("1127prgp.ext")},
            QStringLiteral("Load Overlap Information from Extract"), "LastOverlapDataPath", 5);
    }

    void importMenuItemsChangeTheMonthUnlessCancelled()
    {
        QFETCH(int, command);
        QFETCH(QStringList, files);
        QFETCH(QString, caption);
        QFETCH(QString, key);
        QFETCH(int, probe);
        Fixture f(command == CmLisFiles);
        const std::vector<qint64> before = Probes(f.doc());
        // The last month's two extracts are chosen one after the other.
        for (const QString& file : files)
            f.picks << QStringList{file};
        bool warned = false;
        if (command == CmImportPairings)
            OnPairsDialog(&f.frame, true, [&](LoadPairsOnlyDialog&) {
                if (!files.isEmpty())
                    WhenModal<PairingValidateDialog>(
                        [&](QDialog& w) { warned = true, w.accept(); });
            });
        f.frame.Action(command)->trigger();
        QCOMPARE(warned, command == CmImportPairings && !files.isEmpty());

        QCOMPARE(f.captions.value(0), caption);
        QCOMPARE(f.settings.Get("TL", key.toStdString()).has_value(), probe >= 0);
        const std::vector<qint64> after = Probes(f.doc());
        if (probe < 0)
            QCOMPARE(after, before);
        else
            QVERIFY(after[size_t(probe)] > before[size_t(probe)]);
        QCOMPARE(f.doc().Modified, probe >= 0);
        QVERIFY(f.doc().GridOn); // built again after the load
        QCOMPARE(f.ui.Dialogs(), std::vector<std::string>());
    }

    // The base and equipment typed in are what is loaded; the LIS files are
    // offered whatever the dialog's outcome.
    void pairingsDialogChecksItsFieldsAndTheLisFilesFollowAnyway()
    {
        Fixture f;
        OnPairsDialog(&f.frame, false, [](LoadPairsOnlyDialog&) {});
        f.frame.Action(CmImportPairings)->trigger();
        QCOMPARE(f.captions, QStringList{kLisCaption});

        f.picks = {{Sample("NOV27.PRG")}};
        WhenModal<PairingValidateDialog>([](QDialog& w) { w.accept(); });
        OnPairsDialog(&f.frame, true, [&](LoadPairsOnlyDialog& dialog) {
            QTest::keyClicks(dialog.BaseCode(), QStringLiteral("5z")); // one capital letter
            QTest::keyClicks(dialog.EqpCode(), QStringLiteral("a8"));  // one digit
            QCOMPARE(dialog.BaseCode()->text() + dialog.EqpCode()->text(), QStringLiteral("Z8"));
            dialog.UseManual()->setChecked(true);
            dialog.BaseCode()->clear();
            dialog.accept();
            QVERIFY(dialog.isVisible());
            QCOMPARE(f.ui.Dialogs(),
                     std::vector<std::string>{"Tessara Lines: You have not entered a Base Code."});
            QTest::keyClicks(dialog.BaseCode(), QStringLiteral("Z"));
        });
        f.frame.Action(CmImportPairings)->trigger();
        QCOMPARE(f.captions.mid(1),
                 (QStringList{QStringLiteral("Load This Month's Pairings"), kLisCaption}));
        QVERIFY(f.doc().LastPair >= 0 && f.doc().GridOn);
    }

    // A pairing load shows the warnings dialog; a double click on a listed
    // pairing asks for the password, then opens the editor on it, and the
    // corrected pairing leaves the list.
    void pairingWarningsOpenTheEditorOnAListedPairing()
    {
        Fixture f;
        std::string prg = test::ReadAll(Sample("NOV27.PRG").toStdString());
        f.picks = {{f.dir.filePath(QStringLiteral("BAD.PRG"))}};
        test::WriteAll(f.picks[0][0].toStdString(),
                       prg.replace(150, 4, "-001")); // 8101's hard time
        const QString invalid = QStringLiteral("Pair 8101  Daily HardTime < 00:00");
        QString caption;
        int opened = -1;
        QList<QListWidgetItem*> listed[2];
        WhenModal<PairingValidateDialog>([&](PairingValidateDialog& warnings) {
            listed[0] = warnings.List()->findItems(invalid, Qt::MatchStartsWith);
            WhenModal<EditOrViewPairsDialog>([&](EditOrViewPairsDialog& password) {
                password.Password()->setText(QStringLiteral("PELLAM"));
                WhenModal<PairDialog>([&](PairDialog& editor) {
                    std::tie(caption, opened) = std::tuple(editor.windowTitle(), editor.Current());
                    editor.Edit(PairDialog::Field::Hard)->setText(QStringLiteral("04:25"));
                    editor.accept();
                });
                password.accept();
            });
            emit warnings.List()->itemDoubleClicked(listed[0].value(0));
            listed[1] = warnings.List()->findItems(invalid, Qt::MatchStartsWith);
            warnings.accept();
        });
        OnPairsDialog(&f.frame, true, [](LoadPairsOnlyDialog&) {});
        f.frame.Action(CmImportPairings)->trigger();
        QVERIFY(listed[0].size() == 1 && listed[1].isEmpty());
        QCOMPARE(caption, QStringLiteral("Edit Pairings - Caution No Cancel"));
        QVERIFY(opened >= 0 && f.doc().Pairs[size_t(opened)].PairNumber == 8101);
        QCOMPARE(f.doc().Pairs[size_t(opened)].DayHard[0], 265);
    }

    // A LIS file not named for the month is scanned only on Yes; No offers
    // the files again.
    void lisFileNamedForAnotherMonthIsAskedAbout()
    {
        for (bool yes : {true, false}) {
            Fixture f(true);
            const QString other = f.dir.filePath(QStringLiteral("oct27.lis"));
            QVERIFY(QFile::copy(Sample("NOV27-8.LIS"), other));
            f.picks = {{Sample("NOV27-8.LIS"), other}, {Sample("NOV27-8.LIS")}};
            f.ui.Script({yes ? Answer::Yes : Answer::No});
            f.frame.Action(CmLisFiles)->trigger();
            QCOMPARE(f.ui.Dialogs(), std::vector<std::string>{
                                         "Tessara Lines: OCT27.LIS does not contain NOV in the "
                                         "File Name. Are you sure this is the correct LIS File"});
            QCOMPARE(f.captions.size(), yes ? 1 : 2);
            QVERIFY(!f.ui.ListLines("Flag French Pairings from LIS Summary").empty());
        }
    }

    // The absences' question comes before the file is chosen, and a month
    // opened read-only (another user's, a viewer copy) takes no import:
    // neither opens a file dialog.
    void refusedImportsChooseNoFile()
    {
        Fixture f;
        f.doc().FreshDocument = false;
        f.frame.Action(CmAbsences)->trigger(); // answered No
        QCOMPARE(
            f.ui.Dialogs(),
            std::vector<std::string>{
                "Tessara Lines: This will erase all conflicting Toolbox assignments. Proceed"});
        auto refusedByAll = [&f](const std::string& because) {
            f.ui.Clear();
            for (int command : {CmAbsences, CmNextMonthAbsences, CmLastMonth, CmImportPairings,
                                CmLisFiles, CmToolBoxItems})
                f.frame.Action(command)->trigger();
            QCOMPARE(f.ui.Dialogs(),
                     std::vector<std::string>(6, "File Error: " + f.path.toStdString() + because));
            QVERIFY(f.captions.isEmpty());
        };
        f.frame.Client()->DeleteAll(); // lets go of the month
        {
            MonthLock other;
            QCOMPARE(other.Take(f.path.toStdString()), MonthLock::Result::Taken);
            f.ui.Script({Answer::Yes});
            QVERIFY(f.frame.OpenFile(f.path));
            refusedByAll("\nis open read-only: another user is editing it. Use Save As to Save "
                         "as a new name");
            f.frame.Client()->DeleteAll();
        }
        std::string viewer = test::ReadAll(f.path.toStdString());
        test::WriteAll(f.path.toStdString(),
                       viewer.replace(viewer.find("TessaraLines"), 14, "TLView_Final29"));
        QVERIFY(f.frame.OpenFile(f.path));
        refusedByAll("\nis opened read-only. Use Save As to Save as a new name before importing "
                     "into it");
    }

    // The schedule export of a month with three pairings on blocks, read back
    // with "Crew Blocks from BAW and LIN..." once they are off again.
    void crewTracExportReadBackOntoTheEmptiedMonth()
    {
        Fixture f(true);
        ScheduleDocument& doc = f.doc();
        std::vector<std::array<int, 3>> put; // crew, pairing, day
        for (int p = 0; p <= doc.LastPair && put.size() < 3; ++p)
            for (int d = 0; d < doc.DaysInMonth; ++d)
                if (doc.Pairs[size_t(p)].OpsCount[size_t(d)] == kOpsOpen &&
                    AssignPair(doc, f.ui, int(put.size()), p, d, true) == AssignResult::Done) {
                    put.push_back({int(put.size()), p, d});
                    break;
                }
        QCOMPARE(put.size(), size_t(3));
        QTimer::singleShot(0, &f.frame, [] {
            auto* dialog = qobject_cast<ExportDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QVERIFY(dialog->CrewTypeButton(1)->isChecked());
            dialog->FileName()->setText(QStringLiteral("NOV27"));
            dialog->BaseCode()->setText(QStringLiteral("Y"));
            dialog->EqpCode()->setText(QStringLiteral("8"));
            dialog->ExportNowButton()->click();
            QCOMPARE(dialog->Summary().last(), QStringLiteral("Export Completed"));
            dialog->reject();
        });
        f.frame.Action(CmExportSchedules)->trigger();
        for (const auto& [crew, pairing, day] : put)
            QVERIFY(RemovePair(doc, f.ui, crew, pairing, day) == RemoveResult::Done);

        f.picks << QStringList{f.dir.filePath(QStringLiteral("Export/NOV27.BAW"))};
        QTimer::singleShot(0, &f.frame, [] {
            auto* dialog = qobject_cast<ImportBawLinDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QVERIFY(dialog->Lines().value(0).startsWith(QStringLiteral("0")));
            dialog->ImportButton()->click();
            QCOMPARE(dialog->Lines(), QStringList{QStringLiteral("3 Days Placed")});
            dialog->accept();
        });
        f.frame.Action(CmBlockImport)->trigger();
        QCOMPARE(f.captions.value(0), QStringLiteral("Load BAW Data"));
        for (const auto& [crew, pairing, day] : put)
            QCOMPARE(doc.Crew[size_t(crew)].DaySlot[size_t(day)], pairing);
    }

    // A roster replaced by one that does not load comes back.
    void rosterReplacedOnlyByOneThatLoads()
    {
        Fixture f;
        const int crew = f.doc().CrewCount;
        const std::string first = f.doc().Crew[0].Name;
        f.picks = {{Sample("1127absp.ext")}, {Sample("1127perp.ext")}};
        f.ui.Script({Answer::Yes, Answer::No, Answer::Yes});
        ImportContext c = f.frame.Imports();
        QVERIFY(!ImportRosterExtract(c)); // not a roster: No to loading it anyway
        QVERIFY(f.doc().CrewCount == crew && f.doc().Crew[0].Name == first);
        QVERIFY(ImportRosterExtract(c));
        QVERIFY(f.doc().CrewCount == crew && f.doc().GridOn);
        QCOMPARE(f.captions.value(0), QStringLiteral("Load Crew Roster from Extract"));
        QCOMPARE(f.ui.Dialogs().front(),
                 "Tessara Lines: This will replace the Roster and erase every Block. Proceed");
    }
};

QTEST_MAIN(ImportsTest)
#include "tst_imports.moc"
