#include "tools/pack/PlayerPacking.h"

#include "player/core/PlayerBundle.h"
#include "toolkit/core/Exceptions.h"
#include "tools/common/ToolFiles.h"

#include <MerrowinVersion.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

bool IsLinuxStub(const std::string& stub)
{
    return stub.size() >= 4 && stub.compare(0, 4, "\x7f" "ELF") == 0;
}

std::string PackPlayerFolder(const std::string& folder)
{
    std::vector<TBundleFile> files;
    files.push_back({kPlayerProgramName, true, ReadWholeFile((fs::path(folder) / kPlayerProgramName).string())});
    std::vector<fs::path> web;
    for (const auto& entry : fs::directory_iterator(fs::path(folder) / "web")) {
        if (entry.is_regular_file())
            web.push_back(entry.path());
    }
    std::sort(web.begin(), web.end());
    for (const fs::path& path : web) {
        const std::string name = "web/" + path.filename().string();
        if (!IsSafeBundleName(name))
            throw Exception("the player file " + path.string() + " has a name an installer cannot carry");
        files.push_back({name, false, ReadWholeFile(path.string())});
    }
    TPlayerBundle bundle{BundleStamp(MERROWIN_VERSION, files), std::move(files)};
    return WritePlayerBundle(bundle);
}
