#pragma once

#include "platform/FileAccess.h"
#include "toolkit/streams/MemoryStream.h"

#include <string>
#include <string_view>

// The running installer's own file, whose payload it reads: mapped where the system allows, so
// that the program part of it, most of the file, is never read and the payload is never copied;
// read whole otherwise.
class TInstallerFile {
public:
    // Raises "无法打开文件 %s" when the file cannot be read at all.
    explicit TInstallerFile(const std::string& path);
    TInstallerFile(const TInstallerFile&) = delete;
    TInstallerFile& operator=(const TInstallerFile&) = delete;

    std::string_view Bytes() const { return mapped_.IsMapped() ? mapped_.Bytes() : copy_.View(); }

private:
    TMappedFile mapped_;
    TMemoryStream copy_;
};
