// Any bytes as a project text: loading must end in a record or one of the loader's errors, and
// the text a loaded record saves must load again and save to the very same bytes.
#include "installer/project/Project.h"
#include "toolkit/core/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string SaveLoaded(TProject& project)
{
    TProject copy;
    project.SaveToStream();
    copy.ProjectStream.LoadFromStream(project.ProjectStream);
    copy.LoadFromStream(); // a failure here escapes as a finding
    copy.ProjectStream.Clear();
    copy.SaveToStream();
    return std::string(copy.ProjectStream.View());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TProject project;
    project.ProjectStream.WriteBuffer(data, static_cast<int64_t>(size));
    project.ProjectStream.SetPosition(0);
    try {
        project.LoadFromStream();
    } catch (const Exception&) {
        return 0;
    }
    project.ProjectStream.Clear();
    const std::string first = SaveLoaded(project);
    TProject reloaded;
    reloaded.ProjectStream.WriteBuffer(first.data(), static_cast<int64_t>(first.size()));
    reloaded.ProjectStream.SetPosition(0);
    reloaded.LoadFromStream();
    reloaded.ProjectStream.Clear();
    if (SaveLoaded(reloaded) != first)
        std::abort();
    return 0;
}
