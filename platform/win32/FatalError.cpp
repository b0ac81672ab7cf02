#include "platform/FatalError.h"

#include "platform/win32/WideText.h"

#include <windows.h>

void ReportFatalError(const std::string& program, const std::string& message)
{
    MessageBoxW(nullptr, ToWide(message).c_str(), ToWide(program).c_str(), MB_OK | MB_ICONERROR);
}
