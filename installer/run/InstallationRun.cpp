#include "installer/run/InstallationRun.h"

#include "installer/hostpage/HostPage.h"
#include "installer/project/Project.h"
#include "installer/run/PageFolder.h"
#include "installer/system/SystemInfo.h"
#include "platform/SystemServices.h"
#include "toolkit/streams/FileStream.h"
#include "toolkit/streams/MemoryStream.h"

#include <cstdint>

namespace {

constexpr std::string_view kCommonFolderName = "我的 Flash 墙纸";
constexpr int kDocumentsFolder = 4;
// Save, generate the HTML, refresh and force: the wallpaper is kept and shown at once.
constexpr uint32_t kApplyAll = 1 | 2 | 4 | 8;

void WriteFile(const std::string& fileName, std::string_view bytes)
{
    TFileStream file(fileName, TFileStream::fmCreate);
    file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// One folder level; whether it was made shows only when a file is written into it.
void MakeFolderIfMissing(SystemServices& services, const std::string& folder)
{
    if (!services.FolderExists(folder))
        services.MakeFolder(folder);
}

void SetWallpaper(SystemServices& services, const std::string& pageFile)
{
    std::unique_ptr<WallpaperService> wallpaper = services.StartWallpaperService();
    wallpaper->SetWallpaper(pageFile);
    wallpaper->ApplyChanges(kApplyAll);
}

} // namespace

std::string SafeTitle(const std::string& title)
{
    std::string safe = title;
    for (char& c : safe)
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    if (!safe.empty() && safe.find_first_not_of('.') == std::string::npos)
        safe.assign(safe.size(), '_');
    return safe;
}

TInstallationPaths InstallationPaths(const std::string& documentsFolder, const std::string& safeTitle,
                                     char separator)
{
    TInstallationPaths paths;
    paths.commonFolder = documentsFolder + std::string(kCommonFolderName);
    paths.titleFolder = paths.commonFolder + separator + safeTitle;
    paths.targetFolder = paths.titleFolder + separator;
    paths.movieFile = paths.targetFolder + std::string(kMovieFileName);
    paths.pageFile = paths.targetFolder + safeTitle + ".htm";
    return paths;
}

void RunInstallation(const TProject& project, const TMemoryStream& movie, SystemServices& services,
                     TInstallationView& view)
{
    const std::string safeTitle = SafeTitle(project.Title);
    view.ShowProgress(1);
    view.Pause(300);

    const std::string documents = TSystemInfo(services).GetSystemPath(kDocumentsFolder);
    const TInstallationPaths paths = InstallationPaths(documents, safeTitle, services.PathSeparator());
    MakeFolderIfMissing(services, paths.commonFolder);
    MakeFolderIfMissing(services, paths.titleFolder);
    view.ShowProgress(2);
    view.Pause(300);

    const std::string pageFolder = PageFolder(services, paths.targetFolder);
    const std::string page = services.ShellText(BuildHostPage(project, pageFolder).Text());
    view.ShowProgress(6);
    view.Pause(300);

    WriteFile(paths.movieFile, movie.View());
    view.ShowProgress(8);
    view.Pause(300);

    WriteFile(paths.pageFile, page);
    view.ShowProgress(9);
    view.Pause(300);

    SetWallpaper(services, paths.pageFile);
    view.ShowProgress(10);
    view.Pause(50);

    view.ShowFinished(paths.targetFolder);
}
