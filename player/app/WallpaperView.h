#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

// A web view set up for playing a wallpaper page: software drawing, no windows of its own, no
// navigation away from the page. A click on a link (the page's link box) hands an http or https
// address to the user's browser; nothing else is ever opened.
//
// `related`: an earlier view whose web process this one shares (one per extra monitor), or null.
WebKitWebView* CreateWallpaperView(WebKitWebContext* context, WebKitWebView* related);

// The context all views of this player share: ephemeral (nothing is kept on disk), with a
// language the movie player accepts.
WebKitWebContext* CreateWallpaperContext();
