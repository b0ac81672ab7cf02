#pragma once

#include "platform/WindowHost.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class HeadlessWindow;

// A host without a display: windows are pixel buffers, time is virtual, and input comes from a
// script (MERROWIN_SCRIPT). Virtual time moves only through the script's `wait` and through
// pauses the program takes, so timers fire at exactly the times they are due and every run is
// the same.
//
// Script commands, one per line (blank lines and lines starting with # are skipped); each is
// taken only when the program waits and the events of the one before have all been handled,
// also inside modal loops:
//   key NAME          key down, its character if any, key up. NAME is Return, Escape, Space,
//                     Tab, Backspace, Delete, Insert, Home, End, PageUp, PageDown, Left, Right,
//                     Up, Down, F1..F12, a letter or a digit, with optional alt+, ctrl+, shift+
//   click X Y         move there, press and release the left button
//   down X Y, up X Y, move X Y
//   wheel N           N notches of the wheel, positive away from the user
//   wait MS           lets MS milliseconds of virtual time pass
//   answer yes|no|ok  answers the open message box
//   shot FILE.png     a picture of the active window: the whole window area, with the parts
//                     outside the window's shape transparent
// X and Y are pixels of the active window (frame included), as its shots show them. A command that cannot apply (an
// unknown command or key, no message box open, no window) is reported on standard error and the
// program exits with status 3. When the script is used up the host closes the main (first)
// window as its close button would; a program that then still waits, with no timer due within
// a minute of virtual time, is stuck, which is reported the same way.
class HeadlessHost : public WindowHost {
public:
    explicit HeadlessHost(std::string script = std::string());
    ~HeadlessHost() override;

    // MERROWIN_SCRIPT names the script file; without it the script is empty. A script file that
    // cannot be read is a failure (status 3). MERROWIN_SCALE=2 makes it a screen of high pixel
    // density, as the desktop hosts show one (PixelScale.h): shots twice as wide and high, and the
    // script's X and Y in those shots' pixels. Any other value than 1 or 2 is a failure.
    static std::unique_ptr<HeadlessHost> FromEnvironment();
    void SetScale(int scale) { scale_ = scale; }
    int Scale() const { return scale_; }

    std::unique_ptr<HostWindow> NewWindow(const HostWindowParams& params) override;
    uint64_t NowMs() override { return now_; }
    void Pause(uint32_t milliseconds) override { now_ += milliseconds; }
    bool WaitEvent(HostEvent& event, uint64_t deadlineMs) override;
    bool HasPendingEvents() override { return !queue_.empty(); }
    HostPoint CursorPos() override { return cursor_; }
    HostRect WorkArea(const HostRect& nearWindow) override;
    int NativeMessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    bool SetClipboardText(const std::string& text) override;

    // --- For tests and the script ---------------------------------------------------------------
    // More script lines, taken after those already given (a test that needs the program's
    // windows to know where to click writes its script once they exist).
    void AppendScript(const std::string& script);
    // Runs one script command now (the same text as a script line); false when it cannot apply.
    bool RunCommand(const std::string& line);
    void Post(const HostEvent& event) { queue_.push_back(event); }
    // Offered every command the host does not know, in script order: a test checks the program's
    // state at that point of the script and returns whether the command was its own.
    void SetCommandHook(std::function<bool(const std::string&)> hook) { commandHook_ = std::move(hook); }
    // Replaces what happens on a failure (default: message on standard error, exit status 3).
    void SetFailureHandler(std::function<void(const std::string&)> handler) { onFailure_ = std::move(handler); }
    HeadlessWindow* ActiveWindow() const;
    HeadlessWindow* WindowById(int id) const;
    const std::vector<HeadlessWindow*>& Windows() const { return windows_; }
    // The window as a 32-bit picture, alpha 0 outside its shape: width, height, pixels.
    std::vector<uint32_t> Snapshot(const HeadlessWindow& window) const;
    // Writes the active window as a PNG at the host's scale; false when there is none or the file
    // cannot be written.
    bool SaveShot(const std::string& fileName) const;
    const std::string& Clipboard() const { return clipboard_; }

    // Called by the windows.
    void Forget(HeadlessWindow* window);
    void Raise(HeadlessWindow* window);
    void StartMove(HeadlessWindow* window);

private:
    bool TakeCommand();
    void Fail(const std::string& message);
    bool Mouse(HostEventType type, int x, int y);
    bool Key(const std::string& name);
    bool Answer(const std::string& name);
    bool FilterMove(const HostEvent& event);

    std::vector<std::string> lines_;
    size_t nextLine_ = 0;
    std::deque<HostEvent> queue_;
    std::vector<HeadlessWindow*> windows_;  // bottom to top
    int nextId_ = 1;
    int mainWindow_ = 0;
    uint64_t now_ = 0;
    std::optional<uint64_t> waitUntil_;
    std::optional<uint64_t> scriptEnded_;
    bool closeSent_ = false;
    HostPoint cursor_;
    int scale_ = 1;
    unsigned buttons_ = 0;
    HeadlessWindow* moving_ = nullptr;
    HostPoint moveStart_;
    HostRect moveFrom_;
    std::string clipboard_;
    std::function<void(const std::string&)> onFailure_;
    std::function<bool(const std::string&)> commandHook_;
};
