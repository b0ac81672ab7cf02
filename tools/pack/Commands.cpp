#include "tools/pack/Commands.h"

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = {
        {"project",
         "merrowin-pack project --title T [--license FILE] [--loop 0|1] [--quality N] [--background COLOUR] "
         "[--transparent 0|1] [--show-link 0|1] [--link-text FILE] [--link-url URL] [--link-color COLOUR] "
         "[--layer-color COLOUR] [--layer-transparent 0|1] [--source-movie PATH] [--installer-file PATH] "
         "[--project-id GUID] -o P.txt",
         "Writes a project text (code page 936, CR LF lines). --license and --link-text name UTF-8 text\n"
         "files, one line per line. COLOUR is a name such as clBlack or an integer such as $00FF8000.\n"
         "Defaults: --loop 1, --quality 2 (0 low, 1 medium, 2 high, other values none), --background\n"
         "clBlack, --transparent 0, --show-link 0, --link-color clWhite, --layer-color clBlack,\n"
         "--layer-transparent 1, and a fresh --project-id.",
         RunProject},
        {"build", "merrowin-pack build (--stub STUB | --target linux|windows) --movie M.swf --project P.txt "
                  "[--no-player] -o OUT",
         "Writes an installer: the stub as it is, then the movie and the project text packed with zlib,\n"
         "then the size trailer. The output is marked executable. An installer for Linux (an ELF stub)\n"
         "also carries the wallpaper player merrowin-wallpaper, packed as entry 3, so that its users\n"
         "need nothing else installed; --no-player leaves it out. --target takes the stub that came with\n"
         "merrowin-pack for that system (installed in PREFIX/lib/merrowin/stubs, or in the build tree)\n"
         "and says which one it took. Sign the finished installer, not the stub: a stub's signature does\n"
         "not survive packing.",
         RunBuild},
        {"inspect", "merrowin-pack inspect FILE",
         "Prints 'entries N' and one line 'INDEX UNPACKED STORED' per entry of an installer's payload.\n"
         "A signed installer's payload ends where its signature begins.",
         RunInspect},
        {"extract", "merrowin-pack extract FILE INDEX [--force-inflate] -o OUT",
         "Writes one entry of an installer's payload, unpacked as the installer unpacks it: entries whose\n"
         "two sizes differ are inflated, and every entry with --force-inflate.",
         RunExtract},
        {"show", "merrowin-pack show (FILE | --project P.txt)",
         "Prints the project record of an installer or of a project text, one Name=value line per field.",
         RunShow},
        {"page", "merrowin-pack page (FILE | --project P.txt) --folder F",
         "Prints the wallpaper's host page as the installer writes it into folder F (F ends in a path\n"
         "separator).",
         RunPage},
    };
    return commands;
}
