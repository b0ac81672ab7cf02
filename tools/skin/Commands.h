#pragma once

#include <string>
#include <vector>

// One subcommand of merrowin-skin: its name, its usage line, its help, and what it does with
// the arguments after its name. Run returns the exit status; it raises UsageError for a
// command line that does not fit and the readers' own errors for bad files.
struct Command {
    const char* name;
    const char* usage;
    const char* help;
    int (*run)(const std::vector<std::string>& arguments);
};

const std::vector<Command>& Commands();

int RunBuild(const std::vector<std::string>& arguments);
int RunList(const std::vector<std::string>& arguments);
int RunExtract(const std::vector<std::string>& arguments);
