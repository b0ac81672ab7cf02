#pragma once

#include "toolkit/streams/Stream.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

// A growable byte buffer with a position. Positions past the end are allowed: reading there
// gives nothing, writing there fills the gap with zeros.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    TMemoryStream(const TMemoryStream&) = delete;
    TMemoryStream& operator=(const TMemoryStream&) = delete;
    TMemoryStream(TMemoryStream&&) noexcept = default;
    TMemoryStream& operator=(TMemoryStream&&) noexcept = default;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;
    int64_t Size() override { return size_; }

    // Makes room for at least `capacity` bytes without changing the size.
    void Reserve(int64_t capacity);
    // Room for `count` more bytes after the end, for a producer that writes in place; Extend
    // then adds the first `count` bytes it wrote to the stream. Together they save the copy and
    // the zero fill that Write and SetSize would cost.
    uint8_t* Tail(int64_t count);
    void Extend(int64_t count);
    void Clear();

    uint8_t* Memory() { return data_.get(); }
    const uint8_t* Memory() const { return data_.get(); }
    std::string_view View() const;

    // Replaces the content with the whole of `source`, from its first byte; position 0 after.
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& target) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

private:
    struct FreeDeleter {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    void Grow(int64_t needed);

    std::unique_ptr<uint8_t, FreeDeleter> data_;
    int64_t size_ = 0;
    int64_t capacity_ = 0;
    int64_t position_ = 0;
};
