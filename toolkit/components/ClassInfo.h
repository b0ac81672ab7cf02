#pragma once

#include "toolkit/components/Component.h"
#include "toolkit/components/PropertyAccessors.h"
#include "toolkit/components/PropertyError.h"
#include "toolkit/components/PropertyInfo.h"
#include "toolkit/core/Exceptions.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// A class named in a layout that nobody registered: "类 %s 未找到".
class EClassNotFound : public Exception {
    using Exception::Exception;
};

// A class as the toolkit knows it at run time: its name, base class, published properties and
// how to create one. Properties are looked up through the base classes too.
class TClassInfo {
public:
    // Plain function pointers (the classes pass lambdas without captures), for the reason
    // TPropertyInfo gives.
    using Factory = TComponent* (*)(TComponent* owner);
    using Publish = void (*)(TClassInfo& info);

    TClassInfo(std::string name, const TClassInfo* parent, Factory factory, Publish publish = nullptr);
    // A factory lambda without captures that returns the class's own pointer type.
    template <class F>
        requires(std::is_empty_v<F> && std::is_default_constructible_v<F>)
    TClassInfo(std::string name, const TClassInfo* parent, F, Publish publish = nullptr)
        : TClassInfo(std::move(name), parent, Factory([](TComponent* owner) -> TComponent* { return F{}(owner); }), publish)
    {
    }

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;
    // Raises EClassNotFound for an abstract class.
    TComponent* Create(TComponent* owner) const;
    bool CanCreate() const { return factory_ != nullptr; }

    // A property of the same name as a base class's replaces it for this class and its heirs.
    void Add(TPropertyInfo property);
    void Add(const char* name, TPropertyKind kind, const std::vector<std::string>* names, TPropertyReader reader,
             const TAccessorTarget& readTarget, TPropertyWriter writer, const TAccessorTarget& writeTarget);
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

// The names of an enum or set written out as a list of literals.
std::vector<std::string> NameList(std::initializer_list<const char*> names);

// Typed registration: each accessor is a member function pointer or a callable taking the
// object (a lambda capturing nothing, or only small trivially copyable values); pass nullptr for
// a missing getter or setter.
template <class C> class TPublisher {
public:
    explicit TPublisher(TClassInfo& info) : info_(info) {}

    template <class G, class S> TPublisher& Integer(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapInteger, pa::UnwrapInteger>(name, TPropertyKind::Integer, nullptr, get, set);
    }
    template <class G, class S>
    TPublisher& IntegerWithIdents(const char* name, std::vector<std::pair<std::string, int>> idents, G get, S set)
    {
        Integer(name, get, set);
        info_.LastAdded().Idents = std::move(idents);
        return *this;
    }
    template <class G, class S> TPublisher& Boolean(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapBoolean, pa::UnwrapBoolean>(name, TPropertyKind::Boolean, nullptr, get, set);
    }
    template <class G, class S> TPublisher& String(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapString, pa::UnwrapString>(name, TPropertyKind::String, nullptr, get, set);
    }
    template <class G, class S> TPublisher& Color(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapColor, pa::UnwrapColor>(name, TPropertyKind::Color, nullptr, get, set);
    }
    // E is an enumeration whose ordinals 0..n-1 carry `names`.
    template <class E, class G, class S>
    TPublisher& Enum(const char* name, const std::vector<std::string>& names, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapEnum<E>, pa::UnwrapEnum<E>>(name, TPropertyKind::Enum, &names, get, set);
    }
    template <class E, class G, class S>
    TPublisher& Enum(const char* name, std::initializer_list<const char*> names, G get, S set)
    {
        return Enum<E>(name, NameList(names), get, set);
    }
    // A set kept as bits: name i is bit (1 << i).
    template <class G, class S> TPublisher& Set(const char* name, const std::vector<std::string>& names, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapSet, pa::UnwrapSet>(name, TPropertyKind::Set, &names, get, set);
    }
    template <class G, class S> TPublisher& Set(const char* name, std::initializer_list<const char*> names, G get, S set)
    {
        return Set(name, NameList(names), get, set);
    }
    // T is the class a referenced component must have.
    template <class T, class G, class S> TPublisher& Component(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapComponent, pa::UnwrapComponent<T>>(name, TPropertyKind::Component, nullptr, get, set);
    }
    template <class G, class S> TPublisher& Picture(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapPicture, pa::UnwrapPicture>(name, TPropertyKind::Picture, nullptr, get, set);
    }
    template <class G, class S> TPublisher& Binary(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapBinary, pa::UnwrapBinary>(name, TPropertyKind::Binary, nullptr, get, set);
    }
    template <class G, class S> TPublisher& Strings(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapStrings, pa::UnwrapStrings>(name, TPropertyKind::Strings, nullptr, get, set);
    }
    template <class G, class S> TPublisher& Collection(const char* name, G get, S set)
    {
        namespace pa = property_access;
        return Add<pa::WrapCollection, pa::UnwrapCollection>(name, TPropertyKind::Collection, nullptr, get, set);
    }
    // An event of handler type H (a std::function); the setter receives the handler itself.
    template <class H, class S> TPublisher& Event(const char* name, S set)
    {
        namespace pa = property_access;
        auto target = pa::OnClass<C>(set);
        info_.Add(name, TPropertyKind::Event, nullptr, nullptr, {}, &pa::WriteEvent<H, decltype(target)>, pa::Keep(target));
        return *this;
    }

private:
    // Registration is kept out of line as far as it can be, with the names by pointer (none for
    // most kinds): every property of every class is a call site, and all of them ship.
    template <auto Wrap, auto Unwrap, class G, class S>
    TPublisher& Add(const char* name, TPropertyKind kind, const std::vector<std::string>* names, G get, S set)
    {
        namespace pa = property_access;
        TPropertyReader reader = nullptr;
        TAccessorTarget readTarget;
        TPropertyWriter writer = nullptr;
        TAccessorTarget writeTarget;
        if constexpr (!std::is_same_v<G, std::nullptr_t>) {
            auto target = pa::OnClass<C>(get);
            reader = &pa::Read<Wrap, decltype(target)>;
            readTarget = pa::Keep(target);
        }
        if constexpr (!std::is_same_v<S, std::nullptr_t>) {
            auto target = pa::OnClass<C>(set);
            writer = &pa::Write<Unwrap, decltype(target)>;
            writeTarget = pa::Keep(target);
        }
        info_.Add(name, kind, names, reader, readTarget, writer, writeTarget);
        return *this;
    }

    TClassInfo& info_;
};

// The handler an event names: the component's own, else the nearest owner's that defines it.
const std::any* FindEventHandler(const TComponent& component, const std::string& handlerName);
int EnumOrdinalOf(const std::vector<std::string>& names, const TPropertyValue& value);

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
