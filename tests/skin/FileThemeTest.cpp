// File themes: where a skin file is looked for, when it is loaded again, how the owner form's
// skinned controls are re-skinned and when the window frame is refreshed.
#include "skin/ThemeTestSupport.h"
#include "skin/themes/ThemeManager.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/messages/Messages.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace themetest;
using skintest::Fixture;

namespace {

class FileThemeTest : public testing::Test {
protected:
    void SetUp() override
    {
        EventLog().clear();
        for (const char* folder : {"program", "windows", "system", "elsewhere"})
            std::filesystem::create_directories(Utf8Path(temp.File(folder)));
        services.executable = temp.File("program/setup.exe");
        services.windowsFolder = temp.File("windows");
        services.systemFolder = temp.File("system");
    }

    // Puts a copy of a fixture into one of the test's folders and returns its path.
    std::string Place(const std::string& fixture, const std::string& folder, const std::string& name)
    {
        const std::string path = temp.File(folder + "/" + name);
        std::filesystem::copy_file(Utf8Path(Fixture(fixture)), Utf8Path(path),
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    TsuiFileTheme* Theme(TComponent* owner, const std::string& name = "Skin")
    {
        auto* theme = new TsuiFileTheme(owner, services);
        theme->SetName(name);
        return theme;
    }

    template <class T> T* Control(TComponent* owner, const std::string& name, TsuiFileTheme* theme)
    {
        auto* control = new T(owner);
        control->SetName(name);
        control->SetFileTheme(theme);
        return control;
    }

    skintest::TTempFolder temp;
    TThemeServices services{temp.Path() + "/"};
};

// --- Finding the file ------------------------------------------------------------------------

TEST_F(FileThemeTest, ABareNameInTheProgramsFolderLoadsWithItsFullPath)
{
    const std::string placed = Place("plain.ssk", "program", "merrowin-test-skin.ssk");
    TsuiFileTheme theme(nullptr, services);
    theme.SetThemeFile("merrowin-test-skin.ssk");
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), placed);
}

TEST_F(FileThemeTest, ADesignTimeWindowsPathIsFoundByItsFileName)
{
    const std::string placed = Place("plain.ssk", "program", "skin.ssk");
    TsuiFileTheme theme(nullptr, services);
    theme.SetThemeFile("D:\\design\\skins\\skin.ssk");
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), placed);
}

TEST_F(FileThemeTest, LooksAtThePathThenTheProgramWindowsAndSystemFolders)
{
    TsuiFileTheme theme(nullptr, services);
    const std::string wanted = temp.File("elsewhere/skin.ssk");
    theme.SetThemeFile(wanted);
    EXPECT_EQ(services.existsAsked, (std::vector<std::string>{wanted, temp.File("program/skin.ssk"),
                                                              temp.File("windows/skin.ssk"), temp.File("system/skin.ssk")}));
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), "");

    // The first place that has the file wins.
    const std::string inSystem = Place("plain.ssk", "system", "skin.ssk");
    theme.SetThemeFile(wanted);
    EXPECT_EQ(theme.ThemeFile(), inSystem);
    const std::string inWindows = Place("plain.ssk", "windows", "skin.ssk");
    theme.SetThemeFile(wanted);
    EXPECT_EQ(theme.ThemeFile(), inWindows);
    const std::string inProgram = Place("plain.ssk", "program", "skin.ssk");
    theme.SetThemeFile(wanted);
    EXPECT_EQ(theme.ThemeFile(), inProgram);
    const std::string itself = Place("plain.ssk", "elsewhere", "skin.ssk");
    theme.SetThemeFile(wanted);
    EXPECT_EQ(theme.ThemeFile(), itself);
}

TEST_F(FileThemeTest, FoldersTheSystemDoesNotNameAreNotSearched)
{
    services.executable = "setup.exe";  // no folder part
    services.windowsFolder = "";
    services.systemFolder = temp.File("system") + "/";  // already with its separator
    TsuiFileTheme theme(nullptr, services);
    theme.SetThemeFile("skin.ssk");
    EXPECT_EQ(services.existsAsked, (std::vector<std::string>{"skin.ssk", temp.File("system/skin.ssk")}));

    // A path without a file name looks nowhere else.
    services.existsAsked.clear();
    theme.SetThemeFile("D:\\skins\\");
    EXPECT_EQ(services.existsAsked, (std::vector<std::string>{"D:\\skins\\"}));
}

TEST_F(FileThemeTest, APathFoundNowhereLeavesAReadyThemeAsItWas)
{
    TsuiFileTheme theme(nullptr, services);
    theme.SetThemeFile(Fixture("plain.ssk"));
    ASSERT_TRUE(theme.Ready());
    theme.SetThemeFile(temp.File("elsewhere/missing.ssk"));
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), Fixture("plain.ssk"));
    EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0x515151);
}

TEST_F(FileThemeTest, AFileThatDoesNotLoadLeavesTheThemeNotReady)
{
    TsuiFileTheme theme(nullptr, services);
    theme.SetThemeFile(Fixture("plain.ssk"));
    ASSERT_TRUE(theme.Ready());
    theme.SetThemeFile(Fixture("comment.ssk"));
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), Fixture("comment.ssk"));
    EXPECT_EQ(theme.GetBitmap(SKIN2_BUTTON), nullptr);
    EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0);
}

// --- Passwords -------------------------------------------------------------------------------

TEST_F(FileThemeTest, OnlyANonEmptyPasswordReloadsTheCurrentFile)
{
    TsuiFileTheme theme(nullptr, services);
    theme.SetThemeFile(Fixture("encrypted.ssk"));
    EXPECT_FALSE(theme.Ready());

    services.existsAsked.clear();
    theme.SetPassword("");
    EXPECT_TRUE(services.existsAsked.empty());
    EXPECT_FALSE(theme.Ready());

    theme.SetPassword("secret");
    EXPECT_TRUE(theme.Ready());
    EXPECT_EQ(theme.Password(), "secret");

    theme.SetPassword("wrong");
    EXPECT_FALSE(theme.Ready());
}

TEST_F(FileThemeTest, APasswordWithoutAFileLoadsNothing)
{
    TsuiFileTheme theme(nullptr, services);
    theme.SetPassword("secret");
    EXPECT_FALSE(theme.Ready());
    EXPECT_EQ(theme.ThemeFile(), "");
}

// --- Re-skinning the owner form ---------------------------------------------------------------

TEST_F(FileThemeTest, ALoadSetsTheThemeOfEveryTsuiComponentUsingItToNilAndBack)
{
    TRecordingForm form(nullptr);
    TsuiFileTheme* theme = Theme(&form);
    TsuiFileTheme* other = Theme(&form, "Other");
    Control<TsuiFakeControl>(&form, "Uses", theme);
    Control<TsuiFakeControl>(&form, "UsesOther", other);
    Control<TsuiFakeControl>(&form, "UsesNone", nullptr);
    Control<TsuiThemeOnly>(&form, "ThemeOnly", theme);
    EventLog().clear();

    theme->SetThemeFile(Fixture("plain.ssk"));
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"Uses.FileTheme=nil", "Uses.FileTheme=Skin",
                                                    "ThemeOnly.FileTheme=nil", "ThemeOnly.FileTheme=Skin"}));
}

TEST_F(FileThemeTest, ClassNamesThatStartTsuiInAnotherCaseAreNotReSkinned)
{
    TRecordingForm form(nullptr);
    TsuiFileTheme* theme = Theme(&form);
    Control<TUpperCaseDouble>(&form, "Upper", theme);
    Control<TLowerCaseDouble>(&form, "Lower", theme);
    EventLog().clear();
    theme->SetThemeFile(Fixture("plain.ssk"));
    EXPECT_TRUE(theme->Ready());
    EXPECT_TRUE(EventLog().empty());
}

TEST_F(FileThemeTest, AFailedLoadOrAnOwnerThatIsNoFormReSkinsNothing)
{
    TRecordingForm form(nullptr);
    TsuiFileTheme* theme = Theme(&form);
    Control<TsuiFakeControl>(&form, "Uses", theme);
    EventLog().clear();
    theme->SetThemeFile(Fixture("comment.ssk"));
    EXPECT_TRUE(EventLog().empty());

    TComponent owner(nullptr);
    TsuiFileTheme* loose = Theme(&owner);
    Control<TsuiFakeControl>(&owner, "Uses", loose);
    EventLog().clear();
    loose->SetThemeFile(Fixture("plain.ssk"));
    EXPECT_TRUE(loose->Ready());
    EXPECT_TRUE(EventLog().empty());
}

TEST_F(FileThemeTest, OnlyASecondSkinForTheSkinnedFormsThemeRefreshesTheFrame)
{
    constexpr uint32_t kFrameChanged = 0x37;
    static_assert((SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED) == kFrameChanged);
    TRecordingForm form(nullptr);
    TsuiFileTheme* theme = Theme(&form);
    auto* skinnedForm = Control<TsuiFormDouble>(&form, "suiForm", theme);
    skinnedForm->SetParent(&form);

    theme->SetThemeFile(Fixture("plain.ssk"));
    ASSERT_TRUE(theme->Ready());
    EXPECT_TRUE(form.windowPosFlags.empty());

    theme->SetThemeFile(Fixture("lower.ssk"));
    ASSERT_TRUE(theme->Ready());
    EXPECT_EQ(form.windowPosFlags, (std::vector<uint32_t>{kFrameChanged}));

    // Reloading through a password is a second load too.
    theme->SetPassword("any");
    EXPECT_EQ(form.windowPosFlags.size(), 2u);

    // A failed load refreshes nothing.
    theme->SetThemeFile(Fixture("comment.ssk"));
    EXPECT_EQ(form.windowPosFlags.size(), 2u);
}

TEST_F(FileThemeTest, ASecondSkinForAThemeTheSkinnedFormDoesNotUseLeavesTheFrame)
{
    TRecordingForm form(nullptr);
    TsuiFileTheme* theme = Theme(&form);
    TsuiFileTheme* other = Theme(&form, "Other");
    Control<TsuiFormDouble>(&form, "suiForm", other)->SetParent(&form);
    Control<TsuiFakeControl>(&form, "Button", theme);
    theme->SetThemeFile(Fixture("plain.ssk"));
    EventLog().clear();
    theme->SetThemeFile(Fixture("lower.ssk"));
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"Button.FileTheme=nil", "Button.FileTheme=Skin"}));
    EXPECT_TRUE(form.windowPosFlags.empty());
}

// --- Reading the skin ----------------------------------------------------------------------------

TEST_F(FileThemeTest, CopyBitmapGivesTheWholeBitmapOrOneFrameAndEmptyForAMissingKey)
{
    TsuiFileTheme theme(nullptr, services);
    theme.SetThemeFile(Fixture("plain.ssk"));
    ASSERT_TRUE(theme.Ready());
    const TBitmap* button = theme.GetBitmap(SKIN2_BUTTON);
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->Width(), 3);

    TBitmap whole;
    theme.CopyBitmap(SKIN2_BUTTON, &whole, 0, 2);  // a frame needs both numbers
    EXPECT_TRUE(whole == *button);
    TBitmap frame;
    theme.CopyBitmap(SKIN2_BUTTON, &frame, 3, 3);
    ASSERT_EQ(frame.Width(), 1);
    ASSERT_EQ(frame.Height(), 2);
    EXPECT_EQ(frame.Pixel(0, 0), button->Pixel(2, 0));
    EXPECT_EQ(frame.Pixel(0, 1), button->Pixel(2, 1));

    TBitmap missing(4, 4), missingFrame(4, 4);
    theme.CopyBitmap(SKIN2_CHECKBOX, &missing, 0, 0);
    theme.CopyBitmap(SKIN2_CHECKBOX, &missingFrame, 6, 1);
    EXPECT_TRUE(missing.Empty());
    EXPECT_TRUE(missingFrame.Empty());
    theme.CopyBitmap(SKIN2_BUTTON, nullptr, 3, 1);
}

TEST_F(FileThemeTest, LookupsGiveNoneForMissingKeysAndZeroWithoutASkin)
{
    TsuiFileTheme theme(nullptr, services);
    EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0);
    EXPECT_EQ(theme.GetInteger(SKIN2_TITLEBARICONPOSX), 0);
    EXPECT_FALSE(theme.GetFlag(SKIN2_TITLEFIVESECT));
    theme.SetThemeFile(Fixture("plain.ssk"));
    EXPECT_EQ(theme.GetColor(SKIN2_FORMCOLOR), 0x515151);
    EXPECT_TRUE(theme.GetFlag(SKIN2_TITLEFIVESECT));
    EXPECT_EQ(theme.GetColor(SKIN2_TRANSCOLOR), -1);
    EXPECT_EQ(theme.GetInteger(SKIN2_TITLEBARICONPOSX), -1);
    EXPECT_FALSE(theme.GetFlag(SKIN2_BUTTONTRANS));
}

// --- Layouts ---------------------------------------------------------------------------------

TEST_F(FileThemeTest, AStoredReadyDoesNotMakeAThemeReady)
{
    TInstalledServices installed(services);
    RegisterThemeClasses();
    TForm form(nullptr);
    ReadLayout(form, "object Form: TForm\n"
                     "  object Skin: TsuiFileTheme\n"
                     "    ThemeFile = '" + Fixture("comment.ssk") + "'\n"
                     "    Ready = True\n"
                     "  end\n"
                     "end\n");
    auto* theme = form.Find<TsuiFileTheme>("Skin");
    ASSERT_NE(theme, nullptr);
    EXPECT_FALSE(theme->Ready());
    EXPECT_FALSE(GetPropValue(*theme, "Ready").AsBoolean());
}

TEST_F(FileThemeTest, CreatingAThemeByClassNeedsTheServices)
{
    ASSERT_EQ(FileThemeServices(), nullptr);
    TForm form(nullptr);
    EXPECT_THROW(TsuiFileTheme::StaticClassInfo().Create(&form), EComponentError);
    EXPECT_EQ(form.ComponentCount(), 0);

    TInstalledServices installed(services);
    TComponent* theme = TsuiFileTheme::StaticClassInfo().Create(&form);
    EXPECT_EQ(theme->Owner(), &form);
}

} // namespace
