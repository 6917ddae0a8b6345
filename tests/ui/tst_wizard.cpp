#include "model/schedule_document.h"
#include "model/vortime.h"
#include "storage/block_file.h"
#include "storage/memory_settings.h"
#include "storage/month_lock.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/dialogs/monthdatesdialog.h"
#include "ui/dialogs/newfiledialog.h"
#include "ui/dialogs/setupmonthdialog.h"
#include "ui/frame/tmaindecframewin.h"
#include "ui/grid/ttlwin.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <deque>

using tl::test::ScriptedInteraction;
using namespace tl;
using namespace tl::ui;

namespace {

// Every step logs its name (and its flag when set) and returns `loads`.
NewFileSteps LoggingSteps(QStringList& calls, bool loads)
{
    auto step = [&calls, loads](const char* name) {
        return [&calls, loads, name](auto... flag) {
            calls << QString::fromLatin1(name) + (QString() + ... + QLatin1String(flag ? "+" : ""));
            return loads;
        };
    };
    return {step("toolbox"),  step("roster"), step("absences"), step("last month"),
            step("pairings"), step("lis"),    step("save")};
}

// Runs each handler on the next modal dialog that opens, in order.
struct ModalScript {
    explicit ModalScript(std::deque<std::function<void(QDialog*)>> handlers) : queue(handlers)
    {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (w == nullptr || w == last || queue.empty())
                return;
            last = w;
            // Outside this slot, so the dialogs it opens are handled too.
            QTimer::singleShot(0, w, [w, h = queue.front()] { h(w); });
            queue.pop_front();
        });
        poll.start(5);
    }
    std::deque<std::function<void(QDialog*)>> queue;
    QPointer<QDialog> last;
    QTimer poll;
};

template <typename T = QPushButton> T* Child(QWidget* w, const QString& name)
{
    return w->findChild<T*>(name);
}

// A frame with a saved month of April 2027 open (and locked).
struct FrameFixture {
    FrameFixture()
    {
        auto doc = std::make_unique<ScheduleDocument>();
        QVERIFY(doc->SetMonth(ui, JulianDay(4, 1, 2027), JulianDay(4, 30, 2027)));
        doc->GroupName = "YHZDH8CAH";
        QVERIFY(SaveBlocks(*doc, month, kSchedulerFile, ui));
        QVERIFY(frame.OpenFile(QString::fromStdString(month.string())));
        ui.Clear();
    }
    ScheduleDocument& doc() { return frame.Client()->Document(); }

    test::TempDir dir;
    std::filesystem::path month = dir.path() / "april.tl2";
    ScriptedInteraction ui;
    MemorySettingsStore settings;
    TMainDecFrameWin frame{ui, settings};
};

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
        ScriptedInteraction ui;
        MemorySettingsStore settings;
        auto doc = std::make_unique<ScheduleDocument>();
        QStringList called;
        NewFileDialogACR wizard(*doc, ui, settings, LoggingSteps(called, loads));
        wizard.Back();
        QCOMPARE(wizard.Step(), 0);
        QVERIFY(wizard.Instruction().startsWith(QStringLiteral("Step 1: Select Base")));
        ui.Script({Answer::Yes, secondMonth ? Answer::Yes : Answer::No});
        for (const char* text : {"Step 2:", "Step 3:", "Step 4:", "Step 5:",
                                 "Step 6: Click Next to Scan", "Step 7:"}) {
            wizard.Next();
            QVERIFY2(wizard.Instruction().startsWith(QString::fromLatin1(text)), text);
        }
        wizard.Next();
        QFETCH(QString, end);
        QVERIFY(wizard.Instruction().startsWith(end));
        QCOMPARE(Child(&wizard, QStringLiteral("NextButton"))->isEnabled(), !loads);
        QTEST(called.join(QLatin1Char(' ')), "calls");
        for (const char* caption : {"Roster", "Absences", "Overlap Info", "Current Pairings"})
            QTEST(wizard.Status(QString::fromLatin1(caption)), "status");
        QVERIFY(wizard.BuildOnFinish() &&
                Child(&wizard, QStringLiteral("FinishedButton"))->isEnabled());
        // Back to the scan: for pilots too, the text of what Next will do.
        wizard.Back();
        QVERIFY(wizard.Instruction().startsWith(QStringLiteral("Step 6: Click Next to Scan")));
        QVERIFY(Child(&wizard, QStringLiteral("NextButton"))->isEnabled());
        const std::array<int32_t, 5> pilotRules{12, 12, 2700, 2400, 21};
        QVERIFY(std::equal(pilotRules.begin(), pilotRules.end(), doc->MonthRules.begin() + 6));
        QCOMPARE(settings.GetText("TL", "BuildingBase", ""), std::string("4"));
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
        ScriptedInteraction ui;
        MemorySettingsStore settings;
        const QStringList values = presets.split(QLatin1Char(' '));
        int i = 0;
        for (const char* key : {"BuildingBase", "BuildingEqp", "BuildingStatus"})
            settings.Set("TL", key, values[i++].toStdString());
        auto doc = std::make_unique<ScheduleDocument>();
        QStringList calls;
        NewFileDialogACR wizard(*doc, ui, settings, LoggingSteps(calls, false));
        if (!click.isEmpty())
            Child<QRadioButton>(&wizard, click)->click();
        QTEST(Child<QRadioButton>(&wizard, QStringLiteral("DH8"))->parentWidget()->isEnabled(),
              "equipment");
        Child<QCheckBox>(&wizard, QStringLiteral("UseAlternate"))->setChecked(!typed.isEmpty());
        const QStringList fields = typed.split(QLatin1Char(' '));
        int field = 0;
        for (const char* name : {"AltBase", "AltEqp", "AltStatus", "AltLetter"})
            if (!typed.isEmpty())
                Child<QLineEdit>(&wizard, QString::fromLatin1(name))->setText(fields[field++]);
        // Refused the first time, confirmed the second.
        ui.Script({Answer::No, Answer::Yes});
        wizard.Next();
        QCOMPARE(wizard.Step(), 0);
        wizard.Next();
        QCOMPARE(wizard.Step(), group.isEmpty() ? 0 : 1);
        QFETCH(QString, shown);
        QVERIFY(QString::fromStdString(ui.Dialogs().back()).endsWith(shown));
        QCOMPARE(QString::fromStdString(doc->GroupName), group);
        QTEST(doc->MonthRules[6], "daysOff");
    }

    void newAsksTakesTheDatesAndCancelLeavesNoMonth()
    {
        FrameFixture f;
        f.doc().Modified = true;
        f.ui.Script({Answer::No, Answer::Yes, Answer::No});
        f.frame.Action(CmNew)->trigger();
        f.frame.Action(CmNew)->trigger();
        const std::string caution = "Caution!: All changes to file will be lost. Delete Anyway";
        QCOMPARE(f.ui.Dialogs(),
                 (std::vector<std::string>{caution, caution,
                                           "Tessara Lines: Would you like to create a new file"}));
        { // Cancel in the dates keeps the month open as it was.
            f.ui.Script({Answer::Yes, Answer::Yes});
            ModalScript cancel({[](QDialog* w) { w->reject(); }});
            f.frame.Action(CmNew)->trigger();
            QCOMPARE(f.doc().FileName, f.month.string());
        }
        f.ui.Script({Answer::Yes, Answer::Yes});
        QString title;
        ModalScript script({[](QDialog* w) {
                                auto* dates = qobject_cast<MonthDatesDialog*>(w);
                                dates->StartEdit()->setDate(QDate(2027, 11, 1));
                                dates->EndEdit()->setDate(QDate(2027, 12, 2));
                                dates->accept(); // 32 days: refused, the dialog stays
                                QVERIFY(dates->isVisible());
                                dates->EndEdit()->setDate(QDate(2027, 12, 1));
                                dates->accept();
                            },
                            [&](QDialog* w) {
                                title = f.frame.windowTitle();
                                QCOMPARE(f.doc().DaysInMonth, 31);
                                Child(w, QStringLiteral("CancelButton"))->click();
                            }});
        f.frame.Action(CmNew)->trigger();
        QCOMPARE(f.ui.Dialogs().back(),
                 std::string("Tessara Lines: The new Month cannot contain more than 31 days."));
        QCOMPARE(title, QStringLiteral("Tessara Lines File Viewer - untitled.blk[*]"));
        QCOMPARE(f.frame.MenuName(), QStringLiteral("MENU_3"));
        QCOMPARE(f.doc().DisplayState, kNoMonthOpen);
        // The month left behind is free for another copy of the program.
        MonthLock other;
        QCOMPARE(other.Take(f.month), MonthLock::Result::Taken);
    }

    void newWalksTheSampleMonthToASavedBuiltGrid()
    {
        FrameFixture f;
        const QDir samples(QStringLiteral(TL_SAMPLES_DIR "/YYZDH8FO-NOV27"));
        const QString saved = QString::fromStdString((f.dir.path() / "nov.tl2").string());
        QStringList files = QStringLiteral("TOOLBOX.TXT 1127perp.ext 1127absp.ext 1227absp.ext "
                                           "1127actp.ext 1127prgp.ext NOV27.PRG")
                                .split(QLatin1Char(' '));
        f.frame.SetFileChooser(FileChooser(
            [&](FileChooser::Mode mode, const QString&, const QString&, const QString&) {
                return mode == FileChooser::Mode::Save ? saved
                                                       : samples.filePath(files.takeFirst());
            },
            [&](const QString&, const QString&, const QString&) {
                return QStringList{samples.filePath(QStringLiteral("NOV27-8.LIS"))};
            }));
        f.settings.SetInt("TL", "BuildingStatus", 1);
        f.ui.Script({Answer::Yes, Answer::Yes, Answer::Yes});
        QStringList statuses;
        ModalScript script({[](QDialog* w) {
                                auto* dates = qobject_cast<MonthDatesDialog*>(w);
                                dates->StartEdit()->setDate(QDate(2027, 11, 1));
                                dates->EndEdit()->setDate(QDate(2027, 11, 30));
                                dates->accept();
                            },
                            [&](QDialog* w) {
                                for (int step = 0; step < 7; ++step)
                                    Child(w, QStringLiteral("NextButton"))->click();
                                for (const char* caption :
                                     {"Roster", "Absences", "Overlap Info", "Current Pairings"})
                                    statuses << qobject_cast<NewFileDialogACR*>(w)->Status(
                                        QString::fromLatin1(caption));
                                Child(w, QStringLiteral("FinishedButton"))->click();
                            },
                            [](QDialog* w) { w->accept(); }});
        f.frame.Action(CmNew)->trigger();
        QCOMPARE(statuses, QStringList(4, QStringLiteral("Done")));
        QVERIFY(files.isEmpty());
        QCOMPARE(f.doc().GroupName, std::string("YYZDH8FOZ"));
        QVERIFY(f.doc().CrewCount > 0 && f.doc().LastPair > 0 && f.doc().GridOn);
        QCOMPARE(f.frame.MenuName(), QStringLiteral("MENU_1"));
        QCOMPARE(f.doc().FileName, saved.toStdString());
        QVERIFY(std::filesystem::exists(f.doc().FileName));
    }

    void setupMonthStoresTheRules()
    {
        FrameFixture f;
        ModalScript script({[](QDialog* w) {
            auto* dialog = qobject_cast<SetupMonthDialog*>(w);
            QCOMPARE(dialog->Field(MonthRule::AvgCredit)->text(), QStringLiteral("77:30"));
            QSpinBox* max = dialog->Field(MonthRule::MaxCredit);
            max->selectAll();
            QTest::keyClicks(max, QStringLiteral("81:15")); // typed, not set
            dialog->Field(MonthRule::ReducedDaysOff)->setValue(14);
            dialog->accept();
        }});
        f.frame.Action(CmMonth)->trigger();
        QCOMPARE(f.doc().MonthRules[MonthRule::MaxCredit], 81 * 60 + 15);
        QCOMPARE(f.doc().MonthRules[MonthRule::ReducedDaysOff], 14);
        QVERIFY(f.doc().Modified);
    }
};

QTEST_MAIN(WizardTest)
#include "tst_wizard.moc"
