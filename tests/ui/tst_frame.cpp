#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/aboutdialog.h"
#include "ui/dialogs/backupdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

namespace {

QStringList Items(QMenu* menu)
{
    QStringList items;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            items << a->text();
    return items;
}

// Writes a small month to `path` the way the program saves it.
void WriteMonth(const QString& path)
{
    ScriptedInteraction ui;
    auto doc = std::make_unique<tl::ScheduleDocument>();
    doc->SetMonth(ui, tl::JulianDay(4, 1, 2027), tl::JulianDay(4, 30, 2027));
    doc->GroupName = "YHZDH8CAH";
    doc->CrewCount = 1;
    doc->Crew[0].Name = "LEBLANC A";
    QVERIFY(tl::SaveBlocks(*doc, path.toStdString(), tl::kSchedulerFile, ui));
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void startsWithNoMonthMenu()
    {
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        QCOMPARE(frame.windowTitle(), QStringLiteral("Tessara Lines"));
        QCOMPARE(frame.MenuName(), QStringLiteral("MENU_3"));

        const QList<QAction*> menus = frame.menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Help"));
        QCOMPARE(Items(menus[0]->menu()), (QStringList{QStringLiteral("&New"), QStringLiteral("&Open"),
                                                       QStringLiteral("E&xit")}));
        QCOMPARE(Items(menus[1]->menu()), QStringList{QStringLiteral("&About Tessara Lines...")});
    }

    void statusBarShowsEmptyBlockTotal()
    {
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        QCOMPARE(frame.StatusText(), QStringLiteral(" TB 000:00"));
        auto* label = frame.findChild<QLabel*>(QStringLiteral("StatusText"));
        QVERIFY(label);
        QVERIFY(label->font().bold());
    }

    void toolBarHasFiveButtonsInOrder()
    {
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        auto* bar = frame.findChild<QToolBar*>(QStringLiteral("ToolBar"));
        QVERIFY(bar);
        QList<int> ids;
        for (QAction* a : bar->actions())
            ids << a->data().toInt();
        QCOMPARE(ids, (QList<int>{CmNew, CmOpen, CmSave, CmSaveAs, CmAbout}));
        for (QAction* a : bar->actions())
            QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
    }

    // Without a month only New, Open, Exit and About are offered; New waits
    // for the new-month wizard, Save and Save As need a month.
    void withoutMonthOnlyOpenExitAndAboutWork()
    {
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        frame.UpdateCommands();
        QVERIFY(frame.Action(CmAbout)->isEnabled());
        QVERIFY(frame.Action(CmExit)->isEnabled());
        QVERIFY(frame.Action(CmOpen)->isEnabled());
        QVERIFY(!frame.Action(CmNew)->isEnabled());
        QVERIFY(!frame.Action(CmSave)->isEnabled());
        QVERIFY(!frame.Action(CmSaveAs)->isEnabled());
    }

    void enablingRules_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("displayState");
        QTest::addColumn<bool>("untitled");
        QTest::addColumn<int>("buildState");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("save without month") << int(CmSave) << 3 << false << 0 << false;
        QTest::newRow("save untitled month") << int(CmSave) << 1 << true << 0 << false;
        QTest::newRow("save named month") << int(CmSave) << 1 << false << 0 << true;
        QTest::newRow("save as without month") << int(CmSaveAs) << 3 << false << 0 << false;
        QTest::newRow("save as untitled month") << int(CmSaveAs) << 1 << true << 0 << true;
        QTest::newRow("backup untitled") << int(CmBackup) << 1 << true << 0 << false;
        QTest::newRow("backup named") << int(CmBackup) << 1 << false << 0 << true;
        QTest::newRow("print before building") << int(CmPrintBlocks) << 1 << false << 0 << false;
        QTest::newRow("print once built") << int(CmPrintBlocks) << 1 << false << 1 << true;
        QTest::newRow("copy blocks before building") << int(CmCopyBlocks) << 1 << false << 0 << false;
        QTest::newRow("crew complement always") << int(CmCrewComplement) << 3 << false << 0 << true;
    }

    void enablingRules()
    {
        QFETCH(int, command);
        QFETCH(int, displayState);
        QFETCH(bool, untitled);
        QFETCH(int, buildState);
        QFETCH(bool, enabled);
        CommandContext context;
        context.DisplayState = displayState;
        context.Untitled = untitled;
        context.BuildState = buildState;
        QCOMPARE(CommandEnabled(command, context), enabled);
    }

    void openingAMonthInstallsTheSchedulersMenu()
    {
        QTemporaryDir dir;
        // A folder name outside ASCII shows in the title as the system spells it.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Été")));
        const QString folder = dir.filePath(QStringLiteral("Été"));
        const QString path = folder + QStringLiteral("/april.tl2");
        WriteMonth(path);
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        frame.SetFileChooser({[&](FileChooser::Mode, const QString&, const QString&, const QString&) {
            return path;
        }});
        frame.Action(CmOpen)->trigger();

        QCOMPARE(frame.MenuName(), QStringLiteral("MENU_1"));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Tessara Lines - ") + path);
        QCOMPARE(frame.Client()->Document().GroupName, std::string("YHZDH8CAH"));
        QStringList top;
        for (QAction* a : frame.menuBar()->actions())
            top << a->text();
        QCOMPARE(top, (QStringList{QStringLiteral("Fil&e"), QStringLiteral("&Edit"), QStringLiteral("&Build"),
                                   QStringLiteral("&View"), QStringLiteral("&Help")}));
        QCOMPARE(frame.Action(CmOpen)->text(), QStringLiteral("&Open..."));
        frame.UpdateCommands();
        QVERIFY(frame.Action(CmSave)->isEnabled());
        QVERIFY(frame.Action(CmBackup)->isEnabled());
        QVERIFY(!frame.Action(CmPrintBlocks)->isEnabled()); // not built yet
        QVERIFY(!frame.Action(CmBuildBlocks)->isEnabled()); // no operation behind it yet
        QCOMPARE(frame.Action(CmBackup)->shortcut(), QKeySequence(Qt::Key_F8));
        QCOMPARE(settings.Get("TL", "LastBlkPath"), std::optional<std::string>(folder.toStdString()));
        QVERIFY(ui.Dialogs().empty());
    }

    void aFileThatIsNotAMonthLeavesNoMonthOpen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("notes.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("shopping list");
        file.close();
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        QVERIFY(!frame.OpenFile(path));
        QCOMPARE(frame.MenuName(), QStringLiteral("MENU_3"));
        QCOMPARE(ui.Dialogs(), (std::vector<std::string>{"This is Not a Valid Tessara Lines 2 File.: " +
                                                        path.toStdString()}));
    }

    void openingOverUnsavedChangesAsksFirst()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("april.tl2"));
        WriteMonth(path);
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        QVERIFY(frame.OpenFile(path));
        frame.Client()->Document().Modified = true;
        bool asked = false;
        frame.SetFileChooser({[&](FileChooser::Mode, const QString&, const QString&, const QString&) {
            asked = true;
            return path;
        }});
        ui.Script({tl::Answer::No});
        frame.Action(CmOpen)->trigger();
        QVERIFY(!asked);
        QCOMPARE(ui.Dialogs(), (std::vector<std::string>{
                                   "Caution!: All changes to file will be overwritten. Open File Anyway"}));
        QVERIFY(frame.Client()->Document().Modified);
    }

    void saveAsWritesTheChosenFileAndRetitles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("april.tl2"));
        WriteMonth(path);
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        QVERIFY(frame.OpenFile(path));
        const QString copy = dir.filePath(QStringLiteral("april copy"));
        frame.SetFileChooser({[&](FileChooser::Mode mode, const QString&, const QString&, const QString&) {
            return mode == FileChooser::Mode::Save ? copy : QString();
        }});
        frame.Action(CmSaveAs)->trigger();
        QVERIFY(QFile::exists(copy + QStringLiteral(".tl2")));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Tessara Lines - ") + copy + QStringLiteral(".tl2"));
    }

    void closingWithUnsavedChangesOffersToSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("april.tl2"));
        WriteMonth(path);
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        frame.show();
        QVERIFY(frame.OpenFile(path));
        frame.Client()->Document().Modified = true;

        ui.Script({tl::Answer::Cancel});
        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible());

        ui.Script({tl::Answer::Yes});
        QVERIFY(frame.close());
        QVERIFY(!frame.Client()->Document().Modified);
        QCOMPARE(ui.Dialogs().back(), "Tessara Lines: Save changes to " + path.toStdString() +
                                          " before closing?");
    }

    // A relative or missing backup folder is named as such, not as a
    // read-only file, and nothing is written.
    void backupRefusesAFolderThatIsNotThere_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("relative") << QStringLiteral("backups")
                                  << QStringLiteral("File Error: The backup folder backups is not a full "
                                                    "path. Give the folder from the top, such as "
                                                    "/media/backup.");
        QTest::newRow("missing") << QStringLiteral("/nonexistent/backups")
                                 << QStringLiteral("File Error: The backup folder /nonexistent/backups "
                                                   "does not exist. Choose a folder that exists.");
    }

    void backupRefusesAFolderThatIsNotThere()
    {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("april.tl2"));
        WriteMonth(path);
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        frame.show();
        QVERIFY(frame.OpenFile(path));
        frame.UpdateCommands();
        QTimer::singleShot(0, &frame, [folder] {
            auto* dialog = qobject_cast<BackupDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>(QStringLiteral("folder"))->setText(folder);
            dialog->accept();
        });
        frame.Action(CmBackup)->trigger();
        QCOMPARE(ui.Dialogs(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(settings.Get("TL", "LastBackupPath"), std::nullopt);
    }

    void aboutDialogOpensFromMenuAndShowsVersion()
    {
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        frame.show();
        QString seenTitle;
        QString seenVersion;
        QTimer::singleShot(0, &frame, [&] {
            auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            if (dialog) {
                seenTitle = dialog->windowTitle();
                seenVersion = dialog->VersionText();
                dialog->accept();
            }
        });
        frame.Action(CmAbout)->trigger();
        QCOMPARE(seenTitle, QStringLiteral("About Tessara Lines"));
        QVERIFY(seenVersion.startsWith(QStringLiteral("Version ")));
    }

    void exitClosesTheFrameWithoutQuestionsWhenNothingChanged()
    {
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.Action(CmExit)->trigger();
        QVERIFY(!frame.isVisible());
        QVERIFY(ui.Dialogs().empty());
    }
};

QTEST_MAIN(FrameTest)
#include "tst_frame.moc"
