#include "toolkit/components/ClassInfo.h"

#include <map>

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, Factory factory, Publish publish)
    : name_(std::move(name)), parent_(parent), factory_(factory)
{
    if (publish)
        publish(*this);
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (TComponent::SameName(c->name_, className))
            return true;
    return false;
}

TComponent* TClassInfo::Create(TComponent* owner) const
{
    if (!factory_)
        throw EClassNotFound("类 " + name_ + " 未找到");
    return factory_(owner);
}

void TClassInfo::Add(TPropertyInfo property)
{
    for (TPropertyInfo& existing : properties_)
        if (TComponent::SameName(existing.Name, property.Name)) {
            existing = std::move(property);
            return;
        }
    properties_.push_back(std::move(property));
}

void TClassInfo::Add(const char* name, TPropertyKind kind, const std::vector<std::string>* names,
                     TPropertyReader reader, const TAccessorTarget& readTarget, TPropertyWriter writer,
                     const TAccessorTarget& writeTarget)
{
    TPropertyInfo info;
    info.Name = name;
    info.Kind = kind;
    if (names)
        info.Names = *names;
    info.Reader = reader;
    info.ReadTarget = readTarget;
    info.Writer = writer;
    info.WriteTarget = writeTarget;
    Add(std::move(info));
}

std::vector<std::string> NameList(std::initializer_list<const char*> names)
{
    return std::vector<std::string>(names.begin(), names.end());
}

const TPropertyInfo* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TPropertyInfo& p : c->properties_)
            if (TComponent::SameName(p.Name, name))
                return &p;
    return nullptr;
}

std::vector<const TPropertyInfo*> TClassInfo::Properties() const
{
    std::vector<const TPropertyInfo*> result = parent_ ? parent_->Properties() : std::vector<const TPropertyInfo*>{};
    for (const TPropertyInfo& p : properties_) {
        bool replaced = false;
        for (auto& inherited : result)
            if (TComponent::SameName(inherited->Name, p.Name)) {
                inherited = &p;
                replaced = true;
            }
        if (!replaced)
            result.push_back(&p);
    }
    return result;
}

const std::any* FindEventHandler(const TComponent& component, const std::string& handlerName)
{
    // The component's own handlers first, then its owners' from the nearest up: a form owned by
    // the application defines the handlers of everything on it.
    for (const TComponent* c = &component; c; c = c->Owner())
        if (const std::any* handler = c->FindHandler(handlerName))
            return handler;
    return nullptr;
}

int EnumOrdinalOf(const std::vector<std::string>& names, const TPropertyValue& value)
{
    if (value.Kind() == TPropertyKind::Integer) {
        int64_t i = value.AsInteger();
        if (i < 0 || i >= static_cast<int64_t>(names.size()))
            throw InvalidPropertyValue();
        return static_cast<int>(i);
    }
    const std::string& name = value.AsString();
    for (size_t i = 0; i < names.size() && i < 32; ++i)
        if (TComponent::SameName(names[i], name))
            return static_cast<int>(i);
    throw InvalidPropertyValue();
}

const TPropertyInfo* GetPropInfo(const TComponent& component, std::string_view name)
{
    return component.ClassInfo().FindProperty(name);
}

bool IsPublishedProp(const TComponent& component, std::string_view name) { return GetPropInfo(component, name) != nullptr; }

static const TPropertyInfo& Require(const TComponent& component, std::string_view name)
{
    const TPropertyInfo* info = GetPropInfo(component, name);
    if (!info)
        throw UnknownPropertyError(name);
    return *info;
}

TPropertyValue GetPropValue(const TComponent& component, std::string_view name)
{
    const TPropertyInfo& info = Require(component, name);
    if (!info.CanRead())
        throw EPropertyError("属性 " + info.Name + " 是只写的");
    return info.Read(component);
}

void SetPropValue(TComponent& component, std::string_view name, const TPropertyValue& value)
{
    const TPropertyInfo& info = Require(component, name);
    if (!info.CanWrite())
        throw EPropertyError("属性 " + info.Name + " 是只读的");
    info.Write(component, value);
}

int64_t GetOrdProp(const TComponent& component, std::string_view name)
{
    const TPropertyInfo& info = Require(component, name);
    TPropertyValue v = GetPropValue(component, name);
    switch (v.Kind()) {
    case TPropertyKind::Boolean:
        return v.AsBoolean() ? 1 : 0;
    case TPropertyKind::Enum:
        return info.Ordinal(v.AsString());
    default:
        return v.AsInteger();
    }
}

void SetOrdProp(TComponent& component, std::string_view name, int64_t value)
{
    const TPropertyInfo& info = Require(component, name);
    switch (info.Kind) {
    case TPropertyKind::Boolean:
        SetPropValue(component, name, TPropertyValue::Boolean(value != 0));
        break;
    case TPropertyKind::Color:
        SetPropValue(component, name, TPropertyValue::Color(static_cast<int32_t>(value)));
        break;
    default:
        SetPropValue(component, name, TPropertyValue::Integer(value));
    }
}

std::string GetEnumProp(const TComponent& component, std::string_view name)
{
    TPropertyValue v = GetPropValue(component, name);
    if (v.Kind() == TPropertyKind::Boolean)
        return v.AsBoolean() ? "True" : "False";
    return v.AsString();
}

void SetEnumProp(TComponent& component, std::string_view name, std::string_view value)
{
    const TPropertyInfo& info = Require(component, name);
    if (info.Kind == TPropertyKind::Boolean)
        SetPropValue(component, name, TPropertyValue::Enum(std::string(value)));
    else if (info.Kind != TPropertyKind::Enum)
        throw InvalidPropertyValue();
    else
        SetPropValue(component, name, TPropertyValue::Enum(std::string(value)));
}

std::string GetStrProp(const TComponent& component, std::string_view name) { return GetPropValue(component, name).AsString(); }

void SetStrProp(TComponent& component, std::string_view name, const std::string& value)
{
    SetPropValue(component, name, TPropertyValue::String(value));
}

TComponent* GetObjectProp(const TComponent& component, std::string_view name)
{
    return GetPropValue(component, name).AsComponent();
}

void SetObjectProp(TComponent& component, std::string_view name, TComponent* value)
{
    SetPropValue(component, name, TPropertyValue::Component(value));
}

static std::map<std::string, const TClassInfo*>& Classes()
{
    static std::map<std::string, const TClassInfo*> classes;
    return classes;
}

static std::string Key(std::string_view name)
{
    std::string key(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

void RegisterClass(const TClassInfo& info) { Classes()[Key(info.Name())] = &info; }

const TClassInfo* FindClass(std::string_view name)
{
    auto it = Classes().find(Key(name));
    return it == Classes().end() ? nullptr : it->second;
}
