#include "platform/sdl/DesktopScale.h"

#include <gtest/gtest.h>

TEST(DesktopScale, XftDpiIsTheLastWellFormedLineOfThatName)
{
    EXPECT_EQ(XftDpi(""), 0);
    EXPECT_EQ(XftDpi("Xft.dpi:\t192\n"), 192);
    EXPECT_EQ(XftDpi("Xft.antialias:\t1\nXft.dpi: 144.4\r\nXcursor.size:\t48\n"), 144);
    EXPECT_EQ(XftDpi("Xft.dpi:\t96\nXft.dpi:\t192"), 192);
    EXPECT_EQ(XftDpi("Xft.dpi:\tlarge\n"), 0);
    EXPECT_EQ(XftDpi("Xft.dpi:\t-192\n"), 0);
    EXPECT_EQ(XftDpi("Xft.dpi:\n"), 0);
    EXPECT_EQ(XftDpi("Xft.dpix:\t192\nMyXft.dpi:\t192\n"), 0);
}

TEST(DesktopScale, GdkScaleFirstThenXftDpiThenOne)
{
    EXPECT_EQ(DesktopScale(nullptr, ""), 1);
    EXPECT_EQ(DesktopScale(nullptr, "Xft.dpi:\t120\n"), 1);
    EXPECT_EQ(DesktopScale(nullptr, "Xft.dpi:\t144\n"), 2);
    EXPECT_EQ(DesktopScale(nullptr, "Xft.dpi:\t192\n"), 2);
    EXPECT_EQ(DesktopScale("2", "Xft.dpi:\t96\n"), 2);
    EXPECT_EQ(DesktopScale("1", "Xft.dpi:\t192\n"), 1);
    EXPECT_EQ(DesktopScale("3", ""), 2);
    // Not a whole number from 1 up: as if unset.
    EXPECT_EQ(DesktopScale("", "Xft.dpi:\t192\n"), 2);
    EXPECT_EQ(DesktopScale("1.5", "Xft.dpi:\t192\n"), 2);
    EXPECT_EQ(DesktopScale("0", ""), 1);
    EXPECT_EQ(DesktopScale("two", ""), 1);
}
