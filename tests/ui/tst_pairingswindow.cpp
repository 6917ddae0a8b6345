#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/assignment.h"
#include "rules/legality.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/crewcomplementdialog.h"
#include "ui/dialogs/otherdetailsdialog.h"
#include "ui/dialogs/rosterdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/historydialog.h"
#include "ui/windows/tpairwin.h"
#include "ui/windows/whoslegaldialog.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

namespace {

void OnNextModal(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(0, [act] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
    });
}

QStringList Lines(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QPushButton* Button(QWidget& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// A built June 2027 of three crew members in a frame. Pairings 101 to 104:
// 101 two days at 08:00 on days 1 and 2, 102 at 10:00 on day 1 (held by
// CREW 1), 103 at 06:00 on day 3, 104 a continuous duty at 05:00 on day 4.
struct Month {
    Month()
    {
        doc.SetMonth(ui, tl::JulianDay(6, 1, 2027), tl::JulianDay(6, 30, 2027));
        tl::SetupDaylightSaving(doc);
        doc.CrewCount = 3;
        for (int c = 0; c < 3; ++c) {
            doc.Crew[size_t(c)].EmpNumber = c + 1;
            doc.Crew[size_t(c)].Name = "CREW " + std::to_string(c + 1);
        }
        doc.Crew[1].FilterText = "0101TEXT";
        doc.Crew[2].BidReserveOrLoa = true;
        Pair(480, 2, {0, 1}, 420);
        Pair(600, 1, {0}, 240);
        Pair(360, 1, {2}, 330);
        Pair(300, 1, {3}, 400).CrossesMidnight = true;
        doc.Pairs[0].Layovers = "YVR";
        doc.Crew[0].DaySlot[0] = 1;
        doc.Pairs[1].OpsCount[0] = 2;
        for (int c = 0; c < 3; ++c)
            tl::CheckLegality(doc, c);
        doc.DisplayState = 1;
        doc.BuildState = 1;
        doc.GridOn = true;
        emit frame.Client()->DocumentChanged();
    }
    tl::TPair& Pair(int on, int length, std::initializer_list<int> days, int creditPerDay)
    {
        tl::TPair& p = doc.Pairs[size_t(++doc.LastPair)];
        doc.LastBasePair = doc.LastPair;
        p.PairNumber = 101 + doc.LastPair;
        p.OnTime = on;
        p.Length = static_cast<int8_t>(length);
        p.Tafb = (length - 1) * 1440 + 600;
        p.OffTime = (on + 600) % 1440;
        for (int k = 0; k < length; ++k)
            p.DayCredit[size_t(k)] = creditPerDay;
        p.Credit = creditPerDay * length;
        for (int d : days)
            p.OpsCount[size_t(d)] = 1;
        p.Validate(doc.DaysInMonth);
        p.UpdateCreditClass();
        return p;
    }
    TPairWin* OpenWindow()
    {
        frame.UpdateCommands();
        frame.Action(CmPairingsWindow)->trigger();
        return frame.findChild<TPairWin*>();
    }
    QString Text(TPairWin* w, int row, int day)
    {
        return w->Model()->index(row, day).data().toString();
    }

    ScriptedInteraction ui;
    tl::MemorySettingsStore settings;
    TMainDecFrameWin frame{ui, settings};
    tl::ScheduleDocument& doc = frame.Client()->Document();
};

} // namespace

class PairingsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void boardIsSortedAndShowsOpenDaysApart()
    {
        Month m;
        TPairWin* w = m.OpenWindow();
        QVERIFY(w && m.doc.PairWindowOpen);
        QCOMPARE(w->windowTitle(), QStringLiteral("Filters Off"));
        // One day before two; early check-in first; continuous duties last
        // among their length. 101 needs two rows for its two trips.
        const struct {
            int row, day;
            const char* text;
        } cells[] = {{0, 2, "103\n**"},   {1, 0, "102\n*"},  {2, 3, "104\n***"},
                     {3, 0, "101\n****"}, {3, 1, "--\nYVR"}, {4, 1, "101\n****"}};
        QCOMPARE(w->Model()->rowCount(), 5);
        for (const auto& c : cells)
            QCOMPARE(m.Text(w, c.row, c.day), QString::fromLatin1(c.text));
        auto bold = [&](int row, int day) {
            return w->Model()->index(row, day).data(Qt::FontRole).value<QFont>().bold();
        };
        QVERIFY(bold(0, 2));
        QVERIFY(!bold(1, 0)); // 102 is held
        QVERIFY(w->Model()->index(1, 0).data(Qt::BackgroundRole) !=
                w->Model()->index(0, 2).data(Qt::BackgroundRole));

        m.frame.Action(CmShowOnlyOpen)->trigger();
        QVERIFY(m.doc.ShowOnlyOpenPairings);
        QCOMPARE(w->Model()->rowCount(), 4);
        QCOMPARE(m.Text(w, 1, 3), QStringLiteral("104\n***"));

        m.frame.Action(CmPairingsWindow)->trigger();
        QVERIFY(!m.frame.findChild<TPairWin*>());
        QVERIFY(!m.doc.PairWindowOpen);
    }

    // Enter on a board cell opens Who Is Legal for that pairing day.
    void whoIsLegalListsAndAssign()
    {
        Month m;
        TPairWin* w = m.OpenWindow();
        QVERIFY(w->SelectPairing(0, 0));
        QString caption;
        QStringList legal, bidders, reasons;
        bool stayedOpen = false;
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<WhosLegalDialog*>(modal);
            QVERIFY(dialog);
            caption = dialog->windowTitle();
            legal = Lines(dialog->LegalList());
            bidders = Lines(dialog->BiddersList());
            QVERIFY(dialog->ReasonsList()->isHidden());
            dialog->WhyButton()->click();
            QVERIFY(!dialog->ReasonsList()->isHidden());
            reasons = Lines(dialog->ReasonsList());
            dialog->AssignButton()->click();
            // Taken meanwhile: the refusal leaves the dialog open.
            m.doc.Pairs[0].OpsCount[0] = 2;
            dialog->LegalList()->setCurrentRow(0);
            dialog->AssignButton()->click();
            stayedOpen = dialog->isVisible();
            m.doc.Pairs[0].OpsCount[0] = 1;
            dialog->AssignButton()->click();
        });
        QTest::keyClick(w->View(), Qt::Key_Return);
        QCOMPARE(caption, QStringLiteral("Tessara Lines - 0101 on 01 Jun"));
        QCOMPARE(legal, QStringList{QStringLiteral("002 CREW 2")});
        QCOMPARE(bidders, QStringList{QStringLiteral("002 <<< CREW 2")});
        QCOMPARE(reasons.size(), 2);
        QVERIFY(reasons[0].startsWith(QStringLiteral("001 CREW 1: ")));
        QCOMPARE(reasons[1], QStringLiteral("003 CREW 3: bids reserve or is on leave"));
        QVERIFY(stayedOpen);
        const auto& events = m.ui.Events();
        QCOMPARE(events.size(), size_t(2));
        QCOMPARE(events[0].text, std::string("You have not Selected an Employee"));
        QCOMPARE(events[1].text, std::string("Can't Assign. Pairing allready Assigned"));
        QCOMPARE(events[1].caption, std::string("Tessara Lines"));
        // Assigned: the board shows it held and marks it last assigned.
        QCOMPARE(m.doc.Crew[1].DaySlot[0], 0);
        QCOMPARE(m.doc.LastAssignedPair, 0);
        QCOMPARE(m.doc.CurrentPair, -1);
        QVERIFY(!w->Model()->index(3, 0).data(Qt::FontRole).value<QFont>().bold());
    }

    // From roster position 1000 on the line's number has four digits.
    void assignReachesRosterPosition1000()
    {
        Month m;
        m.doc.CrewCount = 1000;
        for (int c = 0; c < 999; ++c)
            m.doc.Crew[size_t(c)].BidReserveOrLoa = true;
        m.doc.Crew[999].EmpNumber = 1000;
        m.doc.Crew[999].Name = "CREW 1000";
        tl::CheckLegality(m.doc, 999);
        WhosLegalDialog dialog(m.doc, m.ui, 0, 0);
        QCOMPARE(Lines(dialog.LegalList()), QStringList{QStringLiteral("1000 CREW 1000")});
        dialog.LegalList()->setCurrentRow(0);
        dialog.Assign();
        QCOMPARE(m.doc.Crew[999].DaySlot[0], 0);
        QVERIFY(m.ui.Events().empty());
    }

    void historyListsAssignmentsAndF1UndoesTheNewest()
    {
        Month m;
        TPairWin* w = m.OpenWindow();
        m.frame.Action(CmShowOnlyOpen)->trigger();
        QCOMPARE(tl::AssignPair(m.doc, m.ui, 1, 0, 0, false), 0);
        QCOMPARE(tl::AssignPair(m.doc, m.ui, 0, 2, 2, false), 0);
        QCOMPARE(w->Model()->rowCount(), 2); // 101 on day 2, 104

        QList<QStringList> rows;
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<HistoryDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(),
                     QStringLiteral("Pairing Transaction History. Use F1 to Undo these Items"));
            for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i) {
                QStringList row;
                for (int c = 0; c < 4; ++c)
                    row << dialog->List()->topLevelItem(i)->text(c);
                rows << row;
            }
            dialog->accept();
        });
        m.frame.UpdateCommands();
        m.frame.Action(CmHistory)->trigger();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0], (QStringList{QStringLiteral("Assign"), QStringLiteral("103"),
                                       QStringLiteral("03/06/2027"), QStringLiteral("CREW 1")}));
        QCOMPARE(rows[1][3], QStringLiteral("CREW 2"));

        m.frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&m.frame));
        QTest::keyClick(&m.frame, Qt::Key_F1);
        QCOMPARE(m.doc.History.size(), size_t(1));
        QCOMPARE(m.doc.Crew[0].DaySlot[2], -1);
        QCOMPARE(w->Model()->rowCount(), 3); // 103 open again
    }

    // A refusal keeps what was typed for a retry; an insert clears the edits.
    void rosterInsertThroughTheEdits()
    {
        Month m;
        RosterDialog dialog(m.doc, m.ui);
        QTest::keyClicks(dialog.IndexEdit(), QStringLiteral("0"));
        QTest::keyClicks(dialog.NameEdit(), QStringLiteral("NEWBIE"));
        QTest::keyClicks(dialog.EmpEdit(), QStringLiteral("77"));
        QPushButton* insert = Button(dialog, QStringLiteral("Insert Employee"));
        QTest::mouseClick(insert, Qt::LeftButton);
        QCOMPARE(dialog.List()->count(), 3);
        QCOMPARE(m.ui.Events().size(), size_t{1}); // the core's refusal
        QCOMPARE(dialog.NameEdit()->text(), QStringLiteral("NEWBIE"));

        dialog.IndexEdit()->clear();
        QTest::keyClicks(dialog.IndexEdit(), QStringLiteral("1"));
        QTest::mouseClick(insert, Qt::LeftButton);
        QCOMPARE(dialog.List()->count(), 4);
        QCOMPARE(dialog.List()->item(0)->text(), QStringLiteral("001   NEWBIE   77"));
        QCOMPARE(m.ui.Events().size(), size_t{1});
        QVERIFY(dialog.IndexEdit()->text().isEmpty() && dialog.NameEdit()->text().isEmpty());
    }

    void complementSelectionAppliedWhenClosedWithoutDone()
    {
        Month m;
        {
            CrewComplementDialog dialog(m.doc, m.ui);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Change Crew Required for Pairings"));
            QCOMPARE(dialog.List()->count(), 5); // 101 on days 1 and 2 first
            dialog.List()->item(0)->setSelected(true);
            dialog.reject(); // Escape or the close button
            QVERIFY(dialog.Applied());
        }
        QCOMPARE(m.doc.LastPair, 4); // the second captain's copy
        QCOMPARE(m.doc.Pairs[4].OpsCount[0], -1);

        // Opening takes the copy apart; destroying the dialog unclosed puts it back.
        {
            CrewComplementDialog dialog(m.doc, m.ui);
        }
        QCOMPARE(m.doc.LastPair, 4);
    }

    void detailsRefuseABadTimeAndKeepTheDay()
    {
        Month m;
        tl::TPilot& crew = m.doc.Crew[1];
        crew.DaySlot[4] = -2;
        crew.DayCode[4] = "SIM";
        crew.DayOther[4] = {600, 240, 240, 0, 0, 1, 0, 0, 0, 0};
        const auto form = tl::ReadOtherDetails(m.doc, 1, 4);
        QVERIFY(form);
        OtherDetailsDialog dialog(m.doc, m.ui, 1, 4, *form);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("SIM Assignment Details"));
        QCOMPARE(dialog.Edit(tl::DetailsField::Start)->text(), QStringLiteral("10:00"));

        dialog.Edit(tl::DetailsField::Start)->setText(QStringLiteral("25:00"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(m.ui.Events().size(), size_t{1});
        QCOMPARE(
            QString::fromStdString(m.ui.Events()[0].text),
            QStringLiteral("Time starting Work must be a time of day as H:MM (0:00 to 23:59)!"));
        QCOMPARE(crew.DayOther[4][0], 600);
        QVERIFY(!m.doc.Modified);

        dialog.Edit(tl::DetailsField::Start)->setText(QStringLiteral("7:30"));
        dialog.Edit(tl::DetailsField::Credit)->setText(QStringLiteral("5:18"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(crew.DayOther[4][0], 450);
        QCOMPARE(crew.DayOther[4][2], 318);
        QVERIFY(m.doc.Modified);
    }
};

QTEST_MAIN(PairingsWindowTest)
#include "tst_pairingswindow.moc"
