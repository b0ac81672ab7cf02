#pragma once

#include <string>

class SystemServices;
class TMemoryStream;
class TProject;

// What the installation shows while it works. The wizard window implements it: the progress
// bar repaints at once, pauses go through the application's clock, and the finish page shows
// where the wallpaper went.
class TInstallationView {
public:
    virtual ~TInstallationView() = default;
    virtual void ShowProgress(int position) = 0; // out of 10
    virtual void Pause(int milliseconds) = 0;
    virtual void ShowFinished(const std::string& targetFolder) = 0;
};

// Where one wallpaper goes, all with the platform's separator.
struct TInstallationPaths {
    std::string commonFolder; // documents folder + "我的 Flash 墙纸"
    std::string titleFolder;  // common folder + separator + safe title
    std::string targetFolder; // title folder + separator
    std::string movieFile;    // target folder + "flashwallpaper.swf"
    std::string pageFile;     // target folder + safe title + ".htm"
};

// The title with / \ : * ? " < > | each replaced by "_", so that it can name a folder and a file.
// A title of dots alone would name the folder above or the common folder itself, so its dots
// become "_" as well.
std::string SafeTitle(const std::string& title);

TInstallationPaths InstallationPaths(const std::string& documentsFolder, const std::string& safeTitle,
                                     char separator);

// Installs the wallpaper: creates the folders, writes the movie and the host page, and makes the
// page the desktop wallpaper, showing progress on the way. Raises at the first failure (the toolkit's
// message, e.g. "无法创建文件 %s" naming the file); what was written before stays.
void RunInstallation(const TProject& project, const TMemoryStream& movie, SystemServices& services,
                     TInstallationView& view);
