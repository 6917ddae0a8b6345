#include "actions/toolbox_drop.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/assignment.h"
#include "rules/block_build.h"
#include "rules/legality.h"
#include "storage/memory_settings.h"
#include "support/modal.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/crewcomplementdialog.h"
#include "ui/dialogs/otherdetailsdialog.h"
#include "ui/dialogs/rosterdialog.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/grid_filters.h"
#include "ui/grid/grid_paint.h"
#include "ui/grid/grid_text.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/historydialog.h"
#include "ui/windows/toolboxwindow.h"
#include "ui/windows/tpairwin.h"
#include "ui/windows/whoslegaldialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

#include <climits>
#include <functional>
#include <tuple>

using tl::test::OnNextModal;
using tl::test::ScriptedInteraction;
using namespace tl::ui;

Q_DECLARE_METATYPE(DisplayFlags)

namespace {

// Forty crew members, more than the window shows; crew 1 flies pairing A8101
// (day 4, 06:00 to 14:00 on day 6), crew 2 has a vacation on day 10.
struct Fixture {
    Fixture()
    {
        QVERIFY(doc.SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027)));
        doc.CrewCount = 40;
        for (size_t c = 0; c < 40; ++c) {
            doc.Crew[c].Name = "CREW " + std::to_string(c);
            doc.Crew[c].EmpNumber = 1000 + static_cast<int>(c);
        }
        doc.LastPair = doc.LastBasePair = 0;
        tl::TPair& p = doc.Pairs[0];
        std::tie(p.PairKey, p.PairNumber, p.OnTime, p.OffTime, p.Tafb, p.Length, p.Credit,
                 p.PairType) = std::tuple("A8101", 8101, 360, 840, 2 * 1440 + 480, 3, 900, "CA");
        p.OpsCount[4] = tl::kOpsAssigned;
        doc.Crew[1].DaySlot[4] = 0;
        doc.Crew[2].DaySlot[10] = tl::kOtherSlot;
        doc.Crew[2].DayCode[10] = "VAC";
        doc.Crew[2].DayOther[10] = {480, 600, 240, 0, 0, 0, 0, 0, 0, 0};
        doc.DisplayState = tl::kMonthOpen;
        doc.GridOn = true;
        win.GridChanged();
        win.resize(800, 300);
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
    }
    GridView& grid() { return *win.Grid(); }
    QWidget* view() { return grid().viewport(); }
    QPoint cell(int row, int column) { return grid().Layout().CellRect(row, column).center(); }

    tl::test::ScriptedInteraction ui;
    tl::MemorySettingsStore settings;
    TtlWin win{ui, settings};
    tl::ScheduleDocument& doc = win.Document();
};

QStringList Lines(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QStringList Strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromLatin1(t);
    return list;
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
        QVERIFY(doc.SetMonth(ui, tl::JulianDay(6, 1, 2027), tl::JulianDay(6, 30, 2027)));
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
        doc.Pairs[1].OpsCount[0] = tl::kOpsAssigned;
        for (int c = 0; c < 3; ++c)
            tl::CheckLegality(doc, c);
        doc.DisplayState = tl::kMonthOpen;
        doc.BuildState = 1;
        doc.GridOn = true;
        emit frame.Client()->DocumentChanged();
    }
    tl::TPair& Pair(int on, int length, std::initializer_list<int> days, int creditPerDay)
    {
        tl::TPair& p = doc.Pairs[size_t(++doc.LastPair)];
        doc.LastBasePair = doc.LastPair;
        std::tie(p.PairNumber, p.OnTime, p.Length, p.Tafb, p.OffTime) = std::tuple(
            101 + doc.LastPair, on, length, (length - 1) * 1440 + 600, (on + 600) % 1440);
        for (int k = 0; k < length; ++k)
            p.DayCredit[size_t(k)] = creditPerDay;
        p.Credit = creditPerDay * length;
        for (int d : days)
            p.OpsCount[size_t(d)] = tl::kOpsOpen;
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

class GridMouseTest : public QObject {
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
            m.doc.Pairs[0].OpsCount[0] = tl::kOpsAssigned;
            dialog->LegalList()->setCurrentRow(0);
            dialog->AssignButton()->click();
            stayedOpen = dialog->isVisible();
            m.doc.Pairs[0].OpsCount[0] = tl::kOpsOpen;
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
        QCOMPARE(m.ui.Dialogs(), (std::vector<std::string>{
                                     "Tessara Lines: You have not Selected an Employee",
                                     "Tessara Lines: Can't Assign. Pairing allready Assigned"}));
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
        QCOMPARE(tl::AssignPair(m.doc, m.ui, 1, 0, 0, false), tl::AssignResult::Done);
        QCOMPARE(tl::AssignPair(m.doc, m.ui, 0, 2, 2, false), tl::AssignResult::Done);
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
        QCOMPARE(m.doc.Crew[0].DaySlot[2], tl::kFreeSlot);
        QCOMPARE(w->Model()->rowCount(), 3); // 103 open again
        // The pairings window's own F1.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F1);
        QVERIFY(m.doc.History.empty());
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
        crew.DaySlot[4] = tl::kOtherSlot;
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
        QCOMPARE(crew.DayOther[4][tl::OtherValue::Start], 600);
        QVERIFY(!m.doc.Modified);

        dialog.Edit(tl::DetailsField::Start)->setText(QStringLiteral("7:30"));
        dialog.Edit(tl::DetailsField::Credit)->setText(QStringLiteral("5:18"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(crew.DayOther[4][tl::OtherValue::Start], 450);
        QCOMPARE(crew.DayOther[4][tl::OtherValue::Credit], 318);
        QVERIFY(m.doc.Modified);
    }

    // The right button on a name opens Employee Info as stored, in the crew
    // kind's captions; OK untouched stores nothing, an edit is stored, and
    // with Shift held it is Move Employee that opens.
    void employeeInfoFromTheGrid_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("captions"); // the Flags group, "60+", "Check B"
        QTest::newRow("pilots") << 0 << Strings({"Flags", "60+", "Check B"});
        QTest::newRow("attendants") << 2 << Strings({"F/A Language", "FR", "No Fams"});
    }
    void employeeInfoFromTheGrid()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, captions);
        Month m;
        m.doc.CrewKind = static_cast<int8_t>(kind);
        tl::TPilot& crew = m.doc.Crew[1];
        crew.CarryIn[tl::CarryInEntry::LegalAt] = 1440 + 600;
        crew.MiscHours = 90;
        crew.Notes = "CALL FIRST";
        crew.CarryIn[tl::CarryInEntry::Flags] = tl::kSixtyPlus;
        crew.DayCarry[30] = {1020, 1815, 1080, 630, 0, 300, tl::kReserveDay, 0, 1, 0};
        m.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m.frame));
        GridView* grid = m.frame.Client()->Grid();
        const QPoint name(5, grid->Layout().CellRect(1, 0).center().y());
        const auto rightClick = [&](Qt::KeyboardModifiers keys,
                                    const std::function<void(QDialog*)>& act) {
            QString opened;
            OnNextModal([&](QWidget* modal) {
                opened = modal->objectName();
                act(qobject_cast<QDialog*>(modal));
            });
            QTest::mousePress(grid->viewport(), Qt::RightButton, keys, name);
            QTest::mouseRelease(grid->viewport(), Qt::RightButton, keys, name);
            return opened;
        };

        // What the dialog shows, read before OK closes it.
        QStringList shown;
        QString opened = rightClick({}, [&](QDialog* d) {
            for (const char* n :
                 {"Name", "EmpNumber", "LegalAt", "ExtraCredits", "PairingTafb", "DutyStart"})
                shown << d->findChild<QLineEdit*>(QString::fromLatin1(n))->text();
            auto* sixty = d->findChild<QCheckBox*>(QStringLiteral("SixtyPlus"));
            shown << d->windowTitle() << d->findChild<QLabel*>(QStringLiteral("DayLabel"))->text()
                  << QString::number(
                         d->findChild<QCheckBox*>(QStringLiteral("Worked"))->checkState())
                  << QString::number(sixty->isChecked())
                  << d->findChild<QPlainTextEdit*>(QStringLiteral("QuickNotes"))->toPlainText()
                  << d->findChild<QGroupBox*>(QStringLiteral("Flags"))->title() << sixty->text()
                  << d->findChild<QRadioButton*>(QStringLiteral("CheckB"))->text();
            d->accept();
        });
        QCOMPARE(opened, QStringLiteral("PilotInfoDialog"));
        QCOMPARE(shown, Strings({"CREW 2", "2", "2:10:00", "01:30", "30:15", "18:00",
                                 "Employee Info", "31 MAY 2027", "1", "1", "CALL FIRST"}) +
                            captions);
        QVERIFY(!m.doc.Modified);
        QCOMPARE(m.doc.Crew[1].Name, std::string("CREW 2"));

        rightClick({}, [](QDialog* d) {
            auto* extra = d->findChild<QLineEdit*>(QStringLiteral("ExtraCredits"));
            extra->selectAll();
            QTest::keyClicks(extra, QStringLiteral("02:00"));
            // From reserve: clear, then worked (not Qt's gray) on the next click.
            for (int i = 0; i < 2; ++i)
                QTest::mouseClick(d->findChild<QCheckBox*>(QStringLiteral("Worked")),
                                  Qt::LeftButton);
            d->accept();
        });
        QCOMPARE(crew.MiscHours, 120);
        QCOMPARE(crew.DayCarry[30][tl::CarryValue::DayKind], tl::kWorkedDay);
        QVERIFY(m.doc.Modified);

        QCOMPARE(rightClick(Qt::ShiftModifier, [](QDialog* d) { d->reject(); }),
                 QStringLiteral("MoveEmployeeDialog"));
    }

    // A toolbox item dropped on the grid lands on the day under the pointer,
    // grid scrolled both ways included.
    void toolboxItemDropsOnTheDayUnderThePointer()
    {
        Fixture f;
        GridView& g = f.grid();
        const GridLayout& l = g.Layout();
        g.verticalScrollBar()->setValue(5);
        g.horizontalScrollBar()->setValue(4 * l.ColWidth);
        // Last month's three days scroll away with the rest.
        const QPoint inView(l.FixedWidth() + 6 * l.ColWidth + l.ColWidth / 2,
                            l.HeaderHeight() + 2 * l.RowHeight + l.RowHeight / 2);
        const QPoint at = g.viewport()->mapTo(&f.win, inView); // crew 7, day slot 7
        QMimeData data;
        data.setData(QString::fromLatin1(kToolBoxItemMime),
                     QByteArray::fromStdString(
                         tl::EncodeToolBoxItem({tl::ToolBoxItemRef::Kind::Request, 0})));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.win, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.win, &drop);
        QCOMPARE(int(f.doc.Crew[7].DayFlag[7]), 1);
        QVERIFY(f.doc.Modified);
    }

    // Declared before the mouse tests: those leave a button pressed, which stops hovering.
    void hoverTextsAndHeldKeys()
    {
        Fixture f;
        QCOMPARE(DayHoverText(f.doc, 1, 5, false),
                 std::string("Pair 8101  On 06:00  Off 14:00  Credit 15:00  Type CA"));
        QCOMPARE(DayHoverText(f.doc, 1, 7, false), std::string());
        QCOMPARE(DayHoverText(f.doc, 2, 10, false),
                 std::string("VAC  On 08:00  TAFB 10:00  Credit 04:00  Hard 00:00"));
        f.doc.Crew[2].DayOther[10][tl::OtherValue::Start] = -1;
        QCOMPARE(DayHoverText(f.doc, 2, 10, false),
                 std::string("VAC  On   TAFB 10:00  Credit 04:00  Hard 00:00"));
        f.doc.Crew[3].DayText[30] = "RES";
        f.doc.Crew[3].DayCarry[30] = {420, 840, 0, 0, 0, 0, 2, 0, 0, 0};
        QCOMPARE(DayHoverText(f.doc, 3, 30, true),
                 std::string("RES  On 07:00  TAFB 14:00  Duty Res"));
        // A pairing's later days name it too.
        f.doc.Crew[4].DayText[29] = "Z8102";
        f.doc.Crew[4].DayCarry[29] = {600, 2000, 0, 0, 0, 0, 1, 0, 0, 0};
        f.doc.Crew[4].DayCarry[30][tl::CarryValue::DayKind] = tl::kWorkedDay;
        QCOMPARE(DayHoverText(f.doc, 4, 30, true),
                 std::string("Z8102  On 10:00  TAFB 33:20  Duty Yes"));
        QCOMPARE(DayRequestText(1) + DayRequestText(14) + DayRequestText(51),
                 std::string("X1RPDX32"));
        QCOMPARE(DayRequestText(15) + DayRequestText(52) + DayRequestText(-1), std::string());

        // The status text follows the cell under the mouse, once per cell.
        QSignalSpy spy(&f.win, &TtlWin::HoverTextChanged);
        const GridLayout& l = f.grid().Layout();
        QPoint day5 = l.CellRect(1, 5).center();
        QTest::mouseMove(f.view(), day5);
        QTest::mouseMove(f.view(), day5 + QPoint(1, 0));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(),
                 QStringLiteral("Pair 8101  On 06:00  Off 14:00  Credit 15:00  Type CA"));

        // Keys held down.
        tl::TPilot& crew = f.doc.Crew[1];
        crew.TrainingFlag = true;
        crew.TrainingCredit = 600;
        QTest::keyPress(f.view(), Qt::Key_Left);
        QVERIFY(f.grid().LastMonthView());
        // Only the scroll keys act while last month is shown.
        QTest::keyPress(f.view(), Qt::Key_Escape);
        QVERIFY(!f.grid().AllCreditsShown());
        QTest::keyRelease(f.view(), Qt::Key_Left);
        QVERIFY(!f.grid().LastMonthView());

        QTest::keyPress(f.view(), Qt::Key_Escape);
        QVERIFY(f.grid().AllCreditsShown());
        QCOMPARE(tl::StoredBlockCredit(crew), 900 + 600);
        QTest::keyRelease(f.view(), Qt::Key_Escape);
        QCOMPARE(tl::StoredBlockCredit(crew), 900);

        QTest::keyPress(f.view(), Qt::Key_Down);
        QTest::keyPress(f.view(), Qt::Key_Down);
        QTest::keyPress(f.view(), Qt::Key_Up);
        QCOMPARE(f.grid().Layout().FirstRow, 1);
    }

    // What does not fit is cut short with an ellipsis and shown whole in a
    // tooltip; scrolling leaves no day half shown beside the names.
    void cutTextsEndInAnEllipsisAndShowWhole()
    {
        Fixture f;
        f.doc.Crew[0].Name = "MACINTYRE-HOLLOWAY FERGUSON-SMYTHE";
        f.doc.Crew[5].DayText[30] = "Z8102"; // runs into the month
        f.doc.Crew[5].DayCarry[30] = {360, 3000, 0, 0, 0, 0, 1, 0, 0, 0};
        f.doc.Crew[6].DaySlot[3] = tl::kOtherSlot;
        f.doc.Crew[6].DayCode[3] = "TRAINING";
        f.win.GridChanged();
        const GridLayout& l = f.grid().Layout();
        const struct {
            QPoint at;
            const char* whole; // empty: nothing cut there
        } cases[] = {{l.LabelRect(0).center(), "1 MACINTYRE-HOLLOWAY FERGUSON-SMYTHE"},
                     {l.LabelRect(1).center(), ""},
                     {l.CellRect(5, -1).center(), "Z8102"},
                     {l.CellRect(6, 3).center(), "TRAINING"},
                     {l.CellRect(1, 4).center() + QPoint(l.ColWidth / 4, 0), ""}};
        for (const auto& c : cases) {
            const FittedText text = CutTextAt(f.doc, f.grid().Style(), l, c.at);
            QCOMPARE(text.Full, QString::fromLatin1(c.whole));
            QVERIFY(text.Full.isEmpty() || text.Shown.endsWith(QChar(0x2026)));
        }
        const QPoint name = l.LabelRect(0).center();
        QHelpEvent help(QEvent::ToolTip, name, f.view()->mapToGlobal(name));
        QCoreApplication::sendEvent(f.view(), &help);
        QCOMPARE(QToolTip::text(), QStringLiteral("1 MACINTYRE-HOLLOWAY FERGUSON-SMYTHE"));

        f.grid().horizontalScrollBar()->setValue(l.ColWidth * 5 / 2);
        QCOMPARE((l.FixedWidth() - l.LeftMargin()) % l.ColWidth, 0);
    }

    // A locked pairing shows it above its bar, even as the current pairing.
    void lockMarkShowsOverTheCurrentPairingsFrame()
    {
        Fixture f;
        f.doc.CurrentPair = 0;
        f.doc.CurrentPairDay = 4;
        const GridLayout& l = f.grid().Layout();
        const QPoint aboveStart(l.ColumnX(4) + l.ColWidth / 4 + 1, l.RowY(1) + 1);
        QCOMPARE(f.view()->grab().toImage().pixelColor(aboveStart),
                 f.grid().Style().Colour(kBlockWindowBackground));
        f.doc.Crew[1].DayLocked[4] = 1;
        f.grid().RepaintAll();
        QCOMPARE(f.view()->grab().toImage().pixelColor(aboveStart), QColor(Qt::black));
    }

    void paintsHostileDocument()
    {
        Fixture f;
        tl::ScheduleDocument& doc = f.doc;
        doc.LastPair = 999999;
        doc.DaysInMonth = 99;
        doc.FileKind = 2;
        doc.BlockHolderCut = 3;
        doc.CurrentPair = 1;
        doc.CurrentPairDay = 61;
        tl::TPair& p = doc.Pairs[1];
        p.Length = -5;
        p.OnTime = INT_MIN;
        p.OffTime = INT_MAX;
        p.Layovers = "YULYY";
        p.DayOpsType.fill(3);
        p.CreditClass = 100;
        doc.Pairs[2].Length = 127;
        for (size_t c = 0; c < 40; ++c) {
            tl::TPilot& crew = doc.Crew[c];
            crew.Name.clear();
            crew.CarryIn.fill(c % 2 ? -1 : 3);
            crew.BidText = "SIM:";
            for (size_t d = 0; d < tl::TPilot::kSlots; ++d) {
                crew.DaySlot[d] = static_cast<int>((d * 7 + c) % 5) - 3 + (d % 11 == 0 ? 5000 : 0) +
                                  (d % 13 == 0 ? 3 : 0);
                crew.DayFlag[d] = static_cast<int8_t>(static_cast<int>(d) * 9 - 128);
                crew.DayCarry[d] = {INT_MAX, INT_MIN, 0, 0, 0, 0, static_cast<int>(d % 3), 0, 0, 0};
                crew.DayText[d] = d % 2 ? "Z8101" : "";
                crew.DayIllegal[d] = 1;
            }
        }
        doc.Crew[0].DaySlot.fill(2);
        f.win.GridChanged();
        QVERIFY(!f.win.grab().isNull());
        QTest::keyPress(f.view(), Qt::Key_Left);
        QVERIFY(!f.win.grab().isNull());
        QTest::keyRelease(f.view(), Qt::Key_Left);
        f.grid().verticalScrollBar()->setValue(f.grid().verticalScrollBar()->maximum());
        f.win.CrewRowChanged(39, -10, 100);
        f.win.DayBalanceChanged(45);
        QVERIFY(!f.win.grab().isNull());
        QTest::keyPress(f.view(), Qt::Key_Escape);
        QTest::keyRelease(f.view(), Qt::Key_Escape);
    }

    void drag_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("targetRow");
        QTest::addColumn<int>("holder");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("clicks");
        QTest::newRow("moves, keeping its day") << false << 3 << 3 << QString() << 0;
        QTest::newRow("locked in") << true << 3 << 1 << "Can't Drag a Locked in Pairing" << 0;
        QTest::newRow("own row is a click") << false << 1 << 1 << QString() << 1;
    }
    void drag()
    {
        QFETCH(bool, locked);
        QFETCH(int, targetRow);
        Fixture f;
        f.doc.Crew[1].DayLocked[4] = locked;
        QSignalSpy clicked(&f.win, &TtlWin::pairingClicked);
        QTest::mousePress(f.view(), Qt::LeftButton, {}, f.cell(1, 4));
        // Released on the source row, over the pairing itself.
        const QPoint drop = f.cell(targetRow, targetRow == 1 ? 4 : 9);
        QTest::mouseMove(f.view(), drop);
        QTest::mouseRelease(f.view(), Qt::LeftButton, {}, drop);
        QFETCH(int, holder);
        QCOMPARE(f.doc.Crew[static_cast<size_t>(holder)].DaySlot[4], 0);
        QCOMPARE(f.doc.Crew[holder == 1 ? 3 : 1].DaySlot[4], tl::kFreeSlot);
        QFETCH(QString, message);
        const auto& events = f.ui.Events();
        QCOMPARE(events.empty() ? QString() : QString::fromStdString(events.back().text), message);
        QTEST(static_cast<int>(clicked.count()), "clicks");
        if (clicked.count())
            QCOMPARE(clicked.at(0), QVariantList({0, 4}));
    }

    void rightButtonRemoves_data()
    {
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<int>("answer"); // -1 none scripted
        QTest::addColumn<bool>("removed");
        QTest::newRow("ctrl held: no question") << true << -1 << true;
        QTest::newRow("declined") << false << int(tl::Answer::No) << false;
    }
    void rightButtonRemoves()
    {
        QFETCH(bool, ctrl);
        QFETCH(int, answer);
        Fixture f;
        if (answer >= 0)
            f.ui.Script({tl::Answer(answer)});
        QTest::mousePress(f.view(), Qt::RightButton, ctrl ? Qt::ControlModifier : Qt::NoModifier,
                          f.cell(1, 4));
        QTEST(f.doc.Crew[1].DaySlot[4] == tl::kFreeSlot, "removed");
        QCOMPARE(f.ui.Events().size(), size_t(ctrl ? 0 : 1)); // its text is the core's
        QCOMPARE(f.doc.Pairs[0].OpsCount[4], f.doc.Crew[1].DaySlot[4] == tl::kFreeSlot ? 1 : 2);
    }

    void clickSignalsLocksAndKeys()
    {
        Fixture f;
        f.doc.Crew[3].DayText[30] = "VAC";
        QSignalSpy other(&f.win, &TtlWin::otherAssignmentClicked);
        QSignalSpy info(&f.win, &TtlWin::employeeInfoRequested);
        QTest::mouseClick(f.view(), Qt::LeftButton, {}, f.cell(2, 10));
        QTest::mouseClick(f.view(), Qt::LeftButton, {}, f.cell(3, -1));
        QTest::mouseClick(f.view(), Qt::LeftButton, {}, f.cell(4, -1)); // nothing last month
        QCOMPARE(other.count(), 2);
        QCOMPARE(other.at(0), QVariantList({2, 10}));
        QCOMPARE(other.at(1), QVariantList({3, -1}));
        f.doc.Crew[6].EmpNumber = -1; // open lines have no employee info
        QTest::mousePress(f.view(), Qt::RightButton, {}, QPoint(5, f.cell(5, 0).y()));
        QTest::mousePress(f.view(), Qt::RightButton, {}, f.cell(6, -2));
        QCOMPARE(info.count(), 1);
        QCOMPARE(info.at(0).at(0).toInt(), 5);
        // Shift takes an other assignment off without asking.
        QTest::mousePress(f.view(), Qt::RightButton, Qt::ShiftModifier, f.cell(2, 10));
        QCOMPARE(f.doc.Crew[2].DaySlot[10], tl::kFreeSlot);
        QVERIFY(f.ui.Events().empty());

        // Locks: the middle button, Ctrl+click and Space.
        QTest::mousePress(f.view(), Qt::MiddleButton, {}, f.cell(1, 4));
        QCOMPARE(f.doc.Crew[1].DayLocked[4], 1);
        QTest::mouseClick(f.view(), Qt::LeftButton, Qt::ControlModifier, f.cell(1, 4));
        QCOMPARE(f.doc.Crew[1].DayLocked[4], 0);
        QCOMPARE(f.grid().Selection(), (GridView::Cell{1, 4}));
        QTest::keyClick(f.view(), Qt::Key_Space);
        QCOMPARE(f.doc.Crew[1].DayLocked[4], 1);
        // A free day takes no lock; Delete asks before sending a locked pairing to open.
        QTest::mousePress(f.view(), Qt::MiddleButton, {}, f.cell(1, 5));
        QCOMPARE(f.doc.Crew[1].DayLocked[5], 0);
        f.grid().SetSelection({1, 4});
        f.ui.Script({tl::Answer::Yes});
        QTest::keyClick(f.view(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.doc.Crew[1].DaySlot[4], tl::kFreeSlot);
        QSignalSpy open(&f.win, &TtlWin::showOnlyOpenToggled);
        QTest::keyClick(f.view(), Qt::Key_Tab);
        QCOMPARE(open.count(), 1);
    }

    void displayOrder_data()
    {
        // Qualifications of crew 0 to 5 are 0, 1, 2, 3, 1, 0; crew 5 is on leave,
        // crew 4 bids reserve, crew 3's block is complete.
        QTest::addColumn<DisplayFlags>("flags");
        QTest::addColumn<std::vector<int>>("order");
        DisplayFlags none, ltcAndCheck, holdersNotLeave, completed;
        ltcAndCheck.OnlyLtc = ltcAndCheck.OnlyCheckPilots = true;
        holdersNotLeave.OnlyBlockHolders = holdersNotLeave.HideLeave = true;
        completed.HideCompleted = completed.HideCheckPilots = true;
        QTest::newRow("none") << none << std::vector<int>{0, 1, 2, 3, 4, 5};
        QTest::newRow("only LTC and check pilots") << ltcAndCheck << std::vector<int>{1, 2, 3, 4};
        QTest::newRow("holders, no leave") << holdersNotLeave << std::vector<int>{0, 1, 2, 3};
        QTest::newRow("no completed or check") << completed << std::vector<int>{0, 1, 4, 5};
    }
    void displayOrder()
    {
        QFETCH(DisplayFlags, flags);
        tl::ScheduleDocument doc;
        doc.CrewCount = 6;
        const int quals[] = {0, 1, 2, 3, 1, 0};
        for (size_t c = 0; c < 6; ++c)
            doc.Crew[c].CarryIn[tl::CarryInEntry::Qualification] = quals[c];
        doc.Crew[5].AllMonthLeave = 1;
        doc.Crew[4].BidReserveOrLoa = 1;
        doc.Crew[3].CarryIn[tl::CarryInEntry::BlockComplete] = 1;
        QTEST(DisplayOrder(doc, flags), "order");
    }

    // Names are stored in capitals, accented letters included.
    void searchMatchesAccentedNamesWhateverTheCase()
    {
        tl::ScheduleDocument doc;
        doc.CrewCount = 2;
        doc.Crew[0].Name = "M C\xD4T\xC9";
        doc.Crew[1].Name = "J SMITH";
        QCOMPARE(MarkSearchMatches(doc, "c\xf4t\xe9"), 1);
        QCOMPARE(static_cast<int>(doc.Crew[0].Requests[tl::TPilot::kRequests - 1]), 1);
    }

    void filterAndHitTest()
    {
        Fixture f;
        f.doc.Crew[0].AllMonthLeave = 1;
        f.doc.Crew[2].AllMonthLeave = 1;
        DisplayFlags flags;
        flags.HideLeave = true;
        f.grid().SetDisplayFlags(flags);
        const GridLayout& l = f.grid().Layout();
        QCOMPARE(l.RowCount(), 38);
        QCOMPARE(l.HitTest(f.cell(0, 4)).Crew, 1);
        QCOMPARE(l.HitTest(f.cell(1, 4)).Crew, 3);
        // Dragging between filtered rows reaches the crew members shown there.
        QTest::mousePress(f.view(), Qt::LeftButton, {}, f.cell(0, 4));
        QTest::mouseRelease(f.view(), Qt::LeftButton, {}, f.cell(1, 8));
        QCOMPARE(f.doc.Crew[3].DaySlot[4], 0);
        // The small crew dialog's "Block is Complete", then the filters again.
        f.grid().EditCrewOptions = [](tl::TPilot& crew) {
            crew.CarryIn[tl::CarryInEntry::BlockComplete] = 1;
            return true;
        };
        flags.HideCompleted = true;
        f.grid().SetDisplayFlags(flags);
        QTest::mousePress(f.view(), Qt::RightButton, {}, f.cell(1, 12));
        QCOMPARE(l.HitTest(f.cell(1, 4)).Crew, 4);
        QVERIFY(f.doc.Modified);
        // The corner's second zone turns hiding leave off again.
        QTest::mouseClick(f.view(), Qt::LeftButton, {}, QPoint(60, 2));
        QVERIFY(!f.grid().Flags().HideLeave);
        QCOMPARE(l.HitTest(f.cell(0, 4)).Crew, 0);
    }

    void menuChecksFollowFlags()
    {
        Month m;
        m.frame.UpdateCommands();
        QAction* hideLeave = m.frame.Action(CmHideLeave);
        QVERIFY(hideLeave->isCheckable() && hideLeave->isEnabled());
        hideLeave->trigger();
        QVERIFY(hideLeave->isChecked() && m.frame.Client()->Grid()->Flags().HideLeave);
        // The status bar says which filters hide rows, and only while one does.
        auto* filters = m.frame.findChild<QLabel*>(QStringLiteral("DisplayFilterText"));
        QVERIFY(filters && !filters->isHidden());
        QCOMPARE(filters->text(), QStringLiteral("Filtered: Hide Leave Blocks"));
        m.frame.Action(CmShowOnlyLtc)->trigger();
        QCOMPARE(filters->text(), QStringLiteral("Filtered: Hide Leave Blocks, Show Only LTC"));
        m.frame.Client()->DeleteAll();
        QVERIFY(!hideLeave->isChecked() && !m.frame.Client()->Grid()->Flags().Any());
        QVERIFY(filters->isHidden());
    }
};

QTEST_MAIN(GridMouseTest)
#include "tst_gridmouse.moc"
