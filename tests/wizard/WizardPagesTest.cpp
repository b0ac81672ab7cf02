#include "wizard/WizardTestSupport.h"

#include "skin/controls/Button.h"
#include "skin/controls/Form.h"
#include "skin/controls/ProgressBar.h"
#include "skin/controls/RadioButton.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/PageControl.h"

using namespace wizardtest;

namespace {

TBitmap LoadPng(const std::string& file)
{
    TBitmap picture;
    EXPECT_TRUE(LoadPngFromFile(file, picture)) << file;
    return picture;
}

} // namespace

class WizardPagesTest : public WizardTest {
protected:
    int Page() const { return Find<TPageControl>("PageControl")->ActivePageIndex(); }
    bool NextEnabled() const { return Find<TsuiButton>("suiButton4")->Enabled(); }
    bool Accepted() const { return Find<TsuiRadioButton>("AcceptRadioButton")->Checked(); }
};

TEST_F(WizardPagesTest, WalksThroughEveryPageWithALicence)
{
    WriteInstaller();
    Start("");
    Check("welcome", [&] {
        EXPECT_EQ(Page(), 0);
        EXPECT_EQ(form->Caption(), "春日方块 安装程序");
        EXPECT_EQ(Find<TsuiForm>("suiForm")->Caption(), "春日方块 安装程序");
        EXPECT_EQ(app->Title(), "春日方块 安装程序");
        EXPECT_EQ(Find<TLabel>("TitleLabel")->Caption(), "欢迎使用 春日方块 安装程序");
        EXPECT_EQ(Find<TLabel>("FirstPageLabel")->Caption(), "下面将要安装 春日方块 到系统中并设置其为默认墙纸. ");
    });
    Check("licence", [&] {
        EXPECT_EQ(Page(), 1);
        EXPECT_EQ(Find<TMemo>("LicenseMemo")->Text(), "第一条: 仅供个人使用.\r\nSecond line.\r\n");
        EXPECT_FALSE(NextEnabled());
    });
    Check("accepted", [&] { EXPECT_TRUE(NextEnabled()); });
    Check("declined", [&] {
        EXPECT_FALSE(NextEnabled());
        EXPECT_FALSE(Accepted());
    });
    Check("back on the welcome page", [&] { EXPECT_EQ(Page(), 0); });
    Check("choice kept", [&] {
        EXPECT_EQ(Page(), 1);
        EXPECT_TRUE(Accepted());
        EXPECT_TRUE(NextEnabled());
    });
    Check("finished", [&] {
        EXPECT_EQ(Page(), 3);
        EXPECT_EQ(Find<TLabel>("RemoveLabel")->Caption(), TargetFolder());
        // The picture shows a typical folder instead of this test's temporary one.
        Find<TLabel>("RemoveLabel")->SetCaption("/home/lin/Documents/我的 Flash 墙纸/春日方块/");
        form->PaintInvalid();
    });
    const std::string next = ClickOn("suiButton1"), nextOnLicence = ClickOn("suiButton4");
    Script("check welcome\nshot " + root + "/welcome.png\n" + next + "check licence\nshot " + root +
           "/licence.png\n" + nextOnLicence + "check licence\n" + ClickOn("AcceptRadioButton") + "check accepted\nshot " +
           root + "/accepted.png\n" + ClickOn("suiRadioButton2") + "check declined\n" + ClickOn("AcceptRadioButton") +
           ClickOn("suiButton3") + "check back on the welcome page\n" + next + "check choice kept\n" + nextOnLicence +
           "wait 2000\ncheck finished\nshot " + root + "/finish.png\n" + ClickOn("suiButton6"));
    app->Run();

    EXPECT_EQ(checksRun, 8);
    EXPECT_EQ(form->Project(), nullptr) << "FormClose releases the project";
    EXPECT_EQ(ReadFile(TargetFolder() + "flashwallpaper.swf"), Payload().movie);
    ExpectGolden(LoadPng(root + "/welcome.png"), "wizard-welcome.png");
    ExpectGolden(LoadPng(root + "/licence.png"), "wizard-licence.png");
    ExpectGolden(LoadPng(root + "/accepted.png"), "wizard-licence-accepted.png");
    ExpectGolden(LoadPng(root + "/finish.png"), "wizard-finish.png");
}

TEST_F(WizardPagesTest, WithoutALicenceNextGoesStraightToTheProgressPage)
{
    Payload payload;
    payload.license.clear();
    WriteInstaller(payload);
    Start("");
    Check("progress", [&] {
        EXPECT_EQ(Page(), 2);
        const auto* bar = Find<TsuiProgressBar>("ProgressBar");
        EXPECT_EQ(bar->Position(), 0);
        EXPECT_EQ(bar->Min(), 0);
        EXPECT_EQ(bar->Max(), 10);
    });
    Check("finished", [&] { EXPECT_EQ(Page(), 3); });
    Script(ClickOn("suiButton1") + "check progress\nshot " + root + "/progress.png\nwait 2000\ncheck finished\n");
    app->Run();
    EXPECT_EQ(checksRun, 2);
    ExpectGolden(LoadPng(root + "/progress.png"), "wizard-progress.png");
}

TEST_F(WizardPagesTest, AnArgumentInstallsAtOnceAndAnEmptyOneCountsAsNone)
{
    WriteInstaller();
    Start("", {"1"});
    Check("first page", [&] { EXPECT_EQ(Page(), 2); });
    Check("finished", [&] { EXPECT_EQ(Page(), 3); });
    Script("check first page\nwait 2000\ncheck finished\n");
    app->Run();
    EXPECT_EQ(checksRun, 2);
    EXPECT_TRUE(std::filesystem::exists(TargetFolder() + "春日方块.htm"));
}

TEST_F(WizardPagesTest, AnEmptyFirstArgumentShowsTheWelcomePage)
{
    WriteInstaller();
    Start("", {"", "1"});
    Check("first page", [&] { EXPECT_EQ(Page(), 0); });
    Script("check first page\nwait 2000\ncheck first page\n");
    app->Run();
    EXPECT_EQ(checksRun, 2);
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{});
}

TEST_F(WizardPagesTest, CancelAsksFirstAndNoLeavesEverythingAsItWas)
{
    WriteInstaller();
    Start("");
    Check("unchanged", [&] {
        EXPECT_EQ(Page(), 1);
        EXPECT_TRUE(Accepted());
        EXPECT_FALSE(form->Project() == nullptr);
    });
    Script(ClickOn("suiButton1") + ClickOn("AcceptRadioButton") + ClickOn("suiButton5") + "shot " + root +
           "/cancel.png\nanswer no\ncheck unchanged\nkey Escape\nanswer yes\n");
    app->Run();
    EXPECT_EQ(checksRun, 1);
    ASSERT_EQ(host->boxes.size(), 2u);
    for (const Box& box : host->boxes) {
        EXPECT_EQ(box.text, "真的要退出安装程序吗?");
        EXPECT_EQ(box.caption, "消息");
        EXPECT_EQ(box.flags, MB_YESNO) << "Yes and No, no icon, Yes the default";
    }
    EXPECT_EQ(FilesWritten(), std::vector<std::string>{});
    ExpectGolden(LoadPng(root + "/cancel.png"), "wizard-cancel-box.png");
}

TEST_F(WizardPagesTest, EnterPressesTheDefaultButtonAndTheCloseButtonAsksNothing)
{
    WriteInstaller();
    Start("");
    Check("licence", [&] { EXPECT_EQ(Page(), 1); });
    // The title bar's close button: the rightmost visible one.
    const TRect bounds = form->BoundsRect();
    const std::string closeButton = "click " + std::to_string(bounds.Width() - 26 - 20) + " 20\n";
    Script("key Return\ncheck licence\n" + closeButton);
    app->Run();
    EXPECT_EQ(checksRun, 1);
    EXPECT_TRUE(host->boxes.empty());
    EXPECT_TRUE(app->Terminated());
}
