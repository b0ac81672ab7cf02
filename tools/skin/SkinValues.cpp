#include "tools/skin/SkinValues.h"

#include "toolkit/core/Exceptions.h"

#include <cstdlib>
#include <optional>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The next field of a line: everything up to the next blank; `at` moves past the blanks after it.
std::string TakeField(const std::string& line, size_t& at)
{
    const size_t start = at;
    while (at < line.size() && !IsBlank(line[at]))
        ++at;
    const std::string field = line.substr(start, at - start);
    while (at < line.size() && IsBlank(line[at]))
        ++at;
    return field;
}

std::optional<uint64_t> Digits(const std::string& text, int base)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : 99;
        if (digit >= base)
            return std::nullopt;
        value = value * uint64_t(base) + uint64_t(digit);
    }
    return value;
}

// -3, 42, 0xFF00FF, $00FF00FF: decimal in the signed range, hexadecimal up to 8 digits.
std::optional<int32_t> ParseInteger(const std::string& text)
{
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 || text.rfind("$", 0) == 0) {
        const std::string digits = text.substr(text[0] == '$' ? 1 : 2);
        const auto value = Digits(digits, 16);
        if (!value || digits.size() > 8)
            return std::nullopt;
        return static_cast<int32_t>(static_cast<uint32_t>(*value));
    }
    const bool negative = !text.empty() && text[0] == '-';
    const auto value = Digits(negative ? text.substr(1) : text, 10);
    if (!value || *value > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        return std::nullopt;
    return static_cast<int32_t>(negative ? -int64_t(*value) : int64_t(*value));
}

TSkinValue ParseLine(const std::string& line)
{
    size_t at = 0;
    TSkinValue value;
    value.name = TakeField(line, at);
    const std::string kind = TakeField(line, at);
    const std::string rest = line.substr(at);
    if (kind == "string") {
        value.kind = TSkinRecordKind::String;
        value.text = rest;
        return value;
    }
    size_t end = rest.size();
    while (end > 0 && IsBlank(rest[end - 1]))
        --end;
    const std::string word = rest.substr(0, end);
    if (kind == "integer") {
        const auto integer = ParseInteger(word);
        if (!integer)
            throw Exception("'" + word + "' is no 32-bit integer");
        value.integer = *integer;
    } else if (kind == "flag") {
        const auto flag = Digits(word, 10);
        if (!flag || *flag > 255)
            throw Exception("'" + word + "' is no flag (0 to 255)");
        value.kind = TSkinRecordKind::Flag;
        value.flag = static_cast<uint8_t>(*flag);
    } else {
        throw Exception("'" + kind + "' is no kind (integer, flag or string)");
    }
    return value;
}

} // namespace

std::vector<TSkinValue> ParseSkinValues(const std::string& text, const std::string& fileName)
{
    std::vector<TSkinValue> values;
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#' || line.find_first_not_of(" \t") == std::string::npos)
            continue;
        try {
            values.push_back(ParseLine(line));
        } catch (const Exception& error) {
            throw Exception(fileName + ":" + std::to_string(number) + ": " + error.Message());
        }
    }
    return values;
}
