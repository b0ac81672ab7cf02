#pragma once

#include <cstdint>
#include <string>

// Windows types a character as UTF-16 units, one WM_CHAR each; a character outside the basic
// plane arrives as two messages. This joins them back into code points.
class TSurrogateJoiner {
public:
    // The code points this unit completes: none while a pair is still open, usually one, two
    // when it shows that the unit before was a lone high surrogate. A lone surrogate becomes
    // U+FFFD, so that the typed text keeps a visible place for it.
    std::u32string Take(uint16_t unit);

private:
    uint16_t high_ = 0;
};
