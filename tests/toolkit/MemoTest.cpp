#include "ToolkitTestSupport.h"

#include "toolkit/controls/Memo.h"
#include "toolkit/forms/Form.h"

#include <string>

namespace {

// A memo on a shown form. With the box font (height -11): lines are 11 pixels high, a narrow
// character advances 5 pixels and a Chinese one 11.
class Memos : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        form = app_->CreateForm<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 300, 200);
        memo = new TMemo(form);
        memo->SetParent(form);
        memo->SetBounds(0, 0, 200, 100);
        memo->SetScrollBars(ssBoth);
        memo->SetWordWrap(false);
        memo->SetReadOnly(true);
        form->Show();
        app_->ProcessMessages();
    }
    std::string Numbered(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        return text;
    }
    TForm* form = nullptr;
    TMemo* memo = nullptr;
};

}  // namespace

TEST_F(Memos, FrameHoldsTheSystemScrollBars)
{
    // 2-pixel sunken edge, 16-pixel bars: the client is what is left.
    EXPECT_EQ(memo->ClientWidth(), 200 - 4 - 16);
    EXPECT_EQ(memo->ClientHeight(), 100 - 4 - 16);
    memo->SetScrollBars(ssNone);
    EXPECT_EQ(memo->ClientWidth(), 196);
    TScrollBarInfo info;
    ASSERT_TRUE(memo->GetScrollBarInfo(OBJID_VSCROLL, info));
    EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_INVISIBLE);
}

TEST_F(Memos, ScrollInfoCountsLinesAndPixels)
{
    memo->SetText(Numbered(30));  // 31 lines, the last one empty
    TScrollInfo v;
    ASSERT_TRUE(memo->GetScrollInfo(SB_VERT, v));
    EXPECT_EQ(v.nMin, 0);
    EXPECT_EQ(v.nMax, 30);
    EXPECT_EQ(v.nPage, 7u);  // (80 - 1) / 11 whole lines fit
    EXPECT_EQ(v.nPos, 0);
    memo->Perform(WM_VSCROLL, MakeWParam(SB_THUMBPOSITION, 10), 0);
    EXPECT_EQ(memo->TopLine(), 10);
    EXPECT_EQ(memo->Perform(EM_GETFIRSTVISIBLELINE), 10);
    memo->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(memo->TopLine(), 31 - 7);
    memo->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);  // stays at the end
    EXPECT_EQ(memo->TopLine(), 24);
    memo->Perform(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(memo->TopLine(), 23);
    TScrollInfo h;
    ASSERT_TRUE(memo->GetScrollInfo(SB_HORZ, h));
    EXPECT_EQ(h.nPage, 180u - 4);  // the text area: the client less two 2-pixel margins
}

TEST_F(Memos, ScrollBarInfoGivesTheThumbAndTheStates)
{
    memo->SetText(Numbered(30));
    TScrollBarInfo info;
    ASSERT_TRUE(memo->GetScrollBarInfo(OBJID_VSCROLL, info));
    EXPECT_EQ(info.cbSize, 60u);
    EXPECT_EQ(info.dxyLineButton, 16);
    // The bar is 80 high: a 48-pixel track; the thumb is page / range of it: 7 * 48 / 31 = 10.
    EXPECT_EQ(info.rcScrollBar, TRect(182, 2, 198, 82));
    EXPECT_EQ(info.xyThumbTop, 16);
    EXPECT_EQ(info.xyThumbBottom, 26);
    EXPECT_EQ(info.rgstate[0], 0u);
    memo->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_TRUE(memo->GetScrollBarInfo(OBJID_VSCROLL, info));
    EXPECT_EQ(info.xyThumbBottom, 80 - 16);
    // A text that fits leaves the bar visible but unavailable, without a thumb length.
    memo->SetText("short");
    ASSERT_TRUE(memo->GetScrollBarInfo(OBJID_VSCROLL, info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.xyThumbBottom - info.xyThumbTop, 0);
    memo->SetText(Numbered(30));
    memo->SetEnabled(false);
    ASSERT_TRUE(memo->GetScrollBarInfo(OBJID_VSCROLL, info));
    EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(Memos, TheWheelAndTheKeysScroll)
{
    memo->SetText(Numbered(30));
    ASSERT_TRUE(host_->RunCommand("move 50 50"));
    memo->SetFocus();
    ASSERT_TRUE(host_->RunCommand("wheel -2"));
    app_->ProcessMessages();
    EXPECT_EQ(memo->TopLine(), 6);
    ASSERT_TRUE(host_->RunCommand("key ctrl+End"));
    app_->ProcessMessages();
    EXPECT_EQ(memo->TopLine(), 24);
    EXPECT_EQ(memo->SelStart(), static_cast<int>(memo->Text().size()));
    ASSERT_TRUE(host_->RunCommand("key ctrl+Home"));
    app_->ProcessMessages();
    EXPECT_EQ(memo->TopLine(), 0);
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(host_->RunCommand("key Down"));
    app_->ProcessMessages();
    EXPECT_EQ(memo->TopLine(), 2);  // the caret on line 8 keeps the view with it
}

TEST_F(Memos, SelectionWithKeysAndMouseAndCopying)
{
    memo->SetText("中文abc\r\nsecond");
    memo->SetFocus();
    for (const char* key : {"key shift+Right", "key shift+Right", "key shift+Right"})
        ASSERT_TRUE(host_->RunCommand(key));
    ASSERT_TRUE(host_->RunCommand("key ctrl+c"));
    app_->ProcessMessages();
    EXPECT_EQ(memo->SelStart(), 0);
    EXPECT_EQ(memo->SelText(), "中文a");
    EXPECT_EQ(host_->Clipboard(), "中文a");
    ASSERT_TRUE(host_->RunCommand("key End"));
    ASSERT_TRUE(host_->RunCommand("key shift+Right"));  // over the line break in one step
    app_->ProcessMessages();
    EXPECT_EQ(memo->SelText(), "\r\n");
    // Drag from the start of "second" two characters on: the text area starts at (4, 3) in
    // window pixels, line 1 at y 11, characters are 5 pixels wide.
    ASSERT_TRUE(host_->RunCommand("down 4 20"));
    ASSERT_TRUE(host_->RunCommand("move 14 20"));
    ASSERT_TRUE(host_->RunCommand("up 14 20"));
    app_->ProcessMessages();
    EXPECT_EQ(memo->SelText(), "se");
    memo->Perform(WM_COPY);
    EXPECT_EQ(host_->Clipboard(), "se");
    ASSERT_TRUE(host_->RunCommand("key ctrl+a"));
    app_->ProcessMessages();
    EXPECT_EQ(memo->SelLength(), static_cast<int>(memo->Text().size()));
}

TEST_F(Memos, WordWrapBreaksAtSpacesAndBetweenChineseCharacters)
{
    memo->SetWordWrap(true);
    // 176 pixels of text area: 35 narrow characters or 16 Chinese ones.
    memo->SetText(std::string(20, 'a') + " " + std::string(20, 'b'));
    EXPECT_EQ(memo->VisualLineCount(), 2);
    std::string chinese;
    for (int i = 0; i < 20; ++i)
        chinese += "字";
    memo->SetText(chinese);
    EXPECT_EQ(memo->VisualLineCount(), 2);
    memo->SetText(std::string(80, 'x'));  // one long word breaks between characters
    EXPECT_EQ(memo->VisualLineCount(), 3);
    TScrollBarInfo info;
    ASSERT_TRUE(memo->GetScrollBarInfo(OBJID_HSCROLL, info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_UNAVAILABLE);  // wrapped text never scrolls sideways
}

TEST_F(Memos, TextKeepsItsBreaksAsCarriageReturnLineFeed)
{
    memo->SetText("a\nb\rc\r\n");
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"a", "b", "c", ""}));
    memo->SetLines({"x", "y"});
    EXPECT_EQ(memo->Text(), "x\r\ny");
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->SetReadOnly(false);
    memo->SetFocus();
    ASSERT_TRUE(host_->RunCommand("key ctrl+End"));
    ASSERT_TRUE(host_->RunCommand("key z"));
    ASSERT_TRUE(host_->RunCommand("key Backspace"));
    ASSERT_TRUE(host_->RunCommand("key Backspace"));
    app_->ProcessMessages();
    EXPECT_EQ(memo->Text(), "x\r\n");
    EXPECT_EQ(changes, 3);
}
