#pragma once

#include "platform/WindowHost.h"
#include "platform/win32/SurrogateJoiner.h"

#include <windows.h>

#include <memory>
#include <string>

class Win32Host;

// One form's native window: a borderless popup exactly the size of the form's window rectangle
// at the scale of its monitor (PixelScale.h), whose pixels are the toolkit's back buffer at that
// scale, kept in a top-down 32-bit DIB section. Places, sizes, the shape and the mouse are in the
// toolkit's pixels on this side and in screen pixels on the system's.
// Presenting copies the changed rows in and blits them to the screen at once (the installation
// run repaints its progress bar while the message loop is blocked); WM_PAINT blits from the same
// copy, so a window uncovered or restored never waits for the toolkit.
class Win32Window : public HostWindow {
public:
    // The class every window of the program belongs to; false when the system refuses it.
    static bool RegisterWindowClass();
    static const wchar_t* ClassName();

    // Makes the window (hidden); nullptr when the system refuses, with its error code in `error`.
    static std::unique_ptr<Win32Window> Create(Win32Host& host, int id, const HostWindowParams& params, HWND owner,
                                               DWORD& error);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    int Id() const override { return id_; }
    void SetBounds(const HostRect& screen) override;
    HostRect Bounds() const override { return bounds_; }
    void Show() override;
    void Hide() override;
    void Minimise() override;
    void Restore() override;
    void Activate() override;
    void Present(const uint32_t* pixels, int width, int height, const HostRect& dirty) override;
    void SetShape(const std::vector<HostRect>& rects) override;
    void SetTitle(const std::string& title) override;
    void SetIcon(const uint32_t* pixels, int width, int height) override;
    void BeginSystemMove() override;
    void SetMouseCapture(bool capture) override;

    HWND Handle() const { return window_; }
    bool IsVisible() const;
    // The host is going away before its windows: they stop reporting to it.
    void Detach() { host_ = nullptr; }

private:
    Win32Window(Win32Host& host, int id, const HostRect& bounds);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Place();
    void ApplyShape();
    void Show(HostRect area);
    void DpiChanged(int dpi, const RECT& suggested);
    bool MakeSurface(int width, int height);
    void FreeSurface();
    void Blit(HDC dc, const RECT& rect) const;
    void Paint();
    void Mouse(HostEventType type, HostButton button, WPARAM keys, int x, int y);
    void MouseLeft();
    void Key(HostEventType type, WPARAM key);
    void Typed(WPARAM unit);
    void PositionChanged(const WINDOWPOS& position);
    void SizeChanged(WPARAM kind);
    bool SystemCommand(WPARAM command);
    HostEvent Event(HostEventType type) const;
    void Post(const HostEvent& event);

    Win32Host* host_;
    int id_;
    HWND window_ = nullptr;
    HostRect bounds_;  // in the toolkit's pixels
    int scale_ = 1;
    std::vector<HostRect> shape_;
    // The toolkit's pixels as last presented.
    std::vector<uint32_t> pixels_;
    int pixelWidth_ = 0;
    int pixelHeight_ = 0;
    // Those pixels at the window's scale.
    HDC surfaceDc_ = nullptr;
    HBITMAP surface_ = nullptr;
    HGDIOBJ surfaceOld_ = nullptr;
    uint32_t* surfaceBits_ = nullptr;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    HICON icon_ = nullptr;
    bool trackingLeave_ = false;
    // A change of place or state we made for the toolkit is no news to it; a move during a
    // system move is reported once, when the move ends.
    bool ownChange_ = false;
    bool moving_ = false;
    bool iconic_ = false;
    TSurrogateJoiner typed_;
};
