#include "player/app/WallpaperView.h"

#include "player/app/WallpaperScheme.h"
#include "player/core/WallpaperPage.h"

#include <cstdlib>
#include <string>

namespace {

// "zh_CN.UTF-8" -> "zh-CN". The movie player builds a locale from the web view's language and
// stops at one it cannot read, such as "c" or "posix".
std::string LanguageTag()
{
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (!value || !value[0])
            continue;
        std::string tag = value;
        tag = tag.substr(0, tag.find_first_of(".@"));
        for (char& c : tag) {
            if (c == '_')
                c = '-';
        }
        const bool letters = tag.size() >= 2 && tag[0] >= 'a' && tag[0] <= 'z' && tag[1] >= 'a' && tag[1] <= 'z';
        if (letters && (tag.size() == 2 || (tag.size() == 5 && tag[2] == '-')))
            return tag;
        break;
    }
    return "en-US";
}

void OpenInBrowser(const char* uri)
{
    if (!uri || !IsBrowserAddress(uri))
        return;
    const gchar* argv[] = {"xdg-open", uri, nullptr};
    GError* error = nullptr;
    if (!g_spawn_async(nullptr, const_cast<gchar**>(argv), nullptr,
                       GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL),
                       nullptr, nullptr, nullptr, &error)) {
        g_printerr("merrowin-wallpaper: cannot open %s: %s\n", uri, error->message);
        g_error_free(error);
    }
}

gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type, gpointer)
{
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
        webkit_policy_decision_use(decision);
        return TRUE;
    }
    WebKitNavigationAction* action =
        webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    // Only a person's click on a link leaves the page, and only for the browser; a movie or a
    // script asking for an address gets nothing.
    const bool clicked = webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED &&
                         webkit_navigation_action_get_mouse_button(action) != 0 &&
                         webkit_navigation_action_is_user_gesture(action);
    if (clicked && !WallpaperScheme::IsOurs(uri)) {
        OpenInBrowser(uri);
        webkit_policy_decision_ignore(decision);
        return TRUE;
    }
    const bool frame = type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION;
    if (frame && (WallpaperScheme::IsOurs(uri) || g_strcmp0(uri, "about:blank") == 0))
        webkit_policy_decision_use(decision);
    else
        webkit_policy_decision_ignore(decision);
    return TRUE;
}

GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction*, gpointer)
{
    return nullptr;
}

gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*, gpointer)
{
    return TRUE;
}

gboolean OnPermission(WebKitWebView*, WebKitPermissionRequest* request, gpointer)
{
    webkit_permission_request_deny(request);
    return TRUE;
}

} // namespace

WebKitWebContext* CreateWallpaperContext()
{
    WebKitWebContext* context = webkit_web_context_new_ephemeral();
    webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER);
    const std::string language = LanguageTag();
    const gchar* languages[] = {language.c_str(), nullptr};
    webkit_web_context_set_preferred_languages(context, languages);
    return context;
}

WebKitWebView* CreateWallpaperView(WebKitWebContext* context, WebKitWebView* related)
{
    WebKitSettings* settings = webkit_settings_new_with_settings(
        "enable-javascript", TRUE, "javascript-can-open-windows-automatically", FALSE, "enable-page-cache", FALSE,
        "enable-developer-extras", FALSE, "enable-webgl", FALSE, "allow-file-access-from-file-urls", FALSE,
        "allow-universal-access-from-file-urls", FALSE, "enable-back-forward-navigation-gestures", FALSE,
        "hardware-acceleration-policy", WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER, "enable-write-console-messages-to-stdout",
        std::getenv("MERROWIN_WALLPAPER_DEBUG") != nullptr, nullptr);
    GObject* object = related ? G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", related, "settings",
                                                      settings, nullptr))
                              : G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, "settings",
                                                      settings, nullptr));
    g_object_unref(settings);
    WebKitWebView* view = WEBKIT_WEB_VIEW(object);
    g_signal_connect(view, "decide-policy", G_CALLBACK(OnDecidePolicy), nullptr);
    g_signal_connect(view, "create", G_CALLBACK(OnCreate), nullptr);
    g_signal_connect(view, "context-menu", G_CALLBACK(OnContextMenu), nullptr);
    g_signal_connect(view, "permission-request", G_CALLBACK(OnPermission), nullptr);
    return view;
}
