#include "model/schedule_document.h"
#include "storage/memory_settings.h"
#include "support/scripted_interaction.h"
#include "ui/frame/commands.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"
#include "ui/windows/filtergrid.h"
#include "ui/windows/floatingwindows.h"
#include "ui/windows/tfilterbuttonswin.h"
#include "ui/windows/tfilterwin.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

using tl::test::ScriptedInteraction;
using namespace tl;
using namespace tl::ui;

namespace {

// Pairings 0012, 0305, 0012 again and 0400, the blocks built.
void FillPairings(ScheduleDocument& doc)
{
    const int numbers[] = {12, 305, 12, 400};
    for (int p = 0; p < 4; ++p) {
        doc.Pairs[size_t(p)].PairNumber = numbers[p];
        doc.Pairs[size_t(p)].PairText = p == 3 ? "YTZ" : "YYZ";
    }
    doc.LastPair = doc.LastBasePair = 3;
    doc.CrewCount = 1;
    doc.Crew[0].Name = "CREW ONE";
    doc.GridOn = true;
}

void Click(FilterGrid* grid, int index)
{
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(index).center());
}

} // namespace

class FiltersTest : public QObject {
    Q_OBJECT

private slots:
    void gridClicksToggleAndOkStores()
    {
        ScriptedInteraction ui;
        auto doc = std::make_unique<ScheduleDocument>();
        FillPairings(*doc);
        TFilterWin window(*doc, ui);
        QCOMPARE(window.Grid()->Numbers().size(), size_t(3));
        Click(window.Grid(), 0); // every 0012 chosen
        Click(window.Grid(), 5); // past the last number: nothing
        QCOMPARE(doc->Pairs[0].Mark + doc->Pairs[2].Mark + doc->Pairs[1].Mark, 2);
        window.CrewChooser()->setCurrentIndex(0);
        window.TextField()->setEditText(QStringLiteral("YTZ;"));
        window.Button(QStringLiteral("Save"))->click();
        QCOMPARE(doc->Crew[0].FilterText, std::string("00120012TEXTYTZ;"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Filters Saved to CREW ONE"));

        TFilterButtonsWin buttons(*doc, ui, 0);
        QCOMPARE(buttons.TextField()->currentText(), QStringLiteral("YTZ;"));
        Click(buttons.Grid(), 0); // 0012 off
        Click(buttons.Grid(), 2); // 0400 on
        buttons.TextField()->setEditText(QStringLiteral("HOTEL"));
        buttons.Button(QStringLiteral("OK"))->click();
        QCOMPARE(doc->Crew[0].FilterText, std::string("0400TEXTHOTEL;"));
        QVERIFY(ui.Dialogs().empty());
    }

    void menuCommandOpensTheWindowOnlyForFlightAttendants()
    {
        ScriptedInteraction ui;
        MemorySettingsStore settings;
        TMainDecFrameWin frame{ui, settings};
        auto* windows = frame.findChild<FloatingWindows*>(QStringLiteral("FloatingWindows"));
        QVERIFY(windows);
        frame.Action(CmFiltersWindow)->trigger();
        QCOMPARE(ui.Dialogs(),
                 std::vector<std::string>{
                     "Tessara Lines: Please Select the Filter Window from the Bids Window"});
        QVERIFY(!windows->FilterWin());
        frame.Client()->Document().CrewKind = kFlightAttendants;
        frame.Action(CmFiltersWindow)->trigger();
        QVERIFY(windows->FilterWin());
        frame.Action(CmFiltersWindow)->trigger();
        QVERIFY(!windows->FilterWin());
    }
};

QTEST_MAIN(FiltersTest)
#include "tst_filters.moc"
