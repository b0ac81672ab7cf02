#include "platform/sdl/SdlWindow.h"

#include "platform/IconColours.h"
#include "platform/PixelScale.h"
#include "platform/sdl/SdlHost.h"
#include "platform/sdl/SdlLibrary.h"
#include "platform/sdl/ShapeMask.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr Uint32 kWindowFlags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;

int WidthOf(const HostRect& r) { return std::max(1, r.right - r.left); }
int HeightOf(const HostRect& r) { return std::max(1, r.bottom - r.top); }

}  // namespace

SdlWindow::SdlWindow(SdlHost& host, const HostWindowParams& params)
    : host_(&host), scale_(host.Scale()), bounds_(params.bounds)
{
    const HostRect screen = Screen();
    const int width = WidthOf(screen), height = HeightOf(screen);
    // SDL puts a shaped window where it was asked only once the first shape is set, and only for
    // a position other than 0; so it is asked for 0, 0 and placed by hand after its first shape.
    window_ = sdl::SDL_CreateShapedWindow(params.title.c_str(), 0, 0, static_cast<unsigned>(width),
                                          static_cast<unsigned>(height), kWindowFlags);
    if (window_)
        ApplyShape();
    else
        window_ = sdl::SDL_CreateWindow(params.title.c_str(), screen.left, screen.top, width, height, kWindowFlags);
    if (!window_)
        throw std::runtime_error(std::string("cannot open a window: ") + sdl::SDL_GetError());
    sdl::SDL_SetWindowPosition(window_, screen.left, screen.top);
    id_ = sdl::SDL_GetWindowID(window_);
}

SdlWindow::~SdlWindow()
{
    if (host_)
        host_->Forget(this);
    if (window_)
        sdl::SDL_DestroyWindow(window_);
}

void SdlWindow::Detach()
{
    if (window_)
        sdl::SDL_DestroyWindow(window_);
    window_ = nullptr;
    host_ = nullptr;
}

bool SdlWindow::Shaped() const { return window_ && sdl::SDL_IsShapedWindow(window_); }

HostRect SdlWindow::Screen() const { return ScaleRect(bounds_, scale_); }

void SdlWindow::SetBounds(const HostRect& bounds)
{
    bounds_ = bounds;
    if (!window_)
        return;
    const HostRect screen = Screen();
    int left = 0, top = 0, width = 0, height = 0;
    sdl::SDL_GetWindowPosition(window_, &left, &top);
    sdl::SDL_GetWindowSize(window_, &width, &height);
    if (left != screen.left || top != screen.top)
        sdl::SDL_SetWindowPosition(window_, screen.left, screen.top);
    if (width != WidthOf(screen) || height != HeightOf(screen)) {
        sdl::SDL_SetWindowSize(window_, WidthOf(screen), HeightOf(screen));
        // The window surface is made anew at the next Present, with nothing in it.
        presented_ = false;
        ApplyShape();
    }
}

void SdlWindow::DragTo(int left, int top)
{
    bounds_ = {left, top, left + (bounds_.right - bounds_.left), top + (bounds_.bottom - bounds_.top)};
    if (window_)
        sdl::SDL_SetWindowPosition(window_, left * scale_, top * scale_);
}

void SdlWindow::Show()
{
    if (!window_)
        return;
    sdl::SDL_ShowWindow(window_);
    Refresh();
}

void SdlWindow::Hide()
{
    if (!window_)
        return;
    if (captured_)
        SetMouseCapture(false);
    sdl::SDL_HideWindow(window_);
}

void SdlWindow::Minimise()
{
    minimised_ = true;
    if (window_)
        sdl::SDL_MinimizeWindow(window_);
}

void SdlWindow::Restore()
{
    minimised_ = false;
    if (window_)
        sdl::SDL_RestoreWindow(window_);
}

bool SdlWindow::NoteMinimised(bool minimised)
{
    if (minimised == minimised_)
        return false;
    minimised_ = minimised;
    return true;
}

void SdlWindow::Activate()
{
    if (!window_ || !(sdl::SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN))
        return;
    sdl::SDL_RaiseWindow(window_);
    // Asks for the keyboard directly as well: without a window manager nobody else hands it over.
    sdl::SDL_SetWindowInputFocus(window_);
}

void SdlWindow::Present(const uint32_t* pixels, int width, int height, const HostRect& dirty)
{
    if (!window_ || !pixels || width <= 0 || height <= 0)
        return;
    SDL_Surface* surface = sdl::SDL_GetWindowSurface(window_);
    if (!surface)
        return;
    HostRect area = presented_ ? dirty : HostRect{0, 0, width, height};
    if (scale_ > 1) {
        scaled_.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(scale_ * scale_));
        area = ScalePixels(pixels, width, height, area, scale_, scaled_.data(), static_cast<size_t>(width * scale_));
        pixels = scaled_.data();
        width *= scale_;
        height *= scale_;
    }
    const int w = std::min(width, surface->w), h = std::min(height, surface->h);
    area.left = std::clamp(area.left, 0, w);
    area.right = std::clamp(area.right, 0, w);
    area.top = std::clamp(area.top, 0, h);
    area.bottom = std::clamp(area.bottom, 0, h);
    if (area.left >= area.right || area.top >= area.bottom)
        return;
    if (SDL_MUSTLOCK(surface) && sdl::SDL_LockSurface(surface) != 0)
        return;
    const uint32_t* from = pixels + static_cast<size_t>(area.top) * static_cast<size_t>(width) + area.left;
    auto* to = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(area.top) * static_cast<size_t>(surface->pitch) +
               static_cast<size_t>(area.left) * surface->format->BytesPerPixel;
    // Read as XRGB: the alpha byte of the back buffer means nothing, so a surface that has
    // alpha gets opaque pixels.
    sdl::SDL_ConvertPixels(area.right - area.left, area.bottom - area.top, SDL_PIXELFORMAT_RGB888, from, width * 4,
                           surface->format->format, to, surface->pitch);
    if (SDL_MUSTLOCK(surface))
        sdl::SDL_UnlockSurface(surface);
    const SDL_Rect rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
    sdl::SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
    presented_ = true;
}

void SdlWindow::Refresh()
{
    if (window_ && presented_)
        sdl::SDL_UpdateWindowSurface(window_);
}

void SdlWindow::SetShape(const std::vector<HostRect>& rects)
{
    shape_ = rects;
    ApplyShape();
}

void SdlWindow::ApplyShape()
{
    if (!Shaped())
        return;
    int width = 0, height = 0;
    sdl::SDL_GetWindowSize(window_, &width, &height);
    const std::vector<uint8_t> mask = ShapeMask(ScaleRects(shape_, scale_), width, height);
    if (mask.empty())
        return;
    SDL_Surface* surface = sdl::SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * static_cast<size_t>(surface->pitch));
        const uint8_t* inside = mask.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x)
            row[x] = inside[x] ? 0xFF000000u : 0;
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    sdl::SDL_SetWindowShape(window_, surface, &mode);
    sdl::SDL_FreeSurface(surface);
}

void SdlWindow::SetTitle(const std::string& title)
{
    if (window_)
        sdl::SDL_SetWindowTitle(window_, title.c_str());
}

void SdlWindow::SetIcon(const uint32_t* pixels, int width, int height)
{
    // SDL2 can give a window an icon but cannot take it away again; an empty icon keeps the last.
    if (!window_ || !pixels || width <= 0 || height <= 0)
        return;
    std::vector<uint32_t> icon = IconColourPixels(pixels, width, height);
    SDL_Surface* surface =
        sdl::SDL_CreateRGBSurfaceWithFormatFrom(icon.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return;
    sdl::SDL_SetWindowIcon(window_, surface);
    sdl::SDL_FreeSurface(surface);
}

void SdlWindow::BeginSystemMove()
{
    if (host_ && window_)
        host_->StartMove(this);
}

void SdlWindow::SetMouseCapture(bool capture)
{
    captured_ = capture;
    if (window_)
        sdl::SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}
