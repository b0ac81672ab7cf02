#pragma once

#include "platform/WindowHost.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class Win32Window;

// The window host of Windows: one borderless popup per form, the thread's message queue as the
// event source, the tick count as the clock.
//
// Window procedures never call into the toolkit; they only queue events here. So whatever
// Windows sends while a window is being created, moved or shown, or while a system message box
// runs its own loop, the toolkit sees it in order and only from WaitEvent.
class Win32Host : public WindowHost {
public:
    // Registers the window class and makes sure this session can show windows at all (under Wine
    // without an X display it cannot): nullptr otherwise, with the reason in `why`.
    static std::unique_ptr<Win32Host> Open(std::string& why);
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    // Raises the toolkit's Exception when the system refuses the window.
    std::unique_ptr<HostWindow> NewWindow(const HostWindowParams& params) override;
    uint64_t NowMs() override;
    void Pause(uint32_t milliseconds) override;
    bool WaitEvent(HostEvent& event, uint64_t deadlineMs) override;
    bool HasPendingEvents() override;
    HostPoint CursorPos() override;
    HostRect WorkArea(const HostRect& nearWindow) override;
    int NativeMessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    bool SetClipboardText(const std::string& text) override;

    // --- For the windows ------------------------------------------------------------------------
    // Queues an event; a move replaces a move of the same window still waiting, so that a window
    // dragged across the screen reports only where it ended up.
    void Post(const HostEvent& event);
    void Forget(Win32Window* window);

private:
    Win32Host() = default;
    // Dispatches waiting messages until one of them queues an event; false when the thread's
    // queue ran dry first.
    bool Pump();
    // The newest visible window of ours: the clipboard's owner, and a box's when none is active.
    Win32Window* Owner() const;

    std::deque<HostEvent> queue_;
    std::vector<Win32Window*> windows_;  // in the order they were made
    int nextId_ = 1;
};
