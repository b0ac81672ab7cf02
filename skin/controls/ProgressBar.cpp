#include "skin/controls/ProgressBar.h"

#include "skin/controls/PaintSupport.h"
#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

namespace {

// Rows (or columns) at each end of a skin piece that keep their size when it is stretched
// across the bar, so its rounded or shaded edges stay crisp.
constexpr int kKeptEdge = 2;

// Source rows [from, to) stretched over target rows [top, bottom), across target's full width.
void CopyRows(TCanvas& canvas, const TBitmap& source, const TRect& target, int from, int to, int top, int bottom)
{
    if (to <= from || bottom <= top)
        return;
    canvas.CopyRect(TRect(target.Left, top, target.Right, bottom), source, TRect(0, from, source.Width(), to));
}

void CopyColumns(TCanvas& canvas, const TBitmap& source, const TRect& target, int from, int to, int left, int right)
{
    if (to <= from || right <= left)
        return;
    canvas.CopyRect(TRect(left, target.Top, right, target.Bottom), source, TRect(from, 0, to, source.Height()));
}

// A piece of a horizontal bar: stretched to the target's width, its top and bottom rows kept.
void DrawKeptRows(TCanvas& canvas, const TBitmap& source, const TRect& target)
{
    if (target.Left < 0 || source.Empty() || target.IsEmpty())
        return;
    const int sh = source.Height(), h = target.Height();
    const int top = std::min({kKeptEdge, h, sh});
    CopyRows(canvas, source, target, 0, top, target.Top, target.Top + top);
    if (h <= kKeptEdge)
        return;
    const int bottom = std::min(kKeptEdge, sh);
    CopyRows(canvas, source, target, sh - bottom, sh, target.Bottom - bottom, target.Bottom);
    CopyRows(canvas, source, target, kKeptEdge, sh - kKeptEdge, target.Top + kKeptEdge, target.Bottom - kKeptEdge);
}

// A piece of a vertical bar: stretched to the target's height, its left and right columns kept.
void DrawKeptColumns(TCanvas& canvas, const TBitmap& source, const TRect& target)
{
    if (target.Left < 0 || source.Empty() || target.IsEmpty())
        return;
    const int sw = source.Width(), w = target.Width();
    const int left = std::min({kKeptEdge, w, sw});
    CopyColumns(canvas, source, target, 0, left, target.Left, target.Left + left);
    if (w <= kKeptEdge)
        return;
    const int right = std::min(kKeptEdge, sw);
    CopyColumns(canvas, source, target, sw - right, sw, target.Right - right, target.Right);
    CopyColumns(canvas, source, target, kKeptEdge, sw - kKeptEdge, target.Left + kKeptEdge, target.Right - kKeptEdge);
}

std::unique_ptr<TBitmap> TrueColorCopy(const TBitmap* source)
{
    auto copy = std::make_unique<TBitmap>();
    if (source)
        *copy = *source;
    copy->SetPixelFormat(TPixelFormat::pf24bit);
    copy->SetTransparent(false);
    return copy;
}

} // namespace

TsuiProgressBar::TsuiProgressBar(TComponent* owner) : TCustomPanel(owner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    picture_.OnChange = [this] {
        if (!applying_)
            Repaint();
    };
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 150, 12);
    UpdateText();
    SetUIStyle(GetDefaultUIStyle(owner));
    UpdateText();
}

TsuiProgressBar::~TsuiProgressBar() { picture_.OnChange = nullptr; }

const TClassInfo& TsuiProgressBar::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiProgressBar", &TCustomPanel::StaticClassInfo(), [](TComponent* owner) { return new TsuiProgressBar(owner); },
        [](TClassInfo& c) {
            using P = TsuiProgressBar;
            TPublisher<P>(c)
                .Component<TsuiFileTheme>("FileTheme", &P::FileTheme, &P::SetFileTheme)
                .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &P::UIStyle, &P::SetUIStyle)
                .Color("CaptionColor", &P::CaptionColor, &P::SetCaptionColor)
                .Boolean("ShowCaption", &P::ShowCaption, &P::SetShowCaption)
                .Boolean("SmartShowCaption", &P::SmartShowCaption, &P::SetSmartShowCaption)
                .Integer("Max", &P::Max, &P::SetMax)
                .Integer("Min", &P::Min, &P::SetMin)
                .Integer("Position", &P::Position, &P::SetPosition)
                .Enum<TsuiProgressBarOrientation>("Orientation", {"suiHorizontal", "suiVertical"}, &P::Orientation,
                                                  &P::SetOrientation)
                .Color("BorderColor", &P::BorderColor, &P::SetBorderColor)
                .Picture(
                    "Picture",
                    [](const P& self) {
                        const TBitmap* bitmap = self.Picture().Graphic();
                        return bitmap ? std::make_shared<const TBitmap>(*bitmap) : TPictureValue();
                    },
                    [](P& self, const TPictureValue& value) {
                        TPicture picture;
                        if (value)
                            picture.Assign(*value);
                        self.SetPicture(picture);
                    });
        });
    return info;
}

// --- Value ----------------------------------------------------------------------------------

int64_t TsuiProgressBar::Percentage() const
{
    if (min_ == max_)
        return 0;
    const double share = double(int64_t(position_) - min_) / double(int64_t(max_) - min_);
    return int64_t(std::trunc(share * 100.0));
}

int TsuiProgressBar::FilledLength(int length) const
{
    if (min_ >= max_ || position_ <= min_)
        return 0;
    if (position_ > max_)
        return length;
    const double share = double(int64_t(position_) - min_) / double(int64_t(max_) - min_);
    return int(std::trunc(share * length));
}

void TsuiProgressBar::UpdateText() { SetText(std::to_string(Percentage()) + "%"); }

void TsuiProgressBar::SetMax(int value)
{
    max_ = value;
    UpdateText();
    Repaint();
}

void TsuiProgressBar::SetMin(int value)
{
    min_ = value;
    UpdateText();
    Repaint();
}

void TsuiProgressBar::SetPosition(int value)
{
    position_ = value;
    UpdateText();
    Repaint();
}

// --- Looks ----------------------------------------------------------------------------------

void TsuiProgressBar::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    ApplyStyle();
}

void TsuiProgressBar::SetOrientation(TsuiProgressBarOrientation value)
{
    orientation_ = value;
    ApplyStyle();
}

void TsuiProgressBar::SetFileTheme(TsuiFileTheme* value)
{
    ReplaceReference(fileTheme_, value);
    SetUIStyle(uiStyle_);
}

void TsuiProgressBar::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove || component != fileTheme_ || !component)
        return;
    // The skin pieces stay; they are used only while a theme is ready.
    fileTheme_ = nullptr;
    if (IsDestroying())
        uiStyle_ = DeepBlue;
    else
        SetUIStyle(DeepBlue);
}

void TsuiProgressBar::ApplyStyle()
{
    applying_ = true;
    TsuiUIStyle effective;
    if (UsesFileTheme(fileTheme_, uiStyle_, effective)) {
        ApplyThemePictures();
    } else {
        TBitmap fill = picture_.Graphic() ? *picture_.Graphic() : TBitmap();
        try {
            GetStyleBitmap(effective, STYLE_PROGRESSBAR_IMAGE, &fill, 0, 0);
            picture_.Assign(fill);
        } catch (const std::exception&) {
            picture_.Clear();
        }
        SetColor(GetStyleColor(effective, STYLE_PROGRESSBAR_COLOR));
        borderColor_ = GetStyleColor(effective, STYLE_CONTROL_BORDER_COLOR);
    }
    if (orientation_ == suiVertical && !picture_.Empty())
        RotateBitmapLeft(picture_.Bitmap());
    applying_ = false;
    Repaint();
}

void TsuiProgressBar::ApplyThemePictures()
{
    if (const TBitmap* fill = fileTheme_->GetBitmap(SKIN2_PROGRESSBAR2))
        picture_.Assign(*fill);
    else
        picture_.Clear();
    SetColor(fileTheme_->GetColor(SKIN2_CONTROLCOLOR));
    borderColor_ = fileTheme_->GetColor(SKIN2_CONTROLBORDERCOLOR);
    startCap_ = TrueColorCopy(fileTheme_->GetBitmap(SKIN2_PROGRESSBAR1));
    unfilled_ = TrueColorCopy(fileTheme_->GetBitmap(SKIN2_PROGRESSBAR3));
    endCap_ = TrueColorCopy(fileTheme_->GetBitmap(SKIN2_PROGRESSBAR4));
    if (orientation_ == suiVertical) {
        RotateBitmapLeft(*startCap_);
        RotateBitmapLeft(*unfilled_);
        RotateBitmapLeft(*endCap_);
    }
}

void TsuiProgressBar::SetBorderColor(TColor value)
{
    borderColor_ = value;
    Repaint();
}

void TsuiProgressBar::SetPicture(const TPicture& value) { picture_.Assign(value); }

void TsuiProgressBar::SetShowCaption(bool value)
{
    showCaption_ = value;
    Repaint();
}

void TsuiProgressBar::SetCaptionColor(TColor value)
{
    captionColor_ = value;
    Repaint();
}

void TsuiProgressBar::SetSmartShowCaption(bool value)
{
    smartShowCaption_ = value;
    Repaint();
}

void TsuiProgressBar::ColorChanged()
{
    if (!applying_)
        Repaint();
}

// --- Painting -------------------------------------------------------------------------------

bool TsuiProgressBar::DrawsFromSkin() const
{
    TsuiUIStyle effective;
    return UsesFileTheme(fileTheme_, uiStyle_, effective) && startCap_ && unfilled_ && endCap_;
}

void TsuiProgressBar::Paint()
{
    const TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    TBitmap buffer = BlankBitmap(client.Width(), client.Height());
    TCanvas canvas(buffer);
    const bool skin = DrawsFromSkin();
    if (skin) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(client);
        if (orientation_ == suiHorizontal)
            PaintSkinHorizontal(canvas);
        else
            PaintSkinVertical(canvas);
    } else if (orientation_ == suiHorizontal) {
        PaintPlainHorizontal(canvas);
    } else {
        PaintPlainVertical(canvas);
    }
    PaintCaption(canvas);
    if (!skin) {
        canvas.Brush().SetColor(borderColor_);
        canvas.FrameRect(client);
    }
    Canvas().CopyRect(client, buffer, client);
}

// Start cap, fill, unfilled rest, end cap, left to right over the full height.
void TsuiProgressBar::PaintSkinHorizontal(TCanvas& canvas) const
{
    const int w = ClientWidth(), h = ClientHeight();
    const int start = startCap_->Width(), end = endCap_->Width();
    const int filled = FilledLength(w - start - end);
    DrawKeptRows(canvas, *startCap_, TRect(0, 0, start, h));
    if (const TBitmap* fill = picture_.Graphic())
        DrawKeptRows(canvas, *fill, TRect(start, 0, start + filled, h));
    DrawKeptRows(canvas, *unfilled_, TRect(start + filled, 0, w - end, h));
    DrawKeptRows(canvas, *endCap_, TRect(w - end, 0, w, h));
}

// The start cap at the bottom, the fill growing upwards from it, the end cap at the top.
void TsuiProgressBar::PaintSkinVertical(TCanvas& canvas) const
{
    const int w = ClientWidth(), h = ClientHeight();
    const int start = startCap_->Height(), end = endCap_->Height();
    const int filled = FilledLength(h - start - end);
    DrawKeptColumns(canvas, *startCap_, TRect(0, h - start, w, h));
    if (const TBitmap* fill = picture_.Graphic())
        DrawKeptColumns(canvas, *fill, TRect(0, h - start - filled, w, h - start));
    DrawKeptColumns(canvas, *endCap_, TRect(0, 0, w, end));
    DrawKeptColumns(canvas, *unfilled_, TRect(0, end, w, h - start - filled));
}

// Inside the one-pixel border: the picture over the filled part, Color over the rest. One
// column is always given to the fill, even an empty one.
void TsuiProgressBar::PaintPlainHorizontal(TCanvas& canvas) const
{
    const int w = ClientWidth(), h = ClientHeight();
    const int f = std::max(1, FilledLength(w - 1));
    const TRect fill(1, 1, f, h - 1);
    if (!picture_.Empty() && !fill.IsEmpty())
        canvas.StretchDraw(fill, picture_);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(TRect(f, 1, w - 1, h - 1));
}

void TsuiProgressBar::PaintPlainVertical(TCanvas& canvas)
{
    const int w = ClientWidth(), h = ClientHeight();
    const int top = std::max(1, h - 1 - FilledLength(h - 1));
    // Rows top .. h - 2, drawn from the bottom up: the picture is mirrored top to bottom.
    if (!picture_.Empty() && top < h - 1 && w > 2)
        canvas.StretchDraw(TRect(1, h - 1, w - 1, top), picture_);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(TRect(1, 1, w - 1, top));
    // A vertical bar without a skin has no room for a caption, for good.
    showCaption_ = false;
}

void TsuiProgressBar::PaintCaption(TCanvas& canvas) const
{
    if (!showCaption_ || (smartShowCaption_ && position_ == min_))
        return;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    TFont font;
    font.SetColor(captionColor_);
    canvas.SetFont(font);
    const std::string& text = Text();
    canvas.TextOut((ClientWidth() - canvas.TextWidth(text)) / 2, (ClientHeight() - canvas.TextHeight(text)) / 2, text);
}

void TsuiProgressBar::WndProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TCustomPanel::WndProc(message);
}
