#include "skin/themes/ControlHelpers.h"

#include "toolkit/application/Application.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/forms/CustomForm.h"

#include <algorithm>
#include <vector>

void DrawParentBackground(TCanvas& canvas, const TControl& control)
{
    TWinControl* parent = control.Parent();
    if (!parent)
        return;
    static std::vector<const TControl*> drawing;
    if (std::find(drawing.begin(), drawing.end(), &control) != drawing.end())
        return;
    drawing.push_back(&control);
    struct Done {
        const TControl* control;
        ~Done() { drawing.erase(std::find(drawing.begin(), drawing.end(), control)); }
    } done{&control};

    canvas.Save();
    canvas.Translate(-control.Left(), -control.Top());
    canvas.IntersectClip(TRect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<TWParam>(&canvas), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<TWParam>(&canvas), 0);
    canvas.Restore();
}

TRect GetWorkArea()
{
    if (!Application)
        return TRect();
    HostRect near;
    if (TCustomForm* main = Application->MainForm())
        near = {main->Left(), main->Top(), main->Left() + main->Width(), main->Top() + main->Height()};
    HostRect area = Application->Host().WorkArea(near);
    return TRect(area.left, area.top, area.right, area.bottom);
}

void SetControlPos(TControl& control, TPoint point)
{
    control.SetLeft(point.X);
    control.SetTop(point.Y);
}

void SetControlBounds(TControl& control, const TRect& rect)
{
    control.SetLeft(rect.Left);
    control.SetTop(rect.Top);
    control.SetWidth(rect.Width());
    control.SetHeight(rect.Height());
}

bool IsFormActive(const TCustomForm* form)
{
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main)
        return form && form->Active();
    if (!Application->Active())
        return false;
    if (!form || form == main)
        return true;
    return form->Active();
}

bool HasPublishedProperty(const TComponent& component, std::string_view propertyName)
{
    return IsPublishedProp(component, propertyName);
}

int GetScrollBarInfoSafe(TWinControl* window, int32_t objectId, TScrollBarInfo& info)
{
    if (!window)
        return 0;
    return window->GetScrollBarInfo(objectId, info) ? 1 : 0;
}
