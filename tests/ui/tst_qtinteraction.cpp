#include "support/modal.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/dialogs/listdialog.h"
#include "ui/frame/mail.h"
#include "ui/seam/qtinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tl;
using namespace tl::ui;
using tl::test::OnNextModal;

class QtInteractionTest : public QObject {
    Q_OBJECT

private slots:
    void messageShowsCaptionTextIconAndFileName()
    {
        QtInteraction ui;
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        OnNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->accept();
        });
        ui.Message("File Error", "Unable to create file.", Icon::Error);
        QCOMPARE(caption, QStringLiteral("File Error"));
        QCOMPARE(text, QStringLiteral("Unable to create file."));
        QCOMPARE(icon, QMessageBox::Critical);

        // A file name is the system's text: "Été" must not turn into "Ã‰tÃ©".
        OnNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            text = box->text();
            box->button(QMessageBox::No)->click();
        });
        const std::filesystem::path file("/home/x/\xC3\x89t\xC3\xA9/juin.tl2");
        ui.AskAboutFile("Tessara Lines", "Save changes to %s before closing?", file, Buttons::YesNo,
                        Icon::Question);
        QCOMPARE(text, QStringLiteral("Save changes to /home/x/Été/juin.tl2 before closing?"));
    }

    void questionsReturnTheButtonPressed_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press"); // 0: the Escape key
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(Buttons::YesNo) << int(QMessageBox::Yes) << int(Answer::Yes);
        QTest::newRow("cancel") << int(Buttons::YesNoCancel) << int(QMessageBox::Cancel)
                                << int(Answer::Cancel);
        QTest::newRow("escape on yes/no") << int(Buttons::YesNo) << 0 << int(Answer::No);
    }

    void questionsReturnTheButtonPressed()
    {
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, answer);
        QtInteraction ui;
        OnNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            if (press == 0)
                QTest::keyClick(w, Qt::Key_Escape);
            else
                box->button(static_cast<QMessageBox::StandardButton>(press))->click();
        });
        Answer got =
            ui.Ask("Caution!", "Delete Anyway", static_cast<Buttons>(buttons), Icon::Question);
        QCOMPARE(int(got), answer);
    }

    void summaryListShowsLinesAndPutsThemOnTheClipboard()
    {
        QtInteraction ui;
        QString caption;
        QStringList lines;
        OnNextModal([&](QWidget* w) {
            auto* dialog = qobject_cast<ListDialog*>(w);
            QVERIFY(dialog);
            caption = dialog->windowTitle();
            lines = dialog->Lines();
            dialog->accept();
        });
        ui.ShowList("Pairing Warnings", {"Pairing 1234 not found", " MONTR\xC9"
                                                                   "AL"});
        QCOMPARE(caption, QStringLiteral("Pairing Warnings"));
        QCOMPARE(lines, (QStringList{QStringLiteral("Pairing 1234 not found"),
                                     QStringLiteral(" MONTRÉAL")}));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Pairing 1234 not found\n MONTRÉAL\n"));
    }

    void progressShowsTextAndGaugeUntilDone()
    {
        QtInteraction ui;
        {
            TProgressDialog progress(ui, "Loading Pairings", 200);
            progress.SetValue(50);
            QProgressDialog* dialog = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<QProgressDialog*>(w))
                    dialog = p;
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Loading Pairings"));
            QCOMPARE(dialog->labelText(), QStringLiteral("Completed 50 of 200"));
            QCOMPARE(dialog->value(), 25);
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<QProgressDialog*>(w));
    }

    // The mail program is found on PATH, which each part puts in place.
    void theFileGoesToXdgEmailAsAnAttachmentOrTheUserIsTold()
    {
        QTemporaryDir bin;
        const QString log = bin.filePath(QStringLiteral("args"));
        QFile script(bin.filePath(QStringLiteral("xdg-email")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$(dirname "
                     "\"$0\")/args\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");

        tl::test::ScriptedInteraction ui;
        const QString file = bin.filePath(QStringLiteral("Company/été.tl2"));
        tl::ui::SendByMail(file.toStdString(), ui);
        QTRY_VERIFY(QFile::exists(log));
        const std::string args = tl::test::ReadAll(log.toStdString());
        QVERIFY(QString::fromStdString(args).endsWith(QStringLiteral("--attach\n") + file + u'\n'));
        QVERIFY(ui.Dialogs().empty());

        // Without a mail program the user is told.
        QTemporaryDir empty;
        qputenv("PATH", QFile::encodeName(empty.path()));
        tl::ui::SendByMail("/months/nov.tl2", ui);
        QCOMPARE(ui.Dialogs().size(), size_t(1));
        QVERIFY(ui.Dialogs()[0].find("No mail program is available") != std::string::npos);
        QVERIFY(ui.Dialogs()[0].find("/months/nov.tl2") != std::string::npos);
    }
};

QTEST_MAIN(QtInteractionTest)
#include "tst_qtinteraction.moc"
