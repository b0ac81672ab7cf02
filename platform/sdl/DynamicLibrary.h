#pragma once

#include <initializer_list>
#include <string>

// A function of a library opened while the program runs: its name and the pointer to fill.
struct TLibrarySymbol {
    const char* name;
    void** address;
};

// Opens `soname` for the rest of the program (never closed: the desktop's libraries keep threads
// and handlers until the end) and fills every symbol's pointer. Empty on success; otherwise what
// failed, and the pointers are not to be used.
std::string LoadLibrarySymbols(const char* soname, std::initializer_list<TLibrarySymbol> symbols);
