#pragma once

#include "toolkit/components/Component.h"
#include "toolkit/components/PropertyValue.h"
#include "toolkit/core/Exceptions.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// A property that does not exist, cannot be written or read, or gets a value of the wrong kind.
// The texts are the toolkit's: "属性 %s 不存在", "属性 %s 是只读的", "无效的属性值".
class EPropertyError : public Exception {
    using Exception::Exception;
};
EPropertyError UnknownPropertyError(std::string_view name);
EPropertyError InvalidPropertyValue();

// A class named in a layout that nobody registered: "类 %s 未找到".
class EClassNotFound : public Exception {
    using Exception::Exception;
};

// One published property: its name, kind, the names an enum or set takes, and the typed
// access. Either accessor may be missing (write-only, read-only).
struct TPropertyInfo {
    std::string Name;
    TPropertyKind Kind = TPropertyKind::Integer;
    std::vector<std::string> Names;                     // Enum and Set values, in ordinal order
    std::vector<std::pair<std::string, int>> Idents;    // names an Integer property also takes
    std::function<TPropertyValue(const TComponent&)> Get;
    std::function<void(TComponent&, const TPropertyValue&)> Set;

    // The ordinal of an enum or set name (any case), or -1.
    int Ordinal(std::string_view name) const;
};

// A class as the toolkit knows it at run time: its name, base class, published properties and
// how to create one. Properties are looked up through the base classes too.
class TClassInfo {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;

    TClassInfo(std::string name, const TClassInfo* parent, Factory factory,
               const std::function<void(TClassInfo&)>& publish = nullptr);

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;
    // Raises EClassNotFound for an abstract class.
    TComponent* Create(TComponent* owner) const;
    bool CanCreate() const { return static_cast<bool>(factory_); }

    // A property of the same name as a base class's replaces it for this class and its heirs.
    void Add(TPropertyInfo property);
    TPropertyInfo& LastAdded() { return properties_.back(); }
    // Looked up by name in any case, this class first; nullptr when no class of the chain has it.
    const TPropertyInfo* FindProperty(std::string_view name) const;
    // Every published property, base classes' first.
    std::vector<const TPropertyInfo*> Properties() const;

private:
    std::string name_;
    const TClassInfo* parent_;
    Factory factory_;
    std::vector<TPropertyInfo> properties_;
};

// Typed registration: each accessor is a member function pointer or a callable taking the
// object; pass nullptr for a missing getter or setter.
template <class C> class TPublisher {
public:
    explicit TPublisher(TClassInfo& info) : info_(info) {}

    template <class G, class S> TPublisher& Integer(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::Integer, {}, get, set, [](auto v) { return TPropertyValue::Integer(v); },
                   [](const TPropertyValue& v) { return static_cast<int>(v.AsInteger()); });
    }
    template <class G, class S>
    TPublisher& IntegerWithIdents(std::string name, std::vector<std::pair<std::string, int>> idents, G get, S set)
    {
        Integer(std::move(name), get, set);
        info_.LastAdded().Idents = std::move(idents);
        return *this;
    }
    template <class G, class S> TPublisher& Boolean(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::Boolean, {}, get, set, [](bool v) { return TPropertyValue::Boolean(v); },
                   [](const TPropertyValue& v) { return v.AsBoolean(); });
    }
    template <class G, class S> TPublisher& String(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::String, {}, get, set,
                   [](const std::string& v) { return TPropertyValue::String(v); },
                   [](const TPropertyValue& v) { return v.AsString(); });
    }
    template <class G, class S> TPublisher& Color(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::Color, {}, get, set, [](int32_t v) { return TPropertyValue::Color(v); },
                   [](const TPropertyValue& v) { return v.AsColor(); });
    }
    // E is an enumeration whose ordinals 0..n-1 carry `names`.
    template <class E, class G, class S> TPublisher& Enum(std::string name, std::vector<std::string> names, G get, S set)
    {
        auto table = std::make_shared<std::vector<std::string>>(names);
        return Add(
            std::move(name), TPropertyKind::Enum, std::move(names), get, set,
            [table](E v) {
                auto i = static_cast<size_t>(v);
                return TPropertyValue::Enum(i < table->size() ? (*table)[i] : std::to_string(i));
            },
            [table](const TPropertyValue& v) { return static_cast<E>(EnumOrdinal(*table, v)); });
    }
    // A set kept as bits: name i is bit (1 << i).
    template <class G, class S> TPublisher& Set(std::string name, std::vector<std::string> names, G get, S set)
    {
        auto table = std::make_shared<std::vector<std::string>>(names);
        return Add(
            std::move(name), TPropertyKind::Set, std::move(names), get, set,
            [table](unsigned bits) {
                std::vector<std::string> on;
                for (size_t i = 0; i < table->size(); ++i)
                    if (bits & (1u << i))
                        on.push_back((*table)[i]);
                return TPropertyValue::Set(std::move(on));
            },
            [table](const TPropertyValue& v) {
                unsigned bits = 0;
                for (const std::string& n : v.AsNames())
                    bits |= 1u << EnumOrdinal(*table, TPropertyValue::Enum(n));
                return bits;
            });
    }
    // T is the class a referenced component must have.
    template <class T, class G, class S> TPublisher& Component(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::Component, {}, get, set,
                   [](TComponent* v) { return TPropertyValue::Component(v); },
                   [](const TPropertyValue& v) {
                       TComponent* c = v.AsComponent();
                       T* typed = dynamic_cast<T*>(c);
                       if (c && !typed)
                           throw InvalidPropertyValue();
                       return typed;
                   });
    }
    template <class G, class S> TPublisher& Picture(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::Picture, {}, get, set,
                   [](TPictureValue v) { return TPropertyValue::Picture(std::move(v)); },
                   [](const TPropertyValue& v) { return v.AsPicture(); });
    }
    template <class G, class S> TPublisher& Binary(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::Binary, {}, get, set,
                   [](const std::string& v) { return TPropertyValue::Binary(v); },
                   [](const TPropertyValue& v) { return v.AsBinary(); });
    }
    template <class G, class S> TPublisher& Strings(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::Strings, {}, get, set,
                   [](const std::vector<std::string>& v) { return TPropertyValue::Strings(v); },
                   [](const TPropertyValue& v) { return v.AsNames(); });
    }
    template <class G, class S> TPublisher& Collection(std::string name, G get, S set)
    {
        return Add(std::move(name), TPropertyKind::Collection, {}, get, set,
                   [](const TPropertyValue::Items& v) { return TPropertyValue::Collection(v); },
                   [](const TPropertyValue& v) { return v.AsItems(); });
    }
    // An event of handler type H (a std::function); the setter receives the handler itself.
    template <class H, class S> TPublisher& Event(std::string name, S set)
    {
        TPropertyInfo info;
        info.Name = std::move(name);
        info.Kind = TPropertyKind::Event;
        info.Set = [set](TComponent& self, const TPropertyValue& v) {
            const std::any* handler = HandlerOf(self, v.AsString());
            if (!handler)
                throw InvalidPropertyValue();
            const H* typed = std::any_cast<H>(handler);
            if (!typed)
                throw InvalidPropertyValue();
            std::invoke(set, static_cast<C&>(self), *typed);
        };
        info_.Add(std::move(info));
        return *this;
    }

private:
    template <class G, class S, class Wrap, class Unwrap>
    TPublisher& Add(std::string name, TPropertyKind kind, std::vector<std::string> names, G get, S set, Wrap wrap,
                    Unwrap unwrap)
    {
        TPropertyInfo info;
        info.Name = std::move(name);
        info.Kind = kind;
        info.Names = std::move(names);
        if constexpr (!std::is_same_v<G, std::nullptr_t>)
            info.Get = [get, wrap](const TComponent& self) { return wrap(std::invoke(get, static_cast<const C&>(self))); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            info.Set = [set, unwrap](TComponent& self, const TPropertyValue& v) {
                std::invoke(set, static_cast<C&>(self), unwrap(v));
            };
        info_.Add(std::move(info));
        return *this;
    }
    static int EnumOrdinal(const std::vector<std::string>& names, const TPropertyValue& v);
    static const std::any* HandlerOf(const TComponent& self, const std::string& handlerName);

    TClassInfo& info_;
};

// The handler an event names: the component's own, else the nearest owner's that defines it.
const std::any* FindEventHandler(const TComponent& component, const std::string& handlerName);
int EnumOrdinalOf(const std::vector<std::string>& names, const TPropertyValue& value);

template <class C> int TPublisher<C>::EnumOrdinal(const std::vector<std::string>& names, const TPropertyValue& v)
{
    return EnumOrdinalOf(names, v);
}
template <class C> const std::any* TPublisher<C>::HandlerOf(const TComponent& self, const std::string& handlerName)
{
    return FindEventHandler(self, handlerName);
}

// --- Access by name ------------------------------------------------------------------------
// Each raises "属性 %s 不存在" for a property the component's class does not publish.
const TPropertyInfo* GetPropInfo(const TComponent& component, std::string_view name);
bool IsPublishedProp(const TComponent& component, std::string_view name);
TPropertyValue GetPropValue(const TComponent& component, std::string_view name);
void SetPropValue(TComponent& component, std::string_view name, const TPropertyValue& value);
int64_t GetOrdProp(const TComponent& component, std::string_view name);
void SetOrdProp(TComponent& component, std::string_view name, int64_t value);
std::string GetEnumProp(const TComponent& component, std::string_view name);
void SetEnumProp(TComponent& component, std::string_view name, std::string_view value);
std::string GetStrProp(const TComponent& component, std::string_view name);
void SetStrProp(TComponent& component, std::string_view name, const std::string& value);
TComponent* GetObjectProp(const TComponent& component, std::string_view name);
void SetObjectProp(TComponent& component, std::string_view name, TComponent* value);

// --- Classes by name -------------------------------------------------------------------------
// The classes a layout may name. The toolkit's own are there from the start; the skin engine
// and programs add theirs. Registering a second class of the same name replaces the first.
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view name);
