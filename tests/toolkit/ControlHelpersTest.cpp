#include "ToolkitTestSupport.h"

#include "skin/themes/ControlHelpers.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/forms/Form.h"

namespace {

// A windowless control that asks its parent for its own background: the parent's WM_PAINT
// paints it again, which must not recurse.
class TSelfish : public TGraphicControl {
public:
    explicit TSelfish(TComponent* owner) : TGraphicControl(owner) {}
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        DrawParentBackground(Canvas(), *this);
    }
};

}  // namespace

TEST_F(ToolkitTest, ParentBackgroundLandsShiftedAndClipped)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(0, 0, 40, 30);
    panel->SetColor(clRed);
    auto* mark = new TLabel(panel);  // a blue square at (12, 10) of the panel
    mark->SetParent(panel);
    mark->SetAutoSize(false);
    mark->SetBounds(12, 10, 2, 2);
    mark->SetColor(clBlue);
    auto* child = new TPanel(&form);
    child->SetParent(panel);
    child->SetBounds(10, 8, 8, 6);

    TBitmap picture(8, 6);
    TCanvas canvas(picture);
    DrawParentBackground(canvas, *child);
    EXPECT_EQ(picture.Pixel(0, 0), clRed);
    EXPECT_EQ(picture.Pixel(2, 2), clBlue);  // the mark, moved by the child's position
    EXPECT_EQ(picture.Pixel(4, 4), clRed);
    EXPECT_EQ(canvas.Origin(), TPoint(0, 0));  // put back
    EXPECT_EQ(canvas.SaveDepth(), 0);

    // Near the parent's edge only the parent's client area is painted into.
    child->SetBounds(36, 26, 8, 6);
    TBitmap edge(8, 6);
    TCanvas edgeCanvas(edge);
    edgeCanvas.Brush().SetColor(clLime);
    edgeCanvas.FillRect(TRect(0, 0, 8, 6));
    DrawParentBackground(edgeCanvas, *child);
    EXPECT_EQ(edge.Pixel(3, 3), clRed);
    EXPECT_EQ(edge.Pixel(4, 4), clLime);

    TPanel orphan(nullptr);
    DrawParentBackground(edgeCanvas, orphan);  // no parent: nothing happens
    EXPECT_EQ(edge.Pixel(4, 4), clLime);
}

TEST_F(ToolkitTest, ParentBackgroundOfAWindowlessControlDoesNotRecurse)
{
    TPanel panel(nullptr);
    panel.SetColor(clRed);
    auto* selfish = new TSelfish(&panel);
    selfish->SetParent(&panel);
    selfish->SetBounds(2, 2, 5, 5);
    TBitmap picture(5, 5);
    TCanvas canvas(picture);
    selfish->Perform(WM_PAINT, reinterpret_cast<TWParam>(&canvas), 0);
    EXPECT_EQ(selfish->paints, 2);  // its own paint, and once inside the parent's
    EXPECT_EQ(picture.Pixel(0, 0), clRed);
}

TEST_F(ToolkitTest, WorkAreaComesFromTheHost)
{
    EXPECT_EQ(GetWorkArea(), TRect(0, 0, 1024, 738));
    app_->CreateForm<TForm>();
    EXPECT_EQ(GetWorkArea(), TRect(0, 0, 1024, 738));
    app_.reset();
    EXPECT_EQ(GetWorkArea(), TRect());
}

TEST_F(ToolkitTest, PositionAndBoundsGoThroughTheProperties)
{
    TPanel panel(nullptr);
    SetControlPos(panel, TPoint(5, 7));
    EXPECT_EQ(panel.BoundsRect().TopLeft(), TPoint(5, 7));
    SetControlBounds(panel, TRect(10, 20, 40, 25));
    EXPECT_EQ(panel.BoundsRect(), TRect(10, 20, 40, 25));
    SetControlBounds(panel, TRect(10, 20, 5, 10));  // inverted: no negative sizes
    EXPECT_EQ(panel.Width(), 0);
    EXPECT_EQ(panel.Height(), 0);
    TForm form(nullptr);
    form.MinWidth = 100;
    SetControlBounds(form, TRect(0, 0, 50, 50));  // the form's constraint still holds
    EXPECT_EQ(form.Width(), 100);
}

TEST_F(ToolkitTest, FormActivityFollowsTheMainFormRule)
{
    TForm loose(nullptr);
    EXPECT_FALSE(IsFormActive(&loose));
    EXPECT_FALSE(IsFormActive(nullptr));
    auto* main = app_->CreateForm<TForm>();
    auto* other = new TForm(app_.get());
    EXPECT_FALSE(IsFormActive(main));  // the application is not active yet
    main->Show();
    EXPECT_TRUE(IsFormActive(main));
    EXPECT_TRUE(IsFormActive(nullptr));
    EXPECT_FALSE(IsFormActive(other));
    other->Show();  // now the other one is active
    EXPECT_TRUE(IsFormActive(other));
    EXPECT_TRUE(IsFormActive(main));  // the main form always counts as active while the application is
    other->SetActive(false);
    EXPECT_FALSE(IsFormActive(main));
}

TEST_F(ToolkitTest, PublishedPropertiesAndScrollBarInformation)
{
    TMemo memo(nullptr);
    EXPECT_TRUE(HasPublishedProperty(memo, "ScrollBars"));
    EXPECT_TRUE(HasPublishedProperty(memo, "lines.strings"));
    EXPECT_FALSE(HasPublishedProperty(memo, "FileTheme"));
    TScrollBarInfo info;
    EXPECT_EQ(GetScrollBarInfoSafe(nullptr, OBJID_VSCROLL, info), 0);
    memo.SetScrollBars(ssVertical);
    EXPECT_EQ(GetScrollBarInfoSafe(&memo, OBJID_VSCROLL, info), 1);
    EXPECT_EQ(info.dxyLineButton, 16);
    EXPECT_EQ(GetScrollBarInfoSafe(&memo, OBJID_HSCROLL, info), 1);
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_INVISIBLE);
    TPanel panel(nullptr);
    EXPECT_EQ(GetScrollBarInfoSafe(&panel, OBJID_VSCROLL, info), 1);
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_INVISIBLE);
}
