#include "skin/controls/Form.h"

#include "skin/controls/MainMenu.h"
#include "skin/controls/MenuBar.h"
#include "skin/controls/TitleBarStorage.h"
#include "skin/themes/ControlHelpers.h"
#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"
#include "skin/themes/ThemeManager.h"
#include "toolkit/application/Application.h"
#include "toolkit/controls/FontProperties.h"
#include "toolkit/forms/CustomForm.h"
#include "toolkit/graphics/Region.h"
#include "toolkit/resources/Resources.h"

#include <algorithm>
#include <memory>

namespace {

constexpr uint32_t kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr int kTitleTop = 3;
// Toolkit notifications after which the host's style may carry a caption again.
constexpr uint32_t kRecreateNotices[] = {0xB033, 0xB03A, 0xBE10};

int MeasuredFrame(int value) { return value < 0 || value > 12 ? 4 : value; }

void Fill(TCanvas& canvas, const TRect& rect, TColor color)
{
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

int BitmapWidth(const TBitmap* bitmap) { return bitmap ? bitmap->Width() : 0; }
int BitmapHeight(const TBitmap* bitmap) { return bitmap ? bitmap->Height() : 0; }

// The rows of a skin picture that belong to the window: whole rows outside [first, after), and
// the opaque runs of each row inside it.
void AddPictureRows(TRegion& region, const TBitmap& picture, TColor transColor, int minY, int maxY, int w, int top)
{
    const int h = picture.Height();
    const int first = minY == -1 ? 0 : minY;
    const int after = minY >= maxY ? h : maxY + 1;
    if (minY >= 1)
        region.AddRect(TRect(0, top, w, top + minY));
    region.Combine(TRegion::FromBitmapRuns(picture, transColor, first, after, 0, top), TRegionOp::Or);
    if (after < h)
        region.AddRect(TRect(0, top + after, w, top + h));
}

}  // namespace

TsuiForm::TsuiForm(TComponent* owner) : TCustomPanel(owner)
{
    auto* host = dynamic_cast<TCustomForm*>(owner);
    if (!host)
        return;
    for (int i = 0; i < host->ControlCount(); ++i)
        if (dynamic_cast<TsuiForm*>(host->Controls(i)))
            return;
    host_ = host;
    const TPoint client = host->ClientOffset();
    measuredBottom_ = MeasuredFrame(host->Height() - (client.Y + host->ClientHeight()));
    measuredLeft_ = MeasuredFrame(client.X);
    bottomBuffer_.SetPixelFormat(TPixelFormat::pf24bit);
    host->SetBorderWidth(0);
    normalBounds_ = host->BoundsRect();
    createdMaximised_ = host->WindowState() == wsMaximized;
    SetParent(host);

    titleBar_ = new TsuiTitleBar(this);
    titleBar_->SetParent(this);
    menuBarColor_ = Color();
    menuBarToColor_ = Color();
    menuBarHeight_ = 22;
    SetUIStyle(DeepBlue);
    uiStyleAutoUpdateSub_ = false;

    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderWidth(0);
    SetAlign(alClient);
    SetCaption(host->Caption());
    SetTitleBarVisible(true);
    titleBarWanted_ = true;
    TControl::SetText(" ");

    host->Scaled = false;
    savedBorderStyle_ = host->BorderStyle();
    if (savedBorderStyle_ == bsNone || savedBorderStyle_ == bsSingle || savedBorderStyle_ == bsToolWindow)
        host->SetBorderStyle(bsDialog);
    host->SetWindowLong(GWL_STYLE, host->WindowLong(GWL_STYLE) & ~WS_CAPTION);
    host->AutoScroll = false;

    previousProc_ = host->WindowProc;
    link_ = std::make_shared<TsuiForm*>(this);
    // Once the form is gone the hook only forwards: a host being destroyed may still send.
    host->WindowProc = [link = link_, previous = previousProc_](TMessage& message) {
        if (*link)
            (*link)->HostWndProc(message);
        else if (previous)
            previous(message);
    };
    RefreshHostFrame();
}

TsuiForm::~TsuiForm()
{
    Destroying();
    if (host_ && !host_->IsDestroying())
        Detach();
    destroying_ = true;
    if (link_)
        *link_ = nullptr;
    UnlinkMenu();
    // The bar goes before the title bar, which the form's owned components take with them.
    delete menuBar_;
    menuBar_ = nullptr;
}

const TClassInfo& TsuiForm::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiForm", &TCustomPanel::StaticClassInfo(), [](TComponent* owner) { return new TsuiForm(owner); },
        [](TClassInfo& c) {
            using P = TsuiForm;
            TPublisher<P> publisher(c);
            publisher
                .Boolean("TitleBarCustom", &P::TitleBarCustom, &P::SetTitleBarCustom)
                .Component<TsuiFileTheme>("FileTheme", &P::FileTheme, &P::SetFileTheme)
                .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &P::UIStyle, &P::SetUIStyle)
                .Boolean("UIStyleAutoUpdateSub", &P::UIStyleAutoUpdateSub, &P::SetUIStyleAutoUpdateSub)
                .Color("BorderColor", &P::BorderColor, &P::SetBorderColor)
                .Integer("BorderWidth", &P::FrameBorderWidth, &P::SetFrameBorderWidth)
                .Boolean("TitleBarVisible", &P::TitleBarVisible, &P::SetTitleBarVisible)
                .String("Caption", &P::Caption, &P::SetCaption)
                .Collection("TitleBarButtons", &P::TitleBarButtonItems, &P::SetTitleBarButtonItems)
                .Collection("TitleBarSections", &P::TitleBarSectionItems, &P::SetTitleBarSectionItems)
                .Boolean("TitleBarDrawAppIcon", &P::TitleBarDrawAppIcon, &P::SetTitleBarDrawAppIcon);
            PublishFont(publisher, "Font", [](auto& self) { return self.TitleFont(); });
            publisher
                .Component<TMainMenu>("Menu", &P::Menu, &P::SetMenu)
                .Color("MenuBarColor", &P::MenuBarColor, &P::SetMenuBarColor)
                .Color("MenuBarToColor", &P::MenuBarToColor, &P::SetMenuBarToColor)
                .Integer("MenuBarHeight", &P::MenuBarHeight, &P::SetMenuBarHeight)
                .Integer("RoundCorner", &P::RoundCorner, &P::SetRoundCorner)
                .Integer("RoundCornerBottom", &P::RoundCornerBottom, &P::SetRoundCornerBottom)
                .String("Version", &P::Version, &P::SetVersion)
                .Color("InactiveCaptionColor", &P::InactiveCaptionColor, &P::SetInactiveCaptionColor);
        });
    return info;
}

void RegisterFormClasses()
{
    // A stored skinned form names its file theme and theme manager too.
    RegisterThemeClasses();
    static const bool done = [] {
        RegisterClass(TsuiForm::StaticClassInfo());
        RegisterClass(TsuiTitleBar::StaticClassInfo());
        RegisterClass(TMainMenu::StaticClassInfo());
        RegisterClass(TMenuItem::StaticClassInfo());
        RegisterClass(TsuiMainMenu::StaticClassInfo());
        return true;
    }();
    (void)done;
}

// --- Properties -----------------------------------------------------------------------------

void TsuiForm::SetFileTheme(TsuiFileTheme* value)
{
    if (value == fileTheme_)
        return;
    // A theme from elsewhere arrives after the layout sized the window for the stored frame.
    if (host_ && IsLoading() && value && value->Owner() != host_)
        host_->SetClientSize(host_->ClientWidth() + 4, host_->ClientHeight() + 3);
    if (fileTheme_)
        fileTheme_->RemoveFreeNotification(this);
    fileTheme_ = value;
    if (value)
        value->FreeNotification(this);
    SetUIStyle(uiStyle_);
}

void TsuiForm::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    if (titleBar_)
        ApplyStyle();
}

void TsuiForm::SetBorderColor(TColor value)
{
    borderColor_ = value;
    PaintFrame();
}

void TsuiForm::SetFrameBorderWidth(int value)
{
    borderWidth_ = value;
    PaintFrame();
}

bool TsuiForm::TitleBarCustom() const { return titleBar_ && titleBar_->Custom(); }

void TsuiForm::SetTitleBarCustom(bool value)
{
    if (titleBar_)
        titleBar_->SetCustom(value);
}

bool TsuiForm::TitleBarVisible() const { return titleBar_ && titleBar_->Visible(); }

void TsuiForm::SetTitleBarVisible(bool value)
{
    if (!titleBar_ || value == titleBar_->Visible())
        return;
    titleBarWanted_ = value;
    titleBar_->SetVisible(value);
    titleBar_->SetTop(0);
    PaintFrame();
    // The rounded corners follow the title bar.
    UpdateRegion();
}

std::string TsuiForm::Caption() const { return titleBar_ ? titleBar_->Caption() : std::string(); }

void TsuiForm::SetCaption(const std::string& value)
{
    if (!titleBar_)
        return;
    titleBar_->SetCaption(value);
    if (host_)
        host_->SetCaption(value);
}

TPropertyValue::Items TsuiForm::TitleBarButtonItems() const
{
    return titleBar_ ? SaveTitleBarButtons(titleBar_->Buttons()) : TPropertyValue::Items();
}

void TsuiForm::SetTitleBarButtonItems(const TPropertyValue::Items& items)
{
    if (titleBar_)
        LoadTitleBarButtons(titleBar_->Buttons(), items);
}

TPropertyValue::Items TsuiForm::TitleBarSectionItems() const
{
    return titleBar_ ? SaveTitleBarSections(titleBar_->Sections()) : TPropertyValue::Items();
}

void TsuiForm::SetTitleBarSectionItems(const TPropertyValue::Items& items)
{
    if (titleBar_)
        LoadTitleBarSections(titleBar_->Sections(), items);
}

bool TsuiForm::TitleBarDrawAppIcon() const { return !titleBar_ || titleBar_->DrawAppIcon(); }

void TsuiForm::SetTitleBarDrawAppIcon(bool value)
{
    if (titleBar_)
        titleBar_->SetDrawAppIcon(value);
}

TFont* TsuiForm::TitleFont() { return titleBar_ ? &titleBar_->Font() : nullptr; }

const TFont* TsuiForm::TitleFont() const { return titleBar_ ? &titleBar_->Font() : nullptr; }

TColor TsuiForm::InactiveCaptionColor() const
{
    return titleBar_ ? titleBar_->InactiveCaptionColor() : clInactiveCaption;
}

void TsuiForm::SetInactiveCaptionColor(TColor value)
{
    if (titleBar_)
        titleBar_->SetInactiveCaptionColor(value);
}

int TsuiForm::RoundCorner() const { return titleBar_ && titleBar_->Visible() ? titleBar_->RoundCorner() : 0; }

void TsuiForm::SetRoundCorner(int value)
{
    if (!titleBar_)
        return;
    titleBar_->SetRoundCorner(value);
    UpdateRegion();
}

int TsuiForm::RoundCornerBottom() const
{
    return titleBar_ && titleBar_->Visible() ? titleBar_->RoundCornerBottom() : 0;
}

void TsuiForm::SetRoundCornerBottom(int value)
{
    if (!titleBar_)
        return;
    titleBar_->SetRoundCornerBottom(value);
    UpdateRegion();
}

void TsuiForm::SetFormPanel(TCustomPanel* value)
{
    if (value == this) {
        ShowSkinError("Sorry, you can't select the Form assign to FormPanel property");
        return;
    }
    if (formPanel_ && formPanel_ != value)
        formPanel_->RemoveFreeNotification(this);
    formPanel_ = value;
    if (!value)
        return;
    value->FreeNotification(this);
    value->SetAlign(alClient);
    // A plain panel becomes a bare area inside the frame and an image panel shows its picture
    // without a caption; any other panel draws its own look and keeps it.
    if (dynamic_cast<TPanel*>(value)) {
        value->SetBevelOuter(bvNone);
        value->SetBevelInner(bvNone);
        value->SetBorderWidth(0);
        value->SetCaption("");
    } else if (IsOfClass(*value, "TsuiImagePanel")) {
        value->SetCaption("");
    }
}

// --- Menu bar -------------------------------------------------------------------------------

void TsuiForm::SetMenu(TMainMenu* value)
{
    UnlinkMenu();
    ReplaceReference(menu_, value);
    if (!titleBar_)
        return;
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(value))
        skinned->SetForm(this);
    if (value) {
        CreateMenuBar();
        menuBar_->SetMenu(value);
        // Title bar first, the menu bar right below it, whatever else sits at the top after.
        menuBar_->SendToBack();
        titleBar_->SendToBack();
        titleBar_->SetTop(0);
        Realign();
    } else {
        FreeMenuBar();
    }
    PaintFrame();
}

void TsuiForm::UnlinkMenu()
{
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_); skinned && skinned->Form() == this)
        skinned->SetForm(nullptr);
}

void TsuiForm::CreateMenuBar()
{
    if (menuBar_)
        return;
    menuBar_ = new TsuiMenuBar(this);
    menuBar_->SetButtonHeight(menuBarHeight_);
    menuBar_->SetColor(menuBarColor_);
}

void TsuiForm::FreeMenuBar()
{
    if (!menuBar_)
        return;
    delete menuBar_;
    menuBar_ = nullptr;
}

int TsuiForm::MenuBarHeight() const { return menuBar_ && menuBar_->Visible() ? menuBar_->Height() : 0; }

void TsuiForm::SetMenuBarHeight(int value)
{
    menuBarHeight_ = value;
    if (menuBar_)
        menuBar_->SetButtonHeight(value);
    PaintFrame();
}

void TsuiForm::SetMenuBarColor(TColor value)
{
    menuBarColor_ = value;
    if (menuBar_)
        menuBar_->SetColor(value);
    PaintFrame();
}

void TsuiForm::SetMenuBarToColor(TColor value)
{
    menuBarToColor_ = value;
    if (menuBar_)
        menuBar_->Invalidate();
    PaintFrame();
}

void TsuiForm::StoreMenuBarColors(TColor from, TColor to)
{
    menuBarColor_ = from;
    menuBarToColor_ = to;
    if (menuBar_) {
        menuBar_->SetColor(from);
        menuBar_->Invalidate();
    }
}

void TsuiForm::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == formPanel_)
        formPanel_ = nullptr;
    if (component == menu_) {
        // The menu is past its own destructor: no unlinking, only forgetting.
        menu_ = nullptr;
        FreeMenuBar();
        if (host_ && !host_->IsDestroying())
            PaintFrame();
    }
    if (component == fileTheme_) {
        fileTheme_ = nullptr;
        if (host_ && !host_->IsDestroying() && !IsDestroying()) {
            ApplyStyleToChildren(this, DeepBlue, nullptr);
            SetUIStyle(DeepBlue);
        }
    }
}

// --- Style ----------------------------------------------------------------------------------

void TsuiForm::ApplyStyle()
{
    TsuiUIStyle style = DeepBlue;
    if (UsesFileTheme(fileTheme_, uiStyle_, style))
        ApplyFileThemeLooks();
    else
        ApplyBuiltInLooks(style);
    titleBar_->SetFileTheme(fileTheme_);
    titleBar_->SetUIStyle(uiStyle_);
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu_)) {
        skinned->SetUIStyle(uiStyle_);
        skinned->SetFileTheme(fileTheme_);
    }
    if (menuBar_)
        menuBar_->Invalidate();
    if (uiStyleAutoUpdateSub_)
        ApplyStyleToChildren(this, uiStyle_, fileTheme_);
    RefreshHostFrame();
    Invalidate();
    PaintFrame();
    UpdateRegion();
    host_->MinHeight = MenuBarHeight() + titleBar_->Height() + bottomBorderHeight_ + 3;
}

void TsuiForm::ApplyFileThemeLooks()
{
    const TsuiFileTheme& theme = *fileTheme_;
    SetColor(theme.GetColor(SKIN2_FORMCOLOR));
    StoreMenuBarColors(theme.GetColor(SKIN2_MENUBARSTARTCOLOR), theme.GetColor(SKIN2_MENUBARENDCOLOR));
    leftBorderWidth_ = BitmapWidth(theme.GetBitmap(SKIN2_FORMLEFTBORDER));
    rightBorderWidth_ = BitmapWidth(theme.GetBitmap(SKIN2_FORMRIGHTBORDER));
    bottomBorderHeight_ = BitmapHeight(theme.GetBitmap(SKIN2_FORMBOTTOMBORDER1));
    transColor_ = theme.GetColor(SKIN2_TRANSCOLOR);
    titleNeedsRegion_ = theme.GetFlag(SKIN2_TITLEBARNEEDREGION);
    bottomNeedsRegion_ = theme.GetFlag(SKIN2_BOTTOMBORDERNEEDREGION);
    titleBar_->PaintNow();
    titleBar_->TitleImage().SetTransparent(titleNeedsRegion_);
    if (titleNeedsRegion_)
        titleBar_->TitleImage().SetTransparentColor(transColor_);
    bottomBuffer_.SetTransparent(bottomNeedsRegion_);
    if (bottomNeedsRegion_)
        bottomBuffer_.SetTransparentColor(transColor_);
    titleRegionMin_ = theme.GetInteger(SKIN2_TITLEBARREGIONMINY);
    titleRegionMax_ = theme.GetInteger(SKIN2_TITLEBARREGIONMAXY);
    bottomRegionMin_ = theme.GetInteger(SKIN2_BOTTOMREGIONMINY);
    bottomRegionMax_ = theme.GetInteger(SKIN2_BOTTOMREGIONMAXY);
}

void TsuiForm::ApplyBuiltInLooks(TsuiUIStyle style)
{
    titleBar_->SetRoundCornerBottom(0);
    bottomBorderHeight_ = leftBorderWidth_ = rightBorderWidth_ = 0;
    transColor_ = clFuchsia;
    titleBar_->TitleImage().SetTransparent(false);
    borderColor_ = GetStyleColor(style, STYLE_BORDER_COLOR);
    borderWidth_ = GetStyleInteger(style, STYLE_BORDER_WIDTH);
    SetColor(GetStyleColor(style, STYLE_FORM_COLOR));
    StoreMenuBarColors(Color(), Color());
    titleBar_->SetRoundCorner(GetStyleInteger(style, STYLE_ROUND_CORNER));
}

void TsuiForm::RefreshHostFrame()
{
    if (host_)
        host_->SetWindowPos(0, 0, 0, 0, kFrameChanged);
}

// --- The host's messages --------------------------------------------------------------------

bool TsuiForm::HostMinimised() const { return host_->WindowState() == wsMinimized; }

int TsuiForm::BorderAnswer() const
{
    TsuiUIStyle style = DeepBlue;
    if (UsesFileTheme(fileTheme_, uiStyle_, style) && leftBorderWidth_ != 0)
        return std::max(leftBorderWidth_, 4);
    return measuredBottom_ - 1;
}

void TsuiForm::HostWndProc(TMessage& message)
{
    if (destroying_)
        return;
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        CalcSize(message);
        previousProc_(message);
        return;
    case MSG_BORDER_QUERY:
        message.Result = BorderAnswer();
        return;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (HostMinimised()) {
            previousProc_(message);
            return;
        }
        titleBar_->PaintNow();
        titleBar_->Invalidate();
        PaintFrame();
        if (message.Msg == WM_NCACTIVATE)
            message.Result = 1;
        return;
    case CM_DIALOGCHAR:
        if (HandleSystemChar(message))
            return;
        break;
    default:
        break;
    }
    previousProc_(message);
    switch (message.Msg) {
    case WM_ACTIVATE:
        titleBar_->SetFormActive(LoWord(message.WParam) != WA_INACTIVE);
        PaintFrame();
        break;
    case WM_SHOWWINDOW:
        host_->Menu = nullptr;
        break;
    case WM_SIZE:
        HostSized();
        break;
    case WM_KEYDOWN:
        if (HandleShortCut(message))
            message.Result = 1;
        break;
    default:
        if (std::find(std::begin(kRecreateNotices), std::end(kRecreateNotices), message.Msg) !=
                std::end(kRecreateNotices) &&
            (host_->WindowLong(GWL_STYLE) & WS_CAPTION) != 0) {
            host_->SetWindowLong(GWL_STYLE, host_->WindowLong(GWL_STYLE) & ~WS_CAPTION);
            RefreshHostFrame();
        }
        break;
    }
}

// Alt+Space reaches the form as a dialog character with Alt held, from whichever control has
// the focus: it opens the system menu just below the main form's title bar.
bool TsuiForm::HandleSystemChar(const TMessage& message)
{
    if (message.WParam != VK_SPACE || (message.LParam & KF_ALTDOWN_LPARAM) == 0)
        return false;
    const TCustomForm* main = Application && Application->MainForm() ? Application->MainForm() : host_;
    titleBar_->PopupSystemMenu(main->Left(), main->Top() + titleBar_->Height());
    const_cast<TMessage&>(message).Result = 1;
    return true;
}

// A key that is the short cut of one of the menu's items runs that item while the window is
// the active one.
bool TsuiForm::HandleShortCut(const TMessage& message)
{
    return IsFormActive(host_) && host_->Active() && menu_ &&
           menu_->IsShortCut(static_cast<uint16_t>(message.WParam), KeyDataToShiftState(message.LParam));
}

void TsuiForm::CalcSize(TMessage& message) const
{
    if (message.WParam == 0) {
        message.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<TNCCalcSizeParams*>(message.LParam);
    TWindowPos pos;
    if (params->lppos)
        pos = *params->lppos;
    else
        pos = {params->rgrc[0].Left, params->rgrc[0].Top, params->rgrc[0].Width(), params->rgrc[0].Height(), 0};
    const int lm = std::max(4, measuredLeft_), bm = std::max(4, measuredBottom_);
    TRect r;
    r.Top = pos.y - bm + 4;
    if (leftBorderWidth_ != 0) {
        r.Right = pos.x + pos.cx - std::max(rightBorderWidth_, 4) + lm - 1;
        r.Left = pos.x + std::max(leftBorderWidth_, 4) - lm + 1;
    } else {
        r.Right = pos.x + pos.cx + lm - 4;
        r.Left = pos.x - lm + 4;
    }
    if (bottomBorderHeight_ != 0)
        r.Bottom = pos.y + pos.cy - std::max(bottomBorderHeight_, 4) + bm - 1;
    else if (borderWidth_ == 3)
        r.Bottom = pos.y + pos.cy + bm - 4;
    else
        r.Bottom = pos.y + pos.cy + bm - borderWidth_ - 2;
    params->rgrc[0] = r;
    params->rgrc[1] = r;
    message.Result = WVR_VALIDRECTS;
}

void TsuiForm::HostSized()
{
    static int maximiseCount = 0;
    if (createdMaximised_) {
        if (host_->WindowState() == wsMaximized) {
            if (maximiseCount == 2)
                host_->SetWindowState(wsMaximized);
            else
                ++maximiseCount;
        } else {
            createdMaximised_ = false;
            host_->SetBoundsRect(normalBounds_);
        }
    }
    if (host_->WindowState() == wsMaximized) {
        TRect work = GetWorkArea();
        if (!work.IsEmpty())
            host_->SetBounds(work.Left - 2, work.Top - 2, work.Width() + 4, work.Height() + 1);
    }
    titleBar_->UpdateMaxButtonPictures();
    titleBar_->Invalidate();
    PaintFrame();
    UpdateRegion();
}

void TsuiForm::Detach()
{
    if (!host_ || destroying_)
        return;
    UnlinkMenu();
    destroying_ = true;
    if (link_)
        *link_ = nullptr;
    host_->WindowProc = previousProc_;
    host_->SetWindowLong(GWL_STYLE, host_->WindowLong(GWL_STYLE) | WS_CAPTION);
    // The skin's shape means nothing to the plain frame.
    host_->SetWindowRgn(nullptr, true);
    RefreshHostFrame();
}

// --- Panel ----------------------------------------------------------------------------------

void TsuiForm::WndProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    TCustomPanel::WndProc(message);
    if (message.Msg == WM_SIZE && titleBar_)
        titleBar_->SetTop(0);
}

void TsuiForm::Paint()
{
    if (destroying_)
        return;
    const TRect client = ClientRect();
    TBitmap buffer(client.Width(), client.Height());
    TCanvas canvas(buffer);
    if (uiStyle_ == MacOS || uiStyle_ == Protein) {
        TBitmap pattern;
        LoadBitmapResource(uiStyle_ == MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND", pattern);
        canvas.Brush().SetBitmap(&pattern);
    } else {
        canvas.Brush().SetColor(Color());
    }
    canvas.FillRect(client);
    Canvas().Draw(0, 0, buffer);
    PaintFrame();
}

// --- Frame ----------------------------------------------------------------------------------

void TsuiForm::PaintFrame()
{
    if (!host_ || !titleBar_ || destroying_ || !host_->HandleAllocated() || HostMinimised())
        return;
    TCanvas& canvas = host_->WindowCanvas();
    if (!canvas.HasTarget())
        return;
    canvas.Save();
    TsuiUIStyle style = DeepBlue;
    if (UsesFileTheme(fileTheme_, uiStyle_, style))
        PaintFileThemeFrame(canvas, host_->Width(), host_->Height());
    else
        PaintBuiltInFrame(canvas, host_->Width(), host_->Height());
    canvas.Restore();
}

void TsuiForm::PaintFileThemeFrame(TCanvas& canvas, int w, int h)
{
    const TsuiFileTheme& theme = *fileTheme_;
    const TColor formColor = theme.GetColor(SKIN2_FORMCOLOR);
    const int top = titleBar_->Visible() ? titleBar_->Height() + kTitleTop : 0;
    const int bh = bottomBorderHeight_;
    if (titleBar_->Visible() && titleBar_->HasCompleteTitleSkin()) {
        const TBitmap& title = titleBar_->TitleComposite();
        const int wt = title.Width(), ht = title.Height();
        const int left = std::max(leftBorderWidth_, 4), right = std::max(4, rightBorderWidth_);
        canvas.CopyRect(TRect(0, 0, left, ht), title, TRect(0, 0, left, ht));
        canvas.CopyRect(TRect(0, 0, wt, kTitleTop), title, TRect(0, 0, wt, kTitleTop));
        canvas.CopyRect(TRect(w - right, 0, w, ht), title, TRect(wt - right, 0, wt, ht));
    }
    // The menu bar strips start below where the title bar ends, shown or not.
    const int m = MenuBarHeight(), barTop = titleBar_->Height() + kTitleTop;
    if (const TBitmap* border = theme.GetBitmap(SKIN2_FORMLEFTBORDER)) {
        const int wl = border->Width();
        canvas.StretchDraw(TRect(0, top, wl, h - bh), *border);
        if (wl < 4) {
            Fill(canvas, TRect(wl, top, 4, h - bh), formColor);
            if (m > 0)
                PaintMenuBarStrip(canvas, TRect(wl, barTop, 4, barTop + m));
        }
    }
    if (const TBitmap* border = theme.GetBitmap(SKIN2_FORMRIGHTBORDER)) {
        const int wr = border->Width();
        canvas.StretchDraw(TRect(w - wr, top, w, h - bh), *border);
        if (wr < 4) {
            Fill(canvas, TRect(w - 4, top, w - wr, h - bh), formColor);
            if (m > 0)
                PaintMenuBarStrip(canvas, TRect(w - 4, barTop, w - wr, barTop + m));
        }
    }
    PaintBottomBorder(canvas, w, h);
    if (bh < 4)
        Fill(canvas, TRect(leftBorderWidth_, h - 4, w - rightBorderWidth_, h - bh), formColor);
}

void TsuiForm::PaintBottomBorder(TCanvas& canvas, int w, int h)
{
    const TsuiFileTheme& theme = *fileTheme_;
    const TBitmap* first = theme.GetBitmap(SKIN2_FORMBOTTOMBORDER1);
    if (!first)
        return;
    const int h1 = first->Height();
    bottomBuffer_.SetSize(w, h1);
    TCanvas buffer(bottomBuffer_);
    if (theme.GetFlag(SKIN2_BOTTOMBORDERTHREESECT)) {
        const TBitmap* middle = theme.GetBitmap(SKIN2_FORMBOTTOMBORDER2);
        const TBitmap* last = theme.GetBitmap(SKIN2_FORMBOTTOMBORDER3);
        buffer.Draw(0, 0, *first);
        if (last)
            buffer.Draw(w - last->Width(), 0, *last);
        if (middle && w - BitmapWidth(last) > first->Width())
            buffer.StretchDraw(TRect(first->Width(), 0, w - BitmapWidth(last), h1), *middle);
    } else {
        DrawThreeSlice(*first, buffer, TRect(0, 0, w, h1), transColor_, false);
    }
    if (bottomNeedsRegion_) {
        TBitmap opaque(w, h1);
        TCanvas opaqueCanvas(opaque);
        Fill(opaqueCanvas, TRect(0, 0, w, h1), theme.GetColor(SKIN2_FORMCOLOR));
        opaqueCanvas.Draw(0, 0, bottomBuffer_);
        canvas.Draw(0, h - bottomBorderHeight_, opaque);
    } else {
        canvas.CopyRect(TRect(0, h - bottomBorderHeight_, w, h - bottomBorderHeight_ + h1), bottomBuffer_,
                        TRect(0, 0, w, h1));
    }
}

void TsuiForm::PaintBuiltInFrame(TCanvas& canvas, int w, int h)
{
    const int bw = borderWidth_;
    const int top = titleBar_->Visible() ? titleBar_->Height() + kTitleTop : 0;
    if (titleBar_->Visible() && titleBar_->HasCompleteTitleSkin()) {
        const TPicture& p0 = *titleBar_->SectionPicture(0);
        const TPicture& p1 = *titleBar_->SectionPicture(1);
        const TPicture& p2 = *titleBar_->SectionPicture(2);
        if (3 - bw > 0) {
            TBitmap s(3 - bw, p0.Height());
            TCanvas sc(s);
            sc.Draw(0, 0, p0);
            canvas.Draw(bw, 0, s);
            if (p1.Width() > 2)
                sc.Draw(2 - p1.Width(), 0, p1);
            else
                sc.StretchDraw(TRect(0, 0, s.Width(), s.Height()), p1);
            canvas.Draw(w - 3, 0, s);
        }
        TBitmap strip(w - 5, kTitleTop);
        TCanvas sc(strip);
        const int rightAt = w - 5 - p1.Width() + 3;
        sc.Draw(-2, 0, p0);
        sc.Draw(rightAt, 0, p1);
        if (rightAt > p0.Width() - 2)
            sc.StretchDraw(TRect(p0.Width() - 2, 0, rightAt, p2.Height()), p2);
        canvas.Draw(2, 0, strip);
        const int r = RoundCorner();
        if (bw == 1 && r == 11) {
            canvas.Pen().SetColor(borderColor_);
            canvas.Arc(w - 2 * r + 1, -1, w + 1, 2 * r - 1, w + 1, r - 1, w - r + 1, -1);
            canvas.Arc(-1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
        }
    } else if (!titleBar_->Visible()) {
        Fill(canvas, TRect(0, 0, w, 1), borderColor_);
        Fill(canvas, TRect(bw, 1, w - bw, 3), Color());
    }
    Fill(canvas, TRect(0, 0, bw, h), borderColor_);
    Fill(canvas, TRect(0, h - bw, w, h), borderColor_);
    Fill(canvas, TRect(w - bw, 0, w, h), borderColor_);
    if (bw < 4) {
        const int m = MenuBarHeight();
        Fill(canvas, TRect(bw, h - 2, w - bw, h - bw), Color());
        Fill(canvas, TRect(bw, top + m, 3, h - bw), Color());
        Fill(canvas, TRect(w - 3, top + m, w - bw, h - bw), Color());
        if (m > 0) {
            PaintMenuBarStrip(canvas, TRect(bw, top, 3, top + m));
            PaintMenuBarStrip(canvas, TRect(w - 3, top, w - bw, top + m));
        }
    }
}

// The frame beside the menu bar continues the bar's colour, or its gradient.
void TsuiForm::PaintMenuBarStrip(TCanvas& canvas, const TRect& rect)
{
    if (menuBarToColor_ == menuBarColor_)
        Fill(canvas, rect, menuBarColor_);
    else
        DrawVerticalGradient(canvas, rect, menuBarColor_, menuBarToColor_);
}

// --- Region ---------------------------------------------------------------------------------

TRegion TsuiForm::SkinRegion(int w, int h) const
{
    TRegion region;
    const TBitmap& title = titleBar_->TitleImage();
    const int topHeight = titleNeedsRegion_ ? title.Height() : 0;
    const int bottomHeight = bottomNeedsRegion_ ? bottomBuffer_.Height() : 0;
    if (titleNeedsRegion_)
        AddPictureRows(region, title, transColor_, titleRegionMin_, titleRegionMax_, w, 0);
    region.AddRect(TRect(0, topHeight, w, h - bottomHeight));
    if (bottomNeedsRegion_)
        AddPictureRows(region, bottomBuffer_, transColor_, bottomRegionMin_, bottomRegionMax_, w, h - bottomHeight);
    return region;
}

void TsuiForm::UpdateRegion()
{
    if (!host_ || !titleBar_ || destroying_)
        return;
    const int w = host_->Width(), h = host_->Height();
    TsuiUIStyle style = DeepBlue;
    if (UsesFileTheme(fileTheme_, uiStyle_, style)) {
        TRegion region(TRect(0, 0, w, h));
        if (titleNeedsRegion_ || bottomNeedsRegion_) {
            titleBar_->PaintNow();
            region = SkinRegion(w, h);
        }
        host_->SetWindowRgn(&region, true);
        return;
    }
    const int half = h / 2;
    const int r = RoundCorner();
    // Only -1 reads as no rounding; any other value is the radius as written.
    const int rb = RoundCornerBottom() == -1 ? 0 : RoundCornerBottom();
    TRegion upper = TRegion::FromRoundRect(TRect(0, 0, w + 1, half + 1), r, r);
    upper.AddRect(TRect(0, half - 2 * r, 2 * r, half));
    upper.AddRect(TRect(w - 2 * r, half - 2 * r, w, half));
    TRegion lower = TRegion::FromRoundRect(TRect(0, half, w + 1, h + 1), rb, rb);
    lower.AddRect(TRect(0, half, 2 * rb, half + 2 * rb));
    lower.AddRect(TRect(w - 2 * rb, half, w, half + 2 * rb));
    TRegion region = upper.Union(lower);
    host_->SetWindowRgn(&region, true);
}
