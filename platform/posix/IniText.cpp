#include "platform/posix/IniText.h"

#include "platform/posix/AsciiCase.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

// The section named by a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line)
{
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trimmed(line.substr(1, close - 1));
}

bool IsKeyLine(std::string_view line, std::string_view key)
{
    size_t equals = line.find('=');
    return equals != std::string_view::npos && SameIgnoringAsciiCase(Trimmed(line.substr(0, equals)), key);
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

} // namespace

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value)
{
    std::vector<std::string> lines;
    for (std::string_view line : Lines(text))
        lines.emplace_back(line);
    std::string entry = std::string(key) + "=" + std::string(value);

    // Only the first section of the name counts, as for the system's own reader.
    std::optional<size_t> insertAt;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (std::optional<std::string_view> name = SectionName(lines[i])) {
            if (insertAt)
                break;
            if (SameIgnoringAsciiCase(*name, section))
                insertAt = i + 1;
        } else if (insertAt && IsKeyLine(lines[i], key)) {
            lines[i] = entry;
            return Joined(lines);
        } else if (insertAt && !Trimmed(lines[i]).empty()) {
            insertAt = i + 1;
        }
    }
    if (insertAt) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*insertAt), entry);
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    }
    return Joined(lines);
}
