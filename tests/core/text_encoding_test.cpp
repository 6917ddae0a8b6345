#include "model/text_encoding.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

TEST(TextEncodingTest, HighBytesBecomeTheirCodePageCharacters)
{
    EXPECT_EQ(Cp1252ToUtf8("MONTR\xC9" "AL"), "MONTRÉAL");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ(Cp1252ToUtf8("\x93quoted\x94"), "“quoted”");
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81"); // undefined byte keeps its value
    EXPECT_EQ(Cp1252ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextEncodingTest, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(TextEncodingTest, UnmappableAndMalformedInputBecomesQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("日"), "?");
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");         // cut short at the end
    EXPECT_EQ(Utf8ToCp1252("\xC3" "A"), "?A");     // continuation byte missing
    EXPECT_EQ(Utf8ToCp1252("\xFF" "B"), "?B");
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
}

} // namespace
} // namespace tl
