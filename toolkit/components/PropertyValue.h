#pragma once

#include "toolkit/graphics/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

class TComponent;

// The kinds of published property.
enum class TPropertyKind {
    Integer,     // int; may also accept identifiers listed with the property (Font.Charset)
    Boolean,
    String,      // UTF-8 text
    Color,       // TColor; written as a colour name or a number
    Enum,        // one of the property's names
    Set,         // any subset of the property's names
    Component,   // a reference to another component, or none
    Picture,     // a bitmap, or none
    Binary,      // raw bytes (skin data)
    Strings,     // a list of lines
    Event,       // a handler; set by the name of a handler its root defines
    Collection,  // items of property values (title-bar sections and buttons)
};

struct TCollectionItemValue;
using TPictureValue = std::shared_ptr<const TBitmap>;
using TBinaryValue = std::shared_ptr<const std::string>;

// One property value as it travels between the registry, the layout reader and its callers.
// Enum values travel as their names, sets as lists of names.
class TPropertyValue {
public:
    using Items = std::vector<TCollectionItemValue>;
    // Collections nest values in values, so they are held through a pointer.
    using ItemsPtr = std::shared_ptr<const Items>;
    using Storage = std::variant<std::monostate, int64_t, bool, std::string, TComponent*, TPictureValue,
                                 TBinaryValue, std::vector<std::string>, ItemsPtr>;

    TPropertyValue() = default;
    TPropertyValue(TPropertyKind kind, Storage value) : kind_(kind), value_(std::move(value)) {}

    static TPropertyValue Integer(int64_t v) { return {TPropertyKind::Integer, v}; }
    static TPropertyValue Boolean(bool v) { return {TPropertyKind::Boolean, v}; }
    static TPropertyValue String(std::string v) { return {TPropertyKind::String, std::move(v)}; }
    static TPropertyValue Color(int32_t v) { return {TPropertyKind::Color, int64_t(v)}; }
    static TPropertyValue Enum(std::string name) { return {TPropertyKind::Enum, std::move(name)}; }
    static TPropertyValue Set(std::vector<std::string> names) { return {TPropertyKind::Set, std::move(names)}; }
    static TPropertyValue Component(TComponent* c) { return {TPropertyKind::Component, c}; }
    static TPropertyValue Picture(TPictureValue p) { return {TPropertyKind::Picture, std::move(p)}; }
    static TPropertyValue Binary(std::string bytes);
    static TPropertyValue Strings(std::vector<std::string> lines) { return {TPropertyKind::Strings, std::move(lines)}; }
    static TPropertyValue Event(std::string handlerName) { return {TPropertyKind::Event, std::move(handlerName)}; }
    static TPropertyValue Collection(Items items);

    TPropertyKind Kind() const { return kind_; }
    bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }

    // Each accessor raises EPropertyError ("无效的属性值") when the value holds something else.
    // AsInteger also takes a colour; AsColor also takes an integer or a colour name; AsBoolean
    // also takes the names True and False; AsPicture decodes binary BMP or PNG bytes.
    int64_t AsInteger() const;
    bool AsBoolean() const;
    const std::string& AsString() const;  // String, Enum and Event values
    int32_t AsColor() const;
    const std::vector<std::string>& AsNames() const;  // Set and Strings values
    TComponent* AsComponent() const;
    TPictureValue AsPicture() const;
    const std::string& AsBinary() const;
    const Items& AsItems() const;

private:
    TPropertyKind kind_ = TPropertyKind::Integer;
    Storage value_;
};

// One item of a collection: its properties in stored order. Values come as the layout wrote
// them (numbers as Integer, names as Enum, {resource} as Binary); the owner interprets them.
struct TCollectionItemValue {
    std::vector<std::pair<std::string, TPropertyValue>> Properties;
    // The value of a property of this item, or nullptr.
    const TPropertyValue* Find(std::string_view name) const;
};

// Decodes a picture stored as bytes: a BMP file or a PNG file; raises EInvalidGraphic otherwise.
TPictureValue DecodePicture(const std::string& bytes);
