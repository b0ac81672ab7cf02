#pragma once

#include <string>

// The UTF-8 path of the running program's own file, from which the installer reads its payload.
std::string ExecutablePath();
