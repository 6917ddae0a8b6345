#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/awardreportwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

class AwardTest : public QObject {
    Q_OBJECT

private slots:
    void menuItemAwardsAndShowsTheReasons()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("june.tl2"));
        {
            ScriptedInteraction quiet;
            tl::ScheduleDocument doc;
            QVERIFY(doc.SetMonth(quiet, tl::JulianDay(6, 1, 2027), tl::JulianDay(6, 30, 2027)));
            doc.GroupName = "YYZDH8CAV";
            doc.MonthRules[tl::MonthRule::MinCredit] = 300;
            doc.MonthRules[tl::MonthRule::MaxCredit] = 900;
            doc.CrewCount = 2;
            for (size_t c = 0; c < 2; ++c) {
                doc.Crew[c].Name = c == 0 ? "ANNE SMITH" : "BOB JONES";
                doc.Crew[c].EmpNumber = int(c) + 1;
            }
            doc.Crew[0].BidText = "(1). V101\n";
            doc.LastPair = doc.LastBasePair = 1;
            for (size_t p = 0; p < 2; ++p) {
                tl::TPair& pair = doc.Pairs[p];
                pair.PairNumber = 100 + int(p);
                pair.PairKey = "V8";
                pair.OnTime = 480;
                pair.OffTime = 1080;
                pair.Tafb = 600;
                pair.Length = 1;
                pair.Credit = pair.DayCredit[0] = 300;
                pair.DayStart[0] = 480;
                pair.DayDuty[0] = 600;
                pair.OpsCount[3] = tl::kOpsOpen;
            }
            QVERIFY(tl::SaveBlocks(doc, path.toStdString(), tl::kSchedulerFile, quiet));
        }
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TMainDecFrameWin frame{ui, settings};
        QVERIFY(frame.OpenFile(path));
        const QString csv = dir.filePath(QStringLiteral("reasons.csv"));
        frame.SetFileChooser({[csv](FileChooser::Mode, const QString&, const QString&,
                                    const QString&) { return csv; }});
        QVERIFY(frame.Action(CmAwardBids)->isEnabled());
        frame.Action(CmAwardBids)->trigger();

        const tl::ScheduleDocument& doc = frame.Client()->Document();
        QCOMPARE(doc.Crew[0].DaySlot[3], 1); // the senior's bid
        QCOMPARE(doc.Crew[1].DaySlot[3], 0); // the rest covered
        auto* window = frame.findChild<AwardReportWindow*>();
        QVERIFY(window != nullptr && window->isVisible());
        QCOMPARE(window->Table()->rowCount(), 2);
        QCOMPARE(window->Table()->item(0, 4)->text(), QStringLiteral("Awarded"));
        QCOMPARE(window->Table()->item(1, 4)->text(), QStringLiteral("Fallback line"));
        window->CopyToClipboard();
        QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("001 ANNE SMITH")));
        QVERIFY(window->SaveCsv());
        QFile saved(csv);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readLine().startsWith("position,name,employee,item,result,cause"));
        if (const QByteArray shot = qgetenv("TL_AWARD_SHOT"); !shot.isEmpty())
            window->grab().save(QString::fromLocal8Bit(shot));

        // One undo step takes the whole award back.
        frame.Action(CmUndo)->trigger();
        QCOMPARE(doc.Crew[0].DaySlot[3], tl::kFreeSlot);
        QCOMPARE(doc.Crew[1].DaySlot[3], tl::kFreeSlot);
    }
};

QTEST_MAIN(AwardTest)
#include "tst_award.moc"
