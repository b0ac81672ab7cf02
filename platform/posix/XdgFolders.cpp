#include "platform/posix/XdgFolders.h"

#include "platform/posix/PosixFiles.h"

#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

const size_t kMaxUserDirsFile = 1 << 20;

std::optional<std::string> AbsoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (value && value[0] == '/')
        return std::string(value);
    return std::nullopt;
}

std::string WithoutFinalSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Expands $HOME and ${HOME} at `text`'s start of a reference; returns how many bytes it used.
size_t ExpandHome(std::string_view text, const std::string& home, std::string& out)
{
    for (std::string_view reference : {std::string_view("${HOME}"), std::string_view("$HOME")}) {
        if (text.substr(0, reference.size()) != reference)
            continue;
        // "$HOMEX" names another variable, which the file never uses; keep it as it stands.
        char next = text.size() > reference.size() ? text[reference.size()] : '\0';
        if (reference == "$HOME" && (std::isalnum(static_cast<unsigned char>(next)) || next == '_'))
            return 0;
        out += home;
        return reference.size();
    }
    return 0;
}

// The shell's reading of a value: what the line assigns, quoted or not.
std::optional<std::string> ShellValue(std::string_view text, const std::string& home)
{
    std::string value;
    char quote = '\0';
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if (quote == '\'') {
            if (c == '\'')
                quote = '\0';
            else
                value += c;
            ++i;
        } else if (c == '\\' && i + 1 < text.size()) {
            char next = text[i + 1];
            bool escapes = quote == '\0' || next == '"' || next == '\\' || next == '$' || next == '`';
            if (!escapes)
                value += c;
            value += next;
            i += 2;
        } else if (c == '$') {
            size_t used = ExpandHome(text.substr(i), home, value);
            if (used == 0)
                value += c;
            i += used == 0 ? 1 : used;
        } else if (c == '"') {
            quote = quote == '"' ? '\0' : '"';
            ++i;
        } else if (c == '\'' && quote == '\0') {
            quote = '\'';
            ++i;
        } else if (quote == '\0' && (c == ' ' || c == '\t' || c == '#' || c == ';')) {
            break;
        } else {
            value += c;
            ++i;
        }
    }
    if (quote != '\0')
        return std::nullopt;
    return value;
}

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

} // namespace

std::string HomeFolder()
{
    if (auto home = AbsoluteVariable("HOME"))
        return WithoutFinalSlash(*home);
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir &&
        found->pw_dir[0] == '/')
        return WithoutFinalSlash(found->pw_dir);
    return "/";
}

std::string ConfigHome()
{
    return WithoutFinalSlash(AbsoluteVariable("XDG_CONFIG_HOME").value_or(JoinPath(HomeFolder(), ".config")));
}

std::string DataHome()
{
    return WithoutFinalSlash(AbsoluteVariable("XDG_DATA_HOME").value_or(JoinPath(HomeFolder(), ".local/share")));
}

std::string CacheHome()
{
    return WithoutFinalSlash(AbsoluteVariable("XDG_CACHE_HOME").value_or(JoinPath(HomeFolder(), ".cache")));
}

std::optional<std::string> FindUserFolder(std::string_view fileText, std::string_view name, const std::string& home)
{
    std::string prefix = "XDG_" + std::string(name) + "_DIR=";
    std::optional<std::string> found;
    for (std::string_view line : Lines(fileText)) {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.substr(0, prefix.size()) != prefix)
            continue;
        std::optional<std::string> value = ShellValue(line.substr(prefix.size()), home);
        if (value && !value->empty() && value->front() == '/')
            found = WithoutFinalSlash(*value);
    }
    return found;
}

std::string UserFolder(std::string_view name)
{
    std::string home = HomeFolder();
    std::optional<std::string> file = ReadSmallFile(JoinPath(ConfigHome(), "user-dirs.dirs"), kMaxUserDirsFile);
    if (file) {
        if (auto folder = FindUserFolder(*file, name, home))
            return *folder;
    }
    std::string variable = "XDG_" + std::string(name) + "_DIR";
    if (auto folder = AbsoluteVariable(variable.c_str()))
        return WithoutFinalSlash(*folder);
    return name == "DESKTOP" ? JoinPath(home, "Desktop") : home;
}
