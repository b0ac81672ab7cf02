#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/graphics/Picture.h"

#include <cstdint>
#include <memory>

class TsuiFileTheme;

enum TsuiProgressBarOrientation { suiHorizontal, suiVertical };

// A skinned progress bar. With a ready file theme it is drawn from the skin's pieces (start cap,
// fill, unfilled rest, end cap) over the whole control; otherwise the style's fill picture is
// stretched over the filled part inside a one-pixel border. The percentage is the control's text
// and may be drawn centred on top.
//
// Min, Max and Position are taken as they come (no clamping, no ordering): the fill is empty
// for Min >= Max or Position <= Min, full for Position > Max, and the percentage shows the
// unclamped value.
class TsuiProgressBar : public TCustomPanel {
public:
    explicit TsuiProgressBar(TComponent* owner);
    ~TsuiProgressBar() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Max() const { return max_; }
    void SetMax(int value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    // Both re-apply the looks (pictures, colours, rotation).
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation value);
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    // The fill picture; a copy is kept.
    const TPicture& Picture() const { return picture_; }
    void SetPicture(const TPicture& value);
    // A vertical bar drawn without a skin turns this off when it paints.
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    TColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(TColor value);
    // Hides the caption while Position equals Min.
    bool SmartShowCaption() const { return smartShowCaption_; }
    void SetSmartShowCaption(bool value);

    // (Position - Min) / (Max - Min) x 100 truncated toward zero; 0 for Min = Max.
    int64_t Percentage() const;
    // The part of `length` pixels the value fills.
    int FilledLength(int length) const;
    // The skin pieces of the last file theme applied, or nullptr before one was.
    const TBitmap* StartCap() const { return startCap_.get(); }
    const TBitmap* UnfilledPart() const { return unfilled_.get(); }
    const TBitmap* EndCap() const { return endCap_.get(); }

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void ColorChanged() override;

private:
    void ApplyStyle();
    void ApplyThemePictures();
    void UpdateText();
    bool DrawsFromSkin() const;
    void PaintSkinHorizontal(TCanvas& canvas) const;
    void PaintSkinVertical(TCanvas& canvas) const;
    void PaintPlainHorizontal(TCanvas& canvas) const;
    void PaintPlainVertical(TCanvas& canvas);
    void PaintCaption(TCanvas& canvas) const;

    int max_ = 100;
    int min_ = 0;
    int position_ = 50;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiProgressBarOrientation orientation_ = suiHorizontal;
    TColor borderColor_ = clBlack;
    TPicture picture_;
    bool showCaption_ = true;
    TColor captionColor_ = clBlack;
    bool smartShowCaption_ = false;
    std::unique_ptr<TBitmap> startCap_;
    std::unique_ptr<TBitmap> unfilled_;
    std::unique_ptr<TBitmap> endCap_;
    bool applying_ = false;
};
