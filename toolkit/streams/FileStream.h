#pragma once

#include "toolkit/streams/Stream.h"

#include <fstream>
#include <string>

// A stream over a file on disk, named by a UTF-8 path.
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
    std::string fileName_;
    std::filebuf file_;
};
