#include "platform/PixelScale.h"

#include <gtest/gtest.h>

TEST(PixelScale, TwiceFromOneHundredAndFiftyPercent)
{
    EXPECT_EQ(ScaleForDpi(96), 1);
    EXPECT_EQ(ScaleForDpi(120), 1);
    EXPECT_EQ(ScaleForDpi(143), 1);
    EXPECT_EQ(ScaleForDpi(144), 2);
    EXPECT_EQ(ScaleForDpi(192), 2);
    EXPECT_EQ(ScaleForDpi(288), 2);
}

TEST(PixelScale, ScreenPixelsRoundDownOnBothSidesOfZero)
{
    EXPECT_EQ(Unscale(7, 1), 7);
    EXPECT_EQ(Unscale(-7, 1), -7);
    EXPECT_EQ(Unscale(0, 2), 0);
    EXPECT_EQ(Unscale(1, 2), 0);
    EXPECT_EQ(Unscale(5, 2), 2);
    // Just left of a window at 0 is outside it, not on its first column.
    EXPECT_EQ(Unscale(-1, 2), -1);
    EXPECT_EQ(Unscale(-2, 2), -1);
    EXPECT_EQ(Unscale(-3, 2), -2);
    EXPECT_EQ(UnscaleRect({-3, 1, 1919, 1080}, 2), (HostRect{-2, 0, 959, 540}));
    EXPECT_EQ(ScaleRect({-2, 0, 959, 540}, 2), (HostRect{-4, 0, 1918, 1080}));
    EXPECT_EQ(ScaleRects({{1, 2, 3, 4}, {0, 0, 1, 1}}, 2), (std::vector<HostRect>{{2, 4, 6, 8}, {0, 0, 2, 2}}));
}

TEST(PixelScale, EachPixelBecomesASquare)
{
    const uint32_t picture[] = {1, 2, 3, 4, 5, 6};  // 3 x 2
    const std::vector<uint32_t> doubled = ScaledPicture(picture, 3, 2, 2);
    const std::vector<uint32_t> expected = {1, 1, 2, 2, 3, 3,  //
                                            1, 1, 2, 2, 3, 3,  //
                                            4, 4, 5, 5, 6, 6,  //
                                            4, 4, 5, 5, 6, 6};
    EXPECT_EQ(doubled, expected);
    EXPECT_EQ(ScaledPicture(picture, 3, 2, 1), std::vector<uint32_t>(picture, picture + 6));
    EXPECT_TRUE(ScaledPicture(nullptr, 3, 2, 2).empty());
    EXPECT_TRUE(ScaledPicture(picture, 0, 2, 2).empty());
}

TEST(PixelScale, OnlyTheChangedPartIsWrittenAndItIsClippedToThePicture)
{
    const uint32_t picture[] = {1, 2, 3, 4, 5, 6};  // 3 x 2
    // A target with a wider row than the picture needs, to catch a wrong stride.
    constexpr size_t stride = 8;
    std::vector<uint32_t> target(stride * 4, 0);
    const HostRect written = ScalePixels(picture, 3, 2, {2, 1, 9, 9}, 2, target.data(), stride);
    EXPECT_EQ(written, (HostRect{4, 2, 6, 4}));
    for (size_t y = 0; y < 4; ++y)
        for (size_t x = 0; x < stride; ++x)
            EXPECT_EQ(target[y * stride + x], (y >= 2 && x >= 4 && x < 6) ? 6u : 0u) << x << "," << y;
    EXPECT_EQ(ScalePixels(picture, 3, 2, {3, 0, 5, 2}, 2, target.data(), stride), HostRect{});
    EXPECT_EQ(ScalePixels(picture, 3, 2, {-4, -4, 0, 5}, 2, target.data(), stride), HostRect{});
}
