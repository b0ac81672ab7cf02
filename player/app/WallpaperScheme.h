#pragma once

#include "player/core/WallpaperPage.h"

#include <string>
#include <webkit2/webkit2.h>

// Everything the web view may load comes through one address scheme of ours:
//   merrowin://wallpaper/N/page.htm     the page, made ready for playing
//   merrowin://wallpaper/N/movie.swf    its movie
//   merrowin://wallpaper/ruffle/NAME    the movie player's own files
// N counts the pages shown, so that a new page is never taken from an earlier load. Any other
// address, on this scheme or another, gets nothing: the page may not reach the network or any
// other file of the user's.
class WallpaperScheme {
public:
    WallpaperScheme(WebKitWebContext* context, std::string webFolder);

    // Makes `page` the one served; returns the address to load.
    std::string Serve(const TWallpaperPage& page);

    static bool IsOurs(const char* uri);

private:
    static void OnRequest(WebKitURISchemeRequest* request, gpointer self);
    void Answer(WebKitURISchemeRequest* request);
    void AnswerFile(WebKitURISchemeRequest* request, const std::string& path, const char* type);
    void AnswerBytes(WebKitURISchemeRequest* request, const std::string& bytes, const char* type);
    std::string HeadScripts() const;

    std::string webFolder_;
    TWallpaperPage page_;
    unsigned generation_ = 0;
};
