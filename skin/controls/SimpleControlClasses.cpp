#include "skin/controls/SimpleControlClasses.h"

#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/ImageButton.h"
#include "skin/controls/ImagePanel.h"
#include "skin/controls/Memo.h"
#include "skin/controls/ProgressBar.h"
#include "skin/controls/RadioButton.h"
#include "skin/controls/ScrollBar.h"

void RegisterSimpleControlClasses()
{
    static const bool done = [] {
        for (const TClassInfo* info : {&TsuiButton::StaticClassInfo(), &TsuiImageButton::StaticClassInfo(),
                                       &TsuiCheckBox::StaticClassInfo(), &TsuiRadioButton::StaticClassInfo(),
                                       &TsuiProgressBar::StaticClassInfo(), &TsuiImagePanel::StaticClassInfo(),
                                       &TsuiScrollBar::StaticClassInfo(), &TsuiMemo::StaticClassInfo()})
            RegisterClass(*info);
        return true;
    }();
    (void)done;
}
