#include "platform/sdl/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(DynamicLibrary, FillsEveryFunctionOrSaysWhatIsMissing)
{
    using Length = size_t (*)(const char*);
    Length length = nullptr;
    EXPECT_EQ(LoadLibrarySymbols("libc.so.6", {{"strlen", reinterpret_cast<void**>(&length)}}), "");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length("merrowin"), 8u);

    void* none = nullptr;
    EXPECT_EQ(LoadLibrarySymbols("libc.so.6", {{"no_such_function_here", &none}}),
              "libc.so.6 has no no_such_function_here");

    const std::string missing = LoadLibrarySymbols("libmerrowin-absent.so.9", {});
    EXPECT_EQ(missing.rfind("libmerrowin-absent.so.9 cannot be loaded: ", 0), 0u) << missing;
}
