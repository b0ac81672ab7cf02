// The built-in file theme: skin bytes stored in a layout, loaded through a temporary file that
// never collides with another and never stays behind.
#include "skin/ThemeTestSupport.h"
#include "skin/themes/BuiltInFileTheme.h"
#include "skin/themes/ThemeManager.h"
#include "toolkit/layout/LayoutReader.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace themetest;
using skintest::Fixture;
using skintest::ReadFile;

namespace {

// Services whose GUIDs can be held at one value, to make names meet on purpose.
class TFixedGuidServices : public TThemeServices {
public:
    using TThemeServices::TThemeServices;
    std::string fixed;
    int guidsAsked = 0;
    std::string NewGuid() override
    {
        ++guidsAsked;
        return fixed.empty() ? TThemeServices::NewGuid() : fixed;
    }
};

// A skinned control whose FileTheme refuses to be cleared.
class TsuiRefusing : public TsuiThemeOnly {
public:
    explicit TsuiRefusing(TComponent* owner) : TsuiThemeOnly(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TsuiRefusing", &TsuiThemeOnly::StaticClassInfo(), nullptr, [](TClassInfo& c) {
            TPublisher<TsuiRefusing>(c).Component<TsuiFileTheme>("FileTheme", &TsuiRefusing::FileTheme,
                                                                 &TsuiRefusing::Refuse);
        });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void Refuse(TsuiFileTheme* value)
    {
        if (!value)
            throw EPropertyError("refused");
        SetFileTheme(value);
    }
};

class BuiltInFileThemeTest : public testing::Test {
protected:
    void SetUp() override
    {
        EventLog().clear();
        std::filesystem::create_directories(Utf8Path(temp.File("tmp")));
    }

    std::string TempFolder() const { return temp.File("tmp") + "/"; }
    size_t FilesInTempFolder() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(Utf8Path(temp.File("tmp"))), {}));
    }

    skintest::TTempFolder temp;
    TFixedGuidServices services{temp.File("tmp") + "/"};
    const std::string skin = ReadFile(Fixture("plain.ssk"));
};

TEST_F(BuiltInFileThemeTest, StoredBytesLoadThroughATemporaryFileThatIsDeleted)
{
    TsuiBuiltInFileTheme theme(nullptr, services);
    const std::string expected = TempFolder() + services.NextGuid() + ".ssk";
    theme.ReadSkinData(skin);
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0x515151);
    // The inherited ThemeFile names the temporary copy, which is gone; the own one is untouched.
    EXPECT_EQ(static_cast<const TsuiFileTheme&>(theme).ThemeFile(), expected);
    EXPECT_EQ(theme.ThemeFile(), "");
    EXPECT_NE(std::find(services.removed.begin(), services.removed.end(), expected), services.removed.end());
    EXPECT_EQ(FilesInTempFolder(), 0u);
}

TEST_F(BuiltInFileThemeTest, ATakenNameGetsTheFirstFreeNumberBeforeTheExtension)
{
    services.fixed = "{11111111-2222-3333-4444-555555555555}";
    const std::string stem = TempFolder() + services.fixed;
    skintest::WriteFile(stem + ".ssk", "someone else's");
    skintest::WriteFile(stem + "1.ssk", "someone else's too");

    TsuiBuiltInFileTheme theme(nullptr, services);
    theme.ReadSkinData(skin);
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(static_cast<const TsuiFileTheme&>(theme).ThemeFile(), stem + "2.ssk");
    EXPECT_EQ(ReadFile(stem + ".ssk"), "someone else's");
    EXPECT_EQ(ReadFile(stem + "1.ssk"), "someone else's too");
    EXPECT_EQ(FilesInTempFolder(), 2u);
}

TEST_F(BuiltInFileThemeTest, TwoReadsInARowUseTwoNamesAndLeaveNothing)
{
    TsuiBuiltInFileTheme first(nullptr, services), second(nullptr, services);
    first.ReadSkinData(skin);
    second.ReadSkinData(ReadFile(Fixture("lower.ssk")));
    EXPECT_TRUE(first.Ready());
    EXPECT_TRUE(second.Ready());
    EXPECT_NE(static_cast<const TsuiFileTheme&>(first).ThemeFile(), static_cast<const TsuiFileTheme&>(second).ThemeFile());
    EXPECT_EQ(FilesInTempFolder(), 0u);
}

TEST_F(BuiltInFileThemeTest, ANameThatCannotBeWrittenIsTriedAgainUnderANewGuid)
{
    // A folder where the first copy would go: not a file, so the name looks free, yet it cannot
    // be created.
    const std::string blocked = TempFolder() + services.NextGuid() + ".ssk";
    std::filesystem::create_directories(Utf8Path(blocked));
    TsuiBuiltInFileTheme theme(nullptr, services);
    theme.ReadSkinData(skin);
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(static_cast<const TsuiFileTheme&>(theme).ThemeFile(),
              TempFolder() + "{00000000-0000-0000-0000-000000000002}.ssk");
    EXPECT_TRUE(std::filesystem::is_directory(Utf8Path(blocked)));
    EXPECT_EQ(FilesInTempFolder(), 1u);
}

TEST_F(BuiltInFileThemeTest, ATemporaryFolderThatCannotBeWrittenGivesUpAfterABoundedNumberOfTries)
{
    TFixedGuidServices nowhere(temp.File("no-such-folder") + "/");
    TsuiBuiltInFileTheme theme(nullptr, nowhere);
    EXPECT_NO_THROW(theme.ReadSkinData(skin));
    EXPECT_EQ(nowhere.guidsAsked, TsuiBuiltInFileTheme::kMaxSaveAttempts);
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(static_cast<const TsuiFileTheme&>(theme).ThemeFile(), "");
    EXPECT_FALSE(std::filesystem::exists(Utf8Path(temp.File("no-such-folder"))));
}

TEST_F(BuiltInFileThemeTest, BytesThatAreNoSkinLeaveTheThemeNotReadyAndNoFileBehind)
{
    TsuiBuiltInFileTheme theme(nullptr, services);
    theme.ReadSkinData(skin);
    ASSERT_TRUE(theme.Ready());
    theme.ReadSkinData("not a skin archive");
    EXPECT_FALSE(theme.Ready());
    theme.ReadSkinData("");
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(FilesInTempFolder(), 0u);
}

TEST_F(BuiltInFileThemeTest, ALaterPasswordFindsNoTemporaryCopyAndChangesNothing)
{
    TsuiBuiltInFileTheme theme(nullptr, services);
    theme.ReadSkinData(skin);
    ASSERT_TRUE(theme.Ready());
    const std::string loaded = static_cast<const TsuiFileTheme&>(theme).ThemeFile();
    theme.SetPassword("secret");
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(static_cast<const TsuiFileTheme&>(theme).ThemeFile(), loaded);
    EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0x515151);
}

TEST_F(BuiltInFileThemeTest, TheTemporaryCopyGoesEvenWhenReSkinningTheFormFails)
{
    TForm form(nullptr);
    auto* theme = new TsuiBuiltInFileTheme(&form, services);
    theme->SetName("Skin");
    auto* control = new TsuiRefusing(&form);
    control->SetFileTheme(theme);
    EXPECT_THROW(theme->ReadSkinData(skin), EPropertyError);
    EXPECT_EQ(control->FileTheme(), theme);
    EXPECT_EQ(FilesInTempFolder(), 0u);
}

TEST_F(BuiltInFileThemeTest, ItsThemeFileIsTheDesignPathWhoseBytesALayoutStores)
{
    TsuiBuiltInFileTheme theme(nullptr, services);
    theme.SetThemeFile("D:\\design\\builtin.ssk");
    EXPECT_EQ(theme.ThemeFile(), "D:\\design\\builtin.ssk");
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(theme.SkinData(), "");

    theme.SetThemeFile(Fixture("plain.ssk"));
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.SkinData(), skin);
    EXPECT_EQ(GetPropValue(theme, "SkinData").AsBinary(), skin);
    EXPECT_EQ(GetStrProp(theme, "ThemeFile"), Fixture("plain.ssk"));
}

// The order a layout gives: the design path (found nowhere), the stored Ready (ignored), the
// bytes (loaded).
TEST_F(BuiltInFileThemeTest, ALayoutLoadsTheStoredBytesAndKeepsTheDesignPath)
{
    TInstalledServices installed(services);
    RegisterThemeClasses();
    TMemoryResourceLocator resources;
    resources.Add("skin.ssk", skin);
    TForm form(nullptr);
    ReadLayout(form,
               "object Form: TForm\n"
               "  object suiBuiltInFileTheme: TsuiBuiltInFileTheme\n"
               "    ThemeFile = 'D:\\Merrowin\\skin\\builtin.ssk'\n"
               "    Ready = False\n"
               "    SkinData = {skin.ssk}\n"
               "  end\n"
               "end\n",
               &resources);
    auto* theme = form.Find<TsuiBuiltInFileTheme>("suiBuiltInFileTheme");
    ASSERT_NE(theme, nullptr);
    EXPECT_TRUE(theme->Ready());
    EXPECT_EQ(theme->ThemeFile(), "D:\\Merrowin\\skin\\builtin.ssk");
    EXPECT_EQ(FilesInTempFolder(), 0u);
}

#ifdef MERROWIN_BUILTIN_SKIN
TEST_F(BuiltInFileThemeTest, TheWizardsBuiltInSkinLoads)
{
    TsuiBuiltInFileTheme theme(nullptr, services);
    theme.ReadSkinData(ReadFile(MERROWIN_BUILTIN_SKIN));
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0x515151);
    EXPECT_EQ(FilesInTempFolder(), 0u);
}
#endif

} // namespace
