#include "platform/win32/Win32Window.h"

#include "platform/IconColours.h"
#include "platform/PixelScale.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/IconPixels.h"
#include "platform/win32/TopDownDib.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Host.h"

#include <algorithm>
#include <cstring>

namespace {

// The program's icon in its resources (app/setup/win32/merrowin-setup.rc); windows show it until
// the toolkit gives them one of their own.
constexpr int kApplicationIconId = 1;

// No caption and no frame: the toolkit draws the whole window. The system menu and the minimise
// box are there for the taskbar button, whose menu and click minimise and restore the window.
constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

int LowSigned(LPARAM value) { return static_cast<short>(LOWORD(value)); }
int HighSigned(LPARAM value) { return static_cast<short>(HIWORD(value)); }

bool Down(int key) { return GetKeyState(key) < 0; }

// The bit when the condition holds, else nothing.
unsigned If(bool condition, HostShift bit) { return condition ? unsigned(bit) : 0u; }

unsigned KeyShift()
{
    return If(Down(VK_SHIFT), hsShift) | If(Down(VK_CONTROL), hsCtrl) | If(Down(VK_MENU), hsAlt) |
           If(Down(VK_LBUTTON), hsLeftButton) | If(Down(VK_RBUTTON), hsRightButton);
}

// A mouse message's own key flags: they describe the moment of the message, not of its reading.
unsigned MouseShift(WPARAM keys)
{
    return If(Down(VK_MENU), hsAlt) | If(keys & MK_SHIFT, hsShift) | If(keys & MK_CONTROL, hsCtrl) |
           If(keys & MK_LBUTTON, hsLeftButton) | If(keys & MK_RBUTTON, hsRightButton);
}

HICON MakeIcon(const uint32_t* pixels, int width, int height)
{
    const std::vector<uint32_t> colour = IconColourPixels(pixels, width, height);
    const std::vector<uint8_t> maskBits = IconMaskBits(colour, width, height);
    if (colour.empty() || maskBits.empty())
        return nullptr;
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    HBITMAP colourBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, maskBits.data());
    HICON icon = nullptr;
    if (colourBitmap && bits && maskBitmap) {
        std::memcpy(bits, colour.data(), colour.size() * sizeof(uint32_t));
        ICONINFO iconInfo{};
        iconInfo.fIcon = TRUE;
        iconInfo.hbmMask = maskBitmap;
        iconInfo.hbmColor = colourBitmap;
        icon = CreateIconIndirect(&iconInfo);
    }
    if (colourBitmap)
        DeleteObject(colourBitmap);
    if (maskBitmap)
        DeleteObject(maskBitmap);
    return icon;
}

HICON ApplicationIcon(int size)
{
    auto* icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kApplicationIconId),
                                               IMAGE_ICON, size, size, LR_SHARED));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

} // namespace

// --- The class ------------------------------------------------------------------------------

const wchar_t* Win32Window::ClassName() { return L"MerrowinWindow"; }

bool Win32Window::RegisterWindowClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // No CS_DBLCLKS: the toolkit tells double clicks itself, from plain presses.
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = ApplicationIcon(GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = ApplicationIcon(GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ClassName();
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LRESULT CALLBACK Win32Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->HandleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// --- Life -----------------------------------------------------------------------------------

Win32Window::Win32Window(Win32Host& host, int id, const HostRect& bounds) : host_(&host), id_(id), bounds_(bounds) {}

// The window is made on the monitor its place points at, at that monitor's scale; should the
// system then put it on another, it takes that one's.
std::unique_ptr<Win32Window> Win32Window::Create(Win32Host& host, int id, const HostWindowParams& params, HWND owner,
                                                 DWORD& error)
{
    std::unique_ptr<Win32Window> self(new Win32Window(host, id, params.bounds));
    const HostRect guess = ScaleRect(params.bounds, ScaleAt(POINT{0, 0}));
    self->scale_ = ScaleNear(RECT{guess.left, guess.top, guess.right, guess.bottom});
    const HostRect b = ScaleRect(params.bounds, self->scale_);
    self->ownChange_ = true;
    HWND window = CreateWindowExW(0, ClassName(), ToWide(params.title).c_str(), kStyle, b.left, b.top,
                                  std::max(0, b.right - b.left), std::max(0, b.bottom - b.top), owner, nullptr,
                                  GetModuleHandleW(nullptr), self.get());
    error = window ? 0 : GetLastError();
    self->ownChange_ = false;
    if (!window) {
        self->window_ = nullptr;
        return nullptr;
    }
    if (const int scale = ScaleForDpi(WindowDpi(window)); scale != self->scale_) {
        self->scale_ = scale;
        self->Place();
    }
    return self;
}

Win32Window::~Win32Window()
{
    if (host_)
        host_->Forget(this);
    if (window_) {
        // Whatever the destruction sends goes to the default procedure, not to a dying object.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    FreeSurface();
    if (surfaceDc_)
        DeleteDC(surfaceDc_);
    if (icon_)
        DestroyIcon(icon_);
}

bool Win32Window::IsVisible() const { return window_ && IsWindowVisible(window_); }

// --- Place and state ------------------------------------------------------------------------

void Win32Window::SetBounds(const HostRect& screen)
{
    if (screen == bounds_)
        return;
    bounds_ = screen;
    Place();
}

void Win32Window::Place()
{
    const HostRect r = ScaleRect(bounds_, scale_);
    ownChange_ = true;
    SetWindowPos(window_, nullptr, r.left, r.top, std::max(0, r.right - r.left), std::max(0, r.bottom - r.top),
                 SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    ownChange_ = false;
}

void Win32Window::Show() { ShowWindow(window_, SW_SHOW); }

void Win32Window::Hide()
{
    SetMouseCapture(false);
    ShowWindow(window_, SW_HIDE);
}

void Win32Window::Minimise()
{
    ownChange_ = true;
    ShowWindow(window_, SW_MINIMIZE);
    ownChange_ = false;
}

void Win32Window::Restore()
{
    ownChange_ = true;
    ShowWindow(window_, SW_RESTORE);
    ownChange_ = false;
}

void Win32Window::Activate()
{
    if (!SetForegroundWindow(window_))
        SetActiveWindow(window_);
}

void Win32Window::SetTitle(const std::string& title) { SetWindowTextW(window_, ToWide(title).c_str()); }

void Win32Window::SetIcon(const uint32_t* pixels, int width, int height)
{
    HICON icon = pixels && width > 0 && height > 0 ? MakeIcon(pixels, width, height) : nullptr;
    // The same picture for the taskbar and the small places; the system scales it.
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    if (icon_)
        DestroyIcon(icon_);
    icon_ = icon;
}

void Win32Window::SetShape(const std::vector<HostRect>& rects)
{
    shape_ = rects;
    ApplyShape();
}

void Win32Window::ApplyShape()
{
    const std::vector<HostRect> rects = ScaleRects(shape_, scale_);
    if (rects.empty()) {
        SetWindowRgn(window_, nullptr, TRUE);
        return;
    }
    std::vector<RECT> spans;
    RECT bound{0, 0, 0, 0};
    for (const HostRect& r : rects) {
        if (r.left >= r.right || r.top >= r.bottom)
            continue;
        const RECT span{r.left, r.top, r.right, r.bottom};
        if (spans.empty())
            bound = span;
        else
            UnionRect(&bound, &bound, &span);
        spans.push_back(span);
    }
    RGNDATAHEADER header{};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(spans.size());
    header.nRgnSize = static_cast<DWORD>(spans.size() * sizeof(RECT));
    header.rcBound = bound;
    std::vector<unsigned char> data(sizeof header + spans.size() * sizeof(RECT));
    std::memcpy(data.data(), &header, sizeof header);
    if (!spans.empty())
        std::memcpy(data.data() + sizeof header, spans.data(), spans.size() * sizeof(RECT));
    HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
    // On success the window owns the region.
    if (region && !SetWindowRgn(window_, region, TRUE))
        DeleteObject(region);
}

// The system's own move loop, the one a caption drag runs: it follows the mouse until the button
// comes up, swallowing that release, and returns only then.
void Win32Window::BeginSystemMove()
{
    const HostRect before = bounds_;
    ReleaseCapture();
    moving_ = true;
    SendMessageW(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    moving_ = false;
    if (bounds_.left != before.left || bounds_.top != before.top) {
        HostEvent moved = Event(HostEventType::Moved);
        moved.x = bounds_.left;
        moved.y = bounds_.top;
        Post(moved);
    }
}

void Win32Window::SetMouseCapture(bool capture)
{
    if (capture)
        SetCapture(window_);
    else if (GetCapture() == window_)
        ReleaseCapture();
}

void Win32Window::PositionChanged(const WINDOWPOS& position)
{
    if ((position.flags & SWP_NOMOVE) && (position.flags & SWP_NOSIZE))
        return;
    RECT r;
    if (ownChange_ || IsIconic(window_) || !GetWindowRect(window_, &r))
        return;
    // Moved, never resized, by anyone but the toolkit: the size stays the toolkit's own.
    const int left = Unscale(r.left, scale_), top = Unscale(r.top, scale_);
    const HostRect now{left, top, left + bounds_.right - bounds_.left, top + bounds_.bottom - bounds_.top};
    const bool moved = now.left != bounds_.left || now.top != bounds_.top;
    bounds_ = now;
    if (moved && !moving_) {
        HostEvent event = Event(HostEventType::Moved);
        event.x = now.left;
        event.y = now.top;
        Post(event);
    }
}

// Minimised or restored by the system itself (Windows+M, Windows+Shift+M): the toolkit is told,
// so that it knows when painting is pointless and when it is needed again.
void Win32Window::SizeChanged(WPARAM kind)
{
    const bool iconic = kind == SIZE_MINIMIZED;
    if (iconic == iconic_ || (kind != SIZE_MINIMIZED && kind != SIZE_RESTORED))
        return;
    iconic_ = iconic;
    if (!ownChange_)
        Post(Event(iconic ? HostEventType::Minimise : HostEventType::Restore));
}

// The taskbar button and the system menu ask through system commands. Minimising and restoring
// are the toolkit's decision, as they are a window procedure's: it hears of them as events and
// answers through Minimise and Restore. Keyboard access to the system menu is turned off, since
// the window has no caption to show that menu under.
bool Win32Window::SystemCommand(WPARAM command)
{
    switch (command & 0xFFF0) {
    case SC_KEYMENU:
        return true;
    case SC_MINIMIZE:
        Post(Event(HostEventType::Minimise));
        return true;
    case SC_RESTORE:
        if (!IsIconic(window_))
            return false;
        Post(Event(HostEventType::Restore));
        return true;
    default:
        return false;
    }
}

// --- Pixels ---------------------------------------------------------------------------------

bool Win32Window::MakeSurface(int width, int height)
{
    FreeSurface();
    if (!surfaceDc_)
        surfaceDc_ = CreateCompatibleDC(nullptr);
    if (!surfaceDc_)
        return false;
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    surface_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!surface_ || !bits) {
        FreeSurface();
        return false;
    }
    surfaceOld_ = SelectObject(surfaceDc_, surface_);
    surfaceBits_ = static_cast<uint32_t*>(bits);
    surfaceWidth_ = width;
    surfaceHeight_ = height;
    return true;
}

void Win32Window::FreeSurface()
{
    if (surfaceDc_ && surfaceOld_)
        SelectObject(surfaceDc_, surfaceOld_);
    if (surface_)
        DeleteObject(surface_);
    surface_ = nullptr;
    surfaceOld_ = nullptr;
    surfaceBits_ = nullptr;
    surfaceWidth_ = surfaceHeight_ = 0;
}

void Win32Window::Blit(HDC dc, const RECT& rect) const
{
    const int right = std::min<int>(rect.right, surfaceWidth_), bottom = std::min<int>(rect.bottom, surfaceHeight_);
    if (surfaceBits_ && rect.left < right && rect.top < bottom)
        BitBlt(dc, rect.left, rect.top, right - rect.left, bottom - rect.top, surfaceDc_, rect.left, rect.top, SRCCOPY);
}

// The toolkit's pixels are kept as given, so that a change of scale can draw them again.
void Win32Window::Present(const uint32_t* pixels, int width, int height, const HostRect& dirty)
{
    if (!pixels || width <= 0 || height <= 0)
        return;
    HostRect area = dirty;
    if (width != pixelWidth_ || height != pixelHeight_) {
        pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        pixelWidth_ = width;
        pixelHeight_ = height;
        area = {0, 0, width, height};
    }
    area.left = std::clamp(area.left, 0, width);
    area.right = std::clamp(area.right, area.left, width);
    area.top = std::clamp(area.top, 0, height);
    area.bottom = std::clamp(area.bottom, area.top, height);
    for (int y = area.top; y < area.bottom; ++y) {
        const size_t offset = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(area.left);
        std::memcpy(pixels_.data() + offset, pixels + offset, static_cast<size_t>(area.right - area.left) * sizeof(uint32_t));
    }
    Show(area);
}

// Scales part of the kept pixels into the surface and puts it on the screen.
void Win32Window::Show(HostRect area)
{
    if (pixels_.empty())
        return;
    if (pixelWidth_ * scale_ != surfaceWidth_ || pixelHeight_ * scale_ != surfaceHeight_) {
        if (!MakeSurface(pixelWidth_ * scale_, pixelHeight_ * scale_))
            return;
        area = {0, 0, pixelWidth_, pixelHeight_};
    }
    // GDI may still be reading the surface from an earlier blit.
    GdiFlush();
    const HostRect done = ScalePixels(pixels_.data(), pixelWidth_, pixelHeight_, area, scale_, surfaceBits_,
                                      static_cast<size_t>(surfaceWidth_));
    if (done.left >= done.right || done.top >= done.bottom)
        return;
    if (HDC dc = GetDC(window_)) {
        Blit(dc, RECT{done.left, done.top, done.right, done.bottom});
        ReleaseDC(window_, dc);
    }
}

// Moved to a monitor of another density: the same window at that monitor's scale, where the
// system suggests, with its shape and pixels redrawn.
void Win32Window::DpiChanged(int dpi, const RECT& suggested)
{
    const int scale = ScaleForDpi(dpi);
    if (scale == scale_)
        return;
    scale_ = scale;
    const HostRect before = bounds_;
    const int left = Unscale(suggested.left, scale_), top = Unscale(suggested.top, scale_);
    bounds_ = {left, top, left + before.right - before.left, top + before.bottom - before.top};
    Place();
    ApplyShape();
    Show({0, 0, pixelWidth_, pixelHeight_});
    if (bounds_.left != before.left || bounds_.top != before.top) {
        HostEvent moved = Event(HostEventType::Moved);
        moved.x = bounds_.left;
        moved.y = bounds_.top;
        Post(moved);
    }
}

void Win32Window::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (!dc)
        return;
    // Shown before the toolkit has painted it: the dialog colour rather than whatever was there.
    if (!surfaceBits_)
        FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    Blit(dc, paint.rcPaint);
    EndPaint(window_, &paint);
}

// --- Input ----------------------------------------------------------------------------------

HostEvent Win32Window::Event(HostEventType type) const
{
    HostEvent event;
    event.type = type;
    event.window = id_;
    return event;
}

void Win32Window::Post(const HostEvent& event)
{
    if (host_)
        host_->Post(event);
}

void Win32Window::Mouse(HostEventType type, HostButton button, WPARAM keys, int x, int y)
{
    if (type == HostEventType::MouseMove && !trackingLeave_) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window_;
        trackingLeave_ = TrackMouseEvent(&track) != 0;
    }
    HostEvent event = Event(type);
    event.button = button;
    event.x = Unscale(x, scale_);
    event.y = Unscale(y, scale_);
    event.shift = MouseShift(keys);
    Post(event);
}

// The toolkit learns that the pointer left from a move to where it now is, outside the window;
// when another window covers this one there, the move goes just outside the corner instead.
void Win32Window::MouseLeft()
{
    trackingLeave_ = false;
    if (GetCapture() == window_)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    int x = Unscale(cursor.x, scale_) - bounds_.left, y = Unscale(cursor.y, scale_) - bounds_.top;
    if (x >= 0 && y >= 0 && x < bounds_.right - bounds_.left && y < bounds_.bottom - bounds_.top)
        x = y = -1;
    HostEvent event = Event(HostEventType::MouseMove);
    event.x = x;
    event.y = y;
    event.shift = KeyShift();
    Post(event);
}

void Win32Window::Key(HostEventType type, WPARAM key)
{
    HostEvent event = Event(type);
    event.key = static_cast<int>(key);
    event.shift = KeyShift();
    Post(event);
}

void Win32Window::Typed(WPARAM unit)
{
    for (char32_t c : typed_.Take(static_cast<uint16_t>(unit))) {
        HostEvent event = Event(HostEventType::Char);
        event.character = c;
        event.shift = KeyShift();
        Post(event);
    }
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        Mouse(HostEventType::MouseMove, HostButton::Left, wParam, LowSigned(lParam), HighSigned(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
        const HostButton button = (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)   ? HostButton::Left
                                  : (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) ? HostButton::Right
                                                                                           : HostButton::Middle;
        Mouse(down ? HostEventType::MouseDown : HostEventType::MouseUp, button, wParam, LowSigned(lParam),
              HighSigned(lParam));
        return 0;
    }
    case WM_MOUSEWHEEL: {
        // The wheel reports screen coordinates.
        HostEvent event = Event(HostEventType::MouseWheel);
        event.x = Unscale(LowSigned(lParam), scale_) - bounds_.left;
        event.y = Unscale(HighSigned(lParam), scale_) - bounds_.top;
        event.wheelDelta = static_cast<short>(HIWORD(wParam));
        event.shift = MouseShift(LOWORD(wParam));
        Post(event);
        return 0;
    }
    case WM_MOUSELEAVE:
        MouseLeft();
        return 0;
    case WM_KEYDOWN:
        Key(HostEventType::KeyDown, wParam);
        return 0;
    case WM_KEYUP:
        Key(HostEventType::KeyUp, wParam);
        return 0;
    case WM_SYSKEYDOWN:
        Key(HostEventType::KeyDown, wParam);
        // Alt+F4 closes the window as everywhere else; every other Alt key belongs to the
        // toolkit (its own system menu included).
        return wParam == VK_F4 ? DefWindowProcW(window_, message, wParam, lParam) : 0;
    case WM_SYSKEYUP:
        // Not passed on: releasing Alt or F10 would put the window into the menu mode of a menu
        // nobody can see.
        Key(HostEventType::KeyUp, wParam);
        return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
        Typed(wParam);
        return 0;
    case WM_SYSCOMMAND:
        if (SystemCommand(wParam))
            return 0;
        break;
    case WM_SIZE:
        SizeChanged(wParam);
        break;
    case WM_ACTIVATE:
        Post(Event(LOWORD(wParam) == WA_INACTIVE ? HostEventType::Deactivate : HostEventType::Activate));
        break;
    case WM_CLOSE:
        Post(Event(HostEventType::Close));
        return 0;
    case WM_WINDOWPOSCHANGED:
        PositionChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
        break;
    case WM_DPICHANGED:
        DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}
