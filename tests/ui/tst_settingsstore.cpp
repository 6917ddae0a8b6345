#include "ui/settings/qtsettingsstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tl;
using namespace tl::ui;

// A settings file of these bytes in `dir`; its path.
static QString WriteIni(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("tlines.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

static QByteArray ReadIni(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void readsAWindowsStyleFileWithOtherSpellings()
    {
        QTemporaryDir dir;
        QtSettingsStore store(
            WriteIni(dir, "[TL]\r\nLastPrgPath=/data/prg\r\nXPadding=12\r\n"
                          "CustomColors=000,000,000,000,000,255\r\n[CLIPBOARD]\r\nClipPairs=1\r\n"));
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
        const QByteArray text = ReadIni(path);
        QVERIFY(text.contains("LastPRGPath="));
        QVERIFY(!text.contains("LastPrgPath="));
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
        QCOMPARE(store.Get(section.toStdString(), key.toStdString()), std::optional(value.toStdString()));
    }

    void writesIntoTheFilesSectionAndFoldersAsUtf8()
    {
        QTemporaryDir dir;
        const QString path = WriteIni(dir, "[tl]\nGrid=1\n");
        {
            QtSettingsStore store(path);
            SetLastFolder(store, "LastBlkPath", "/home/x/\xC3\x89t\xC3\xA9");
            QVERIFY(store.Save());
        }
        const QByteArray text = ReadIni(path);
        QVERIFY2(text.contains("LastBlkPath=/home/x/\xC3\x89t\xC3\xA9\n"), text.constData());
        QVERIFY2(!text.contains("[TL]"), text.constData());
    }
};

QTEST_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
