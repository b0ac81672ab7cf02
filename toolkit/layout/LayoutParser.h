#pragma once

#include "toolkit/core/Exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A layout text that does not follow the format: "第 %d 行: %s".
class EParserError : public Exception {
public:
    EParserError(int line, const std::string& what);
    int Line() const { return line_; }

private:
    int line_;
};

// A value as written in a layout, before the property it is meant for gives it a kind.
struct TLayoutValue {
    enum class Type {
        Integer,     // 12, -11, $00515151
        String,      // 'text', with '' for a quote, #13 for a code point, joined by +
        Identifier,  // True, alClient, clBlack, suiBuiltInFileTheme, Form1.Button1
        Set,         // [akLeft, akTop]
        List,        // ('line one' 'line two')
        Resource,    // {side.bmp}: bytes kept in a resource file of that name; {} for none
        Collection,  // <item ... end item ... end>
    };
    struct Property;
    using Item = std::vector<Property>;

    Type type = Type::Integer;
    int line = 0;
    int64_t integer = 0;
    std::string text;                // String, Identifier, Resource
    std::vector<std::string> names;  // Set names, List strings
    std::vector<Item> items;         // Collection items
};

struct TLayoutValue::Property {
    std::string name;  // may be dotted: Font.Height
    TLayoutValue value;
    int line = 0;
};

// One `object Name: TClass ... end` block: its properties and the objects inside it, in
// stored order.
struct TLayoutObject {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<TLayoutValue::Property> properties;
    std::vector<TLayoutObject> children;
};

// Reads the text form of a layout. Limits keep hostile text harmless: at most kMaxDepth nested
// objects and collections, and integers must fit 32 bits (signed, or unsigned when written in
// hexadecimal).
class TLayoutParser {
public:
    static constexpr int kMaxDepth = 64;

    static TLayoutObject Parse(std::string_view text);
};
