#include "platform/headless/HeadlessWindow.h"

#include "platform/headless/HeadlessHost.h"

#include <algorithm>
#include <cstring>

HeadlessWindow::HeadlessWindow(HeadlessHost& host, int id, const HostWindowParams& params)
    : host_(host), id_(id), bounds_(params.bounds), title_(params.title), messageBox_(params.messageBox),
      answers_(params.messageBoxAnswers)
{
}

HeadlessWindow::~HeadlessWindow() { host_.Forget(this); }

void HeadlessWindow::SetBounds(const HostRect& screen) { bounds_ = screen; }

void HeadlessWindow::Show()
{
    visible_ = true;
    host_.Raise(this);
}

void HeadlessWindow::Hide()
{
    visible_ = false;
    captured_ = false;
}

void HeadlessWindow::Activate() { host_.Raise(this); }

void HeadlessWindow::Present(const uint32_t* pixels, int width, int height, const HostRect& dirty)
{
    if (!pixels || width <= 0 || height <= 0)
        return;
    if (width != width_ || height != height_) {
        width_ = width;
        height_ = height;
        pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        std::memcpy(pixels_.data(), pixels, pixels_.size() * sizeof(uint32_t));
        return;
    }
    int left = std::clamp(dirty.left, 0, width), right = std::clamp(dirty.right, 0, width);
    int top = std::clamp(dirty.top, 0, height), bottom = std::clamp(dirty.bottom, 0, height);
    for (int y = top; y < bottom && left < right; ++y) {
        size_t offset = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(left);
        std::memcpy(pixels_.data() + offset, pixels + offset, static_cast<size_t>(right - left) * sizeof(uint32_t));
    }
}

void HeadlessWindow::SetIcon(const uint32_t* pixels, int width, int height)
{
    iconWidth_ = pixels ? width : 0;
    (void)height;
}

void HeadlessWindow::BeginSystemMove() { host_.StartMove(this); }

bool HeadlessWindow::InShape(int x, int y) const
{
    if (shape_.empty())
        return true;
    return std::any_of(shape_.begin(), shape_.end(),
                       [&](const HostRect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}
