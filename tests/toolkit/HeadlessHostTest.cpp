#include "ToolkitTestSupport.h"

#include "toolkit/controls/Panel.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/PngWriter.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

TEST_F(ToolkitTest, CommandsThatCannotApplyAreFailures)
{
    auto* form = app_->CreateForm<TForm>();
    form->Show();
    EXPECT_FALSE(host_->RunCommand("key Hyper"));
    EXPECT_FALSE(host_->RunCommand("key F13"));
    EXPECT_FALSE(host_->RunCommand("key alt+"));
    EXPECT_FALSE(host_->RunCommand("jump 1 2"));
    EXPECT_FALSE(host_->RunCommand("click 1"));
    EXPECT_FALSE(host_->RunCommand("click 1 x"));
    EXPECT_FALSE(host_->RunCommand("wait -5"));
    EXPECT_FALSE(host_->RunCommand("answer maybe"));
    EXPECT_FALSE(host_->RunCommand("shot /no/such/folder/x.png"));
    EXPECT_TRUE(host_->RunCommand("key ctrl+shift+F4"));
    EXPECT_TRUE(host_->RunCommand("key 7"));
    EXPECT_TRUE(host_->RunCommand("wheel 3"));
    // Inside a running program a bad line ends it (here: throws from the failure handler).
    MakeApplication("wait 10\nkey Hyper\n");
    auto* other = app_->CreateForm<TForm>();
    other->Show();
    EXPECT_THROW(app_->Run(), ScriptFailure);
    EXPECT_EQ(app_->Now(), 10u);
}

TEST_F(ToolkitTest, TheEndOfTheScriptClosesTheMainWindow)
{
    MakeApplication("# a comment\n\nwait 250\n");
    auto* form = app_->CreateForm<TForm>();
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    app_->Run();
    EXPECT_TRUE(closed);
    EXPECT_EQ(app_->Now(), 250u);
}

TEST_F(ToolkitTest, AProgramThatWaitsForeverAfterTheScriptIsStuck)
{
    MakeApplication("");
    auto* form = app_->CreateForm<TForm>();
    form->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
    EXPECT_THROW(app_->Run(), ScriptFailure);
}

TEST_F(ToolkitTest, AShotIsThePictureOfTheActiveWindow)
{
    auto* form = app_->CreateForm<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 4, 3);
    form->SetColor(clBlue);
    form->Show();
    app_->ProcessMessages();
    const std::string file = (std::filesystem::temp_directory_path() / "merrowin-shot-test.png").string();
    ASSERT_TRUE(host_->RunCommand("shot " + file));
    TBitmap picture;
    ASSERT_TRUE(LoadPngFromFile(file, picture));
    std::remove(file.c_str());
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 3);
    EXPECT_EQ(picture.Pixel(3, 2), clBlue);
}

// A dense screen as the desktop hosts show it: every pixel of the 1x picture as a 2 x 2 square,
// and the script's points in the pixels of that bigger picture.
TEST_F(ToolkitTest, AtScaleTwoShotsAreDoubledAndTheScriptCountsTheirPixels)
{
    auto* form = app_->CreateForm<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 5, 4);
    form->SetColor(clBlue);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(1, 2, 3, 1);
    panel->SetColor(clRed);
    TPoint pressed(-100, -100);
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { pressed = TPoint(x, y); };
    form->Show();
    app_->ProcessMessages();
    const std::string file = (std::filesystem::temp_directory_path() / "merrowin-scale-test.png").string();
    ASSERT_TRUE(host_->RunCommand("shot " + file));
    TBitmap single;
    ASSERT_TRUE(LoadPngFromFile(file, single));
    host_->SetScale(2);
    ASSERT_TRUE(host_->RunCommand("shot " + file));
    TBitmap doubled;
    ASSERT_TRUE(LoadPngFromFile(file, doubled));
    std::remove(file.c_str());
    ASSERT_EQ(doubled.Width(), 10);
    ASSERT_EQ(doubled.Height(), 8);
    EXPECT_EQ(single.Pixel(1, 2), clRed);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(doubled.Pixel(x, y), single.Pixel(x / 2, y / 2)) << x << "," << y;
    // (9, 1) of the doubled picture is (4, 0) of the window; (1, 1) rounds down to (0, 0).
    ASSERT_TRUE(host_->RunCommand("click 9 1"));
    app_->ProcessMessages();
    EXPECT_EQ(pressed, TPoint(4, 0));
    ASSERT_TRUE(host_->RunCommand("click 1 1"));
    app_->ProcessMessages();
    EXPECT_EQ(pressed, TPoint(0, 0));
}
