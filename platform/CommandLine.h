#pragma once

#include <string>
#include <vector>

// The program's arguments as UTF-8, whatever the operating system handed to main().
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard output passes bytes through unchanged (no line-end translation), so that what a
// tool prints is exactly what it built.
void SetBinaryStandardOutput();
