#include "installer/project/Project.h"

#include "toolkit/core/CodePage.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/IntegerText.h"

#include <vector>

namespace {

// The stored lines, fetched by number in the order the fields are read. Line numbers are
// computed from counts the text itself declares, so they are 64-bit: no count can wrap them
// around to a line that exists.
class ProjectLines {
public:
    explicit ProjectLines(std::string_view bytes) : lines_(SplitLines(bytes)) {}

    std::string Text(int64_t index) const { return GbkToUtf8(Raw(index)); }
    bool Flag(int64_t index) const { return Raw(index) == "1"; }
    int32_t Integer(int64_t index) const { return StrToInt(Text(index)); }
    TColor Color(int64_t index) const { return StringToColor(Text(index)); }

private:
    const std::string& Raw(int64_t index) const
    {
        if (index < 0 || index >= static_cast<int64_t>(lines_.size()))
            throw EListError(index);
        return lines_[static_cast<size_t>(index)];
    }

    std::vector<std::string> lines_;
};

const char* FlagText(bool value, const char* falseText = "0")
{
    return value ? "1" : falseText;
}

} // namespace

void TProject::LoadFromStream()
{
    int64_t left = ProjectStream.Size() - ProjectStream.Position();
    std::string bytes(static_cast<size_t>(left > 0 ? left : 0), '\0');
    ProjectStream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    const ProjectLines lines(bytes);

    Title = lines.Text(1);
    SourceMovie = lines.Text(2);
    Loop = lines.Flag(3);
    Quality = lines.Integer(4);
    BackgroundColor = lines.Color(5);
    Transparent = lines.Flag(6);

    LicenseCount = lines.Integer(7);
    const int64_t L = LicenseCount;
    License.Clear();
    for (int64_t i = 0; i < L; ++i)
        License.Add(lines.Text(8 + i));

    ShowLink = lines.Flag(8 + L);
    TextCount = lines.Integer(9 + L);
    const int64_t T = TextCount;
    Text.Clear();
    for (int64_t i = 0; i < T; ++i)
        Text.Add(lines.Text(10 + L + i));

    LinkURL = lines.Text(10 + L + T);
    LinkColor = lines.Color(11 + L + T);
    LayerColor = lines.Color(12 + L + T);
    LayerTransparent = lines.Flag(13 + L + T);
    InstallerFile = lines.Text(14 + L + T);
    Reserved = lines.Flag(15 + L + T);
    ProjectID = lines.Text(16 + L + T);
}

void TProject::SaveToStream()
{
    LicenseCount = License.Count();
    TextCount = Text.Count();

    TStringList lines;
    lines.Add("1");
    lines.Add(Title);
    lines.Add(SourceMovie);
    lines.Add(FlagText(Loop));
    lines.Add(std::to_string(Quality));
    lines.Add(ColorToString(BackgroundColor));
    lines.Add(FlagText(Transparent));
    lines.Add(std::to_string(LicenseCount));
    for (int i = 0; i < License.Count(); ++i)
        lines.Add(License[i]);
    lines.Add(FlagText(ShowLink, "2"));
    lines.Add(std::to_string(TextCount));
    for (int i = 0; i < Text.Count(); ++i)
        lines.Add(Text[i]);
    lines.Add(LinkURL);
    lines.Add(ColorToString(LinkColor));
    lines.Add(ColorToString(LayerColor));
    lines.Add(FlagText(LayerTransparent));
    lines.Add(InstallerFile);
    lines.Add(FlagText(Reserved));
    lines.Add(ProjectID);

    const std::string text = Utf8ToGbk(lines.Text());
    ProjectStream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}
