#include "platform/sdl/ShapeMask.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

int Count(const std::vector<uint8_t>& mask) { return std::accumulate(mask.begin(), mask.end(), 0); }

}  // namespace

TEST(ShapeMask, NoRectanglesIsTheWholeWindow)
{
    std::vector<uint8_t> mask = ShapeMask({}, 5, 3);
    ASSERT_EQ(mask.size(), 15u);
    EXPECT_EQ(Count(mask), 15);
}

TEST(ShapeMask, AWindowWithoutPixelsHasNoMask)
{
    EXPECT_TRUE(ShapeMask({}, 0, 10).empty());
    EXPECT_TRUE(ShapeMask({{0, 0, 4, 4}}, 10, -1).empty());
}

TEST(ShapeMask, MarksExactlyThePixelsOfTheRectangles)
{
    // Two rows of a 4 x 3 window: (1..2, 0) and (0..3, 2).
    std::vector<uint8_t> mask = ShapeMask({{1, 0, 3, 1}, {0, 2, 4, 3}}, 4, 3);
    const std::vector<uint8_t> expected = {0, 1, 1, 0,  //
                                           0, 0, 0, 0,  //
                                           1, 1, 1, 1};
    EXPECT_EQ(mask, expected);
}

TEST(ShapeMask, ClipsToTheWindowAndSkipsRectanglesOutsideIt)
{
    std::vector<uint8_t> mask = ShapeMask({{-5, -5, 2, 2}, {3, 1, 100, 2}, {10, 10, 20, 20}, {-9, 0, -1, 3}}, 4, 3);
    const std::vector<uint8_t> expected = {1, 1, 0, 0,  //
                                           1, 1, 0, 1,  //
                                           0, 0, 0, 0};
    EXPECT_EQ(mask, expected);
}

TEST(ShapeMask, OverlapsCountOnceAndInvertedRectanglesAreEmpty)
{
    std::vector<uint8_t> mask = ShapeMask({{0, 0, 3, 3}, {1, 1, 4, 4}, {3, 0, 1, 4}, {0, 3, 4, 1}}, 4, 4);
    EXPECT_EQ(Count(mask), 9 + 9 - 4);
    EXPECT_EQ(mask[0 * 4 + 3], 0);
    EXPECT_EQ(mask[3 * 4 + 0], 0);
}

TEST(ShapeMask, AStaircaseCornerCut)
{
    // A 20 x 20 window without a 16-row staircase triangle at the bottom-left, as the desktop
    // probe cuts it: the rectangles of what is left, one per row at the bottom.
    std::vector<HostRect> rects = {{0, 0, 20, 4}};
    for (int i = 0; i < 16; ++i)
        rects.push_back({16 - i, 19 - i, 20, 20 - i});
    std::vector<uint8_t> mask = ShapeMask(rects, 20, 20);
    EXPECT_EQ(Count(mask), 400 - (16 * 17) / 2);
    EXPECT_EQ(mask[19 * 20 + 15], 0);
    EXPECT_EQ(mask[19 * 20 + 16], 1);
    EXPECT_EQ(mask[4 * 20 + 0], 0);
    EXPECT_EQ(mask[4 * 20 + 1], 1);
}
