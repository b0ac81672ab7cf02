#include "skin/SkinTestSupport.h"
#include "skin/archive/FileThemeMgr.h"

#include <gtest/gtest.h>

using namespace skintest;

namespace {

class FileThemeMgrTest : public testing::Test {
protected:
    TTempFolder temp;
    TFakeSystemServices services{temp.Path() + "/"};
    TsuiFileThemeMgr manager{services};
};

} // namespace

TEST_F(FileThemeMgrTest, WithoutASkinEveryLookupGivesItsEmptyValue)
{
    EXPECT_EQ(manager.Reader(), nullptr);
    EXPECT_EQ(manager.GetColor(SKIN2_FORMCOLOR), 0);
    EXPECT_EQ(manager.GetInteger(SKIN2_TITLEBARICONPOSX), 0);
    EXPECT_EQ(manager.GetBitmap(SKIN2_BUTTON), nullptr);
    EXPECT_FALSE(manager.GetFlag(SKIN2_TITLEFIVESECT));
}

TEST_F(FileThemeMgrTest, LoadedSkinAnswersByKeyAndLacksOthers)
{
    ASSERT_TRUE(manager.LoadFromFile(Fixture("plain.ssk"), ""));
    EXPECT_EQ(manager.GetColor(SKIN2_FORMCOLOR), 0x515151);
    EXPECT_TRUE(manager.GetFlag(SKIN2_TITLEFIVESECT));
    ASSERT_NE(manager.GetBitmap(SKIN2_BUTTON), nullptr);
    EXPECT_EQ(manager.GetBitmap(SKIN2_BUTTON)->Height(), 2);
    // Present in no record of the skin.
    EXPECT_EQ(manager.GetColor(SKIN2_TRANSCOLOR), -1);
    EXPECT_EQ(manager.GetInteger(SKIN2_TITLEBARICONPOSX), -1);
    EXPECT_FALSE(manager.GetFlag(SKIN2_BUTTONTRANS));
    EXPECT_EQ(manager.GetBitmap(SKIN2_TITLEBAR1), nullptr);
}

TEST_F(FileThemeMgrTest, KeysWrapAtOneHundredTwentyEight)
{
    ASSERT_TRUE(manager.LoadFromFile(Fixture("plain.ssk"), ""));
    EXPECT_EQ(manager.GetColor(static_cast<TsuiSkinColorKey>(128 + SKIN2_FORMCOLOR)), 0x515151);
    EXPECT_EQ(manager.GetBitmap(static_cast<TsuiSkinBitmapKey>(256 + SKIN2_BUTTON)), manager.GetBitmap(SKIN2_BUTTON));
    // Past a table's end there is no name, so nothing is found.
    EXPECT_EQ(manager.GetColor(static_cast<TsuiSkinColorKey>(100)), -1);
    EXPECT_EQ(manager.GetBitmap(static_cast<TsuiSkinBitmapKey>(-1)), nullptr);
    EXPECT_EQ(SkinKeyName(SKIN2_SCROLLBUTTON), std::string("SKIN2_SCROLLBUTTON"));
    EXPECT_EQ(SkinKeyName(static_cast<TsuiSkinFlagKey>(kSkinFlagKeyCount)), nullptr);
}

TEST_F(FileThemeMgrTest, MissingFileKeepsTheCurrentSkin)
{
    ASSERT_TRUE(manager.LoadFromFile(Fixture("plain.ssk"), ""));
    Tsk2SkinFileReader* before = manager.Reader();
    EXPECT_FALSE(manager.LoadFromFile(temp.File("nowhere.ssk"), ""));
    EXPECT_EQ(manager.Reader(), before);
}

TEST_F(FileThemeMgrTest, UnreadableSkinDropsTheCurrentOneWithoutRaising)
{
    for (const char* broken : {"comment.ssk", "encrypted.ssk"}) {
        SCOPED_TRACE(broken);
        ASSERT_TRUE(manager.LoadFromFile(Fixture("plain.ssk"), ""));
        EXPECT_FALSE(manager.LoadFromFile(Fixture(broken), ""));
        EXPECT_EQ(manager.Reader(), nullptr);
        EXPECT_EQ(manager.GetColor(SKIN2_FORMCOLOR), 0);
    }
    EXPECT_TRUE(manager.LoadFromFile(Fixture("encrypted.ssk"), "secret"));
    EXPECT_EQ(temp.Count(), 0u);
}
