#pragma once

#include "skin/controls/SystemMenu.h"
#include "skin/controls/TitleBarButton.h"
#include "skin/controls/TitleBarSection.h"
#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Panel.h"

#include <functional>
#include <string>
#include <vector>

class TsuiFileTheme;
class TsuiForm;

using TsuiTitleBarButtonClickEvent = std::function<void(TObject* Sender, int ButtonIndex)>;

// An error box (OK button) for a skin setting that is refused; nothing without an application.
void ShowSkinError(const std::string& text);

// A window title drawn from picture sections, with title buttons laid out from the right, the
// application icon or control box at the left, and the caption between them. The bar tracks
// the cursor over its buttons, runs their actions on its form, moves the window when dragged and
// offers a system menu. On a skinned form (its host) it sits 3 pixels below the window's top
// edge and keeps the whole title picture, frame strips included, for the form to paint from.
class TsuiTitleBar : public TCustomPanel {
public:
    explicit TsuiTitleBar(TComponent* owner);
    ~TsuiTitleBar() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // --- Style ------------------------------------------------------------------------------
    bool Custom() const { return custom_; }
    void SetCustom(bool value) { custom_ = value; }
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    // Applies the current UIStyle again, keeping the font colour.
    void SetFileTheme(TsuiFileTheme* value);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    bool AutoSize() const { return autoSize_; }
    // With sections the bar takes the first section's picture height (less 3 when hosted),
    // whatever the value written; without sections AutoSize becomes false.
    void SetAutoSize(bool value);

    TsuiTitleBarSections& Sections() { return sections_; }
    const TsuiTitleBarSections& Sections() const { return sections_; }
    void SetSections(const TsuiTitleBarSections& value) { sections_.Assign(value); }
    TsuiTitleBarButtons& Buttons() { return buttons_; }
    const TsuiTitleBarButtons& Buttons() const { return buttons_; }
    void SetButtons(const TsuiTitleBarButtons& value) { buttons_.Assign(value); }

    int ButtonInterval() const { return buttonInterval_; }
    void SetButtonInterval(int value);
    const std::string& Caption() const { return TControl::Caption(); }
    void SetCaption(const std::string& value);
    bool FormActive() const { return formActive_; }
    void SetFormActive(bool value);
    int LeftBtnXOffset() const { return leftBtnXOffset_; }
    void SetLeftBtnXOffset(int value);
    int RightBtnXOffset() const { return rightBtnXOffset_; }
    void SetRightBtnXOffset(int value);
    bool DrawAppIcon() const { return drawAppIcon_; }
    void SetDrawAppIcon(bool value);
    int RoundCorner() const { return roundCorner_; }
    void SetRoundCorner(int value) { roundCorner_ = value; }
    int RoundCornerBottom() const { return roundCornerBottom_; }
    void SetRoundCornerBottom(int value) { roundCornerBottom_ = value; }
    TColor InactiveCaptionColor() const { return inactiveCaptionColor_; }
    void SetInactiveCaptionColor(TColor value);

    TsuiTitleBarButtonClickEvent OnCustomBtnsClick;
    TsuiTitleBarButtonClickEvent OnHelpBtnClick;

    // --- What the skinned form paints from ------------------------------------------------------
    // The sections at full size: (Width + 2r) x (Height + 3) when hosted, r being the form's
    // border answer, else the bar's size.
    TBitmap& TitleImage() { return titleImage_; }
    // The title image drawn over the form colour.
    const TBitmap& TitleComposite() const { return titleComposite_; }
    // The picture of section `index`, or nullptr (also for bars of 2 sections or fewer).
    const TPicture* SectionPicture(int index);
    // Exactly 3 or exactly 5 sections.
    bool HasCompleteTitleSkin() const { return sections_.Count() == 3 || sections_.Count() == 5; }
    // Composes the bar (and so the title image) now, shown or not.
    void PaintNow();
    void UpdateMaxButtonPictures();
    TsuiTitleBarPopupMenu& SystemMenu() { return *systemMenu_; }
    void PopupSystemMenu(int screenX, int screenY);

    // --- State of the last paint ----------------------------------------------------------------
    int HotButtonIndex() const { return hotButton_; }
    // Where the last paint put button `index`; empty for a button it skipped.
    TRect ButtonBounds(int index) const;
    const std::string& SectionCaption() const { return sectionCaption_; }
    bool Pressed() const { return pressed_; }
    int ButtonRow() const { return buttonRow_; }
    int IconRow() const { return iconRow_; }
    int CaptionRow() const { return captionRow_; }
    TColor TransparentColor() const { return transColor_; }

    // Its parent is a skinned form.
    bool Hosted() const;
    // Right-to-left reading needs a right-to-left system locale, which the toolkit never reports.
    bool IsRightToLeft() const { return false; }
    bool HasVisibleButton(TsuiTitleBarBtnType type) const;
    // What a click on a button of that type does to the parent form.
    void RunButtonAction(TsuiTitleBarBtnType type, int index = -1);

protected:
    virtual void DrawSections(TBitmap& target);
    virtual void DrawButtons(TBitmap& target);
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void FontChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Compose(TBitmap& target);
    void ApplyStyle();
    void ApplyFileThemeStyle();
    void ApplyBuiltInStyle(TsuiUIStyle style);
    void AddSection(const TBitmap& picture, bool autoSize, TsuiTitleBarAlign align, bool capSec);
    void DoubleClick();
    int BorderAnswer() const;
    std::string FitCaption(const TCanvas& canvas, int width) const;
    void DrawCaption(TCanvas& canvas, int x0, int bx);
    void DrawAppIconAt(TCanvas& canvas, int x, int y);

    bool custom_ = false;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiUIStyle uiStyle_ = DeepBlue;
    bool autoSize_ = false;
    TsuiTitleBarSections sections_{this};
    TsuiTitleBarButtons buttons_{this};
    int buttonInterval_ = 0;
    bool formActive_ = true;
    int leftBtnXOffset_ = 0;
    int rightBtnXOffset_ = 0;
    bool drawAppIcon_ = true;
    int roundCorner_ = 0;
    int roundCornerBottom_ = 0;
    TColor inactiveCaptionColor_ = clInactiveCaption;

    TsuiTitleBarPopupMenu* systemMenu_ = nullptr;
    bool fiveSections_ = false;
    std::string sectionCaption_;
    TBitmap titleImage_;
    TBitmap titleComposite_;
    TColor formColor_ = 0;
    TColor transColor_ = 0;
    bool pressed_ = false;
    int hotButton_ = -1;
    std::vector<TRect> buttonBounds_;
    int buttonRow_ = 0;
    int iconRow_ = 0;
    int captionRow_ = 0;
    bool keepFontColor_ = false;
};
