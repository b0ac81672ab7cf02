#pragma once

#include <memory>
#include <string>

class TProject;

// The project record of an installer (its entry 2), or of a project text when `isProjectText`.
std::unique_ptr<TProject> LoadProject(const std::string& fileName, bool isProjectText);
