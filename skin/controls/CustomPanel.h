#pragma once

#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/graphics/Picture.h"

enum TsuiDrawStyle { suiNormal, suiStretch, suiTile };

// A panel that shows a picture (once at the top-left corner, stretched, or tiled) with an
// optional caption, and can let its parent show through: behind the picture, and through the
// picture's transparent colour (its bottom-left pixel). It has no bevels, and it never erases
// its background separately, so it does not flicker.
class TsuiCustomPanel : public TCustomPanel {
public:
    explicit TsuiCustomPanel(TComponent* owner);
    ~TsuiCustomPanel() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // A copy is kept; a change of the picture (also through Picture()) sizes the panel while
    // AutoSize is on.
    const TPicture& Picture() const { return picture_; }
    TPicture& Picture() { return picture_; }
    void SetPicture(const TPicture& value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    // The panel takes the picture's size, except in the directions its Align fixes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TsuiDrawStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TsuiDrawStyle value);

protected:
    // Prepares the canvas brush for painting; nothing else is needed inside our own windows.
    virtual void RefreshBrush();
    virtual void CaptionChanged() {}
    virtual void PictureChanged();
    void ApplyAutoSize();

    void Paint() override;
    void WndProc(TMessage& message) override;
    void TextChanged() override;

private:
    void PaintPicture(TCanvas& canvas, const TRect& client) const;

    TPicture picture_;
    bool transparent_ = false;
    bool autoSize_ = false;
    TsuiDrawStyle drawStyle_ = suiNormal;
    bool eraseBackground_ = false;
};
