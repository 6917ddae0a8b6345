// A program of its own: it replaces operator new to make the tables' allocation fail.
#include "support/failing_allocation.h"

#include "model/debug_trace.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/app/instanceguard.h"
#include "ui/app/tlapp.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tl::ui;

class OutOfMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void tablesThatCannotBeAllocatedEndTheProgramWithCodeOne()
    {
        QTemporaryDir dir;
        InstanceGuard guard(dir.filePath(QStringLiteral("lock")));
        tl::test::ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        tl::DebugTrace trace;
        TLApp app(ui, settings, trace, dir.filePath(QStringLiteral("TLDebug")));
        std::optional<int> code;
        {
            tl::test::FailLargeAllocations shortOfMemory;
            code = app.Start(guard);
        }
        QCOMPARE(code, std::optional<int>(1));
        QVERIFY(!app.Frame());
        QCOMPARE(ui.Dialogs(), (std::vector<std::string>{
                                   "Fatal Error: Not Enough Memory. Try quitting other Programs"}));
    }
};

QTEST_MAIN(OutOfMemoryTest)
#include "tst_outofmemory.moc"
