#pragma once

#include "toolkit/graphics/Bitmap.h"

#include <functional>
#include <memory>
#include <string>

class TStream;

// A picture that may or may not hold an image; the only kind of image is a bitmap. Empty means
// no image or an image without pixels. Copying copies the image, never the OnChange handler.
class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other);

    bool Empty() const { return !bitmap_ || bitmap_->Empty(); }
    int Width() const { return bitmap_ ? bitmap_->Width() : 0; }
    int Height() const { return bitmap_ ? bitmap_->Height() : 0; }

    // The image, created empty on first use. Whoever changes it through this reference calls
    // Changed() afterwards so that OnChange runs.
    TBitmap& Bitmap();
    // The image, or nullptr when there is none.
    const TBitmap* Graphic() const { return bitmap_.get(); }

    // Copies the other picture's image (none stays none) and calls OnChange.
    void Assign(const TPicture& source);
    void Assign(const TBitmap& source);
    // Drops the image and calls OnChange.
    void Clear();

    // Reads a .bmp; a failure raises EInvalidGraphic and leaves the picture as it was.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

    void Changed();
    std::function<void()> OnChange;

private:
    std::unique_ptr<TBitmap> bitmap_;
};
