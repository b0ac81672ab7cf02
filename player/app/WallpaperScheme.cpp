#include "player/app/WallpaperScheme.h"

#include "player/core/PlayerBundle.h"

#include <cstring>

namespace {

const char kScheme[] = "merrowin";
const char kRoot[] = "merrowin://wallpaper/";

// What the page may do: scripts, pictures and sound only from our scheme (the player builds some
// of its pieces in memory), no frames, no plug-ins, no forms, nothing from any other address.
const char kPolicy[] =
    "default-src 'none'; script-src merrowin: 'unsafe-inline' 'unsafe-eval' 'wasm-unsafe-eval'; "
    "style-src merrowin: 'unsafe-inline'; img-src merrowin: data: blob:; media-src merrowin: data: blob:; "
    "font-src merrowin: data:; connect-src merrowin: data: blob:; worker-src merrowin: blob:; "
    "frame-src 'none'; object-src 'none'; form-action 'none'; base-uri 'none'";

const char* TypeOf(const std::string& name)
{
    const auto ends = [&](const char* tail) {
        const size_t n = std::strlen(tail);
        return name.size() >= n && name.compare(name.size() - n, n, tail) == 0;
    };
    if (ends(".js"))
        return "text/javascript";
    if (ends(".wasm"))
        return "application/wasm";
    return "application/octet-stream";
}

// The page's quality names the player's quality setting; other values keep the player's default.
std::string QualitySetting(const std::string& quality)
{
    if (quality == "low" || quality == "medium" || quality == "high")
        return "quality:\"" + quality + "\",";
    return "";
}

} // namespace

WallpaperScheme::WallpaperScheme(WebKitWebContext* context, std::string webFolder) : webFolder_(std::move(webFolder))
{
    webkit_web_context_register_uri_scheme(context, kScheme, &WallpaperScheme::OnRequest, this, nullptr);
    WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
    webkit_security_manager_register_uri_scheme_as_secure(security, kScheme);
    webkit_security_manager_register_uri_scheme_as_cors_enabled(security, kScheme);
}

bool WallpaperScheme::IsOurs(const char* uri)
{
    return uri && std::strncmp(uri, kRoot, std::strlen(kRoot)) == 0;
}

std::string WallpaperScheme::Serve(const TWallpaperPage& page)
{
    page_ = page;
    ++generation_;
    return kRoot + std::to_string(generation_) + "/page.htm";
}

std::string WallpaperScheme::HeadScripts() const
{
    return std::string("<meta charset=\"utf-8\"><meta http-equiv=\"Content-Security-Policy\" content=\"") + kPolicy +
           "\"><style>html,body{overflow:hidden}</style>"
           "<script>window.RufflePlayer=window.RufflePlayer||{};window.RufflePlayer.config={"
           "publicPath:\"" + kRoot + "ruffle/\",autoplay:\"on\",unmuteOverlay:\"hidden\",splashScreen:false,"
           "contextMenu:\"off\",letterbox:\"off\",openUrlMode:\"deny\",allowNetworking:\"none\","
           "allowScriptAccess:false,showSwfDownload:false,warnOnUnsupportedContent:false,"
           "preferredRenderer:\"canvas\"," + QualitySetting(page_.quality) + "polyfills:true};</script>"
           "<script src=\"" + kRoot + "ruffle/ruffle.js\"></script>" + "\r\n";
}

void WallpaperScheme::OnRequest(WebKitURISchemeRequest* request, gpointer self)
{
    static_cast<WallpaperScheme*>(self)->Answer(request);
}

void WallpaperScheme::Answer(WebKitURISchemeRequest* request)
{
    const std::string uri = webkit_uri_scheme_request_get_uri(request);
    const std::string current = kRoot + std::to_string(generation_) + "/";
    const std::string ruffle = std::string(kRoot) + "ruffle/";
    if (generation_ > 0 && uri == current + "page.htm") {
        const std::string html = ServedPage(page_, current + "movie.swf", HeadScripts());
        AnswerBytes(request, html, "text/html; charset=utf-8");
    } else if (generation_ > 0 && uri == current + "movie.swf") {
        AnswerFile(request, page_.moviePath, "application/x-shockwave-flash");
    } else if (uri.compare(0, ruffle.size(), ruffle) == 0 && IsSafeBundleName(uri.substr(ruffle.size())) &&
               uri.find('/', ruffle.size()) == std::string::npos) {
        const std::string name = uri.substr(ruffle.size());
        AnswerFile(request, webFolder_ + "/" + name, TypeOf(name));
    } else {
        GError* error = g_error_new(G_IO_ERROR, G_IO_ERROR_PERMISSION_DENIED, "not served: %s", uri.c_str());
        webkit_uri_scheme_request_finish_error(request, error);
        g_error_free(error);
    }
}

void WallpaperScheme::AnswerFile(WebKitURISchemeRequest* request, const std::string& path, const char* type)
{
    GFile* file = g_file_new_for_path(path.c_str());
    GError* error = nullptr;
    GFileInfo* info = g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_SIZE "," G_FILE_ATTRIBUTE_STANDARD_TYPE,
                                        G_FILE_QUERY_INFO_NONE, nullptr, &error);
    GFileInputStream* stream = nullptr;
    if (info && g_file_info_get_file_type(info) == G_FILE_TYPE_REGULAR)
        stream = g_file_read(file, nullptr, &error);
    if (!stream) {
        if (!error)
            error = g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no file %s", path.c_str());
        webkit_uri_scheme_request_finish_error(request, error);
    } else {
        WebKitURISchemeResponse* response =
            webkit_uri_scheme_response_new(G_INPUT_STREAM(stream), g_file_info_get_size(info));
        webkit_uri_scheme_response_set_status(response, 200, "OK");
        webkit_uri_scheme_response_set_content_type(response, type);
        webkit_uri_scheme_request_finish_with_response(request, response);
        g_object_unref(response);
        g_object_unref(stream);
    }
    if (error)
        g_error_free(error);
    if (info)
        g_object_unref(info);
    g_object_unref(file);
}

void WallpaperScheme::AnswerBytes(WebKitURISchemeRequest* request, const std::string& bytes, const char* type)
{
    GBytes* data = g_bytes_new(bytes.data(), bytes.size());
    GInputStream* stream = g_memory_input_stream_new_from_bytes(data);
    WebKitURISchemeResponse* response = webkit_uri_scheme_response_new(stream, static_cast<gint64>(bytes.size()));
    webkit_uri_scheme_response_set_status(response, 200, "OK");
    webkit_uri_scheme_response_set_content_type(response, type);
    SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
    soup_message_headers_append(headers, "Content-Security-Policy", kPolicy);
    webkit_uri_scheme_response_set_http_headers(response, headers);
    webkit_uri_scheme_request_finish_with_response(request, response);
    g_object_unref(response);
    g_object_unref(stream);
    g_bytes_unref(data);
}
