#include "rules/history.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

TEST(HistoryTest, KeepsTwoHundredAndOneNewestFirst)
{
    THistory history;
    for (int i = 0; i < 205; ++i)
        AddTransaction(history, i, 1000 + i, i % 31, 1);
    ASSERT_EQ(history.size(), 201u);
    EXPECT_EQ(history.front().Crew, 204);
    EXPECT_EQ(history.back().Crew, 4);
}

TEST(HistoryTest, SerializedTextHasFixedWidthRecordsAndReadsBack)
{
    THistory history;
    AddTransaction(history, 12, 345, 6, 1);
    AddTransaction(history, 999, 3000, 61, 0);
    std::string text = SerializeHistory(history);
    EXPECT_EQ(text, "0002"
                    "00006109993000"
                    "01000600120345");
    THistory back;
    ParseHistory(back, text);
    EXPECT_EQ(back, history);
}

TEST(HistoryTest, DamagedTextIsReadAsFarAsItIsWholeAndNoFurther)
{
    const struct {
        std::string text;
        size_t kept;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"0003" "01000600120345", 1}, // count larger than the text
        {"0002" "01000600120345" "0100", 1},
        {"0001" "01AB0600120345", 0},
        {"9999" "01000600120345", 1},
        {"-001" "01000600120345", 0},
    };
    for (const auto& c : cases) {
        THistory history{TAction{1, 1, 1, 1}};
        ParseHistory(history, c.text);
        EXPECT_EQ(history.size(), c.kept) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace tl
