#include "skin/controls/ImageButton.h"

#include <memory>

namespace {

TPictureValue PictureValueOf(const TPicture& picture)
{
    return picture.Graphic() ? std::make_shared<const TBitmap>(*picture.Graphic()) : nullptr;
}

TPicture PictureOf(const TPictureValue& value)
{
    TPicture picture;
    if (value)
        picture.Assign(*value);
    return picture;
}

} // namespace

TsuiImageButton::TsuiImageButton(TComponent* owner) : TsuiCustomButton(owner) {}

const TClassInfo& TsuiImageButton::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiImageButton", &TsuiCustomButton::StaticClassInfo(),
        [](TComponent* owner) { return new TsuiImageButton(owner); },
        [](TClassInfo& c) {
            using B = TsuiImageButton;
            auto picture = [&c](const char* name, const TPicture& (B::*get)() const, void (B::*set)(const TPicture&)) {
                TPublisher<B>(c).Picture(
                    name, [get](const B& self) { return PictureValueOf((self.*get)()); },
                    [set](B& self, const TPictureValue& value) { (self.*set)(PictureOf(value)); });
            };
            picture("PicNormal", &B::PicNormal, &B::SetPicNormal);
            picture("PicMouseOn", &B::PicMouseOn, &B::SetPicMouseOn);
            picture("PicMouseDown", &B::PicMouseDown, &B::SetPicMouseDown);
            picture("PicDisabled", &B::PicDisabled, &B::SetPicDisabled);
            TPublisher<B>(c)
                .Boolean("Stretch", &B::Stretch, &B::SetStretch)
                .Boolean("DrawFocused", &B::DrawFocused, &B::SetDrawFocused);
        });
    return info;
}

void TsuiImageButton::SetPicture(TPicture& slot, const TPicture& value)
{
    slot.Assign(value);
    ApplyAutoSize();
    Repaint();
}

void TsuiImageButton::SetPicNormal(const TPicture& value) { SetPicture(picNormal_, value); }
void TsuiImageButton::SetPicMouseOn(const TPicture& value) { SetPicture(picMouseOn_, value); }
void TsuiImageButton::SetPicMouseDown(const TPicture& value) { SetPicture(picMouseDown_, value); }
void TsuiImageButton::SetPicDisabled(const TPicture& value) { SetPicture(picDisabled_, value); }

void TsuiImageButton::SetStretch(bool value)
{
    stretch_ = value;
    Repaint();
}

void TsuiImageButton::SetDrawFocused(bool value)
{
    drawFocused_ = value;
    Repaint();
}

void TsuiImageButton::ApplyAutoSize()
{
    if (AutoSize() && Parent() && !picNormal_.Empty())
        SetBounds(Left(), Top(), picNormal_.Width(), picNormal_.Height());
}

void TsuiImageButton::CopyFace(const TPicture& picture, TBitmap& face) const
{
    const TPicture& shown = picture.Empty() ? picNormal_ : picture;
    face = shown.Graphic() ? *shown.Graphic() : TBitmap();
}

void TsuiImageButton::GetNormalFace(TBitmap& face) { CopyFace(picNormal_, face); }
void TsuiImageButton::GetMouseOnFace(TBitmap& face) { CopyFace(picMouseOn_, face); }
void TsuiImageButton::GetPressedFace(TBitmap& face) { CopyFace(picMouseDown_, face); }
void TsuiImageButton::GetDisabledFace(TBitmap& face) { CopyFace(picDisabled_, face); }

void TsuiImageButton::PaintFace(TCanvas& canvas, TBitmap& face)
{
    if (face.Empty())
        return;
    // Takes effect only while the button is Transparent (the face's flag follows it).
    face.SetTransparentColor(face.Pixel(0, 0));
    if (stretch_)
        canvas.StretchDraw(ClientRect(), face);
    else
        canvas.Draw(0, 0, face);
}

void TsuiImageButton::PaintFocus(TCanvas& canvas)
{
    if (drawFocused_)
        TsuiCustomButton::PaintFocus(canvas);
}
