#include "platform/FatalError.h"

#include <cstdio>

void ReportFatalError(const std::string& program, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
}
