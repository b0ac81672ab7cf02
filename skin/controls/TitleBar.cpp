#include "skin/controls/TitleBar.h"

#include "skin/controls/Form.h"
#include "skin/controls/TitleBarStorage.h"
#include "skin/themes/ControlHelpers.h"
#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/application/Application.h"
#include "toolkit/forms/CustomForm.h"
#include "toolkit/resources/Resources.h"

#include <algorithm>

namespace {

constexpr int kStripFrames = 18;
constexpr int kHostedTop = 3;

// The text without its last character (a whole UTF-8 sequence).
void DropLastCharacter(std::string& text)
{
    if (text.empty())
        return;
    size_t last = text.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80)
        --last;
    text.erase(last);
}

}  // namespace

void ShowSkinError(const std::string& text)
{
    if (Application)
        Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONERROR);
}

TsuiTitleBar::TsuiTitleBar(TComponent* owner) : TCustomPanel(owner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetBevelOuter(bvNone);
    titleImage_.SetPixelFormat(TPixelFormat::pf24bit);
    titleComposite_.SetPixelFormat(TPixelFormat::pf24bit);
    systemMenu_ = new TsuiTitleBarPopupMenu(this, this);
    for (TsuiTitleBarBtnType type : {suiControlBox, suiClose, suiMax, suiMin}) {
        TsuiTitleBarButton* button = buttons_.Add();
        button->SetVisible(true);
        button->SetTransparent(false);
        button->SetTop(2);
        button->SetUIStyle(DeepBlue);
        button->SetButtonType(type);
    }
    SetAlign(alTop);
    SetParentFont(false);
    TFont font;
    font.SetName("Tahoma");
    font.SetColor(clWhite);
    font.SetStyle(fsBold);
    SetFont(font);
    SetUIStyle(GetDefaultUIStyle(owner));
}

TsuiTitleBar::~TsuiTitleBar() { Destroying(); }

const TClassInfo& TsuiTitleBar::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiTitleBar", &TCustomPanel::StaticClassInfo(), [](TComponent* owner) { return new TsuiTitleBar(owner); },
        [](TClassInfo& c) {
            using P = TsuiTitleBar;
            TPublisher<P>(c)
                .Boolean("Custom", &P::Custom, &P::SetCustom)
                .Component<TsuiFileTheme>("FileTheme", &P::FileTheme, &P::SetFileTheme)
                .Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &P::UIStyle, &P::SetUIStyle)
                .Boolean("AutoSize", &P::AutoSize, &P::SetAutoSize)
                .Integer("ButtonInterval", &P::ButtonInterval, &P::SetButtonInterval)
                .String("Caption", &P::Caption, &P::SetCaption)
                .Boolean("FormActive", &P::FormActive, &P::SetFormActive)
                .Integer("LeftBtnXOffset", &P::LeftBtnXOffset, &P::SetLeftBtnXOffset)
                .Integer("RightBtnXOffset", &P::RightBtnXOffset, &P::SetRightBtnXOffset)
                .Boolean("DrawAppIcon", &P::DrawAppIcon, &P::SetDrawAppIcon)
                .Integer("RoundCorner", &P::RoundCorner, &P::SetRoundCorner)
                .Integer("RoundCornerBottom", &P::RoundCornerBottom, &P::SetRoundCornerBottom)
                .Color("InactiveCaptionColor", &P::InactiveCaptionColor, &P::SetInactiveCaptionColor)
                .Collection(
                    "Sections", [](const P& self) { return SaveTitleBarSections(self.Sections()); },
                    [](P& self, const TPropertyValue::Items& items) { LoadTitleBarSections(self.Sections(), items); })
                .Collection(
                    "Buttons", [](const P& self) { return SaveTitleBarButtons(self.Buttons()); },
                    [](P& self, const TPropertyValue::Items& items) { LoadTitleBarButtons(self.Buttons(), items); });
        });
    return info;
}

// --- Properties -----------------------------------------------------------------------------

void TsuiTitleBar::SetFileTheme(TsuiFileTheme* value)
{
    if (fileTheme_ && fileTheme_ != value)
        fileTheme_->RemoveFreeNotification(this);
    fileTheme_ = value;
    if (value)
        value->FreeNotification(this);
    keepFontColor_ = true;
    SetUIStyle(uiStyle_);
    keepFontColor_ = false;
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle value)
{
    uiStyle_ = value;
    if (custom_)
        return;
    ApplyStyle();
}

void TsuiTitleBar::SetAutoSize(bool value)
{
    if (sections_.Count() == 0) {
        autoSize_ = false;
        return;
    }
    autoSize_ = value;
    int height = sections_.Items(0)->Picture().Height();
    SetHeight(Hosted() ? height - kHostedTop : height);
}

void TsuiTitleBar::SetButtonInterval(int value)
{
    buttonInterval_ = value;
    Repaint();
}

void TsuiTitleBar::SetCaption(const std::string& value)
{
    TControl::SetCaption(value);
    Repaint();
}

void TsuiTitleBar::SetFormActive(bool value)
{
    formActive_ = value;
    Repaint();
}

void TsuiTitleBar::SetLeftBtnXOffset(int value)
{
    leftBtnXOffset_ = value;
    Repaint();
}

void TsuiTitleBar::SetRightBtnXOffset(int value)
{
    rightBtnXOffset_ = value;
    Repaint();
}

void TsuiTitleBar::SetDrawAppIcon(bool value)
{
    drawAppIcon_ = value;
    Repaint();
}

void TsuiTitleBar::SetInactiveCaptionColor(TColor value)
{
    inactiveCaptionColor_ = value;
    Repaint();
}

void TsuiTitleBar::FontChanged()
{
    TCustomPanel::FontChanged();
    Repaint();
}

void TsuiTitleBar::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation == opRemove && component == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(DeepBlue);
    }
}

// --- Style ----------------------------------------------------------------------------------

void TsuiTitleBar::AddSection(const TBitmap& picture, bool autoSize, TsuiTitleBarAlign align, bool capSec)
{
    TsuiTitleBarSection* section = sections_.Add();
    section->SetPicture(picture);
    if (autoSize)
        section->SetAutoSize(true);
    if (align != suiLeft)
        section->SetAlign(align);
    if (capSec)
        section->SetCapSec(true);
}

void TsuiTitleBar::ApplyStyle()
{
    sections_.Clear();
    TsuiUIStyle style = DeepBlue;
    bool fromTheme = UsesFileTheme(fileTheme_, uiStyle_, style);
    if (fromTheme)
        ApplyFileThemeStyle();
    else
        ApplyBuiltInStyle(style);
    for (int i = 0; i < buttons_.Count(); ++i)
        buttons_.Items(i)->SetUIStyle(style);
    systemMenu_->SetUIStyle(style);
    systemMenu_->SetFileTheme(fileTheme_);
    if (!keepFontColor_) {
        TColor color = clWhite;
        if (uiStyle_ == MacOS)
            color = clBlack;
        else if (fromTheme)
            color = fileTheme_->GetColor(SKIN2_TITLEFONTCOLOR);
        Font().SetColor(color);
    }
    SetAutoSize(true);
    Repaint();
}

void TsuiTitleBar::ApplyFileThemeStyle()
{
    TsuiFileTheme& theme = *fileTheme_;
    fiveSections_ = theme.GetFlag(SKIN2_TITLEFIVESECT);
    transColor_ = theme.GetColor(SKIN2_TRANSCOLOR);
    auto bitmap = [&](TsuiSkinBitmapKey key) {
        TBitmap copy;
        theme.CopyBitmap(key, &copy, 0, 0);
        return copy;
    };
    TBitmap first = bitmap(SKIN2_TITLEBAR1), third = bitmap(SKIN2_TITLEBAR3), fifth = bitmap(SKIN2_TITLEBAR5);
    AddSection(first, true, suiLeft, false);
    AddSection(bitmap(SKIN2_TITLEBAR2), false, fiveSections_ ? suiLeft : suiClient, fiveSections_);
    AddSection(third, true, fiveSections_ ? suiLeft : suiRight, false);
    if (fiveSections_) {
        AddSection(bitmap(SKIN2_TITLEBAR4), false, suiClient, false);
        AddSection(fifth, true, suiRight, false);
    }
    leftBtnXOffset_ = theme.GetInteger(SKIN2_TITLEBARICONPOSX);
    rightBtnXOffset_ = theme.GetInteger(SKIN2_TITLEBARBUTTONPOSX);
    int stripWidth = 0;
    if (TBitmap* strip = theme.GetBitmap(SKIN2_TITLEBUTTONS)) {
        strip->SetPixelFormat(TPixelFormat::pf24bit);
        stripWidth = strip->Width();
    }
    buttonRow_ = theme.GetInteger(SKIN2_TITLEBARBUTTONPOSY);
    iconRow_ = theme.GetInteger(SKIN2_TITLEBARICONPOSY);
    captionRow_ = theme.GetInteger(SKIN2_TITLEBARCAPTIONTOP);
    formColor_ = theme.GetColor(SKIN2_FORMCOLOR);
    if (Hosted()) {
        buttonRow_ -= kHostedTop;
        iconRow_ -= kHostedTop;
    }
    if (TCustomForm* form = ParentForm()) {
        int buttons = stripWidth / kStripFrames * buttons_.Count() + rightBtnXOffset_;
        if (fiveSections_)
            form->MinWidth = first.Width() + third.Width() + std::max(fifth.Width(), buttons) + 16;
        else
            form->MinWidth = first.Width() + std::max(third.Width(), buttons);
    }
}

void TsuiTitleBar::ApplyBuiltInStyle(TsuiUIStyle style)
{
    auto bitmap = [&](int element) {
        TBitmap picture;
        GetStyleBitmap(style, element, &picture, 0, 0);
        return picture;
    };
    AddSection(bitmap(STYLE_TITLE_LEFT_IMAGE), true, suiLeft, false);
    AddSection(bitmap(STYLE_TITLE_RIGHT_IMAGE), true, suiRight, false);
    AddSection(bitmap(STYLE_TITLE_CLIENT_IMAGE), false, suiClient, false);
    leftBtnXOffset_ = GetStyleInteger(style, STYLE_TITLE_LEFTBTN_XOFFSET);
    rightBtnXOffset_ = GetStyleInteger(style, STYLE_TITLE_RIGHTBTN_XOFFSET);
    buttonRow_ = GetStyleInteger(style, STYLE_TITLEBUTTON_TOP) - (Hosted() ? kHostedTop : 0);
    iconRow_ = buttonRow_;
    if (TCustomForm* form = ParentForm()) {
        form->MinWidth = GetStyleInteger(style, STYLE_FORM_MIN_WIDTH);
        form->MinHeight = 50;
    }
    roundCorner_ = GetStyleInteger(style, STYLE_ROUND_CORNER);
    roundCornerBottom_ = 0;
}

void TsuiTitleBar::UpdateMaxButtonPictures()
{
    for (int i = 0; i < buttons_.Count(); ++i)
        buttons_.Items(i)->UpdateMaxPictures();
}

// --- Services for the skinned form -----------------------------------------------------------

bool TsuiTitleBar::Hosted() const { return dynamic_cast<TsuiForm*>(Parent()) != nullptr; }

int TsuiTitleBar::BorderAnswer() const
{
    TCustomForm* form = ParentForm();
    return form ? static_cast<int>(form->Perform(MSG_BORDER_QUERY, 0, 0)) : 0;
}

const TPicture* TsuiTitleBar::SectionPicture(int index)
{
    if (sections_.Count() <= 2 || index < 0 || index >= sections_.Count())
        return nullptr;
    return &sections_.Items(index)->Picture();
}

TRect TsuiTitleBar::ButtonBounds(int index) const
{
    if (index < 0 || size_t(index) >= buttonBounds_.size())
        return TRect();
    return buttonBounds_[size_t(index)];
}

bool TsuiTitleBar::HasVisibleButton(TsuiTitleBarBtnType type) const
{
    for (int i = 0; i < buttons_.Count(); ++i)
        if (buttons_.Items(i)->ButtonType() == type && buttons_.Items(i)->Visible())
            return true;
    return false;
}

void TsuiTitleBar::PaintNow()
{
    TBitmap bitmap(Width(), Height());
    Compose(bitmap);
}

// --- Paint ----------------------------------------------------------------------------------

void TsuiTitleBar::Paint()
{
    TBitmap bitmap(Width(), Height());
    Compose(bitmap);
    if (Canvas().HasTarget())
        Canvas().Draw(0, 0, bitmap);
}

void TsuiTitleBar::Compose(TBitmap& target)
{
    DrawSections(target);
    DrawButtons(target);
}

void TsuiTitleBar::DrawSections(TBitmap& target)
{
    if (!ParentForm())
        return;
    const int w = target.Width(), h = target.Height();
    int dx = 0, dy = 0;
    if (Hosted()) {
        int r = BorderAnswer();
        dx = r != 0 ? -r : -3;
        dy = -kHostedTop;
    }
    int buttonsWidth = 0;
    for (int i = 0; i < buttons_.Count(); ++i)
        buttonsWidth += buttons_.Items(i)->PicNormal().Width() + buttonInterval_;

    titleImage_.SetSize(w - 2 * dx, h - dy);
    titleComposite_.SetSize(w - 2 * dx, h - dy);
    TCanvas composite(titleComposite_);
    composite.Brush().SetColor(formColor_);
    composite.FillRect(TRect(0, 0, titleComposite_.Width(), titleComposite_.Height()));

    TCanvas canvas(target);
    canvas.SetFont(Font());
    TCanvas image(titleImage_);
    int x = dx, xr = w - dx, lastLeftWidth = 0;
    const TsuiTitleBarSection* client = nullptr;
    bool captionDrawn = false;
    for (int i = 0; i < sections_.Count(); ++i) {
        const TsuiTitleBarSection& section = *sections_.Items(i);
        const TPicture& picture = section.Picture();
        const int pw = picture.Width(), ph = picture.Height();
        if (section.CapSec()) {
            int nextWidth = i + 1 < sections_.Count() ? sections_.Items(i + 1)->Width() : 0;
            sectionCaption_ =
                TruncateTextToWidth(canvas, Caption(), w - leftBtnXOffset_ - buttonsWidth - nextWidth - 21);
            int captionWidth = canvas.TextWidth(sectionCaption_) + leftBtnXOffset_ - lastLeftWidth + 17;
            if (captionWidth > 0) {
                canvas.StretchDraw(TRect(x, dy, x + captionWidth, dy + ph), picture);
                image.StretchDraw(TRect(x - dx, 0, x - dx + captionWidth, ph), picture);
            }
            x += captionWidth;
            captionDrawn = true;
        } else if (section.Align() == suiLeft) {
            canvas.Draw(x, dy, picture);
            image.Draw(x - dx, 0, picture);
            x += pw;
            lastLeftWidth = pw;
        } else if (section.Align() == suiRight) {
            // The bar shows the piece opaque over the form colour; the title image keeps its
            // transparent pixels for the window region.
            TBitmap opaque(pw, ph);
            TCanvas opaqueCanvas(opaque);
            opaqueCanvas.Brush().SetColor(formColor_);
            opaqueCanvas.FillRect(TRect(0, 0, pw, ph));
            if (const TBitmap* graphic = picture.Graphic()) {
                TBitmap keyed = *graphic;
                keyed.SetTransparent(true);
                keyed.SetTransparentColor(transColor_);
                opaqueCanvas.Draw(0, 0, keyed);
            }
            canvas.Draw(xr - pw, dy, opaque);
            image.Draw(xr - dx - pw, 0, picture);
            xr -= pw;
        } else {
            client = &section;
        }
    }
    // A gap that closed up draws nothing rather than a mirrored picture.
    if (client && xr > x) {
        const int ph = client->Picture().Height();
        canvas.StretchDraw(TRect(x, dy, xr, dy + ph), client->Picture());
        image.StretchDraw(TRect(x - dx, 0, xr - dx, ph), client->Picture());
    }
    composite.Draw(0, 0, titleImage_);
    auto* form = dynamic_cast<TsuiForm*>(Parent());
    if (captionDrawn && form)
        form->PaintFrame();
    else
        sectionCaption_.clear();
}

void TsuiTitleBar::DrawButtons(TBitmap& target)
{
    if (!ParentForm())
        return;
    const int w = target.Width();
    const int r = BorderAnswer();
    int bx = w - rightBtnXOffset_ + r - 1;
    TPoint cursor(-100000, -100000);
    if (Application) {
        HostPoint screen = Application->Host().CursorPos();
        cursor = ScreenToClient(TPoint(screen.x, screen.y));
    }
    hotButton_ = -1;
    buttonBounds_.assign(size_t(buttons_.Count()), TRect());
    const bool themeScratch = uiStyle_ == FromThemeFile;
    TCanvas canvas(target);
    canvas.SetFont(Font());

    auto pictureFor = [&](const TsuiTitleBarButton& button, const TRect& rect, int index) -> const TBitmap& {
        if (PointInRect(cursor, rect)) {
            hotButton_ = index;
            return pressed_ ? *button.PicMouseDown().Graphic() : *button.PicMouseOn().Graphic();
        }
        return *button.PicNormal().Graphic();
    };
    auto drawScratch = [&](const TsuiTitleBarButton& button, const TBitmap& picture, int x, int y) {
        TBitmap scratch = picture;
        scratch.SetTransparent(button.Transparent());
        if (themeScratch) {
            scratch.SetPixelFormat(TPixelFormat::pf24bit);
            scratch.SetTransparentColor(transColor_);
        } else {
            scratch.SetTransparentMode(TTransparentMode::tmAuto);
        }
        canvas.Draw(x, y, scratch);
    };

    int controlBox = -1;
    for (int i = 0; i < buttons_.Count(); ++i) {
        const TsuiTitleBarButton& button = *buttons_.Items(i);
        if (!button.Visible() || !button.HasPictures())
            continue;
        if (button.ButtonType() == suiControlBox) {
            controlBox = i;
            continue;
        }
        const int bw = button.PicNormal().Width(), bh = button.PicNormal().Height();
        bx -= bw;
        if (button.ButtonType() != suiClose)
            bx -= buttonInterval_ + 1;
        if (w < bx + bw + 1)
            bx = w - bw - 1;
        TRect rect(bx, buttonRow_, bx + bw, buttonRow_ + bh);
        buttonBounds_[size_t(i)] = rect;
        drawScratch(button, pictureFor(button, rect, i), bx, buttonRow_);
    }

    int x0 = std::max(leftBtnXOffset_ - 4 - (r - 1), 0);
    if (controlBox >= 0) {
        const TsuiTitleBarButton& box = *buttons_.Items(controlBox);
        const int bw = box.PicNormal().Width(), bh = box.PicNormal().Height();
        TRect rect(x0, iconRow_, x0 + bw, iconRow_ + bh);
        buttonBounds_[size_t(controlBox)] = rect;
        const TBitmap& picture = pictureFor(box, rect, controlBox);
        if (drawAppIcon_) {
            DrawAppIconAt(canvas, x0 + 3, iconRow_);
            x0 += 21;
        } else {
            drawScratch(box, picture, x0, iconRow_ - 1);
            x0 += bw + 5;
        }
    }
    if (x0 == 0)
        x0 = 6;
    DrawCaption(canvas, x0, bx);
}

void TsuiTitleBar::DrawAppIconAt(TCanvas& canvas, int x, int y)
{
    const TBitmap* icon = Application ? Application->Icon().Graphic() : nullptr;
    TBitmap resource;
    if (!Application && FindResourceBytes("MAINICON")) {
        try {
            LoadBitmapResource("MAINICON", resource);
            icon = &resource;
        } catch (const Exception&) {
            icon = nullptr;
        }
    }
    if (icon && !icon->Empty())
        canvas.StretchDraw(Bounds(x, y, 16, 16), *icon);
}

std::string TsuiTitleBar::FitCaption(const TCanvas& canvas, int width) const
{
    std::string text = Caption();
    if (canvas.TextWidth(text) <= width)
        return text;
    while (!text.empty() && canvas.TextWidth(text + "...") > width)
        DropLastCharacter(text);
    return text + "...";
}

void TsuiTitleBar::DrawCaption(TCanvas& canvas, int x0, int bx)
{
    canvas.Font().SetColor(formActive_ ? Font().Color() : inactiveCaptionColor_);
    std::string text = sectionCaption_.empty() ? FitCaption(canvas, bx - x0) : sectionCaption_;
    TsuiUIStyle style = DeepBlue;
    int y = UsesFileTheme(fileTheme_, uiStyle_, style) ? captionRow_ - 3 : buttonRow_ + (uiStyle_ == Protein ? 3 : 0);
    int x = IsRightToLeft() ? bx - canvas.TextWidth(text) - 10 : x0;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.TextOut(x, y, text);
}

// --- Mouse ----------------------------------------------------------------------------------

void TsuiTitleBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
        if (TCustomForm* form = ParentForm())
            message.Result = form->Perform(message.Msg, message.WParam, message.LParam);
        return;
    case WM_LBUTTONDBLCLK:
        // A double click acts on the title; it neither presses a button nor starts a move.
        DoubleClick();
        return;
    case WM_MOUSEMOVE:
    case CM_MOUSELEAVE:
        TCustomPanel::WndProc(message);
        Invalidate();
        return;
    default:
        TCustomPanel::WndProc(message);
    }
}

void TsuiTitleBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    pressed_ = true;
    Showing() ? Repaint() : PaintNow();
    TCustomForm* form = ParentForm();
    if (form && hotButton_ == -1 && form->WindowState() != wsMaximized) {
        SetMouseCapture(false);
        form->Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);
        pressed_ = false;
    }
}

void TsuiTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomPanel::MouseUp(button, shift, x, y);
    if (button != mbLeft)
        return;
    const int hot = hotButton_;
    if (hot >= 0 && hot < buttons_.Count()) {
        const TsuiTitleBarBtnType type = buttons_.Items(hot)->ButtonType();
        const bool menu = buttons_.Items(hot)->ControlBoxMenu() != nullptr;
        if (type != suiControlBox || menu)
            RunButtonAction(type, hot);
        if (type == suiCustom && OnCustomBtnsClick)
            OnCustomBtnsClick(this, hot);
        else if (type == suiHelp && OnHelpBtnClick)
            OnHelpBtnClick(this, hot);
        if (type == suiControlBox && !menu) {
            TPoint at = ClientToScreen(TPoint(0, Height()));
            PopupSystemMenu(at.X, at.Y);
        }
    }
    pressed_ = false;
    if (!IsDestroying())
        Invalidate();
}

void TsuiTitleBar::DoubleClick()
{
    if (hotButton_ == -1) {
        for (int i = 0; i < buttons_.Count(); ++i)
            if (buttons_.Items(i)->ButtonType() == suiMax && buttons_.Items(i)->Visible()) {
                RunButtonAction(suiMax, i);
                return;
            }
        return;
    }
    if (hotButton_ < buttons_.Count() && buttons_.Items(hotButton_)->ButtonType() == suiControlBox)
        if (TCustomForm* form = ParentForm())
            form->Close();
}

void TsuiTitleBar::PopupSystemMenu(int screenX, int screenY) { systemMenu_->Popup(screenX, screenY); }

void TsuiTitleBar::RunButtonAction(TsuiTitleBarBtnType type, int index)
{
    TCustomForm* form = ParentForm();
    if (!form)
        return;
    switch (type) {
    case suiMax:
        if (form->WindowState() == wsMaximized) {
            form->SetWindowState(wsNormal);
        } else {
            form->SetWindowState(wsMaximized);
            if (!Hosted()) {
                TRect work = GetWorkArea();
                form->SetBounds(work.Left - 2, work.Top - 2, work.Width() + 4, work.Height() + 1);
            }
        }
        UpdateMaxButtonPictures();
        break;
    case suiMin:
        if (Application && Application->MainForm() == form)
            form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else
            form->SetWindowState(wsMinimized);
        break;
    case suiClose:
        form->Close();
        break;
    case suiControlBox:
        if (index >= 0 && index < buttons_.Count())
            if (TsuiPopupMenu* menu = buttons_.Items(index)->ControlBoxMenu()) {
                TPoint at = ClientToScreen(TPoint(IsRightToLeft() ? 176 : 0, Height()));
                menu->Popup(std::max(at.X, 0), at.Y);
            }
        break;
    case suiHelp:
    case suiCustom:
        break;
    }
}
