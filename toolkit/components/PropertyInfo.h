#pragma once

#include "toolkit/components/PropertyValue.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TPropertyInfo;

// What an accessor calls, kept as its bytes: a member function pointer or a small trivially
// copyable callable (see PropertyAccessors.h, which alone puts things in and takes them out).
struct TAccessorTarget {
    alignas(std::max_align_t) unsigned char Bytes[2 * sizeof(void*)] = {};
};

// The code that reads or writes one property through its target. The property is passed along
// for the names of an enum or set.
using TPropertyReader = TPropertyValue (*)(const TPropertyInfo& property, const TComponent& self);
using TPropertyWriter = void (*)(const TPropertyInfo& property, TComponent& self, const TPropertyValue& value);

// One published property: its name, kind, the names an enum or set takes, and the typed
// access. Either accessor may be missing (write-only, read-only).
//
// The accessors are plain function pointers rather than std::function: std::function keeps the
// type information of every callable it holds, and for some hundreds of accessors those names and
// their handlers were a good part of the Windows installer.
struct TPropertyInfo {
    std::string Name;
    TPropertyKind Kind = TPropertyKind::Integer;
    std::vector<std::string> Names;                     // Enum and Set values, in ordinal order
    std::vector<std::pair<std::string, int>> Idents;    // names an Integer property also takes
    TPropertyReader Reader = nullptr;
    TAccessorTarget ReadTarget;
    TPropertyWriter Writer = nullptr;
    TAccessorTarget WriteTarget;

    bool CanRead() const { return Reader != nullptr; }
    bool CanWrite() const { return Writer != nullptr; }
    TPropertyValue Read(const TComponent& self) const { return Reader(*this, self); }
    void Write(TComponent& self, const TPropertyValue& value) const { Writer(*this, self, value); }

    // The ordinal of an enum or set name (any case), or -1.
    int Ordinal(std::string_view name) const;
};
