#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/grid_filters.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

using namespace tl::ui;

Q_DECLARE_METATYPE(DisplayFlags)

namespace {

// Ten crew members; crew 1 flies pairing A8101 from day 4, crew 2 has a
// vacation on day 10.
void FillMonth(TtlWin& win, tl::Interaction& ui)
{
    tl::ScheduleDocument& doc = win.Document();
    doc.SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
    doc.CrewCount = 10;
    for (size_t c = 0; c < 10; ++c) {
        doc.Crew[c].Name = "CREW " + std::to_string(c);
        doc.Crew[c].EmpNumber = 1000 + static_cast<int>(c);
    }
    doc.LastPair = doc.LastBasePair = 0;
    tl::TPair& p = doc.Pairs[0];
    p.PairKey = "A8101";
    p.PairNumber = 8101;
    p.OnTime = 360;
    p.OffTime = 840;
    p.Tafb = 2 * 1440 + 480;
    p.Length = 3;
    p.Credit = 900;
    p.OpsCount[4] = 2;
    doc.Crew[1].DaySlot[4] = 0;
    doc.Crew[2].DaySlot[10] = -2;
    doc.Crew[2].DayCode[10] = "VAC";
    doc.DisplayState = 1;
    doc.GridOn = true;
    win.GridChanged();
}

struct Fixture {
    Fixture()
    {
        FillMonth(win, ui);
        win.resize(800, 400);
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

} // namespace

class GridMouseTest : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(f.doc.Crew[holder == 1 ? 3 : 1].DaySlot[4], -1);
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
        QTest::newRow("confirmed") << false << int(tl::Answer::Yes) << true;
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
        QTEST(f.doc.Crew[1].DaySlot[4] == -1, "removed");
        QCOMPARE(f.ui.Events().size(), size_t(ctrl ? 0 : 1));
        if (!ctrl)
            QCOMPARE(f.ui.Events().front().text,
                     std::string("Confirm remove A8101 from CREW 1. Hold Ctrl Key down while Right "
                                 "Clicking to avoid this message"));
        QCOMPARE(f.doc.Pairs[0].OpsCount[4], f.doc.Crew[1].DaySlot[4] == -1 ? 1 : 2);
    }

    void clickSignals()
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
        QCOMPARE(f.doc.Crew[2].DaySlot[10], -1);
        QVERIFY(f.ui.Events().empty());
    }

    void locksAndKeys()
    {
        Fixture f;
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
        QCOMPARE(f.doc.Crew[1].DaySlot[4], -1);
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
        DisplayFlags none, leave, ltcAndCheck, holdersNotLeave, completed;
        leave.HideLeave = true;
        ltcAndCheck.OnlyLtc = ltcAndCheck.OnlyCheckPilots = true;
        holdersNotLeave.OnlyBlockHolders = holdersNotLeave.HideLeave = true;
        completed.HideCompleted = completed.HideCheckPilots = true;
        QTest::newRow("none") << none << std::vector<int>{0, 1, 2, 3, 4, 5};
        QTest::newRow("hide leave") << leave << std::vector<int>{0, 1, 2, 3, 4};
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
            doc.Crew[c].CarryIn[8] = quals[c];
        doc.Crew[5].AllMonthLeave = 1;
        doc.Crew[4].BidReserveOrLoa = 1;
        doc.Crew[3].CarryIn[4] = 1;
        QTEST(DisplayOrder(doc, flags), "order");
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
        QCOMPARE(l.RowCount(), 8);
        QCOMPARE(l.HitTest(f.cell(0, 4)).Crew, 1);
        QCOMPARE(l.HitTest(f.cell(1, 4)).Crew, 3);
        // Dragging between filtered rows reaches the crew members shown there.
        QTest::mousePress(f.view(), Qt::LeftButton, {}, f.cell(0, 4));
        QTest::mouseRelease(f.view(), Qt::LeftButton, {}, f.cell(1, 8));
        QCOMPARE(f.doc.Crew[3].DaySlot[4], 0);
        // The small crew dialog's "Block is Complete", then the filters again.
        f.grid().EditCrewOptions = [](tl::TPilot& crew) {
            crew.CarryIn[4] = 1;
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
        tl::test::ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame(ui, settings);
        FillMonth(*frame.Client(), ui);
        frame.UpdateCommands();
        QAction* hideLeave = frame.Action(CmHideLeave);
        QVERIFY(hideLeave->isCheckable() && hideLeave->isEnabled());
        hideLeave->trigger();
        QVERIFY(hideLeave->isChecked() && frame.Client()->Grid()->Flags().HideLeave);
        frame.Client()->DeleteAll();
        QVERIFY(!hideLeave->isChecked() && !frame.Client()->Grid()->Flags().Any());
    }
};

QTEST_MAIN(GridMouseTest)
#include "tst_gridmouse.moc"
