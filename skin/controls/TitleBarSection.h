#pragma once

#include "toolkit/graphics/Picture.h"

#include <memory>
#include <vector>

class TsuiTitleBar;
class TsuiTitleBarSections;

enum TsuiTitleBarAlign { suiLeft, suiRight, suiClient };

// One picture piece of a title: laid out from the left, against the right end, or stretched
// over what is left between them (at most one section of a bar). A caption section is
// stretched to the width of the caption.
class TsuiTitleBarSection {
public:
    explicit TsuiTitleBarSection(TsuiTitleBarSections& collection) : collection_(collection) {}

    bool AutoSize() const { return autoSize_; }
    // Writing it takes the picture's width when there is a picture.
    void SetAutoSize(bool value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TsuiTitleBarAlign Align() const { return align_; }
    // A second suiClient section is refused with an error box; the value stays.
    void SetAlign(TsuiTitleBarAlign value);
    const TPicture& Picture() const { return picture_; }
    void SetPicture(const TPicture& value);
    void SetPicture(const TBitmap& value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool CapSec() const { return capSec_; }
    void SetCapSec(bool value);

    void Assign(const TsuiTitleBarSection& source);
    int Index() const;

private:
    void Changed();

    TsuiTitleBarSections& collection_;
    bool autoSize_ = false;
    int width_ = 10;
    TsuiTitleBarAlign align_ = suiLeft;
    TPicture picture_;
    bool stretch_ = false;
    bool capSec_ = false;
};

// The sections of a title bar, in drawing order; any change repaints the bar.
class TsuiTitleBarSections {
public:
    explicit TsuiTitleBarSections(TsuiTitleBar* titleBar) : titleBar_(titleBar) {}

    TsuiTitleBar* TitleBar() const { return titleBar_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError outside the collection.
    TsuiTitleBarSection* Items(int index) const;
    TsuiTitleBarSection* Add();
    void Clear();
    int IndexOf(const TsuiTitleBarSection* item) const;
    void Assign(const TsuiTitleBarSections& source);
    void Changed();

private:
    TsuiTitleBar* titleBar_;
    std::vector<std::unique_ptr<TsuiTitleBarSection>> items_;
};
