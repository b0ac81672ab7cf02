#pragma once

#include "toolkit/components/Component.h"
#include "toolkit/components/PropertyError.h"
#include "toolkit/components/PropertyInfo.h"

#include <any>
#include <functional>
#include <new>
#include <type_traits>
#include <utility>

// The typed side of the property registry: how a getter or setter of some component class is
// kept in a TPropertyInfo and called through it.
//
// A member function of a component class is turned into a member function of TComponent (the
// inverse of the standard conversion, valid since TComponent is a non-virtual base of every
// component), so that one instantiation of the reading and writing code serves every property of
// the same value type, whatever its class. Anything else (a lambda taking the object) keeps its
// class and gets code of its own.
namespace property_access {

// A getter or setter called on a component of class C.
template <class C, class F> struct TOnClass {
    F target;
    decltype(auto) operator()(const TComponent& self) const { return std::invoke(target, static_cast<const C&>(self)); }
    template <class V> void operator()(TComponent& self, V&& value) const
    {
        std::invoke(target, static_cast<C&>(self), std::forward<V>(value));
    }
};

template <class X, class R>
    requires std::is_base_of_v<TComponent, X>
auto AsComponentMember(R (X::*getter)() const)
{
    return static_cast<R (TComponent::*)() const>(getter);
}
template <class X, class R, class A>
    requires std::is_base_of_v<TComponent, X>
auto AsComponentMember(R (X::*setter)(A))
{
    return static_cast<R (TComponent::*)(A)>(setter);
}

template <class C, class F> auto OnClass(F f)
{
    if constexpr (requires { AsComponentMember(f); }) {
        auto member = AsComponentMember(f);
        return TOnClass<TComponent, decltype(member)>{member};
    } else {
        return TOnClass<C, F>{f};
    }
}

template <class T> TAccessorTarget Keep(const T& target)
{
    // A lambda with captures cannot be assigned, which keeps it from counting as trivially
    // copyable; copying its bytes is still copying it.
    static_assert(std::is_trivially_copy_constructible_v<T> && std::is_trivially_destructible_v<T>,
                  "an accessor is kept as its bytes: use a member function or a lambda capturing only trivially copyable values");
    static_assert(sizeof(T) <= sizeof(TAccessorTarget::Bytes) && alignof(T) <= alignof(TAccessorTarget),
                  "an accessor is kept in two pointers' room");
    TAccessorTarget kept;
    ::new (static_cast<void*>(kept.Bytes)) T(target);
    return kept;
}
template <class T> const T& Kept(const TAccessorTarget& kept)
{
    return *std::launder(reinterpret_cast<const T*>(kept.Bytes));
}

template <auto Wrap, class Target> TPropertyValue Read(const TPropertyInfo& property, const TComponent& self)
{
    return Wrap(property, Kept<Target>(property.ReadTarget)(self));
}
template <auto Unwrap, class Target> void Write(const TPropertyInfo& property, TComponent& self, const TPropertyValue& value)
{
    Kept<Target>(property.WriteTarget)(self, Unwrap(property, value));
}

// The value kinds, each converting once for every class.
TPropertyValue WrapInteger(const TPropertyInfo&, int64_t value);
int UnwrapInteger(const TPropertyInfo&, const TPropertyValue& value);
TPropertyValue WrapBoolean(const TPropertyInfo&, bool value);
bool UnwrapBoolean(const TPropertyInfo&, const TPropertyValue& value);
TPropertyValue WrapString(const TPropertyInfo&, std::string value);
const std::string& UnwrapString(const TPropertyInfo&, const TPropertyValue& value);
TPropertyValue WrapColor(const TPropertyInfo&, int32_t value);
int32_t UnwrapColor(const TPropertyInfo&, const TPropertyValue& value);
// An ordinal past the names reads as its number.
TPropertyValue WrapEnumOrdinal(const TPropertyInfo& property, size_t ordinal);
TPropertyValue WrapSet(const TPropertyInfo& property, unsigned bits);
unsigned UnwrapSet(const TPropertyInfo& property, const TPropertyValue& value);
TPropertyValue WrapComponent(const TPropertyInfo&, TComponent* value);
TPropertyValue WrapPicture(const TPropertyInfo&, TPictureValue value);
TPictureValue UnwrapPicture(const TPropertyInfo&, const TPropertyValue& value);
TPropertyValue WrapBinary(const TPropertyInfo&, const std::string& value);
const std::string& UnwrapBinary(const TPropertyInfo&, const TPropertyValue& value);
TPropertyValue WrapStrings(const TPropertyInfo&, const std::vector<std::string>& value);
const std::vector<std::string>& UnwrapStrings(const TPropertyInfo&, const TPropertyValue& value);
TPropertyValue WrapCollection(const TPropertyInfo&, const TPropertyValue::Items& value);
const TPropertyValue::Items& UnwrapCollection(const TPropertyInfo&, const TPropertyValue& value);
// The handler an event value names (see FindEventHandler), or nullptr.
const std::any* HandlerNamed(const TComponent& self, const TPropertyValue& value);
int EnumOrdinal(const TPropertyInfo& property, const TPropertyValue& value);

template <class E> TPropertyValue WrapEnum(const TPropertyInfo& property, E value)
{
    return WrapEnumOrdinal(property, static_cast<size_t>(value));
}
template <class E> E UnwrapEnum(const TPropertyInfo& property, const TPropertyValue& value)
{
    return static_cast<E>(EnumOrdinal(property, value));
}
// T is the class a referenced component must have.
template <class T> T* UnwrapComponent(const TPropertyInfo&, const TPropertyValue& value)
{
    TComponent* c = value.AsComponent();
    T* typed = dynamic_cast<T*>(c);
    if (c && !typed)
        throw InvalidPropertyValue();
    return typed;
}

// An event of handler type H: the value names a handler, the setter receives the handler itself.
template <class H, class Target> void WriteEvent(const TPropertyInfo& property, TComponent& self, const TPropertyValue& value)
{
    const std::any* handler = HandlerNamed(self, value);
    const H* typed = handler ? std::any_cast<H>(handler) : nullptr;
    if (!typed)
        throw InvalidPropertyValue();
    Kept<Target>(property.WriteTarget)(self, *typed);
}

}  // namespace property_access
