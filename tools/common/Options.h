#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A command line that does not follow a command's usage.
class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments of one command: options that take a value ("--title T"), switches
// ("--force-inflate") and the remaining positional arguments, in order.
class Options {
public:
    Options(const std::vector<std::string>& arguments, const std::set<std::string>& valued,
            const std::set<std::string>& switches);

    bool Has(const std::string& name) const;
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
    std::string Required(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return positional_; }

private:
    std::map<std::string, std::string> values_;
    std::set<std::string> switches_;
    std::vector<std::string> positional_;
};
