#include "import/absences_extract.h"
#include "import/activity_extract.h"
#include "import/lis_scan.h"
#include "import/new_month.h"
#include "import/prg_file.h"
#include "import/roster_extract.h"
#include "import/toolbox_file.h"
#include "model/debug_trace.h"
#include "model/schedule_document.h"
#include "model/vortime.h"
#include "rules/assignment.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/app/instanceguard.h"
#include "ui/app/tlapp.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"
#include "ui/seam/qtinteraction.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using tl::test::ScriptedInteraction;
using namespace tl::ui;

namespace {

// One start of the program in a fresh folder, its lock and trace in there.
struct Run {
    QString Lock() const { return dir.filePath(QStringLiteral("lock")); }

    QTemporaryDir dir;
    ScriptedInteraction ui;
    tl::MemorySettingsStore settings;
    tl::DebugTrace trace;
    InstanceGuard guard{Lock()};
    TLApp app{ui, settings, trace, dir.filePath(QStringLiteral("TLDebug"))};
};

// The bundled sample month made into a block file, step by step as the
// README's commands do it.
bool MakeSampleBlockFile(const std::filesystem::path& file)
{
    const std::filesystem::path s = std::filesystem::path(TL_SAMPLES_DIR) / "YYZDH8FO-NOV27";
    tl::test::YesInteraction ui;
    tl::ScheduleDocument doc;
    return tl::CreateEmptyMonth(doc, "YYZDH8FOZ", tl::JulianDay(11, 1, 2027),
                                tl::JulianDay(11, 30, 2027), ui) &&
           tl::LoadToolBox(s / "TOOLBOX.TXT", doc, ui) &&
           tl::LoadRosterFromExtract(doc, doc.GroupName, s / "1127perp.ext", ui) &&
           tl::LoadCrewAbsences(doc, s / "1127absp.ext", false, ui) &&
           tl::LoadCrewAbsences(doc, s / "1227absp.ext", true, ui) &&
           tl::LoadLastMonthsData(doc, s / "1127actp.ext", s / "1127prgp.ext", ui) &&
           tl::LoadPRGPairs(doc, s / "NOV27.PRG", "", false, ui) &&
           tl::ScanLisFiles(doc, {s / "NOV27-8.LIS"}, ui) &&
           tl::SaveBlocks(doc, file, tl::kSchedulerFile, ui);
}

// The first row of a bar `height` pixels high that `text`, drawn into it as
// the grid draws its texts, leaves without ink; -1 when there is none.
int RowClearOfText(const QFont& font, int height, const QString& text)
{
    QImage probe(QFontMetrics(font).horizontalAdvance(text) + 2, height, QImage::Format_RGB32);
    probe.fill(Qt::white);
    {
        QPainter p(&probe);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(probe.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    for (int y = 0; y < height; ++y) {
        bool inked = false;
        for (int x = 0; x < probe.width() && !inked; ++x)
            inked = probe.pixel(x, y) != qRgb(255, 255, 255);
        if (!inked)
            return y;
    }
    return -1;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(MakeSampleBlockFile(m_dir.filePath(QStringLiteral("nov.tl2")).toStdString()));
    }

    // "tlines nov.tl2" from the month's folder, up to its first painted grid;
    // the time is printed for the record, never checked. The name is kept in
    // full, so the commands that write beside the file still find its folder.
    void startsOnTheSampleMonthToPaintedGrid()
    {
        QElapsedTimer timer;
        timer.start();
        Run run;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        const std::optional<int> started = run.app.Start(run.guard, QStringLiteral("nov.tl2"));
        QDir::setCurrent(before);
        QCOMPARE(started, std::optional<int>());
        QVERIFY(QTest::qWaitForWindowExposed(run.app.Frame()));
        const QImage shown = run.app.Frame()->grab().toImage();
        qInfo("Start to painted grid: %lld ms", static_cast<long long>(timer.elapsed()));
        QVERIFY(!shown.isNull());
        QCOMPARE(run.app.Frame()->MenuName(), QStringLiteral("MENU_1"));
        const tl::ScheduleDocument& doc = run.app.Frame()->Client()->Document();
        QVERIFY(doc.GridOn);
        QCOMPARE(doc.FileName, m_dir.filePath(QStringLiteral("nov.tl2")).toStdString());
        QVERIFY(run.ui.Dialogs().empty());
        QVERIFY(!run.trace.IsOpen()); // DebugFile is off by default
    }

    void secondCopyIsRefusedWithExitCodeZeroUntilTheFirstEnds()
    {
        Run run;
        {
            InstanceGuard running(run.Lock());
            QVERIFY(running.TryAcquire());
            QCOMPARE(run.app.Start(run.guard), std::optional<int>(0));
            QVERIFY(!run.app.Frame());
            QCOMPARE(run.ui.Dialogs(), (std::vector<std::string>{
                                           "Tessara Lines: Tessara Lines is Currently Running"}));
        }
        InstanceGuard next(run.Lock());
        QVERIFY(next.TryAcquire());
    }

    void debugTraceRunsFromStartToNormalEnd()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("TLDebug"));
        tl::MemorySettingsStore settings;
        settings.Set("TL", "DebugFile", "1");
        {
            InstanceGuard guard(dir.filePath(QStringLiteral("lock")));
            // The program's own interaction, which writes its trace lines
            // into the trace file once that is open.
            QtInteraction ui;
            tl::DebugTrace trace;
            ui.SetTrace(&trace);
            TLApp app(ui, settings, trace, folder);
            QVERIFY(!ui.Tracing());
            QCOMPARE(app.Start(guard), std::optional<int>());
            QVERIFY(trace.IsOpen());
            QVERIFY(ui.Tracing());
        }
        // The trace is open before the window first empties the document.
        QCOMPARE(tl::test::ReadAll((folder + QStringLiteral("/TLDebug.txt")).toStdString()),
                 std::string("BeginDeleteAll\nZeroDataBegin\nZeroDataEnd\nEndDeleteAll\n"
                             "Tessara Lines Termination Normal\n"));
    }

    // A three-day pairing released after 14:00 put on an early open day of the
    // first crew member who takes it, its last day asked off: the bar from
    // report to release, then eleven hours of rest.
    void paintsPairingRestAndRequest()
    {
        ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        TtlWin win(ui, settings);
        win.resize(1400, 700);
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        QVERIFY(win.OpenFile(m_dir.filePath(QStringLiteral("nov.tl2"))));
        tl::ScheduleDocument& doc = win.Document();
        GridView& grid = *win.Grid();
        int row = -1, day = -1, pairing = -1;
        for (int p = 0; p <= doc.LastPair && row < 0; ++p) {
            const tl::TPair& pair = doc.Pairs[size_t(p)];
            for (int d = 3; d < 12 && row < 0 && pair.Length == 3 && pair.OffTime > 840; ++d) {
                for (int r = 0; r < 12 && row < 0 && pair.OpsCount[size_t(d)] == tl::kOpsOpen;
                     ++r) {
                    if (tl::AssignPair(doc, ui, grid.Layout().Order[size_t(r)], p, d, false) ==
                        tl::AssignResult::Done)
                        row = r, day = d, pairing = p;
                }
            }
        }
        QVERIFY(row >= 0);
        doc.Crew[size_t(grid.Layout().Order[size_t(row)])].DayFlag[size_t(day + 2)] = 1;
        doc.CurrentPair = -1; // no outline along the bar's edges
        grid.RepaintAll();
        const GridLayout& l = grid.Layout();
        const tl::TPair& pair = doc.Pairs[size_t(pairing)];
        const QImage image = grid.viewport()->grab().toImage();
        // A row of the bar that its number and layovers leave clear, in
        // whatever font the grid has.
        const int clear = RowClearOfText(grid.Style().Font, l.RowHeight - 6,
                                         QString::asprintf("%04d ", pair.PairNumber) +
                                             FromCoreText(pair.Layovers));
        QVERIFY(clear >= 0);
        const int y = l.RowY(row) + 3 + clear;
        auto x = [&](int d, int minute) { return l.ColumnX(d) + minute * l.ColWidth / 1440; };
        auto at = [&](int px) { return image.pixelColor(px, y); };
        const QColor duty = grid.Style().Colour(kDutyTime), rest = grid.Style().Colour(kRestTime);
        QVERIFY(at(x(day, pair.OnTime) - 3) != duty);
        QCOMPARE(at(x(day, pair.OnTime) + 3), duty);
        QCOMPARE(at(l.ColumnX(day + 2) - 2), duty);
        QCOMPARE(at(x(day + 2, pair.OffTime) - 2), grid.Style().Colour(kPairOverRequestedDayOff));
        QCOMPARE(at(x(day + 2, pair.OffTime + 600)), rest); // eleven hours, into the next day
        QVERIFY(at(x(day + 2, pair.OffTime + 720)) != rest);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
