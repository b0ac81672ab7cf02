#include "tools/pack/CompanionFiles.h"

#include "platform/ExecutablePath.h"
#include "player/core/PlayerBundle.h"

#include <filesystem>
#include <initializer_list>

namespace fs = std::filesystem;

namespace {

fs::path ProgramFolder()
{
    return fs::path(ExecutablePath()).parent_path();
}

std::optional<std::string> FirstFile(std::initializer_list<fs::path> candidates)
{
    std::error_code error;
    for (const fs::path& candidate : candidates) {
        if (fs::is_regular_file(candidate, error))
            return fs::weakly_canonical(candidate, error).string();
    }
    return std::nullopt;
}

bool HasPlayer(const fs::path& folder)
{
    std::error_code error;
    return fs::is_regular_file(folder / kPlayerProgramName, error) && fs::is_directory(folder / "web", error);
}

} // namespace

std::optional<std::string> FindStub(TStubTarget target)
{
    const fs::path self = ProgramFolder();
    const fs::path installed = self / ".." / "lib" / "merrowin" / "stubs";
    if (target == TStubTarget::Linux)
        return FirstFile({installed / "merrowin-setup-stub", self / ".." / ".." / "app" / "setup" / "merrowin-setup-stub"});
    return FirstFile({installed / "merrowin-setup-stub.exe",
                      self / ".." / ".." / ".." / "build-win32" / "app" / "setup" / "merrowin-setup-stub.exe"});
}

std::optional<std::string> FindPlayerFolder()
{
    const fs::path self = ProgramFolder();
    for (const fs::path& candidate : {self / ".." / "lib" / "merrowin" / "player", self / ".." / ".." / "player" / "bundle"}) {
        std::error_code error;
        if (HasPlayer(candidate))
            return fs::weakly_canonical(candidate, error).string();
    }
    return std::nullopt;
}
