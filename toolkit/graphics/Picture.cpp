#include "toolkit/graphics/Picture.h"

#include "toolkit/streams/FileStream.h"

TPicture::TPicture(const TPicture& other)
{
    if (other.bitmap_)
        bitmap_ = std::make_unique<TBitmap>(*other.bitmap_);
}

TPicture& TPicture::operator=(const TPicture& other)
{
    Assign(other);
    return *this;
}

TBitmap& TPicture::Bitmap()
{
    if (!bitmap_)
        bitmap_ = std::make_unique<TBitmap>();
    return *bitmap_;
}

void TPicture::Assign(const TPicture& source)
{
    if (&source == this)
        return;
    if (source.bitmap_)
        bitmap_ = std::make_unique<TBitmap>(*source.bitmap_);
    else
        bitmap_.reset();
    Changed();
}

void TPicture::Assign(const TBitmap& source)
{
    if (bitmap_ && &source == bitmap_.get())
        return;
    bitmap_ = std::make_unique<TBitmap>(source);
    Changed();
}

void TPicture::Clear()
{
    bitmap_.reset();
    Changed();
}

void TPicture::LoadFromStream(TStream& stream)
{
    auto loaded = std::make_unique<TBitmap>();
    loaded->LoadFromStream(stream);
    bitmap_ = std::move(loaded);
    Changed();
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, TFileStream::fmOpenRead);
    LoadFromStream(stream);
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}
