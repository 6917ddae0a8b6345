#include "actions/other_details.h"
#include "actions/toolbox_drop.h"
#include "core/legality_month.h"
#include "model/activity_codes.h"
#include "rules/assignment.h"
#include "rules/history.h"
#include "rules/legality.h"
#include "storage/history_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>
#include <vector>

namespace tl {
namespace {

using test::LegalityMonth;
using Kind = test::ScriptedInteraction::Kind;
using Item = ToolBoxItemRef::Kind;

constexpr Answer Yes = Answer::Yes;
constexpr Answer No = Answer::No;

// June 2027, no clock change: three crew members and pairings open every day.
struct Month : LegalityMonth {
    explicit Month(int kind = 0, int month = 6) : LegalityMonth(kind, month, 2027, 3) {}
    int Open(int on, int tafb, int days = 1)
    {
        const int p = AddPair(on, tafb, days);
        for (size_t d = 0; d < size_t(doc->DaysInMonth); ++d)
            Pair(p).OpsCount[d] = kOpsOpen;
        return p;
    }
    std::vector<std::string> Questions() const
    {
        std::vector<std::string> out;
        for (const auto& e : ui.Only(Kind::Question))
            out.push_back(e.text);
        return out;
    }
};

std::string RestQuestion(const std::string& notes)
{
    return "This Assignment Provides Only " + notes + ".  Do You want to Assign It Anyway";
}

// A pairing reporting at `on` on slot `day`, after a duty released at 20:00 on the slot before.
struct RestCase {
    const char* name;
    int kind, on;
    std::vector<Answer> answers;
    int result;
    std::vector<std::string> questions;
    std::function<void(Month&)> setup = {};
    int month = 6;
    int day = 1;
};

TEST(AssignPairTest, RestToTheNeighbouringDuties)
{
    const std::string before11 = RestQuestion(" 11:00 Crew Rest Before ");
    // clang-format off
    const std::vector<RestCase> cases = {
        {"pilot 11:00 Yes", 0, 420, {Yes}, 0, {before11}},
        {"pilot 11:00 No", 0, 420, {No}, 1, {before11}},
        {"pilot 10:59", 0, 419, {}, 1, {}},
        {"pilot 12:00", 0, 480, {}, 0, {}},
        {"attendant 10:00", 2, 360, {Yes}, 0, {RestQuestion(" 10:00 Crew Rest Before ")}},
        {"attendant 9:59", 2, 359, {}, 1, {}},
        {"attendant 11:59", 2, 479, {Yes}, 0, {RestQuestion(" 11:59 Crew Rest Before ")}},
        {"open line never asked", 0, 420, {}, 0, {}, [](Month& m) { m.Crew().EmpNumber = -1; }},
        {"employee number 0 asked", 0, 420, {No}, 1, {before11},
         [](Month& m) { m.Crew().EmpNumber = 0; }},
        {"rest after", 0, 300, {Yes}, 0, {RestQuestion(" 11:30 Crew Rest After ")},
         [](Month& m) { m.Put(0, m.AddPair(150, 600), 1); }, 6, 0},
        {"day off before: no note", 0, 420, {}, 0, {},
         [](Month& m) { m.Other(0, 0, "GDO", 1000, 0, false); }},
        {"duty other assignment", 0, 420, {Yes}, 0, {before11},
         [](Month& m) { m.Other(0, 0, "TRN", 600, 600, true); }},
        {"carried-in check-in", 0, 599, {}, 1, {}, [](Month& m) { m.Crew().CarryIn[CarryInEntry::LegalAt] = 600; }, 6, 0},
        // 14 March 2027, 02:00 the clocks go forward: 12:00 on the clock is 11:00 of rest.
        {"clock change", 0, 480, {Yes}, 0, {before11}, {}, 3, 13},
    };
    // clang-format on
    for (const RestCase& c : cases) {
        Month m(c.kind, c.month);
        if (c.day > 0)
            m.Put(0, m.AddPair(480, 720), c.day - 1); // released 20:00
        if (c.setup)
            c.setup(m);
        const int p = m.Open(c.on, 600);
        for (Answer a : c.answers)
            m.ui.Script({a});
        EXPECT_EQ(int(AssignPair(*m.doc, m.ui, 0, p, c.day, false)), c.result) << c.name;
        EXPECT_EQ(m.Questions(), c.questions) << c.name;
        EXPECT_EQ(m.Crew().DaySlot[size_t(c.day)], c.result == 0 ? p : kFreeSlot) << c.name;
        EXPECT_EQ(m.Pair(p).OpsCount[size_t(c.day)], c.result == 0 ? 2 : 1) << c.name;
        EXPECT_EQ(m.doc->History.size(), c.result == 0 ? 1u : 0u) << c.name;
    }
}

TEST(AssignPairTest, ResultCodesInTheirOrder)
{
    Month m;
    const int p = m.Open(600, 500);
    m.Pair(p).OpsCount[3] = kNotOperating;
    m.Pair(p).OpsCount[4] = kOpsAssigned;
    m.Pair(p).OpsCount[5] = kOpsAssignedFlagged;
    m.Other(0, 6, "VAC", 0, 0, false);
    m.Crew(1).BidReserveOrLoa = 1;
    struct Op {
        int crew, pairing, day, result;
    };
    const Op cases[] = {
        {99, -1, 3, 5}, {99, p + 1, 3, 5}, {99, p, 3, 2}, {0, p, 30, 2}, {0, p, -1, 2},
        {0, p, 62, 2},  {99, p, 4, 3},     {99, p, 5, 3}, {-1, p, 7, 4}, {4, p, 7, 4},
        {0, p, 6, 1},   {1, p, 7, 6},      {3, p, 8, 0}, // the new open line at CrewCount
    };
    for (const auto& c : cases)
        EXPECT_EQ(int(AssignPair(*m.doc, m.ui, c.crew, c.pairing, c.day, false)), c.result)
            << c.crew << ' ' << c.pairing << ' ' << c.day;
    EXPECT_EQ(m.Questions(), std::vector<std::string>{"Employee Bidding Reserve. Do you want to "
                                                      "assign this pairing anyways"});

    const Op removals[] = {{0, 99, 4, 5}, {0, p, 3, 2}, {99, p, 9, 3}, {99, p, 4, 4}, {0, p, 4, 3}};
    for (const auto& c : removals)
        EXPECT_EQ(int(RemovePair(*m.doc, m.ui, c.crew, c.pairing, c.day)), c.result) << c.day;
    EXPECT_EQ(m.Pair(p).OpsCount[4], 2); // nobody holds it; the refusal changed nothing
}

struct Recorder : DocumentEvents {
    std::vector<std::string> log;
    void CrewRowChanged(int crew, int first, int last) override
    {
        log.push_back("row " + std::to_string(crew) + " " + std::to_string(first) + "-" +
                      std::to_string(last));
    }
    void PairingsChanged() override { log.push_back("pairings"); }
};

TEST(AssignPairTest, ComplementFlagSurvivesAndEverythingIsKeptUpToDate)
{
    Month m;
    Recorder events;
    m.doc->Listener = &events;
    const int p = m.Open(600, 3 * 1440, 3);
    m.Pair(p).OpsCount[10] = kOpsOpenFlagged;
    m.doc->CurrentPair = p;
    ASSERT_EQ(AssignPair(*m.doc, m.ui, 1, p, 10, false), AssignResult::Done);
    EXPECT_EQ(m.doc->History.front(), (TAction{1, 10, 1, p}));
    EXPECT_EQ((std::vector<int>{m.Pair(p).OpsCount[10], m.doc->LastAssignedPair, m.doc->CurrentPair,
                                m.Crew(1).CreditHours, m.doc->Modified}),
              (std::vector<int>{-2, p, -1, 15, 1}));
    EXPECT_EQ(events.log, (std::vector<std::string>{"pairings", "row 1 10-13"}));
    EXPECT_EQ(m.ui.TraceText(), "AssignPair 100 to CREW 2 on 11\n");
    ASSERT_EQ(RemovePair(*m.doc, m.ui, 1, p, 10), RemoveResult::Done);
    EXPECT_EQ(
        (std::vector<int>{m.Pair(p).OpsCount[10], m.Crew(1).DaySlot[10], m.Crew(1).CreditHours}),
        (std::vector<int>{-1, -1, 0}));
}

TEST(AssignPairTest, FrenchPairingAsksAboutTheJuniorAndRechecksTheOthers)
{
    for (const int crew : {1, 0}) {
        Month m(2);
        const int a = m.Open(600, 500), b = m.Open(600, 500);
        for (int p : {a, b}) {
            m.Pair(p).PairText = "FRENCH PAIRING";
            m.Pair(p).PairNumber = 777;
        }
        m.Put(1 - crew, a, 5);
        m.ui.Script({No});
        EXPECT_EQ(AssignPair(*m.doc, m.ui, crew, b, 5, false), AssignResult::Refused);
        const std::string junior = "Employee CREW 2 is not French Qualified and is the Junior "
                                   "Cabin Member. One Cabin Member must be French for this "
                                   "pairing. Do you want to assign it anyway";
        const std::string senior = "Employee CREW 1 is not French Qualified and is Senior to "
                                   "CREW 2. One Cabin Member must be French for this pairing. "
                                   "Do you want to assign it anyway";
        EXPECT_EQ(m.Questions(), std::vector<std::string>{crew == 1 ? junior : senior});
        if (crew == 0)
            continue;
        // Once the senior is off it, the pairing no longer makes the junior illegal.
        m.Put(1, b, 5);
        CheckLegality(*m.doc, 1);
        EXPECT_EQ(m.Crew(1).Illegalities, " French Pair  6");
        ASSERT_EQ(RemovePair(*m.doc, m.ui, 0, a, 5), RemoveResult::Done);
        EXPECT_EQ(m.Crew(1).Illegalities, "");
    }
}

TEST(GridTest, DragMovesRefusesLockedAndPutsBackWhatTheTargetCannotTake)
{
    Month m;
    const int p = m.Open(600, 500), q = m.Open(600, 500);
    ASSERT_EQ(AssignPair(*m.doc, m.ui, 0, p, 4, false), AssignResult::Done);
    m.Put(2, q, 4); // crew 3 is busy that day
    m.doc->History.clear();

    EXPECT_EQ(DragPairing(*m.doc, m.ui, 0, 4, 2), DragResult::PutBack);
    EXPECT_EQ((std::vector<size_t>{size_t(m.Crew(0).DaySlot[4]), size_t(m.Pair(p).OpsCount[4]),
                                   m.doc->History.size(), m.ui.Only(Kind::Beep).size()}),
              (std::vector<size_t>{size_t(p), 2, 0, 1}));

    ASSERT_TRUE(ToggleDayLock(*m.doc, 0, 4));
    EXPECT_EQ(DragPairing(*m.doc, m.ui, 0, 4, 1), DragResult::Locked);
    EXPECT_EQ(m.ui.Dialogs().back(), "Tessara Lines: Can't Drag a Locked in Pairing");
    ASSERT_TRUE(ToggleDayLock(*m.doc, 0, 4));

    EXPECT_EQ(DragPairing(*m.doc, m.ui, 0, 4, 1), DragResult::Moved);
    EXPECT_EQ((std::vector<int>{m.Crew(0).DaySlot[4], m.Crew(1).DaySlot[4]}),
              (std::vector<int>{-1, p}));
    EXPECT_EQ(m.doc->History.size(), 2u);
}

TEST(GridTest, RightButtonRemovals)
{
    Month m;
    const int p = m.Open(600, 500);
    m.Pair(p).PairKey = "Z0100";
    m.Put(0, p, 4);
    m.Crew(0).DayLocked[4] = 1;
    m.ui.Script({Yes, No});
    EXPECT_FALSE(RemovePairFromGrid(*m.doc, m.ui, 0, 4, false, true));
    EXPECT_EQ(m.Questions(), (std::vector<std::string>{
                                 "Do you want to Send it to Open anyway",
                                 "Confirm remove Z100 from CREW 1. Hold Ctrl Key down while Right "
                                 "Clicking to avoid this message"}));
    EXPECT_EQ(m.Crew(0).DayLocked[4], 0);
    EXPECT_TRUE(RemovePairFromGrid(*m.doc, m.ui, 0, 4, true, true)); // Ctrl: no question
    EXPECT_EQ(m.Pair(p).OpsCount[4], 1);
    EXPECT_EQ(m.doc->History.front(), (TAction{0, 4, 0, p}));
    EXPECT_EQ(m.ui.TraceText(), "RemovePair 100 CREW 1 5 RC\n");

    m.Other(1, 2, "VAC", 0, 0, false);
    m.Crew(1).DayOther[2][OtherValue::Credit] = 240;
    m.ui.Script({No});
    EXPECT_FALSE(RemoveOtherFromGrid(*m.doc, m.ui, 1, 2, false));
    EXPECT_EQ(m.Questions().back(), "Confirm remove VAC from CREW 2. Hold Shift Key down while "
                                    "Right Clicking to avoid this message");
    EXPECT_TRUE(RemoveOtherFromGrid(*m.doc, m.ui, 1, 2, true));
    EXPECT_EQ(m.Crew(1).DaySlot[2], kFreeSlot);
    EXPECT_EQ(m.Crew(1).DayCode[2], "");
    EXPECT_EQ(m.doc->History.size(), 1u);
}

TEST(UndoTest, HistoryLimitUndoAndText)
{
    Month m;
    EXPECT_EQ(SerializeHistory(m.doc->History), "0000");
    EXPECT_EQ(Undo(*m.doc, m.ui), UndoResult::Empty);
    EXPECT_EQ(m.ui.Only(Kind::Beep).size(), 1u);
    EXPECT_EQ(m.ui.TraceText(), "Undo\n");

    const int p = m.Open(600, 500);
    for (int i = 0; i < 250; ++i) {
        ASSERT_EQ(AssignPair(*m.doc, m.ui, i % 2, p, 7, false), AssignResult::Done);
        ASSERT_EQ(RemovePair(*m.doc, m.ui, i % 2, p, 7), RemoveResult::Done);
    }
    EXPECT_EQ(m.doc->History.size(), 201u);
    ASSERT_EQ(AssignPair(*m.doc, m.ui, 2, p, 7, false), AssignResult::Done);
    const std::string newest = "Assign\t100\t08/06/2027\tCREW 3+Remove\t100\t08/06/2027\tCREW 2+";
    EXPECT_EQ(HistoryText(*m.doc).substr(0, newest.size()), newest);
    EXPECT_EQ(Undo(*m.doc, m.ui), UndoResult::Undone);
    EXPECT_EQ(m.Crew(2).DaySlot[7], kFreeSlot);
    EXPECT_EQ(m.doc->History.size(), 200u);
    EXPECT_EQ(m.doc->History.front().Kind, 0);

    m.Put(1, m.AddPair(600, 500), 7); // the day is taken: the removal cannot be undone
    EXPECT_EQ(Undo(*m.doc, m.ui), UndoResult::Refused);
    EXPECT_EQ(m.ui.Dialogs().back(), "Tessara Lines: Unable to UNDO that Transaction");
    EXPECT_EQ(m.doc->History.size(), 199u);
}

TEST(UndoTest, AnswerNoKeepsTheTransactionLocksComeBackDamagedEntriesAreRefused)
{
    // Undoing a removal asks about the 11:00 rest after day 1's duty.
    Month m;
    m.Put(0, m.AddPair(480, 720), 0);
    const int p = m.Open(420, 600);
    ASSERT_EQ(AssignPair(*m.doc, m.ui, 0, p, 1, true), AssignResult::Done);
    ASSERT_EQ(RemovePair(*m.doc, m.ui, 0, p, 1), RemoveResult::Done);
    const THistory removed = m.doc->History;
    m.ui.Script({No});
    EXPECT_EQ(Undo(*m.doc, m.ui), UndoResult::Declined);
    EXPECT_EQ(m.doc->History, removed);
    EXPECT_EQ(m.Crew(0).DaySlot[1], kFreeSlot);
    EXPECT_TRUE(m.ui.Only(Kind::Message).empty());
    m.ui.Script({Yes});
    EXPECT_EQ(Undo(*m.doc, m.ui), UndoResult::Undone);
    EXPECT_EQ(m.Crew(0).DaySlot[1], p);

    // A locked-in pairing sent to open comes back locked in, also after the
    // history went through the file.
    ASSERT_TRUE(ToggleDayLock(*m.doc, 0, 1));
    m.ui.Script({Yes});
    ASSERT_TRUE(RemovePairFromGrid(*m.doc, m.ui, 0, 1, true, true));
    ASSERT_EQ(m.Crew(0).DayLocked[1], 0);
    ParseHistory(m.doc->History, SerializeHistory(m.doc->History));
    m.ui.Script({Yes});
    EXPECT_EQ(Undo(*m.doc, m.ui), UndoResult::Undone);
    EXPECT_EQ((std::vector<int>{m.Crew(0).DaySlot[1], m.Crew(0).DayLocked[1]}),
              (std::vector<int>{p, 1}));
    ASSERT_EQ(RemovePair(*m.doc, m.ui, 0, p, 1), RemoveResult::Done);
    EXPECT_EQ(m.doc->History.front().Kind, kRemovedLocked);

    // A file may name a crew member past the roster; the row after it is
    // not one to give pairings to.
    for (const int crew : {3, 4, -1}) {
        m.ui.Clear();
        m.doc->History = {TAction{0, 5, crew, p}};
        EXPECT_EQ(Undo(*m.doc, m.ui), UndoResult::Refused) << crew;
        EXPECT_EQ(m.Pair(p).OpsCount[5], 1) << crew;
        EXPECT_TRUE(m.doc->History.empty());
        EXPECT_EQ(m.ui.Dialogs(),
                  std::vector<std::string>{"Tessara Lines: Unable to UNDO that Transaction"});
    }
    EXPECT_EQ(m.Crew(3).DaySlot[5], kFreeSlot);
}

// Newest first in fixed-width records; damaged text is read as far as it is whole.
TEST(UndoTest, HistoryTextReadsBackAsFarAsItIsWhole)
{
    THistory history;
    AddTransaction(history, 12, 345, 6, 1);
    AddTransaction(history, 999, 3000, 61, 0);
    const std::string text = SerializeHistory(history);
    // clang-format off
    EXPECT_EQ(text, "0002" "00006109993000" "01000600120345");
    const struct {
        std::string text;
        size_t kept;
    } cases[] = {
        {text, 2}, {"", 0}, {"0", 0},
        {"0003" "01000600120345", 1}, // count larger than the text
        {"0002" "01000600120345" "0100", 1}, {"0001" "01AB0600120345", 0},
        {"9999" "01000600120345", 1}, {"-001" "01000600120345", 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        THistory back{TAction{1, 1, 1, 1}};
        ParseHistory(back, c.text);
        EXPECT_EQ(back.size(), c.kept) << '"' << c.text << '"';
        if (c.kept == 2) {
            EXPECT_EQ(back, history);
        }
    }
}

// Random assignments, removals, drags and undos on a small month: every
// pairing day is held by exactly its one holder when assigned, by nobody when
// open, and undoing a run brings the blocks back.
TEST(AssignmentPropertyTest, OperationCountsMatchTheBlocks)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        const int kind = seed % 2 == 0 ? 2 : 0;
        LegalityMonth m(kind, 6, 2027, 8);
        test::YesInteraction yes;
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        m.Crew(6).EmpNumber = -1;
        m.Crew(3).BidReserveOrLoa = 1;
        m.Other(2, 10, "VAC", 0, 0, false);
        for (int i = 0; i < 40; ++i) {
            const int days = pick(1, 3);
            const int p = m.AddPair(pick(300, 1200), (days - 1) * 1440 + pick(300, 700), days);
            m.Pair(p).PairNumber = 500 + i % 30; // some copies, French on a few
            if (i % 7 == 0)
                m.Pair(p).PairText = "FRENCH PAIRING";
            for (size_t d = 0; d < 30; ++d)
                m.Pair(p).OpsCount[d] = pick(0, 2) == 0 ? (i >= 30 ? -1 : 1) : 0;
        }
        const auto snapshot = [&] {
            std::vector<int32_t> s;
            for (int c = 0; c <= 8; ++c)
                s.insert(s.end(), m.Crew(c).DaySlot.begin(), m.Crew(c).DaySlot.end());
            for (int p = 0; p <= m.doc->LastPair; ++p)
                s.insert(s.end(), m.Pair(p).OpsCount.begin(), m.Pair(p).OpsCount.end());
            return s;
        };
        const auto step = [&](bool undoable) {
            // Row 8 is the one after the roster: the operations take it, undo does not.
            const int lastRow = undoable ? 7 : 8;
            int crew = pick(0, lastRow), pairing = pick(0, 39), day = pick(0, 29);
            if (pick(0, 19) == 0) { // now and then out of every range
                crew = pick(-1, 9);
                if (crew == 8 && undoable)
                    crew = 9;
                pairing = pick(-1, 41);
                day = pick(-1, 31);
            }
            const bool inTable = crew >= 0 && crew <= 8 && day >= 0 && day < 31;
            const int held = inTable ? m.Crew(crew).DaySlot[size_t(day)] : pairing;
            // clang-format off
            switch (pick(0, undoable ? 3 : 6)) {
            case 0: case 1: (void)AssignPair(*m.doc, yes, crew, pairing, day, false); break;
            case 2: (void)RemovePair(*m.doc, yes, crew, pick(0, 3) == 0 ? pairing : held, day); break;
            case 3: DragPairing(*m.doc, yes, crew, day, pick(0, lastRow)); break;
            case 4: RemovePairFromGrid(*m.doc, yes, crew, day, false, true); break;
            case 5: ToggleDayLock(*m.doc, crew, day); break;
            default: (void)Undo(*m.doc, yes); break;
            }
            // clang-format on
        };
        for (int i = 0; i < 1500; ++i) {
            step(false);
            ASSERT_LE(m.doc->History.size(), kHistoryLimit);
            for (int p = 0; p <= m.doc->LastPair; ++p) {
                for (size_t d = 0; d < 31; ++d) {
                    int holders = 0;
                    for (int c = 0; c <= 8; ++c)
                        holders += m.Crew(c).DaySlot[d] == p ? 1 : 0;
                    const int32_t ops = m.Pair(p).OpsCount[d];
                    ASSERT_EQ(holders, ops == 2 || ops == -2 ? 1 : 0)
                        << "seed " << seed << " step " << i << " pairing " << p << " day " << d;
                    ASSERT_EQ(ops < 0, p >= 30 && ops != 0) << "complement flag lost";
                }
            }
        }
        m.doc->History.clear();
        const std::vector<int32_t> start = snapshot();
        for (int i = 0; i < 600 && m.doc->History.size() < 190; ++i)
            step(true);
        EXPECT_GT(m.doc->History.size(), 50u);
        while (!m.doc->History.empty())
            ASSERT_EQ(Undo(*m.doc, yes), UndoResult::Undone);
        EXPECT_EQ(snapshot(), start) << "seed " << seed;
    }
}

int ActivityIndex(const ScheduleDocument& doc, std::string_view code)
{
    const auto items = ToolBoxActivityItems(doc);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Activity == code)
            return static_cast<int>(i);
    return -1;
}

// Crew 0 holds a two-day pairing from day 3 and VAC on day 10; crew 2 is an open line.
struct DropMonth : LegalityMonth {
    DropMonth() : LegalityMonth(0, 6, 2027, 3)
    {
        Put(0, AddPair(480, 2000, 2), 3);
        Other(0, 10, "VAC", 720, 240, false);
        Crew(2).EmpNumber = -1;
    }
};

TEST(ToolBoxDropTest, FreeDaysTakeItemsOtherDaysAreRefused)
{
    using enum ToolBoxDropResult;
    const struct {
        Item kind;
        const char* code; // request code or activity
        int crew, day;
        ToolBoxDropResult result;
    } cases[] = {
        // clang-format off
        {Item::Request, "X3", 0, 6, Done}, {Item::Request, "XM", 1, 0, Done},
        {Item::Activity, "VAC", 0, 6, Done}, {Item::Activity, "RA ", 1, 29, Done},
        {Item::Activity, "VAC", 0, 3, PairingDay},
        {Item::Request, "X1", 0, 4, PairingDay}, // second day of the pairing
        {Item::Activity, "SIM", 0, 10, OtherDay}, {Item::Request, "X1", 0, 10, OtherDay},
        {Item::Activity, "VAC", 2, 6, OpenLine},
        {Item::Activity, "VAC", 3, 6, OutOfRange}, // past CrewCount
        {Item::Activity, "VAC", 0, 62, OutOfRange},
        // clang-format on
    };
    for (const auto& c : cases) {
        DropMonth m;
        SCOPED_TRACE(std::string(c.code) + " crew " + std::to_string(c.crew) + " day " +
                     std::to_string(c.day));
        int index = ActivityIndex(*m.doc, c.code);
        int8_t flag = 0;
        if (c.kind == Item::Request) {
            for (const auto& r : ToolBoxRequestItems())
                if (r.Code == c.code)
                    flag = r.DayFlag;
            index = flag - 1; // X1..X9, XA, XP, XM in order
        }
        ASSERT_GE(index, 0);
        const TPilot before = m.Crew(std::min(c.crew, 2));
        EXPECT_EQ(ApplyToolBoxItem(*m.doc, m.ui, c.crew, c.day, {c.kind, index}), c.result);
        if (c.result != ToolBoxDropResult::Done) {
            const TPilot& after = m.Crew(std::min(c.crew, 2));
            EXPECT_EQ(after.DaySlot, before.DaySlot);
            EXPECT_EQ(after.DayFlag, before.DayFlag);
            EXPECT_FALSE(m.doc->Modified);
            // Refusals the scheduler caused are explained.
            EXPECT_EQ(m.ui.Events().size(), c.result == ToolBoxDropResult::OutOfRange ? 0u : 1u);
            continue;
        }
        EXPECT_TRUE(m.doc->Modified);
        const TPilot& crew = m.Crew(c.crew);
        const auto d = static_cast<size_t>(c.day);
        if (c.kind == Item::Request) {
            EXPECT_EQ(crew.DayFlag[d], flag);
            EXPECT_EQ(crew.DaySlot[d], kFreeSlot);
            // The same request again takes it off.
            EXPECT_EQ(ApplyToolBoxItem(*m.doc, m.ui, c.crew, c.day, {c.kind, index}),
                      ToolBoxDropResult::Cleared);
            EXPECT_EQ(crew.DayFlag[d], 0);
            continue;
        }
        EXPECT_EQ(crew.DaySlot[d], kOtherSlot);
        EXPECT_EQ(crew.DayCode[d], c.code);
        const bool vac = std::string_view(c.code) == "VAC";
        EXPECT_EQ(crew.DayCode2[d], vac ? "VC" : "RA");
        // Built-in rows: 12:00 to 16:00, counted credit; pilot reserve A has no credit.
        const TPilot::SlotValues want = vac ? TPilot::SlotValues{720, 240, 170, 0, 0, 0, 0, 0, 0, 0}
                                            : TPilot::SlotValues{720, 240, 0, 0, 1, 1, 0, 1, 0, 0};
        EXPECT_EQ(crew.DayOther[d], want);
        EXPECT_EQ(crew.LegalityValid, 1); // checked again
    }
}

TEST(ToolBoxDropTest, LoadedToolBoxRecordGivesItsTimesAndNoReserveForRtb)
{
    DropMonth m;
    m.doc->AbsenceCount = 2;
    TAbsence& hidden = m.doc->Absences[0];
    hidden.AbsText1 = "XXX";
    hidden.AbsText2 = "RB";
    hidden.AbsFlag4 = false;            // not offered: the window's first item is the next record
    TAbsence& rtb = m.doc->Absences[1]; // 22:00 to 06:00
    std::tie(rtb.AbsText1, rtb.AbsText2, rtb.AbsValue1, rtb.AbsValue2, rtb.AbsValue3, rtb.AbsFlag1,
             rtb.AbsFlag3, rtb.AbsFlag4) =
        std::tuple("RTB", "RB", 1320, 360, 250, true, false, true);
    ASSERT_EQ(ApplyToolBoxItem(*m.doc, m.ui, 1, 5, {Item::Activity, 0}), ToolBoxDropResult::Done);
    EXPECT_EQ(m.Crew(1).DayCode[5], "RTB");
    EXPECT_EQ(m.Crew(1).DayOther[5], (TPilot::SlotValues{1320, 480, 250, 0, 0, 1, 1, 0, 0, 0}));
}

TEST(ToolBoxDropTest, PayloadRoundTripsAndForeignTextNamesNoItem)
{
    for (const ToolBoxItemRef item : {ToolBoxItemRef{Item::Request, 11}, {Item::Activity, 0}})
        EXPECT_EQ(DecodeToolBoxItem(EncodeToolBoxItem(item)), item);
    for (const char* text : {"", "request:", "request:-1", "activity:1x", "activity:99999",
                             "file:///etc/passwd", "request: 1"})
        EXPECT_FALSE(DecodeToolBoxItem(text)) << text;
}

TEST(OtherDetailsTest, TimesAreHoursColonMinutesWithinLimits)
{
    const struct {
        const char* text;
        int maxHours, minutes;
    } cases[] = {{"7:05", 23, 425},   {" 07:05 ", 23, 425}, {"23:59", 23, 1439}, {"24:00", 23, -1},
                 {"24:00", 24, 1440}, {"24:01", 24, -1},    {"0:60", 24, -1},    {"7", 24, -1},
                 {"7:5", 24, -1},     {"123:00", 99, -1},   {"-1:00", 24, -1},   {"1:0x", 24, -1},
                 {"", 24, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseDetailsTime(c.text, c.maxHours), c.minutes) << c.text;
}

// Last month's entries are edited through the same form as this month's
// other assignments, on days -31 to -1.
TEST(OtherDetailsTest, LastMonthEntryReadsAndWritesItsCarriedValues)
{
    LegalityMonth m(0, 6, 2027, 1);
    TPilot& crew = m.Crew(0);
    crew.DayText[30] = "SBY"; // 31 May
    crew.DayCarry[30] = {0, 0, 600, 840, 240, 0, 2, 0, 1, 0};
    crew.DayText[29] = "V8101"; // a pairing's start: not an entry of its own

    const auto form = ReadOtherDetails(*m.doc, 0, -1);
    ASSERT_TRUE(form);
    EXPECT_EQ(OtherDetailsCaption(*m.doc, 0, -1), "SBY Assignment Details");
    EXPECT_EQ(form->Date + "|" + form->Start + "|" + form->AtWork, "31 MAY 2027|10:00|14:00");
    EXPECT_EQ((std::vector<bool>{form->Reserve, form->ContainsDuty, form->CarsDuty}),
              (std::vector<bool>{true, false, true}));
    for (int day : {-2, -32, -3})
        EXPECT_FALSE(ReadOtherDetails(*m.doc, 0, day)) << day;

    OtherDetailsForm edited = *form;
    std::tie(edited.Code, edited.Start, edited.Reserve, edited.ContainsDuty, edited.HardTime) =
        std::tuple("dh", "8:30", false, true, "25:00");
    EXPECT_FALSE(ApplyOtherDetails(*m.doc, m.ui, 0, -1, edited));
    EXPECT_EQ(crew.DayCarry[30][CarryValue::DutyStart], 600);
    edited.HardTime = "2:00";
    ASSERT_TRUE(ApplyOtherDetails(*m.doc, m.ui, 0, -1, edited));
    EXPECT_EQ(crew.DayText[30], "DH");
    EXPECT_EQ(crew.DayCarry[30], (TPilot::SlotValues{0, 0, 510, 840, 240, 120, 1, 0, 1, 0}));
    EXPECT_TRUE(m.doc->Modified);
}

} // namespace
} // namespace tl
