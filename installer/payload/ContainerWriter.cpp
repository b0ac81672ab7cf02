#include "installer/payload/ContainerWriter.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/streams/Stream.h"

#include <zlib.h>

#include <limits>
#include <string>

namespace {

constexpr int64_t kMaxSize = std::numeric_limits<int32_t>::max();

std::string Deflate(std::string_view bytes)
{
    if (bytes.size() > static_cast<size_t>(kMaxSize))
        throw Exception("entry too large for the container format");
    uLongf packedSize = compressBound(static_cast<uLong>(bytes.size()));
    std::string packed(packedSize, '\0');
    int status = compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                           reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()),
                           Z_BEST_COMPRESSION);
    if (status != Z_OK)
        throw Exception("error");
    packed.resize(packedSize);
    return packed;
}

} // namespace

void TContainerWriter::AddRaw(std::string_view bytes)
{
    AddEntry(bytes, static_cast<int64_t>(bytes.size()));
}

void TContainerWriter::AddPacked(std::string_view bytes)
{
    AddEntry(Deflate(bytes), static_cast<int64_t>(bytes.size()));
}

void TContainerWriter::AddEntry(std::string_view stored, int64_t unpacked)
{
    const auto storedSize = static_cast<int64_t>(stored.size());
    const int64_t trailer = 8 * static_cast<int64_t>(sizes_.size() + 1) + 4;
    if (unpacked > kMaxSize || total_ + storedSize + trailer > kMaxSize)
        throw Exception("entry too large for the container format");
    target_.WriteBuffer(stored.data(), storedSize);
    sizes_.push_back({static_cast<int32_t>(unpacked), static_cast<int32_t>(storedSize)});
    total_ += storedSize;
}

void TContainerWriter::Finish()
{
    for (const Sizes& pair : sizes_) {
        target_.WriteInt32(pair.unpacked);
        target_.WriteInt32(pair.stored);
    }
    target_.WriteInt32(static_cast<int32_t>(sizes_.size()));
}
