#include "skin/controls/CustomPanel.h"

#include "skin/controls/PaintSupport.h"
#include "skin/themes/ControlHelpers.h"
#include "skin/themes/DrawingHelpers.h"

TsuiCustomPanel::TsuiCustomPanel(TComponent* owner) : TCustomPanel(owner)
{
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    picture_.OnChange = [this] { PictureChanged(); };
}

TsuiCustomPanel::~TsuiCustomPanel() { picture_.OnChange = nullptr; }

const TClassInfo& TsuiCustomPanel::StaticClassInfo()
{
    static const TClassInfo info("TsuiCustomPanel", &TCustomPanel::StaticClassInfo(), nullptr);
    return info;
}

void TsuiCustomPanel::SetPicture(const TPicture& value)
{
    picture_.Assign(value);
    RefreshBrush();
    Repaint();
}

void TsuiCustomPanel::PictureChanged()
{
    if (!picture_.Empty()) {
        ApplyAutoSize();
        picture_.Bitmap().SetTransparent(transparent_);
    }
    RefreshBrush();
    Repaint();
}

void TsuiCustomPanel::SetTransparent(bool value)
{
    transparent_ = value;
    if (!picture_.Empty())
        picture_.Bitmap().SetTransparent(value);
    Repaint();
}

void TsuiCustomPanel::SetAutoSize(bool value)
{
    autoSize_ = value;
    if (!picture_.Empty())
        ApplyAutoSize();
}

void TsuiCustomPanel::ApplyAutoSize()
{
    if (!autoSize_)
        return;
    const TAlign align = Align();
    const bool keepWidth = align == alTop || align == alBottom || align == alClient;
    const bool keepHeight = align == alLeft || align == alRight || align == alClient;
    SetBounds(Left(), Top(), keepWidth ? Width() : picture_.Width(), keepHeight ? Height() : picture_.Height());
}

void TsuiCustomPanel::SetDrawStyle(TsuiDrawStyle value)
{
    drawStyle_ = value;
    RefreshBrush();
    Repaint();
}

void TsuiCustomPanel::RefreshBrush() { Canvas().Brush().SetColor(Color()); }

void TsuiCustomPanel::TextChanged()
{
    CaptionChanged();
    Repaint();
}

void TsuiCustomPanel::Paint()
{
    const TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    TBitmap buffer = BlankBitmap(client.Width(), client.Height());
    TCanvas canvas(buffer);
    // Opaque, the panel's colour is what shows wherever the picture does not reach.
    if (transparent_) {
        DrawParentBackground(canvas, *this);
    } else {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(client);
    }
    if (!picture_.Empty())
        PaintPicture(canvas, client);
    if (HasVisibleText(Caption())) {
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        canvas.SetFont(Font());
        unsigned flags = DT_SINGLELINE | DT_VCENTER;
        flags |= Alignment() == taLeftJustify ? DT_LEFT : Alignment() == taRightJustify ? DT_RIGHT : DT_CENTER;
        TRect area = client;
        canvas.DrawText(Caption(), area, flags);
    }
    Canvas().CopyRect(client, buffer, client);
}

void TsuiCustomPanel::PaintPicture(TCanvas& canvas, const TRect& client) const
{
    switch (drawStyle_) {
    case suiStretch:
        canvas.StretchDraw(client, picture_);
        break;
    case suiTile:
        TilePicture(canvas, picture_, client);
        break;
    case suiNormal:
        canvas.Draw(0, 0, picture_);
        break;
    }
}

void TsuiCustomPanel::WndProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND && !eraseBackground_) {
        message.Result = 1;
        return;
    }
    TCustomPanel::WndProc(message);
}
