#pragma once

#include <string>
#include <string_view>

// The code points of a piece of typed UTF-8 text, each malformed byte (a stray continuation,
// a truncated or overlong sequence, a surrogate or a value past U+10FFFF) as U+FFFD, so that
// whatever the input method sends reaches the controls as characters and never as garbage.
std::u32string CodePointsFromUtf8(std::string_view text);
