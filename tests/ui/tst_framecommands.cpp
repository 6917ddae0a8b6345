#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/textdialog.h"
#include "ui/dialogs/warningsdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/helpwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

namespace {

// A frame with a small saved month opened in it (opening builds it).
struct OpenMonth {
    OpenMonth()
    {
        tl::ScheduleDocument doc;
        doc.SetMonth(ui, tl::JulianDay(4, 1, 2027), tl::JulianDay(4, 30, 2027));
        doc.GroupName = "YHZDH8CAH";
        tl::SaveBlocks(doc, path.toStdString(), tl::kSchedulerFile, ui);
        frame.OpenFile(path);
    }
    tl::ScheduleDocument& Doc() { return frame.Client()->Document(); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("april.tl2"));
    ScriptedInteraction ui;
    tl::MemorySettingsStore settings;
    TMainDecFrameWin frame{ui, settings};
};

// Runs `inspect` on the modal dialog of type T that `command` opens, then closes it.
template <typename T, typename F>
void OnDialog(TMainDecFrameWin& frame, int command, F inspect)
{
    bool seen = false;
    QTimer::singleShot(0, &frame, [&] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        seen = true;
        inspect(*dialog);
        dialog->reject();
    });
    frame.Action(command)->trigger();
    QVERIFY(seen);
}

} // namespace

class FrameCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void buildBlocksFromTheMenuTurnsTheGridOn()
    {
        OpenMonth m;
        // Keys without an operation behind them stay disabled.
        m.frame.UpdateCommands();
        QVERIFY(!m.frame.Action(CmShowAllBlocks)->isEnabled());
        QVERIFY(!m.frame.Action(CmFilterEmployees)->isEnabled());
        m.frame.show();
        tl::TakeDownGrid(m.Doc());
        QVERIFY(!m.frame.Client()->Grid()->isVisible());
        m.frame.Action(CmBuildBlocks)->trigger();
        QVERIFY(m.Doc().GridOn);
        QVERIFY(m.frame.Client()->Grid()->isVisible());
    }

    // The warnings report, help and shortcut windows of one opened month.
    void reportHelpAndShortcuts()
    {
        OpenMonth m;
        OnDialog<WarningsDialog>(m.frame, CmWarnings, [&](WarningsDialog& dialog) {
            const QStringList expected{QStringLiteral("------- EXCEPTIONS -------"), QString(), QString(),
                                       QStringLiteral("------ WARNINGS ------"), QString()};
            QCOMPARE(dialog.Lines(), expected);
            dialog.findChild<QPushButton*>(QStringLiteral("CopyButton"))->click();
            QCOMPARE(QApplication::clipboard()->text(), expected.join(QStringLiteral("\r\n")) +
                                                            QStringLiteral("\r\n"));
        });
        auto messages = m.ui.Only(ScriptedInteraction::Kind::Message);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, std::string("Copied to Windows Clipboard."));

        m.frame.Action(CmHelpOnHelp)->trigger();
        auto* help = m.frame.findChild<HelpWindow*>();
        QVERIFY(help != nullptr);
        QCOMPARE(help->Page(), QUrl(QStringLiteral("qrc:/help/using.html")));
        QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().startsWith(QStringLiteral("Using Help")));
        m.frame.Action(CmHelpContents)->trigger();
        QCOMPARE(m.frame.findChildren<HelpWindow*>().size(), 1);
        QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("Build Blocks")));

        OnDialog<TextDialog>(m.frame, CmShortcuts, [](TextDialog& dialog) {
            QStringList lines = dialog.Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 13);
            QCOMPARE(lines.first(), QStringLiteral("F4  Show / Hide Pairing Window"));
            QVERIFY(lines.contains(QStringLiteral("=   Generate Pairing Report to Clipboard")));
            QCOMPARE(lines.last(), QStringLiteral("<-- View Last Month while Pressed"));
        });
    }
};

QTEST_MAIN(FrameCommandsTest)
#include "tst_framecommands.moc"
