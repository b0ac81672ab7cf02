#include "player/core/PlayerOptions.h"

const char kPlayerUsage[] =
    "usage: merrowin-wallpaper PAGE            play PAGE as the wallpaper of every monitor\n"
    "       merrowin-wallpaper --window PAGE   play PAGE in an ordinary window\n"
    "       merrowin-wallpaper --stop          end the wallpaper of this display\n"
    "       merrowin-wallpaper --help | --version\n"
    "PAGE is a wallpaper page as the installer writes it. A second start on the same display hands\n"
    "its page to the running player. The wallpaper stops when the page's folder is deleted.\n"
    "Exit status: 0 done, 1 failed, 2 a command line that does not fit, 3 no desktop to play on.\n";

std::variant<TPlayerOptions, std::string> ParsePlayerOptions(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return std::string("a page is needed");
    const std::string& first = arguments.front();
    const auto needsPage = [&](TPlayerMode mode) -> std::variant<TPlayerOptions, std::string> {
        if (arguments.size() != 2 || arguments[1].empty())
            return first + " needs one page";
        return TPlayerOptions{mode, arguments[1]};
    };
    if (first == "--help" || first == "-h")
        return arguments.size() == 1 ? std::variant<TPlayerOptions, std::string>(TPlayerOptions{})
                                     : std::string("--help takes nothing more");
    if (first == "--version")
        return arguments.size() == 1 ? std::variant<TPlayerOptions, std::string>(TPlayerOptions{TPlayerMode::Version, ""})
                                     : std::string("--version takes nothing more");
    if (first == "--stop")
        return arguments.size() == 1 ? std::variant<TPlayerOptions, std::string>(TPlayerOptions{TPlayerMode::Stop, ""})
                                     : std::string("--stop takes nothing more");
    if (first == "--window")
        return needsPage(TPlayerMode::Window);
    if (first == "--autostart")
        return needsPage(TPlayerMode::Autostart);
    if (first.size() > 1 && first[0] == '-' && first != "--")
        return "unknown option " + first;
    const size_t page = first == "--" ? 1 : 0;
    if (arguments.size() != page + 1 || arguments[page].empty())
        return std::string("one page, and nothing more");
    return TPlayerOptions{TPlayerMode::Desktop, arguments[page]};
}
