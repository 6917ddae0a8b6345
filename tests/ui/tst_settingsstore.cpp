#include "ui/settings/qtsettingsstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tl;
using namespace tl::ui;

class SettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void readsAWindowsStyleFileWithOtherSpellings()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tlines.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[TL]\r\nLastPrgPath=/data/prg\r\nXPadding=12\r\n"
                   "CustomColors=000,000,000,000,000,255\r\n[CLIPBOARD]\r\nClipPairs=1\r\n");
        file.close();

        QtSettingsStore store(path);
        QCOMPARE(LastFolder(store, "LastPRGPath"), std::string("/data/prg"));
        Preferences p = Preferences::Read(store);
        QCOMPARE(p.XPadding, 1);
        QCOMPARE(p.CustomColors, std::string("000,000,000,000,000,255"));
        QVERIFY(p.ClipPairs);
        QVERIFY(p.AutoSave); // missing key: default
    }

    void writesOneSpellingAndKeepsTextsWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tlines.ini"));
        {
            QtSettingsStore store(path);
            store.Set("TL", "LastPrgPath", "/old");
            SetLastFolder(store, "LastPRGPath", "/new, with comma");
            Preferences p;
            p.Write(store);
            store.Sync();
        }
        QtSettingsStore reread(path);
        QCOMPARE(LastFolder(reread, "lastprgpath"), std::string("/new, with comma"));
        QCOMPARE(Preferences::Read(reread).CustomColors, std::string(kDefaultCustomColors));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("LastPRGPath="));
        QVERIFY(!text.contains("LastPrgPath="));
    }

    void textsKeepTheirCodePage()
    {
        QTemporaryDir dir;
        QtSettingsStore store(dir.filePath(QStringLiteral("tlines.ini")));
        store.Set("TL", "LastRosterPath", "/home/MONTR\xC9" "AL");
        QCOMPARE(store.Get("TL", "LastRosterPath"), std::optional<std::string>("/home/MONTR\xC9" "AL"));
    }
};

QTEST_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
