#include "model/schedule_document.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/dialogs/preferencesdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/settings/qtsettingsstore.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tl;
using namespace tl::ui;

// A settings file of these bytes in `dir`; its path.
static QString WriteIni(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("tlines.ini"));
    test::WriteAll(path.toStdString(), bytes.toStdString());
    return path;
}

static QByteArray ReadIni(const QString& path)
{
    return QByteArray::fromStdString(test::ReadAll(path.toStdString()));
}

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

    // Written at once; a file that cannot be written is reported, and the
    // settings hold until the program closes.
    void menuCommandWritesTheSettingsOnOk_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("written") << true;
        QTest::newRow("folder is a file") << false;
    }
    void menuCommandWritesTheSettingsOnOk()
    {
        QFETCH(bool, writable);
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
        test::WriteAll(blocker.toStdString(), "");
        const QString path = writable ? dir.filePath(QStringLiteral("tlines.ini"))
                                      : blocker + QStringLiteral("/tlines.ini");
        test::ScriptedInteraction ui;
        QtSettingsStore settings(path);
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
        QCOMPARE(ReadIni(path).contains("DebugFile=1"), writable);
        QCOMPARE(ui.Dialogs(),
                 writable ? std::vector<std::string>{}
                          : std::vector<std::string>{
                                "File Error: The settings could not be written to " +
                                path.toStdString() +
                                ". They hold until Tessara Lines closes; check that the folder "
                                "exists and can be written."});
    }

    void readsAWindowsStyleFileWithOtherSpellings()
    {
        QTemporaryDir dir;
        QtSettingsStore store(WriteIni(
            dir, "[TL]\r\nLastPrgPath=/data/prg\r\nXPadding=12\r\n"
                 "CustomColors=000,000,000,000,000,255\r\n[CLIPBOARD]\r\nClipPairs=1\r\n"));
        QCOMPARE(LastFolder(store, "LastPRGPath"), std::string("/data/prg"));
        Preferences p = Preferences::Read(store);
        QCOMPARE(p.XPadding, 1);
        QCOMPARE(p.CustomColors, std::string("000,000,000,000,000,255"));
        QVERIFY(p.ClipPairs);
    }

    // Section and key names match as the profile functions match them; a
    // folder is the system's text, UTF-8 in the file, and reads as typed.
    void readsHandWrittenFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("lower-case section") << QByteArray("[tl]\r\nGrid=1\r\n") << QByteArray("TL")
                                            << QByteArray("Grid") << QByteArray("1");
        QTest::newRow("folder typed in UTF-8")
            << QByteArray("[TL]\nLastRosterPath=/home/x/\xC3\x89t\xC3\xA9\n") << QByteArray("TL")
            << QByteArray("LastRosterPath") << QByteArray("/home/x/\xC3\x89t\xC3\xA9");
    }

    void readsHandWrittenFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QTemporaryDir dir;
        QtSettingsStore store(WriteIni(dir, file));
        QCOMPARE(store.Get(section.toStdString(), key.toStdString()),
                 std::optional(value.toStdString()));
    }

    // One spelling of a key, into the section the file already has; folders
    // as UTF-8 and texts with commas kept whole.
    void writesOneSpellingIntoTheFilesSection()
    {
        QTemporaryDir dir;
        const QString path = WriteIni(dir, "[tl]\nGrid=1\nLastPrgPath=/old\n");
        {
            QtSettingsStore store(path);
            SetLastFolder(store, "LastPRGPath", "/new, with comma");
            SetLastFolder(store, "LastBlkPath", "/home/x/\xC3\x89t\xC3\xA9");
            Preferences().Write(store);
            QVERIFY(store.Save());
        }
        QtSettingsStore reread(path);
        QCOMPARE(LastFolder(reread, "lastprgpath"), std::string("/new, with comma"));
        QCOMPARE(Preferences::Read(reread).CustomColors, std::string(kDefaultCustomColors));
        const QByteArray text = ReadIni(path);
        QVERIFY2(text.contains("LastPRGPath=") && !text.contains("LastPrgPath="), text.constData());
        QVERIFY2(text.contains("LastBlkPath=/home/x/\xC3\x89t\xC3\xA9\n"), text.constData());
        QVERIFY2(!text.contains("[TL]"), text.constData());
    }
};

QTEST_MAIN(PreferencesTest)
#include "tst_preferences.moc"
