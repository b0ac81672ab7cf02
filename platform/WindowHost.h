#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The seam between the toolkit and whatever shows windows: one native window per top-level form,
// the input that arrives for it, the clock and the pauses. A host never draws: the toolkit renders
// every window into a back buffer and hands the pixels over. Three hosts exist: headless (tests,
// screenshots, machines without a display), SDL2 (Linux desktops) and Win32.
//
// Coordinates: screen pixels for window positions and the cursor; window pixels (0, 0 = the
// window's top-left corner, frame included) for mouse events.

struct HostRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const HostRect&) const = default;
};

struct HostPoint {
    int x = 0;
    int y = 0;
    bool operator==(const HostPoint&) const = default;
};

// Modifier keys held during an event.
enum HostShift : unsigned { hsShift = 1, hsCtrl = 2, hsAlt = 4, hsLeftButton = 8, hsRightButton = 16 };

enum class HostEventType {
    MouseMove,
    MouseDown,
    MouseUp,
    MouseWheel,  // wheelDelta: multiples of 120, positive away from the user
    KeyDown,     // key: virtual key code
    KeyUp,
    Char,        // character: a Unicode code point typed (after KeyDown)
    Activate,    // the window became the active one
    Deactivate,
    Close,       // the user asked to close the window (its close button, Alt+F4)
    Minimise,    // the user or the system asked to minimise the window (its taskbar button)
    Restore,     // the user or the system asked to restore the minimised window (its taskbar button)
    Moved,       // the window was moved by the user (a system move): x, y = its new screen position
    Answer,      // a scripted answer to an open message box: answer = IDYES, IDNO or IDOK
};

enum class HostButton { Left, Right, Middle };

struct HostEvent {
    HostEventType type = HostEventType::MouseMove;
    int window = 0;  // the id the host gave the window
    int x = 0;       // window pixels, for mouse events
    int y = 0;
    HostButton button = HostButton::Left;
    int wheelDelta = 0;
    int key = 0;
    char32_t character = 0;
    unsigned shift = 0;  // HostShift bits
    int answer = 0;
};

// What a window is for, so that a host can treat message boxes specially (a scripted host
// answers them; a native one may use the system's own box instead).
struct HostWindowParams {
    HostRect bounds;  // screen rectangle, frame included
    std::string title;
    bool messageBox = false;
    unsigned messageBoxAnswers = 0;  // bit (1 << IDxxx) for each answer the box accepts
};

class HostWindow {
public:
    virtual ~HostWindow() = default;

    virtual int Id() const = 0;
    virtual void SetBounds(const HostRect& screen) = 0;
    virtual HostRect Bounds() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Minimise() = 0;
    virtual void Restore() = 0;
    // Brings it to the front and makes it the active window.
    virtual void Activate() = 0;
    // Shows the window's pixels: `pixels` holds width x height values 0xAARRGGBB, top row first;
    // only `dirty` (window pixels) changed since the last call.
    virtual void Present(const uint32_t* pixels, int width, int height, const HostRect& dirty) = 0;
    // The window's shape: only these rectangles (window pixels) belong to it. Empty: the whole
    // rectangle.
    virtual void SetShape(const std::vector<HostRect>& rects) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // A 32-bit picture for the taskbar (same pixel layout as Present); an empty one removes it.
    virtual void SetIcon(const uint32_t* pixels, int width, int height) = 0;
    // Starts moving the window with the mouse, as dragging a title bar does, until the left
    // button comes up.
    virtual void BeginSystemMove() = 0;
    virtual void SetMouseCapture(bool capture) = 0;
};

class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual std::unique_ptr<HostWindow> NewWindow(const HostWindowParams& params) = 0;

    // The clock, in milliseconds from an arbitrary start.
    virtual uint64_t NowMs() = 0;
    // A pause the program takes (blocking; the headless clock simply moves on).
    virtual void Pause(uint32_t milliseconds) = 0;
    // The next event; waits until one arrives or the clock reaches `deadlineMs` (false then).
    // UINT64_MAX waits without a deadline.
    virtual bool WaitEvent(HostEvent& event, uint64_t deadlineMs) = 0;
    // Events not yet taken by WaitEvent are pending; a host that runs from a script takes its
    // next command only when nothing is pending.
    virtual bool HasPendingEvents() = 0;

    virtual HostPoint CursorPos() = 0;
    // The usable part of the screen (without task bars) of the monitor nearest to `nearWindow`.
    virtual HostRect WorkArea(const HostRect& nearWindow) = 0;

    // The system's own message box, blocking; -1 when the host has none (the toolkit then draws
    // its own). flags and the result use the Win32 MB_ and ID values.
    virtual int NativeMessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // Puts text on the clipboard; false where the host has no clipboard.
    virtual bool SetClipboardText(const std::string& text) = 0;
};

// The host a program runs its windows on, chosen by MERROWIN_BACKEND: "headless", or the name of
// this build's desktop host (see DesktopHost.h). Unset or empty: the desktop host when it opens (a
// display exists), else the headless host when MERROWIN_SCRIPT gives it a script; either way,
// standard error says why the desktop host could not open. Returns nullptr, after saying why on
// standard error, when there is no host to run on: a name that is not a host of this build, a
// desktop host that cannot open, or none that opens and no script.
std::unique_ptr<WindowHost> CreateWindowHost();
