#include "platform/CommandLine.h"

#include "platform/win32/WideText.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

// main() receives the arguments in the ANSI code page, which cannot hold every name; the wide
// command line can.
std::vector<std::string> Utf8Arguments(int, char**)
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; wide && i < count; ++i)
        arguments.push_back(FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

void SetBinaryStandardOutput()
{
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}
