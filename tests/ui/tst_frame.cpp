#include "support/scripted_interaction.h"
#include "ui/dialogs/aboutdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void startsWithNoMonthMenu()
    {
        ScriptedInteraction ui;
        TMainDecFrameWin frame(ui);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        QCOMPARE(frame.windowTitle(), QStringLiteral("Tessara Lines"));
        QCOMPARE(frame.MenuName(), QStringLiteral("MENU_3"));

        const QList<QAction*> menus = frame.menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Help"));

        QStringList fileItems;
        for (QAction* a : menus[0]->menu()->actions())
            if (!a->isSeparator())
                fileItems << a->text();
        QCOMPARE(fileItems, (QStringList{QStringLiteral("&New"), QStringLiteral("&Open"),
                                         QStringLiteral("E&xit")}));
        QCOMPARE(menus[1]->menu()->actions().size(), 1);
        QCOMPARE(menus[1]->menu()->actions()[0]->text(), QStringLiteral("&About Tessara Lines..."));
    }

    void statusBarShowsEmptyBlockTotal()
    {
        ScriptedInteraction ui;
        TMainDecFrameWin frame(ui);
        QCOMPARE(frame.StatusText(), QStringLiteral(" TB 000:00"));
        auto* label = frame.findChild<QLabel*>(QStringLiteral("StatusText"));
        QVERIFY(label);
        QVERIFY(label->font().bold());
    }

    void toolBarHasFiveButtonsInOrder()
    {
        ScriptedInteraction ui;
        TMainDecFrameWin frame(ui);
        auto* bar = frame.findChild<QToolBar*>(QStringLiteral("ToolBar"));
        QVERIFY(bar);
        QList<int> ids;
        for (QAction* a : bar->actions())
            ids << a->data().toInt();
        QCOMPARE(ids, (QList<int>{CmNew, CmOpen, CmSave, CmSaveAs, CmAbout}));
        for (QAction* a : bar->actions())
            QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
    }

    // With no month open only what works is offered: About and Exit. New and
    // Open stay disabled until their operations exist; Save and Save As need a month.
    void onlyWorkingCommandsAreEnabledWithoutMonth()
    {
        ScriptedInteraction ui;
        TMainDecFrameWin frame(ui);
        frame.UpdateCommands();
        QVERIFY(frame.Action(CmAbout)->isEnabled());
        QVERIFY(frame.Action(CmExit)->isEnabled());
        QVERIFY(!frame.Action(CmSave)->isEnabled());
        QVERIFY(!frame.Action(CmSaveAs)->isEnabled());
        QVERIFY(!frame.Action(CmNew)->isEnabled());
        QVERIFY(!frame.Action(CmOpen)->isEnabled());
    }

    void enablingRules_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("displayState");
        QTest::addColumn<bool>("untitled");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("save without month") << int(CmSave) << 3 << false << false;
        QTest::newRow("save untitled month") << int(CmSave) << 1 << true << false;
        QTest::newRow("save named month") << int(CmSave) << 1 << false << true;
        QTest::newRow("save as without month") << int(CmSaveAs) << 3 << false << false;
        QTest::newRow("save as untitled month") << int(CmSaveAs) << 1 << true << true;
        QTest::newRow("about always") << int(CmAbout) << 3 << false << true;
    }

    void enablingRules()
    {
        QFETCH(int, command);
        QFETCH(int, displayState);
        QFETCH(bool, untitled);
        QFETCH(bool, enabled);
        CommandContext context;
        context.DisplayState = displayState;
        context.Untitled = untitled;
        QCOMPARE(CommandEnabled(command, context), enabled);
    }

    void aboutDialogOpensFromMenuAndShowsVersion()
    {
        ScriptedInteraction ui;
        TMainDecFrameWin frame(ui);
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

    void exitClosesTheFrame()
    {
        ScriptedInteraction ui;
        TMainDecFrameWin frame(ui);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.Action(CmExit)->trigger();
        QVERIFY(!frame.isVisible());
        QVERIFY(ui.Dialogs().empty());
    }
};

QTEST_MAIN(FrameTest)
#include "tst_frame.moc"
