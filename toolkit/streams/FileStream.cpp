#include "toolkit/streams/FileStream.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Utf8Path.h"

#include <filesystem>
#include <limits>

namespace {

std::ios_base::openmode OpenMode(TFileStream::Mode mode)
{
    using std::ios_base;
    switch (mode) {
    case TFileStream::fmCreate: return ios_base::in | ios_base::out | ios_base::trunc | ios_base::binary;
    case TFileStream::fmOpenRead: return ios_base::in | ios_base::binary;
    case TFileStream::fmOpenWrite: return ios_base::out | ios_base::in | ios_base::binary;
    case TFileStream::fmOpenReadWrite: return ios_base::in | ios_base::out | ios_base::binary;
    }
    return ios_base::in | ios_base::binary;
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, Mode mode) : fileName_(fileName)
{
    std::filesystem::path path = Utf8Path(fileName);
    std::error_code error;
    bool isFolder = std::filesystem::is_directory(path, error);
    if (isFolder || !file_.open(path, OpenMode(mode))) {
        if (mode == fmCreate)
            throw EFCreateError(fileName);
        throw EFOpenError(fileName);
    }
}

int64_t TFileStream::Read(void* buffer, int64_t count)
{
    if (count <= 0)
        return 0;
    return file_.sgetn(static_cast<char*>(buffer), count);
}

int64_t TFileStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0)
        return 0;
    return file_.sputn(static_cast<const char*>(buffer), count);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    std::ios_base::seekdir dir = origin == TSeekOrigin::soBeginning ? std::ios_base::beg
                                 : origin == TSeekOrigin::soCurrent ? std::ios_base::cur
                                                                    : std::ios_base::end;
    std::streampos position = file_.pubseekoff(offset, dir, std::ios_base::in | std::ios_base::out);
    return static_cast<int64_t>(std::streamoff(position));
}

void TFileStream::SetSize(int64_t newSize)
{
    file_.pubsync();
    std::error_code error;
    std::filesystem::resize_file(Utf8Path(fileName_), static_cast<uintmax_t>(newSize), error);
    if (error)
        throw EWriteError();
    if (Position() > newSize)
        Seek(0, TSeekOrigin::soEnd);
}
