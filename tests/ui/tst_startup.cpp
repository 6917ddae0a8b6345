#include "model/debug_trace.h"
#include "model/schedule_document.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/app/instanceguard.h"
#include "ui/app/tlapp.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"

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
        QVERIFY(run.app.Frame());
        QVERIFY(run.app.Frame()->isVisible());
        QVERIFY(run.ui.Dialogs().empty());
        QVERIFY(!run.trace.IsOpen()); // DebugFile is off by default
    }

    void secondCopyIsRefusedWithExitCodeZero()
    {
        Run run;
        InstanceGuard running(run.Lock());
        QVERIFY(running.TryAcquire());
        QCOMPARE(run.app.Start(run.guard), std::optional<int>(0));
        QVERIFY(!run.app.Frame());
        QCOMPARE(run.ui.Dialogs(),
                 (std::vector<std::string>{"Tessara Lines: Tessara Lines is Currently Running"}));
    }

    void debugTraceRunsFromStartToNormalEnd()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("TLDebug"));
        tl::MemorySettingsStore settings;
        settings.Set("TL", "DebugFile", "1");
        {
            InstanceGuard guard(dir.filePath(QStringLiteral("lock")));
            ScriptedInteraction ui;
            tl::DebugTrace trace;
            TLApp app(ui, settings, trace, folder);
            QCOMPARE(app.Start(guard), std::optional<int>());
            QVERIFY(trace.IsOpen());
            trace.Write("ZeroDataBegin\n");
        }
        QFile file(folder + QStringLiteral("/TLDebug.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("ZeroDataBegin\nTessara Lines Termination Normal\n"));
    }

    void fileNamedOnTheCommandLineIsOpened()
    {
        Run run;
        const QString path = run.dir.filePath(QStringLiteral("may.tl2"));
        ScriptedInteraction quiet;
        auto doc = std::make_unique<tl::ScheduleDocument>();
        QVERIFY(doc->SetMonth(quiet, 2461527, 2461557));
        doc->GroupName = "YYCDH4FOY";
        QVERIFY(tl::SaveBlocks(*doc, path.toStdString(), tl::kSchedulerFile, quiet));
        QCOMPARE(run.app.Start(run.guard, path), std::optional<int>());
        QCOMPARE(run.app.Frame()->MenuName(), QStringLiteral("MENU_1"));
        QCOMPARE(run.app.Frame()->Client()->Document().GroupName, std::string("YYCDH4FOY"));
    }

    void lockIsFreeAgainOnceTheFirstCopyEnds()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("lock"));
        {
            InstanceGuard first(lock);
            QVERIFY(first.TryAcquire());
        }
        InstanceGuard next(lock);
        QVERIFY(next.TryAcquire());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
