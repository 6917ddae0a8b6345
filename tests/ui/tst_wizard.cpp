#include "import/new_month.h"
#include "model/vortime.h"
#include "storage/memory_settings.h"
#include "support/modal.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/dialogs/monthdatesdialog.h"
#include "ui/dialogs/newfiledialog.h"
#include "ui/dialogs/pairingvalidatedialog.h"
#include "ui/dialogs/setupmonthdialog.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

using tl::test::OnModals;
using tl::test::ScriptedInteraction;
using namespace tl;
using namespace tl::ui;

namespace {

// A wizard on an empty month whose steps log their names (and "+" for a
// set flag) and return `loads`.
struct Wizard {
    explicit Wizard(bool loads, const char* presets = "4 1 0")
    {
        const QStringList values = QString::fromLatin1(presets).split(QLatin1Char(' '));
        const char* keys[] = {"BuildingBase", "BuildingEqp", "BuildingStatus"};
        for (int i = 0; i < 3; ++i)
            settings.Set("TL", keys[i], values[i].toStdString());
        auto step = [this, loads](const char* name) {
            return [this, loads, name](auto... flag) {
                calls << QString::fromLatin1(name) +
                             (QString() + ... + QLatin1String(flag ? "+" : ""));
                return loads;
            };
        };
        dialog = std::make_unique<NewFileDialogACR>(
            *doc, ui, settings,
            NewFileSteps{step("toolbox"), step("roster"), step("absences"), step("last month"),
                         step("pairings"), step("lis"), step("save")});
    }
    ScriptedInteraction ui;
    MemorySettingsStore settings;
    std::unique_ptr<ScheduleDocument> doc = std::make_unique<ScheduleDocument>();
    QStringList calls;
    std::unique_ptr<NewFileDialogACR> dialog;
};

template <typename T = QPushButton> T* Find(QWidget* w, const char* name)
{
    return w->findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class WizardTest : public QObject {
    Q_OBJECT

private slots:
    void walkToTheSaveStep_data()
    {
        QTest::addColumn<bool>("loads");
        QTest::addColumn<bool>("secondMonth");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("end"); // unsaved, the save step is offered again
        // clang-format off
        QTest::newRow("all cancelled") << false << true  << "toolbox roster absences last month pairings lis save" << "Not Loaded" << "Step 7:";
        QTest::newRow("2nd refused")   << true  << false << "toolbox roster absences last month pairings lis save" << "Done" << "New File Created.";
        QTest::newRow("2nd loaded")    << true  << true  << "toolbox roster absences absences+ last month pairings lis save" << "Done" << "New File Created.";
        // clang-format on
    }
    void walkToTheSaveStep()
    {
        QFETCH(bool, loads);
        QFETCH(bool, secondMonth);
        Wizard w(loads);
        w.dialog->Back();
        QCOMPARE(w.dialog->Step(), 0);
        w.ui.Script({Answer::Yes, secondMonth ? Answer::Yes : Answer::No});
        for (const char* text : {"Step 1: Select Base", "Step 2:", "Step 3:", "Step 4:", "Step 5:",
                                 "Step 6: Click Next to Scan", "Step 7:"}) {
            QVERIFY2(w.dialog->Instruction().startsWith(QString::fromLatin1(text)), text);
            w.dialog->Next();
        }
        QFETCH(QString, end);
        QVERIFY(w.dialog->Instruction().startsWith(end));
        QCOMPARE(Find(w.dialog.get(), "NextButton")->isEnabled(), !loads);
        QTEST(w.calls.join(QLatin1Char(' ')), "calls");
        for (const char* caption : {"Roster", "Absences", "Overlap Info", "Current Pairings"})
            QTEST(w.dialog->Status(QString::fromLatin1(caption)), "status");
        QVERIFY(w.dialog->BuildOnFinish() && Find(w.dialog.get(), "FinishedButton")->isEnabled());
        // Back to the scan: for pilots too, the text of what Next will do.
        w.dialog->Back();
        QVERIFY(w.dialog->Instruction().startsWith(QStringLiteral("Step 6: Click Next to Scan")));
        QVERIFY(Find(w.dialog.get(), "NextButton")->isEnabled());
    }

    void crewGroup_data()
    {
        QTest::addColumn<QString>("presets"); // BuildingBase, BuildingEqp, BuildingStatus
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("equipment");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("daysOff");
        // clang-format off
        QTest::newRow("unknown presets") << "3 0 5" << ""   << ""             << true  << "for YYZ DH8 CA" << "YYZDH8CAZ" << 12;
        QTest::newRow("presets")         << "6 4 1" << ""   << ""             << true  << "for YUL CRJ FO" << "YULCRJFOM" << 12;
        QTest::newRow("FA / PU clicked") << "8 2 0" << "FA" << ""             << false << "for YHZ FA"     << "YHZDH3FAH" << 10;
        QTest::newRow("F/O clicked")     << "2 3 2" << "FO" << ""             << true  << "for YYC DH4 FO" << "YYCDH4FOC" << 12;
        // The typed status decides the crew kind.
        QTest::newRow("typed")           << "4 1 2" << ""   << "YUL DH8 CA M" << false << "for YUL DH8 CA" << "YULDH8CAM" << 12;
        QTest::newRow("typed 8 long")    << "4 1 0" << ""   << "YUL DH8 CA "  << true
            << "Tessara Lines: YULDH8CA Is Not a Valid Base/Eqp/Status/Pairing Combination" << "" << 0;
        // clang-format on
    }
    void crewGroup()
    {
        QFETCH(QString, presets);
        QFETCH(QString, click);
        QFETCH(QString, typed);
        QFETCH(QString, group);
        Wizard w(false, presets.toLatin1().constData());
        if (!click.isEmpty())
            Find<QRadioButton>(w.dialog.get(), click.toLatin1().constData())->click();
        QTEST(Find<QWidget>(w.dialog.get(), "DH8")->parentWidget()->isEnabled(), "equipment");
        Find<QCheckBox>(w.dialog.get(), "UseAlternate")->setChecked(!typed.isEmpty());
        const char* fields[] = {"AltBase", "AltEqp", "AltStatus", "AltLetter"};
        for (int i = 0; !typed.isEmpty() && i < 4; ++i)
            Find<QLineEdit>(w.dialog.get(), fields[i])->setText(typed.split(QLatin1Char(' '))[i]);
        // Refused the first time, confirmed the second.
        w.ui.Script({Answer::No, Answer::Yes});
        w.dialog->Next();
        QCOMPARE(w.dialog->Step(), 0);
        w.dialog->Next();
        QCOMPARE(w.dialog->Step(), group.isEmpty() ? 0 : 1);
        QFETCH(QString, shown);
        QVERIFY(QString::fromStdString(w.ui.Dialogs().back()).endsWith(shown));
        QCOMPARE(QString::fromStdString(w.doc->GroupName), group);
        QTEST(w.doc->MonthRules[6], "daysOff");
    }

    // From a changed month to the sample month, saved and built.
    void newFromTheSampleFiles()
    {
        test::TempDir dir;
        ScriptedInteraction ui;
        MemorySettingsStore settings;
        TMainDecFrameWin frame{ui, settings};
        ScheduleDocument& doc = frame.Client()->Document();
        QVERIFY(
            CreateEmptyMonth(doc, "YHZDH8CAH", JulianDay(4, 1, 2027), JulianDay(4, 30, 2027), ui));
        doc.Modified = true;
        // No to either question, or Cancel in the dates: the month stays.
        ui.Script({Answer::No, Answer::Yes, Answer::No, Answer::Yes, Answer::Yes});
        OnModals({[](QDialog* w) { w->reject(); }});
        for (int i = 0; i < 3; ++i)
            frame.Action(CmNew)->trigger();
        QCOMPARE(doc.GroupName, std::string("YHZDH8CAH"));
        const std::string caution = "Caution!: All changes to file will be lost. Delete Anyway";
        const std::string ask = "Tessara Lines: Would you like to create a new file";
        QCOMPARE(ui.Dialogs(), (std::vector<std::string>{caution, caution, ask, caution, ask}));

        const QDir samples(QStringLiteral(TL_SAMPLES_DIR "/YYZDH8FO-NOV27"));
        const QString saved = QString::fromStdString((dir.path() / "nov.tl2").string());
        QStringList files = QStringLiteral("TOOLBOX.TXT 1127perp.ext 1127absp.ext 1227absp.ext "
                                           "1127actp.ext 1127prgp.ext NOV27.PRG")
                                .split(QLatin1Char(' '));
        frame.SetFileChooser(FileChooser(
            [&](FileChooser::Mode mode, const QString&, const QString&, const QString&) {
                return mode == FileChooser::Mode::Save ? saved
                                                       : samples.filePath(files.takeFirst());
            },
            [&](const QString&, const QString&, const QString&) {
                return QStringList{samples.filePath(QStringLiteral("NOV27-8.LIS"))};
            }));
        settings.SetInt("TL", "BuildingStatus", 1);
        ui.Clear();
        ui.Script({Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes});
        QString title;
        auto setMaxCredit = [](QDialog* w) {
            QSpinBox* max = qobject_cast<SetupMonthDialog*>(w)->Field(MonthRule::MaxCredit);
            max->selectAll();
            QTest::keyClicks(max, QStringLiteral("81:15")); // typed, not set
            w->accept();
        };
        OnModals({[](QDialog* w) {
                      auto* dates = qobject_cast<MonthDatesDialog*>(w);
                      dates->StartEdit()->setDate(QDate(2027, 11, 1));
                      dates->EndEdit()->setDate(QDate(2027, 12, 2));
                      dates->accept(); // 32 days: refused, the dialog stays
                      dates->EndEdit()->setDate(QDate(2027, 11, 30));
                      dates->accept();
                  },
                  [&](QDialog* w) {
                      title = frame.windowTitle();
                      for (int step = 0; step < 7; ++step)
                          Find(w, "NextButton")->click();
                      Find(w, "FinishedButton")->click();
                  },
                  setMaxCredit,
                  [](QDialog* w) {
                      QVERIFY(qobject_cast<PairingValidateDialog*>(w)); // after the pairings
                      w->accept();
                  },
                  setMaxCredit});
        frame.Action(CmNew)->trigger();
        QCOMPARE(ui.Dialogs()[2],
                 std::string("Tessara Lines: The new Month cannot contain more than 31 days."));
        QCOMPARE(title, QStringLiteral("Tessara Lines File Viewer - untitled.blk[*]"));
        // Every file was asked for and loaded.
        QVERIFY(files.isEmpty() && doc.CrewCount > 0 && doc.LastPair > 0 && doc.GridOn);
        QCOMPARE(doc.GroupName, std::string("YYZDH8FOZ"));
        QCOMPARE(frame.MenuName(), QStringLiteral("MENU_1"));
        QVERIFY(doc.FileName == saved.toStdString() && std::filesystem::exists(doc.FileName));
        QCOMPARE(doc.MonthRules[MonthRule::MaxCredit], 81 * 60 + 15);

        // Setup Month on the built month: stored, and the blocks built again.
        doc.Modified = false;
        doc.MonthRules[MonthRule::MaxCredit] = 0;
        OnModals({setMaxCredit});
        frame.Action(CmMonth)->trigger();
        QVERIFY(doc.MonthRules[MonthRule::MaxCredit] == 81 * 60 + 15 && doc.Modified && doc.GridOn);
    }
};

QTEST_MAIN(WizardTest)
#include "tst_wizard.moc"
