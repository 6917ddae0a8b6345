#include "actions/pairing_filters.h"
#include "core/legality_month.h"
#include "output/pairings_board.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

using test::ScriptedInteraction;

// Source record text that passes the INDOC1 test: column 28 of the second
// line and column 43 of the third hold the same three characters.
std::string IndocNote(const char* second, const char* third)
{
    return "1HEADER\n2" + std::string(27, ' ') + second + "\n2" + std::string(42, ' ') + third +
           "   \n";
}

struct Captions : DocumentEvents {
    std::vector<std::string> Texts;
    int Rebuilds = 0;
    void FilterMarksChanged() override { ++Rebuilds; }
    void PairingsCaptionChanged(std::string_view caption) override { Texts.emplace_back(caption); }
};

// Six pairings, all starting on day 1; crew member 1 (employee number 1)
// carries the stored filter under test.
struct FilterMonth : test::LegalityMonth {
    Captions events;
    FilterMonth()
    {
        const std::pair<int, const char*> pairs[] = {{12, "ABC YTZ"},    {305, "YYZ"},
                                                     {400, "YTZ HOTEL"}, {500, "Z ONLY"},
                                                     {12, "XXX"},        {600, "NOTHING"}};
        for (const auto& [number, text] : pairs) {
            const int p = AddPair(600, 600);
            Pair(p).PairNumber = number;
            Pair(p).PairText = text;
            Pair(p).OpsCount[0] = kOpsOpen;
        }
        Pair(5).Note = IndocNote("XYZ", "XYZ");
        doc->Listener = &events;
    }
    std::string Marks()
    {
        std::string marks;
        for (int p = 0; p <= doc->LastPair; ++p)
            marks += char('0' + Pair(p).Mark);
        return marks;
    }
    void SetMarks(const std::string& marks)
    {
        for (size_t p = 0; p < marks.size(); ++p)
            Pair(int(p)).Mark = int8_t(marks[p] - '0');
    }
};

std::string ManyTerms()
{
    std::string text = "TEXT";
    for (int i = 0; i < 5000; ++i)
        text += "Q,";
    return text + "NOTHING;";
}

TEST(PairingFiltersTest, StoredFilterMarks)
{
    const struct {
        std::string stored;
        const char* marks; // per pairing, in table order
    } cases[] = {
        {"00120305TEXTYTZ;", "112010"}, // numbers 1 on every copy, text 2
        {"TEXTZ,!YTZ;", "020200"},
        {"0012TEXTZ,!YTZ;", "120210"},     // chosen by number beats the exclusion
        {"0305TEXT!YTZ;", "010000"},       // exclusions only
        {"TEXTABC,;", "200000"},           // the empty term is skipped
        {"00120305", "000000"},            // no marker, no filter: everything hidden
        {"0305xTEXT", "010000"},           // a short group before the marker is ignored
        {"ab12-012  12TEXTYTZ", "102010"}, // groups read as atoi would; the last character dropped
        {"TEXTindoc1,Indoc2;", "000002"},
        {ManyTerms(), "000000"}, // cut at the list's capacity, NOTHING never read
        {"TEXT", "000000"},
    };
    for (const auto& c : cases) {
        FilterMonth m;
        m.Crew(0).FilterText = c.stored;
        EXPECT_TRUE(ApplyStoredFilters(*m.doc, m.ui, 1));
        EXPECT_EQ(m.Marks(), c.marks) << c.stored.substr(0, 40);
        EXPECT_TRUE(m.doc->FiltersOn);
        EXPECT_EQ(m.events.Texts, std::vector<std::string>{"Filters On for CREW 1"});
    }
    FilterMonth m;
    m.SetMarks("121000");
    EXPECT_FALSE(ApplyStoredFilters(*m.doc, m.ui, 99));
    EXPECT_EQ(m.ui.Dialogs(),
              std::vector<std::string>{"Tessara Lines: Unable to Find Employee to Filter"});
    EXPECT_EQ(m.Marks(), "121000");
    EXPECT_FALSE(m.doc->FiltersOn);
}

TEST(PairingFiltersTest, WindowTextFilter)
{
    const struct {
        const char* before;
        const char* text;
        Answer answer;
        const char* marks;
        bool on;
        const char* textAfter;
    } cases[] = {
        {"100020", "ABC,;", Answer::Yes, "122222", true, "ABC,;"}, // empty term matches all
        {"100020", "", Answer::Yes, "100000", true, ""},
        {"100020", "Z,!YTZ;", Answer::Yes, "120200", true, "Z,!YTZ;"},
        {"100020", "YTZ", Answer::No, "100020", false, "YTZ"},
        {"100020", "YTZ", Answer::Yes, "102000", true, "YTZ;"},
    };
    for (const auto& c : cases) {
        FilterMonth m;
        m.SetMarks(c.before);
        m.ui.Script({c.answer});
        std::string text = c.text;
        EXPECT_EQ(ApplyTextFilter(*m.doc, m.ui, text, 1), c.on) << c.text;
        EXPECT_EQ(m.Marks(), c.marks) << c.text;
        EXPECT_EQ(m.doc->FiltersOn, c.on);
        EXPECT_EQ(text, c.textAfter);
        EXPECT_EQ(m.ui.Only(ScriptedInteraction::Kind::Question).size(),
                  std::string(c.text).find(';') == std::string::npos && *c.text ? 1u : 0u);
    }
    FilterMonth m;
    std::string text = "Z,!YTZ;";
    ApplyTextFilter(*m.doc, m.ui, text, 1);
    EXPECT_EQ(m.doc->FilterWords[0], "Z,!YTZ;");
    EXPECT_EQ(m.events.Texts, std::vector<std::string>{"Filters On"});
    // The board leaves off what is hidden, and shows it all again when off.
    EXPECT_EQ(LayOutPairingsBoard(*m.doc, false).Rows.size(), 2u);
    FiltersOff(*m.doc);
    EXPECT_EQ(LayOutPairingsBoard(*m.doc, false).Rows.size(), 6u);
    EXPECT_EQ(m.events.Texts.back(), "Filters Off");
}

TEST(PairingFiltersTest, SaveRecallAndButtons)
{
    FilterMonth m;
    std::string caption, text;
    EXPECT_FALSE(SaveFilters(*m.doc, m.ui, -1, "", caption));
    EXPECT_FALSE(RecallFilters(*m.doc, m.ui, -1, text, caption));
    EXPECT_EQ(m.ui.Dialogs(),
              (std::vector<std::string>{
                  "Tessara Lines: You have not selected the name to Save Filters to",
                  "Tessara Lines: You have not selected the name to Recall the Filters from"}));
    EXPECT_FALSE(RecallFilters(*m.doc, m.ui, 0, text, caption));
    EXPECT_EQ(caption, "No Filters to Recall from CREW 1");
    // Nothing chosen, no text: the marker still goes, so Recall finds it.
    ASSERT_TRUE(SaveFilters(*m.doc, m.ui, 0, "", caption));
    EXPECT_EQ(m.Crew(0).FilterText, "TEXT");
    EXPECT_EQ(caption, "Filters Saved to CREW 1");
    text = "OLD";
    m.SetMarks("200000");
    ASSERT_TRUE(RecallFilters(*m.doc, m.ui, 0, text, caption));
    EXPECT_EQ(text, "");
    EXPECT_EQ(caption, "Filters Recalled from CREW 1");
    ToggleFilterNumber(*m.doc, 12);
    EXPECT_EQ(m.Marks(), "100010");
    ASSERT_TRUE(SaveFilters(*m.doc, m.ui, 1, "Z;", caption));
    EXPECT_EQ(m.Crew(1).FilterText, "00120012TEXTZ;");
    InvertFilterMarks(*m.doc);
    EXPECT_EQ(m.Marks(), "011101");

    // The button window: one selection per distinct number, in grid order.
    m.Crew(0).FilterText = "0500  12TEXTHOTEL";
    FilterButtons buttons = LoadFilterButtons(*m.doc, 0);
    ASSERT_EQ(buttons.Numbers.size(), 5u);
    EXPECT_EQ(buttons.Selected, (std::vector<uint8_t>{1, 0, 0, 1, 0}));
    EXPECT_EQ(buttons.Text, "HOTEL");
    StoreFilterButtons(*m.doc, 0, buttons);
    EXPECT_EQ(m.Crew(0).FilterText, "00120500TEXTHOTEL;");
    EXPECT_EQ(m.doc->FilterWords[0], "HOTEL;");
    buttons.Selected.assign(5, 0);
    buttons.Text.clear();
    StoreFilterButtons(*m.doc, 0, buttons);
    EXPECT_EQ(m.Crew(0).FilterText, "");
}

TEST(PairingFiltersTest, Indoc1)
{
    const struct {
        std::string note;
        bool match;
    } cases[] = {
        {IndocNote("XYZ", "XYZ"), true},
        {IndocNote("XYZ", "XYW"), false},
        {"", false},
        {IndocNote("XYZ", "XYZ").substr(0, 60), false}, // third line too short
        {"2" + std::string(60, 'A'), true}, // no newline: the positions wrap to the start
        {"\n2\n2", false},
        {"1\n3" + IndocNote("XYZ", "XYZ").substr(9), false}, // second line not a "2" record
    };
    for (const auto& c : cases)
        EXPECT_EQ(Indoc1Matches(c.note), c.match) << c.note;
}

TEST(PairingFiltersTest, DescriptionAndWizard)
{
    const struct {
        const char* stored;
        const char* text;
    } descriptions[] = {
        {"", "--- Pairing Filters: ---\nNo Filters. Click to Edit\n"},
        {"00120305TEXTYTZ,!AB,;", "--- Pairing Filters: ---\nAlways Show:\n0012, 0305, \n"
                                  "Also Show Pairings Containing:\nYTZ,\nBut Not Containing:\nAB,"},
        {"001TEXTYTZ", "--- Pairing Filters: ---\nAlways Show:\n\n"},
    };
    for (const auto& c : descriptions)
        EXPECT_EQ(DescribeStoredFilter(c.stored), c.text);

    const struct {
        std::array<std::string, 8> fields;
        std::string text;
        const char* error;
    } wizard[] = {
        {{}, "", ""},
        {{"YTZ", "", "HOTEL", "", "", "X", "", ""}, "YTZ,HOTEL,!X;", ""},
        {{"", "", "", "", "X", "", "", ""},
         "!X;",
         "You need at least 1 Key word or Letter in a left edit box"},
        {{std::string(40, 'A')}, std::string(29, 'A') + ";", ""},
    };
    for (const auto& c : wizard) {
        const WizardResult result = ComposeWizardFilter(c.fields);
        EXPECT_EQ(result.Text, c.text);
        EXPECT_EQ(result.Error, c.error);
        EXPECT_EQ(result.Ok, !*c.error);
    }
}

} // namespace
} // namespace tl
