#pragma once

#include <cstdint>

// Window messages. The numbers are the ones Windows uses, so that code written against the
// classic message protocol (a control answering WM_NCHITTEST, a hook watching WM_NCCALCSIZE)
// reads the same here. Our controls are not native windows: a message is a plain call through
// the control's WindowProc, delivered by Perform.

using TWParam = uintptr_t;
using TLParam = intptr_t;
using TLResult = intptr_t;

struct TMessage {
    uint32_t Msg = 0;
    TWParam WParam = 0;
    TLParam LParam = 0;
    TLResult Result = 0;
};

constexpr uint16_t LoWord(uintptr_t value) { return static_cast<uint16_t>(value & 0xFFFF); }
constexpr uint16_t HiWord(uintptr_t value) { return static_cast<uint16_t>((value >> 16) & 0xFFFF); }
// Two signed 16-bit values in one parameter, the way mouse positions travel.
constexpr TLParam MakeLParam(int low, int high)
{
    return static_cast<TLParam>(static_cast<int32_t>((static_cast<uint32_t>(high & 0xFFFF) << 16) |
                                                     static_cast<uint32_t>(low & 0xFFFF)));
}
constexpr TWParam MakeWParam(int low, int high)
{
    return static_cast<TWParam>((static_cast<uint32_t>(high & 0xFFFF) << 16) | static_cast<uint32_t>(low & 0xFFFF));
}
constexpr int XFromLParam(TLParam value) { return static_cast<int16_t>(value & 0xFFFF); }
constexpr int YFromLParam(TLParam value) { return static_cast<int16_t>((value >> 16) & 0xFFFF); }

// --- Window messages -------------------------------------------------------------------------
constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_KILLFOCUS = 0x0008;
constexpr uint32_t WM_ENABLE = 0x000A;
constexpr uint32_t WM_SETTEXT = 0x000C;
constexpr uint32_t WM_GETTEXT = 0x000D;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ERASEBKGND = 0x0014;
constexpr uint32_t WM_SHOWWINDOW = 0x0018;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_CANCELMODE = 0x001F;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_GETMINMAXINFO = 0x0024;
constexpr uint32_t WM_WINDOWPOSCHANGING = 0x0046;
constexpr uint32_t WM_WINDOWPOSCHANGED = 0x0047;
constexpr uint32_t WM_NCCREATE = 0x0081;
constexpr uint32_t WM_NCDESTROY = 0x0082;
constexpr uint32_t WM_NCCALCSIZE = 0x0083;
constexpr uint32_t WM_NCHITTEST = 0x0084;
constexpr uint32_t WM_NCPAINT = 0x0085;
constexpr uint32_t WM_NCACTIVATE = 0x0086;
constexpr uint32_t WM_GETDLGCODE = 0x0087;
constexpr uint32_t WM_NCMOUSEMOVE = 0x00A0;
constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
constexpr uint32_t WM_NCLBUTTONUP = 0x00A2;
constexpr uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCHAR = 0x0106;
constexpr uint32_t WM_COMMAND = 0x0111;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_HSCROLL = 0x0114;
constexpr uint32_t WM_VSCROLL = 0x0115;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_CAPTURECHANGED = 0x0215;
constexpr uint32_t WM_MDIACTIVATE = 0x0222;
constexpr uint32_t WM_MDIRESTORE = 0x0223;
constexpr uint32_t WM_MDIGETACTIVE = 0x0229;
constexpr uint32_t WM_MDIREFRESHMENU = 0x0234;
constexpr uint32_t WM_MOUSELEAVE = 0x02A3;
constexpr uint32_t WM_CUT = 0x0300;
constexpr uint32_t WM_COPY = 0x0301;
constexpr uint32_t WM_PASTE = 0x0302;
constexpr uint32_t WM_CLEAR = 0x0303;
constexpr uint32_t WM_UNDO = 0x0304;
constexpr uint32_t WM_USER = 0x0400;

// Edit-control messages the memo answers.
constexpr uint32_t EM_GETSEL = 0x00B0;
constexpr uint32_t EM_SETSEL = 0x00B1;
constexpr uint32_t EM_SCROLL = 0x00B5;
constexpr uint32_t EM_LINESCROLL = 0x00B6;
constexpr uint32_t EM_SCROLLCARET = 0x00B7;
constexpr uint32_t EM_GETLINECOUNT = 0x00BA;
constexpr uint32_t EM_GETFIRSTVISIBLELINE = 0x00CE;

// --- Toolkit notifications (the classic component library's numbers) -------------------------
constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;
constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
constexpr uint32_t CM_GOTFOCUS = CM_BASE + 2;
constexpr uint32_t CM_LOSTFOCUS = CM_BASE + 3;
constexpr uint32_t CM_CANCELMODE = CM_BASE + 4;      // LParam: the control taking over
constexpr uint32_t CM_DIALOGKEY = CM_BASE + 5;       // WParam: key code; Result 1 = handled
constexpr uint32_t CM_DIALOGCHAR = CM_BASE + 6;      // WParam: character; Result 1 = handled
constexpr uint32_t CM_FOCUSCHANGED = CM_BASE + 7;    // LParam: the newly focused control
constexpr uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr uint32_t CM_HITTEST = CM_BASE + 10;
constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 11;
constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr uint32_t CM_COLORCHANGED = CM_BASE + 13;
constexpr uint32_t CM_FONTCHANGED = CM_BASE + 14;
constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;
constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;
constexpr uint32_t CM_BUTTONPRESSED = CM_BASE + 24;
constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr uint32_t CM_ENTER = CM_BASE + 26;
constexpr uint32_t CM_EXIT = CM_BASE + 27;
constexpr uint32_t CM_WANTSPECIALKEY = CM_BASE + 30;  // WParam: key code; Result 1 = wanted
constexpr uint32_t CM_RELEASE = CM_BASE + 33;
constexpr uint32_t CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr uint32_t CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr uint32_t CM_CHILDKEY = CM_BASE + 46;
constexpr uint32_t CM_RECREATEWND = CM_BASE + 51;

// Messages of the skin engine's own protocol. A control that does not know them answers 0.
constexpr uint32_t MSG_BORDER_QUERY = 0x26C3;  // 9923: a skinned frame's border width
constexpr uint32_t MSG_BUTTON_QUERY = 0x8BB8;  // 35768: 1 from a skinned push button

// --- Parameters ------------------------------------------------------------------------------
// WM_NCHITTEST results.
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTSYSMENU = 3;
constexpr int HTMINBUTTON = 8;
constexpr int HTMAXBUTTON = 9;
constexpr int HTLEFT = 10;
constexpr int HTRIGHT = 11;
constexpr int HTTOP = 12;
constexpr int HTTOPLEFT = 13;
constexpr int HTTOPRIGHT = 14;
constexpr int HTBOTTOM = 15;
constexpr int HTBOTTOMLEFT = 16;
constexpr int HTBOTTOMRIGHT = 17;
constexpr int HTBORDER = 18;
constexpr int HTCLOSE = 20;

// WM_SYSCOMMAND commands.
constexpr uint32_t SC_SIZE = 0xF000;
constexpr uint32_t SC_MOVE = 0xF010;
constexpr uint32_t SC_MINIMIZE = 0xF020;
constexpr uint32_t SC_MAXIMIZE = 0xF030;
constexpr uint32_t SC_CLOSE = 0xF060;
constexpr uint32_t SC_RESTORE = 0xF120;

// WM_ACTIVATE states (low word of WParam).
constexpr int WA_INACTIVE = 0;
constexpr int WA_ACTIVE = 1;
constexpr int WA_CLICKACTIVE = 2;

// WM_SIZE kinds.
constexpr int SIZE_RESTORED = 0;
constexpr int SIZE_MINIMIZED = 1;
constexpr int SIZE_MAXIMIZED = 2;

// WM_NCCALCSIZE result.
constexpr int WVR_VALIDRECTS = 0x0400;

// SetWindowPos flags.
constexpr uint32_t SWP_NOSIZE = 0x0001;
constexpr uint32_t SWP_NOMOVE = 0x0002;
constexpr uint32_t SWP_NOZORDER = 0x0004;
constexpr uint32_t SWP_NOREDRAW = 0x0008;
constexpr uint32_t SWP_NOACTIVATE = 0x0010;
constexpr uint32_t SWP_FRAMECHANGED = 0x0020;
constexpr uint32_t SWP_SHOWWINDOW = 0x0040;
constexpr uint32_t SWP_HIDEWINDOW = 0x0080;

// Window styles (GWL_STYLE) and extended styles (GWL_EXSTYLE).
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr uint32_t WS_POPUP = 0x80000000u;
constexpr uint32_t WS_CHILD = 0x40000000u;
constexpr uint32_t WS_MINIMIZE = 0x20000000u;
constexpr uint32_t WS_VISIBLE = 0x10000000u;
constexpr uint32_t WS_DISABLED = 0x08000000u;
constexpr uint32_t WS_MAXIMIZE = 0x01000000u;
constexpr uint32_t WS_CAPTION = 0x00C00000u;
constexpr uint32_t WS_BORDER = 0x00800000u;
constexpr uint32_t WS_DLGFRAME = 0x00400000u;
constexpr uint32_t WS_VSCROLL = 0x00200000u;
constexpr uint32_t WS_HSCROLL = 0x00100000u;
constexpr uint32_t WS_SYSMENU = 0x00080000u;
constexpr uint32_t WS_THICKFRAME = 0x00040000u;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000u;
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000u;
constexpr uint32_t WS_EX_DLGMODALFRAME = 0x00000001u;
constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080u;
constexpr uint32_t WS_EX_WINDOWEDGE = 0x00000100u;
constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200u;

// WM_GETDLGCODE answers.
constexpr int DLGC_WANTARROWS = 0x0001;
constexpr int DLGC_WANTTAB = 0x0002;
constexpr int DLGC_WANTALLKEYS = 0x0004;
constexpr int DLGC_WANTCHARS = 0x0080;
constexpr int DLGC_BUTTON = 0x2000;

// Scroll bars: which bar, the commands of WM_HSCROLL/WM_VSCROLL (low word of WParam), the
// accessibility object ids and state flags of the scroll-bar information query.
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_ENDSCROLL = 8;
constexpr int32_t OBJID_HSCROLL = -6;
constexpr int32_t OBJID_VSCROLL = -5;
constexpr uint32_t STATE_SYSTEM_UNAVAILABLE = 0x0001;
constexpr uint32_t STATE_SYSTEM_PRESSED = 0x0008;
constexpr uint32_t STATE_SYSTEM_INVISIBLE = 0x8000;
constexpr uint32_t SIF_RANGE = 0x01;
constexpr uint32_t SIF_PAGE = 0x02;
constexpr uint32_t SIF_POS = 0x04;
constexpr uint32_t SIF_TRACKPOS = 0x10;
constexpr uint32_t SIF_ALL = 0x17;

// Mouse key state (WParam of mouse messages).
constexpr uint32_t MK_LBUTTON = 0x0001;
constexpr uint32_t MK_RBUTTON = 0x0002;
constexpr uint32_t MK_SHIFT = 0x0004;
constexpr uint32_t MK_CONTROL = 0x0008;
constexpr uint32_t MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;

// Virtual key codes.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;
constexpr int VK_F12 = 0x7B;
// WM_KEYDOWN/WM_SYSKEYDOWN LParam bit 29: Alt was down.
constexpr TLParam KF_ALTDOWN_LPARAM = 0x20000000;

// Message boxes: buttons, icons, default button, and the answers.
constexpr uint32_t MB_OK = 0x0000;
constexpr uint32_t MB_OKCANCEL = 0x0001;
constexpr uint32_t MB_YESNOCANCEL = 0x0003;
constexpr uint32_t MB_YESNO = 0x0004;
constexpr uint32_t MB_TYPEMASK = 0x000F;
constexpr uint32_t MB_ICONSTOP = 0x0010;
constexpr uint32_t MB_ICONERROR = 0x0010;
constexpr uint32_t MB_ICONQUESTION = 0x0020;
constexpr uint32_t MB_ICONWARNING = 0x0030;
constexpr uint32_t MB_ICONINFORMATION = 0x0040;
constexpr uint32_t MB_ICONMASK = 0x00F0;
constexpr uint32_t MB_DEFBUTTON1 = 0x0000;
constexpr uint32_t MB_DEFBUTTON2 = 0x0100;
constexpr uint32_t MB_DEFBUTTON3 = 0x0200;
constexpr uint32_t MB_DEFMASK = 0x0F00;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
