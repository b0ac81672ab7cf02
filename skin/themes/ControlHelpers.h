#pragma once

#include "toolkit/controls/ScrollInfo.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/Geometry.h"

#include <cstdint>
#include <string_view>

class TComponent;
class TControl;
class TCustomForm;
class TWinControl;

// Helpers that work on the toolkit's controls and forms rather than on pixels alone.

// Lets the control's parent paint into `canvas` (the control's canvas, origin at the control's
// client (0, 0)): the origin moves by (-Left, -Top), the clip narrows to the parent's client
// area, and the parent gets WM_ERASEBKGND and then WM_PAINT with the canvas; everything is put
// back afterwards. Without a parent nothing happens. A parent that paints the control itself
// again (a windowless control asking for its own background) does not recurse: the nested
// request draws nothing.
void DrawParentBackground(TCanvas& canvas, const TControl& control);

// The usable screen area (no task bar) of the monitor nearest the main form, or of the desktop
// when there is no main form; empty without an application.
TRect GetWorkArea();

// Left then Top, through the properties.
void SetControlPos(TControl& control, TPoint point);
// Left, Top, Width (Right - Left) and Height (Bottom - Top), in that order.
void SetControlBounds(TControl& control, const TRect& rect);

// Whether a form is to be painted as active: without a main form its own flag; with one, no
// while the application is inactive, yes for the main form (or no form given), else its own
// flag. (The toolkit has no multiple-document frames, so their rules never apply.)
bool IsFormActive(const TCustomForm* form);

// Whether the component's class publishes a property of that name (any case).
bool HasPublishedProperty(const TComponent& component, std::string_view propertyName);

// The scroll-bar information of the window's own bar (OBJID_HSCROLL or OBJID_VSCROLL): 1 with
// info filled, 0 when there is no window or the window cannot answer.
int GetScrollBarInfoSafe(TWinControl* window, int32_t objectId, TScrollBarInfo& info);
