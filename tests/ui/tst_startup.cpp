#include "model/debug_trace.h"
#include "model/schedule_document.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/app/instanceguard.h"
#include "ui/app/tlapp.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

namespace {

// One start of the program in a fresh folder, its lock and trace in there.
struct Run {
    QString Lock() const { return dir.filePath(QStringLiteral("lock")); }
    QString TraceFolder() const { return dir.filePath(QStringLiteral("TLDebug")); }

    QTemporaryDir dir;
    ScriptedInteraction ui;
    tl::MemorySettingsStore settings;
    tl::DebugTrace trace;
    InstanceGuard guard{Lock()};
    TLApp app{ui, settings, trace, TraceFolder()};
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstCopyShowsTheFrame()
    {
        Run run;
        QCOMPARE(run.app.Start(run.guard), std::optional<int>());
        QVERIFY(run.app.Frame() && run.app.Frame()->isVisible());
        QVERIFY(run.ui.Dialogs().empty());
        QVERIFY(!run.trace.IsOpen()); // DebugFile is off by default
    }

    void secondCopyIsRefusedWithExitCodeZeroUntilTheFirstEnds()
    {
        Run run;
        {
            InstanceGuard running(run.Lock());
            QVERIFY(running.TryAcquire());
            QCOMPARE(run.app.Start(run.guard), std::optional<int>(0));
            QVERIFY(!run.app.Frame());
            QCOMPARE(run.ui.Dialogs(), (std::vector<std::string>{
                                           "Tessara Lines: Tessara Lines is Currently Running"}));
        }
        InstanceGuard next(run.Lock());
        QVERIFY(next.TryAcquire());
    }

    void debugTraceRunsFromStartToNormalEnd()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("TLDebug"));
        tl::MemorySettingsStore settings;
        settings.Set("TL", "DebugFile", "1");
        {
            InstanceGuard guard(dir.filePath(QStringLiteral("lock")));
            // The program's own interaction, which writes its trace lines
            // into the trace file once that is open.
            QtInteraction ui;
            tl::DebugTrace trace;
            ui.SetTrace(&trace);
            TLApp app(ui, settings, trace, folder);
            QCOMPARE(app.Start(guard), std::optional<int>());
            QVERIFY(trace.IsOpen());
        }
        // The trace is open before the window first empties the document.
        QFile file(folder + QStringLiteral("/TLDebug.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("BeginDeleteAll\nZeroDataBegin\nZeroDataEnd\nEndDeleteAll\n"
                            "Tessara Lines Termination Normal\n"));
    }

    void fileNamedOnTheCommandLineIsOpened()
    {
        Run run;
        const QString path = run.dir.filePath(QStringLiteral("may.tl2"));
        {
            ScriptedInteraction quiet;
            auto doc = std::make_unique<tl::ScheduleDocument>();
            QVERIFY(doc->SetMonth(quiet, 2461527, 2461557));
            doc->GroupName = "YYCDH4FOY";
            QVERIFY(tl::SaveBlocks(*doc, path.toStdString(), tl::kSchedulerFile, quiet));
        }
        // "tlines may.tl2" from the month's folder: the name is kept in full,
        // so the commands that write beside the file still find its folder.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(run.dir.path()));
        const std::optional<int> started = run.app.Start(run.guard, QStringLiteral("may.tl2"));
        QDir::setCurrent(before);
        QCOMPARE(started, std::optional<int>());
        QCOMPARE(run.app.Frame()->MenuName(), QStringLiteral("MENU_1"));
        QCOMPARE(run.app.Frame()->Client()->Document().GroupName, std::string("YYCDH4FOY"));
        QCOMPARE(run.app.Frame()->Client()->Document().FileName, path.toStdString());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
