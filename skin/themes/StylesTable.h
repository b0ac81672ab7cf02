#pragma once

#include "skin/themes/Styles.h"
#include "toolkit/graphics/Color.h"

#include <string>

class TBitmap;

// The built-in style table: 48 elements, each an integer, a colour, a bitmap (the name of a
// bitmap resource) or a flag, with one value per built-in style. Elements 43, 45 and 46 name no
// bitmap in any style, and 27, 44, 47 and 48 have no reader; they keep their places so that the
// numbers of the others stay.
enum TsuiStyleElement : int {
    STYLE_BUTTON_IMAGE = 1,
    STYLE_BUTTON_TRANSPARENT,
    STYLE_CHECKBOX_IMAGE,
    STYLE_RADIOBUTTON_IMAGE,
    STYLE_TITLEBUTTON_IMAGE,
    STYLE_TITLEBUTTON_TRANSPARENT,
    STYLE_TITLE_LEFTBTN_XOFFSET,
    STYLE_TITLE_RIGHTBTN_XOFFSET,
    STYLE_TITLEBUTTON_TOP,
    STYLE_TITLE_LEFT_IMAGE,
    STYLE_TITLE_CLIENT_IMAGE,
    STYLE_TITLE_RIGHT_IMAGE,
    STYLE_FORM_MIN_WIDTH,
    STYLE_ROUND_CORNER,
    STYLE_FORM_COLOR,
    STYLE_BORDER_COLOR,
    STYLE_BORDER_WIDTH,
    STYLE_MENU_SELECTED_BORDER_COLOR,
    STYLE_MENU_SELECTED_COLOR,
    STYLE_MENU_SELECTED_FONT_COLOR,
    STYLE_MENU_COLOR,
    STYLE_MENU_FONT_COLOR,
    STYLE_MENU_BAR_COLOR,
    STYLE_PROGRESSBAR_IMAGE,
    STYLE_CONTROL_BORDER_COLOR,
    STYLE_PROGRESSBAR_COLOR,
    STYLE_ENTRY_27,
    STYLE_TRACKBAR_BAR_IMAGE,
    STYLE_TRACKBAR_SLIDER_IMAGE,
    STYLE_TRACKBAR_VSLIDER_IMAGE,
    STYLE_SCROLLBAR_COLOR,
    STYLE_SCROLLBAR_BUTTON_IMAGE,
    STYLE_SCROLLBAR_TRACK_IMAGE,
    STYLE_CHECKLIST_IMAGE,
    STYLE_TOOLBAR_BUTTON_BORDER_COLOR,
    STYLE_TOOLBAR_BUTTON_COLOR,
    STYLE_TOOLBAR_BUTTON_DOWN_COLOR,
    STYLE_SCROLLBUTTON_IMAGE,
    STYLE_TAB_IMAGE,
    STYLE_TAB_LINE_IMAGE,
    STYLE_SIDECHANNEL_HANDLE_IMAGE,
    STYLE_SIDECHANNEL_BAR_IMAGE,
    STYLE_ENTRY_43,
    STYLE_ENTRY_44,
    STYLE_ENTRY_45,
    STYLE_ENTRY_46,
    STYLE_ENTRY_47,
    STYLE_ENTRY_48,
};

constexpr int kStyleElementCount = STYLE_ENTRY_48;

// Lookups take the style modulo 128 and find an element only for a built-in style (1 to 5) and
// an element of 1 to 48; anything else reads as an integer of -1. An element of another kind
// than the reader wants gives the reader's "none".

// The bitmap resource into dest; with frameCount non-zero only frame frameIndex (1-based) of
// frameCount equal frames side by side, cut by CopyBitmapFrame. Nothing happens for a nil dest.
// An element that names no bitmap for the style (another kind, or an empty name) leaves dest as
// it was when frameCount is 0 and empties it otherwise. A resource the program lacks raises
// EResNotFound.
void GetStyleBitmap(TsuiUIStyle style, int element, TBitmap* dest, int frameCount, int frameIndex);
// The value of a flag element, else false.
bool GetStyleFlag(TsuiUIStyle style, int element);
// The value of a colour element (0x00BBGGRR), else 0.
TColor GetStyleColor(TsuiUIStyle style, int element);
// The value of an integer element, else -1.
int GetStyleInteger(TsuiUIStyle style, int element);
// The resource a bitmap element names for the style, or an empty string.
std::string GetStyleBitmapName(TsuiUIStyle style, int element);
