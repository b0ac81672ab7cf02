#include "skin/controls/ScrollBar.h"

#include "skin/controls/ImageButton.h"
#include "skin/controls/ImagePanel.h"
#include "skin/controls/ScrollTrackBar.h"
#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"

#include <algorithm>
#include <exception>

namespace {

constexpr int kArrowInterval = 100;
constexpr int kDefaultLength = 185;
constexpr int kMinThumb = 16;
constexpr int kSkinCap = 3;

// A piece of a lying (left to right) or upright (top to bottom) picture: [from, to) along its
// axis, its whole thickness across.
TRect Span(bool horizontal, int from, int to, int thickness)
{
    return horizontal ? TRect(from, 0, to, thickness) : TRect(0, from, thickness, to);
}

int LengthOf(const TBitmap& bitmap, bool horizontal) { return horizontal ? bitmap.Width() : bitmap.Height(); }

void StretchSpan(TCanvas& canvas, bool horizontal, int thickness, int to0, int to1, const TBitmap& piece, int from0,
                 int from1)
{
    if (to1 <= to0 || from1 <= from0)
        return;
    const int across = horizontal ? piece.Height() : piece.Width();
    canvas.CopyRect(Span(horizontal, to0, to1, thickness), piece, Span(horizontal, from0, from1, across));
}

TPicture PictureOf(const TBitmap& bitmap)
{
    TPicture picture;
    picture.Assign(bitmap);
    return picture;
}

} // namespace

TsuiScrollBar::TsuiScrollBar(TComponent* owner) : TCustomPanel(owner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);

    track_ = new TsuiScrollTrackBar(this);
    track_->SetParent(this);
    track_->SetMax(100);

    incButton_ = new TsuiImageButton(this);
    decButton_ = new TsuiImageButton(this);
    for (TsuiImageButton* button : {incButton_, decButton_}) {
        button->SetParent(this);
        button->SetMouseContinuouslyDownInterval(kArrowInterval);
        button->SetTabStop(false);
    }
    // Only holding an arrow steps; OnClick stays free, so a quick click moves nothing.
    incButton_->OnMouseContinuouslyDown = [this](TObject*) { Step(smallChange_); };
    decButton_->OnMouseContinuouslyDown = [this](TObject*) { Step(-int(smallChange_)); };

    // The pictures decide the thickness, so nothing is laid out before they are there.
    laying_ = true;
    SetHeight(kDefaultLength);
    uiStyle_ = GetDefaultUIStyle(owner);
    ApplyPictures();
    laying_ = false;
    Layout();
}

TsuiScrollBar::~TsuiScrollBar()
{
    // The children go with the components this bar owns; nothing may call back into it then.
    incButton_->OnMouseContinuouslyDown = nullptr;
    decButton_->OnMouseContinuouslyDown = nullptr;
    track_->OnChange = nullptr;
}

const TClassInfo& TsuiScrollBar::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiScrollBar", &TCustomPanel::StaticClassInfo(), [](TComponent* owner) { return new TsuiScrollBar(owner); },
        [](TClassInfo& c) {
            using S = TsuiScrollBar;
            TPublisher<S>(c)
                .Component<TsuiFileTheme>("FileTheme", &S::FileTheme, &S::SetFileTheme)
                .Integer("LineButton", &S::LineButton, &S::SetLineButton)
                .Enum<TsuiProgressBarOrientation>("Orientation", {"suiHorizontal", "suiVertical"}, &S::Orientation,
                                                  &S::SetOrientation)
                .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &S::UIStyle, &S::SetUIStyle)
                .Integer("Max", &S::Max, &S::SetMax)
                .Integer("Min", &S::Min, &S::SetMin)
                .Integer("Position", &S::Position, &S::SetPosition)
                .Integer(
                    "SmallChange", [](const S& self) { return int(self.SmallChange()); },
                    [](S& self, int value) { self.SetSmallChange(uint16_t(value)); })
                .Integer(
                    "LargeChange", [](const S& self) { return int(self.LargeChange()); },
                    [](S& self, int value) { self.SetLargeChange(uint16_t(value)); })
                .Integer("PageSize", &S::PageSize, &S::SetPageSize);
        });
    return info;
}

// --- Values, kept by the track ----------------------------------------------------------------

int TsuiScrollBar::Max() const { return track_->Max(); }
void TsuiScrollBar::SetMax(int value) { track_->SetMax(value); }
int TsuiScrollBar::Min() const { return track_->Min(); }
void TsuiScrollBar::SetMin(int value) { track_->SetMin(value); }
int TsuiScrollBar::Position() const { return track_->Position(); }

void TsuiScrollBar::SetPosition(int value)
{
    if (value != track_->Position())
        track_->SetPosition(value);
}

uint16_t TsuiScrollBar::LargeChange() const { return uint16_t(track_->PageSize() & 0xFFFF); }
void TsuiScrollBar::SetLargeChange(uint16_t value) { track_->SetPageSize(value); }
int TsuiScrollBar::PageSize() const { return track_->PageSize(); }

void TsuiScrollBar::SetPageSize(int value)
{
    track_->SetPageSize(value);
    BuildThumb();
}

const TNotifyEvent& TsuiScrollBar::OnChange() const { return track_->OnChange; }
void TsuiScrollBar::SetOnChange(TNotifyEvent handler) { track_->OnChange = std::move(handler); }

void TsuiScrollBar::SetThumbVisible(bool value)
{
    if (track_->Thumb()->Visible() != value)
        track_->Thumb()->SetVisible(value);
}

// Widened first: a step from near the end of the int range must clamp, not wrap.
void TsuiScrollBar::Step(int delta)
{
    const int64_t target = int64_t(track_->Position()) + delta;
    track_->SetPosition(int(std::clamp<int64_t>(target, track_->Min(), track_->Max())));
}

int TsuiScrollBar::ArrowRoom() const
{
    if (orientation_ == suiHorizontal)
        return Width() - incButton_->Width() - decButton_->Width();
    return Height() - incButton_->Height() - decButton_->Height();
}

void TsuiScrollBar::SetLineButton(int value)
{
    if (value == lineButton_ || value > ArrowRoom())
        return;
    lineButton_ = value;
    BuildThumb();
}

// --- Looks ----------------------------------------------------------------------------------

void TsuiScrollBar::SetFileTheme(TsuiFileTheme* value)
{
    ReplaceReference(fileTheme_, value);
    SetUIStyle(uiStyle_);
}

void TsuiScrollBar::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    track_->SetColor(Color());
    ApplyPictures();
    Layout();
}

void TsuiScrollBar::SetOrientation(TsuiProgressBarOrientation value)
{
    if (value == orientation_)
        return;
    orientation_ = value;
    ApplyPictures();
    Layout();
}

void TsuiScrollBar::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove || !component || component != fileTheme_)
        return;
    fileTheme_ = nullptr;
    if (IsDestroying())
        uiStyle_ = DeepBlue;
    else
        SetUIStyle(DeepBlue);
}

bool TsuiScrollBar::DrawsFromFileTheme() const
{
    TsuiUIStyle effective;
    return UsesFileTheme(fileTheme_, uiStyle_, effective);
}

void TsuiScrollBar::ApplyPictures()
{
    TsuiUIStyle effective;
    if (UsesFileTheme(fileTheme_, uiStyle_, effective))
        ApplyThemePictures();
    else
        ApplyStylePictures(effective);
    for (TsuiImageButton* button : {incButton_, decButton_})
        button->SetAutoSize(true);
    Repaint();
}

// The skin keeps its thumb upright in three parts stacked top to bottom; turned, it lies like
// the built-in ones.
void TsuiScrollBar::ApplyThemePictures()
{
    SetColor(fileTheme_->GetColor(SKIN2_SCROLLBARCOLOR));
    TBitmap thumb;
    if (const TBitmap* skin = fileTheme_->GetBitmap(SKIN2_SCROLLBAR))
        thumb = *skin;
    RotateBitmapLeft(thumb);
    CopyBitmapFrame(thumb, thumbStart_, 3, 1);
    CopyBitmapFrame(thumb, thumbMiddle_, 3, 2);
    CopyBitmapFrame(thumb, thumbEnd_, 3, 3);
    if (orientation_ == suiVertical) {
        RotateBitmapRight(thumbStart_);
        RotateBitmapRight(thumbMiddle_);
        RotateBitmapRight(thumbEnd_);
    }
    auto arrows = [this](TsuiImageButton* button, TsuiSkinBitmapKey key) {
        TBitmap frames[3];
        for (int k = 0; k < 3; ++k) {
            fileTheme_->CopyBitmap(key, &frames[k], 3, k + 1);
            if (orientation_ == suiHorizontal)
                RotateBitmapLeft(frames[k]);
        }
        button->SetPicNormal(PictureOf(frames[0]));
        button->SetPicMouseOn(PictureOf(frames[1]));
        button->SetPicMouseDown(PictureOf(frames[2]));
    };
    arrows(decButton_, SKIN2_SCROLLBARUPBUTTON);
    arrows(incButton_, SKIN2_SCROLLBARDOWNBUTTON);
}

void TsuiScrollBar::ApplyStylePictures(TsuiUIStyle style)
{
    SetColor(GetStyleColor(style, STYLE_SCROLLBAR_COLOR));
    TBitmap frames[6];
    try {
        GetStyleBitmap(style, STYLE_SCROLLBAR_TRACK_IMAGE, &thumbStart_, 3, 1);
        GetStyleBitmap(style, STYLE_SCROLLBAR_TRACK_IMAGE, &thumbMiddle_, 3, 2);
        GetStyleBitmap(style, STYLE_SCROLLBAR_TRACK_IMAGE, &thumbEnd_, 3, 3);
        for (int k = 0; k < 6; ++k)
            GetStyleBitmap(style, STYLE_SCROLLBAR_BUTTON_IMAGE, &frames[k], 6, k + 1);
    } catch (const std::exception&) {
        // A program without its style bitmaps still shows a working bar, only without pictures.
    }
    if (orientation_ == suiVertical) {
        RotateBitmapRight(thumbStart_);
        RotateBitmapRight(thumbMiddle_);
        RotateBitmapRight(thumbEnd_);
    } else {
        for (TBitmap& frame : frames)
            RotateBitmapLeft(frame);
    }
    decButton_->SetPicNormal(PictureOf(frames[0]));
    decButton_->SetPicMouseOn(PictureOf(frames[1]));
    decButton_->SetPicMouseDown(PictureOf(frames[2]));
    incButton_->SetPicNormal(PictureOf(frames[3]));
    incButton_->SetPicMouseOn(PictureOf(frames[4]));
    incButton_->SetPicMouseDown(PictureOf(frames[5]));
}

void TsuiScrollBar::ColorChanged()
{
    TCustomPanel::ColorChanged();
    if (track_)
        track_->SetColor(Color());
}

// --- Layout ---------------------------------------------------------------------------------

void TsuiScrollBar::Layout()
{
    if (laying_ || !track_)
        return;
    laying_ = true;
    track_->SetOrientation(orientation_);
    if (Width() == 0 || Height() == 0) {
        SetVisible(false);
        laying_ = false;
        return;
    }
    if (orientation_ == suiVertical) {
        const int thickness = thumbStart_.Width();
        decButton_->SetBounds(0, 0, decButton_->Width(), decButton_->Height());
        track_->SetBounds(0, decButton_->Height(), thickness,
                          Height() - incButton_->Height() - decButton_->Height());
        incButton_->SetBounds(0, Height() - incButton_->Height(), incButton_->Width(), incButton_->Height());
        SetWidth(decButton_->Width());
    } else {
        const int thickness = thumbStart_.Height();
        decButton_->SetBounds(0, 0, decButton_->Width(), decButton_->Height());
        track_->SetBounds(decButton_->Width(), 0, Width() - incButton_->Width() - decButton_->Width(),
                          thickness);
        incButton_->SetBounds(Width() - incButton_->Width(), 0, incButton_->Width(), incButton_->Height());
        SetHeight(decButton_->Height());
    }
    BuildThumb();
    track_->PlaceThumb();
    laying_ = false;
}

void TsuiScrollBar::BoundsChanged(bool resized)
{
    TCustomPanel::BoundsChanged(resized);
    if (resized)
        Layout();
}

// The thumb picture: start piece, stretched middle, end piece. Skin thumbs keep 3-pixel caps
// and their middle at its own size when there is room, so grips stay sharp.
void TsuiScrollBar::BuildThumb()
{
    if (!track_)
        return;
    const bool horizontal = orientation_ == suiHorizontal;
    const int thickness = horizontal ? thumbStart_.Height() : thumbStart_.Width();
    int length = 0;
    if (lineButton_ > 0) {
        lineButton_ = std::max(lineButton_, kMinThumb);
        length = lineButton_;
    } else {
        int percent = track_->PageSize();
        if (percent < 10 || percent > 100)
            percent = 10;
        const int trackLength = track_->TrackLength();
        if (trackLength > 0)
            length = int(int64_t(percent) * trackLength / 100);
    }
    TBitmap picture = horizontal ? TBitmap(length, thickness) : TBitmap(thickness, length);
    if (length > 0 && thickness > 0) {
        TCanvas canvas(picture);
        canvas.Draw(0, 0, thumbStart_);
        const int startLength = LengthOf(thumbStart_, horizontal);
        const int middleLength = LengthOf(thumbMiddle_, horizontal);
        const int endLength = LengthOf(thumbEnd_, horizontal);
        if (!DrawsFromFileTheme()) {
            if (horizontal)
                canvas.Draw(length - endLength, 0, thumbEnd_);
            else
                canvas.Draw(0, length - endLength, thumbEnd_);
            StretchSpan(canvas, horizontal, thickness, startLength, length - endLength, thumbMiddle_, 0, middleLength);
        } else {
            StretchSpan(canvas, horizontal, thickness, length - kSkinCap, length, thumbEnd_, endLength - kSkinCap,
                        endLength);
            if (length - 2 * kSkinCap < middleLength) {
                if (!thumbMiddle_.Empty() && length > 2 * kSkinCap)
                    StretchBitmapHalftone(thumbMiddle_, canvas,
                                          Span(horizontal, kSkinCap, length - kSkinCap, thickness));
            } else {
                const int middle = (length - middleLength - 2 * kSkinCap) / 2 + kSkinCap;
                if (horizontal)
                    canvas.Draw(middle, 0, thumbMiddle_);
                else
                    canvas.Draw(0, middle, thumbMiddle_);
                StretchSpan(canvas, horizontal, thickness, kSkinCap, middle, thumbStart_, kSkinCap, startLength);
                StretchSpan(canvas, horizontal, thickness, middle + middleLength, length - kSkinCap, thumbEnd_, 0,
                            endLength - kSkinCap);
            }
        }
    }
    track_->SetThumbPicture(picture);
}

// --- Messages -------------------------------------------------------------------------------

void TsuiScrollBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_SIZE:
        TCustomPanel::WndProc(message);
        Layout();
        return;
    case CM_VISIBLECHANGED:
        TCustomPanel::WndProc(message);
        if (track_) {
            track_->SetVisible(Visible());
            incButton_->SetVisible(Visible());
            decButton_->SetVisible(Visible());
        }
        return;
    default:
        TCustomPanel::WndProc(message);
    }
}
