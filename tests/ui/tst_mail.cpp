#include "support/scripted_interaction.h"
#include "ui/frame/mail.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The mail program is found on PATH; each case puts its own PATH in place.
class MailTest : public QObject {
    Q_OBJECT

private slots:
    void theFileGoesToXdgEmailAsAnAttachment()
    {
        QTemporaryDir bin;
        const QString log = bin.filePath(QStringLiteral("args"));
        QFile script(bin.filePath(QStringLiteral("xdg-email")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$(dirname \"$0\")/args\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");

        tl::test::ScriptedInteraction ui;
        const QString file = bin.filePath(QStringLiteral("Company/été.tl2"));
        tl::ui::SendByMail(file.toStdString(), ui);
        QTRY_VERIFY(QFile::exists(log));
        QFile args(log);
        QVERIFY(args.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(args.readAll()).endsWith(QStringLiteral("--attach\n") + file + u'\n'));
        QVERIFY(ui.Dialogs().empty());
    }

    void withoutAMailProgramTheUserIsTold()
    {
        QTemporaryDir empty;
        qputenv("PATH", QFile::encodeName(empty.path()));
        tl::test::ScriptedInteraction ui;
        tl::ui::SendByMail("/months/nov.tl2", ui);
        QCOMPARE(ui.Dialogs().size(), size_t(1));
        QVERIFY(ui.Dialogs()[0].find("No mail program is available") != std::string::npos);
        QVERIFY(ui.Dialogs()[0].find("/months/nov.tl2") != std::string::npos);
    }
};

QTEST_MAIN(MailTest)
#include "tst_mail.moc"
