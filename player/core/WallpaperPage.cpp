#include "player/core/WallpaperPage.h"

#include "platform/posix/AsciiCase.h"
#include "platform/posix/PosixFiles.h"

#include <sys/stat.h>

namespace {

const size_t kMaxPage = 1 << 20;
const std::string_view kMovieName = "flashwallpaper.swf";

// The value of the first `attribute` text (which ends in an opening quote) up to its closing quote.
std::optional<std::string> QuotedAfter(std::string_view html, std::string_view attribute)
{
    const size_t start = html.find(attribute);
    if (start == std::string_view::npos)
        return std::nullopt;
    const size_t from = start + attribute.size();
    const size_t end = html.find('"', from);
    if (end == std::string_view::npos)
        return std::nullopt;
    return std::string(html.substr(from, end - from));
}

// "file:///" + folder + name, where the folder is absolute: one leading "/" kept.
std::optional<std::string> FileAddressPath(const std::string& address)
{
    const std::string_view scheme = "file:";
    if (address.compare(0, scheme.size(), scheme) != 0)
        return std::nullopt;
    std::string path = address.substr(scheme.size());
    const size_t slashes = path.find_first_not_of('/');
    if (slashes == std::string::npos || slashes == 0)
        return std::nullopt;
    return "/" + path.substr(slashes);
}

bool IsRegularFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string ReplaceEvery(std::string text, const std::string& pattern, const std::string& replacement)
{
    if (pattern.empty())
        return text;
    size_t at = 0;
    while ((at = text.find(pattern, at)) != std::string::npos) {
        text.replace(at, pattern.size(), replacement);
        at += replacement.size();
    }
    return text;
}

} // namespace

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<TWallpaperPage> ReadWallpaperPage(const std::string& pagePath)
{
    if (!IsRegularFile(pagePath))
        return std::nullopt;
    const auto html = ReadSmallFile(pagePath, kMaxPage);
    if (!html || html->empty())
        return std::nullopt;
    TWallpaperPage page;
    page.html = *html;
    auto address = QuotedAfter(page.html, "<embed src=\"");
    if (!address)
        address = QuotedAfter(page.html, "<param name=\"movie\" value=\"");
    if (!address || address->empty())
        return std::nullopt;
    page.movieAddress = *address;
    const auto named = FileAddressPath(*address);
    if (named && EndsWith(*named, std::string("/") + std::string(kMovieName)) && IsRegularFile(*named))
        page.moviePath = *named;
    else
        page.moviePath = JoinPath(FolderOf(pagePath), kMovieName);
    page.quality = QuotedAfter(page.html, "<param name=\"quality\" value=\"").value_or("");
    return page;
}

std::string ServedPage(const TWallpaperPage& page, const std::string& movieUrl, const std::string& head)
{
    // Before the page's own first tag: the parser puts it into the head, ahead of anything the
    // page itself holds.
    return head + ReplaceEvery(page.html, page.movieAddress, movieUrl);
}

bool IsBrowserAddress(std::string_view address)
{
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (SameIgnoringAsciiCase(address.substr(0, scheme.size()), scheme) && address.size() > scheme.size())
            return address.find_first_of(" \t\r\n\"'<>\\") == std::string_view::npos;
    }
    return false;
}
