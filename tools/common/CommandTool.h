#pragma once

#include <string>
#include <vector>

// One subcommand of a command-line tool: its name, its usage line, its help, and what it does
// with the arguments after its name. Run returns the exit status; it raises UsageError for a
// command line that does not fit and the readers' own errors for bad files.
struct Command {
    const char* name;
    const char* usage;
    const char* help;
    int (*run)(const std::vector<std::string>& arguments);
};

// The main() of a tool made of subcommands: `tool COMMAND [ARGS]`, `tool --help`,
// `tool COMMAND --help`. A failure prints the error's message and gives status 1; a usage error
// prints a usage line and gives 2.
int RunCommandTool(const char* toolName, const std::vector<Command>& commands, int argc, char** argv);
