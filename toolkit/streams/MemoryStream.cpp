#include "toolkit/streams/MemoryStream.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/streams/FileStream.h"

#include <algorithm>
#include <cstring>
#include <new>

int64_t TMemoryStream::Read(void* buffer, int64_t count)
{
    if (count <= 0 || position_ < 0 || position_ >= size_)
        return 0;
    int64_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, data_.get() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0 || position_ < 0)
        return 0;
    int64_t end = position_ + count;
    if (end > size_)
        SetSize(end);
    std::memcpy(data_.get() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    switch (origin) {
    case TSeekOrigin::soBeginning: position_ = offset; break;
    case TSeekOrigin::soCurrent: position_ += offset; break;
    case TSeekOrigin::soEnd: position_ = size_ + offset; break;
    }
    return position_;
}

void TMemoryStream::SetSize(int64_t newSize)
{
    if (newSize < 0)
        throw EWriteError();
    if (newSize > capacity_)
        Grow(newSize);
    if (newSize > size_)
        std::memset(data_.get() + size_, 0, static_cast<size_t>(newSize - size_));
    size_ = newSize;
    position_ = std::min(position_, size_);
}

void TMemoryStream::Reserve(int64_t capacity)
{
    if (capacity > capacity_)
        Grow(capacity);
}

uint8_t* TMemoryStream::Tail(int64_t count)
{
    Reserve(size_ + count);
    return data_.get() + size_;
}

void TMemoryStream::Extend(int64_t count)
{
    if (count < 0 || size_ + count > capacity_)
        throw EWriteError();
    size_ += count;
}

// Grows geometrically so that appending n bytes costs O(n) in all.
void TMemoryStream::Grow(int64_t needed)
{
    int64_t capacity = std::max({needed, capacity_ + capacity_ / 2, int64_t(256)});
    if (static_cast<uint64_t>(capacity) > SIZE_MAX)
        throw std::bad_alloc();
    void* grown = std::realloc(data_.get(), static_cast<size_t>(capacity));
    if (!grown)
        throw std::bad_alloc();
    data_.release();
    data_.reset(static_cast<uint8_t*>(grown));
    capacity_ = capacity;
}

void TMemoryStream::Clear()
{
    data_.reset();
    size_ = capacity_ = position_ = 0;
}

std::string_view TMemoryStream::View() const
{
    return {reinterpret_cast<const char*>(data_.get()), static_cast<size_t>(size_)};
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    const int64_t count = source.Size();
    Clear();
    // Read straight into place: no growth steps, no zero fill.
    source.ReadBuffer(Tail(count), count);
    Extend(count);
}

void TMemoryStream::SaveToStream(TStream& target) const
{
    target.WriteBuffer(data_.get(), size_);
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, TFileStream::fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, TFileStream::fmCreate);
    SaveToStream(file);
}
