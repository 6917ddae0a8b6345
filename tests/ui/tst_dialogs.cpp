#include "model/schedule_document.h"
#include "model/vortime.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/crewcomplementdialog.h"
#include "ui/dialogs/otherdetailsdialog.h"
#include "ui/dialogs/rosterdialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace tl;
using namespace tl::ui;

namespace {

// June 2027, captains CREW 1 to CREW 3; pairing A0100 operates on slot 2.
std::unique_ptr<ScheduleDocument> Month(test::ScriptedInteraction& ui)
{
    auto doc = std::make_unique<ScheduleDocument>();
    doc->SetMonth(ui, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027));
    doc->CrewCount = 3;
    for (size_t c = 0; c < 3; ++c) {
        doc->Crew[c].EmpNumber = static_cast<int32_t>(c + 1);
        doc->Crew[c].Name = "CREW " + std::to_string(c + 1);
    }
    TPair& pair = doc->Pairs[0];
    pair.PairNumber = 100;
    pair.PairKey = "A";
    pair.OnTime = 600;
    pair.Tafb = 600;
    pair.Length = 1;
    pair.OpsCount[2] = 1;
    doc->LastPair = doc->LastBasePair = 0;
    return doc;
}

QPushButton* Button(QWidget& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void rosterInsertThroughTheEdits_data()
    {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("message");
        QTest::newRow("first") << "1"
                               << "001   NEWBIE   77"
                               << "";
        QTest::newRow("zero") << "0"
                              << "001   CREW 1   1"
                              << "Invalid Roster Number!";
        QTest::newRow("past the end") << "5"
                                      << "001   CREW 1   1"
                                      << "Invalid Roster Number!";
    }

    void rosterInsertThroughTheEdits()
    {
        QFETCH(QString, index);
        QFETCH(QString, firstLine);
        QFETCH(QString, message);
        test::ScriptedInteraction ui;
        auto doc = Month(ui);
        RosterDialog dialog(*doc, ui);
        QTest::keyClicks(dialog.IndexEdit(), index);
        QTest::keyClicks(dialog.NameEdit(), QStringLiteral("NEWBIE"));
        QTest::keyClicks(dialog.EmpEdit(), QStringLiteral("77"));
        QTest::mouseClick(Button(dialog, QStringLiteral("Insert Employee")), Qt::LeftButton);
        QCOMPARE(dialog.List()->item(0)->text(), firstLine);
        QCOMPARE(dialog.List()->count(), message.isEmpty() ? 4 : 3);
        if (message.isEmpty()) {
            QVERIFY(ui.Events().empty());
            QVERIFY(dialog.IndexEdit()->text().isEmpty() && dialog.NameEdit()->text().isEmpty());
        } else {
            QCOMPARE(ui.Events().size(), size_t{1});
            QCOMPARE(QString::fromStdString(ui.Events()[0].text), message);
            QCOMPARE(QString::fromStdString(ui.Events()[0].caption), QStringLiteral("Oops"));
            QCOMPARE(dialog.NameEdit()->text(), QStringLiteral("NEWBIE")); // kept for a retry
        }
    }

    void complementSelectionAppliedWhenClosedWithoutDone()
    {
        test::ScriptedInteraction ui;
        auto doc = Month(ui);
        {
            CrewComplementDialog dialog(*doc, ui);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Change Crew Required for Pairings"));
            QCOMPARE(dialog.List()->count(), 1);
            dialog.List()->item(0)->setSelected(true);
            dialog.reject(); // Escape or the close button
            QVERIFY(dialog.Applied());
        }
        QCOMPARE(doc->LastPair, 1); // the second captain's copy
        QCOMPARE(doc->Pairs[1].OpsCount[2], -1);
        QVERIFY(doc->Pairs[0].PairText.find("TWO CAPTS ON") != std::string::npos);

        // Opening takes the copy apart; destroying the dialog unclosed puts it back.
        {
            CrewComplementDialog dialog(*doc, ui);
        }
        QCOMPARE(doc->LastPair, 1);
    }

    void detailsRefuseABadTimeAndKeepTheDay()
    {
        test::ScriptedInteraction ui;
        auto doc = Month(ui);
        TPilot& crew = doc->Crew[1];
        crew.DaySlot[4] = -2;
        crew.DayCode[4] = "SIM";
        crew.DayOther[4] = {600, 240, 240, 0, 0, 1, 0, 0, 0, 0};
        const auto form = ReadOtherDetails(*doc, 1, 4);
        QVERIFY(form);
        OtherDetailsDialog dialog(*doc, ui, 1, 4, *form);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("SIM Assignment Details"));
        QCOMPARE(dialog.Edit(DetailsField::Start)->text(), QStringLiteral("10:00"));

        dialog.Edit(DetailsField::Start)->setText(QStringLiteral("25:00"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ui.Events().size(), size_t{1});
        QCOMPARE(
            QString::fromStdString(ui.Events()[0].text),
            QStringLiteral("Time starting Work must be a time of day as H:MM (0:00 to 23:59)!"));
        QCOMPARE(crew.DayOther[4][0], 600);
        QVERIFY(!doc->Modified);

        dialog.Edit(DetailsField::Start)->setText(QStringLiteral("7:30"));
        dialog.Edit(DetailsField::Credit)->setText(QStringLiteral("5:18"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(crew.DayOther[4][0], 450);
        QCOMPARE(crew.DayOther[4][2], 318);
        QVERIFY(doc->Modified);
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
