// The handler std::terminate calls unless the program sets another one. The standard library's
// own says which exception was left uncaught by its demangled type name, and so brings the whole
// C++ demangler (some 40 KB) into every installer it is linked into. This one says the same
// without the type's name; a GUI program on Windows has no console to show either on, and the
// program catches what it expects (main reports those in a message box).

#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    static bool terminating = false;
    if (terminating) {
        std::fputs("terminate called recursively\n", stderr);
        std::abort();
    }
    terminating = true;
    if (abi::__cxa_current_exception_type()) {
        std::fputs("terminate called after throwing an exception\n", stderr);
        try {
            throw;
        } catch (const std::exception& error) {
            std::fputs("  what():  ", stderr);
            std::fputs(error.what(), stderr);
            std::fputs("\n", stderr);
        } catch (...) {
        }
    } else {
        std::fputs("terminate called without an active exception\n", stderr);
    }
    std::abort();
}

}  // namespace __gnu_cxx
