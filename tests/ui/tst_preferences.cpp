#include "model/schedule_document.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/preferencesdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace tl;
using namespace tl::ui;

class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void returnsWhatItWasGivenWithTheChangesMade()
    {
        Preferences p;
        p.Grid = true;
        p.XPadding = 2;
        p.CustomColors = "000,000,000,000,000,255"; // an older, shorter text
        p.Font = GridFont{"DejaVu Sans", 13, 5, 700, false};
        PreferencesDialog dialog(p);
        Preferences back = dialog.Result();
        QVERIFY(back.Grid);
        QCOMPARE(back.XPadding, 2);
        QCOMPARE(back.CustomColors, p.CustomColors); // untouched colours keep their text
        QCOMPARE(back.Font, p.Font);

        dialog.findChild<QCheckBox*>(QStringLiteral("autoSave"))->setChecked(false);
        dialog.findChild<QSpinBox*>(QStringLiteral("yPadding"))->setValue(9);
        dialog.SetColour(12, Rgb{10, 20, 30});
        back = dialog.Result();
        QVERIFY(!back.AutoSave);
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
        QCOMPARE(settings.Get("TL", "XPadding"), std::optional<std::string>("6"));
    }
};

QTEST_MAIN(PreferencesTest)
#include "tst_preferences.moc"
