#include "toolkit/components/PropertyValue.h"

#include "toolkit/components/ClassInfo.h"
#include "toolkit/graphics/PngWriter.h"
#include "toolkit/streams/MemoryStream.h"

TPropertyValue TPropertyValue::Binary(std::string bytes)
{
    return {TPropertyKind::Binary, std::make_shared<const std::string>(std::move(bytes))};
}

TPropertyValue TPropertyValue::Collection(Items items)
{
    return {TPropertyKind::Collection, std::make_shared<const Items>(std::move(items))};
}

int64_t TPropertyValue::AsInteger() const
{
    if (const int64_t* v = std::get_if<int64_t>(&value_))
        return *v;
    throw InvalidPropertyValue();
}

bool TPropertyValue::AsBoolean() const
{
    if (const bool* v = std::get_if<bool>(&value_))
        return *v;
    if (const std::string* name = std::get_if<std::string>(&value_); name && kind_ == TPropertyKind::Enum) {
        if (TComponent::SameName(*name, "True"))
            return true;
        if (TComponent::SameName(*name, "False"))
            return false;
    }
    throw InvalidPropertyValue();
}

const std::string& TPropertyValue::AsString() const
{
    if (const std::string* v = std::get_if<std::string>(&value_))
        return *v;
    throw InvalidPropertyValue();
}

int32_t TPropertyValue::AsColor() const
{
    if (const int64_t* v = std::get_if<int64_t>(&value_)) {
        if (*v < INT32_MIN || *v > int64_t(UINT32_MAX))
            throw InvalidPropertyValue();
        return static_cast<int32_t>(static_cast<uint32_t>(*v));
    }
    if (const std::string* name = std::get_if<std::string>(&value_); name && kind_ == TPropertyKind::Enum) {
        if (std::optional<TColor> color = IdentToColor(*name))
            return *color;
    }
    throw InvalidPropertyValue();
}

const std::vector<std::string>& TPropertyValue::AsNames() const
{
    if (const auto* v = std::get_if<std::vector<std::string>>(&value_))
        return *v;
    throw InvalidPropertyValue();
}

TComponent* TPropertyValue::AsComponent() const
{
    if (TComponent* const* v = std::get_if<TComponent*>(&value_))
        return *v;
    if (IsEmpty() && kind_ == TPropertyKind::Component)
        return nullptr;
    throw InvalidPropertyValue();
}

TPictureValue TPropertyValue::AsPicture() const
{
    if (const TPictureValue* v = std::get_if<TPictureValue>(&value_))
        return *v;
    if (const TBinaryValue* bytes = std::get_if<TBinaryValue>(&value_))
        return *bytes && !(*bytes)->empty() ? DecodePicture(**bytes) : nullptr;
    if (IsEmpty() && kind_ == TPropertyKind::Picture)
        return nullptr;
    throw InvalidPropertyValue();
}

const std::string& TPropertyValue::AsBinary() const
{
    static const std::string none;
    if (const TBinaryValue* v = std::get_if<TBinaryValue>(&value_))
        return *v ? **v : none;
    if (IsEmpty() && kind_ == TPropertyKind::Binary)
        return none;
    throw InvalidPropertyValue();
}

const TPropertyValue::Items& TPropertyValue::AsItems() const
{
    if (const ItemsPtr* v = std::get_if<ItemsPtr>(&value_); v && *v)
        return **v;
    throw InvalidPropertyValue();
}

const TPropertyValue* TCollectionItemValue::Find(std::string_view name) const
{
    for (const auto& [key, value] : Properties)
        if (TComponent::SameName(key, name))
            return &value;
    return nullptr;
}

TPictureValue DecodePicture(const std::string& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    auto bitmap = std::make_shared<TBitmap>();
    if (bytes.size() >= 8 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) {
        if (!ReadPng(stream, *bitmap))
            throw EInvalidGraphic();
        return bitmap;
    }
    bitmap->LoadFromStream(stream);
    return bitmap;
}
