#include "toolkit/streams/FileStream.h"

#include "platform/FileAccess.h"
#include "toolkit/core/Exceptions.h"

namespace {

const char* OpenMode(TFileStream::Mode mode)
{
    switch (mode) {
    case TFileStream::fmCreate: return "w+b";
    case TFileStream::fmOpenRead: return "rb";
    case TFileStream::fmOpenWrite:
    case TFileStream::fmOpenReadWrite: return "r+b";
    }
    return "rb";
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, Mode mode) : fileName_(fileName)
{
    if (!IsFolder(fileName))
        file_.reset(OpenFile(fileName, OpenMode(mode)));
    if (!file_) {
        if (mode == fmCreate)
            throw EFCreateError(fileName);
        throw EFOpenError(fileName);
    }
}

void TFileStream::Switch(LastAccess next)
{
    if (last_ != LastAccess::None && last_ != next)
        SeekFile(file_.get(), 0, SEEK_CUR);
    last_ = next;
}

int64_t TFileStream::Read(void* buffer, int64_t count)
{
    if (count <= 0)
        return 0;
    Switch(LastAccess::Read);
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_.get()));
}

int64_t TFileStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0)
        return 0;
    Switch(LastAccess::Write);
    return static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_.get()));
}

// The new position, or -1 when the file cannot go there (before its start, for one).
int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET : origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
    if (SeekFile(file_.get(), offset, whence) != 0)
        return -1;
    last_ = LastAccess::None;
    return TellFile(file_.get());
}

void TFileStream::SetSize(int64_t newSize)
{
    const int64_t position = TellFile(file_.get());
    std::fflush(file_.get());
    if (!ResizeFile(fileName_, newSize))
        throw EWriteError();
    Seek(position > newSize ? 0 : position, position > newSize ? TSeekOrigin::soEnd : TSeekOrigin::soBeginning);
}
