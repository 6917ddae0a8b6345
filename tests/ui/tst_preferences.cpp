#include "model/schedule_document.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/preferencesdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/settings/qtsettingsstore.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tl;
using namespace tl::ui;

class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void showsAndReturnsWhatItWasGiven()
    {
        Preferences p;
        p.Grid = true;
        p.AutoSave = false;
        p.XPadding = 2;
        p.DebugFile = true;
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
    }

    void changesReachTheResult()
    {
        PreferencesDialog dialog(Preferences{});
        dialog.findChild<QCheckBox*>(QStringLiteral("debugFile"))->setChecked(true);
        dialog.findChild<QCheckBox*>(QStringLiteral("autoSave"))->setChecked(false);
        dialog.findChild<QSpinBox*>(QStringLiteral("yPadding"))->setValue(9);
        dialog.SetColour(12, Rgb{10, 20, 30});
        const Preferences back = dialog.Result();
        QVERIFY(back.DebugFile && !back.AutoSave);
        QCOMPARE(back.YPadding, 9);
        QCOMPARE(ParseCustomColors(back.CustomColors)[12], (Rgb{10, 20, 30}));

        dialog.findChild<QPushButton*>(QStringLiteral("resetColours"))->click();
        QCOMPARE(dialog.Result().CustomColors, std::string(kDefaultCustomColors));
    }

    void menuCommandWritesTheSettingsOnOk()
    {
        test::ScriptedInteraction ui;
        MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        frame.show();
        // The command lives in the scheduler's menu; give the frame a month.
        frame.Client()->Document().DisplayState = 1;
        frame.UpdateCommands();
        QTimer::singleShot(0, &frame, [] {
            auto* dialog = qobject_cast<PreferencesDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QCheckBox*>(QStringLiteral("debugFile"))->setChecked(true);
            dialog->accept();
        });
        frame.Action(CmPreferences)->trigger();
        QCOMPARE(settings.Get("TL", "DebugFile"), std::optional<std::string>("1"));
        QCOMPARE(settings.Get("TL", "XPadding"),
                 std::optional<std::string>("6")); // unchanged ones too
    }

    void settingsThatCannotBeWrittenAreReported()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString path = dir.filePath(QStringLiteral("not-a-folder/tlines.ini"));
        test::ScriptedInteraction ui;
        QtSettingsStore settings(path);
        TMainDecFrameWin frame(ui, settings);
        frame.Client()->Document().DisplayState = 1;
        frame.UpdateCommands();
        QTimer::singleShot(0, &frame, [] {
            if (auto* dialog = qobject_cast<PreferencesDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        frame.Action(CmPreferences)->trigger();
        QCOMPARE(ui.Dialogs(),
                 (std::vector<std::string>{
                     "File Error: The settings could not be written to " + path.toStdString() +
                     ". They hold until Tessara Lines closes; check that the folder "
                     "exists and can be written."}));
    }
};

QTEST_MAIN(PreferencesTest)
#include "tst_preferences.moc"
