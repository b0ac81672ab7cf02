#pragma once

#include "platform/WindowHost.h"

#include <string>
#include <vector>

class HeadlessHost;

// A window that exists only as the pixels it was last given, with its place, shape and state.
class HeadlessWindow : public HostWindow {
public:
    HeadlessWindow(HeadlessHost& host, int id, const HostWindowParams& params);
    ~HeadlessWindow() override;

    int Id() const override { return id_; }
    void SetBounds(const HostRect& screen) override;
    HostRect Bounds() const override { return bounds_; }
    void Show() override;
    void Hide() override;
    void Minimise() override { minimised_ = true; }
    void Restore() override { minimised_ = false; }
    void Activate() override;
    void Present(const uint32_t* pixels, int width, int height, const HostRect& dirty) override;
    void SetShape(const std::vector<HostRect>& rects) override { shape_ = rects; }
    void SetTitle(const std::string& title) override { title_ = title; }
    void SetIcon(const uint32_t* pixels, int width, int height) override;
    void BeginSystemMove() override;
    void SetMouseCapture(bool capture) override { captured_ = capture; }

    bool Visible() const { return visible_; }
    bool Minimised() const { return minimised_; }
    const std::string& Title() const { return title_; }
    bool IsMessageBox() const { return messageBox_; }
    unsigned Answers() const { return answers_; }
    const std::vector<HostRect>& Shape() const { return shape_; }
    int PixelWidth() const { return width_; }
    int PixelHeight() const { return height_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    int IconWidth() const { return iconWidth_; }
    // Whether window pixel (x, y) belongs to the window's shape.
    bool InShape(int x, int y) const;

private:
    HeadlessHost& host_;
    int id_;
    HostRect bounds_;
    std::string title_;
    bool messageBox_;
    unsigned answers_;
    bool visible_ = false;
    bool minimised_ = false;
    bool captured_ = false;
    std::vector<HostRect> shape_;
    std::vector<uint32_t> pixels_;
    int width_ = 0;
    int height_ = 0;
    int iconWidth_ = 0;
};
