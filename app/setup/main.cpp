// merrowin-setup: the installer program. An author appends a wallpaper to a copy of it; when it
// runs it reads that payload from its own file. Until the wizard window exists it reports what
// it found.
#include "installer/payload/DecompileStream.h"
#include "installer/project/Project.h"
#include "platform/CommandLine.h"
#include "platform/ExecutablePath.h"
#include "toolkit/streams/FileStream.h"

#include <cstdio>
#include <exception>

int main()
{
    SetBinaryStandardOutput();
    try {
        TFileStream self(ExecutablePath(), TFileStream::fmOpenRead);
        TDecompileStream container;
        container.Decompile(self);
        std::unique_ptr<TMemoryStream> movie = container.GetStream(1, true);
        TProject project;
        project.ProjectStream.LoadFromStream(*container.GetStream(2, true));
        project.LoadFromStream();
        std::printf("%s: a movie of %lld bytes, %d licence lines\n", project.Title.c_str(),
                    static_cast<long long>(movie->Size()), project.License.Count());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
