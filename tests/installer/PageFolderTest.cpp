#include "installer/run/PageFolder.h"
#include "toolkit/FakeSystemServices.h"

#include <gtest/gtest.h>

namespace {

const std::string kTarget = "C:\\Users\\Ann\\Documents\\我的 Flash 墙纸\\春日\\";
const std::string kShortTarget = "C:\\Users\\Ann\\Documents\\FLASH~1\\8C1E~1\\";
const std::string kEncodedTarget =
    "C:/Users/Ann/Documents/%E6%88%91%E7%9A%84%20Flash%20%E5%A2%99%E7%BA%B8/%E6%98%A5%E6%97%A5/";

} // namespace

TEST(PageFolder, AFolderTheCodePageHoldsIsSpelledAsItIs)
{
    FakeSystemServices services;
    services.shortNames[kTarget.substr(0, kTarget.size() - 1)] = "C:\\Users\\Ann\\Documents\\FLASH~1\\8C1E~1";
    EXPECT_EQ(PageFolder(services, kTarget), kTarget);
    services.shellHoldsAll = false;
    EXPECT_EQ(PageFolder(services, "C:\\Docs\\Spring day\\"), "C:\\Docs\\Spring day\\");
}

TEST(PageFolder, OtherwiseByItsShortNameWithItsFinalSeparator)
{
    FakeSystemServices services;
    services.shellHoldsAll = false;
    services.shortNames[kTarget.substr(0, kTarget.size() - 1)] = kShortTarget.substr(0, kShortTarget.size() - 1);
    EXPECT_EQ(PageFolder(services, kTarget), kShortTarget);
    services.shortNames[kTarget.substr(0, kTarget.size() - 1)] = kShortTarget; // some systems keep it
    EXPECT_EQ(PageFolder(services, kTarget), kShortTarget);
}

TEST(PageFolder, WithoutAShortNameTheCodePageHoldsByAUtf8Address)
{
    FakeSystemServices services;
    services.shellHoldsAll = false;
    EXPECT_EQ(PageFolder(services, kTarget), kEncodedTarget) << "no short name at all";
    services.shortNames[kTarget.substr(0, kTarget.size() - 1)] = kTarget.substr(0, kTarget.size() - 1);
    EXPECT_EQ(PageFolder(services, kTarget), kEncodedTarget) << "short names switched off: the long name again";
    services.shortNames[kTarget.substr(0, kTarget.size() - 1)] = "C:\\Users\\Ann\\Documents\\墙纸~1\\8C1E~1";
    EXPECT_EQ(PageFolder(services, kTarget), kEncodedTarget) << "a short name the code page lacks too";
}

TEST(PercentEncodedFolder, KeepsUnreservedAsciiAndEncodesEveryOtherByte)
{
    EXPECT_EQ(PercentEncodedFolder("C:\\a-b.c_d~e\\", '\\'), "C:/a-b.c_d~e/");
    EXPECT_EQ(PercentEncodedFolder("C:\\100% #1 {x}\\", '\\'), "C:/100%25%20%231%20%7Bx%7D/");
    EXPECT_EQ(PercentEncodedFolder("/home/é/", '/'), "/home/%C3%A9/");
}
