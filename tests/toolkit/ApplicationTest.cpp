#include "ToolkitTestSupport.h"

#include "toolkit/application/Timer.h"
#include "toolkit/controls/Button.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/MessageForm.h"

#include <string>
#include <vector>

namespace {

// Remembers what windows the toolkit asked for, so a test can see a box that is already gone.
class RecordingHost : public HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    std::unique_ptr<HostWindow> NewWindow(const HostWindowParams& params) override
    {
        made.push_back(params);
        return HeadlessHost::NewWindow(params);
    }
    std::vector<HostWindowParams> made;
};

class Boxes : public ToolkitTest {
protected:
    RecordingHost* Start(const std::string& script)
    {
        app_.reset();
        auto host = std::make_unique<RecordingHost>(script);
        host->SetFailureHandler([](const std::string& message) { throw ScriptFailure(message); });
        RecordingHost* raw = host.get();
        host_ = raw;
        app_ = std::make_unique<TApplication>(std::move(host));
        app_->SetTitle("Didar Ediziveda 安装程序");
        return raw;
    }
};

}  // namespace

TEST(ErrorBoxText, ADotIsAddedAfterCharactersGreaterThanADot)
{
    EXPECT_EQ(TApplication::ErrorBoxText("流读取错误"), "流读取错误.");
    EXPECT_EQ(TApplication::ErrorBoxText("无法打开文件 C:\\a.exe"), "无法打开文件 C:\\a.exe.");
    EXPECT_EQ(TApplication::ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(TApplication::ErrorBoxText("Oops!"), "Oops!");      // '!' sorts before '.'
    EXPECT_EQ(TApplication::ErrorBoxText("(1)"), "(1)");          // so does ')'
    EXPECT_EQ(TApplication::ErrorBoxText("a-"), "a-");
    EXPECT_EQ(TApplication::ErrorBoxText("1/2"), "1/2.");         // '/' comes right after '.'
    EXPECT_EQ(TApplication::ErrorBoxText(""), "");
    EXPECT_EQ(TApplication::ErrorBoxText("索引列表超出范围 (5)"), "索引列表超出范围 (5)");
}

TEST_F(Boxes, AScriptAnswersTheToolkitsMessageBox)
{
    RecordingHost* host = Start("answer no\nanswer yes\n");
    EXPECT_EQ(app_->MessageBox("真的要退出安装程序吗?", "消息", MB_YESNO), IDNO);
    EXPECT_EQ(app_->MessageBox("真的要退出安装程序吗?", "消息", MB_YESNO), IDYES);
    ASSERT_EQ(host->made.size(), 2u);
    EXPECT_TRUE(host->made[0].messageBox);
    EXPECT_EQ(host->made[0].title, "消息");
    EXPECT_EQ(host->made[0].messageBoxAnswers, (1u << IDYES) | (1u << IDNO));
    EXPECT_TRUE(host->Windows().empty());
}

TEST_F(Boxes, KeysAnswerTheBoxToo)
{
    Start("key Return\nkey n\nkey Escape\n");
    EXPECT_EQ(app_->MessageBox("q", "c", MB_YESNO | MB_DEFBUTTON2), IDNO);  // Enter: the default button
    EXPECT_EQ(app_->MessageBox("q", "c", MB_YESNO), IDNO);                  // N: the mnemonic of 否(&N)
    EXPECT_EQ(app_->MessageBox("q", "c", MB_OK), IDOK);                     // Esc closes a box with only OK
}

TEST_F(Boxes, AnAnswerTheBoxDoesNotOfferIsAScriptFailure)
{
    Start("answer ok\n");
    EXPECT_THROW(app_->MessageBox("q", "c", MB_YESNO), ScriptFailure);
    Start("answer yes\n");
    HostEvent event;
    EXPECT_THROW(host_->WaitEvent(event, UINT64_MAX), ScriptFailure);  // no box open at all
}

TEST_F(Boxes, TheBoxHasTheClassicLabelsAndItsDefaultButtonFocused)
{
    TMessageForm box(nullptr, "text", "caption", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_EQ(box.Answers(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(box.ButtonFor(IDYES)->Caption(), "是(&Y)");
    EXPECT_EQ(box.ButtonFor(IDNO)->Caption(), "否(&N)");
    EXPECT_EQ(box.ButtonFor(IDCANCEL)->Caption(), "取消");
    EXPECT_EQ(box.ActiveControl(), box.ButtonFor(IDNO));
    TMessageForm ok(nullptr, "text", "caption", MB_OK);
    EXPECT_EQ(ok.ButtonFor(IDOK)->Caption(), "确定");
    EXPECT_EQ(ok.BorderStyle(), bsDialog);
}

TEST_F(Boxes, AnErrorInFormCreationIsShownAndTheFormStays)
{
    RecordingHost* host = Start("answer ok\n");
    auto* form = app_->CreateForm<TForm>();
    form->OnCreate = [](TObject*) { throw EReadError(); };
    form->DoCreate();
    ASSERT_EQ(host->made.size(), 1u);
    EXPECT_EQ(host->made[0].title, "Didar Ediziveda 安装程序");  // the application title as caption
    EXPECT_EQ(host->made[0].messageBoxAnswers, 1u << IDOK);
    EXPECT_EQ(app_->MainForm(), form);
}

TEST_F(Boxes, AnErrorInATimerIsShownAndTheLoopGoesOn)
{
    RecordingHost* host = Start("wait 150\nanswer ok\nwait 100\n");
    auto* form = app_->CreateForm<TForm>();
    auto* timer = new TTimer(form);
    int ticks = 0;
    timer->SetInterval(100);
    timer->SetOnTimer([&](TObject*) {
        if (++ticks == 1)
            throw EListError(7);
    });
    form->Show();
    app_->Run();  // the script ends with the main window closed
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(host->made.size(), 2u);
    EXPECT_TRUE(host->made[1].messageBox);
}
