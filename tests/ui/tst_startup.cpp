#include "support/scripted_interaction.h"
#include "ui/app/instanceguard.h"
#include "ui/app/tlapp.h"
#include "ui/frame/tmaindecframewin.h"

#include <QTemporaryDir>
#include <QTest>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstCopyShowsTheFrame()
    {
        QTemporaryDir dir;
        InstanceGuard guard(dir.filePath(QStringLiteral("lock")));
        ScriptedInteraction ui;
        TLApp app(ui);
        QCOMPARE(app.Start(guard), std::optional<int>());
        QVERIFY(app.Frame());
        QVERIFY(app.Frame()->isVisible());
        QVERIFY(ui.Dialogs().empty());
    }

    void secondCopyIsRefusedWithExitCodeZero()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("lock"));
        InstanceGuard running(lock);
        QVERIFY(running.TryAcquire());

        InstanceGuard second(lock);
        ScriptedInteraction ui;
        TLApp app(ui);
        QCOMPARE(app.Start(second), std::optional<int>(0));
        QVERIFY(!app.Frame());
        QCOMPARE(ui.Dialogs(),
                 (std::vector<std::string>{"Tessara Lines: Tessara Lines is Currently Running"}));
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
