#include "skin/controls/MenuBar.h"

#include "skin/controls/Form.h"
#include "skin/controls/MainMenu.h"
#include "skin/controls/MenuBarButton.h"
#include "skin/controls/PopupMenu.h"
#include "skin/themes/DrawingHelpers.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/resources/Resources.h"

#include <algorithm>

namespace {

constexpr unsigned kCaptionFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
constexpr TColor kDisabledCaption = TColor(0x808080);

const TsuiMainMenu* Skinned(const TMainMenu* menu) { return dynamic_cast<const TsuiMainMenu*>(menu); }

}  // namespace

TsuiMenuBar::TsuiMenuBar(TsuiForm* form) : TCustomControl(form), form_(form)
{
    SetControlStyle(ControlStyle() & ~csCaptureMouse);
    SetParentFont(false);
    SetFont(SystemMenuFont());
    SetColor(form->MenuBarColor());
    SetParent(form);
    SetAlign(alTop);
    SetHeight(buttonHeight_);
}

TsuiMenuBar::~TsuiMenuBar()
{
    Destroying();
    if (menu_)
        menu_->RemoveWatcher(this);
    FreeButtons();
}

const TClassInfo& TsuiMenuBar::StaticClassInfo()
{
    static const TClassInfo info("TsuiMenuBar", &TCustomControl::StaticClassInfo(), nullptr);
    return info;
}

// --- The menu -------------------------------------------------------------------------------

void TsuiMenuBar::SetMenu(TMainMenu* menu)
{
    if (menu != menu_) {
        if (menu_)
            menu_->RemoveWatcher(this);
        menu_ = menu;
        if (menu_)
            menu_->AddWatcher(this, [this](TMainMenu*, TMenuItem*, bool rebuild) { MenuChanged(rebuild); });
    }
    Rebuild();
}

void TsuiMenuBar::MenuChanged(bool rebuild)
{
    if (menu_->IsDestroying()) {
        // The items are about to go; the menu forgets its watchers itself.
        FreeButtons();
        menu_ = nullptr;
        LayoutButtons();
        return;
    }
    if (rebuild)
        Rebuild();
    else
        RefreshButtons();
}

void TsuiMenuBar::Rebuild()
{
    autoSize_ = false;
    SetFont(ButtonFont());
    FreeButtons();
    if (menu_) {
        const TMenuItem& root = menu_->Items();
        // Made from the last item to the first, each placed before the ones made already.
        for (int i = root.Count() - 1; i >= 0; --i) {
            auto* button = new TsuiMenuBarButton(this, root.Items(i));
            button->SetParent(this);
            buttons_.insert(buttons_.begin(), button);
        }
    }
    autoSize_ = true;
    LayoutButtons();
    Invalidate();
}

void TsuiMenuBar::RefreshButtons()
{
    for (TsuiMenuBarButton* button : buttons_)
        button->UpdateFromItem();
    LayoutButtons();
    Invalidate();
}

void TsuiMenuBar::FreeButtons()
{
    std::vector<TsuiMenuBarButton*> going;
    going.swap(buttons_);
    for (TsuiMenuBarButton* button : going)
        delete button;
}

TsuiMenuBarButton* TsuiMenuBar::Buttons(int index) const
{
    if (index < 0 || index >= ButtonCount())
        throw EListError(index);
    return buttons_[size_t(index)];
}

// --- Size -----------------------------------------------------------------------------------

void TsuiMenuBar::SetButtonHeight(int value)
{
    buttonHeight_ = std::max(value, 0);
    LayoutButtons();
}

void TsuiMenuBar::BoundsChanged(bool resized)
{
    TCustomControl::BoundsChanged(resized);
    if (resized)
        LayoutButtons();
}

void TsuiMenuBar::LayoutButtons()
{
    if (!autoSize_)
        return;
    TBitmap scratch(1, 1);
    TCanvas measure(scratch);
    measure.SetFont(Font());
    const int room = ClientWidth();
    int x = 0, y = 0, rows = 1;
    for (TsuiMenuBarButton* button : buttons_) {
        TRect text;
        measure.DrawText(button->Caption(), text, kCaptionFormat | DT_CALCRECT);
        const int w = text.Width() + 2 * kCaptionPadding;
        if (x > 0 && x + w > room) {
            x = 0;
            y += buttonHeight_;
            ++rows;
        }
        button->SetBounds(x, y, w, buttonHeight_);
        x += w;
    }
    rows_ = rows;
    // Last: the new height makes the form lay its controls out again.
    SetHeight(rows * buttonHeight_);
}

// --- Looks ----------------------------------------------------------------------------------

TsuiUIStyle TsuiMenuBar::ButtonStyle() const
{
    const TsuiMainMenu* skinned = Skinned(menu_);
    return skinned ? skinned->UIStyle() : form_->UIStyle();
}

TsuiFileTheme* TsuiMenuBar::ButtonFileTheme() const
{
    const TsuiMainMenu* skinned = Skinned(menu_);
    return skinned ? skinned->FileTheme() : form_->FileTheme();
}

TFont TsuiMenuBar::ButtonFont() const
{
    const TsuiMainMenu* skinned = Skinned(menu_);
    return skinned ? skinned->DrawingFont() : SystemMenuFont();
}

bool TsuiMenuBar::MacStyle() const { return ButtonStyle() == MacOS; }

void TsuiMenuBar::Paint()
{
    const TRect all = ClientRect();
    if (all.IsEmpty())
        return;
    TBitmap buffer(all.Width(), all.Height());
    TCanvas canvas(buffer);
    if (MacStyle()) {
        TBitmap picture;
        LoadBitmapResource("MACOS_MENU_BAR", picture);
        canvas.StretchDraw(all, picture);
    } else if (form_->MenuBarToColor() != form_->MenuBarColor()) {
        DrawVerticalGradient(canvas, all, form_->MenuBarColor(), form_->MenuBarToColor());
    } else {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(all);
    }
    Canvas().Draw(0, 0, buffer);
}

void TsuiMenuBar::DrawButton(TCanvas& canvas, const TsuiMenuBarButton& button) const
{
    const TRect all(0, 0, button.Width(), button.Height());
    TsuiUIStyle style = DeepBlue;
    const TsuiFileTheme* theme = ButtonFileTheme();
    const bool themed = UsesFileTheme(theme, ButtonStyle(), style);
    TColor text;
    if (button.Highlighted() && !themed && style == MacOS) {
        TBitmap picture;
        LoadBitmapResource("MACOS_MENU_SELECT", picture);
        canvas.StretchDraw(all, picture);
        text = GetStyleColor(MacOS, STYLE_MENU_SELECTED_FONT_COLOR);
    } else if (button.Highlighted()) {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(themed ? theme->GetColor(SKIN2_TOPSELECTEDMENUCOLOR)
                                       : GetStyleColor(style, STYLE_MENU_SELECTED_COLOR));
        canvas.FillRect(all);
        canvas.Brush().SetColor(themed ? theme->GetColor(SKIN2_TOPSELECTEDMENUBORDERCOLOR)
                                       : GetStyleColor(style, STYLE_MENU_SELECTED_BORDER_COLOR));
        canvas.FrameRect(all);
        text = themed ? theme->GetColor(SKIN2_TOPSELECTEDMENUFONTCOLOR) : GetStyleColor(style, STYLE_MENU_SELECTED_FONT_COLOR);
    } else if (!button.Enabled()) {
        text = kDisabledCaption;
    } else {
        text = themed ? theme->GetColor(SKIN2_TOPMENUFONTCOLOR) : GetStyleColor(style, STYLE_MENU_FONT_COLOR);
    }
    TFont font = ButtonFont();
    font.SetColor(text);
    canvas.SetFont(font);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    TRect r = all;
    canvas.DrawText(button.Caption(), r, kCaptionFormat);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

void TsuiMenuBar::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != opRemove || !dropDown_)
        return;
    if (component == dropDown_)
        dropDown_ = nullptr;
    else if (component == dropDown_->FileTheme())
        dropDown_->SetFileTheme(nullptr);
}

// --- Clicks ---------------------------------------------------------------------------------

void TsuiMenuBar::ButtonClicked(TsuiMenuBarButton* button)
{
    TMenuItem* item = button->Item();
    if (!item->Enabled())
        return;
    if (item->Count() > 0)
        ShowDropDown(button);
    else
        item->Click();
}

void TsuiMenuBar::ShowDropDown(TsuiMenuBarButton* button)
{
    // The previous drop-down is hidden by now: its window held the mouse until it went.
    delete dropDown_;
    dropDown_ = new TsuiPopupMenu(this);
    dropDown_->SetUIStyle(ButtonStyle());
    dropDown_->SetFileTheme(ButtonFileTheme());
    // The drop-down only keeps a pointer to its theme; hear when that goes.
    FreeNotification(ButtonFileTheme());
    TMenuItem* parent = button->Item();
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* sub = parent->Items(i);
        // The menu may change while the drop-down shows: the item runs only while it is still
        // where it was.
        int index = dropDown_->Add(sub->Caption(), [this, parent, sub, i](TObject*) {
            if (!menu_)
                return;
            const TMenuItem& root = menu_->Items();
            const int top = root.IndexOf(parent);
            if (top >= 0 && i < parent->Count() && parent->Items(i) == sub)
                sub->Click();
        });
        dropDown_->Items(index).Enabled = sub->Enabled();
    }
    const TPoint below = button->ClientToScreen(TPoint(0, button->Height()));
    dropDown_->Popup(below.X, below.Y);
}
