#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "storage/month_lock.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/dialogs/backupdialog.h"
#include "ui/dialogs/colourlegenddialog.h"
#include "ui/dialogs/globalinfodialog.h"
#include "ui/dialogs/preferencesdialog.h"
#include "ui/dialogs/selectblocksdialog.h"
#include "ui/dialogs/textdialog.h"
#include "ui/dialogs/warningsdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/recentfiles.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/grid_style.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/settings/qtsettingsstore.h"
#include "ui/windows/framedock.h"
#include "ui/windows/helpwindow.h"
#include "ui/windows/tbidswindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <tuple>

using tl::test::ScriptedInteraction;
using namespace tl;
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
        QVERIFY(doc->SetMonth(quiet, tl::JulianDay(4, 1, 2027), tl::JulianDay(4, 30, 2027)));
        doc->GroupName = "YHZDH8CAH";
        saved = tl::SaveBlocks(*doc, path.toStdString(), tl::kSchedulerFile, quiet);
    }
    void ChooseFile(const QString& chosen)
    {
        frame.SetFileChooser({[chosen](FileChooser::Mode, const QString&, const QString&,
                                       const QString&) { return chosen; }});
    }
    tl::ScheduleDocument& doc() { return frame.Client()->Document(); }

    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("Été"));
    QString path = folder + QStringLiteral("/april.tl2");
    bool saved = false;
    ScriptedInteraction ui;
    tl::MemorySettingsStore settings;
    TMainDecFrameWin frame{ui, settings};
};

// Runs `inspect` on the modal dialog of type T that `command` opens, then
// closes it unless `inspect` did.
template <typename T, typename F> void OnDialog(TMainDecFrameWin& frame, int command, F inspect)
{
    bool seen = false;
    QTimer::singleShot(0, &frame, [&] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        seen = true;
        inspect(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    frame.Action(command)->trigger();
    QVERIFY(seen);
}

// A settings file of these bytes in `dir`; its path.
QString WriteIni(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("tlines.ini"));
    test::WriteAll(path.toStdString(), bytes.toStdString());
    return path;
}

QByteArray ReadIni(const QString& path)
{
    return QByteArray::fromStdString(test::ReadAll(path.toStdString()));
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void openingAMonthInstallsTheSchedulersMenuAndARecentEntryANonMonthNot()
    {
        Fixture f;
        QVERIFY(f.saved);
        // A file that is not a month leaves no month open.
        const QString notes = f.dir.filePath(QStringLiteral("notes.txt"));
        tl::test::WriteAll(notes.toStdString(), "shopping list");
        QVERIFY(!f.frame.OpenFile(notes));
        QCOMPARE(f.frame.MenuName(), QStringLiteral("MENU_3"));
        const std::vector<std::string> notAMonth{"This is Not a Valid Tessara Lines 2 File.: " +
                                                 notes.toStdString()};
        QCOMPARE(f.ui.Dialogs(), notAMonth);

        // Open offers the scheduler's files first.
        QString filter;
        f.frame.SetFileChooser(
            {[&](FileChooser::Mode, const QString&, const QString&, const QString& offered) {
                filter = offered;
                return f.path;
            }});
        f.frame.Action(CmOpen)->trigger();
        QVERIFY(filter.startsWith(QStringLiteral("Tessara Lines File (*.tl2);;")));
        QCOMPARE(f.frame.MenuName(), QStringLiteral("MENU_1"));
        QCOMPARE(f.frame.windowTitle(),
                 QStringLiteral("Tessara Lines - ") + f.path + QStringLiteral("[*]"));
        // The title marks unsaved changes however they were made, once the
        // program is idle; saving clears the mark.
        auto idle = [] {
            QEventLoop loop;
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
            loop.exec();
        };
        idle();
        QVERIFY(!f.frame.isWindowModified());
        f.doc().Modified = true;
        idle();
        QVERIFY(f.frame.isWindowModified());
        f.frame.Action(CmSave)->trigger();
        idle();
        QVERIFY(!f.frame.isWindowModified());
        // Save As starts on the month itself; cancelling it saves nothing.
        QString start;
        f.frame.SetFileChooser(
            {[&](FileChooser::Mode, const QString&, const QString& folder, const QString&) {
                start = folder;
                return QString();
            }});
        f.frame.Action(CmSaveAs)->trigger();
        QCOMPARE(start, f.path);
        QCOMPARE(f.doc().GroupName, std::string("YHZDH8CAH"));
        QVERIFY(f.doc().GridOn); // built on opening
        f.frame.UpdateCommands();
        QVERIFY(f.frame.Action(CmSave)->isEnabled());
        QVERIFY(f.frame.Action(CmUndo)->shortcut().isEmpty()); // "&Undo F1" names its key
        // Keys without an operation behind them stay disabled.
        QVERIFY(!f.frame.Action(CmShowAllBlocks)->isEnabled());
        QVERIFY(!f.frame.Action(CmFilterEmployees)->isEnabled());
        QCOMPARE(f.settings.Get("TL", "LastBlkPath"),
                 std::optional<std::string>(f.folder.toStdString()));
        QCOMPARE(f.ui.Dialogs(), notAMonth);

        // The recent entry of a file gone since is dropped; the open month stays.
        auto* entry = f.frame.findChild<QAction*>(QStringLiteral("Recent1"));
        QVERIFY(entry && entry->text().endsWith(f.path));
        QVERIFY(QFile::remove(f.path));
        entry->trigger();
        QVERIFY(RecentFiles(f.settings).List().isEmpty());
        QCOMPARE(f.settings.Get("Files", "Recent1"), std::optional<std::string>(""));
        QVERIFY(f.ui.Dialogs().back().find("no longer exists") != std::string::npos);
        QCOMPARE(f.frame.MenuName(), QStringLiteral("MENU_1"));
    }

    void recentFilesMostRecentFirstWithoutRepeatsAndAtMostFour()
    {
        tl::MemorySettingsStore settings;
        RecentFiles recent(settings);
        for (const char* name :
             {"/m/a.tl2", "/m/b.tl2", "/m/c.tl2", "/m/d.tl2", "/m/e.tl2", "/m/c.tl2"})
            recent.Add(QString::fromLatin1(name));
        QCOMPARE(recent.List(),
                 QStringList({QStringLiteral("/m/c.tl2"), QStringLiteral("/m/e.tl2"),
                              QStringLiteral("/m/d.tl2"), QStringLiteral("/m/b.tl2")}));
        QCOMPARE(settings.Get("Files", "Recent4"), std::optional<std::string>("/m/b.tl2"));
    }

    // A month another program edits opens read-only when the user says so:
    // the title tells, Save is refused and the file stays as it was.
    void heldMonthOpensReadOnlyOnlyWhenAsked()
    {
        Fixture f;
        tl::MonthLock other;
        QCOMPARE(other.Take(f.path.toStdString()), tl::MonthLock::Result::Taken);
        f.ui.Script({tl::Answer::No, tl::Answer::Yes});
        QVERIFY(!f.frame.OpenFile(f.path));
        QCOMPARE(f.doc().DisplayState, kNoMonthOpen);
        QVERIFY(f.frame.OpenFile(f.path));
        QVERIFY(f.frame.windowTitle().endsWith(QStringLiteral(" (read-only)")));
        const std::string before = tl::test::ReadAll(f.path.toStdString());
        f.doc().Modified = true;
        f.frame.UpdateCommands();
        QVERIFY(!f.frame.Action(CmSave)->isEnabled());
        f.frame.Action(CmSaveForViewer)->trigger();
        QCOMPARE(tl::test::ReadAll(f.path.toStdString()), before);
        const std::vector<std::string> dialogs = f.ui.Dialogs();
        QCOMPARE(dialogs.size(), size_t(3));
        QVERIFY(dialogs[0].starts_with("File in Use: " + f.path.toStdString() +
                                       "\nis open for editing by "));
        QVERIFY(
            dialogs[2].starts_with("File Error: " + f.path.toStdString() + "\nis open read-only"));
    }

    // A viewer copy and a month not read whole open read-only: Save is off and
    // Save As never writes the file itself; a new name makes a scheduler's file.
    void readOnlyMonthsAreSavedOnlyUnderANewName_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("cut");
        QTest::addColumn<QString>("warning"); // empty: opened without one
        const QByteArray ours("TessaraLines29");
        QTest::newRow("viewer") << ours << QByteArray("TLView_Final29") << 0 << QString();
        QTest::newRow("no end") << ours << ours << 4 << QStringLiteral("its end marker is missing");
        QTest::newRow("newer") << ours << QByteArray("TessaraLines30") << 0
                               << QStringLiteral("is newer than");
    }

    void readOnlyMonthsAreSavedOnlyUnderANewName()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, cut);
        QFETCH(QString, warning);
        Fixture f;
        QByteArray bytes = QByteArray::fromStdString(test::ReadAll(f.path.toStdString()));
        bytes.replace(from, to).chop(cut);
        test::WriteAll(f.path.toStdString(), bytes.toStdString());

        QVERIFY(f.frame.OpenFile(f.path));
        QCOMPARE(f.frame.windowTitle(),
                 QStringLiteral("Tessara Lines - ") + f.path + QStringLiteral("[*] (read-only)"));
        QCOMPARE(f.ui.Dialogs().empty(), warning.isEmpty());
        if (!warning.isEmpty())
            QVERIFY(f.ui.Dialogs().back().find("opened read-only: ") != std::string::npos &&
                    f.ui.Dialogs().back().find(warning.toStdString()) != std::string::npos);
        f.frame.UpdateCommands();
        QVERIFY(!f.frame.Action(CmSave)->isEnabled());
        QVERIFY(f.frame.Action(CmSaveAs)->isEnabled());

        f.ChooseFile(f.path);
        f.frame.Action(CmSaveAs)->trigger();
        QVERIFY(f.ui.Dialogs().back().find("is opened read-only") != std::string::npos);
        QCOMPARE(QByteArray::fromStdString(test::ReadAll(f.path.toStdString())), bytes);

        const QString copy = f.folder + QStringLiteral("/april copy.tl2");
        f.ChooseFile(copy);
        f.frame.Action(CmSaveAs)->trigger();
        QCOMPARE(f.frame.windowTitle(),
                 QStringLiteral("Tessara Lines - ") + copy + QStringLiteral("[*]"));
        f.frame.UpdateCommands();
        QVERIFY(f.frame.Action(CmSave)->isEnabled());
    }

    void openingOrClosingOverUnsavedChangesAsksFirst()
    {
        Fixture f;
        f.frame.show();
        QVERIFY(f.frame.OpenFile(f.path));
        f.doc().Modified = true;
        f.ChooseFile(f.path);
        f.ui.Script({tl::Answer::No});
        f.frame.Action(CmOpen)->trigger();
        QCOMPARE(f.ui.Dialogs(),
                 (std::vector<std::string>{
                     "Caution!: All changes to file will be overwritten. Open File Anyway"}));
        QVERIFY(f.doc().Modified);

        f.ui.Script({tl::Answer::Cancel});
        QVERIFY(!f.frame.close());
        QVERIFY(f.frame.isVisible());

        f.ui.Script({tl::Answer::Yes});
        QVERIFY(f.frame.close());
        QVERIFY(!f.doc().Modified);
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
        OnDialog<BackupDialog>(f.frame, CmBackup, [&](BackupDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("folder"))->setText(folder);
            dialog.accept();
        });
        QCOMPARE(f.ui.Dialogs(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(f.settings.Get("TL", "LastBackupPath"), std::nullopt);
    }

    // The main window's 30-second timer writes the ".BAK" beside a modified
    // month every twentieth tick as the AutoSave setting says; the other
    // conditions are the core's.
    void timedBackupWritesOnlyWhenItsConditionsHold_data()
    {
        QTest::addColumn<QString>("autoSave"); // empty: not in the settings
        QTest::addColumn<bool>("written");
        QTest::newRow("auto save by default") << QString() << true;
        QTest::newRow("auto save off") << QStringLiteral("0") << false;
    }

    void timedBackupWritesOnlyWhenItsConditionsHold()
    {
        QFETCH(QString, autoSave);
        QFETCH(bool, written);
        Fixture f;
        if (!autoSave.isEmpty())
            f.settings.Set("TL", "AutoSave", autoSave.toStdString());
        QVERIFY(f.frame.OpenFile(f.path));
        tl::ScheduleDocument& doc = f.frame.Client()->Document();
        doc.Modified = true;
        auto* timer = f.frame.Client()->findChild<QTimer*>(QStringLiteral("backupTimer"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 30000);
        const QString backup = f.folder + QStringLiteral("/april.BAK");
        for (int tick = 1; tick <= 20; ++tick) {
            QVERIFY(!QFile::exists(backup));
            QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        }
        QCOMPARE(QFile::exists(backup), written);
        QVERIFY(doc.Modified); // a backup is not a save
    }

    void buildBlocksAndSaveAsFromTheMenu()
    {
        Fixture f;
        f.frame.show();
        QVERIFY(f.frame.OpenFile(f.path));
        f.frame.UpdateCommands();
        tl::TakeDownGrid(f.doc());
        QVERIFY(!f.frame.Client()->Grid()->isVisible());
        f.frame.Action(CmBuildBlocks)->trigger();
        QVERIFY(f.doc().GridOn);
        QVERIFY(f.frame.Client()->Grid()->isVisible());

        const QString copy = f.dir.filePath(QStringLiteral("april copy"));
        f.ChooseFile(copy);
        f.frame.Action(CmSaveAs)->trigger();
        QVERIFY(QFile::exists(copy + QStringLiteral(".tl2")));
        QCOMPARE(f.frame.windowTitle(),
                 QStringLiteral("Tessara Lines - ") + copy + QStringLiteral(".tl2[*]"));
    }

    // A bid typed into the bids window and not yet stored is part of what
    // Save writes: the pane keeps its text until it loses the focus.
    void saveStoresTheBidBeingEdited()
    {
        Fixture f;
        f.frame.show();
        QVERIFY(f.frame.OpenFile(f.path));
        f.doc().CrewCount = 1;
        f.doc().Crew[0].Name = "ANNE SMITH";
        f.doc().Crew[0].EmpNumber = 42;
        f.frame.Action(CmBuildBlocks)->trigger();
        f.frame.UpdateCommands();
        f.frame.Action(CmBidsWindow)->trigger();
        TBidsWindow* bids = f.frame.BidsWindow();
        QVERIFY(bids != nullptr);
        bids->CrewList()->setCurrentRow(0);
        bids->BidPane()->setPlainText(QStringLiteral("(1). OFF 3"));
        f.ui.Script({tl::Answer::Yes});
        f.frame.Action(CmSave)->trigger();

        tl::ScheduleDocument again;
        again.FileName = f.path.toStdString();
        ScriptedInteraction quiet;
        QVERIFY(tl::LoadBlocks(again, quiet));
        QCOMPARE(again.Crew[0].BidText, std::string("(1). OFF 3"));
    }

    // The docks' layout outlives the frame; which are open is the month's:
    // the toolbox comes back with a month saved with it open, and closing
    // its dock is what the next save records.
    void docksKeepTheirLayoutAndTheToolBoxFollowsTheMonth()
    {
        Fixture f;
        f.frame.show();
        QVERIFY(f.frame.OpenFile(f.path));
        f.doc().BuildState = 1;
        f.frame.UpdateCommands();
        f.ui.Clear();
        f.frame.Action(CmToolBox)->trigger();
        f.frame.addDockWidget(Qt::LeftDockWidgetArea, f.frame.Dock(ToolBoxDockName()));
        f.frame.Action(CmSave)->trigger();
        QVERIFY(f.frame.close());
        f.frame.Client()->DeleteAll(); // lets go of the month

        TMainDecFrameWin again(f.ui, f.settings);
        FrameDock* toolbox = again.Dock(ToolBoxDockName());
        QVERIFY(toolbox->isHidden()); // no month yet
        QVERIFY(again.OpenFile(f.path));
        QVERIFY(!toolbox->isHidden());
        QCOMPARE(again.dockWidgetArea(toolbox), Qt::LeftDockWidgetArea);
        again.UpdateCommands();
        QVERIFY(again.Action(CmToolBox)->isChecked());

        toolbox->close();
        again.UpdateCommands();
        QVERIFY(!again.Action(CmToolBox)->isChecked());
        again.Action(CmSave)->trigger();
        QVERIFY(again.OpenFile(f.path));
        QVERIFY(toolbox->isHidden());
    }

    // The warnings report, help and shortcut windows of one opened month.
    void reportHelpAndShortcuts()
    {
        Fixture f;
        QVERIFY(f.frame.OpenFile(f.path));
        OnDialog<WarningsDialog>(f.frame, CmWarnings, [&](WarningsDialog& dialog) {
            const QStringList expected{QStringLiteral("------- EXCEPTIONS -------"), QString(),
                                       QString(), QStringLiteral("------ WARNINGS ------"),
                                       QString()};
            QCOMPARE(dialog.Lines(), expected);
            dialog.findChild<QPushButton*>(QStringLiteral("CopyButton"))->click();
            QCOMPARE(QApplication::clipboard()->text(),
                     expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        });
        auto messages = f.ui.Only(ScriptedInteraction::Kind::Message);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, std::string("Copied to Windows Clipboard."));

        // Global Information copies its list; the crew lines go as plain and rich text.
        OnDialog<GlobalInfoDialog>(f.frame, CmGlobalInfo, [&](GlobalInfoDialog& dialog) {
            QVERIFY(dialog.Lines().contains(QStringLiteral("No Blocks")));
            dialog.findChild<QPushButton*>(QStringLiteral("CopyButton"))->click();
            QCOMPARE(QApplication::clipboard()->text(),
                     dialog.Lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        });
        f.frame.Action(CmPrintBlocksToClipboard)->trigger();
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied->text().startsWith(QStringLiteral("Crew Lines for Apr 2027  april\n\r\n")));
        QVERIFY(copied->html().contains(QStringLiteral("Courier New")));
        messages = f.ui.Only(ScriptedInteraction::Kind::Message);
        QCOMPARE(messages[1].text, std::string("Copied to Windows Clipboard."));
        QCOMPARE(messages[2].text, std::string("Blocks copied to Windows Clipboard. To view select "
                                               "Edit, Paste from your Word Processing program."));
        f.frame.Action(CmHelpOnHelp)->trigger();
        auto* help = f.frame.findChild<HelpWindow*>();
        QVERIFY(help != nullptr);
        QCOMPARE(help->Page(), QUrl(QStringLiteral("qrc:/help/using.html")));
        QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().startsWith(
            QStringLiteral("Using Help")));
        f.frame.Action(CmHelpContents)->trigger();
        QCOMPARE(f.frame.findChildren<HelpWindow*>().size(), 1);
        // The contents say which commands are not built yet, as the menus stand.
        const QString contents = help->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY(contents.contains(QStringLiteral("Build Blocks")));
        QVERIFY(!contents.contains(QStringLiteral("File > Print > Print Blocks...")));
        QVERIFY(!contents.contains(QStringLiteral("View > Global Info...")));
        QVERIFY(!contents.contains(QStringLiteral("Undo the last transaction (not")));
        QVERIFY(!contents.contains(QStringLiteral("Edit > Undo F1")));

        f.frame.UpdateCommands();
        f.frame.Action(CmColourLegend)->trigger();
        auto* legend = f.frame.findChild<ColourLegendDialog*>();
        QVERIFY(legend && legend->isVisible());
        QCOMPARE(legend->findChildren<QLabel*>(QStringLiteral("LegendName")).first()->text(),
                 QStringLiteral("Low Credit Pairings"));

        OnDialog<TextDialog>(f.frame, CmShortcuts, [](TextDialog& dialog) {
            QStringList lines = dialog.Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 13);
            QCOMPARE(lines.first(), QStringLiteral("F4  Show / Hide Pairing Window"));
            // Keys whose command is not built yet say so; the others do not.
            QVERIFY(lines.contains(QStringLiteral("F1  Undo")));
            QVERIFY(lines.contains(QStringLiteral("F9  Global Info")));
            QVERIFY(lines.contains(QStringLiteral("=   Generate Pairing Report to Clipboard")));
            QCOMPARE(lines.last(), QStringLiteral("<-- View Last Month while Pressed"));
        });
    }

    void exportsPageChosenBlocksTrainingReportAndMail()
    {
        Fixture f;
        QVERIFY(f.frame.OpenFile(f.path));
        f.doc().CrewCount = 2;
        f.doc().Crew[1].Name = "ROY";
        f.doc().BuildState = 1;
        f.frame.UpdateCommands();

        f.frame.Action(CmInternet)->trigger();
        QVERIFY(QFile::exists(f.folder + QStringLiteral("/april.htm")));
        // The chosen blocks and both settings, kept for next time.
        OnDialog<SelectBlocksDialog>(f.frame, CmCopyBlocks, [](SelectBlocksDialog& dialog) {
            QCOMPARE(dialog.windowTitle(),
                     QStringLiteral("Select Blocks to Copy to the Windows Clipboard"));
            dialog.findChild<QListWidget*>()->item(1)->setSelected(true);
            dialog.findChild<QCheckBox*>(QStringLiteral("ClipXes"))->setChecked(true);
            dialog.accept();
        });
        const QString copied = QApplication::clipboard()->text();
        QVERIFY(copied.startsWith(QStringLiteral(
            "Selected Blocks for Apr 2027.\r\n\r\nName: ROY  Emp: 000000000  Credit 00:00 ")));
        QCOMPARE(f.settings.GetInt("CLIPBOARD", "ClipXes", 0), 1);
        QCOMPARE(f.settings.GetInt("CLIPBOARD", "ClipPairs", 1), 0);
        const QString csv = f.folder + QStringLiteral("/training.csv");
        f.ChooseFile(csv);
        f.frame.Action(CmTrainingReport)->trigger();
        QVERIFY(QFile::exists(csv));
        f.frame.Action(CmEmail)->trigger();
        QVERIFY(f.ui.Only(ScriptedInteraction::Kind::Message)
                    .at(0)
                    .text.starts_with("HTML Tessara Lines File Saved as "));
        QCOMPARE(f.ui.Only(ScriptedInteraction::Kind::Question).at(0).text,
                 std::string("This email file will include all personal data.\n Use Export "
                             "feature for Saving without personal data.\n Do you want to "
                             "Continue?"));
    }

    void preferencesShowAndReturnWhatTheyWereGivenAndChanged()
    {
        Preferences p;
        std::tie(p.Grid, p.AutoSave, p.XPadding, p.DebugFile) = std::tuple(true, false, 2, true);
        p.CustomColors = "000,000,000,000,000,255"; // an older, shorter text
        p.Font = GridFont{"DejaVu Sans", 13, 5, 700, false};
        PreferencesDialog dialog(p);
        const Preferences back = dialog.Result();
        QVERIFY(back.Grid && !back.AutoSave && back.DebugFile);
        QCOMPARE(back.XPadding, 2);
        QCOMPARE(back.CustomColors, p.CustomColors); // untouched colours keep their text
        QCOMPARE(back.Font, p.Font);

        // A hand-edited height of INT32_MIN must not reach std::abs.
        p.Font = GridFont{"Arial", INT32_MIN, 5, 5000, false};
        QCOMPARE(PreferencesDialog(p).Result().Font,
                 (GridFont{"Arial", -kMaxFontPixels, 5, 1000, false}));

        // Changes reach the result.
        dialog.findChild<QCheckBox*>(QStringLiteral("debugFile"))->setChecked(false);
        dialog.findChild<QCheckBox*>(QStringLiteral("autoSave"))->setChecked(true);
        dialog.findChild<QSpinBox*>(QStringLiteral("yPadding"))->setValue(9);
        dialog.SetColour(12, Rgb{10, 20, 30});
        const Preferences changed = dialog.Result();
        QVERIFY(!changed.DebugFile && changed.AutoSave);
        QCOMPARE(changed.YPadding, 9);
        QCOMPARE(ParseCustomColors(changed.CustomColors)[12], (Rgb{10, 20, 30}));

        dialog.findChild<QPushButton*>(QStringLiteral("resetColours"))->click();
        QCOMPARE(dialog.Result().CustomColors, std::string(kDefaultCustomColors));
        // Each colour goes by what it colours.
        auto* colours = dialog.findChild<QListWidget*>(QStringLiteral("colours"));
        QCOMPARE(colours->count(), kGridColours);
        QCOMPARE(colours->item(0)->text(), QStringLiteral("Low Credit Pairings  (0, 0, 0)"));
        QVERIFY(colours->item(12)->text().startsWith(QStringLiteral("Pairing Window Background")));
    }

    // Texts drawn in the default colours read on what they stand on; the old
    // red credit on grey is the measure of what did not.
    void defaultColoursReadOnTheirBackgrounds_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("readable");
        const GridStyle s = GridStyle::FromPreferences(Preferences{});
        auto c = [&s](GridColour which) { return s.Colour(which); };
        const QColor grid = c(kBlockWindowBackground);
        QTest::newRow("red credit on old grey")
            << QColor(255, 0, 0) << QColor(192, 192, 192) << false;
        QTest::newRow("credit outside range") << c(kBlkTotalOutsideRange) << grid << true;
        QTest::newRow("credit in range") << c(kBlkTotalInRange) << grid << true;
        QTest::newRow("reserve credit") << c(kReserve) << grid << true;
        QTest::newRow("name") << QColor(0, 100, 0) << grid << true;
        QTest::newRow("weekend in header") << c(kBlkTotalOutsideRange) << grid.lighter(110) << true;
        QTest::newRow("reserve code, last month") << c(kReserve) << grid.darker(115) << true;
        QTest::newRow("request code on a weekend")
            << ReadableOn(c(kPairOverRequestedDayOff), grid.darker(106)) << grid.darker(106)
            << true;
        for (GridColour bar : {kDutyTime, kRestTime, kPairOverRequestedDayOff})
            QTest::addRow("high credit number on %s", qPrintable(GridColourName(bar)))
                << c(kHighCreditPairings) << c(bar) << true;
        QTest::newRow("assigned on the board")
            << QColor(96, 96, 96) << c(kPairingWindowBackground).lighter(112) << true;
    }
    void defaultColoursReadOnTheirBackgrounds()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        QFETCH(bool, readable);
        QCOMPARE(ContrastRatio(text, background) >= kReadableContrast, readable);
    }

    // Written at once; a file that cannot be written is reported, and the
    // settings hold until the program closes.
    void menuCommandWritesTheSettingsOnOk_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("written") << true;
        QTest::newRow("folder is a file") << false;
    }
    void menuCommandWritesTheSettingsOnOk()
    {
        QFETCH(bool, writable);
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
        test::WriteAll(blocker.toStdString(), "");
        const QString path = writable ? dir.filePath(QStringLiteral("tlines.ini"))
                                      : blocker + QStringLiteral("/tlines.ini");
        test::ScriptedInteraction ui;
        QtSettingsStore settings(path);
        TMainDecFrameWin frame(ui, settings);
        frame.show();
        // The command lives in the scheduler's menu; give the frame a month.
        frame.Client()->Document().DisplayState = kMonthOpen;
        frame.UpdateCommands();
        OnDialog<PreferencesDialog>(frame, CmPreferences, [](PreferencesDialog& dialog) {
            dialog.findChild<QCheckBox*>(QStringLiteral("debugFile"))->setChecked(true);
            dialog.accept();
        });
        QCOMPARE(settings.Get("TL", "DebugFile"), std::optional<std::string>("1"));
        QCOMPARE(settings.Get("TL", "XPadding"),
                 std::optional<std::string>("6")); // unchanged ones too
        QCOMPARE(ReadIni(path).contains("DebugFile=1"), writable);
        QCOMPARE(ui.Dialogs(),
                 writable ? std::vector<std::string>{}
                          : std::vector<std::string>{
                                "File Error: The settings could not be written to " +
                                path.toStdString() +
                                ". They hold until Tessara Lines closes; check that the folder "
                                "exists and can be written."});
    }

    // The file is the core's profile text on disk (its cases are the core's):
    // a hand-edited file reads literally, whatever the case of its names, and
    // a save rewrites the lines of the keys set alone, in the file's own
    // section, with texts holding commas kept whole.
    void savingKeepsEveryLineButTheKeysSet()
    {
        const QByteArray handEdited =
            "; by hand\r\n[tl]\r\nLastBlkPath=c:\\\r\n"
            "LastPrgPath=C:\\temp\\nov\r\nLastRosterPath=C:\\\xC9t\xE9\r\n"
            "Grid\r\n lastbackupdrive = 2 \r\nLASTBLKPATH=d:\\\r\nXPadding=12\r\n"
            "CustomColors=000,000,000,000,000,255\r\n\r\n[CLIPBOARD]\r\nClipPairs=1\r\n"
            "[Other]\r\nX=\"a,b\" \\\r\n";
        QTemporaryDir dir;
        const QString path = WriteIni(dir, handEdited);
        {
            QtSettingsStore store(path);
            QCOMPARE(LastFolder(store, "LastBlkPath"), std::string("c:\\"));
            QCOMPARE(LastFolder(store, "LastRosterPath"), std::string("C:\\\xC9t\xE9"));
            QCOMPARE(store.GetInt("TL", "LastBackupDrive", 0), 2);
            QCOMPARE(store.Get("Other", "X"), std::optional<std::string>("\"a,b\" \\"));
            const Preferences p = Preferences::Read(store);
            QCOMPARE(p.XPadding, 1); // out of range
            QCOMPARE(p.CustomColors, std::string("000,000,000,000,000,255"));
            QVERIFY(p.ClipPairs);
            SetLastFolder(store, "LastBlkPath", "/home/\xC3\xA9");
            SetLastFolder(store, "LastPRGPath", "/new, with comma");
            QVERIFY(store.Save());
        }
        QByteArray changed = handEdited;
        changed.replace("LastBlkPath=c:\\\r\n", "LastBlkPath=/home/\xC3\xA9\r\n");
        changed.replace("LastPrgPath=C:\\temp\\nov", "LastPRGPath=/new, with comma");
        QCOMPARE(ReadIni(path), changed);
        QtSettingsStore reread(path);
        QCOMPARE(LastFolder(reread, "LastBlkPath"), std::string("/home/\xC3\xA9"));
        QCOMPARE(LastFolder(reread, "lastprgpath"), std::string("/new, with comma"));
    }

    // A save goes into the file as it is on disk then; a file that cannot be
    // read whole is never written over.
    void savingKeepsChangesMadeMeanwhileAndSparesAnUnreadableFile()
    {
        QTemporaryDir dir;
        const QString path = WriteIni(dir, "[TL]\nGrid=1\n");
        QtSettingsStore store(path);
        store.Set("TL", "Grid", "0");
        WriteIni(dir, "[TL]\nGrid=1\nAutoSave=0\n");
        QVERIFY(store.Save());
        QCOMPARE(ReadIni(path), QByteArray("[TL]\nGrid=0\nAutoSave=0\n"));

        const QByteArray huge(static_cast<qsizetype>(kMaxProfileBytes) + 1, '\n');
        WriteIni(dir, "[TL]\nGrid=1\n" + huge);
        QtSettingsStore tooBig(path);
        QCOMPARE(tooBig.Get("TL", "Grid"), std::nullopt);
        tooBig.Set("TL", "Grid", "0");
        QVERIFY(!tooBig.Save());
        QCOMPARE(ReadIni(path).size(), huge.size() + 12);
    }
};

QTEST_MAIN(FrameTest)
#include "tst_frame.moc"
