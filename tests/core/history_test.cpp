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

struct DamagedCase {
    const char* name;
    std::string text;
    size_t kept;
};

class DamagedHistoryTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedHistoryTest, ReadsWhatIsWholeAndNoFurther)
{
    THistory history{TAction{1, 1, 1, 1}};
    ParseHistory(history, GetParam().text);
    EXPECT_EQ(history.size(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DamagedHistoryTest,
    ::testing::Values(DamagedCase{"empty", "", 0}, DamagedCase{"single_char", "0", 0},
                      DamagedCase{"count_larger_than_text", "0003" "01000600120345", 1},
                      DamagedCase{"cut_record", "0002" "01000600120345" "0100", 1},
                      DamagedCase{"letters", "0001" "01AB0600120345", 0},
                      DamagedCase{"huge_count", "9999" "01000600120345", 1},
                      DamagedCase{"negative_count", "-001" "01000600120345", 0}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace tl
