#include "data/CharCodes.h"
#include "data/IntArray.h"
#include "data/PickFromList.h"
#include "data/Random.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

std::vector<int> PickInTurn(const std::string& list, int& index, int n)
{
    std::vector<int> out;
    for (int i = 0; i < n; ++i)
        out.push_back(PickFromList(list, 0, index));
    return out;
}

} // namespace

TEST(IntArray, AddGetDeleteAndBounds)
{
    TIntArray a;
    a.Add(3);
    a.Add(-7);
    a.Add(9);
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(a[1], -7);
    a.Delete(0);
    EXPECT_EQ(a.Get(0), -7);
    EXPECT_EQ(a.Get(1), 9);
    EXPECT_THROW(a.Get(2), std::out_of_range);
    EXPECT_THROW(a.Get(-1), std::out_of_range);
    EXPECT_THROW(a.Delete(5), std::out_of_range);
    a.Clear();
    EXPECT_EQ(a.Count(), 0);
}

TEST(PickFromList, InTurnWrapsAndIgnoresTextAfterLastSemicolon)
{
    int index = -1;
    EXPECT_EQ(PickInTurn("3;5;", index, 5), (std::vector<int>{3, 5, 3, 5, 3}));
    EXPECT_EQ(index, 0);

    index = -1;
    EXPECT_EQ(PickInTurn("3;5", index, 3), (std::vector<int>{3, 3, 3}));

    index = 7;
    EXPECT_EQ(PickFromList("4;9;", 0, index), 4);
    EXPECT_EQ(index, 0);
}

TEST(PickFromList, NoNumbersGivesMinusOneAndKeepsIndex)
{
    for (const char* list : {"", ";;", "abc", ";x;"}) {
        int index = 5;
        EXPECT_EQ(PickFromList(list, 0, index), -1) << list;
        EXPECT_EQ(index, 5) << list;
        EXPECT_EQ(PickFromList(list, 1, index), -1) << list;
        EXPECT_EQ(index, 5) << list;
    }
}

// Lists come from the registry and the project: a bad token is skipped like an empty one.
TEST(PickFromList, SkipsTokensThatAreNotNumbers)
{
    int index = -1;
    EXPECT_EQ(PickInTurn("7;x;;12;99999999999;-3;", index, 4), (std::vector<int>{7, 12, -3, 7}));
    index = -1;
    EXPECT_EQ(PickInTurn(" 8;1 2;+4;", index, 3), (std::vector<int>{8, 4, 8}));
}

TEST(PickFromList, AtRandomDrawsTheIndexFromTheGenerator)
{
    const std::string list = "10;20;30;40;";
    rtl::srand(4242);
    std::vector<int> expected;
    for (int i = 0; i < 20; ++i)
        expected.push_back((rtl::rand() % 4 + 1) * 10);
    rtl::srand(4242);
    int index = -1;
    for (const int want : expected) {
        EXPECT_EQ(PickFromList(list, 1, index), want);
        EXPECT_EQ(index, want / 10 - 1);
    }
}

TEST(SmallHelpers, CharCodesAndMaskColor)
{
    EXPECT_EQ(CharCodesString("abc"), "979899");
    EXPECT_EQ(CharCodesString(std::string("a\xE9") + '\0'), "97-230");
    EXPECT_EQ(CharCodesString(""), "");
    EXPECT_EQ(MaskColor(0xFF00000Fu), 0x00000Fu);
    EXPECT_EQ(MaskColor(0x12345678u), 0x345678u);
}
