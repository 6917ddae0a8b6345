#include "model/debug_trace.h"
#include "model/schedule_document.h"
#include "storage/block_file.h"
#include "ui/grid/ttlwin.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/app/instanceguard.h"
#include "ui/app/tlapp.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/seam/qtinteraction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstCopyShowsTheFrame()
    {
        QTemporaryDir dir;
        InstanceGuard guard(dir.filePath(QStringLiteral("lock")));
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        tl::DebugTrace trace;
        TLApp app(ui, settings, trace, dir.filePath(QStringLiteral("TLDebug")));
        QCOMPARE(app.Start(guard), std::optional<int>());
        QVERIFY(app.Frame());
        QVERIFY(app.Frame()->isVisible());
        QVERIFY(ui.Dialogs().empty());
        QVERIFY(!trace.IsOpen()); // DebugFile is off by default
    }

    void secondCopyIsRefusedWithExitCodeZero()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("lock"));
        InstanceGuard running(lock);
        QVERIFY(running.TryAcquire());

        InstanceGuard second(lock);
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        tl::DebugTrace trace;
        TLApp app(ui, settings, trace, dir.filePath(QStringLiteral("TLDebug")));
        QCOMPARE(app.Start(second), std::optional<int>(0));
        QVERIFY(!app.Frame());
        QCOMPARE(ui.Dialogs(),
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
        QCOMPARE(ReadFile(folder + QStringLiteral("/TLDebug.txt")),
                 QByteArray("BeginDeleteAll\nZeroDataBegin\nZeroDataEnd\nEndDeleteAll\n"
                            "Tessara Lines Termination Normal\n"));
    }

    void fileNamedOnTheCommandLineIsOpened()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("may.tl2"));
        {
            ScriptedInteraction quiet;
            auto doc = std::make_unique<tl::ScheduleDocument>();
            QVERIFY(doc->SetMonth(quiet, 2461527, 2461557));
            doc->GroupName = "YYCDH4FOY";
            QVERIFY(tl::SaveBlocks(*doc, path.toStdString(), tl::kSchedulerFile, quiet));
        }
        InstanceGuard guard(dir.filePath(QStringLiteral("lock")));
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        tl::DebugTrace trace;
        TLApp app(ui, settings, trace, dir.filePath(QStringLiteral("TLDebug")));
        // "tlines may.tl2" from the month's folder: the name is kept in full,
        // so the commands that write beside the file still find its folder.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const std::optional<int> started = app.Start(guard, QStringLiteral("may.tl2"));
        QDir::setCurrent(before);
        QCOMPARE(started, std::optional<int>());
        QCOMPARE(app.Frame()->MenuName(), QStringLiteral("MENU_1"));
        QCOMPARE(app.Frame()->Client()->Document().GroupName, std::string("YYCDH4FOY"));
        QCOMPARE(app.Frame()->Client()->Document().FileName, path.toStdString());
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
