#include "ToolkitTestSupport.h"

#include "toolkit/controls/Label.h"
#include "toolkit/forms/Form.h"

#include <string>
#include <vector>

namespace {

std::string Name(uint32_t msg)
{
    switch (msg) {
    case WM_NCCALCSIZE:
        return "NCCALCSIZE";
    case WM_NCPAINT:
        return "NCPAINT";
    case WM_NCACTIVATE:
        return "NCACTIVATE";
    case WM_ACTIVATE:
        return "ACTIVATE";
    case WM_SIZE:
        return "SIZE";
    case WM_SHOWWINDOW:
        return "SHOWWINDOW";
    case WM_CREATE:
        return "CREATE";
    case WM_DESTROY:
        return "DESTROY";
    case WM_NCHITTEST:
        return "NCHITTEST";
    case WM_NCLBUTTONDOWN:
        return "NCLBUTTONDOWN";
    case WM_KEYDOWN:
        return "KEYDOWN";
    default:
        return "";
    }
}

// Hooks a form's window procedure the way a skinned frame does: it keeps the previous procedure,
// logs what it sees, and can make the frame thinner by rewriting the proposed rectangle.
struct Hook {
    TWndMethod previous;
    std::vector<std::string> seen;
    int shrinkTop = 0;  // 0: leave the calculation alone

    void Install(TCustomForm& form)
    {
        previous = form.WindowProc;
        form.WindowProc = [this, &form](TMessage& m) {
            std::string name = Name(m.Msg);
            if (!name.empty() && m.Msg != WM_NCHITTEST)
                seen.push_back(name);
            if (m.Msg == WM_NCCALCSIZE && m.WParam && shrinkTop) {
                auto* params = reinterpret_cast<TNCCalcSizeParams*>(m.LParam);
                TWindowPos* pos = params->lppos;
                // As a caption-less frame: the default then takes off only its frame.
                params->rgrc[0] = TRect(pos->x, pos->y - shrinkTop, pos->x + pos->cx, pos->y + pos->cy);
            }
            previous(m);
            (void)form;
        };
    }
};

}  // namespace

TEST_F(ToolkitTest, DialogFrameAndCaptionGiveTheClassicClientRectangle)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsDialog);
    form.SetClientWidth(467);
    form.SetClientHeight(397);
    EXPECT_EQ(form.Width(), 467 + 6);
    EXPECT_EQ(form.Height(), 397 + 6 + 19);
    form.SetBorderStyle(bsSizeable);  // the window keeps its size, the frame grows
    EXPECT_EQ(form.ClientWidth(), 467 + 6 - 8);
    form.SetBorderStyle(bsNone);
    EXPECT_EQ(form.ClientHeight(), 397 + 6 + 19);
}

TEST_F(ToolkitTest, AHookedFormSeesItsNonClientMessagesAndChangesTheClientRectangle)
{
    Hook hook;  // outlives the form it hooks
    TForm form(nullptr);
    form.SetBorderStyle(bsDialog);
    form.SetBounds(100, 100, 300, 200);
    hook.Install(form);
    hook.shrinkTop = 0;
    form.Show();
    app_->ProcessMessages();
    // The window's creation, then its showing, in the platform's order.
    std::vector<std::string> expected{"NCCALCSIZE", "CREATE", "SIZE", "SHOWWINDOW", "NCACTIVATE", "ACTIVATE", "NCPAINT"};
    EXPECT_EQ(hook.seen, expected);
    EXPECT_EQ(form.ClientHeight(), 200 - 6 - 19);

    // Clearing the caption bits and asking for a frame change sends WM_NCCALCSIZE again; the
    // hook's rectangle wins and WM_SIZE follows.
    hook.seen.clear();
    hook.shrinkTop = 4;  // pretend the frame is 4 pixels thinner at the top
    form.SetWindowLong(GWL_STYLE, form.WindowLong(GWL_STYLE) & ~WS_CAPTION);
    form.SetWindowPos(0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_EQ(form.ClientHeight(), 200 + 4 - 6);
    EXPECT_EQ(form.ClientWidth(), 300 - 6);
    EXPECT_EQ(form.ClientOffset(), TPoint(3, 3 - 4 + 0));
    ASSERT_GE(hook.seen.size(), 2u);
    EXPECT_EQ(hook.seen[0], "NCCALCSIZE");
    EXPECT_EQ(hook.seen[1], "SIZE");
}

TEST_F(ToolkitTest, CaptionDragStartsASystemMoveAndTheCloseButtonCloses)
{
    auto* form = app_->CreateForm<TForm>();
    form->SetBorderStyle(bsDialog);
    form->SetBounds(100, 100, 300, 200);
    Hook hook;
    hook.Install(*form);
    form->Show();
    app_->ProcessMessages();
    hook.seen.clear();
    // Press on the caption, drag by (40, 25), release: the window follows the mouse.
    // As a script runs them: each command once the events of the one before are handled. The
    // pointer stays on the same spot of the moving window, so the release is at (50, 10) again.
    for (const char* command : {"down 50 10", "move 90 35", "up 50 10"}) {
        ASSERT_TRUE(host_->RunCommand(command));
        app_->ProcessMessages();
    }
    EXPECT_EQ(form->Left(), 140);
    EXPECT_EQ(form->Top(), 125);
    EXPECT_EQ(hook.seen, (std::vector<std::string>{"NCLBUTTONDOWN"}));
    // The close button: right end of the caption.
    int closed = 0;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        ++closed;
        action = caNone;
    };
    ASSERT_TRUE(host_->RunCommand("click 285 10"));
    app_->ProcessMessages();
    EXPECT_EQ(closed, 1);
    form->WindowProc = hook.previous;  // the hook goes before the form
}

TEST_F(ToolkitTest, TheTaskbarsMinimiseAndRestoreGoThroughTheWindowProcedure)
{
    auto* form = app_->CreateForm<TForm>();
    form->Show();
    app_->ProcessMessages();
    std::vector<TWParam> commands;
    TWndMethod previous = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SYSCOMMAND)
            commands.push_back(m.WParam);
        previous(m);
    };
    HostEvent event;
    event.window = form->Host()->Id();
    event.type = HostEventType::Minimise;
    host_->Post(event);
    app_->ProcessMessages();
    EXPECT_EQ(form->WindowState(), wsMinimized);
    EXPECT_TRUE(host_->WindowById(event.window)->Minimised());
    event.type = HostEventType::Restore;
    host_->Post(event);
    app_->ProcessMessages();
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_FALSE(host_->WindowById(event.window)->Minimised());
    EXPECT_EQ(commands, (std::vector<TWParam>{SC_MINIMIZE, SC_RESTORE}));
    form->WindowProc = previous;
}

TEST_F(ToolkitTest, WindowRegionShapesTheScreenshot)
{
    auto* form = app_->CreateForm<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 20, 10);
    form->SetColor(clRed);
    TRegion region(TRect(0, 0, 20, 10));
    region = region.Subtract(TRegion(TRect(0, 0, 5, 5)));
    form->SetWindowRgn(&region, true);
    form->Show();
    app_->ProcessMessages();
    HeadlessWindow* window = host_->ActiveWindow();
    ASSERT_NE(window, nullptr);
    std::vector<uint32_t> pixels = host_->Snapshot(*window);
    ASSERT_EQ(pixels.size(), 200u);
    EXPECT_EQ(pixels[0], 0u);                // cut away: transparent
    EXPECT_EQ(pixels[5], 0xFFFF0000u);       // red, opaque
    EXPECT_EQ(pixels[5 * 20 + 0], 0xFFFF0000u);
}

TEST_F(ToolkitTest, DestroyingAShownFormSendsDestroyAndFreesItsWindow)
{
    auto* form = new TForm(app_.get());
    Hook hook;
    hook.Install(*form);
    form->Show();
    app_->ProcessMessages();
    EXPECT_EQ(host_->Windows().size(), 1u);
    hook.seen.clear();
    delete form;
    EXPECT_EQ(hook.seen, (std::vector<std::string>{"DESTROY"}));
    EXPECT_TRUE(host_->Windows().empty());
}

TEST_F(ToolkitTest, MinimumSizeAndEventsOfShowingAndClosing)
{
    auto* form = app_->CreateForm<TForm>();
    form->MinWidth = 286;
    form->MinHeight = 64;
    form->SetBounds(0, 0, 100, 20);
    EXPECT_EQ(form->Width(), 286);
    EXPECT_EQ(form->Height(), 64);
    std::vector<std::string> events;
    form->OnShow = [&](TObject*) { events.push_back("show"); };
    form->OnActivate = [&](TObject*) { events.push_back("activate"); };
    form->OnCloseQuery = [&](TObject*, bool& canClose) { events.push_back("query"); canClose = true; };
    form->OnClose = [&](TObject*, TCloseAction&) { events.push_back("close"); };
    form->Show();
    form->Close();
    EXPECT_EQ(events, (std::vector<std::string>{"show", "activate", "query", "close"}));
    EXPECT_TRUE(app_->Terminated());  // closing the main form ends the program
}
