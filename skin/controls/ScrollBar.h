#pragma once

#include "skin/controls/ProgressBar.h"
#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/graphics/Bitmap.h"

#include <cstdint>

class TsuiFileTheme;
class TsuiImageButton;
class TsuiScrollTrackBar;

// A skinned scroll bar made of child controls: a decrement arrow at the start, an increment
// arrow at the end and the track with its thumb between them. The arrows and the thumb come
// from the file theme's scroll-bar pictures or from the built-in style bitmaps; both are drawn
// for a vertical bar and turned for a horizontal one. The value lives in the track, which also
// fires OnChange (with the track as sender).
//
// The arrows step only while held (first after 100 ms, then every 100 ms), so a quick click
// moves nothing.
class TsuiScrollBar : public TCustomPanel {
public:
    explicit TsuiScrollBar(TComponent* owner);
    ~TsuiScrollBar() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Both re-apply the pictures and the layout.
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation value);

    // A fixed thumb length in pixels, at least 16 once the thumb is built; 0 lets the thumb
    // follow PageSize. A length that does not fit between the arrows is refused.
    int LineButton() const { return lineButton_; }
    void SetLineButton(int value);
    uint16_t SmallChange() const { return smallChange_; }
    void SetSmallChange(uint16_t value) { smallChange_ = value; }
    // The track's page size (low 16 bits); writing it leaves the thumb as it is.
    uint16_t LargeChange() const;
    void SetLargeChange(uint16_t value);
    // The page step, and the thumb's length as a percentage of the track (below 10 or above
    // 100 counts as 10) while LineButton is 0.
    int PageSize() const;
    void SetPageSize(int value);
    int Max() const;
    void SetMax(int value);
    int Min() const;
    void SetMin(int value);
    int Position() const;
    void SetPosition(int value);
    const TNotifyEvent& OnChange() const;
    void SetOnChange(TNotifyEvent handler);

    // Shows or hides the thumb.
    void SetThumbVisible(bool value);

    TsuiScrollTrackBar* Track() const { return track_; }
    TsuiImageButton* IncrementButton() const { return incButton_; }
    TsuiImageButton* DecrementButton() const { return decButton_; }
    const TBitmap& ThumbStart() const { return thumbStart_; }
    const TBitmap& ThumbMiddle() const { return thumbMiddle_; }
    const TBitmap& ThumbEnd() const { return thumbEnd_; }

protected:
    void WndProc(TMessage& message) override;
    void BoundsChanged(bool resized) override;
    void ColorChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool DrawsFromFileTheme() const;
    void ApplyPictures();
    void ApplyThemePictures();
    void ApplyStylePictures(TsuiUIStyle style);
    void Layout();
    void BuildThumb();
    int ArrowRoom() const;
    void Step(int delta);

    TsuiScrollTrackBar* track_ = nullptr;
    TsuiImageButton* incButton_ = nullptr;
    TsuiImageButton* decButton_ = nullptr;
    TBitmap thumbStart_;
    TBitmap thumbMiddle_;
    TBitmap thumbEnd_;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiProgressBarOrientation orientation_ = suiHorizontal;
    uint16_t smallChange_ = 1;
    int lineButton_ = 0;
    bool laying_ = false;
};
