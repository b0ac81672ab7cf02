#include "platform/sdl/DisplayChoice.h"

#include <gtest/gtest.h>

namespace {

// Two screens side by side, the second one smaller and lower.
const std::vector<HostRect> kScreens = {{0, 0, 1920, 1080}, {1920, 200, 3200, 1224}};

}  // namespace

TEST(DisplayChoice, NoDisplaysNoChoice) { EXPECT_EQ(DisplayForWindow({}, {0, 0, 100, 100}), -1); }

TEST(DisplayChoice, TheDisplayHoldingMostOfTheWindow)
{
    EXPECT_EQ(DisplayForWindow(kScreens, {100, 100, 600, 500}), 0);
    EXPECT_EQ(DisplayForWindow(kScreens, {1800, 300, 2300, 700}), 1);  // 120 px on the first, 380 on the second
    EXPECT_EQ(DisplayForWindow(kScreens, {1700, 300, 2100, 700}), 0);  // 220 px on the first, 180 on the second
}

TEST(DisplayChoice, AWindowOffScreenGoesToTheNearestDisplay)
{
    EXPECT_EQ(DisplayForWindow(kScreens, {4000, 500, 4400, 800}), 1);
    EXPECT_EQ(DisplayForWindow(kScreens, {-900, 500, -100, 800}), 0);
    // Above the second screen's top but beside neither: the second is 50 px away, the first 130.
    EXPECT_EQ(DisplayForWindow(kScreens, {2050, -50, 2450, 150}), 1);
    // Higher up, the first screen's corner (130, 200 away) is nearer than the second's top (400).
    EXPECT_EQ(DisplayForWindow(kScreens, {2050, -400, 2450, -200}), 0);
    EXPECT_EQ(DisplayForWindow(kScreens, {1990, 1100, 2000, 1150}), 1);
    EXPECT_EQ(DisplayForWindow(kScreens, {1800, 1100, 1900, 1150}), 0);
}

TEST(DisplayChoice, AnEmptyWindowRectangleIsAPoint)
{
    EXPECT_EQ(DisplayForWindow(kScreens, {2500, 600, 2500, 600}), 1);
    EXPECT_EQ(DisplayForWindow(kScreens, {500, 600, 400, 500}), 0);
}
