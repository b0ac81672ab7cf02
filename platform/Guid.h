#pragma once

#include <string>

// A fresh GUID in registry text form: "{" 8-4-4-4-12 upper-case hexadecimal digits "}".
std::string NewGuidText();
