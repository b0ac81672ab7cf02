#include "toolkit/core/StringList.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/streams/Stream.h"

const std::string& TStringList::Strings(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return lines_[static_cast<size_t>(index)];
}

std::string TStringList::Text() const
{
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(std::string_view text)
{
    lines_ = SplitLines(text);
}

void TStringList::LoadFromStream(TStream& stream)
{
    int64_t left = stream.Size() - stream.Position();
    std::string bytes(static_cast<size_t>(left > 0 ? left : 0), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    SetText(bytes);
}

void TStringList::SaveToStream(TStream& stream) const
{
    std::string text = Text();
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

std::vector<std::string> SplitLines(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}
