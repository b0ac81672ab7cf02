#pragma once

#include "skin/controls/TitleBar.h"
#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/messages/Messages.h"

#include <memory>
#include <string>

class TCustomForm;
class TMainMenu;
class TsuiFileTheme;
class TsuiMenuBar;
class TRegion;

// A panel dropped on a top-level form (its host) that takes over the host's frame: it removes
// the system caption, hooks the host's window procedure so that the frame shrinks to a thin
// border, carries a title bar along its top edge, fills the host's client area, paints the
// border and the strip above the title bar into the host's window canvas, and shapes the window
// (rounded top corners for the built-in styles, the opaque pixels of the skin's title and bottom
// pictures for a file theme). With a main menu assigned it shows a menu bar below the title bar.
class TsuiForm : public TCustomPanel {
public:
    static constexpr const char* kVersion = "6.21";

    explicit TsuiForm(TComponent* owner);
    ~TsuiForm() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // --- Style ------------------------------------------------------------------------------
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value);
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value);
    bool UIStyleAutoUpdateSub() const { return uiStyleAutoUpdateSub_; }
    void SetUIStyleAutoUpdateSub(bool value) { uiStyleAutoUpdateSub_ = value; }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    int FrameBorderWidth() const { return borderWidth_; }
    void SetFrameBorderWidth(int value);

    // --- Menu bar ---------------------------------------------------------------------------
    // The menu shown in the bar below the title bar; nil frees the bar. A skinned main menu is
    // linked back to the form while it is shown.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);
    // nullptr while no menu is assigned.
    TsuiMenuBar* MenuBar() const { return menuBar_; }
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor value);
    // Different from MenuBarColor: the bar and the frame beside it shade from one to the other.
    TColor MenuBarToColor() const { return menuBarToColor_; }
    void SetMenuBarToColor(TColor value);
    // The bar's height while it is shown, else 0; the value written is what the bar and its
    // buttons get, now or when the bar is made.
    int MenuBarHeight() const;
    void SetMenuBarHeight(int value);

    // --- Passed to the title bar ------------------------------------------------------------------
    TsuiTitleBar* TitleBar() const { return titleBar_; }
    bool TitleBarCustom() const;
    void SetTitleBarCustom(bool value);
    bool TitleBarVisible() const;
    void SetTitleBarVisible(bool value);
    // The title, also the host form's caption.
    std::string Caption() const;
    void SetCaption(const std::string& value);
    // The title bar's collections as a layout stores them; nothing without a title bar.
    TPropertyValue::Items TitleBarButtonItems() const;
    void SetTitleBarButtonItems(const TPropertyValue::Items& items);
    TPropertyValue::Items TitleBarSectionItems() const;
    void SetTitleBarSectionItems(const TPropertyValue::Items& items);
    bool TitleBarDrawAppIcon() const;
    void SetTitleBarDrawAppIcon(bool value);
    TColor InactiveCaptionColor() const;
    void SetInactiveCaptionColor(TColor value);
    // The title bar's own font, which a layout stores as the form's Font; nullptr without a title
    // bar. The panel keeps its own font for the controls inside it.
    TFont* TitleFont();
    const TFont* TitleFont() const;
    // 0 while the title bar is hidden.
    int RoundCorner() const;
    void SetRoundCorner(int value);
    int RoundCornerBottom() const;
    void SetRoundCornerBottom(int value);
    std::string Version() const { return kVersion; }
    void SetVersion(const std::string&) {}

    // An inner panel made to fill the form; the form itself is refused with an error box.
    TCustomPanel* FormPanel() const { return formPanel_; }
    void SetFormPanel(TCustomPanel* value);

    // --- Frame ------------------------------------------------------------------------------
    TCustomForm* HostForm() const { return host_; }
    // Created on an owner that is no form, or beside another skinned form: nothing is hooked.
    bool Inert() const { return titleBar_ == nullptr; }
    bool Detached() const { return destroying_; }
    // Paints everything of the host window outside its client area.
    void PaintFrame();
    // Shapes the host window.
    void UpdateRegion();
    // The window region the skin bitmaps give for a window of w x h.
    TRegion SkinRegion(int w, int h) const;
    // Gives the host its caption and window procedure back; the form then does nothing more.
    void Detach();

    int MeasuredLeftFrame() const { return measuredLeft_; }
    int MeasuredBottomFrame() const { return measuredBottom_; }
    const TBitmap& BottomBuffer() const { return bottomBuffer_; }

protected:
    // The panel's own frame painting stays reachable beside the host frame's PaintFrame().
    using TCustomPanel::PaintFrame;
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void HostWndProc(TMessage& message);
    void CalcSize(TMessage& message) const;
    int BorderAnswer() const;
    void ApplyStyle();
    void ApplyFileThemeLooks();
    void ApplyBuiltInLooks(TsuiUIStyle style);
    void RefreshHostFrame();
    void HostSized();
    bool HostMinimised() const;
    void PaintFileThemeFrame(TCanvas& canvas, int w, int h);
    void PaintBuiltInFrame(TCanvas& canvas, int w, int h);
    void PaintBottomBorder(TCanvas& canvas, int w, int h);
    bool HandleSystemChar(const TMessage& message);
    bool HandleShortCut(const TMessage& message);
    void CreateMenuBar();
    void FreeMenuBar();
    void UnlinkMenu();
    void PaintMenuBarStrip(TCanvas& canvas, const TRect& rect);
    void StoreMenuBarColors(TColor from, TColor to);

    TsuiTitleBar* titleBar_ = nullptr;
    TsuiMenuBar* menuBar_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TCustomForm* host_ = nullptr;
    TWndMethod previousProc_;
    // What the installed hook calls; cleared when the form goes so that the hook only forwards.
    std::shared_ptr<TsuiForm*> link_;
    int bottomBorderHeight_ = 0;
    int measuredBottom_ = 4;
    int leftBorderWidth_ = 0;
    int measuredLeft_ = 4;
    int rightBorderWidth_ = 0;
    TBitmap bottomBuffer_;
    TColor transColor_ = clFuchsia;
    bool titleNeedsRegion_ = false;
    bool bottomNeedsRegion_ = false;
    int titleRegionMin_ = 0;
    int titleRegionMax_ = 0;
    int bottomRegionMin_ = 0;
    int bottomRegionMax_ = 0;
    TBorderStyle savedBorderStyle_ = bsSizeable;
    TColor borderColor_ = clBlack;
    TCustomPanel* formPanel_ = nullptr;
    int borderWidth_ = 1;
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
    TColor menuBarColor_ = clBtnFace;
    TColor menuBarToColor_ = clBtnFace;
    int menuBarHeight_ = 22;
    bool uiStyleAutoUpdateSub_ = false;
    bool destroying_ = false;
    TRect normalBounds_;
    bool createdMaximised_ = false;
    bool titleBarWanted_ = true;
};

// Makes TsuiForm and TsuiTitleBar, and the theme and menu classes a stored form refers to, known
// to layouts. Safe to call any number of times.
void RegisterFormClasses();
