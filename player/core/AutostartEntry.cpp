#include "player/core/AutostartEntry.h"

#include "platform/posix/PosixFiles.h"
#include "platform/posix/XdgFolders.h"

#include <vector>

namespace {

const std::string_view kExecKey = "Exec=";

// Characters that make a desktop entry's Exec argument need double quotes.
bool IsReserved(char c)
{
    return std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos;
}

// Exec is also a string value, whose own escapes come first when a reader parses it.
std::string EscapeStringValue(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

// Splits an Exec value (after its string-value escapes are undone) into arguments.
std::optional<std::vector<std::string>> SplitExec(std::string_view value)
{
    std::vector<std::string> arguments;
    size_t i = 0;
    while (i < value.size()) {
        if (value[i] == ' ') {
            ++i;
            continue;
        }
        std::string argument;
        if (value[i] == '"') {
            ++i;
            for (;;) {
                if (i >= value.size())
                    return std::nullopt;
                char c = value[i++];
                if (c == '"')
                    break;
                if (c == '\\') {
                    if (i >= value.size())
                        return std::nullopt;
                    c = value[i++];
                }
                argument += c;
            }
        } else {
            while (i < value.size() && value[i] != ' ')
                argument += value[i++];
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string UnescapeStringValue(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out += next == 's' ? ' ' : next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string UnescapePercent(std::string_view argument)
{
    std::string out;
    for (size_t i = 0; i < argument.size(); ++i) {
        out += argument[i];
        if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%')
            ++i;
    }
    return out;
}

} // namespace

std::string AutostartFile()
{
    return JoinPath(JoinPath(ConfigHome(), "autostart"), "merrowin-wallpaper.desktop");
}

std::string QuoteExecArgument(std::string_view argument)
{
    std::string percentSafe;
    for (char c : argument) {
        percentSafe += c;
        if (c == '%')
            percentSafe += '%';
    }
    bool quote = percentSafe.empty();
    for (char c : percentSafe)
        quote = quote || IsReserved(c);
    if (!quote)
        return percentSafe;
    std::string out = "\"";
    for (char c : percentSafe) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string ComposeAutostartEntry(const std::string& player, const std::string& page)
{
    const std::string exec =
        QuoteExecArgument(player) + " --autostart " + QuoteExecArgument(page);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Merrowin wallpaper\n"
           "Comment=Plays the installed animated wallpaper on the desktop\n" +
           std::string(kExecKey) + EscapeStringValue(exec) + "\n" +
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::optional<std::string> AutostartPage(std::string_view entry)
{
    size_t start = 0;
    while (start < entry.size()) {
        size_t end = entry.find('\n', start);
        if (end == std::string_view::npos)
            end = entry.size();
        const std::string_view line = entry.substr(start, end - start);
        start = end + 1;
        if (line.substr(0, kExecKey.size()) != kExecKey)
            continue;
        const auto arguments = SplitExec(UnescapeStringValue(line.substr(kExecKey.size())));
        if (!arguments || arguments->size() != 3 || (*arguments)[1] != "--autostart")
            return std::nullopt;
        return UnescapePercent((*arguments)[2]);
    }
    return std::nullopt;
}
