// The theme manager: what it applies to its listed components and when, the event, and what it
// does when a listed component or its theme goes.
#include "skin/ThemeTestSupport.h"
#include "skin/themes/BuiltInFileTheme.h"
#include "skin/themes/ThemeManager.h"
#include "toolkit/layout/LayoutReader.h"

#include <gtest/gtest.h>

using namespace themetest;

namespace {

class ThemeManagerTest : public testing::Test {
protected:
    void SetUp() override { EventLog().clear(); }

    TsuiFakeControl* Control(const std::string& name)
    {
        auto* control = new TsuiFakeControl(&form);
        control->SetName(name);
        control->SetParent(&form);
        return control;
    }
    TsuiFileTheme* Theme(const std::string& name)
    {
        auto* theme = new TsuiFileTheme(&form, services);
        theme->SetName(name);
        return theme;
    }

    skintest::TTempFolder temp;
    TThemeServices services{temp.Path() + "/"};
    TForm form{nullptr};
};

using Log = std::vector<std::string>;

TEST_F(ThemeManagerTest, StartsAsDeepBlueWithoutThemeOrList)
{
    TsuiThemeManager manager(&form);
    EXPECT_EQ(manager.UIStyle(), DeepBlue);
    EXPECT_EQ(manager.FileTheme(), nullptr);
    EXPECT_EQ(manager.CompList().Count(), 0);
}

TEST_F(ThemeManagerTest, AppliesStyleThenThemeToListedComponentsInListOrder)
{
    Control("A");
    Control("B");
    TsuiFileTheme* theme = Theme("Skin");
    auto* manager = new TsuiThemeManager(&form);
    manager->SetCompList({"B", "Missing", "A"});
    manager->SetFileTheme(theme);
    EXPECT_EQ(EventLog(), (Log{"B.UIStyle=DeepBlue", "B.FileTheme=Skin", "A.UIStyle=DeepBlue", "A.FileTheme=Skin"}));

    EventLog().clear();
    manager->SetUIStyle(Protein);
    EXPECT_EQ(EventLog(), (Log{"B.UIStyle=Protein", "B.FileTheme=Skin", "A.UIStyle=Protein", "A.FileTheme=Skin"}));
}

TEST_F(ThemeManagerTest, TheEventFiresOnlyWhenTheStyleChanges)
{
    Control("A");
    TsuiFileTheme* theme = Theme("Skin");
    auto* manager = new TsuiThemeManager(&form);
    manager->SetCompList({"A"});
    std::vector<TObject*> senders;
    manager->OnUIStyleChanged = [&](TObject* sender) { senders.push_back(sender); };

    manager->SetUIStyle(WinXP);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], manager);

    // The same style, or a theme (even the one it has): applied again, no event.
    EventLog().clear();
    manager->SetUIStyle(WinXP);
    manager->SetFileTheme(theme);
    manager->SetFileTheme(theme);
    EXPECT_EQ(senders.size(), 1u);
    EXPECT_EQ(EventLog(), (Log{"A.UIStyle=WinXP", "A.FileTheme=nil", "A.UIStyle=WinXP", "A.FileTheme=Skin",
                               "A.UIStyle=WinXP", "A.FileTheme=Skin"}));
}

TEST_F(ThemeManagerTest, AppliesNothingWhenItsOwnerIsNoForm)
{
    TComponent owner(nullptr);
    auto* control = new TsuiFakeControl(&owner);
    control->SetName("A");
    auto* manager = new TsuiThemeManager(&owner);
    manager->SetCompList({"A"});
    manager->SetUIStyle(MacOS);
    EXPECT_TRUE(EventLog().empty());
}

TEST_F(ThemeManagerTest, AListedComponentWithoutTheStylePropertyStopsTheApplication)
{
    auto* bare = new TsuiThemeOnly(&form);
    bare->SetName("Bare");
    Control("After");
    auto* manager = new TsuiThemeManager(&form);
    manager->SetCompList({"Bare", "After"});
    try {
        manager->SetUIStyle(MacOS);
        FAIL() << "no error";
    } catch (const EPropertyError& error) {
        EXPECT_STREQ(error.what(), "属性 UIStyle 不存在");
    }
    EXPECT_TRUE(EventLog().empty());
    // The value was stored before the application failed.
    EXPECT_EQ(manager->UIStyle(), MacOS);
}

TEST_F(ThemeManagerTest, ADestroyedListedComponentLeavesTheList)
{
    Control("A");
    TsuiFakeControl* b = Control("B");
    Control("C");
    auto* manager = new TsuiThemeManager(&form);
    manager->SetCompList({"A", "b", "C", "B"});
    delete b;
    EXPECT_EQ(manager->CompList().Lines(), (Log{"A", "C"}));
}

TEST_F(ThemeManagerTest, DestroyingItsThemeFallsBackToDeepBlueWithoutTouchingTheControls)
{
    TsuiFakeControl* a = Control("A");
    TsuiFileTheme* theme = Theme("Skin");
    auto* manager = new TsuiThemeManager(&form);
    manager->SetCompList({"A"});
    manager->SetUIStyle(WinXP);
    manager->SetFileTheme(theme);
    int events = 0;
    manager->OnUIStyleChanged = [&](TObject*) { ++events; };

    EventLog().clear();
    delete theme;
    EXPECT_EQ(manager->FileTheme(), nullptr);
    EXPECT_EQ(manager->UIStyle(), DeepBlue);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(EventLog().empty());
    EXPECT_EQ(a->UIStyle(), DeepBlue);  // the control's own notification, not the manager
    EXPECT_EQ(manager->CompList().Lines(), (Log{"A"}));
}

TEST_F(ThemeManagerTest, ForgetsAThemeOfAnotherOwnerThatGoes)
{
    TComponent elsewhere(nullptr);
    auto* theme = new TsuiFileTheme(&elsewhere, services);
    auto* manager = new TsuiThemeManager(&form);
    manager->SetFileTheme(theme);
    delete theme;
    EXPECT_EQ(manager->FileTheme(), nullptr);
    EXPECT_EQ(manager->UIStyle(), DeepBlue);
}

// In a layout the manager's theme is a reference, set after everything was read: that late
// assignment is what reaches the listed controls, with the list filled by then.
TEST_F(ThemeManagerTest, ALayoutAppliesTheThemeOnceTheWholeLayoutIsRead)
{
    TInstalledServices installed(services);
    RegisterThemeClasses();
    RegisterClass(TsuiFakeControl::StaticClassInfo());
    const std::string skin = skintest::ReadFile(skintest::Fixture("plain.ssk"));
    TMemoryResourceLocator resources;
    resources.Add("plain.ssk", skin);
    ReadLayout(form, R"(
object Form: TForm
  object suiThemeManager: TsuiThemeManager
    UIStyle = FromThemeFile
    FileTheme = suiBuiltInFileTheme
    CompList = ('Second' 'First')
  end
  object First: TsuiFakeControl
    UIStyle = MacOS
  end
  object Second: TsuiFakeControl
  end
  object suiBuiltInFileTheme: TsuiBuiltInFileTheme
    ThemeFile = 'D:\design\plain.ssk'
    Ready = True
    SkinData = {plain.ssk}
  end
end)",
               &resources);
    auto* manager = form.Find<TsuiThemeManager>("suiThemeManager");
    auto* theme = form.Find<TsuiBuiltInFileTheme>("suiBuiltInFileTheme");
    ASSERT_NE(manager, nullptr);
    ASSERT_NE(theme, nullptr);
    EXPECT_TRUE(theme->Ready());
    EXPECT_EQ(manager->FileTheme(), theme);
    EXPECT_EQ(manager->UIStyle(), FromThemeFile);
    const Log& log = EventLog();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(Log(log.end() - 4, log.end()), (Log{"Second.UIStyle=FromThemeFile", "Second.FileTheme=suiBuiltInFileTheme",
                                                  "First.UIStyle=FromThemeFile", "First.FileTheme=suiBuiltInFileTheme"}));
    EXPECT_EQ(form.Find<TsuiFakeControl>("First")->FileTheme(), theme);
}

} // namespace
