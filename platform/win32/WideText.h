#pragma once

#include <string>
#include <string_view>

// The program's UTF-8 texts to and from the UTF-16 that the wide Windows functions take. Bytes
// that are not UTF-8 become U+FFFD, as do unpaired surrogates on the way back.
std::wstring ToWide(std::string_view text);
std::string FromWide(std::wstring_view text);
