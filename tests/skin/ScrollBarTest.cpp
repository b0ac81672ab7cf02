// The skinned scroll bar: its value arithmetic (thumb place and length, position under the
// pointer), the clamping setters and OnChange, paging while the track is held, dragging the
// thumb, and arrows that step only while held.
#include "skin/ControlTestSupport.h"
#include "skin/controls/ImageButton.h"
#include "skin/controls/ImagePanel.h"
#include "skin/controls/ScrollBar.h"
#include "skin/controls/ScrollTrackBar.h"
#include "toolkit/messages/Messages.h"

#include <climits>

using namespace controltest;

namespace {

class ScrollBarTest : public ControlTest {
protected:
    // A horizontal DeepBlue bar at (10, 10) whose track is 200 pixels long.
    TsuiScrollBar* MakeBar()
    {
        bar = new TsuiScrollBar(form);
        bar->SetParent(form);
        bar->SetUIStyle(DeepBlue);
        bar->SetBounds(10, 10, 232, 16);
        bar->SetOnChange([this](TObject* sender) {
            ++changes;
            senders.push_back(sender);
        });
        return bar;
    }
    TsuiScrollTrackBar& Track() { return *bar->Track(); }
    // Window x of a point `along` pixels into the track.
    int TrackX(int along) const { return bar->Left() + bar->Track()->Left() + along; }

    TsuiScrollBar* bar = nullptr;
    int changes = 0;
    std::vector<TObject*> senders;
};

} // namespace

TEST_F(ScrollBarTest, NewBarIsHorizontalLongAndAsThickAsItsArrows)
{
    auto* fresh = new TsuiScrollBar(form);
    fresh->SetParent(form);
    EXPECT_EQ(fresh->Orientation(), suiHorizontal);
    EXPECT_EQ(fresh->Width(), 185);
    EXPECT_EQ(fresh->Height(), 16);
    EXPECT_EQ(fresh->Max(), 100);
    EXPECT_EQ(fresh->Min(), 0);
    EXPECT_EQ(fresh->PageSize(), 2);
    EXPECT_EQ(fresh->SmallChange(), 1);
    EXPECT_EQ(fresh->Color(), TColor(0xF5F5F5));
    EXPECT_EQ(fresh->Track()->Color(), TColor(0xF5F5F5));
    EXPECT_EQ(fresh->DecrementButton()->Left(), 0);
    EXPECT_EQ(fresh->Track()->Left(), 16);
    EXPECT_EQ(fresh->Track()->Width(), 185 - 32);
    EXPECT_EQ(fresh->IncrementButton()->Left(), 185 - 16);
    EXPECT_FALSE(fresh->DecrementButton()->TabStop());
    EXPECT_FALSE(fresh->Track()->TabStop());
    // Built-in thumbs lie in three 7 x 16 parts.
    EXPECT_EQ(fresh->ThumbStart().Width(), 7);
    EXPECT_EQ(fresh->ThumbStart().Height(), 16);

    fresh->SetOrientation(suiVertical);
    fresh->SetBounds(0, 0, 40, 120);
    EXPECT_EQ(fresh->Width(), 16);
    EXPECT_EQ(fresh->Track()->Top(), 16);
    EXPECT_EQ(fresh->Track()->Height(), 120 - 32);
    EXPECT_EQ(fresh->IncrementButton()->Top(), 120 - 16);
    EXPECT_EQ(fresh->ThumbStart().Width(), 16);  // turned upright
    EXPECT_EQ(fresh->ThumbStart().Height(), 7);

    fresh->SetWidth(0);
    EXPECT_FALSE(fresh->Visible());
}

TEST_F(ScrollBarTest, ThumbLengthFollowsPageSizeOrLineButton)
{
    MakeBar();
    ASSERT_EQ(Track().TrackLength(), 200);
    bar->SetPageSize(5);  // below 10: counts as 10 %
    EXPECT_EQ(Track().ThumbLength(), 20);
    bar->SetPageSize(50);
    EXPECT_EQ(Track().ThumbLength(), 100);
    bar->SetPageSize(101);  // above Max: refused
    EXPECT_EQ(bar->PageSize(), 50);
    bar->SetPageSize(-1);
    EXPECT_EQ(bar->PageSize(), 50);
    bar->SetLargeChange(30);  // the page step only; the thumb stays
    EXPECT_EQ(bar->PageSize(), 30);
    EXPECT_EQ(Track().ThumbLength(), 100);

    bar->SetLineButton(8);
    EXPECT_EQ(bar->LineButton(), 16);
    EXPECT_EQ(Track().ThumbLength(), 16);
    bar->SetLineButton(201);  // longer than the track: refused
    EXPECT_EQ(bar->LineButton(), 16);
    bar->SetLineButton(200);
    EXPECT_EQ(Track().ThumbLength(), 200);
    bar->SetLineButton(0);
    EXPECT_EQ(Track().ThumbLength(), 60);
}

TEST_F(ScrollBarTest, ThumbPlaceAndPositionFromPoint)
{
    MakeBar();
    bar->SetPageSize(10);  // thumb 20, room 180
    bar->SetPosition(50);
    EXPECT_EQ(Track().ThumbOffset(), 90);
    EXPECT_EQ(Track().Thumb()->Left(), 90);
    bar->SetMax(3);
    bar->SetPosition(1);
    EXPECT_EQ(Track().ThumbOffset(), 60);
    // Halves go to the even neighbour: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
    EXPECT_EQ(Track().PositionFromPoint(30), 0);
    EXPECT_EQ(Track().PositionFromPoint(90), 2);
    EXPECT_EQ(Track().PositionFromPoint(150), 2);
    EXPECT_EQ(Track().PositionFromPoint(-60), -1);  // not clamped here
    bar->SetMin(-3);
    EXPECT_EQ(Track().PositionFromPoint(0), -3);

    // Long ranges do not overflow the product.
    bar->SetMin(0);
    bar->SetMax(2000000000);
    bar->SetPosition(1500000000);
    EXPECT_EQ(Track().ThumbOffset(), 135);
}

TEST_F(ScrollBarTest, MinEqualToMaxKeepsTheThumbAtTheStart)
{
    MakeBar();
    bar->SetPageSize(0);
    bar->SetMax(0);
    EXPECT_EQ(Track().ThumbOffset(), 0);
    ShowForm();
    const int thumbX = TrackX(Track().Thumb()->Left() + 3);
    Run("move " + std::to_string(thumbX) + " 15; down " + std::to_string(thumbX) + " 15");
    Run("move " + std::to_string(thumbX + 90) + " 15; up " + std::to_string(thumbX + 90) + " 15");
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(Track().Thumb()->Left(), 0);
}

TEST_F(ScrollBarTest, ThumbAsLongAsTheTrackGivesZeroClamped)
{
    MakeBar();
    bar->SetLineButton(200);
    bar->SetMin(5);
    bar->SetMax(50);
    EXPECT_EQ(Track().PositionFromPoint(120), 0);
    ShowForm();
    Run("move " + std::to_string(TrackX(100)) + " 15; down " + std::to_string(TrackX(100)) + " 15");
    Run("move " + std::to_string(TrackX(180)) + " 15");
    EXPECT_EQ(bar->Position(), 5);  // 0, clamped to Min
    Run("up " + std::to_string(TrackX(180)) + " 15");
}

TEST_F(ScrollBarTest, SettersClampAndReportOnce)
{
    MakeBar();
    bar->SetPosition(150);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], bar->Track());  // the track is the sender
    bar->SetPosition(100);
    EXPECT_EQ(changes, 1);

    bar->SetMax(40);  // below Position: Position follows, one report
    EXPECT_EQ(bar->Position(), 40);
    EXPECT_EQ(changes, 2);
    bar->SetMin(60);  // above Max: lowered to Max
    EXPECT_EQ(bar->Min(), 40);
    EXPECT_EQ(changes, 2);
    bar->SetMin(0);
    bar->SetMax(-5);  // below Min: raised to Min
    EXPECT_EQ(bar->Max(), 0);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, 3);
}

TEST_F(ScrollBarTest, HoldingTheTrackPagesTowardThePointer)
{
    MakeBar();
    bar->SetPageSize(10);  // thumb 20 pixels, room 180
    ShowForm();
    // 150 pixels in stands for 83.
    const std::string at = std::to_string(TrackX(150)) + " 15";
    Run("move " + at + "; down " + at);
    EXPECT_EQ(bar->Position(), 10);  // one page at once
    EXPECT_TRUE(Track().Paging());
    Advance(99);
    EXPECT_EQ(bar->Position(), 10);
    Advance(1);
    EXPECT_EQ(bar->Position(), 40);  // three pages per tick across
    Advance(100);
    EXPECT_EQ(bar->Position(), 70);
    Advance(200);
    EXPECT_EQ(bar->Position(), 83);  // never beyond the pointer
    Run("up " + at);
    EXPECT_FALSE(Track().Paging());

    // Before the thumb it pages back, again stopping at the pointer.
    const std::string back = std::to_string(TrackX(20)) + " 15";
    Run("move " + back + "; down " + back);
    EXPECT_EQ(bar->Position(), 73);
    Advance(300);
    EXPECT_EQ(bar->Position(), 11);
    // Leaving the track stops the paging.
    Run("move " + std::to_string(TrackX(20)) + " 60");
    EXPECT_FALSE(Track().Paging());
    Run("up " + std::to_string(TrackX(20)) + " 60");
}

TEST_F(ScrollBarTest, VerticalTrackPagesOnePagePerTick)
{
    MakeBar();
    bar->SetOrientation(suiVertical);
    bar->SetBounds(10, 10, 16, 232);
    bar->SetPageSize(10);
    ShowForm();
    const std::string at = "15 " + std::to_string(bar->Top() + Track().Top() + 190);
    Run("move " + at + "; down " + at);
    EXPECT_EQ(bar->Position(), 10);
    Advance(100);
    EXPECT_EQ(bar->Position(), 20);
    Run("up " + at);
}

TEST_F(ScrollBarTest, DraggingTheThumbReportsEachChangeOnce)
{
    MakeBar();
    bar->SetPageSize(10);
    ShowForm();
    const int grab = TrackX(5);
    Run("move " + std::to_string(grab) + " 15; down " + std::to_string(grab) + " 15");
    EXPECT_TRUE(Track().Dragging());
    EXPECT_FALSE(Track().Paging());
    Run("move " + std::to_string(grab + 18) + " 15");
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(Track().Thumb()->Left(), 18);
    EXPECT_EQ(changes, 1);
    Run("move " + std::to_string(grab + 18) + " 12");  // same value: no report
    EXPECT_EQ(changes, 1);
    Run("move " + std::to_string(grab + 400) + " 15");  // far beyond the track
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(changes, 2);
    Run("move " + std::to_string(grab - 400) + " 15");
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, 3);
    Run("up " + std::to_string(grab - 400) + " 15");
    EXPECT_FALSE(Track().Dragging());
}

TEST_F(ScrollBarTest, ArrowsStepOnlyWhileHeld)
{
    MakeBar();
    bar->SetSmallChange(7);
    ShowForm();
    const std::string inc = std::to_string(bar->Left() + bar->Width() - 8) + " 15";
    Run("move " + inc + "; down " + inc);
    Advance(50);
    Run("up " + inc);
    EXPECT_EQ(bar->Position(), 0);  // a quick click moves nothing

    Run("down " + inc);
    Advance(99);
    EXPECT_EQ(bar->Position(), 0);
    Advance(1);
    EXPECT_EQ(bar->Position(), 7);
    Advance(100);
    EXPECT_EQ(bar->Position(), 14);
    Run("up " + inc);
    Advance(300);
    EXPECT_EQ(bar->Position(), 14);

    const std::string dec = "18 15";
    Run("move " + dec + "; down " + dec);
    Advance(300);
    Run("up " + dec);
    EXPECT_EQ(bar->Position(), 0);  // clamped at Min

    // Stepping past the end of the int range clamps rather than wraps.
    bar->SetMax(INT_MAX);
    bar->SetPosition(INT_MAX - 3);
    Run("move " + inc + "; down " + inc);
    Advance(100);
    Run("up " + inc);
    EXPECT_EQ(bar->Position(), INT_MAX);
}

#ifdef MERROWIN_BUILTIN_SKIN
TEST_F(ScrollBarTest, SkinThumbKeepsThreePixelCaps)
{
    TSkinFixture skin;
    auto* theme = new TsuiFileTheme(form, skin.services);
    theme->SetThemeFile(MERROWIN_BUILTIN_SKIN);
    ASSERT_TRUE(theme->Ready());
    MakeBar();
    bar->SetFileTheme(theme);
    bar->SetUIStyle(FromThemeFile);
    EXPECT_EQ(bar->Color(), theme->GetColor(SKIN2_SCROLLBARCOLOR));
    bar->SetPageSize(40);
    const TBitmap* thumb = Track().Thumb()->Picture().Graphic();
    ASSERT_NE(thumb, nullptr);
    const int length = thumb->Width();
    const TBitmap& end = bar->ThumbEnd();
    const TBitmap& start = bar->ThumbStart();
    ASSERT_GE(length, 20);
    for (int y = 0; y < thumb->Height(); ++y) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(thumb->Pixel(length - 3 + i, y), end.Pixel(end.Width() - 3 + i, y));
            EXPECT_EQ(thumb->Pixel(i, y), start.Pixel(i, y));
        }
    }
    // Removing the theme falls back to DeepBlue.
    delete theme;
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->UIStyle(), DeepBlue);
    EXPECT_EQ(bar->Color(), TColor(0xF5F5F5));
}
#endif
