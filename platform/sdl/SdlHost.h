#pragma once

#include "platform/WindowHost.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>

class SdlWindow;
class X11WakeupErrors;
union SDL_Event;

// The window host of Linux desktops, on SDL2's video subsystem. Every form gets a borderless
// window that shows the toolkit's pixels as they are, frame and title bar included; the shape,
// the title-bar drag and the keys the toolkit expects from a Win32 system are made here from
// what SDL offers. Time is the real clock. On a desktop scaled to 150 % or more every window is
// shown at twice its size (PixelScale.h): the toolkit sees its own pixels, the display twice as
// many.
class SdlHost : public WindowHost {
public:
    // Opens the video subsystem; nullptr when there is no display, with SDL's reason in `why`.
    static std::unique_ptr<SdlHost> Open(std::string& why);
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    std::unique_ptr<HostWindow> NewWindow(const HostWindowParams& params) override;
    uint64_t NowMs() override;
    void Pause(uint32_t milliseconds) override;
    bool WaitEvent(HostEvent& event, uint64_t deadlineMs) override;
    bool HasPendingEvents() override;
    HostPoint CursorPos() override;
    HostRect WorkArea(const HostRect& nearWindow) override;
    int NativeMessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    bool SetClipboardText(const std::string& text) override;

    // Called by the windows.
    int Scale() const { return scale_; }
    void Forget(SdlWindow* window);
    void StartMove(SdlWindow* window);

private:
    explicit SdlHost(int scale);
    int Unscaled(int screen) const;

    void Translate(const SDL_Event& sdl);
    void TranslateWindowEvent(const SDL_Event& sdl, SdlWindow& window);
    void TranslateMotion(const SDL_Event& sdl, SdlWindow& window);
    void TranslateWheel(const SDL_Event& sdl, SdlWindow& window);
    void TranslateButton(const SDL_Event& sdl, SdlWindow& window);
    void TranslateKey(const SDL_Event& sdl, SdlWindow& window);
    void TranslateText(const SDL_Event& sdl, SdlWindow& window);
    void MouseLeft(SdlWindow& window);
    void TranslateDuringMove(const SDL_Event& sdl);
    void FollowMove();
    void EndMove();
    SdlWindow* Find(uint32_t sdlWindowId) const;
    void Push(const HostEvent& event) { pending_.push_back(event); }

    int scale_;
    std::unique_ptr<X11WakeupErrors> x11Errors_;
    std::unordered_map<uint32_t, SdlWindow*> windows_;
    std::deque<HostEvent> pending_;
    unsigned buttons_ = 0;         // hsLeftButton / hsRightButton as the events had them
    HostPoint lastPress_;          // screen position of the last button press
    bool dropText_ = false;        // the text input of the last key press is CharacterForKey's
    SdlWindow* moving_ = nullptr;  // the window being dragged by its title bar
    HostPoint moveStart_;
    HostRect moveFrom_;
};
