#pragma once

#include <string>
#include <string_view>

// `text`, an initialisation file, with KEY=VALUE set in [SECTION]: an existing key's line is
// replaced, a new key goes after the section's last entry, a new section goes at the end.
// Section and key names compare without regard to ASCII case and surrounding blanks. Every line
// of the result ends with CR LF.
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);
