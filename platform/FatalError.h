#pragma once

#include <string>

// Tells the user why the program could not start at all, before any skinned window exists: on
// Windows a GUI program has no console, so a system message box says it; elsewhere, standard error.
void ReportFatalError(const std::string& program, const std::string& message);
