#include "platform/CommandLine.h"

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

void SetBinaryStandardOutput() {}
