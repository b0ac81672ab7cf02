#include "installer/hostpage/HostPage.h"
#include "installer/payload/DecompileStream.h"
#include "installer/project/Project.h"
#include "tools/pack/Commands.h"
#include "tools/common/Options.h"
#include "tools/common/ToolFiles.h"
#include "tools/pack/PackFiles.h"
#include "toolkit/core/IntegerText.h"
#include "toolkit/streams/FileStream.h"

#include <cstdio>
#include <iostream>

namespace {

void Write(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string OnePositional(const Options& options, const char* what)
{
    if (options.Positional().size() != 1)
        throw UsageError(std::string("expected ") + what);
    return options.Positional().front();
}

// FILE, or --project P.txt
std::unique_ptr<TProject> ProjectArgument(const Options& options)
{
    if (options.Has("--project")) {
        if (!options.Positional().empty())
            throw UsageError("give either FILE or --project, not both");
        return LoadProject(options.Value("--project"), true);
    }
    return LoadProject(OnePositional(options, "FILE or --project P.txt"), false);
}

void ShowLines(const char* name, const TStringList& lines)
{
    Write(std::string(name) + ".Count=" + std::to_string(lines.Count()) + "\n");
    for (int i = 0; i < lines.Count(); ++i)
        Write(std::string(name) + "[" + std::to_string(i) + "]=" + lines[i] + "\n");
}

} // namespace

int RunInspect(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {}, {});
    TFileStream file(OnePositional(options, "FILE"), TFileStream::fmOpenRead);
    TDecompileStream container;
    container.Decompile(file);
    const int32_t count = container.Count();
    Write("entries " + std::to_string(count) + "\n");
    for (int32_t i = 0; i < count; ++i)
        Write(std::to_string(i) + " " + std::to_string(container.UnpackedSize(i)) + " " +
              std::to_string(container.StoredSize(i)) + "\n");
    return 0;
}

int RunExtract(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"-o"}, {"--force-inflate"});
    if (options.Positional().size() != 2)
        throw UsageError("expected FILE INDEX");
    const std::string output = options.Required("-o");
    const auto index = TryStrToInt(options.Positional()[1]);
    if (!index)
        throw UsageError("INDEX must be an integer");
    TFileStream file(options.Positional()[0], TFileStream::fmOpenRead);
    TDecompileStream container;
    container.Decompile(file);
    std::unique_ptr<TMemoryStream> entry = container.GetStream(*index, options.Has("--force-inflate"));
    WriteFileAtomically(output, std::string(entry->View()));
    return 0;
}

int RunShow(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"--project"}, {});
    const std::unique_ptr<TProject> project = ProjectArgument(options);
    const TProject& p = *project;
    auto field = [](const char* name, const std::string& value) { Write(std::string(name) + "=" + value + "\n"); };
    auto flag = [&](const char* name, bool value) { field(name, value ? "1" : "0"); };
    field("Title", p.Title);
    field("SourceMovie", p.SourceMovie);
    flag("Loop", p.Loop);
    field("Quality", std::to_string(p.Quality));
    field("BackgroundColor", ColorToString(p.BackgroundColor));
    flag("Transparent", p.Transparent);
    ShowLines("License", p.License);
    flag("ShowLink", p.ShowLink);
    ShowLines("Text", p.Text);
    field("LinkURL", p.LinkURL);
    field("LinkColor", ColorToString(p.LinkColor));
    field("LayerColor", ColorToString(p.LayerColor));
    flag("LayerTransparent", p.LayerTransparent);
    field("InstallerFile", p.InstallerFile);
    flag("Reserved", p.Reserved);
    field("ProjectID", p.ProjectID);
    return 0;
}

int RunPage(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"--project", "--folder"}, {});
    const std::string folder = options.Required("--folder");
    const std::unique_ptr<TProject> project = ProjectArgument(options);
    Write(BuildHostPage(*project, folder).Text());
    return 0;
}
