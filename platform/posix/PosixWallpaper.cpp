#include "platform/posix/PosixWallpaper.h"

#include "platform/posix/PosixFiles.h"

namespace {

const int32_t kOk = 0;
const int32_t kInvalidArgument = static_cast<int32_t>(0x80070057);
const int32_t kFailure = static_cast<int32_t>(0x80004005);
const uint32_t kApplySave = 1;

} // namespace

int32_t PosixWallpaper::SetWallpaper(const std::string& pageFile)
{
    if (pageFile.empty())
        return kInvalidArgument;
    page_ = pageFile;
    return kOk;
}

int32_t PosixWallpaper::ApplyChanges(uint32_t flags)
{
    if (!(flags & kApplySave) || page_.empty())
        return kOk;
    return WriteFileAtomically(recordFile_, page_ + "\n") ? kOk : kFailure;
}
