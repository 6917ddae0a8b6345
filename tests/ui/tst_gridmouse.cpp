#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "rules/toolbox_drop.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/grid_filters.h"
#include "ui/grid/grid_text.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/toolboxwindow.h"

#include <QAction>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <climits>

using namespace tl::ui;

Q_DECLARE_METATYPE(DisplayFlags)

namespace {

// Forty crew members, more than the window shows; crew 1 flies pairing A8101
// (day 4, 06:00 to 14:00 on day 6), crew 2 has a vacation on day 10.
void FillMonth(TtlWin& win, tl::Interaction& ui)
{
    tl::ScheduleDocument& doc = win.Document();
    doc.SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
    doc.CrewCount = 40;
    for (size_t c = 0; c < 40; ++c) {
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
    p.PairType = "CA";
    p.OpsCount[4] = 2;
    doc.Crew[1].DaySlot[4] = 0;
    doc.Crew[2].DaySlot[10] = -2;
    doc.Crew[2].DayCode[10] = "VAC";
    doc.Crew[2].DayOther[10] = {480, 600, 240, 0, 0, 0, 0, 0, 0, 0};
    doc.DisplayState = 1;
    doc.GridOn = true;
    win.GridChanged();
}

struct Fixture {
    Fixture()
    {
        FillMonth(win, ui);
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

} // namespace

class GridMouseTest : public QObject {
    Q_OBJECT

private slots:
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
    void hoverTexts()
    {
        Fixture f;
        QCOMPARE(DayHoverText(f.doc, 1, 5, false),
                 std::string("Pair 8101  On 06:00  Off 14:00  Credit 15:00  Type CA"));
        QCOMPARE(DayHoverText(f.doc, 1, 7, false), std::string());
        QCOMPARE(DayHoverText(f.doc, 2, 10, false),
                 std::string("VAC  On 08:00  TAFB 10:00  Credit 04:00  Hard 00:00"));
        f.doc.Crew[2].DayOther[10][0] = -1;
        QCOMPARE(DayHoverText(f.doc, 2, 10, false),
                 std::string("VAC  On   TAFB 10:00  Credit 04:00  Hard 00:00"));
        f.doc.Crew[3].DayText[30] = "RES";
        f.doc.Crew[3].DayCarry[30] = {420, 840, 0, 0, 0, 0, 2, 0, 0, 0};
        QCOMPARE(DayHoverText(f.doc, 3, 30, true),
                 std::string("RES  On 07:00  TAFB 14:00  Duty Res"));
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
    }

    void heldKeys()
    {
        Fixture f;
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
        QCOMPARE(f.ui.Events().size(), size_t(ctrl ? 0 : 1)); // its text is the core's
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
        QCOMPARE(l.RowCount(), 38);
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
