#pragma once

#include "toolkit/components/ClassInfo.h"
#include "toolkit/layout/LayoutParser.h"
#include "toolkit/layout/ResourceLocator.h"

#include <string_view>
#include <vector>

// Builds components from a layout text (the format is described in LayoutFormat.md beside this
// file). Reading into a root (usually a form):
//   1. the root's own properties are set, in stored order, through their setters;
//   2. each nested object is created through the class registry with the root as owner, nested
//      in its enclosing object (SetParentComponent), named, and its properties set at once, in
//      stored order; objects come in stored order, depth first;
//   3. component references are set only after the whole layout has been read, in stored order,
//      so that a reference may name a component stored later;
//   4. every component read gets Loaded(), in creation order (the root first).
// Everything created is in the loading state (csLoading) from its creation to its Loaded.
// Event properties name handlers that the root defined beforehand (DefineHandler). Resource
// values ({name}) are fetched through the locator given.
//
// Errors: a malformed text raises EParserError ("第 %d 行: ..."), an unknown class
// EClassNotFound, an unknown property EPropertyError ("属性 %s 不存在"), a missing resource
// EResNotFound; the components created until then stay with the root, out of the loading state.
class TLayoutReader {
public:
    explicit TLayoutReader(const TResourceLocator* resources = nullptr) : resources_(resources) {}

    void Read(TComponent& root, std::string_view text);

private:
    struct Fixup {
        TComponent* component;
        const TPropertyInfo* property;
        std::string reference;
        int line;
    };

    void ReadObject(TComponent& component, const TLayoutObject& node);
    void ReadChildren(TComponent& parent, const TLayoutObject& node);
    void ApplyProperty(TComponent& component, const TLayoutValue::Property& property);
    TPropertyValue Convert(const TPropertyInfo& info, const TLayoutValue& value, const std::string& name) const;
    TPropertyValue Raw(const TLayoutValue& value) const;
    std::string Resource(const std::string& name) const;
    void ResolveReferences();
    TComponent* FindReference(const std::string& reference) const;

    const TResourceLocator* resources_;
    TComponent* root_ = nullptr;
    std::vector<Fixup> fixups_;
    std::vector<TComponent*> loaded_;
};

// Reads a layout into root with the given resources (nullptr: a layout without resources).
void ReadLayout(TComponent& root, std::string_view text, const TResourceLocator* resources = nullptr);
