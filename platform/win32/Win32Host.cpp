#include "platform/win32/Win32Host.h"

#include "platform/PixelScale.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Window.h"
#include "toolkit/core/Exceptions.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

std::string SystemError(DWORD code) { return "系统错误 " + std::to_string(code); }

// The window a box asks about, so that the box stays above it and takes no taskbar button: the
// active one, else the newest visible window of ours.
HWND BoxOwner(const Win32Window* newestVisible)
{
    if (HWND active = GetActiveWindow())
        return active;
    return newestVisible ? newestVisible->Handle() : nullptr;
}

} // namespace

std::unique_ptr<Win32Host> Win32Host::Open(std::string& why)
{
    if (!Win32Window::RegisterWindowClass()) {
        why = "the window class cannot be registered (" + SystemError(GetLastError()) + ")";
        return nullptr;
    }
    // A window that is never shown, to learn now rather than at the first form whether this
    // session has a display: Wine without an X display refuses every window.
    HWND probe = CreateWindowExW(0, Win32Window::ClassName(), L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!probe) {
        why = "no display: windows cannot be created (" + SystemError(GetLastError()) + ")";
        return nullptr;
    }
    DestroyWindow(probe);
    return std::unique_ptr<Win32Host>(new Win32Host());
}

Win32Host::~Win32Host()
{
    for (Win32Window* window : windows_)
        window->Detach();
}

std::unique_ptr<HostWindow> Win32Host::NewWindow(const HostWindowParams& params)
{
    const HWND owner = params.messageBox ? BoxOwner(Owner()) : nullptr;
    DWORD error = 0;
    std::unique_ptr<Win32Window> window = Win32Window::Create(*this, nextId_, params, owner, error);
    if (!window)
        throw Exception("无法创建窗口 (" + SystemError(error) + ")");
    ++nextId_;
    windows_.push_back(window.get());
    return window;
}

void Win32Host::Forget(Win32Window* window)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    const int id = window->Id();
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(), [id](const HostEvent& e) { return e.window == id; }),
                 queue_.end());
}

Win32Window* Win32Host::Owner() const
{
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->IsVisible())
            return *it;
    return nullptr;
}

// --- Time and events ------------------------------------------------------------------------

uint64_t Win32Host::NowMs() { return GetTickCount64(); }

void Win32Host::Pause(uint32_t milliseconds) { Sleep(milliseconds); }

void Win32Host::Post(const HostEvent& event)
{
    if (event.type == HostEventType::Moved)
        queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                    [&](const HostEvent& e) {
                                        return e.type == HostEventType::Moved && e.window == event.window;
                                    }),
                     queue_.end());
    queue_.push_back(event);
}

bool Win32Host::Pump()
{
    MSG message;
    while (queue_.empty() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The thread was told to end (nothing of ours posts that): the main window is asked
            // to close, as its close button would.
            if (!windows_.empty()) {
                HostEvent close;
                close.type = HostEventType::Close;
                close.window = windows_.front()->Id();
                Post(close);
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return !queue_.empty();
}

bool Win32Host::HasPendingEvents() { return !queue_.empty() || Pump(); }

bool Win32Host::WaitEvent(HostEvent& event, uint64_t deadlineMs)
{
    for (;;) {
        if (!queue_.empty() || Pump()) {
            event = queue_.front();
            queue_.pop_front();
            return true;
        }
        const uint64_t now = NowMs();
        if (now >= deadlineMs)
            return false;
        const DWORD timeout =
            deadlineMs == UINT64_MAX ? INFINITE : static_cast<DWORD>(std::min<uint64_t>(deadlineMs - now, 0x7FFFFFFF));
        MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// --- Screen ---------------------------------------------------------------------------------

// The screen in the toolkit's pixels (PixelScale.h): screen pixels divided by the scale of the
// monitor in question.
HostPoint Win32Host::CursorPos()
{
    POINT point{};
    GetCursorPos(&point);
    const int scale = ScaleAt(point);
    return {Unscale(point.x, scale), Unscale(point.y, scale)};
}

HostRect Win32Host::WorkArea(const HostRect& nearWindow)
{
    const HostRect guess = ScaleRect(nearWindow, ScaleAt(POINT{0, 0}));
    const RECT rect{guess.left, guess.top, guess.right, guess.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT work{};
    if (HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST); monitor && GetMonitorInfoW(monitor, &info))
        work = info.rcWork;
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return UnscaleRect({work.left, work.top, work.right, work.bottom}, ScaleNear(work));
}

// --- Boxes and the clipboard ----------------------------------------------------------------

int Win32Host::NativeMessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    const int answer = MessageBoxW(BoxOwner(Owner()), ToWide(text).c_str(), ToWide(caption).c_str(), flags);
    // 0: the system could not show it; the toolkit then draws its own.
    return answer > 0 ? answer : -1;
}

bool Win32Host::SetClipboardText(const std::string& text)
{
    const std::wstring wide = ToWide(text);
    Win32Window* owner = Owner();
    if (!OpenClipboard(owner ? owner->Handle() : nullptr))
        return false;
    bool done = false;
    if (EmptyClipboard()) {
        const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            if (void* target = GlobalLock(memory)) {
                std::memcpy(target, wide.c_str(), bytes);
                GlobalUnlock(memory);
                // From here on the clipboard owns the memory.
                done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            }
            if (!done)
                GlobalFree(memory);
        }
    }
    CloseClipboard();
    return done;
}
