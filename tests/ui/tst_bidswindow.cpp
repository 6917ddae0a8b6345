#include "import/new_month.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/windows/tbidswindow.h"

#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using tl::test::ScriptedInteraction;
using namespace tl;
using namespace tl::ui;

namespace {

// November 2027 with two bidders and the pairings Z8101 and Z8102.
struct Fixture {
    Fixture()
    {
        SilentInteraction quiet;
        QVERIFY(CreateEmptyMonth(doc, "YYZDH8FOZ", JulianDay(11, 1, 2027), JulianDay(11, 30, 2027),
                                 quiet));
        doc.CrewCount = 2;
        doc.Crew[0].Name = "ANNE SMITH";
        doc.Crew[0].EmpNumber = 42;
        doc.Crew[0].BidText = "ANNE\n(1). OFF 10-12, 20\n(2). Z8101\n";
        doc.Crew[1].Name = "BOB JONES";
        doc.Crew[1].EmpNumber = 7;
        doc.LastPair = 1;
        doc.Pairs[0].PairNumber = 8101;
        doc.Pairs[1].PairNumber = 8102;
        doc.Pairs[0].PairKey = "Z8";
        settings.SetInt("TL", "BidWinX", 100000); // off the screen
        settings.SetInt("TL", "BidWinY", 40);
    }
    ScheduleDocument doc;
    ScriptedInteraction ui;
    MemorySettingsStore settings;
};

} // namespace

class BidsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheBidAndTurnsItIntoRequestsAndAFilter()
    {
        Fixture f;
        {
            TBidsWindow w(f.doc, f.ui, f.settings, [] { return std::vector<int>{1, 0}; });
            QCOMPARE(w.windowTitle(), QStringLiteral("Bids"));
            QCOMPARE(w.pos(), QPoint(200, 40));
            QCOMPARE(w.CrewList()->item(1)->text(), QStringLiteral("2. ANNE SMITH"));
            w.CrewList()->setCurrentRow(1);
            QCOMPARE(w.GuessPane()->toPlainText(),
                     QStringLiteral("--- Requested Days Off ---\n10, 11, 12, 20, \n\n"
                                    "--- Requested Pairings ---\n8101, \n"));
            QVERIFY(
                w.FilterPane()->toPlainText().startsWith(QStringLiteral("--- Pairing Filters")));

            // Typing reads the bid again; a change of length asks before it is kept.
            w.BidPane()->setPlainText(QStringLiteral("(1). off 3\n(2). Z8102"));
            QVERIFY(w.GuessPane()->toPlainText().contains(QStringLiteral("03, \n")));
            w.findChild<QPushButton*>(QStringLiteral("SetDayOffReq"))->click();
            QCOMPARE(f.doc.Crew[0].DayFlag[2], 20);
            w.findChild<QPushButton*>(QStringLiteral("SetFilters"))->click();
            QCOMPARE(f.doc.Crew[0].FilterText, std::string("8102TEXT"));
            QVERIFY(w.FilterPane()->toPlainText().contains(QStringLiteral("8102, ")));
            f.ui.Script({Answer::Yes});
            w.CrewList()->setCurrentRow(0);
            QCOMPARE(f.ui.Dialogs().back(),
                     std::string("Tessara Lines: Save Changes to Bid for ANNE SMITH"));
            QCOMPARE(f.doc.Crew[0].BidText, std::string("(1). OFF 3\n(2). Z8102"));

            w.CrewList()->setCurrentRow(1);
            w.FiltersButton()->click();
            QVERIFY(f.doc.FiltersOn);
            QCOMPARE(f.doc.FilterName, std::string("ANNE SMITH"));
            QCOMPARE(w.FiltersButton()->text(), QStringLiteral("SET FILTERS OFF"));
            w.FiltersButton()->click();
            QVERIFY(!f.doc.FiltersOn);

            // The context menu's "Pilot Info Dialog" asks for the Employee Info dialog.
            QMenu* menu = w.ContextMenu();
            QCOMPARE(menu->actions().size(), 7); // a separator before the crew member's items
            int asked = -1;
            connect(&w, &TBidsWindow::pilotInfoRequested, [&](int crew) { asked = crew; });
            menu->actions()[5]->trigger();
            QCOMPARE(asked, 0);
            w.move(150, 60);
        }
        QCOMPARE(f.settings.GetInt("TL", "BidWinX", 0), 150);
    }
};

QTEST_MAIN(BidsWindowTest)
#include "tst_bidswindow.moc"
