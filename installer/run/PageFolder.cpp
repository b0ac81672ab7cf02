#include "installer/run/PageFolder.h"

#include "platform/SystemServices.h"
#include "toolkit/core/HexText.h"

namespace {

bool KeptInAddress(unsigned char c)
{
    const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    return letterOrDigit || c == '-' || c == '.' || c == '_' || c == '~' || c == ':' || c == '/';
}

// The short form of the folder, with its final separator; empty when there is none.
std::string ShortFolder(SystemServices& services, const std::string& folder)
{
    const char separator = services.PathSeparator();
    std::string withoutSeparator = folder;
    if (!withoutSeparator.empty() && withoutSeparator.back() == separator)
        withoutSeparator.pop_back();
    std::string shortName = services.ShortPathName(withoutSeparator);
    if (shortName.empty() || shortName == withoutSeparator)
        return {};
    if (shortName.back() != separator)
        shortName += separator;
    return shortName;
}

} // namespace

std::string PercentEncodedFolder(const std::string& folder, char separator)
{
    std::string address;
    for (char c : folder) {
        const auto byte = static_cast<unsigned char>(c == separator ? '/' : c);
        if (KeptInAddress(byte)) {
            address += static_cast<char>(byte);
        } else {
            address += '%';
            AppendHex(address, byte, 2);
        }
    }
    return address;
}

std::string PageFolder(SystemServices& services, const std::string& targetFolder)
{
    if (services.ShellTextHolds(targetFolder))
        return targetFolder;
    const std::string shortFolder = ShortFolder(services, targetFolder);
    if (!shortFolder.empty() && services.ShellTextHolds(shortFolder))
        return shortFolder;
    return PercentEncodedFolder(targetFolder, services.PathSeparator());
}
