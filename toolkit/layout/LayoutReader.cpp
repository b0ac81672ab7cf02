#include "toolkit/layout/LayoutReader.h"

#include "toolkit/layout/StandardClasses.h"

namespace {

[[noreturn]] void Invalid(int line, const std::string& name)
{
    throw EParserError(line, "无效的属性值 (" + name + ")");
}

}  // namespace

void TLayoutReader::Read(TComponent& root, std::string_view text)
{
    RegisterStandardClasses();
    TLayoutObject document = TLayoutParser::Parse(text);
    if (!TComponent::SameName(root.ClassName(), document.className) && !root.ClassInfo().InheritsFrom(document.className))
        throw EClassNotFound("类 " + document.className + " 未找到");

    root_ = &root;
    fixups_.clear();
    loaded_.clear();
    try {
        root.BeginLoading();
        loaded_.push_back(&root);
        if (!document.name.empty())
            root.SetName(document.name);
        ReadObject(root, document);
        ResolveReferences();
    } catch (...) {
        for (TComponent* component : loaded_)
            component->TComponent::Loaded();  // out of the loading state, nothing more
        throw;
    }
    for (TComponent* component : loaded_)
        component->Loaded();
}

void TLayoutReader::ReadObject(TComponent& component, const TLayoutObject& node)
{
    for (const TLayoutValue::Property& property : node.properties)
        ApplyProperty(component, property);
    ReadChildren(component, node);
}

void TLayoutReader::ReadChildren(TComponent& parent, const TLayoutObject& node)
{
    for (const TLayoutObject& child : node.children) {
        const TClassInfo* info = FindClass(child.className);
        if (!info)
            throw EClassNotFound("类 " + child.className + " 未找到");
        TComponent* component = info->Create(root_);
        component->BeginLoading();
        loaded_.push_back(component);
        component->SetParentComponent(&parent);
        component->SetName(child.name);
        ReadObject(*component, child);
    }
}

void TLayoutReader::ApplyProperty(TComponent& component, const TLayoutValue::Property& property)
{
    const TPropertyInfo* info = GetPropInfo(component, property.name);
    if (!info)
        throw UnknownPropertyError(property.name);
    if (!info->CanWrite())
        throw EPropertyError("属性 " + info->Name + " 是只读的");
    if (info->Kind == TPropertyKind::Component) {
        if (property.value.type != TLayoutValue::Type::Identifier)
            Invalid(property.line, property.name);
        if (TComponent::SameName(property.value.text, "nil"))
            info->Write(component, TPropertyValue::Component(nullptr));
        else
            fixups_.push_back({&component, info, property.value.text, property.line});
        return;
    }
    info->Write(component, Convert(*info, property.value, property.name));
}

TPropertyValue TLayoutReader::Convert(const TPropertyInfo& info, const TLayoutValue& value, const std::string& name) const
{
    using Type = TLayoutValue::Type;
    switch (info.Kind) {
    case TPropertyKind::Integer:
        if (value.type == Type::Integer)
            return TPropertyValue::Integer(value.integer);
        if (value.type == Type::Identifier)
            for (const auto& [ident, number] : info.Idents)
                if (TComponent::SameName(ident, value.text))
                    return TPropertyValue::Integer(number);
        break;
    case TPropertyKind::Boolean:
        if (value.type == Type::Identifier && (TComponent::SameName(value.text, "True") || TComponent::SameName(value.text, "False")))
            return TPropertyValue::Boolean(TComponent::SameName(value.text, "True"));
        break;
    case TPropertyKind::String:
        if (value.type == Type::String)
            return TPropertyValue::String(value.text);
        break;
    case TPropertyKind::Color:
        if (value.type == Type::Integer)
            return TPropertyValue::Color(static_cast<int32_t>(value.integer));
        if (value.type == Type::Identifier)
            if (std::optional<TColor> color = IdentToColor(value.text))
                return TPropertyValue::Color(*color);
        break;
    case TPropertyKind::Enum:
        if (value.type == Type::Identifier && info.Ordinal(value.text) >= 0)
            return TPropertyValue::Enum(info.Names[static_cast<size_t>(info.Ordinal(value.text))]);
        break;
    case TPropertyKind::Set:
        if (value.type == Type::Set) {
            for (const std::string& element : value.names)
                if (info.Ordinal(element) < 0)
                    Invalid(value.line, name);
            return TPropertyValue::Set(value.names);
        }
        break;
    case TPropertyKind::Picture:
        if (value.type == Type::Resource)
            return TPropertyValue::Picture(value.text.empty() ? nullptr : DecodePicture(Resource(value.text)));
        break;
    case TPropertyKind::Binary:
        if (value.type == Type::Resource)
            return TPropertyValue::Binary(value.text.empty() ? std::string() : Resource(value.text));
        break;
    case TPropertyKind::Strings:
        if (value.type == Type::List)
            return TPropertyValue::Strings(value.names);
        if (value.type == Type::String)
            return TPropertyValue::Strings({value.text});
        break;
    case TPropertyKind::Event:
        if (value.type == Type::Identifier)
            return TPropertyValue::Event(value.text);
        break;
    case TPropertyKind::Collection:
        if (value.type == Type::Collection)
            return Raw(value);
        break;
    case TPropertyKind::Component:
        break;
    }
    Invalid(value.line, name);
}

// A value without a property to give it a kind: collection items are read this way.
TPropertyValue TLayoutReader::Raw(const TLayoutValue& value) const
{
    using Type = TLayoutValue::Type;
    switch (value.type) {
    case Type::Integer:
        return TPropertyValue::Integer(value.integer);
    case Type::String:
        return TPropertyValue::String(value.text);
    case Type::Identifier:
        return TPropertyValue::Enum(value.text);
    case Type::Set:
        return TPropertyValue::Set(value.names);
    case Type::List:
        return TPropertyValue::Strings(value.names);
    case Type::Resource:
        return TPropertyValue::Binary(value.text.empty() ? std::string() : Resource(value.text));
    case Type::Collection: {
        TPropertyValue::Items items;
        for (const TLayoutValue::Item& item : value.items) {
            TCollectionItemValue converted;
            for (const TLayoutValue::Property& property : item)
                converted.Properties.emplace_back(property.name, Raw(property.value));
            items.push_back(std::move(converted));
        }
        return TPropertyValue::Collection(std::move(items));
    }
    }
    return {};
}

std::string TLayoutReader::Resource(const std::string& name) const
{
    if (!resources_)
        throw EResNotFound(name);
    return resources_->Load(name);
}

void TLayoutReader::ResolveReferences()
{
    for (const Fixup& fixup : fixups_) {
        TComponent* target = FindReference(fixup.reference);
        if (!target)
            throw EParserError(fixup.line, "未找到组件 " + fixup.reference);
        fixup.property->Write(*fixup.component, TPropertyValue::Component(target));
    }
}

TComponent* TLayoutReader::FindReference(const std::string& reference) const
{
    std::string_view name = reference;
    size_t dot = name.find('.');
    if (dot != std::string_view::npos) {
        if (!TComponent::SameName(name.substr(0, dot), root_->Name()))
            return nullptr;
        name.remove_prefix(dot + 1);
    }
    if (TComponent::SameName(name, root_->Name()))
        return root_;
    return root_->FindComponent(name);
}

void ReadLayout(TComponent& root, std::string_view text, const TResourceLocator* resources)
{
    TLayoutReader(resources).Read(root, text);
}
