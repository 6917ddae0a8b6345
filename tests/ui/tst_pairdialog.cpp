#include "core/pairing_edit_cases.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "support/modal.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/editorviewpairsdialog.h"
#include "ui/dialogs/pairdialog.h"
#include "ui/dialogs/pairingvalidatedialog.h"
#include "ui/dialogs/pairprops.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using tl::test::ScriptedInteraction;
using tl::test::WhenModal;
using namespace tl;
using namespace tl::ui;
using Field = PairDialog::Field;

namespace {

// June 2027 opened in a frame: CREW 1 flies pairing 0101 on the third;
// pairing 0202 runs two days.
struct Fixture {
    Fixture()
    {
        ScriptedInteraction quiet;
        auto month = std::make_unique<ScheduleDocument>();
        QVERIFY(month->SetMonth(quiet, JulianDay(6, 1, 2027), JulianDay(6, 30, 2027)));
        month->GroupName = "YYZDH8CAZ";
        month->CrewCount = 1;
        month->Crew[0].Name = "CREW 1";
        month->Crew[0].EmpNumber = 11;
        test::ShapeEditedMonth(*month);
        month->LastPair = month->LastBasePair = 1;
        TPair& two = month->Pairs[1] = month->Pairs[0];
        std::tie(two.PairNumber, two.Length, two.Tafb, two.OffTime, two.Credit) =
            std::tuple(202, 2, 1800, 840, 600);
        two.DayCredit = {300, 300};
        two.OpsCount = {0, 0, 0, 0, 0, 0, 0, 0, 0, kOpsOpen};
        QVERIFY(SaveBlocks(*month, path.toStdString(), kSchedulerFile, quiet));
        QVERIFY(frame.OpenFile(path));
        ui.Clear();
    }
    ScheduleDocument& doc() { return frame.Client()->Document(); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("june.tl2"));
    ScriptedInteraction ui;
    MemorySettingsStore settings;
    TMainDecFrameWin frame{ui, settings};
};

} // namespace

class PairDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void passwordOpensTheEditorThenTheWarningsAndTheGridFollows()
    {
        Fixture f;
        QString editorCaption;
        bool warningsShown = false;
        WhenModal<EditOrViewPairsDialog>([&](EditOrViewPairsDialog& password) {
            password.Password()->setText(QStringLiteral("Pellam"));
            password.accept();
            QVERIFY(password.isVisible()); // wrong: it stays
            password.Password()->setText(QStringLiteral("PELLAM"));
            WhenModal<PairDialog>([&](PairDialog& editor) {
                editorCaption = editor.windowTitle();
                editor.Edit(Field::On)->setText(QStringLiteral("09:00"));
                editor.DayBox(2)->setChecked(false);
                WhenModal<PairingValidateDialog>([&](PairingValidateDialog& warnings) {
                    warningsShown = true;
                    warnings.accept();
                });
                editor.accept();
            });
            password.accept();
        });
        f.frame.Action(CmPairings)->trigger();
        QCOMPARE(f.ui.Dialogs(),
                 (std::vector<std::string>{
                     "Tessara Lines: Incorrect Password, Leave Password Field Blank or Enter "
                     "Correct Password",
                     "Change made to Days of Operation!: Removing Pairing 0101 from CREW 1"}));
        QCOMPARE(editorCaption, QStringLiteral("Edit Pairings - Caution No Cancel"));
        QVERIFY(warningsShown && f.doc().Pairs[0].OnTime == 540 && f.doc().Modified);
        QVERIFY(f.doc().GridOn); // built again with the changed pairing
    }

    void editorNavigatesAndPropertiesStoreDays()
    {
        Fixture f;
        f.doc().PairEditUnlocked = true;
        PairDialog editor(f.doc(), f.ui, QStringLiteral("Edit"));
        QCOMPARE(editor.Edit(Field::Tafb)->text(), QStringLiteral("010:00"));
        // "+" stores the header, not the duty day shown.
        editor.Edit(Field::Credit)->setText(QStringLiteral("06:00"));
        editor.Edit(Field::DayCredit)->setText(QStringLiteral("06:00"));
        editor.NextButton()->click();
        QCOMPARE(f.doc().Pairs[0].Credit, 360);
        QCOMPARE(f.doc().Pairs[0].DayCredit[0], 300);
        QVERIFY(editor.DayBox(9)->isChecked() && !editor.DayBox(8)->isChecked());
        // Moving to another duty day stores the one shown.
        editor.Edit(Field::DayCredit)->setText(QStringLiteral("04:00"));
        editor.DutyDayBar()->setValue(1);
        QCOMPARE(editor.DutyDayLabel()->text(), QStringLiteral("Day 2"));
        QCOMPARE(f.doc().Pairs[1].DayCredit[0], 240);
        // A problem answered Yes keeps the scroll bar on the pairing.
        editor.Edit(Field::Tafb)->setText(QStringLiteral("144:01"));
        f.ui.Script({Answer::Yes});
        editor.PairBar()->setValue(0);
        QCOMPARE(editor.PairBar()->value(), 1);
        editor.Edit(Field::Tafb)->setText(QStringLiteral("030:00"));
        editor.PreviousButton()->click();
        QCOMPARE(editor.Edit(Field::Credit)->text(), QStringLiteral("06:00"));

        Pairprops props(f.doc(), f.ui, 0);
        props.Days()->setCurrentIndex(2);
        props.Type(2)->setChecked(true);
        props.Exclude()->setChecked(true);
        props.Excluded()->setText(QStringLiteral("02:00"));
        props.Days()->setCurrentIndex(3); // stores the third
        QVERIFY(props.Type(0)->isChecked());
        props.Type(1)->setChecked(true);
        props.accept();
        QCOMPARE(f.doc().Pairs[0].DayOpsType[2], 2);
        QCOMPARE(f.doc().Pairs[0].ExcludedCredit[2], 120);
        QCOMPARE(f.doc().Pairs[0].DayOpsType[3], 1);
    }
};

QTEST_MAIN(PairDialogTest)
#include "tst_pairdialog.moc"
