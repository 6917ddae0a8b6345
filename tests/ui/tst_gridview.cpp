#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/grid/grid_text.h"
#include "ui/grid/gridview.h"
#include "rules/toolbox_drop.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/toolboxwindow.h"

#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <climits>

using namespace tl::ui;

namespace {

// A 40-row November with one three-day pairing (day 4, 06:00 to 14:00 on
// day 6) and a vacation on day 10, in a window that must scroll.
struct Fixture {
    Fixture()
    {
        doc.SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
        doc.CrewCount = 40;
        for (size_t c = 0; c < 40; ++c)
            doc.Crew[c].Name = "CREW " + std::to_string(c);
        doc.LastPair = 0;
        tl::TPair& p = doc.Pairs[0];
        p.PairNumber = 8101;
        p.OnTime = 360;
        p.OffTime = 840;
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
        win.resize(700, 300);
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
    }
    GridView& grid() { return *win.Grid(); }
    QWidget* view() { return grid().viewport(); }

    tl::test::ScriptedInteraction ui;
    tl::MemorySettingsStore settings;
    TtlWin win{ui, settings};
    tl::ScheduleDocument& doc = win.Document();
};

} // namespace

class GridViewTest : public QObject {
    Q_OBJECT

private slots:
    void hitTest_data()
    {
        QTest::addColumn<int>("scrollRows");
        QTest::addColumn<int>("scrollColumns");
        QTest::addColumn<int>("row");    // visible row under the point
        QTest::addColumn<int>("column"); // column from the day area's left edge
        QTest::addColumn<int>("crew");
        QTest::addColumn<int>("slot");
        QTest::newRow("first day") << 0 << 0 << 1 << 3 << 1 << 0;
        QTest::newRow("last month band") << 0 << 0 << 0 << 0 << 0 << -3;
        QTest::newRow("scrolled down") << 5 << 0 << 1 << 7 << 6 << 4;
        QTest::newRow("scrolled both ways") << 2 << 4 << 3 << 2 << 5 << 3;
    }
    void hitTest()
    {
        QFETCH(int, scrollRows);
        QFETCH(int, scrollColumns);
        QFETCH(int, row);
        QFETCH(int, column);
        Fixture f;
        GridView& g = f.grid();
        const GridLayout& l = g.Layout();
        g.verticalScrollBar()->setValue(scrollRows);
        g.horizontalScrollBar()->setValue(scrollColumns * l.ColWidth);
        QPoint point(l.FixedWidth() + column * l.ColWidth + l.ColWidth / 2,
                     l.HeaderHeight() + row * l.RowHeight + l.RowHeight / 2);
        GridLayout::Hit hit = l.HitTest(point);
        QCOMPARE(hit.Where, GridLayout::Hit::Day);
        QTEST(hit.Crew, "crew");
        QTEST(hit.Column, "slot");
        QCOMPARE(l.HitTest(QPoint(5, point.y())).Where, GridLayout::Hit::Label);
        QCOMPARE(l.HitTest(QPoint(point.x(), 2)).Where, GridLayout::Hit::Header);
    }

    // A toolbox item dropped on the grid lands on the day under the pointer,
    // scrolled grid included.
    void toolboxItemDropsOnTheDayUnderThePointer()
    {
        Fixture f;
        GridView& g = f.grid();
        const GridLayout& l = g.Layout();
        g.verticalScrollBar()->setValue(5);
        const QPoint inView(l.FixedWidth() + (3 + 7) * l.ColWidth + l.ColWidth / 2,
                            l.HeaderHeight() + 2 * l.RowHeight + l.RowHeight / 2);
        const QPoint at = g.viewport()->mapTo(&f.win, inView); // crew 7, day slot 7
        QMimeData data;
        data.setData(QString::fromLatin1(kToolBoxItemMime), QByteArray::fromStdString(tl::EncodeToolBoxItem(
                                           {tl::ToolBoxItemRef::Kind::Request, 0})));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.win, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f.win, &drop);
        QCOMPARE(int(f.doc.Crew[7].DayFlag[7]), 1);
        QVERIFY(f.doc.Modified);
    }

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

    void paintsPairingBar()
    {
        // 06:00 on day 4 to 14:00 on day 6, then 11 hours of rest; day 5 was
        // asked off.
        Fixture f;
        f.doc.Crew[1].DayFlag[5] = 1;
        f.win.CrewRowChanged(1, 4, 7);
        const GridLayout& l = f.grid().Layout();
        QImage image = f.view()->grab().toImage();
        int y = l.RowY(1) + 4;
        auto at = [&](int day, double hours) {
            return image.pixelColor(l.ColumnX(day) + int(hours * l.ColWidth / 24), y);
        };
        const QColor duty(0, 255, 0), rest(255, 255, 0), overDayOff(128, 255, 255);
        QVERIFY(at(4, 5) != duty);
        QCOMPARE(at(4, 7), duty);
        QCOMPARE(at(5, 12), overDayOff);
        QCOMPARE(at(6, 13), duty);
        QCOMPARE(at(6, 15), rest);
        QCOMPARE(at(6, 24.5), rest);
        QVERIFY(at(7, 2) != rest);
        QCOMPARE(DayRequestText(1), std::string("X1"));
        QCOMPARE(DayRequestText(14), std::string("RPD"));
        QCOMPARE(DayRequestText(51), std::string("X32"));
        QCOMPARE(DayRequestText(15) + DayRequestText(52) + DayRequestText(-1), std::string());
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
};

QTEST_MAIN(GridViewTest)
#include "tst_gridview.moc"
