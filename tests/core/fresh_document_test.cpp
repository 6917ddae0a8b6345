#include "import/absences_extract.h"
#include "rules/block_build.h"

#include "core/legality_month.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

// An opened month that holds other assignments must not lose them to an
// absences load without the question; one without them is still fresh.
TEST(FreshDocumentTest, OpeningAMonthWithOtherAssignmentsMakesTheAbsencesLoadAsk)
{
    for (const bool holdsOther : {false, true}) {
        SCOPED_TRACE(holdsOther);
        test::LegalityMonth m(0, 6, 2027, 2);
        if (holdsOther)
            m.Other(1, 5, "VAC", 0, 1440, false);
        ASSERT_TRUE(m.doc->FreshDocument);
        FinishOpeningMonth(*m.doc, m.ui, false);
        EXPECT_EQ(m.doc->FreshDocument, !holdsOther);

        m.ui.Clear();
        LoadCrewAbsencesText(*m.doc, "", false, m.ui); // questions answered No
        const auto dialogs = m.ui.Dialogs();
        EXPECT_EQ(!dialogs.empty() && dialogs.front() ==
                                          "Tessara Lines: This will erase all conflicting "
                                          "Toolbox assignments. Proceed",
                  holdsOther);
        EXPECT_EQ(m.doc->Crew[1].DayCode[5], holdsOther ? "VAC" : "");
    }
}

} // namespace
} // namespace tl
