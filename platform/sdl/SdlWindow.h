#pragma once

#include "platform/WindowHost.h"

#include <cstdint>
#include <string>
#include <vector>

class SdlHost;
struct SDL_Window;

// One form's native window: borderless, placed and sized exactly as the form at the host's scale
// (PixelScale.h), showing the back buffer at that scale through the window surface. Where the display can shape windows it is made as a
// shaped window from the start, since SDL cannot shape a window made otherwise.
class SdlWindow : public HostWindow {
public:
    // Raises std::runtime_error with SDL's reason when the window cannot be made.
    SdlWindow(SdlHost& host, const HostWindowParams& params);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    int Id() const override { return static_cast<int>(id_); }
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

    // --- For the host ---------------------------------------------------------------------------
    uint32_t SdlId() const { return id_; }
    bool Shaped() const;
    bool WantsCapture() const { return captured_; }
    // Moves it to follow a title-bar drag.
    void DragTo(int left, int top);
    // Shows the last presented pixels again (the display lost them).
    void Refresh();
    // The display minimised or restored it: true when that is news to the toolkit, false when it
    // only carries out the toolkit's own Minimise or Restore.
    bool NoteMinimised(bool minimised);
    // The host goes away first: the native window goes with it and the rest is a no-op.
    void Detach();

private:
    void ApplyShape();
    // The window's place on the display, in its pixels.
    HostRect Screen() const;

    SdlHost* host_;
    int scale_;
    SDL_Window* window_ = nullptr;
    uint32_t id_ = 0;
    HostRect bounds_;
    std::vector<HostRect> shape_;
    std::vector<uint32_t> scaled_;  // the last pixels at the scale, when it is not 1
    bool captured_ = false;
    bool minimised_ = false;
    bool presented_ = false;
};
