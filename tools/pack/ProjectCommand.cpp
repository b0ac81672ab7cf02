#include "installer/project/Project.h"
#include "platform/Guid.h"
#include "tools/pack/Commands.h"
#include "tools/common/Options.h"
#include "tools/common/ToolFiles.h"
#include "tools/pack/PackFiles.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/IntegerText.h"

namespace {

// A field of the record is one line of the stored text: a break inside it would shift every
// field after it.
std::string SingleLine(const Options& options, const std::string& name, const std::string& fallback = {})
{
    std::string value = options.Value(name, fallback);
    if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw UsageError(name + " must be one line");
    return value;
}

bool Flag(const Options& options, const std::string& name, bool fallback)
{
    std::string value = options.Value(name, fallback ? "1" : "0");
    if (value != "0" && value != "1")
        throw UsageError(name + " takes 0 or 1");
    return value == "1";
}

// Text files as editors write them: UTF-8, perhaps with a byte-order mark. Anything else is
// refused rather than packed as question marks.
void LoadLines(const Options& options, const std::string& name, TStringList& lines)
{
    if (!options.Has(name))
        return;
    std::string text = ReadWholeFile(options.Value(name));
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    if (!IsUtf8(text))
        throw Exception(options.Value(name) + " is not UTF-8 text");
    lines.SetText(text);
}

} // namespace

int RunProject(const std::vector<std::string>& arguments)
{
    const Options options(arguments,
                          {"--title", "--license", "--loop", "--quality", "--background", "--transparent",
                           "--show-link", "--link-text", "--link-url", "--link-color", "--layer-color",
                           "--layer-transparent", "--source-movie", "--installer-file", "--project-id", "-o"},
                          {});
    if (!options.Positional().empty())
        throw UsageError("unexpected argument " + options.Positional().front());
    const std::string output = options.Required("-o");

    TProject project;
    project.Title = SingleLine(options, "--title");
    if (!options.Has("--title"))
        throw UsageError("--title is required");
    project.SourceMovie = SingleLine(options, "--source-movie");
    project.Loop = Flag(options, "--loop", true);
    project.Quality = StrToInt(options.Value("--quality", "2"));
    project.BackgroundColor = StringToColor(options.Value("--background", "clBlack"));
    project.Transparent = Flag(options, "--transparent", false);
    LoadLines(options, "--license", project.License);
    project.ShowLink = Flag(options, "--show-link", false);
    LoadLines(options, "--link-text", project.Text);
    project.LinkURL = SingleLine(options, "--link-url");
    project.LinkColor = StringToColor(options.Value("--link-color", "clWhite"));
    project.LayerColor = StringToColor(options.Value("--layer-color", "clBlack"));
    project.LayerTransparent = Flag(options, "--layer-transparent", true);
    project.InstallerFile = SingleLine(options, "--installer-file");
    project.ProjectID = SingleLine(options, "--project-id", NewGuidText());

    project.SaveToStream();
    WriteFileAtomically(output, std::string(project.ProjectStream.View()));
    return 0;
}
