#pragma once

#include "tools/common/CommandTool.h"

#include <string>
#include <vector>

const std::vector<Command>& Commands();

int RunBuild(const std::vector<std::string>& arguments);
int RunList(const std::vector<std::string>& arguments);
int RunExtract(const std::vector<std::string>& arguments);
