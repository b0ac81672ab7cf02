#pragma once

#include <string>
#include <string_view>

// Names that Windows compares without regard to case (registry keys and values, sections and
// keys of initialisation files). Only ASCII letters fold: the stand-ins need nothing more.

inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string FoldedAscii(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = LowerAscii(c);
    return folded;
}

inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}
