#include "platform/sdl/DynamicLibrary.h"

#include <dlfcn.h>

std::string LoadLibrarySymbols(const char* soname, std::initializer_list<TLibrarySymbol> symbols)
{
    void* library = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* error = dlerror();
        return std::string(soname) + " cannot be loaded: " + (error ? error : "not found");
    }
    for (const TLibrarySymbol& symbol : symbols) {
        *symbol.address = dlsym(library, symbol.name);
        if (!*symbol.address)
            return std::string(soname) + " has no " + symbol.name;
    }
    return {};
}
