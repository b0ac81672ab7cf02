#pragma once

#include <memory>
#include <string>

class TProject;

// Every byte of a file.
std::string ReadWholeFile(const std::string& fileName);

// Writes `bytes` to a temporary file beside `fileName` and renames it into place, so that a
// failure never leaves a half-written file under the name asked for.
void WriteFileAtomically(const std::string& fileName, const std::string& bytes, bool executable = false);

// The project record of an installer (its entry 2), or of a project text when `isProjectText`.
std::unique_ptr<TProject> LoadProject(const std::string& fileName, bool isProjectText);
