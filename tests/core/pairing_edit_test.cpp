#include "actions/pairing_edit.h"
#include "core/legality_month.h"
#include "core/pairing_edit_cases.h"
#include "import/pairing_warnings.h"
#include "rules/history.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

using test::LegalityMonth;
using test::PairEditCase;

// June 2027, one crew member flying pairing 0101 on the third, editor unlocked.
struct EditMonth : LegalityMonth {
    EditMonth() : LegalityMonth(0, 6, 2027, 1)
    {
        test::ShapeEditedMonth(*doc);
        doc->PairEditUnlocked = true;
    }
    PairForm Typed(const PairEditCase& c)
    {
        PairForm form = ShowPair(*doc, 0);
        for (auto [given, field] :
             {std::pair{&c.number, &form.Number}, std::pair{&c.on, &form.On},
              std::pair{&c.credit, &form.Credit}, std::pair{&c.tafb, &form.Tafb}})
            if (!given->empty())
                *field = *given;
        if (!c.days.empty()) {
            form.Days.fill(true);
            form.Days[2] = false;
        }
        return form;
    }
};

class PairEditTest : public ::testing::TestWithParam<PairEditCase> {};

TEST_P(PairEditTest, StoresACheckedHeaderOrAsksAndLeavesItAlone)
{
    const PairEditCase& c = GetParam();
    EditMonth m;
    const TPair before = m.Pair(0);
    m.ui.Script({Answer::No});
    EXPECT_TRUE(StorePairInfo(*m.doc, m.ui, 0, m.Typed(c)));
    const TPair& p = m.Pair(0);
    // The command line runs the same table for the texts, length and off time.
    if (!c.problems.empty()) {
        EXPECT_EQ(m.ui.Dialogs(),
                  std::vector<std::string>{"Errors in this Pairing at Index 000!: " + c.problems +
                                           "- Fix Now?"});
        EXPECT_EQ(p.OpsCount, before.OpsCount);
        EXPECT_EQ(p.OnTime, before.OnTime);
        EXPECT_FALSE(m.doc->Modified); // Yes (stay on the pairing) is the editor's test
        return;
    }
    EXPECT_TRUE(m.doc->Modified);
    // A day taken off is no longer flown; the others keep their marks.
    const bool dayOff = !c.days.empty();
    EXPECT_EQ(p.OpsCount[2], dayOff ? kNotOperating : kOpsAssigned);
    EXPECT_EQ(p.OpsCount[3], kOpsOpen);
}

INSTANTIATE_TEST_SUITE_P(Header, PairEditTest, ::testing::ValuesIn(test::PairEditCases()),
                         [](const auto& param) { return test::CaseName(param.param.name); });

TEST(PairEditTest, BlankViewedAndUnchangedPairingsStayAsTheyAre)
{
    EditMonth m;
    const TPair before = m.Pair(0);
    // Every field emptied: the long problem text means "leave it", unasked.
    PairForm blank;
    EXPECT_TRUE(StorePairInfo(*m.doc, m.ui, 0, blank));
    EXPECT_TRUE(m.ui.Dialogs().empty());
    EXPECT_EQ(m.Pair(0).OpsCount, before.OpsCount);
    // Storing what is shown is no change: the month and its history stay.
    AddTransaction(m.doc->History, 0, 0, 2, 1);
    EXPECT_TRUE(StorePairInfo(*m.doc, m.ui, 0, ShowPair(*m.doc, 0)));
    EXPECT_FALSE(m.doc->Modified);
    EXPECT_EQ(m.doc->History.size(), 1u);
    // Locked (viewing), nothing is stored whatever was typed.
    m.doc->PairEditUnlocked = false;
    PairForm typed = ShowPair(*m.doc, 0);
    typed.On = "09:00";
    EXPECT_TRUE(StorePairInfo(*m.doc, m.ui, 0, typed));
    EXPECT_EQ(m.Pair(0).OnTime, 480);
    // A change drops the transactions of this pairing, which would undo a
    // different trip.
    m.doc->PairEditUnlocked = true;
    AddTransaction(m.doc->History, 0, 1, 4, 1);
    EXPECT_TRUE(StorePairInfo(*m.doc, m.ui, 0, typed));
    EXPECT_EQ(m.Pair(0).OnTime, 540);
    ASSERT_EQ(m.doc->History.size(), 1u);
    EXPECT_EQ(m.doc->History[0].Pairing, 1);
}

TEST(PairEditTest, DutyDaysTakeOnlyClockTimesWithinTheirLimits)
{
    const std::pair<DutyDayForm, bool> cases[] = {
        {{"07:00", "18:00", "04:00", "05:00"}, true},
        {{"07:00", "10:00", "04:00", "24:00"}, false}, // the parser stops at 23:59
        {{"24:00", "10:00", "04:00", "05:00"}, false},
        {{"07:00", "18:01", "-1:00", "05:00"}, false},
    };
    for (const auto& c : cases) {
        EditMonth m;
        EXPECT_EQ(StoreDutyDay(*m.doc, m.ui, 0, 0, c.first), c.second) << c.first.Credit;
        EXPECT_EQ(m.Pair(0).DayDuty[0], c.second ? 1080 : 0);
        EXPECT_EQ(m.doc->Modified, c.second);
    }
}

TEST(PairEditTest, PasswordFormsWarningLinesAndExcludedCredit)
{
    EditMonth m;
    // The right password in any case; Pellam and PELLAM are tried in the dialog's test.
    EXPECT_EQ(CheckPairPassword(*m.doc, "pellam"), PairPassword::Edit);
    // A line too short to name a pairing; a named one opens on double click there.
    EXPECT_EQ(PairingOfWarningLine(*m.doc, m.ui, ""), -1);
    // More credit excluded than the pairing has is refused.
    EXPECT_FALSE(StorePairProperties(*m.doc, m.ui, 0, 2, {2, true, "05:01"}));
    EXPECT_EQ(m.Pair(0).DayOpsType[2], 0);
    EXPECT_FALSE(m.doc->Modified);
}

} // namespace
} // namespace tl
