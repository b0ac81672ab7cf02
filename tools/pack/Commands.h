#pragma once

#include "tools/common/CommandTool.h"

#include <string>
#include <vector>

const std::vector<Command>& Commands();

int RunProject(const std::vector<std::string>& arguments);
int RunBuild(const std::vector<std::string>& arguments);
int RunInspect(const std::vector<std::string>& arguments);
int RunExtract(const std::vector<std::string>& arguments);
int RunShow(const std::vector<std::string>& arguments);
int RunPage(const std::vector<std::string>& arguments);
