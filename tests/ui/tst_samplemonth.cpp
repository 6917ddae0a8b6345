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
#include "ui/app/instanceguard.h"
#include "ui/app/tlapp.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/gridview.h"
#include "ui/grid/ttlwin.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace tl::ui;

namespace {

// The command line's --yes: every question of the imports answered Yes.
struct YesInteraction : tl::SilentInteraction {
    tl::Answer Ask(std::string_view, std::string_view, tl::Buttons, tl::Icon) override
    {
        return tl::Answer::Yes;
    }
    tl::Answer AskAboutFile(std::string_view, std::string_view, const std::filesystem::path&,
                            tl::Buttons, tl::Icon) override
    {
        return tl::Answer::Yes;
    }
};

// The bundled sample month made into a block file, step by step as the
// README's commands do it.
bool MakeSampleBlockFile(const std::filesystem::path& file)
{
    const std::filesystem::path s = std::filesystem::path(TL_SAMPLES_DIR) / "YYZDH8FO-NOV27";
    YesInteraction ui;
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

} // namespace

class SampleMonthTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(MakeSampleBlockFile(m_dir.filePath(QStringLiteral("nov.tl2")).toStdString()));
    }

    // The program started on the month, up to its first painted grid; the
    // time is printed for the record, never checked.
    void startsToPaintedGrid()
    {
        tl::test::ScriptedInteraction ui;
        tl::MemorySettingsStore settings;
        tl::DebugTrace trace;
        InstanceGuard guard(m_dir.filePath(QStringLiteral("lock")));
        QElapsedTimer timer;
        timer.start();
        TLApp app(ui, settings, trace, m_dir.filePath(QStringLiteral("TLDebug")));
        QCOMPARE(app.Start(guard, m_dir.filePath(QStringLiteral("nov.tl2"))), std::optional<int>());
        QVERIFY(QTest::qWaitForWindowExposed(app.Frame()));
        const QImage shown = app.Frame()->grab().toImage();
        qInfo("Start to painted grid: %lld ms", static_cast<long long>(timer.elapsed()));
        QVERIFY(app.Frame()->Client()->Document().GridOn);
        QVERIFY(!shown.isNull());
    }

    // A three-day pairing put on an early open day of the first crew member
    // who takes it, its last day asked off.
    void paintsPairingRestAndRequest()
    {
        tl::test::ScriptedInteraction ui;
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
            for (int d = 3; d < 12 && row < 0 && pair.Length == 3 && pair.OffTime > 180; ++d) {
                for (int r = 0; r < 12 && row < 0 && pair.OpsCount[size_t(d)] == 1; ++r) {
                    if (tl::AssignPair(doc, ui, grid.Layout().Order[size_t(r)], p, d, false) ==
                        tl::kAssignDone)
                        row = r, day = d, pairing = p;
                }
            }
        }
        QVERIFY(row >= 0);
        doc.Crew[size_t(grid.Layout().Order[size_t(row)])].DayFlag[size_t(day + 2)] = 1;
        grid.RepaintAll();
        const GridLayout& l = grid.Layout();
        const tl::TPair& pair = doc.Pairs[size_t(pairing)];
        const QImage image = grid.viewport()->grab().toImage();
        // Clear of the outline of the current pairing along the bar's top.
        const int y = l.RowY(row) + 6;
        auto x = [&](int d, int minute) { return l.ColumnX(d) + minute * l.ColWidth / 1440; };
        const int end = x(day + 2, pair.OffTime);
        QCOMPARE(image.pixelColor(l.ColumnX(day + 2) - 2, y), grid.Style().Colour(kDutyTime));
        QCOMPARE(image.pixelColor(end - 2, y), grid.Style().Colour(kPairOverRequestedDayOff));
        QCOMPARE(image.pixelColor(x(day + 2, pair.OffTime + 330), y), grid.Style().Colour(kRestTime));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(SampleMonthTest)
#include "tst_samplemonth.moc"
