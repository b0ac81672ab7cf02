#include "installer/hostpage/HostPage.h"

#include "installer/project/Project.h"
#include "toolkit/core/HexText.h"

namespace {

// Where a desktop without the player is sent to fetch it. The paths and the version fragment are
// what the player's installer understands; the hosts are ours.
constexpr std::string_view kPlayerCabinet =
    "http://download.merrowin.com/pub/shockwave/cabs/flash/swflash.cab#version=6,0,29,0";
constexpr std::string_view kPlayerPage = "http://www.merrowin.com/go/getflashplayer";

std::string Str(std::string_view text)
{
    return std::string(text);
}

void AddStyleRule(TStringList& page, const TProject& project)
{
    for (const char* line : {"<style type=\"text/css\">", "<!--", ".Layer {", "position: absolute;",
                             "visibility: visible;", "z-index: 1;", "right: 10px;", "bottom: 10px;",
                             "padding: 5px;"})
        page.Add(line);
    if (!project.LayerTransparent)
        page.Add("background-color: #" + ColorToHex(project.LayerColor) + ";");
    for (const char* line : {"overflow: visible;", "font-family: \"Tahoma\", \"Arial\", \"Helvetica\", \"sans-serif\";",
                             "font-size: 11px;", "font-weight: bold;", "}", "-->", "</style>"})
        page.Add(line);
}

void AddPlayerParams(TStringList& page, const TProject& project, const std::string& movieUrl)
{
    page.Add("<param name=\"movie\" value=\"" + movieUrl + "\">");
    static const char* const kQualities[] = {"low", "medium", "high"};
    if (project.Quality >= 0 && project.Quality <= 2)
        page.Add(Str("<param name=\"quality\" value=\"") + kQualities[project.Quality] + "\">");
    page.Add(Str("<param name=\"wmode\" value=\"") + (project.Transparent ? "transparent" : "opaque") + "\">");
    page.Add(Str("<param name=\"loop\" value=\"") + (project.Loop ? "true" : "false") + "\">");
}

std::string LinkBox(const TProject& project)
{
    return "<span class=\"Layer\"><a href=\"" + project.LinkURL + "\" target=\"_blank\"><font color=\"#" +
           ColorToHex(project.LinkColor) + "\">" + ReplaceAll(project.Text.Text(), "\r\n", "<br>") +
           "</font></a></span>";
}

} // namespace

std::string ColorToHex(TColor color)
{
    auto bits = static_cast<uint32_t>(color);
    std::string text;
    AppendHex(text, bits & 0xFF, 2);
    AppendHex(text, (bits >> 8) & 0xFF, 2);
    AppendHex(text, (bits >> 16) & 0xFF, 2);
    return text;
}

std::string ReplaceAll(std::string_view source, std::string_view pattern, std::string_view replacement)
{
    if (pattern.empty())
        return Str(source);
    std::string result;
    size_t start = 0;
    for (size_t found; (found = source.find(pattern, start)) != std::string_view::npos;) {
        result.append(source, start, found - start);
        result.append(replacement);
        start = found + pattern.size();
    }
    result.append(source, start);
    return result;
}

TStringList BuildHostPage(const TProject& project, const std::string& folder)
{
    const std::string movieUrl = "file:///" + folder + Str(kMovieFileName);
    TStringList page;
    page.Add("<HTML><TITLE>" + project.Title + "</TITLE>");
    page.Add("<HEAD>");
    AddStyleRule(page, project);
    page.Add("</HEAD>");
    page.Add("<body bgcolor=\"#" + ColorToHex(project.BackgroundColor) +
             "\" leftmargin=\"0\" topmargin=\"0\" marginwidth=\"0\" marginheight=\"0\">");
    page.Add("<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" codebase=\"" + Str(kPlayerCabinet) +
             "\" width=\"100%\" height=\"100%\">");
    AddPlayerParams(page, project, movieUrl);
    page.Add("<embed src=\"" + movieUrl + "\" pluginspage=\"" + Str(kPlayerPage) +
             "\" type=\"application/x-shockwave-flash\" width=\"100%\" height=\"100%\"></embed></object>");
    if (project.ShowLink)
        page.Add(LinkBox(project));
    page.Add("</body>");
    page.Add("</HTML>");
    return page;
}
