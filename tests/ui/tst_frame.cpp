#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/backupdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

namespace {

// A frame with a small month saved in a fresh folder, not yet opened. The
// folder name is outside ASCII so titles and settings show it as the system
// spells it.
struct Fixture {
    Fixture()
    {
        QDir(dir.path()).mkdir(QStringLiteral("Été"));
        ScriptedInteraction quiet;
        auto doc = std::make_unique<tl::ScheduleDocument>();
        doc->SetMonth(quiet, tl::JulianDay(4, 1, 2027), tl::JulianDay(4, 30, 2027));
        doc->GroupName = "YHZDH8CAH";
        saved = tl::SaveBlocks(*doc, path.toStdString(), tl::kSchedulerFile, quiet);
    }
    void ChooseFile(const QString& chosen)
    {
        frame.SetFileChooser({[chosen](FileChooser::Mode, const QString&, const QString&,
                                       const QString&) { return chosen; }});
    }

    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("Été"));
    QString path = folder + QStringLiteral("/april.tl2");
    bool saved = false;
    ScriptedInteraction ui;
    tl::MemorySettingsStore settings;
    TMainDecFrameWin frame{ui, settings};
};

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void openingAMonthInstallsTheSchedulersMenu()
    {
        Fixture f;
        QVERIFY(f.saved);
        QCOMPARE(f.frame.MenuName(), QStringLiteral("MENU_3"));
        f.ChooseFile(f.path);
        f.frame.Action(CmOpen)->trigger();
        QCOMPARE(f.frame.MenuName(), QStringLiteral("MENU_1"));
        QCOMPARE(f.frame.windowTitle(), QStringLiteral("Tessara Lines - ") + f.path);
        QCOMPARE(f.frame.Client()->Document().GroupName, std::string("YHZDH8CAH"));
        QVERIFY(f.frame.Client()->Document().GridOn); // built on opening
        f.frame.UpdateCommands();
        QVERIFY(f.frame.Action(CmSave)->isEnabled());
        QVERIFY(f.frame.Action(CmUndo)->shortcut().isEmpty()); // "&Undo F1" names its key
        QCOMPARE(f.settings.Get("TL", "LastBlkPath"),
                 std::optional<std::string>(f.folder.toStdString()));
        QVERIFY(f.ui.Dialogs().empty());
    }

    void aFileThatIsNotAMonthLeavesNoMonthOpen()
    {
        Fixture f;
        const QString path = f.dir.filePath(QStringLiteral("notes.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("shopping list");
        file.close();
        QVERIFY(!f.frame.OpenFile(path));
        QCOMPARE(f.frame.MenuName(), QStringLiteral("MENU_3"));
        QCOMPARE(f.ui.Dialogs(),
                 (std::vector<std::string>{"This is Not a Valid Tessara Lines 2 File.: " +
                                           path.toStdString()}));
    }

    void openingOverUnsavedChangesAsksFirst()
    {
        Fixture f;
        QVERIFY(f.frame.OpenFile(f.path));
        f.frame.Client()->Document().Modified = true;
        f.ChooseFile(f.path);
        f.ui.Script({tl::Answer::No});
        f.frame.Action(CmOpen)->trigger();
        QCOMPARE(f.ui.Dialogs(),
                 (std::vector<std::string>{
                     "Caution!: All changes to file will be overwritten. Open File Anyway"}));
        QVERIFY(f.frame.Client()->Document().Modified);
    }

    void saveAsWritesTheChosenFileAndRetitles()
    {
        Fixture f;
        QVERIFY(f.frame.OpenFile(f.path));
        const QString copy = f.dir.filePath(QStringLiteral("april copy"));
        f.ChooseFile(copy);
        f.frame.Action(CmSaveAs)->trigger();
        QVERIFY(QFile::exists(copy + QStringLiteral(".tl2")));
        QCOMPARE(f.frame.windowTitle(),
                 QStringLiteral("Tessara Lines - ") + copy + QStringLiteral(".tl2"));
    }

    void closingWithUnsavedChangesOffersToSave()
    {
        Fixture f;
        f.frame.show();
        QVERIFY(f.frame.OpenFile(f.path));
        f.frame.Client()->Document().Modified = true;

        f.ui.Script({tl::Answer::Cancel});
        QVERIFY(!f.frame.close());
        QVERIFY(f.frame.isVisible());

        f.ui.Script({tl::Answer::Yes});
        QVERIFY(f.frame.close());
        QVERIFY(!f.frame.Client()->Document().Modified);
        QCOMPARE(f.ui.Dialogs().back(),
                 "Tessara Lines: Save changes to " + f.path.toStdString() + " before closing?");

        const size_t asked = f.ui.Dialogs().size();
        f.frame.show();
        f.frame.Action(CmExit)->trigger(); // nothing changed: no question
        QVERIFY(!f.frame.isVisible());
        QCOMPARE(f.ui.Dialogs().size(), asked);
    }

    // A relative or missing backup folder is named as such, not as a
    // read-only file, and nothing is written.
    void backupRefusesAFolderThatIsNotThere_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("relative")
            << QStringLiteral("backups")
            << QStringLiteral("File Error: The backup folder backups is not a full "
                              "path. Give the folder from the top, such as /media/backup.");
        QTest::newRow("missing") << QStringLiteral("/nonexistent/backups")
                                 << QStringLiteral(
                                        "File Error: The backup folder /nonexistent/backups "
                                        "does not exist. Choose a folder that exists.");
    }

    void backupRefusesAFolderThatIsNotThere()
    {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        Fixture f;
        f.frame.show();
        QVERIFY(f.frame.OpenFile(f.path));
        f.frame.UpdateCommands();
        QTimer::singleShot(0, &f.frame, [folder] {
            auto* dialog = qobject_cast<BackupDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>(QStringLiteral("folder"))->setText(folder);
            dialog->accept();
        });
        f.frame.Action(CmBackup)->trigger();
        QCOMPARE(f.ui.Dialogs(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(f.settings.Get("TL", "LastBackupPath"), std::nullopt);
    }

    // The main window's 30-second timer writes the ".BAK" beside the file
    // every twentieth tick, only for a named, modified month with AutoSave on.
    void timedBackupWritesOnlyWhenItsConditionsHold_data()
    {
        QTest::addColumn<QString>("autoSave"); // empty: not in the settings
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("untitled");
        QTest::addColumn<bool>("written");
        QTest::newRow("auto save by default") << QString() << true << false << true;
        QTest::newRow("auto save off") << QStringLiteral("0") << true << false << false;
        QTest::newRow("unmodified") << QStringLiteral("1") << false << false << false;
        QTest::newRow("untitled") << QStringLiteral("1") << true << true << false;
    }

    void timedBackupWritesOnlyWhenItsConditionsHold()
    {
        QFETCH(QString, autoSave);
        QFETCH(bool, modified);
        QFETCH(bool, untitled);
        QFETCH(bool, written);
        Fixture f;
        if (!autoSave.isEmpty())
            f.settings.Set("TL", "AutoSave", autoSave.toStdString());
        QVERIFY(f.frame.OpenFile(f.path));
        tl::ScheduleDocument& doc = f.frame.Client()->Document();
        doc.Modified = modified;
        doc.Untitled = untitled;
        auto* timer = f.frame.Client()->findChild<QTimer*>(QStringLiteral("backupTimer"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 30000);
        const QString backup = f.folder + QStringLiteral("/april.BAK");
        for (int tick = 1; tick <= 20; ++tick) {
            QVERIFY(!QFile::exists(backup));
            QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        }
        QCOMPARE(QFile::exists(backup), written);
        QCOMPARE(doc.Modified, modified); // a backup is not a save
    }
};

QTEST_MAIN(FrameTest)
#include "tst_frame.moc"
