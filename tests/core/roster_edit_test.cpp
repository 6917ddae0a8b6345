#include "actions/crew_complement.h"
#include "actions/employee_info.h"
#include "actions/roster_edit.h"
#include "core/legality_month.h"
#include "rules/block_build.h"
#include "rules/history.h"
#include "storage/block_file.h"

#include <gtest/gtest.h>

#include <functional>

namespace tl {
namespace {

using test::LegalityMonth;

std::vector<std::string> Names(LegalityMonth& m)
{
    std::vector<std::string> names;
    for (int c = 0; c < m.doc->CrewCount; ++c)
        names.push_back(m.Crew(c).Name);
    return names;
}

std::vector<std::string> Texts(const std::vector<RosterLine>& lines)
{
    std::vector<std::string> texts;
    for (const RosterLine& line : lines)
        texts.push_back(line.Text + " @" + std::to_string(line.Crew));
    return texts;
}

// CREW 1, an open line, CREW 3, CREW 4; one transaction in the history.
struct RosterWithOpenLine : LegalityMonth {
    RosterWithOpenLine() : LegalityMonth(0, 6, 2027, 4)
    {
        Crew(1).EmpNumber = -1;
        Crew(1).Name = "CAPT PAIRINGS";
        AddTransaction(doc->History, 3, 0, 0, 1);
    }
};

TEST(RosterEditTest, InsertChecksInOrderAndRefusalsChangeNothing)
{
    const struct {
        const char *index, *name, *emp;
        const char* message; // empty: inserted
        RosterField focus;
    } cases[] = {
        {"0", "NEW", "9", "Invalid Roster Number!", RosterField::Index},
        {"", "NEW", "9", "Invalid Roster Number!", RosterField::Index},
        {"6", "", "-1", "Invalid Roster Number!", RosterField::Index}, // past the last
        {"1x", "NEW", "9", "Invalid Roster Number!", RosterField::Index},
        {"1", "", "-1", "Name must be 1 + letters!", RosterField::Name},
        {"1", "NEW", "-1", "Invalid Employee Number!", RosterField::EmpNumber},
        {"1", "NEW", "4", "Duplicate Employee Number with CREW 4", RosterField::EmpNumber},
        {"5", "NEW", "", "", RosterField::Index}, // after the last crew member, number 0
    };
    for (const auto& c : cases) {
        RosterWithOpenLine m;
        const InsertOutcome outcome = InsertEmployee(*m.doc, m.ui, c.index, c.name, c.emp);
        SCOPED_TRACE(std::string(c.index) + "/" + c.name + "/" + c.emp);
        EXPECT_EQ(outcome.Focus, c.focus);
        const bool inserted = *c.message == '\0';
        EXPECT_EQ(outcome.Inserted, inserted);
        const std::string oops = std::string("Oops: ") + c.message;
        EXPECT_EQ(m.ui.Dialogs(), inserted ? std::vector<std::string>{} : std::vector{oops});
        EXPECT_EQ(m.doc->CrewCount, inserted ? 5 : 4);
        EXPECT_EQ(m.doc->History.size(), inserted ? 0u : 1u);
    }

    LegalityMonth full(0, 6, 2027, ScheduleDocument::kCrewCapacity);
    EXPECT_FALSE(InsertEmployee(*full.doc, full.ui, "1", "NEW", "0").Inserted);
    EXPECT_EQ(full.ui.Dialogs(),
              std::vector<std::string>{"Oops: Roster is Full! No more than 1000 Employees."});
    EXPECT_EQ(full.doc->CrewCount, ScheduleDocument::kCrewCapacity);
}

TEST(RosterEditTest, InsertAtOneMakesTheMostSeniorAndShiftsTheRest)
{
    LegalityMonth m(0, 6, 2027, 3);
    m.Crew(0).EmpNumber = 0;
    m.Crew(1).DaySlot[4] = kOtherSlot;
    ASSERT_TRUE(InsertEmployee(*m.doc, m.ui, "1", "ABCDEFGHIJKLMNOPQRS", "0").Inserted);
    ASSERT_TRUE(InsertEmployee(*m.doc, m.ui, "2", "TWENTY-SIX CHARACTERS LONG", "77").Inserted);
    EXPECT_EQ(Names(m), (std::vector<std::string>{"ABCDEFGHIJKLMNOPQRS", "TWENTY-SIX CHARACTE",
                                                  "CREW 1", "CREW 2", "CREW 3"}));
    EXPECT_EQ(m.Crew(3).DaySlot[4], kOtherSlot); // records move whole
    EXPECT_EQ(m.Crew(1).DaySlot[4], kFreeSlot);
    EXPECT_EQ(Texts(RosterEditorLines(*m.doc)).front(), "001   ABCDEFGHIJKLMNOPQRS   0 @0");
    EXPECT_EQ(Texts(RosterEditorLines(*m.doc))[2], "003   CREW 1   0 @2");
    EXPECT_TRUE(m.ui.Dialogs().empty());
}

TEST(RosterEditTest, DeleteReopensHeldPairingDaysKeepingTheSign)
{
    RosterWithOpenLine m;
    const int a = m.AddPair(600, 600);
    const int b = m.AddPair(600, 600);
    m.Put(2, a, 3);
    m.Put(2, b, 5);
    m.Pair(b).OpsCount[5] = kOpsAssignedFlagged;
    m.Put(3, a, 7);

    EXPECT_FALSE(DeleteSelectedEmployee(*m.doc, m.ui, -1));
    EXPECT_FALSE(DeleteSelectedEmployee(*m.doc, m.ui, 3));
    EXPECT_EQ(m.ui.Dialogs(), std::vector<std::string>(2, "Oops: I Don't know who to Delete!"));
    EXPECT_EQ(m.doc->History.size(), 1u);

    // Line 1 is CREW 3, behind the open line.
    ASSERT_TRUE(DeleteSelectedEmployee(*m.doc, m.ui, 1));
    EXPECT_EQ(Names(m), (std::vector<std::string>{"CREW 1", "CAPT PAIRINGS", "CREW 4"}));
    EXPECT_EQ((std::vector<int>{m.Pair(a).OpsCount[3], m.Pair(b).OpsCount[5], m.Pair(a).OpsCount[7],
                                m.Crew(2).DaySlot[7], m.Crew(3).DaySlot[7]}),
              (std::vector<int>{1, -1, 2, a, -1}));
    EXPECT_EQ(m.Crew(3).Name, "");
    EXPECT_TRUE(m.doc->History.empty());
}

TEST(RosterEditTest, ListsSkipOpenLinesAndMovesMapLinesToRosterPositions)
{
    RosterWithOpenLine m;
    EXPECT_EQ(Texts(RosterEditorLines(*m.doc)),
              (std::vector<std::string>{"001   CREW 1   1 @0", "003   CREW 3   3 @2",
                                        "004   CREW 4   4 @3"}));
    EXPECT_EQ(Texts(MoveEmployeeLines(*m.doc)),
              (std::vector<std::string>{"001 CREW 1 @0", "003 CREW 3 @2", "004 CREW 4 @3"}));
    EXPECT_EQ(MoveEmployeeCaption(*m.doc, 3), "Select Position to Move CREW 4 to.");

    EXPECT_EQ(RosterDragStatus(*m.doc, 0, 1), "MOVE CREW 1 TO POSITION 003");
    EXPECT_EQ(RosterDragStatus(*m.doc, 0, -1), "");
    EXPECT_EQ(DropRosterLine(*m.doc, 1, 1), "");
    EXPECT_EQ(m.doc->History.size(), 1u);

    // Line 2 (CREW 4) dropped on line 0: everybody from there shifts down.
    EXPECT_EQ(DropRosterLine(*m.doc, 2, 0), "CREW 4 MOVED TO POSITION 001");
    EXPECT_EQ(Names(m), (std::vector<std::string>{"CREW 4", "CREW 1", "CAPT PAIRINGS", "CREW 3"}));
    EXPECT_TRUE(m.doc->History.empty());
}

TEST(RosterEditTest, MoveEmployeeKeepsTheHistoryWithItsCrewMembers)
{
    RosterWithOpenLine m; // the transaction is CREW 4's
    AddTransaction(m.doc->History, 0, 0, 1, 1);
    AddTransaction(m.doc->History, 2, 0, 2, 1);

    // CREW 1 to the place of line 1, CREW 3 (roster index 2).
    ASSERT_TRUE(MoveEmployee(*m.doc, 0, 1));
    EXPECT_EQ(Names(m), (std::vector<std::string>{"CAPT PAIRINGS", "CREW 3", "CREW 1", "CREW 4"}));
    auto crews = [&] {
        std::vector<int> out;
        for (const TAction& a : m.doc->History)
            out.push_back(a.Crew);
        return out;
    };
    EXPECT_EQ(crews(), (std::vector<int>{1, 2, 3})); // CREW 3, CREW 1, CREW 4

    EXPECT_FALSE(MoveEmployee(*m.doc, 2, 1));  // the same position
    EXPECT_FALSE(MoveEmployee(*m.doc, 2, -1)); // no line chosen
    EXPECT_FALSE(MoveEmployee(*m.doc, 2, 3));
    ASSERT_TRUE(MoveEmployee(*m.doc, 3, 0));
    EXPECT_EQ(Names(m), (std::vector<std::string>{"CAPT PAIRINGS", "CREW 4", "CREW 3", "CREW 1"}));
    EXPECT_EQ(crews(), (std::vector<int>{2, 3, 1}));
}

// Pairing 0 (A0100) operates on day slots 2 and 9, pairing 1 (A0101) on
// slot 5; crew member 0 holds pairing 0 on slot 2.
struct ComplementMonth : LegalityMonth {
    explicit ComplementMonth(int kind) : LegalityMonth(kind, 6, 2027, 3)
    {
        for (int p = 0; p < 2; ++p) {
            AddPair(600, 600);
            Pair(p).PairKey = "A";
            Pair(p).PairText = "NOTE";
        }
        Pair(0).OpsCount[9] = kOpsOpen;
        Pair(1).OpsCount[5] = kOpsOpen;
        Put(0, 0, 2);
    }

    std::vector<ComplementLine> Open() { return OpenCrewComplement(*doc).Lines; }
};

std::vector<std::string> Selected(const std::vector<ComplementLine>& lines)
{
    std::vector<std::string> out;
    for (const ComplementLine& line : lines)
        if (line.Selected)
            out.push_back(line.Text.substr(39));
    return out;
}

TEST(CrewComplementTest, CopiesRoundTripThroughTheDialog)
{
    const struct {
        int kind;
        const char *caption, *marker;
    } cases[] = {
        {0, "Change Crew Required for Pairings", " TWO CAPTS ON"},
        {2, "Change FA Crew Required for Pairings", " EXTRA FA ON"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ComplementMonth m(c.kind);
        const ComplementDialog dialog = OpenCrewComplement(*m.doc);
        EXPECT_EQ(dialog.Caption, c.caption);
        std::vector<ComplementLine> lines = dialog.Lines;
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0].Text, " A0100   TH 03/06/2027                 00002");
        EXPECT_TRUE(Selected(lines).empty());

        // Two captains on A0100 day 3 and A0101 day 6; the second captain of
        // A0100 is given crew member 1 as the grid would.
        lines[0].Selected = lines[2].Selected = true;
        ASSERT_TRUE(CrewComplementDone(*m.doc, m.ui, lines));
        ASSERT_EQ(m.doc->LastPair, 3);
        EXPECT_EQ(m.Pair(2).OpsCount[2], -1);
        m.Crew(1).DaySlot[2] = 2;
        m.Pair(2).OpsCount[2] = kOpsAssignedFlagged;
        AddTransaction(m.doc->History, 1, 2, 2, 1);
        AddTransaction(m.doc->History, 0, 0, 2, 1);

        lines = m.Open();
        ASSERT_EQ(m.doc->History.size(), 1u); // the copy's transaction is gone
        EXPECT_EQ(m.doc->History[0].Pairing, 0);
        EXPECT_EQ(Selected(lines), (std::vector<std::string>{"00002001", "00105"}));
        EXPECT_EQ(m.Pair(0).PairText, "NOTE");
        EXPECT_EQ((std::vector<int>{m.doc->LastPair, m.Crew(1).DaySlot[2], m.Pair(0).OpsCount[2]}),
                  (std::vector<int>{1, -1, 2}));

        lines[1].Selected = true; // A0100 on day 10 too
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(CrewComplementDone(*m.doc, m.ui, lines));
            EXPECT_EQ(m.Pair(0).PairText, std::string("NOTE") + c.marker + " 3 10");
            EXPECT_EQ(m.Pair(1).PairText, std::string("NOTE") + c.marker + " 6");
            EXPECT_EQ(m.Pair(2).PairText, m.Pair(0).PairText);
            // Pairing 0 on days 3 and 10, 1 on day 6, their copies 2 and 3,
            // crew 0 and 1 holding pairing 0 and its copy on day 3.
            EXPECT_EQ((std::vector<int>{m.doc->LastPair, m.Pair(0).OpsCount[2],
                                        m.Pair(0).OpsCount[9], m.Pair(1).OpsCount[5],
                                        m.Pair(2).OpsCount[2], m.Pair(3).OpsCount[9],
                                        m.Crew(0).DaySlot[2], m.Crew(1).DaySlot[2]}),
                      (std::vector<int>{4, -2, -1, -1, -2, -1, 0, 2}));
            lines = m.Open();
            EXPECT_EQ(Selected(lines), (std::vector<std::string>{"00002001", "00009", "00105"}));
        }
        EXPECT_TRUE(m.ui.Dialogs().empty());
    }
}

TEST(CrewComplementTest, FirstOfficersParkTwoCaptainDaysOnOpenLines)
{
    ComplementMonth m(1);
    m.Pair(1).OpsCount[2] = kOpsOpen; // both pairings on day 3: one open line cannot take both
    std::vector<ComplementLine> lines = m.Open();
    ASSERT_EQ(lines.size(), 4u);
    lines[0].Selected = lines[2].Selected = true;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(CrewComplementDone(*m.doc, m.ui, lines));
        ASSERT_EQ(m.doc->CrewCount, 5);
        EXPECT_EQ(m.Crew(3).Name + "|" + m.Crew(4).Name, "CAPT PAIRINGS|CAPT PAIRINGS");
        EXPECT_EQ((std::vector<int>{m.Crew(3).EmpNumber, m.Crew(4).EmpNumber, m.Crew(3).DaySlot[2],
                                    m.Crew(4).DaySlot[2], m.Crew(0).DaySlot[2],
                                    m.Pair(0).OpsCount[2], m.Pair(1).OpsCount[2]}),
                  (std::vector<int>{-1, -1, 0, 1, -1, -2, -2}));
        EXPECT_EQ(m.Pair(0).PairText, "NOTE TWO CAPTS ON 3");

        EXPECT_TRUE(m.doc->History.empty()) << "undo would send the parked days to open time";
        lines = m.Open();
        EXPECT_EQ(Selected(lines), (std::vector<std::string>{"00002", "00102"}));
        EXPECT_EQ((std::vector<int>{m.doc->CrewCount, m.Pair(0).OpsCount[2]}),
                  (std::vector<int>{3, 1}));
        EXPECT_EQ(m.Pair(0).PairText, "NOTE");
    }
    EXPECT_TRUE(m.ui.Dialogs().empty());
}

// Pairing 1 takes pairing 0's number and flies day slot 2 as well, later
// and for more credit; only it has two captains there.
TEST(CrewComplementTest, CopiesKeepToThePairingTheyWereMadeFrom)
{
    ComplementMonth m(0);
    m.Pair(1).PairNumber = m.Pair(0).PairNumber;
    m.Pair(1).OnTime = 900;
    m.Pair(1).Credit = m.Pair(1).DayCredit[0] = 420;
    m.Pair(1).OpsCount[2] = kOpsOpen;
    std::vector<ComplementLine> lines = m.Open();
    ASSERT_EQ(lines.size(), 4u);
    lines[2].Selected = true;
    ASSERT_TRUE(CrewComplementDone(*m.doc, m.ui, lines));
    m.Crew(1).DaySlot[2] = 2; // the second captain
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        // Saved and opened again.
        auto back = std::make_unique<ScheduleDocument>();
        ASSERT_TRUE(LoadBlocksFromBytes(*back, BlockFileBytes(*m.doc, kSchedulerFile), m.ui));
        m.doc = std::move(back);
        ASSERT_TRUE(FinishOpeningMonth(*m.doc, m.ui, false));
        EXPECT_EQ(
            (std::vector<int>{m.Pair(0).OpsCount[2], m.Pair(1).OpsCount[2], m.Pair(2).OpsCount[2]}),
            (std::vector<int>{2, -1, -2}));

        lines = m.Open();
        EXPECT_EQ(Selected(lines), std::vector<std::string>{"00102001"});
        ASSERT_TRUE(CrewComplementDone(*m.doc, m.ui, lines));
        ASSERT_EQ(m.doc->LastPair, 2);
        EXPECT_EQ((std::vector<int>{m.Pair(2).OnTime, m.Pair(2).Credit, m.Crew(1).DaySlot[2]}),
                  (std::vector<int>{900, 420, 2}));
        EXPECT_EQ(m.Pair(0).PairText, "NOTE");
    }
}

TEST(CrewComplementTest, CopiesThatDoNotFitAreRefused)
{
    ComplementMonth m(0);
    std::vector<ComplementLine> lines = m.Open();
    for (ComplementLine& line : lines)
        line.Selected = true;
    m.doc->LastBasePair = m.doc->LastPair = ScheduleDocument::kPairCapacity - 3;
    EXPECT_FALSE(CrewComplementDone(*m.doc, m.ui, lines));
    EXPECT_EQ(m.doc->LastPair, ScheduleDocument::kPairCapacity - 3);
    EXPECT_EQ(m.Pair(0).PairText, "NOTE");
    EXPECT_EQ(m.ui.Dialogs(),
              std::vector<std::string>{"Tessara Lines: The Pairing Table has room for 2 more "
                                       "Pairings. Select no more than 2 Pairing days."});
}

TEST(EmployeeInfoTest, OkChecksInOrderAndRefusalsChangeNothing)
{
    const std::string q = "Tessara Lines: ";
    const std::string checkPilot =
        q + "Do you want to Override the Default Min and Max Block Time for this Check Pilot.";
    const std::string otherNumber = q + "You have entered a different Employee Number. Do you "
                                        "want to change the Employee Number";
    const std::string used = q + "You Have Entered an Employee Number that is being used by "
                                 "CREW 2. Enter a Valid Number";
    // `after`: EmpNumber, MinCredit and MaxCredit once OK ran; empty when refused.
    const struct {
        const char* what;
        std::function<void(EmployeeInfoForm&)> edit;
        std::vector<Answer> answers;
        std::vector<std::string> dialogs;
        std::vector<int> after;
    } cases[] = {
        // clang-format off
        {"blank name", [](auto& f) { f.Name = " "; }, {}, {q + "Pilot Name Error"}, {}},
        {"last month's times", [](auto& f) {
             f.Days[30].HardTime = "24:01";
             f.Days[30].DutyStart = "24:00";
             f.Days[30].PairingTafb = "1000:00";
         }, {}, {q + "Hard Time Error ,Duty Start Time Error ,Pair/Ass TAFB Time Error"}, {}},
        {"check-in minutes", [](auto& f) { f.LegalAt = "1:10:60"; }, {},
         {q + "C/I Days > 5 or Hr:Min not correct on one field"}, {}},
        {"credit not a time", [](auto& f) { f.DraftCredits = "5"; }, {},
         {q + "Draft Credits Time Error"}, {}},
        {"number too large", [](auto& f) { f.EmpNumber = "1000000000"; }, {},
         {q + "Invalid Employee Number. -1 - 999999999 only"}, {}},
        {"number of another", [](auto& f) { f.EmpNumber = "2"; }, {Answer::Yes},
         {otherNumber, used}, {}},
        {"new number declined", [](auto& f) { f.EmpNumber = "77"; }, {Answer::No},
         {otherNumber}, {1, 0, 0}},
        {"new number", [](auto& f) { f.EmpNumber = "0"; }, {Answer::Yes}, {otherNumber}, {0, 0, 0}},
        {"check pilot unset", [](auto& f) { f.Qualification = kCheckPilot; }, {}, {},
         {1, 4800, 5100}},
        {"check pilot at the defaults", [](auto& f) {
             f.Qualification = kCheckPilot;
             f.MinBlock = 4800;
         }, {}, {}, {1, 4800, 0}},
        {"check pilot override declined", [](auto& f) {
             f.Qualification = kCheckPilot;
             f.MaxBlock = 6000;
         }, {Answer::No}, {checkPilot}, {1, 4800, 5100}},
        {"check pilot override kept", [](auto& f) {
             f.Qualification = kCheckPilot;
             f.MinBlock = 3000;
         }, {Answer::Yes}, {checkPilot}, {1, 3000, 0}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LegalityMonth m;
        EmployeeInfoForm form = ReadEmployeeInfo(*m.doc, 0);
        c.edit(form);
        for (Answer a : c.answers)
            m.ui.Script({a});
        const TPilot before = m.Crew(0);
        EXPECT_EQ(ApplyEmployeeInfo(*m.doc, m.ui, 0, form), !c.after.empty());
        EXPECT_EQ(m.ui.Dialogs(), c.dialogs);
        if (c.after.empty()) {
            EXPECT_TRUE(static_cast<const TPilotFields&>(before) == m.Crew(0));
        } else {
            EXPECT_EQ(
                (std::vector<int>{m.Crew(0).EmpNumber, m.Crew(0).CarryIn[CarryInEntry::MinCredit],
                                  m.Crew(0).CarryIn[CarryInEntry::MaxCredit]}),
                c.after);
        }
    }
}

TEST(EmployeeInfoTest, FormRoundTripsAndStoresWhatWasEdited)
{
    LegalityMonth m;
    TPilot& crew = m.Crew(0);
    // What the dialog cannot show as it is stays as it is.
    crew.Name = "NINETEEN CHARS NAME";
    crew.CarryIn[CarryInEntry::Flags] = 7;
    crew.CarryIn[CarryInEntry::Training] = 5;
    crew.DayCarry[3][CarryValue::PairingTafb] = 80000;
    crew.DayCarry[3][CarryValue::DayKind] = 9;
    crew.TimeBank = -75;
    crew.CarryIn[CarryInEntry::LegalAt] = -840;
    EmployeeInfoForm form = ReadEmployeeInfo(*m.doc, 0);
    EXPECT_EQ(form.LegalAt, "0:10:00");
    EXPECT_EQ(form.TimeBank, "-01:15");
    ASSERT_TRUE(ApplyEmployeeInfo(*m.doc, m.ui, 0, form));
    EXPECT_FALSE(m.doc->Modified);
    EXPECT_EQ(crew.Name, "NINETEEN CHARS NAME");
    EXPECT_EQ(crew.DayCarry[3][CarryValue::PairingTafb], 80000);

    form.Name = "A NAME LONGER THAN FIFTEEN";
    form.LegalAt = "2:10:05";
    form.ExtraCredits = "10:00";
    form.SetFlags(false, true);
    form.Trn = false;
    form.QuickNotes = std::string(600, 'n');
    form.Days[30] = {"5:00", "18:00", "10:30", "17:00", "30:15", kReserveDay, true, true};
    ASSERT_TRUE(ApplyEmployeeInfo(*m.doc, m.ui, 0, form));
    EXPECT_TRUE(m.doc->Modified);
    EXPECT_EQ(crew.Name, "A NAME LONGER T");
    EXPECT_EQ((std::vector<int>{crew.CarryIn[CarryInEntry::LegalAt], crew.MiscHours,
                                crew.CarryIn[CarryInEntry::Flags],
                                crew.CarryIn[CarryInEntry::Training], StoredBlockCredit(crew)}),
              (std::vector<int>{2040 + 5, 600, kMed, 0, 600 - 75}));
    EXPECT_EQ(crew.DayCarry[30], (TPilot::SlotValues{1020, 1815, 1080, 630, 0, 300, 2, 1, 1, 0}));

    // The notes come back from the file; the reduced block and the reset.
    auto back = std::make_unique<ScheduleDocument>();
    ASSERT_TRUE(LoadBlocksFromBytes(*back, BlockFileBytes(*m.doc, kSchedulerFile), m.ui));
    EXPECT_EQ(back->Crew[0].Notes, std::string(500, 'n'));
    m.doc->MonthRules[MonthRule::ReducedDaysOff] = 21;
    m.doc->MonthRules[MonthRule::ReducedMinCredit] = 2400;
    m.doc->MonthRules[MonthRule::ReducedMaxCredit] = 2700;
    m.doc->MonthRules[MonthRule::BlockHolderDaysOff] = 12;
    ReducedBlock(*m.doc, form);
    EXPECT_EQ((std::vector<int>{form.MinDaysOff, form.MinBlock, form.MaxBlock}),
              (std::vector<int>{21, 2400, 2700}));
    ResetToDefault(form);
    EXPECT_EQ(ShownMinDaysOff(*m.doc, form), 12);
    EXPECT_EQ(form.MinBlock + form.MaxBlock, 0);
}

} // namespace
} // namespace tl
