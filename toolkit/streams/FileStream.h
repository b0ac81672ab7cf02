#pragma once

#include "toolkit/streams/Stream.h"

#include <cstdio>
#include <memory>
#include <string>

// A stream over a file on disk, named by a UTF-8 path. It stands on the C library's buffered
// files rather than on the standard library's file streams, which would bring their whole locale
// machinery into the installer stub.
class TFileStream : public TStream {
public:
    enum Mode { fmCreate, fmOpenRead, fmOpenWrite, fmOpenReadWrite };

    // fmCreate makes a new empty file or empties an existing one ("无法创建文件 %s" when it
    // cannot); the other modes open an existing file ("无法打开文件 %s").
    TFileStream(const std::string& fileName, Mode mode);

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;

    const std::string& FileName() const { return fileName_; }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    // The C library asks for a seek between writing and reading, in either order.
    enum class LastAccess { None, Read, Write };
    void Switch(LastAccess next);

    std::string fileName_;
    std::unique_ptr<std::FILE, Closer> file_;
    LastAccess last_ = LastAccess::None;
};
