#include "installer/payload/InstallerFile.h"

#include "toolkit/streams/FileStream.h"

TInstallerFile::TInstallerFile(const std::string& path) : mapped_(path)
{
    if (mapped_.IsMapped())
        return;
    TFileStream file(path, TFileStream::fmOpenRead);
    copy_.LoadFromStream(file);
}
