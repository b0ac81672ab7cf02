#pragma once

#include "skin/controls/CustomButton.h"
#include "toolkit/graphics/Picture.h"

// A skinned button that shows one picture per state instead of a face strip: the arrows of the
// skinned scroll bar. Each state falls back to PicNormal when its own picture is empty.
class TsuiImageButton : public TsuiCustomButton {
public:
    explicit TsuiImageButton(TComponent* owner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Assigning any of them copies the picture and repaints; PicNormal also sizes the button
    // while AutoSize is on and it has a parent.
    const TPicture& PicNormal() const { return picNormal_; }
    void SetPicNormal(const TPicture& value);
    const TPicture& PicMouseOn() const { return picMouseOn_; }
    void SetPicMouseOn(const TPicture& value);
    const TPicture& PicMouseDown() const { return picMouseDown_; }
    void SetPicMouseDown(const TPicture& value);
    const TPicture& PicDisabled() const { return picDisabled_; }
    void SetPicDisabled(const TPicture& value);
    // The picture stretched over the whole button rather than at its own size.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    // Whether the focus rectangle is drawn at all.
    bool DrawFocused() const { return drawFocused_; }
    void SetDrawFocused(bool value);

protected:
    void ApplyAutoSize() override;
    void PaintFace(TCanvas& canvas, TBitmap& face) override;
    void PaintFocus(TCanvas& canvas) override;
    void GetNormalFace(TBitmap& face) override;
    void GetMouseOnFace(TBitmap& face) override;
    void GetPressedFace(TBitmap& face) override;
    void GetDisabledFace(TBitmap& face) override;

private:
    void SetPicture(TPicture& slot, const TPicture& value);
    void CopyFace(const TPicture& picture, TBitmap& face) const;

    TPicture picNormal_;
    TPicture picMouseOn_;
    TPicture picMouseDown_;
    TPicture picDisabled_;
    bool stretch_ = false;
    bool drawFocused_ = false;
};
