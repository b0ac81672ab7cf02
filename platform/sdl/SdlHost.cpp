#include "platform/sdl/SdlHost.h"

#include "platform/FontEngine.h"
#include "platform/PixelScale.h"
#include "platform/sdl/DesktopScale.h"
#include "platform/sdl/DisplayChoice.h"
#include "platform/sdl/SdlKeyMap.h"
#include "platform/sdl/SdlLibrary.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/X11WakeupErrors.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Waits without a deadline are cut into pieces this long, so that a clock jump is survived.
constexpr uint64_t kLongestWaitMs = 60000;

unsigned ShiftFromMods(unsigned mods)
{
    unsigned shift = 0;
    if (mods & KMOD_SHIFT)
        shift |= hsShift;
    if (mods & KMOD_CTRL)
        shift |= hsCtrl;
    if (mods & KMOD_ALT)
        shift |= hsAlt;
    return shift;
}

unsigned ShiftFromButtons(uint32_t state)
{
    unsigned shift = 0;
    if (state & SDL_BUTTON_LMASK)
        shift |= hsLeftButton;
    if (state & SDL_BUTTON_RMASK)
        shift |= hsRightButton;
    return shift;
}

// The HostShift bit of a mouse button, 0 for buttons the toolkit does not track.
unsigned ButtonBit(uint8_t button)
{
    return button == SDL_BUTTON_LEFT ? unsigned(hsLeftButton) : button == SDL_BUTTON_RIGHT ? unsigned(hsRightButton) : 0u;
}

HostEvent EventFor(HostEventType type, const SdlWindow& window)
{
    HostEvent event;
    event.type = type;
    event.window = window.Id();
    return event;
}

void ApplyHints()
{
    // Ctrl+C and kill end the program as they end any other, instead of becoming a quit event.
    sdl::SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // X11 only unless SDL_VIDEODRIVER says otherwise: the windows place themselves and follow
    // the pointer in screen coordinates, which Wayland does not give a program; and no console
    // driver may take over a machine that simply has no desktop.
    sdl::SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // The plain window surface shows exactly the pixels given, with no GL test window first.
    sdl::SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A dialog program has no business keeping the screen saver away or turning compositing off.
    sdl::SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    sdl::SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // A click on an inactive window activates it and is a click too, as on Windows.
    sdl::SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    sdl::SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
}

}  // namespace

std::unique_ptr<SdlHost> SdlHost::Open(std::string& why)
{
    if (!sdl::Load(why))
        return nullptr;
    ApplyHints();
    if (sdl::SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        why = sdl::SDL_GetError();
        return nullptr;
    }
    if (sdl::SDL_GetNumVideoDisplays() < 1) {
        why = "the display has no screens";
        sdl::SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return std::unique_ptr<SdlHost>(new SdlHost(DesktopScale(std::getenv("GDK_SCALE"), ReadXResources())));
}

SdlHost::SdlHost(int scale) : scale_(scale)
{
    if (const char* driver = sdl::SDL_GetCurrentVideoDriver(); driver && std::string(driver) == "x11")
        x11Errors_ = std::make_unique<X11WakeupErrors>();
}

SdlHost::~SdlHost()
{
    // Windows still open belong to their forms; their native windows must go before SDL does.
    std::unordered_map<uint32_t, SdlWindow*> open;
    open.swap(windows_);
    for (auto& [id, window] : open)
        window->Detach();
    x11Errors_.reset();
    sdl::SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (sdl::SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        sdl::SDL_Quit();
}

std::unique_ptr<HostWindow> SdlHost::NewWindow(const HostWindowParams& params)
{
    auto window = std::make_unique<SdlWindow>(*this, params);
    windows_[window->SdlId()] = window.get();
    return window;
}

void SdlHost::Forget(SdlWindow* window)
{
    windows_.erase(window->SdlId());
    if (moving_ == window)
        moving_ = nullptr;
}

SdlWindow* SdlHost::Find(uint32_t sdlWindowId) const
{
    auto it = windows_.find(sdlWindowId);
    return it == windows_.end() ? nullptr : it->second;
}

uint64_t SdlHost::NowMs() { return sdl::SDL_GetTicks64(); }

void SdlHost::Pause(uint32_t milliseconds) { sdl::SDL_Delay(milliseconds); }

int SdlHost::Unscaled(int screen) const { return Unscale(screen, scale_); }

HostPoint SdlHost::CursorPos()
{
    HostPoint p;
    sdl::SDL_GetGlobalMouseState(&p.x, &p.y);
    return {Unscaled(p.x), Unscaled(p.y)};
}

HostRect SdlHost::WorkArea(const HostRect& nearWindow)
{
    std::vector<HostRect> displays;
    for (int i = 0; i < sdl::SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect r;
        if (sdl::SDL_GetDisplayBounds(i, &r) == 0)
            displays.push_back({r.x, r.y, r.x + r.w, r.y + r.h});
        else
            displays.push_back({});
    }
    const int display = DisplayForWindow(displays, ScaleRect(nearWindow, scale_));
    if (display < 0)
        return nearWindow;
    SDL_Rect usable;
    if (sdl::SDL_GetDisplayUsableBounds(display, &usable) != 0)
        return UnscaleRect(displays[static_cast<size_t>(display)], scale_);
    return UnscaleRect({usable.x, usable.y, usable.x + usable.w, usable.y + usable.h}, scale_);
}

// SDL's own message box is a bare dialog of the display's toolkit; the classic box the toolkit
// draws itself looks like the rest of the program.
int SdlHost::NativeMessageBox(const std::string&, const std::string&, unsigned) { return -1; }

bool SdlHost::SetClipboardText(const std::string& text) { return sdl::SDL_SetClipboardText(text.c_str()) == 0; }

// --- Waiting --------------------------------------------------------------------------------

bool SdlHost::WaitEvent(HostEvent& event, uint64_t deadlineMs)
{
    for (;;) {
        if (!pending_.empty()) {
            event = pending_.front();
            pending_.pop_front();
            return true;
        }
        SDL_Event sdl;
        const uint64_t now = NowMs();
        int got = 0;
        if (deadlineMs <= now)
            got = sdl::SDL_PollEvent(&sdl);
        else
            got = sdl::SDL_WaitEventTimeout(&sdl, static_cast<int>(std::min(deadlineMs - now, kLongestWaitMs)));
        if (got)
            Translate(sdl);
        else if (NowMs() >= deadlineMs)
            return false;
    }
}

bool SdlHost::HasPendingEvents()
{
    if (!pending_.empty())
        return true;
    sdl::SDL_PumpEvents();
    return sdl::SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE;
}

// --- Translation ----------------------------------------------------------------------------

void SdlHost::Translate(const SDL_Event& sdl)
{
    switch (sdl.type) {
    case SDL_WINDOWEVENT:
        if (SdlWindow* window = Find(sdl.window.windowID))
            TranslateWindowEvent(sdl, *window);
        break;
    case SDL_MOUSEMOTION:
        if (moving_)
            TranslateDuringMove(sdl);
        else if (SdlWindow* window = Find(sdl.motion.windowID))
            TranslateMotion(sdl, *window);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (moving_)
            TranslateDuringMove(sdl);
        else if (SdlWindow* window = Find(sdl.button.windowID))
            TranslateButton(sdl, *window);
        break;
    case SDL_MOUSEWHEEL:
        if (SdlWindow* window = Find(sdl.wheel.windowID))
            TranslateWheel(sdl, *window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (SdlWindow* window = Find(sdl.key.windowID))
            TranslateKey(sdl, *window);
        break;
    case SDL_TEXTINPUT:
        if (SdlWindow* window = Find(sdl.text.windowID))
            TranslateText(sdl, *window);
        break;
    default:
        break;
    }
}

void SdlHost::TranslateWindowEvent(const SDL_Event& sdl, SdlWindow& window)
{
    SDL_Window* focus = sdl::SDL_GetKeyboardFocus();
    const bool focused = focus && sdl::SDL_GetWindowID(focus) == window.SdlId();
    switch (sdl.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        Push(EventFor(HostEventType::Close, window));
        break;
    // SDL reports focus changes late, after the toolkit may have moved the focus on (a message
    // box that opened at once): only the news that still holds is passed on, or the toolkit
    // would hand the focus back to a window that has already lost it.
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (focused)
            Push(EventFor(HostEventType::Activate, window));
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (moving_ == &window)
            EndMove();
        if (!focused)
            Push(EventFor(HostEventType::Deactivate, window));
        break;
    // A taskbar button or the window manager's keys: the form decides, as a window procedure
    // would on the system command, and answers through Minimise and Restore.
    case SDL_WINDOWEVENT_MINIMIZED:
        if (window.NoteMinimised(true))
            Push(EventFor(HostEventType::Minimise, window));
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (window.NoteMinimised(false))
            Push(EventFor(HostEventType::Restore, window));
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        window.Refresh();
        break;
    case SDL_WINDOWEVENT_LEAVE:
        MouseLeft(window);
        break;
    default:
        break;
    }
}

// The toolkit learns that the pointer left from a move to a place outside the window, as
// Windows reports no leave without asking. While the mouse is captured, moves keep coming.
void SdlHost::MouseLeft(SdlWindow& window)
{
    if (window.WantsCapture() || buttons_ != 0)
        return;
    HostEvent event = EventFor(HostEventType::MouseMove, window);
    event.x = -1;
    event.y = -1;
    event.shift = ShiftFromMods(sdl::SDL_GetModState());
    Push(event);
}

void SdlHost::TranslateMotion(const SDL_Event& sdl, SdlWindow& window)
{
    HostEvent event = EventFor(HostEventType::MouseMove, window);
    event.x = Unscaled(sdl.motion.x);
    event.y = Unscaled(sdl.motion.y);
    event.shift = ShiftFromMods(sdl::SDL_GetModState()) | ShiftFromButtons(sdl.motion.state);
    Push(event);
}

void SdlHost::TranslateWheel(const SDL_Event& sdl, SdlWindow& window)
{
    if (sdl.wheel.y == 0)
        return;
    HostEvent event = EventFor(HostEventType::MouseWheel, window);
    event.x = Unscaled(sdl.wheel.mouseX);
    event.y = Unscaled(sdl.wheel.mouseY);
    event.wheelDelta = sdl.wheel.y * 120;
    event.shift = ShiftFromMods(sdl::SDL_GetModState()) | buttons_;
    Push(event);
}

// The button state goes with the event as the toolkit expects it: a press includes its own
// button, a release still holds it.
void SdlHost::TranslateButton(const SDL_Event& sdl, SdlWindow& window)
{
    const bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
    HostEvent event = EventFor(down ? HostEventType::MouseDown : HostEventType::MouseUp, window);
    switch (sdl.button.button) {
    case SDL_BUTTON_LEFT:
        event.button = HostButton::Left;
        break;
    case SDL_BUTTON_RIGHT:
        event.button = HostButton::Right;
        break;
    case SDL_BUTTON_MIDDLE:
        event.button = HostButton::Middle;
        break;
    default:
        return;
    }
    event.x = Unscaled(sdl.button.x);
    event.y = Unscaled(sdl.button.y);
    const unsigned bit = ButtonBit(sdl.button.button);
    if (down) {
        buttons_ |= bit;
        lastPress_ = {window.Bounds().left + event.x, window.Bounds().top + event.y};
    }
    event.shift = ShiftFromMods(sdl::SDL_GetModState()) | buttons_;
    if (!down)
        buttons_ &= ~bit;
    Push(event);
}

void SdlHost::TranslateKey(const SDL_Event& sdl, SdlWindow& window)
{
    const unsigned shift = ShiftFromMods(sdl.key.keysym.mod) | buttons_;
    const bool down = sdl.type == SDL_KEYDOWN;
    if (down)
        dropText_ = KeyTextIsSynthesised(shift);
    const int vk = VirtualKeyFromSdl(sdl.key.keysym.sym, sdl.key.keysym.scancode);
    if (vk == 0)
        return;
    HostEvent event = EventFor(down ? HostEventType::KeyDown : HostEventType::KeyUp, window);
    event.key = vk;
    event.shift = shift;
    Push(event);
    if (!down)
        return;
    if (const char32_t character = CharacterForKey(vk, shift)) {
        event.type = HostEventType::Char;
        event.character = character;
        Push(event);
    }
}

void SdlHost::TranslateText(const SDL_Event& sdl, SdlWindow& window)
{
    if (dropText_) {
        dropText_ = false;
        return;
    }
    HostEvent event = EventFor(HostEventType::Char, window);
    event.shift = ShiftFromMods(sdl::SDL_GetModState()) | buttons_;
    for (char32_t point : DecodeUtf8(sdl.text.text)) {
        event.character = point;
        Push(event);
    }
}

// --- Title-bar dragging ---------------------------------------------------------------------
// SDL2 has no system move, so the host moves the window itself: from the press that started it,
// the window follows the pointer's screen position until a button comes up. The toolkit sees
// none of those moves and the release, only where the window went. A move asked for without the
// left button down (the system menu's Move) does nothing: there is no pointer to follow.

void SdlHost::StartMove(SdlWindow* window)
{
    if (moving_ || !(buttons_ & hsLeftButton))
        return;
    moving_ = window;
    moveStart_ = lastPress_;
    moveFrom_ = window->Bounds();
    sdl::SDL_CaptureMouse(SDL_TRUE);
}

void SdlHost::TranslateDuringMove(const SDL_Event& sdl)
{
    if (sdl.type == SDL_MOUSEMOTION) {
        FollowMove();
        return;
    }
    if (sdl.type == SDL_MOUSEBUTTONUP) {
        buttons_ &= ~ButtonBit(sdl.button.button);
        FollowMove();
        EndMove();
    }
}

void SdlHost::FollowMove()
{
    HostPoint pointer = CursorPos();
    const int left = moveFrom_.left + pointer.x - moveStart_.x, top = moveFrom_.top + pointer.y - moveStart_.y;
    if (left == moving_->Bounds().left && top == moving_->Bounds().top)
        return;
    moving_->DragTo(left, top);
    HostEvent moved = EventFor(HostEventType::Moved, *moving_);
    moved.x = left;
    moved.y = top;
    if (!pending_.empty() && pending_.back().type == HostEventType::Moved && pending_.back().window == moved.window)
        pending_.back() = moved;
    else
        Push(moved);
}

void SdlHost::EndMove()
{
    sdl::SDL_CaptureMouse(moving_ && moving_->WantsCapture() ? SDL_TRUE : SDL_FALSE);
    moving_ = nullptr;
}
