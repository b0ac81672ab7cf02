#include "toolkit/layout/StandardClasses.h"

#include "toolkit/application/Timer.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/forms/Form.h"

void RegisterStandardClasses()
{
    static const bool done = [] {
        for (const TClassInfo* info : {&TForm::StaticClassInfo(), &TLabel::StaticClassInfo(), &TPanel::StaticClassInfo(),
                                       &TButton::StaticClassInfo(), &TTimer::StaticClassInfo(),
                                       &TPageControl::StaticClassInfo(), &TTabSheet::StaticClassInfo(),
                                       &TMemo::StaticClassInfo()})
            RegisterClass(*info);
        return true;
    }();
    (void)done;
}
