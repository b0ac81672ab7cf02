#include "tools/common/Options.h"

#include <cctype>
#include <cstdint>

Options::Options(const std::vector<std::string>& arguments, const std::set<std::string>& valued,
                 const std::set<std::string>& switches)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isNumber = argument.size() >= 2 && argument[0] == '-' && std::isdigit(uint8_t(argument[1]));
        if (argument.size() < 2 || argument[0] != '-' || isNumber) {
            positional_.push_back(argument);
        } else if (switches.count(argument)) {
            switches_.insert(argument);
        } else if (valued.count(argument)) {
            if (i + 1 >= arguments.size())
                throw UsageError(argument + " needs a value");
            if (!values_.emplace(argument, arguments[++i]).second)
                throw UsageError(argument + " given twice");
        } else {
            throw UsageError("unknown option " + argument);
        }
    }
}

bool Options::Has(const std::string& name) const
{
    return values_.count(name) || switches_.count(name);
}

std::string Options::Value(const std::string& name, const std::string& fallback) const
{
    auto found = values_.find(name);
    return found == values_.end() ? fallback : found->second;
}

std::string Options::Required(const std::string& name) const
{
    auto found = values_.find(name);
    if (found == values_.end())
        throw UsageError(name + " is required");
    return found->second;
}
