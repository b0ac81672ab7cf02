#include "ToolkitTestSupport.h"

#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/forms/Form.h"
#include "toolkit/layout/LayoutReader.h"

#include <string>
#include <vector>

namespace {

// A control that records the toolkit notifications it receives.
class TListener : public TCustomControl {
public:
    explicit TListener(TComponent* owner, std::vector<std::string>* log) : TCustomControl(owner), log_(log)
    {
        SetTabStop(true);
        SetBounds(0, 0, 20, 20);
    }
    bool claimEnter = false;
    TControl* cancelledBy = nullptr;

protected:
    void WndProc(TMessage& m) override
    {
        switch (m.Msg) {
        case CM_MOUSEENTER:
            log_->push_back(Name() + " enter");
            break;
        case CM_MOUSELEAVE:
            log_->push_back(Name() + " leave");
            break;
        case CM_FOCUSCHANGED:
            log_->push_back(Name() + " focus changed to " +
                            (m.LParam ? reinterpret_cast<TControl*>(m.LParam)->Name() : std::string("nobody")));
            break;
        case CM_CANCELMODE:
            cancelledBy = reinterpret_cast<TControl*>(m.LParam);
            break;
        case CM_WANTSPECIALKEY:
            m.Result = claimEnter && m.WParam == VK_RETURN ? 1 : 0;
            return;
        default:
            break;
        }
        TCustomControl::WndProc(m);
    }

private:
    std::vector<std::string>* log_;
};

const char* const kDialog = R"(
object Dialog: TForm
  BorderStyle = bsDialog
  ClientWidth = 300
  ClientHeight = 120
  object Edit: TMemo
    Left = 8
    Top = 8
    Width = 200
    Height = 60
    TabOrder = 2
  end
  object Ok: TButton
    Left = 8
    Top = 80
    Caption = '确定(&O)'
    Default = True
    TabOrder = 0
  end
  object Cancel: TButton
    Left = 100
    Top = 80
    Caption = '取消'
    Cancel = True
    TabOrder = 1
  end
  object Hidden: TPanel
    Visible = False
    object Ghost: TButton
      Default = True
      Cancel = True
    end
  end
end)";

class Dialog : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        form = app_->CreateForm<TForm>();
        ReadLayout(*form, kDialog);
        ok = form->Find<TButton>("Ok");
        cancel = form->Find<TButton>("Cancel");
        edit = form->Find<TMemo>("Edit");
        ok->OnClick = [this](TObject*) { clicks.push_back("ok"); };
        cancel->OnClick = [this](TObject*) { clicks.push_back("cancel"); };
        form->Find<TButton>("Ghost")->OnClick = [this](TObject*) { clicks.push_back("ghost"); };
        form->Show();
        app_->ProcessMessages();
    }
    void Keys(const std::string& keys)
    {
        size_t start = 0;
        while (start < keys.size()) {
            size_t end = keys.find(' ', start);
            if (end == std::string::npos)
                end = keys.size();
            ASSERT_TRUE(host_->RunCommand("key " + keys.substr(start, end - start)));
            start = end + 1;
        }
        app_->ProcessMessages();
    }
    TForm* form = nullptr;
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
    TMemo* edit = nullptr;
    std::vector<std::string> clicks;
};

}  // namespace

TEST_F(Dialog, TabOrderStoredInTheLayoutDecidesTheOrder)
{
    // The stored orders were set while the siblings were still being read; they hold after loading.
    EXPECT_EQ(ok->TabOrder(), 0);
    EXPECT_EQ(cancel->TabOrder(), 1);
    EXPECT_EQ(edit->TabOrder(), 2);
    EXPECT_EQ(form->ActiveControl(), ok);  // the first tab stop takes the focus on activation
    Keys("Tab");
    EXPECT_EQ(form->ActiveControl(), cancel);
    Keys("Tab");
    EXPECT_EQ(form->ActiveControl(), edit);
    Keys("Tab");  // the memo does not want Tab: on to the first again, the hidden panel skipped
    EXPECT_EQ(form->ActiveControl(), ok);
    Keys("shift+Tab");
    EXPECT_EQ(form->ActiveControl(), edit);
}

TEST_F(Dialog, EnterAndEscGoToTheButtonsThatClaimThem)
{
    Keys("Return");  // focus on the default button itself
    Keys("Escape");
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
    clicks.clear();
    cancel->SetFocus();
    Keys("Return");  // a focused button takes Enter itself
    EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
    clicks.clear();
    edit->SetFocus();
    Keys("Return");  // the memo wants Enter: no button is pressed
    EXPECT_TRUE(clicks.empty());
    edit->SetWantReturns(false);
    Keys("Return ctrl+Return");  // now the default button; never with Ctrl held
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
}

TEST_F(Dialog, MnemonicsAndTheButtonQueryDefault)
{
    Keys("alt+o");
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
    clicks.clear();
    cancel->SetFocus();
    Keys("o");  // buttons do not want characters, so a plain letter is a mnemonic too
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
    clicks.clear();
    edit->SetFocus();
    Keys("o");  // the memo takes typed characters
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(ok->Perform(MSG_BUTTON_QUERY), 0);  // only skinned buttons answer it
    EXPECT_EQ(form->Perform(MSG_BORDER_QUERY), 0);
}

TEST_F(Dialog, FocusChangesAreBroadcastAndMouseEntersAndLeaves)
{
    std::vector<std::string> log;
    auto* a = new TListener(form, &log);
    a->SetName("A");
    a->SetParent(form);
    a->SetBounds(220, 10, 20, 20);
    auto* b = new TListener(form, &log);
    b->SetName("B");
    b->SetParent(form);
    b->SetBounds(250, 10, 20, 20);
    a->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"A focus changed to A", "B focus changed to A"}));
    log.clear();
    // Window pixels: client starts at (3, 22).
    ASSERT_TRUE(host_->RunCommand("move 225 35"));
    ASSERT_TRUE(host_->RunCommand("move 255 35"));
    ASSERT_TRUE(host_->RunCommand("move 5 100"));
    app_->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"A enter", "A leave", "B enter", "B leave"}));
    // Pressing another control tells the focused one to drop what it was doing.
    ASSERT_TRUE(host_->RunCommand("click 255 35"));
    app_->ProcessMessages();
    EXPECT_EQ(a->cancelledBy, b);
}

TEST_F(Dialog, AControlThatWantsTheSpecialKeyKeepsIt)
{
    std::vector<std::string> log;
    auto* a = new TListener(form, &log);
    a->SetParent(form);
    a->claimEnter = true;
    a->SetFocus();
    Keys("Return Escape");
    EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
}

TEST_F(Dialog, HiddenOrDisabledControlsCannotTakeTheFocus)
{
    auto* ghost = form->Find<TButton>("Ghost");
    EXPECT_FALSE(ghost->CanFocus());
    EXPECT_THROW(ghost->SetFocus(), EInvalidOperation);
    cancel->SetFocus();
    cancel->SetEnabled(false);
    EXPECT_EQ(form->ActiveControl(), nullptr);  // the focus left the disabled button
    Keys("Tab");  // from nowhere, Tab starts at the first tab stop
    EXPECT_EQ(form->ActiveControl(), ok);
    Keys("Tab");  // the disabled button is skipped
    EXPECT_EQ(form->ActiveControl(), edit);
}

TEST_F(ToolkitTest, AlignedControlsShareTheClientAreaAndAnchorsFollowResizing)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    auto* top = new TPanel(&form);
    top->SetParent(&form);
    top->SetHeight(30);
    top->SetAlign(alTop);
    auto* left = new TPanel(&form);
    left->SetParent(&form);
    left->SetWidth(50);
    left->SetAlign(alLeft);
    auto* rest = new TPanel(&form);
    rest->SetParent(&form);
    rest->SetAlign(alClient);
    auto* pinned = new TLabel(&form);
    pinned->SetParent(&form);
    pinned->SetAutoSize(false);
    pinned->SetBounds(150, 80, 20, 10);
    pinned->SetAnchors(akRight | akBottom);
    EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 200, 30));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 30, 50, 100));
    EXPECT_EQ(rest->BoundsRect(), TRect(50, 30, 200, 100));
    form.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(rest->BoundsRect(), TRect(50, 30, 300, 150));
    EXPECT_EQ(pinned->BoundsRect(), TRect(250, 130, 270, 140));
}

TEST_F(ToolkitTest, HiddenPagesShowWhenActivatedAndFireOnShow)
{
    auto* form = app_->CreateForm<TForm>();
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetStyle(tsFlatButtons);
    pages->SetBounds(0, 0, 200, 100);
    std::vector<std::string> log;
    for (int i = 0; i < 3; ++i) {
        auto* sheet = new TTabSheet(form);
        sheet->SetPageControl(pages);
        sheet->SetTabVisible(false);
        sheet->OnShow = [&log, i](TObject*) { log.push_back("show " + std::to_string(i)); };
        sheet->OnHide = [&log, i](TObject*) { log.push_back("hide " + std::to_string(i)); };
    }
    form->OnShow = [&](TObject*) { log.push_back("form"); };
    pages->SetActivePageIndex(0);
    EXPECT_TRUE(log.empty());  // not on a shown form yet
    form->Show();
    EXPECT_EQ(log, (std::vector<std::string>{"form", "show 0"}));
    log.clear();
    pages->SetActivePageIndex(2);
    EXPECT_EQ(log, (std::vector<std::string>{"show 2", "hide 0"}));
    EXPECT_EQ(pages->DisplayRect(), TRect(0, 0, 200, 100));  // no tabs: the page takes it all
    EXPECT_EQ(pages->Pages(2)->BoundsRect(), TRect(0, 0, 200, 100));
    EXPECT_FALSE(pages->Pages(0)->Visible());
    pages->SetActivePageIndex(7);
    EXPECT_EQ(pages->ActivePage(), nullptr);
}
