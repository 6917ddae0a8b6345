#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/frame/commands.h"
#include "ui/frame/recentfiles.h"
#include "ui/frame/tmaindecframewin.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tl::ui;

class RecentFilesTest : public QObject {
    Q_OBJECT

private slots:
    void mostRecentFirstWithoutRepeatsAndAtMostFour()
    {
        tl::MemorySettingsStore settings;
        RecentFiles recent(settings);
        for (const char* name : {"/m/a.tl2", "/m/b.tl2", "/m/c.tl2", "/m/d.tl2", "/m/e.tl2", "/m/c.tl2"})
            recent.Add(QString::fromLatin1(name));
        QCOMPARE(recent.List(), QStringList({QStringLiteral("/m/c.tl2"), QStringLiteral("/m/e.tl2"),
                                             QStringLiteral("/m/d.tl2"), QStringLiteral("/m/b.tl2")}));
        QCOMPARE(settings.Get("Files", "Recent4"), std::optional<std::string>("/m/b.tl2"));
    }

    void aMissingFileIsDroppedWithAMessage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("été.tl2"));
        tl::test::ScriptedInteraction ui;
        auto doc = std::make_unique<tl::ScheduleDocument>();
        doc->SetMonth(ui, tl::JulianDay(4, 1, 2027), tl::JulianDay(4, 30, 2027));
        QVERIFY(tl::SaveBlocks(*doc, path.toStdString(), tl::kSchedulerFile, ui));
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        QVERIFY(frame.OpenFile(path));
        auto* entry = frame.findChild<QAction*>(QStringLiteral("Recent1"));
        QVERIFY(entry && entry->text().endsWith(path));

        QVERIFY(QFile::remove(path));
        entry->trigger();
        QVERIFY(RecentFiles(settings).List().isEmpty());
        QCOMPARE(settings.Get("Files", "Recent1"), std::optional<std::string>(""));
        QVERIFY(ui.Dialogs().back().find("no longer exists") != std::string::npos);
        QCOMPARE(frame.MenuName(), QStringLiteral("MENU_1")); // the open month stays
    }
};

QTEST_MAIN(RecentFilesTest)
#include "tst_recentfiles.moc"
