#include "skin/controls/PopupMenuWindow.h"

#include "skin/controls/PopupMenu.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/StylesTable.h"
#include "toolkit/application/Application.h"
#include "toolkit/graphics/Canvas.h"

#include <algorithm>

TsuiMenuColors MenuColors(const TsuiFileTheme* fileTheme, TsuiUIStyle uiStyle)
{
    TsuiMenuColors colors;
    TsuiUIStyle style = DeepBlue;
    if (UsesFileTheme(fileTheme, uiStyle, style)) {
        colors.Back = fileTheme->GetColor(SKIN2_MENUITEMCOLOR);
        colors.Text = fileTheme->GetColor(SKIN2_MENUITEMFONTCOLOR);
        colors.Hot = fileTheme->GetColor(SKIN2_SELECTEDMENUCOLOR);
        colors.HotBorder = fileTheme->GetColor(SKIN2_SELECTEDMENUBORDERCOLOR);
        colors.HotText = fileTheme->GetColor(SKIN2_SELECTEDMENUFONTCOLOR);
        return colors;
    }
    colors.Back = GetStyleColor(style, STYLE_MENU_COLOR);
    colors.Text = GetStyleColor(style, STYLE_MENU_FONT_COLOR);
    colors.Hot = GetStyleColor(style, STYLE_MENU_SELECTED_COLOR);
    colors.HotBorder = GetStyleColor(style, STYLE_MENU_SELECTED_BORDER_COLOR);
    colors.HotText = GetStyleColor(style, STYLE_MENU_SELECTED_FONT_COLOR);
    // One style's table gives its menus black on black; they would be unreadable.
    if (colors.Back == colors.Text)
        colors.Back = clWhite;
    return colors;
}

TsuiPopupMenuWindow::TsuiPopupMenuWindow(TsuiPopupMenu* menu) : TCustomForm(menu), menu_(menu)
{
    SetBorderStyle(bsNone);
    Font().SetName("Tahoma");
    Font().SetHeight(-11);
}

bool TsuiPopupMenuWindow::Selectable(int index) const
{
    if (index < 0 || index >= menu_->Count())
        return false;
    const TsuiPopupMenu::Item& item = menu_->Items(index);
    return item.Enabled && item.Caption != "-";
}

int TsuiPopupMenuWindow::ItemHeight(int index) const
{
    return menu_->Items(index).Caption == "-" ? kSeparatorHeight : kItemHeight;
}

TRect TsuiPopupMenuWindow::ItemRect(int index) const
{
    int top = 2;
    for (int i = 0; i < index && i < menu_->Count(); ++i)
        top += ItemHeight(i);
    int height = index >= 0 && index < menu_->Count() ? ItemHeight(index) : 0;
    return TRect(2, top, ClientWidth() - 2, top + height);
}

int TsuiPopupMenuWindow::ItemAt(int x, int y) const
{
    if (x < 2 || x >= ClientWidth() - 2)
        return -1;
    for (int i = 0; i < menu_->Count(); ++i) {
        TRect r = ItemRect(i);
        if (y >= r.Top && y < r.Bottom)
            return i;
    }
    return -1;
}

void TsuiPopupMenuWindow::PopupAt(int x, int y)
{
    TBitmap scratch(1, 1);
    TCanvas measure(scratch);
    measure.SetFont(Font());
    int textWidth = 0;
    int height = 4;
    for (int i = 0; i < menu_->Count(); ++i) {
        TRect r;
        measure.DrawText(menu_->Items(i).Caption, r, DT_SINGLELINE | DT_CALCRECT);
        textWidth = std::max(textWidth, r.Width());
        height += ItemHeight(i);
    }
    hot_ = -1;
    int width = kTextLeft + textWidth + kTextRightPad + 4;
    if (Application) {
        // Kept whole on the screen: pushed left from the right edge, opened upwards at the bottom.
        HostRect work = Application->Host().WorkArea(HostRect{x, y, x + width, y + height});
        if (x + width > work.right)
            x = work.right - width;
        if (y + height > work.bottom && y - height >= work.top)
            y -= height;
        x = std::max(x, int(work.left));
        y = std::max(y, int(work.top));
    }
    SetBounds(x, y, width, height);
    Show();
    SetCaptureControl(this);
    Invalidate();
}

void TsuiPopupMenuWindow::Dismiss()
{
    if (!Visible())
        return;
    SetCaptureControl(nullptr);
    hot_ = -1;
    Hide();
}

void TsuiPopupMenuWindow::SetHotItem(int index)
{
    if (!Selectable(index))
        index = -1;
    if (index == hot_)
        return;
    hot_ = index;
    Invalidate();
}

void TsuiPopupMenuWindow::PaintControl(TCanvas& canvas)
{
    TsuiMenuColors colors = MenuColors(menu_->FileTheme(), menu_->UIStyle());
    TRect all(0, 0, ClientWidth(), ClientHeight());
    canvas.Brush().SetColor(colors.Back);
    canvas.FillRect(all);
    canvas.Brush().SetColor(colors.HotBorder);
    canvas.FrameRect(all);
    canvas.SetFont(Font());
    for (int i = 0; i < menu_->Count(); ++i) {
        const TsuiPopupMenu::Item& item = menu_->Items(i);
        TRect r = ItemRect(i);
        if (item.Caption == "-") {
            canvas.Pen().SetColor(colors.Disabled);
            int mid = r.Top + r.Height() / 2;
            canvas.MoveTo(r.Left + 2, mid);
            canvas.LineTo(r.Right - 2, mid);
            continue;
        }
        TColor text = item.Enabled ? colors.Text : colors.Disabled;
        if (i == hot_) {
            canvas.Brush().SetColor(colors.Hot);
            canvas.FillRect(r);
            canvas.Brush().SetColor(colors.HotBorder);
            canvas.FrameRect(r);
            text = colors.HotText;
        }
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        canvas.Font().SetColor(text);
        TRect textRect(r.Left + kTextLeft - 2, r.Top, r.Right, r.Bottom);
        canvas.DrawText(item.Caption, textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    }
}

void TsuiPopupMenuWindow::WndProc(TMessage& message)
{
    if (message.Msg == WM_ACTIVATE && LoWord(message.WParam) == WA_INACTIVE) {
        TCustomForm::WndProc(message);
        Dismiss();
        return;
    }
    // A quick second click is a click like any other.
    if (message.Msg == WM_LBUTTONDBLCLK)
        message.Msg = WM_LBUTTONDOWN;
    TCustomForm::WndProc(message);
}

void TsuiPopupMenuWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomForm::MouseDown(button, shift, x, y);
    if (!TRect(0, 0, ClientWidth(), ClientHeight()).Contains(TPoint(x, y)))
        Dismiss();
}

void TsuiPopupMenuWindow::MouseMove(TShiftState shift, int x, int y)
{
    TCustomForm::MouseMove(shift, x, y);
    SetHotItem(ItemAt(x, y));
}

void TsuiPopupMenuWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomForm::MouseUp(button, shift, x, y);
    if (button != mbLeft)
        return;
    int index = ItemAt(x, y);
    if (Selectable(index))
        Choose(index);
}

void TsuiPopupMenuWindow::KeyDown(uint16_t& key, TShiftState shift)
{
    TCustomForm::KeyDown(key, shift);
    switch (key) {
    case VK_ESCAPE:
        Dismiss();
        break;
    case VK_UP:
        MoveHot(-1);
        break;
    case VK_DOWN:
        MoveHot(1);
        break;
    case VK_RETURN:
        if (hot_ >= 0)
            Choose(hot_);
        break;
    default:
        if (int index = HotKeyItem(key); index >= 0)
            Choose(index);
        return;
    }
    key = 0;
}

void TsuiPopupMenuWindow::MoveHot(int step)
{
    int count = menu_->Count();
    int index = hot_;
    for (int tried = 0; tried < count; ++tried) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        if (Selectable(index)) {
            SetHotItem(index);
            return;
        }
    }
}

int TsuiPopupMenuWindow::HotKeyItem(uint16_t key) const
{
    if (!((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')))
        return -1;
    for (int i = 0; i < menu_->Count(); ++i) {
        const std::string& caption = menu_->Items(i).Caption;
        for (size_t p = caption.find('&'); p != std::string::npos && p + 1 < caption.size();
             p = caption.find('&', p + 2)) {
            char c = caption[p + 1];
            if (c == '&')
                continue;
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
            if (c == char(key) && Selectable(i))
                return i;
            break;
        }
    }
    return -1;
}

void TsuiPopupMenuWindow::Choose(int index)
{
    // Gone first: the item may close the very form the menu belongs to.
    Dismiss();
    menu_->Click(index);
}
