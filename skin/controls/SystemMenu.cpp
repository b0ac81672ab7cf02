#include "skin/controls/SystemMenu.h"

#include "skin/controls/TitleBar.h"
#include "toolkit/forms/CustomForm.h"

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TComponent* owner, TsuiTitleBar* titleBar)
    : TsuiPopupMenu(owner), titleBar_(titleBar)
{
    SetAutoHotkeys(false);
    Add("最小化(&N)", [this](TObject*) { titleBar_->RunButtonAction(suiMin); });
    Add("最大化/还原(&X)", [this](TObject*) {
        TsuiTitleBarButtons& buttons = titleBar_->Buttons();
        for (int i = 0; i < buttons.Count(); ++i)
            if (buttons.Items(i)->ButtonType() == suiMax && buttons.Items(i)->Visible())
                titleBar_->RunButtonAction(suiMax);
    });
    Add("-");
    Add("关闭", [this](TObject*) {
        if (TCustomForm* form = titleBar_->ParentForm())
            form->Close();
    });
}

void TsuiTitleBarPopupMenu::Popup(int x, int y)
{
    if (titleBar_->IsRightToLeft())
        x += 176;
    Items(kMinimizeItem).Enabled = titleBar_->HasVisibleButton(suiMin);
    Items(kMaximizeItem).Enabled = titleBar_->HasVisibleButton(suiMax);
    Items(kCloseItem).Enabled = titleBar_->HasVisibleButton(suiClose);
    TsuiPopupMenu::Popup(x, y);
}
