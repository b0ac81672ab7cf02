#include "toolkit/components/PropertyAccessors.h"

#include "toolkit/components/ClassInfo.h"

namespace property_access {

TPropertyValue WrapInteger(const TPropertyInfo&, int64_t value) { return TPropertyValue::Integer(value); }
int UnwrapInteger(const TPropertyInfo&, const TPropertyValue& value) { return static_cast<int>(value.AsInteger()); }
TPropertyValue WrapBoolean(const TPropertyInfo&, bool value) { return TPropertyValue::Boolean(value); }
bool UnwrapBoolean(const TPropertyInfo&, const TPropertyValue& value) { return value.AsBoolean(); }
TPropertyValue WrapString(const TPropertyInfo&, std::string value) { return TPropertyValue::String(std::move(value)); }
const std::string& UnwrapString(const TPropertyInfo&, const TPropertyValue& value) { return value.AsString(); }
TPropertyValue WrapColor(const TPropertyInfo&, int32_t value) { return TPropertyValue::Color(value); }
int32_t UnwrapColor(const TPropertyInfo&, const TPropertyValue& value) { return value.AsColor(); }

TPropertyValue WrapEnumOrdinal(const TPropertyInfo& property, size_t ordinal)
{
    const std::vector<std::string>& names = property.Names;
    return TPropertyValue::Enum(ordinal < names.size() ? names[ordinal] : std::to_string(ordinal));
}

TPropertyValue WrapSet(const TPropertyInfo& property, unsigned bits)
{
    std::vector<std::string> on;
    for (size_t i = 0; i < property.Names.size(); ++i)
        if (bits & (1u << i))
            on.push_back(property.Names[i]);
    return TPropertyValue::Set(std::move(on));
}

unsigned UnwrapSet(const TPropertyInfo& property, const TPropertyValue& value)
{
    unsigned bits = 0;
    for (const std::string& n : value.AsNames())
        bits |= 1u << EnumOrdinalOf(property.Names, TPropertyValue::Enum(n));
    return bits;
}

TPropertyValue WrapComponent(const TPropertyInfo&, TComponent* value) { return TPropertyValue::Component(value); }
TPropertyValue WrapPicture(const TPropertyInfo&, TPictureValue value) { return TPropertyValue::Picture(std::move(value)); }
TPictureValue UnwrapPicture(const TPropertyInfo&, const TPropertyValue& value) { return value.AsPicture(); }
TPropertyValue WrapBinary(const TPropertyInfo&, const std::string& value) { return TPropertyValue::Binary(value); }
const std::string& UnwrapBinary(const TPropertyInfo&, const TPropertyValue& value) { return value.AsBinary(); }

TPropertyValue WrapStrings(const TPropertyInfo&, const std::vector<std::string>& value)
{
    return TPropertyValue::Strings(value);
}
const std::vector<std::string>& UnwrapStrings(const TPropertyInfo&, const TPropertyValue& value)
{
    return value.AsNames();
}

TPropertyValue WrapCollection(const TPropertyInfo&, const TPropertyValue::Items& value)
{
    return TPropertyValue::Collection(value);
}
const TPropertyValue::Items& UnwrapCollection(const TPropertyInfo&, const TPropertyValue& value)
{
    return value.AsItems();
}

const std::any* HandlerNamed(const TComponent& self, const TPropertyValue& value)
{
    return FindEventHandler(self, value.AsString());
}

int EnumOrdinal(const TPropertyInfo& property, const TPropertyValue& value)
{
    return EnumOrdinalOf(property.Names, value);
}

}  // namespace property_access
